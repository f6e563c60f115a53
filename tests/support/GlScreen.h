#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/render/KC_RENDER.h"
#include "host/IWindow.h"

namespace testsupport {

// Pixel (x, y) of a read-back RGBA frame as 0xRRGGBB.
uint32_t fPixelOf(const std::vector<uint8_t>& pixels, int32_t width, int32_t x, int32_t y);

// The screen headless picture tests draw on: a window of SDL's offscreen
// driver over software OpenGL, with the engine's renderer on it published
// as kcRENDER while the screen lives. A shot reads the frame back for pixel
// checks and saves it as <build>/screens/<name>, so anyone can look at what
// the test saw.
//
// Open the screen before any fake message windows are installed: the window
// factory in place at that moment makes the real window.
class GlScreen {
public:
    GlScreen() = default;
    ~GlScreen();
    GlScreen(const GlScreen&) = delete;
    GlScreen& operator=(const GlScreen&) = delete;

    ::testing::AssertionResult fOpen(const std::string& title, int32_t width = 1024, int32_t height = 768);
    KEL::KC_RENDER& fRender() { return *mRender; }

    ::testing::AssertionResult fBeginFrame();
    // Flushes what was drawn since fBeginFrame, reads the frame back, saves
    // it as <build>/screens/<name> and ends the frame. Fails when nothing
    // was read back; a picture not saved is a failure of its own.
    ::testing::AssertionResult fShoot(const std::string& name);

    // The last shot.
    const std::vector<uint8_t>& fPixels() const { return mPixels; }
    int32_t fWidth() const { return mWidth; }
    uint32_t fPixel(int32_t x, int32_t y) const { return fPixelOf(mPixels, mWidth, x, y); }
    uint32_t fPixel(float x, float y) const { return fPixel(int32_t(x), int32_t(y)); }

    static std::filesystem::path fScreensFolder();

private:
    std::unique_ptr<host::IWindow> mWindow;
    std::unique_ptr<KEL::KC_RENDER> mRender;
    std::vector<uint8_t> mPixels;
    int32_t mWidth = 0, mHeight = 0;
};

}  // namespace testsupport
