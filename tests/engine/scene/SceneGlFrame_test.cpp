// One real frame on the OpenGL device (SDL offscreen driver with Mesa's
// software GL): a sprite, a cell of an animation and a particle burst, all
// described in XML and textured from PNG files through the repository.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/scene/G_ANIMATION.h"
#include "engine/scene/G_PARTICLES.h"
#include "engine/scene/G_SPRITE.h"
#include "host/IWindow.h"
#include "host/Image.h"
#include "support/TestEnvironment.h"

using namespace KEL;

namespace {

void fPng(const std::string& name, int32_t w, int32_t h, const std::vector<uint32_t>& argbColumns) {
    std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const uint32_t c = argbColumns[size_t(x) * argbColumns.size() / size_t(w)];
            uint8_t* p = &rgba[(size_t(y) * size_t(w) + size_t(x)) * 4];
            p[0] = uint8_t(c >> 16);
            p[1] = uint8_t(c >> 8);
            p[2] = uint8_t(c);
            p[3] = uint8_t(c >> 24);
        }
    const auto path = testsupport::TestEnvironment::fRoot() / "Resources" / "gfx" / name;
    std::filesystem::create_directories(path.parent_path());
    ASSERT_TRUE(host::fWritePng(path.string(), rgba.data(), w, h));
}

uint32_t fPixel(const std::vector<uint8_t>& pixels, int32_t width, int x, int y) {
    const uint8_t* p = &pixels[(size_t(y) * size_t(width) + size_t(x)) * 4];
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

::testing::AssertionResult fNear(uint32_t actual, uint32_t expected) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = int(actual >> shift & 0xFF), e = int(expected >> shift & 0xFF);
        if (std::abs(a - e) > 3)
            return ::testing::AssertionFailure() << std::hex << "0x" << actual << " != 0x" << expected;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(SceneGlFrame, SpriteAnimationCellAndParticlesFromXml) {
    KC_FILESYSTEM::fGetInstance();
    std::unique_ptr<host::IWindow> window = host::fMakeWindow();
    ASSERT_TRUE(window->fCreate("scene", 1024, 768, false));
    auto render = std::make_unique<KC_RENDER>();
    ASSERT_EQ(render->fInit(window->fNativeHandle(), 0.1f, 0.0f), 1);
    kcRENDER = render.get();
    KC_REPOSITORY repository;
    kcREPOSITORY = &repository;

    fPng("red.png", 32, 32, {0xFFFF0000u});
    fPng("sheet.png", 64, 32, {0xFF00FF00u, 0xFF0000FFu});  // cell 0 green, cell 1 blue
    fPng("dot.png", 8, 8, {0xFFFFFFFFu});
    ASSERT_EQ(repository.fLoad("gfx"), 1);

    pugi::xml_document doc;
    doc.load_string(R"(<sprite><FILE>red.png</FILE><HOT_SPOT>HS_UL</HOT_SPOT><POS>100 100</POS></sprite>
        <anim><FILE>sheet.png</FILE><HOT_SPOT>HS_UL</HOT_SPOT><POS>200 100</POS>
          <ANIMATION grid="2 1" frames="2" fps="10"/></anim>
        <particles texture="dot.png" multiply="false" frequency="1000" gravity="0 0" area="0">
          <velocity>0 0</velocity><startSize>16</startSize><endSize>16</endSize>
          <startColor>FFFFFF00</startColor><averColor>FFFFFF00</averColor><endColor>FFFFFF00</endColor>
        </particles>)");
    G_SPRITE sprite(doc.child("sprite"));
    G_ANIMATION animation(doc.child("anim"));
    G_PARTICLES burst;
    burst.fRead(doc.child("particles"));
    sprite.fReloadTexture();
    animation.fReloadTexture();
    burst.fReloadTexture();
    EXPECT_EQ(animation.fGetWidth(), 32.0f);
    animation.fShowFrame(1);
    burst.fGetSystem()->fSetDuration(0.1f);
    kfFRAME_DELTA = 0.02f;
    for (int i = 0; i < 3; ++i) burst.fUpdate();
    EXPECT_GE(burst.fGetSystem()->mLiveCount, 3);

    ASSERT_EQ(render->fBeginFrame(), 1);
    sprite.fDrawWith();
    animation.fDrawWith();
    burst.fDraw();
    render->fFlush();
    std::vector<uint8_t> pixels;
    int32_t width = 0, height = 0;
    ASSERT_TRUE(render->fGetDevice()->fReadBackBuffer(pixels, width, height));
    ASSERT_EQ(width, 1024);
    EXPECT_EQ(render->fEndFrame(), 0);

    EXPECT_TRUE(fNear(fPixel(pixels, width, 5, 5), 0x444444));
    EXPECT_TRUE(fNear(fPixel(pixels, width, 116, 116), 0xFF0000)) << "the sprite";
    EXPECT_TRUE(fNear(fPixel(pixels, width, 140, 116), 0x444444)) << "the sprite is 32 pixels wide";
    EXPECT_TRUE(fNear(fPixel(pixels, width, 216, 116), 0x0000FF)) << "the animation's second cell";
    EXPECT_TRUE(fNear(fPixel(pixels, width, 512, 384), 0xFFFF00)) << "particles at the screen centre";

    kcREPOSITORY = nullptr;
    sprite.fUnloadTexture();
    animation.fUnloadTexture();
    burst.fUnloadTexture();
    kcRENDER = nullptr;
}
