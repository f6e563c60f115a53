// A picture decoded ahead of the renderer makes the same texture as the
// renderer's own file load: same size, same colour in every pixel whatever
// byte order each texture keeps; a file that cannot be read makes nothing.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/render/KC_PICTURE.h"
#include "engine/render/KC_RENDER.h"
#include "engine/render/KC_TEXTURE.h"
#include "host/Image.h"
#include "host/recording/RecordingDevice.h"
#include "support/TestEnvironment.h"

namespace {

using testsupport::TestEnvironment;

// Red, green, blue and alpha of a texture's pixel, read in its own format.
std::array<uint8_t, 4> fPixel(KEL::KC_TEXTURE& texture, int32_t x, int32_t y) {
    int32_t pitch = 0;
    const auto* bytes = static_cast<const uint8_t*>(texture.mTexture->fLock(&pitch));
    const uint8_t* p = bytes + size_t(y) * size_t(pitch) + size_t(x) * 4;
    std::array<uint8_t, 4> rgba{};
    if (texture.mTexture->fFormat() == host::GFormat::ABGR8) rgba = {p[0], p[1], p[2], p[3]};
    else rgba = {p[2], p[1], p[0], p[3]};  // a packed 0xAARRGGBB, low byte first
    texture.mTexture->fUnlock();
    return rgba;
}

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        KEL::KC_FILESYSTEM::fGetInstance();
        mRender.fSetDevice(new host::RecordingDevice);
        ASSERT_EQ(mRender.fInit(nullptr, 0.1f, 0.0f), 1);
    }

    KEL::KC_RENDER mRender;
};

}  // namespace

TEST_F(PictureTest, MakesTheTextureTheRenderersFileLoadMakes) {
    constexpr int32_t kW = 3, kH = 2;
    std::vector<uint8_t> rgba(kW * kH * 4);
    for (size_t i = 0; i < rgba.size(); ++i) rgba[i] = static_cast<uint8_t>(17 * i + 5);
    TestEnvironment::fMakeFolder("Resources/pictures");
    ASSERT_TRUE(host::fWritePng((TestEnvironment::fRoot() / "Resources/pictures/card.png").string(), rgba.data(), kW, kH));

    KEL::KC_PICTURE picture;
    ASSERT_TRUE(picture.fDecodeFile("pictures/card.png"));
    EXPECT_EQ(picture.fGetWidth(), kW);
    EXPECT_EQ(picture.fGetHeight(), kH);
    KEL::KC_TEXTURE* made = picture.fMakeTexture(mRender);
    KEL::KC_TEXTURE* loaded = mRender.fLoadTextureFile("pictures/card.png");
    ASSERT_NE(made, nullptr);
    ASSERT_NE(loaded, mRender.fGetDefaultTexture());
    EXPECT_EQ(made->fGetSize(), loaded->fGetSize());
    for (int32_t y = 0; y < kH; ++y)
        for (int32_t x = 0; x < kW; ++x) {
            const uint8_t* expected = rgba.data() + (size_t(y) * kW + size_t(x)) * 4;
            EXPECT_EQ(fPixel(*made, x, y), (std::array<uint8_t, 4>{expected[0], expected[1], expected[2], expected[3]}))
                << "pixel " << x << ", " << y;
            EXPECT_EQ(fPixel(*made, x, y), fPixel(*loaded, x, y)) << "pixel " << x << ", " << y;
        }
    mRender.fReleaseTexture(made);
    mRender.fReleaseTexture(loaded);
}

TEST_F(PictureTest, AMissingOrDamagedFileMakesNoTexture) {
    TestEnvironment::fWriteFile("Resources/pictures/broken.png", "not an image");
    const size_t before = mRender.fGetTextureCount();
    for (const char* file : {"pictures/broken.png", "pictures/absent.png"}) {
        KEL::KC_PICTURE picture;
        EXPECT_FALSE(picture.fDecodeFile(file)) << file;
        EXPECT_FALSE(picture.fIsDecoded()) << file;
        EXPECT_EQ(picture.fMakeTexture(mRender), nullptr) << file;
    }
    EXPECT_EQ(mRender.fGetTextureCount(), before);
}
