#include <gtest/gtest.h>

#include <memory>

#include <pugixml.hpp>

#include "engine/gui/KC_SPRITE9.h"
#include "engine/scene/SceneFixture.h"

using namespace KEL;

namespace {

// A piece's drawn box in screen pixels: left, top, width, height.
struct Box {
    float x, y, w, h;
};

Box fBox(const KC_SPRITE9& frame, KC_SPRITE9::KE_PIECE piece) {
    const G_SPRITE& sprite = frame.fGetPiece(piece);
    const KS_TRANSFORM3 absolute = sprite.fGetTransform()->fGetAbsolute();
    return {absolute.mPosition.x - absolute.mPivot.x, absolute.mPosition.y - absolute.mPivot.y, sprite.fGetWidth(),
            sprite.fGetHeight()};
}

class Sprite9Test : public scenetest::SceneFixture {
protected:
    void SetUp() override {
        scenetest::SceneFixture::SetUp();
        for (const char* corner : {"ul", "ur", "dl", "dr"}) fWrite(std::string(corner) + ".png", "16 16");
        fWrite("up.png", "8 6");
        fWrite("dn.png", "8 6");
        fWrite("lt.png", "5 8");
        fWrite("rt.png", "5 8");
        fWrite("mid.png", "8 8");
        fWrite("small_dl.png", "8 12");
        fMount();
    }

    // Triangles the renderer was handed in one frame of drawing the frame.
    uint32_t fDrawnTriangles(KC_SPRITE9& frame) {
        return SceneFixture::fDrawnTriangles([&frame] { frame.fDraw(); });
    }
};

KC_SPRITE9* fFullFrame() {
    return new KC_SPRITE9("ul.png", "up.png", "ur.png", "lt.png", "mid.png", "rt.png", "dl.png", "dn.png", "dr.png");
}

}  // namespace

TEST_F(Sprite9Test, LaysOutAroundTheMiddleAtAnySizeAndPosition) {
    std::unique_ptr<KC_SPRITE9> frame(fFullFrame());
    frame->fReloadResources();
    frame->fSetSize(100, 60);
    frame->fSetPosition(200, 100);

    EXPECT_EQ(frame->fGetMinWidth(), 32.0f);
    EXPECT_EQ(frame->fGetMinHeight(), 32.0f);
    const Box mid = fBox(*frame, KC_SPRITE9::kMID);
    EXPECT_EQ(mid.w, 68.0f);
    EXPECT_EQ(mid.h, 28.0f);
    EXPECT_FLOAT_EQ(mid.x, 200.0f - 34.0f);
    EXPECT_FLOAT_EQ(mid.y, 100.0f - 14.0f);
    EXPECT_EQ(fBox(*frame, KC_SPRITE9::kUP).w, 68.0f);
    EXPECT_EQ(fBox(*frame, KC_SPRITE9::kDN).w, 68.0f);
    EXPECT_EQ(fBox(*frame, KC_SPRITE9::kUP).h, 6.0f) << "edges keep their thickness";
    EXPECT_EQ(fBox(*frame, KC_SPRITE9::kLT).h, 28.0f);
    EXPECT_EQ(fBox(*frame, KC_SPRITE9::kRT).h, 28.0f);

    // Each corner touches the middle rectangle with its inner corner.
    const Box ul = fBox(*frame, KC_SPRITE9::kUL), dr = fBox(*frame, KC_SPRITE9::kDR);
    EXPECT_FLOAT_EQ(ul.x + ul.w, 200.0f - 34.0f);
    EXPECT_FLOAT_EQ(ul.y + ul.h, 100.0f - 14.0f);
    EXPECT_FLOAT_EQ(dr.x, 200.0f + 34.0f);
    EXPECT_FLOAT_EQ(dr.y, 100.0f + 14.0f);
    EXPECT_FLOAT_EQ(ul.x, 150.0f) << "the outer box is 100 x 60 round the position";
    EXPECT_FLOAT_EQ(dr.y + dr.h, 130.0f);
    // The edges sit on the rectangle's sides, centred on them.
    const Box up = fBox(*frame, KC_SPRITE9::kUP), rt = fBox(*frame, KC_SPRITE9::kRT);
    EXPECT_FLOAT_EQ(up.x, 166.0f);
    EXPECT_FLOAT_EQ(up.y + up.h, 86.0f);
    EXPECT_FLOAT_EQ(rt.x, 234.0f);
    EXPECT_FLOAT_EQ(rt.y, 86.0f);

    EXPECT_EQ(fDrawnTriangles(*frame), 18u) << "nine quads";
    frame->fReleaseResources();
}

TEST_F(Sprite9Test, ASizeBelowTheCornersIsRaisedToThemAlsoWhenSetBeforeTheFirstReload) {
    std::unique_ptr<KC_SPRITE9> frame(fFullFrame());
    frame->fReloadResources();
    frame->fSetSize(10, 10);
    EXPECT_EQ(frame->fGetWidth(), 32.0f);
    EXPECT_EQ(frame->fGetHeight(), 32.0f);
    EXPECT_EQ(fBox(*frame, KC_SPRITE9::kMID).w, 0.0f);
    EXPECT_EQ(fBox(*frame, KC_SPRITE9::kMID).h, 0.0f);
    frame->fReleaseResources();

    // Sized before its corners are known, the frame is clamped once they are.
    std::unique_ptr<KC_SPRITE9> early(fFullFrame());
    early->fSetSize(10, 10);
    early->fReloadResources();
    EXPECT_EQ(early->fGetWidth(), 32.0f);
    EXPECT_EQ(early->fGetHeight(), 32.0f);
    EXPECT_EQ(fBox(*early, KC_SPRITE9::kLT).h, 0.0f);

    // Release and reload keep a size above the minimum and lay out again.
    early->fSetSize(80, 40);
    early->fReleaseResources();
    EXPECT_FALSE(early->fHasPiece(KC_SPRITE9::kUL));
    early->fReloadResources();
    EXPECT_EQ(early->fGetWidth(), 80.0f);
    EXPECT_EQ(fBox(*early, KC_SPRITE9::kMID).w, 48.0f);
    EXPECT_FLOAT_EQ(fBox(*early, KC_SPRITE9::kUL).x, -40.0f);
    early->fReleaseResources();
}

TEST_F(Sprite9Test, MissingPiecesAreLeftOutOfSumsLayoutAndDrawing) {
    // No ul: dl stands for the left side in both sums.
    KC_SPRITE9 frame("", "up.png", "ur.png", "lt.png", "", "rt.png", "small_dl.png", "dn.png", "dr.png");
    frame.fReloadResources();
    EXPECT_FALSE(frame.fHasPiece(KC_SPRITE9::kUL));
    EXPECT_EQ(frame.fGetMinWidth(), 8.0f + 16.0f);
    EXPECT_EQ(frame.fGetMinHeight(), 12.0f + 16.0f);
    EXPECT_EQ(frame.fGetWidth(), 24.0f) << "an unset size takes the minimum";
    EXPECT_EQ(frame.fGetHeight(), 28.0f);
    EXPECT_EQ(fDrawnTriangles(frame), 14u) << "seven pieces";
    frame.fReleaseResources();

    // A name the repository does not know counts as no piece at all.
    KC_SPRITE9 unknown("missing.png", "up.png", "missing.png", "lt.png", "", "rt.png", "missing.png", "dn.png",
                       "missing.png");
    unknown.fReloadResources();
    EXPECT_FALSE(unknown.fHasPiece(KC_SPRITE9::kUL));
    EXPECT_EQ(unknown.fGetMinWidth(), 0.0f);
    EXPECT_EQ(unknown.fGetMinHeight(), 0.0f);
    unknown.fSetSize(40, 20);
    EXPECT_EQ(fBox(unknown, KC_SPRITE9::kUP).w, 40.0f);
    EXPECT_FLOAT_EQ(fBox(unknown, KC_SPRITE9::kUP).x, -20.0f);
    EXPECT_EQ(fDrawnTriangles(unknown), 8u) << "the four edges";
    unknown.fReleaseResources();
}

TEST_F(Sprite9Test, ReadsItsPiecesFromXmlAndLaysOutEdgesWithoutAMiddle) {
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string("<border ul=\"ul.png\" up=\"up.png\" ur=\"ur.png\" lt=\"lt.png\" mid=\"\" rt=\"rt.png\""
                                " dl=\"dl.png\" dn=\"dn.png\" dr=\"dr.png\"/>"));
    KC_SPRITE9 frame(doc.first_child());
    EXPECT_EQ(frame.fGetWidth(), KC_SPRITE9::kUNSET);
    frame.fReloadResources();
    EXPECT_EQ(frame.fGetWidth(), 32.0f);
    EXPECT_EQ(frame.fGetHeight(), 32.0f);
    EXPECT_FALSE(frame.fHasPiece(KC_SPRITE9::kMID));
    frame.fSetSize(64, 48);
    EXPECT_EQ(fBox(frame, KC_SPRITE9::kUP).w, 32.0f);
    EXPECT_FLOAT_EQ(fBox(frame, KC_SPRITE9::kUR).x, 16.0f) << "the reference width comes from the edges";
    EXPECT_FLOAT_EQ(fBox(frame, KC_SPRITE9::kDL).y, 8.0f);

    // Edges repeat along their length, the middle both ways, corners not.
    EXPECT_TRUE(frame.fGetPiece(KC_SPRITE9::kUP).mState.wrapU);
    EXPECT_FALSE(frame.fGetPiece(KC_SPRITE9::kUP).mState.wrapV);
    EXPECT_TRUE(frame.fGetPiece(KC_SPRITE9::kLT).mState.wrapV);
    EXPECT_FALSE(frame.fGetPiece(KC_SPRITE9::kLT).mState.wrapU);
    EXPECT_TRUE(frame.fGetPiece(KC_SPRITE9::kMID).mState.wrapU && frame.fGetPiece(KC_SPRITE9::kMID).mState.wrapV);
    EXPECT_FALSE(frame.fGetPiece(KC_SPRITE9::kUL).mState.wrapU || frame.fGetPiece(KC_SPRITE9::kUL).mState.wrapV);
    frame.fReleaseResources();
}
