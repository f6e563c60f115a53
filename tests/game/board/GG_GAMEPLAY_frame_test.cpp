// The first level of the first pack played headless on the real renderer
// by synthetic mouse messages through the engine input: fill drags and a
// right-button cross to a win, and another level lost by errors. Frames go
// to <build>/screens/level-playing.png, level-won.png and level-lost.png;
// the player's records are checked afterwards.
#include "game/board/GameplayFixture.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "support/GlScreen.h"

using gameplaytest::GameplayFixture;

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

uint32_t fPixel(const std::vector<uint8_t>& pixels, int32_t width, float x, float y) {
    return testsupport::fPixelOf(pixels, width, int32_t(x), int32_t(y));
}
uint32_t fBlue(uint32_t c) { return c & 0xFF; }
uint32_t fRed(uint32_t c) { return c >> 16 & 0xFF; }

class GG_GAMEPLAY_FRAME : public GameplayFixture {
protected:
    void fMakeRenderer() override { fMakeGlScreen("level"); }

    // Draws one frame of the level, reads it back and saves it.
    std::vector<uint8_t> fShoot(const std::string& name) {
        std::vector<uint8_t> pixels = fShootWith(name, [this] { mGameplay->fDraw(); });
        mWidth = mScreen->fWidth();
        return pixels;
    }

    int32_t mWidth = 0;
};

}  // namespace

TEST_F(GG_GAMEPLAY_FRAME, TheFirstLevelPlayedToAWin) {
    KEL::G_WINDOW* finish = fAddWindow(GG_WINDOW_NAME::kFINISH);
    game::GG_GAMEPLAY& g = fStart("data/share/levels/pack0 level01.xml", 1, 0);
    ASSERT_TRUE(g.fIsRunning());
    fFrames(40);
    // The picture is a heart:  .#.#.  #####  #####  .###.  ..#..
    fClick(0, 0, 2);  // the right button crosses an empty corner
    fClick(0, 1);
    fClick(0, 3);
    fDrag(1, 0, 1, 4);
    fDrag(2, 4, 2, 0);
    fFrames(20);
    // Mid-drag, with the path previewed and the pointer on the board.
    fMoveTo(3, 1);
    fFrame();
    fDown();
    fFrame();
    fMoveTo(3, 3);
    fFrames(3);
    const std::vector<uint8_t> playing = fShoot("level-playing.png");
    const KEL::KS_VEC2 filled = fCentre(1, 2);
    const KEL::KS_VEC2 closed = fCentre(4, 0);
    EXPECT_GT(fBlue(fPixel(playing, mWidth, filled.x, filled.y)), fRed(fPixel(playing, mWidth, filled.x, filled.y)))
        << "an opened full cell is blue";
    EXPECT_GT(fRed(fPixel(playing, mWidth, closed.x, closed.y)), 0xC0u) << "a closed cell is paper";
    // The shared cell images are drawn as large as this board's cells: the
    // fill reaches well out to the cell's corner, a cross to its edge.
    const float reach = g.fGetLayout().mElSize.x * 0.35f;
    ASSERT_GT(g.fGetLayout().mElSize.x, 56.0f) << "a 5 x 5 board takes large cells";
    const uint32_t corner = fPixel(playing, mWidth, filled.x - reach, filled.y + reach);
    EXPECT_GT(fBlue(corner), fRed(corner) + 0x30) << std::hex << corner << ": the fill covers the cell";
    fUp();
    fFrame();
    fDrag(4, 2, 4, 2);
    ASSERT_TRUE(g.fIsEndHandled());
    EXPECT_EQ(g.fGetResult().mWon, 1);
    for (int i = 0; i < 600 && !finish->fIsOpen(); ++i) {
        fFrame();
        mHost.mWindows.fUpdate();
    }
    EXPECT_TRUE(finish->fIsOpen()) << "the sweep ended and no bonus flies";
    fShoot("level-won.png");

    game::GG_LEVEL_RECORD* record = mHost.mPlayer.fFindLevel(0, 1);
    EXPECT_EQ(record->fGetStars(), 3);
    EXPECT_GT(record->fGetBestTime(), 1.0f);
    EXPECT_LT(record->fGetBestTime(), 10.0f);
    EXPECT_TRUE(mHost.mPlayer.fFindLevel(0, 2)->fIsOpen());
    EXPECT_EQ(mHost.mPlayer.fGetStatistic().mWithoutError, 1);
    EXPECT_EQ(mHost.mPlayer.fGetStatistic().mScore, g.fGetScore());
    EXPECT_EQ(g.fGetScore(), 16 * 10 + 50) << "every full cell and the bonus";
    EXPECT_EQ(g.fGetAmbient().fGetScore(), g.fGetScore()) << "the bonus has landed";
}

TEST_F(GG_GAMEPLAY_FRAME, TheSecondLevelLostByErrors) {
    KEL::G_WINDOW_CONFIRM* restart = fAddQuestion(GG_WINDOW_NAME::kRESTART_FINISH_QUESTION);
    game::GG_GAMEPLAY& g = fStart("data/share/levels/pack0 level02.xml", 2, 0);
    ASSERT_TRUE(g.fIsRunning());
    int errors = 0;
    for (game::GG_ELEMENT* cell : g.fGetProcess().fGetFullCells()) {
        if (errors == 3) break;
        fClick(cell->fGetRow(), cell->fGetColumn(), 2);  // crosses on full cells
        ++errors;
    }
    EXPECT_TRUE(g.fIsEndHandled());
    EXPECT_EQ(g.fGetErrors(), 3);
    fWindowFrames(60);
    EXPECT_TRUE(restart->fIsOpen());
    fShoot("level-lost.png");
    EXPECT_EQ(mHost.mPlayer.fGetHealth().fGetCount(), 4) << "a heart spent";
    EXPECT_EQ(mHost.mPlayer.fGetStatistic().mBadLevel, 1);
    EXPECT_EQ(mHost.mPlayer.fFindLevel(0, 2)->fGetStars(), 0);
    EXPECT_FALSE(mHost.mPlayer.fFindLevel(0, 3)->fIsOpen());
}
