#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "engine/audio/KC_SOUND_LIST.h"
#include "game/board/GG_BOARD_LAYOUT.h"
#include "game/board/GG_ELEMENT.h"

using game::GG_ELEMENT;

namespace {

// Fill and cross templates of four frames, as effects.xml gives them.
game::GG_BOARD_LAYOUT fLayout() {
    game::GG_BOARD_LAYOUT layout;
    pugi::xml_document doc;
    doc.load_string(
        "<e><yes><FILE>fill.png</FILE><ANIMATION loop=\"false\" grid=\"4 1\" frames=\"4\" fps=\"10\"/></yes>"
        "<no><FILE>cross.png</FILE><ANIMATION loop=\"false\" grid=\"4 1\" frames=\"4\" fps=\"10\"/></no>"
        "<locked><FILE>locked.png</FILE></locked></e>");
    layout.mFill.fRead(doc.child("e").child("yes"));
    layout.mCross.fRead(doc.child("e").child("no"));
    layout.mLocked.fRead(doc.child("e").child("locked"));
    return layout;
}

KEL::KS_VEC3 fAbsolute(KEL::G_SPRITE* image) { return image->fGetTransform()->fGetAbsolute().mPosition; }

}  // namespace

TEST(GG_ELEMENT, RevealResultsByToolAndType) {
    GG_ELEMENT full(100, 0, 0), empty(101, 0, 1), fixed(103, 0, 2), odd(0, 0, 3);
    EXPECT_FALSE(full.fIsRevealed());
    EXPECT_TRUE(fixed.fIsRevealed());
    EXPECT_EQ(full.fRevealWithFill(0.0f), GG_ELEMENT::kREVEAL_RIGHT);
    EXPECT_EQ(full.fRevealWithFill(0.0f), GG_ELEMENT::kREVEAL_NONE) << "already open";
    EXPECT_EQ(empty.fRevealWithFill(0.0f), GG_ELEMENT::kREVEAL_WRONG);
    EXPECT_EQ(empty.fGetShownState(), 101) << "a wrong reveal shows the true content";
    EXPECT_EQ(fixed.fRevealWithCross(0.0f), GG_ELEMENT::kREVEAL_NONE);
    EXPECT_EQ(odd.fRevealWithCross(0.0f), GG_ELEMENT::kREVEAL_WRONG);
    EXPECT_TRUE(odd.fIsRevealed());
}

TEST(GG_ELEMENT, DelayedRevealKeepsItsPictureOutOfSightUntilTheDelayRunsOut) {
    const game::GG_BOARD_LAYOUT layout = fLayout();
    GG_ELEMENT cell(100, 2, 3);
    cell.fPlace({200.0f, 100.0f}, {30.0f, 30.0f});
    cell.fLoadResources(layout);
    ASSERT_NE(cell.fGetFill(), nullptr);
    EXPECT_EQ(cell.fGetFill()->fGetTextureName(), "fill.png");
    EXPECT_FLOAT_EQ(fAbsolute(cell.fGetFill()).x, 200.0f) << "images hang under the cell";

    KEL::KC_SOUND_LIST sounds;  // no groups: playing is refused quietly
    cell.mRevealSound = "fulltileclick";
    EXPECT_EQ(cell.fRevealWithCross(0.1f), GG_ELEMENT::kREVEAL_WRONG);
    EXPECT_TRUE(cell.fIsRevealed());
    EXPECT_FLOAT_EQ(fAbsolute(cell.fGetFill()).x, 200.0f - 1000.0f);
    EXPECT_FALSE(cell.fGetFill()->fIsPlaying());
    cell.fUpdate(0.05f, &sounds);
    EXPECT_TRUE(cell.fIsWaiting());
    cell.fUpdate(0.06f, &sounds);
    EXPECT_FALSE(cell.fIsWaiting());
    EXPECT_FLOAT_EQ(fAbsolute(cell.fGetFill()).y, 100.0f);
    EXPECT_TRUE(cell.fGetFill()->fIsPlaying()) << "a full cell shows its fill whatever the tool";
    EXPECT_FALSE(cell.fGetCross()->fIsPlaying());
    cell.fUpdate(0.0f, nullptr);

    GG_ELEMENT now(101, 0, 0);
    now.fLoadResources(layout);
    now.fRevealWithCross(0.0f);
    EXPECT_TRUE(now.fGetCross()->fIsPlaying()) << "no delay: shown at once";
    GG_ELEMENT early(100, 0, 1);
    early.fLoadResources(layout);
    early.fPlace({50.0f, 60.0f}, {30.0f, 30.0f});
    early.fRevealWithFill(-0.5f);
    EXPECT_FALSE(early.fIsWaiting());
    EXPECT_TRUE(early.fGetFill()->fIsPlaying()) << "a negative delay: shown at once";
    EXPECT_FLOAT_EQ(fAbsolute(early.fGetFill()).x, 50.0f);
    now.fReleaseResources();
    now.fLoadResources(layout);
    EXPECT_TRUE(now.fGetCross()->fIsPlaying()) << "a reload keeps the picture's state";
}

TEST(GG_ELEMENT, CellOpenedBeforeItsImagesShowsTheFinishedPicture) {
    const game::GG_BOARD_LAYOUT layout = fLayout();
    GG_ELEMENT cell(100, 0, 0);
    cell.fRevealWithFill(0.0f);
    cell.fLoadResources(layout);
    EXPECT_EQ(cell.fGetFill()->fGetFrame(), 3);
    EXPECT_FALSE(cell.fGetFill()->fIsPlaying());
}
