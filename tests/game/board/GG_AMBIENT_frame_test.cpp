// The default content's first level drawn headless with its whole frame:
// pack background, block tiles, clue strips, the bars over a hovered cell,
// the cells and clues, the border, one mistake of three allowed, a score and
// a bonus in flight. The frame is read back, checked at a few telling
// pixels and saved as <build>/screens/board-ambient.png.
#include <gtest/gtest.h>

#include <memory>

#include <pugixml.hpp>

#include "BoardScreenTest.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "game/board/GG_AMBIENT.h"
#include "game/board/GG_SUNIME_EFFECT.h"
#include "game/product/GG_ERROR.h"

namespace {

uint32_t fRed(uint32_t c) { return c >> 16 & 0xFF; }
uint32_t fGreen(uint32_t c) { return c >> 8 & 0xFF; }
uint32_t fBlue(uint32_t c) { return c & 0xFF; }

struct Landed {
    int32_t mAmount = 0;
    void fOnLanded(int32_t amount) { mAmount += amount; }
};

using GG_AMBIENT_FRAME = boardtest::BoardScreenTest;

}  // namespace

TEST_F(GG_AMBIENT_FRAME, FirstLevelWithItsFrameHighlightErrorsAndScore) {
    ASSERT_TRUE(fOpenBoard());
    ASSERT_TRUE(fContent().fMount({"data/share/image/back", "data/en"}));
    KEL::KC_REPOSITORY& repository = fRepository();
    KEL::KC_FONT_LIST& fonts = mFonts;
    KEL::KC_STRING_TABLE strings;
    pugi::xml_document* table = repository.fGetXml("data/en strings.xml");
    ASSERT_NE(table, nullptr);
    strings.fRead(KEL::KC_STRING_TABLE::fFirstRow(*table));
    repository.fReleaseXml(table);

    // The level, its board and frame, and the bonus template, as the
    // gameplay object loads them.
    game::GG_BOARD_LAYOUT layout;
    game::GG_PROCESS board;
    game::GG_AMBIENT ambient;
    game::GG_SUNIME_EFFECT bonus;
    const auto readBonus = [&bonus](const pugi::xml_node& effects) {
        return bonus.fRead(effects.child("bonus_effect"));
    };
    ASSERT_TRUE(fLoadLevel("data/share/levels/pack0 level01.xml", layout, board, readBonus));
    ASSERT_TRUE(ambient.fLoad(&layout)) << game::GG_ERROR::fText();
    board.fLoadResources(&fonts);
    ambient.fLoadResources(&fonts);
    bonus.fLoadResources(&fonts, &strings);
    pugi::xml_document* packs = repository.fGetXml("data/share/main/other packs_description.xml");
    ASSERT_NE(packs, nullptr);
    KEL::G_SPRITE background(packs->document_element().child("pack").child("background"));
    repository.fReleaseXml(packs);
    background.fReloadTexture();

    // Play a little: the top row opened, one wrong cross on a full cell, the
    // pointer over row 2, column 3, and a bonus flying off the middle cell.
    ambient.fSetErrorLimit(3);
    for (int c = 0; c < layout.mGrid.x; ++c) {
        game::GG_ELEMENT* cell = board.fGetCell(0, c);
        board.fRevealCell(*cell, cell->fIsFull(), 0.0f);
        if (cell->fIsFull()) ambient.fAddScore(10);
    }
    board.fRevealCell(*board.fGetCell(2, 2), false, 0.0f);
    ambient.fAddScore(10);
    ambient.fAddError();
    ambient.fShowHighlight(true);
    ASSERT_TRUE(ambient.fMoveHighlight(2, 3));
    Landed landed;
    std::unique_ptr<game::GG_SUNIME_EFFECT> flight =
        bonus.fLaunch(ambient.fGetCellCentre(1, 1), 50, KEL::Closure<void()>::fBind<&Landed::fOnLanded>(&landed));
    KEL::kfFRAME_DELTA = 1.0f / 30.0f;
    for (int frame = 0; frame < 30; ++frame) {
        board.fUpdate();
        ambient.fUpdate();
        flight->fUpdate();
    }
    EXPECT_EQ(ambient.fGetErrorPanel().fGetShownCount(), 1);
    EXPECT_EQ(flight->fGetPhase(), game::GG_SUNIME_EFFECT::KE_PHASE::kFLYING);
    EXPECT_EQ(landed.mAmount, 0);

    ASSERT_TRUE(fScreen().fBeginFrame());
    background.fDrawWith();
    ambient.fDrawTiles();
    ambient.fDrawStrips();
    ambient.fDrawHighlight();
    board.fDraw();
    board.fDraw();  // the second pass draws the marks spawned by the first
    ambient.fDrawBorder();
    ambient.fDrawErrors();
    ambient.fDrawScore();
    flight->fDraw();
    ASSERT_TRUE(fScreen().fShoot("board-ambient.png"));

    // The highlight lights the hovered row in the left strip, the other rows
    // there stay paper.
    const KEL::KS_VEC2 hovered = ambient.fGetCellCentre(2, 3);
    const KEL::KS_VEC2 other = ambient.fGetCellCentre(4, 3);
    const float stripX = layout.mOrigin.x - 60.0f;
    const uint32_t lit = fScreen().fPixel(stripX, hovered.y + 5.0f);
    const uint32_t plain = fScreen().fPixel(stripX, other.y + 5.0f);
    EXPECT_LT(fBlue(lit) + 20, fBlue(plain)) << std::hex << lit << " vs " << plain << ": row 2 is not lit";
    // One mistake: the first place shows a coral cross, the second is an
    // empty place, the fourth (beyond the limit of three) a grey lock.
    const game::GG_ICON_GRID& errors = ambient.fGetErrorPanel();
    const uint32_t cross = fScreen().fPixel(errors.fGetPlace(0).x + 8.0f, errors.fGetPlace(0).y + 16.0f);
    const uint32_t empty = fScreen().fPixel(errors.fGetPlace(1).x + 16.0f, errors.fGetPlace(1).y + 16.0f);
    const uint32_t lock = fScreen().fPixel(errors.fGetPlace(3).x + 16.0f, errors.fGetPlace(3).y + 18.0f);
    EXPECT_GT(fRed(cross), fGreen(cross) + 60) << std::hex << cross << " is not coral";
    EXPECT_GT(fBlue(empty), 0xE0u) << std::hex << empty << " is not an empty place";
    EXPECT_LT(fRed(lock), 0xC0u) << std::hex << lock << " is not a lock";
    EXPECT_EQ(ambient.fGetScore(), 30) << "two full cells of the top row and one crossed";

    flight->fReleaseResources();
    bonus.fReleaseResources();
    background.fUnloadTexture();
    ambient.fReleaseResources();
    board.fReleaseResources();
}
