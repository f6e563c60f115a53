// The shipped tutorial over the first picture of the first pack, drawn
// headless on the real renderer: the first step's panel with its text and
// skip button, the markers on the row to fill and the arrow above it, then
// the skip question over the paused level. Frames go to
// <build>/screens/tutorial.png and tutorial-skip.png.
#include "engine/gui/KC_GUI_WLABEL.h"
#include "game/board/TutorialFixture.h"

using tutorialtest::TutorialFixture;

namespace {

uint32_t fPixel(const std::vector<uint8_t>& pixels, int32_t width, float x, float y) {
    return testsupport::fPixelOf(pixels, width, int32_t(x), int32_t(y));
}

class GG_TUTORIAL_FRAME : public TutorialFixture {
protected:
    void fMakeRenderer() override { fMakeGlScreen("tutorial"); }

    // The level, the tutorial over it and the windows, as the game draws a
    // frame; read back and saved.
    std::vector<uint8_t> fShoot(const std::string& name) {
        std::vector<uint8_t> pixels = fShootWith(name, [this] {
            mGameplay->fDraw();
            mTutorial.fDraw();
            mHost.mWindows.fDrawAll();
        });
        mWidth = mScreen->fWidth();
        return pixels;
    }

    int32_t mWidth = 0;
};

}  // namespace

TEST_F(GG_TUTORIAL_FRAME, TheFirstStepOverTheFirstPicture) {
    KEL::G_WINDOW_CONFIRM* question = fSkipQuestion();
    ASSERT_NE(question, nullptr);
    fShippedScript();
    fPlay("data/share/levels/pack0 level01.xml", 1);
    ASSERT_TRUE(mTutorial.fIsRunning());
    fTick(40);
    const std::vector<uint8_t> step = fShoot("tutorial.png");
    // The panel is paper-white, the markers orange round the cells to fill,
    // and a held cell shows its lock.
    const uint32_t panel = fPixel(step, mWidth, 420.0f, 140.0f);
    EXPECT_GT(panel & 0xFF, 0xE0u) << std::hex << panel;
    const KEL::KS_VEC2 cell = fCentre(1, 0);
    bool orange = false;
    for (float dx = -18.0f; dx <= 18.0f && !orange; dx += 1.0f) {
        const uint32_t c = fPixel(step, mWidth, cell.x + dx, cell.y);
        orange = (c >> 16 & 0xFF) > 0xE0 && (c & 0xFF) < 0x80;
    }
    EXPECT_TRUE(orange) << "a marker round the first cell of the row";

    fClickAt(fSkipPlace());
    ASSERT_TRUE(question->fIsOpen());
    fTick(60);
    fShoot("tutorial-skip.png");
    for (int32_t id : {2, 6}) {
        auto* text = dynamic_cast<KEL::KC_GUI_WLABEL*>(question->fGetGui()->fFindChild(id));
        ASSERT_NE(text, nullptr) << id;
        EXPECT_EQ(text->fGetText().find(L'_'), std::wstring::npos) << "the player's words, not a string key";
    }
}
