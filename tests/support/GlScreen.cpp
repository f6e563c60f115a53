#include "support/GlScreen.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"

namespace fs = std::filesystem;

namespace testsupport {

uint32_t fPixelOf(const std::vector<uint8_t>& pixels, int32_t width, int32_t x, int32_t y) {
    const uint8_t* p = &pixels[(size_t(y) * size_t(width) + size_t(x)) * 4];
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

GlScreen::~GlScreen() {
    if (mRender && KEL::kcRENDER == mRender.get()) KEL::kcRENDER = nullptr;
    mRender.reset();
    mWindow.reset();
}

::testing::AssertionResult GlScreen::fOpen(const std::string& title, int32_t width, int32_t height) {
    mWindow = host::fMakeWindow();
    if (!mWindow->fCreate(title, width, height, false))
        return ::testing::AssertionFailure() << "no offscreen window: " << mWindow->fGetFailure();
    mRender = std::make_unique<KEL::KC_RENDER>();
    if (mRender->fInit(mWindow->fNativeHandle(), 0.1f, 0.0f) != 1)
        return ::testing::AssertionFailure() << "no renderer on the offscreen window";
    KEL::kcRENDER = mRender.get();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult GlScreen::fBeginFrame() {
    if (mRender->fBeginFrame() != 1) return ::testing::AssertionFailure() << "the frame did not begin";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult GlScreen::fShoot(const std::string& name) {
    mRender->fFlush();
    const bool read = mRender->fGetDevice()->fReadBackBuffer(mPixels, mWidth, mHeight);
    const fs::path png = fScreensFolder() / name;
    fs::create_directories(png.parent_path());
    const bool saved = mRender->fSaveFrame(png.string());
    mRender->fEndFrame();
    // An unsaved picture leaves the pixels worth checking; an unread one not.
    if (!saved) ADD_FAILURE() << "the frame was not saved as " << png;
    if (!read) return ::testing::AssertionFailure() << "the frame was not read back";
    return ::testing::AssertionSuccess();
}

fs::path GlScreen::fScreensFolder() { return fs::path(NONOGRAM_BINARY_DIR) / "screens"; }

}  // namespace testsupport
