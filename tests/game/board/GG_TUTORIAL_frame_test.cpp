// The shipped tutorial over the first picture of the first pack, drawn
// headless on the real renderer: the first step's panel with its text and
// skip button, the markers on the row to fill and the arrow above it, then
// the skip question over the paused level. Frames go to
// <build>/screens/tutorial.png and tutorial-skip.png.
#include "game/board/TutorialFixture.h"
#include "host/IWindow.h"

using tutorialtest::TutorialFixture;
namespace fs = std::filesystem;

namespace {

uint32_t fPixel(const std::vector<uint8_t>& pixels, int32_t width, float x, float y) {
    const uint8_t* p = &pixels[(size_t(y) * size_t(width) + size_t(x)) * 4];
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

class GG_TUTORIAL_FRAME : public TutorialFixture {
protected:
    void fMakeRenderer() override {
        mWindow = host::fMakeWindow();
        ASSERT_TRUE(mWindow->fCreate("tutorial", 1024, 768, false));
        mRender = std::make_unique<KEL::KC_RENDER>();
        ASSERT_EQ(mRender->fInit(mWindow->fNativeHandle(), 0.1f, 0.0f), 1);
        KEL::kcRENDER = mRender.get();
    }
    void TearDown() override {
        TutorialFixture::TearDown();
        mRender.reset();
        mWindow.reset();
    }

    // The level, the tutorial over it and the windows, as the game draws a
    // frame; read back and saved.
    std::vector<uint8_t> fShoot(const std::string& name) {
        std::vector<uint8_t> pixels;
        EXPECT_EQ(mRender->fBeginFrame(), 1);
        mGameplay->fDraw();
        mTutorial.fDraw();
        mHost.mWindows.fDrawAll();
        mRender->fFlush();
        int32_t width = 0, height = 0;
        EXPECT_TRUE(mRender->fGetDevice()->fReadBackBuffer(pixels, width, height));
        mWidth = width;
        const fs::path screens = fs::path(NONOGRAM_BINARY_DIR) / "screens";
        fs::create_directories(screens);
        EXPECT_TRUE(mRender->fSaveFrame((screens / name).string()));
        mRender->fEndFrame();
        return pixels;
    }

    std::unique_ptr<host::IWindow> mWindow;
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
}
