#include "host/gl/GlDevice.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>
#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

#include "engine/render/KC_RENDER.h"
#include "host/IWindow.h"
#include "host/Image.h"
#include "support/TestEnvironment.h"

using namespace KEL;

namespace {

struct Particle {
    float x, y, z, size;
    uint32_t color;
    Particle* mNext = nullptr;
};

// A hidden GL window of the logical size, so logical and back-buffer pixels
// coincide (offscreen video driver with Mesa's software GL in tests).
class GlFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        mWindow = host::fMakeWindow();
        ASSERT_TRUE(mWindow->fCreate("test", 1024, 768, false));
        // Hold video and the GL library for the whole process: unloading
        // them with the last window unloads Mesa's drivers, whose
        // process-lifetime allocations then cannot be attributed to them.
        static const bool kHeld = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0;
        ASSERT_TRUE(kHeld) << SDL_GetError();
        mRender = std::make_unique<KC_RENDER>();
        ASSERT_EQ(mRender->fInit(mWindow->fNativeHandle(), 0.1f, 0.0f), 1);
    }
    void TearDown() override {
        mRender.reset();
        mWindow.reset();
    }

    void fQuad(float x, float y, float w, float h, uint32_t color, KC_TEXTURE* texture, const KS_RENDER_STATE& s) {
        KS_VERTEX v[4];
        v[0].fSetPos(x, y, 0);
        v[1].fSetPos(x + w, y, 0);
        v[2].fSetPos(x + w, y + h, 0);
        v[3].fSetPos(x, y + h, 0);
        v[1].fSetUV(1, 0);
        v[2].fSetUV(1, 1);
        v[3].fSetUV(0, 1);
        for (auto& vertex : v) vertex.fSetColor(color);
        static const uint16_t kIndices[6] = {0, 1, 2, 0, 2, 3};
        mRender->fDrawBatch(v, texture, &s, 4, kIndices, 6);
    }

    host::GlDevice* fGl() const { return static_cast<host::GlDevice*>(mRender->fGetDevice()); }
    // Triangles through camera 1: the states every quad here starts from.
    static KS_RENDER_STATE fTriangles() {
        KS_RENDER_STATE s;
        s.primitive = KS_RENDER_STATE::kTRIANGLES;
        s.camera = 1;
        return s;
    }

    uint32_t fPixel(int x, int y) const {
        const uint8_t* p = &mPixels[(size_t(y) * mWidth + x) * 4];
        return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }

    std::unique_ptr<host::IWindow> mWindow;
    std::unique_ptr<KC_RENDER> mRender;
    std::vector<uint8_t> mPixels;
    int32_t mWidth = 0, mHeight = 0;
};

::testing::AssertionResult fNear(uint32_t actual, uint32_t expected, int tolerance = 3) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = int((actual >> shift) & 0xFF), e = int((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance)
            return ::testing::AssertionFailure() << std::hex << "0x" << actual << " != 0x" << expected;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST_F(GlFrameTest, DrawsTexturedColouredAdditiveLineAndPointContent) {
    KC_TEXTURE* checker = mRender->fCreateTexture(2, 2);
    const uint32_t texels[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
    ASSERT_TRUE(mRender->fFillTexture(checker, texels));
    KC_TEXTURE* white = mRender->fCreateTexture(1, 1);
    const uint32_t whiteTexel = 0xFFFFFFFFu;
    mRender->fFillTexture(white, &whiteTexel);

    ASSERT_EQ(mRender->fBeginFrame(), 1);
    KS_RENDER_STATE sprite;
    sprite.blend = 1;
    sprite.filter = KS_RENDER_STATE::kFILTER_POINT;
    sprite.textured = 1;
    sprite.primitive = KS_RENDER_STATE::kTRIANGLES;
    sprite.camera = 1;
    fQuad(100, 100, 100, 100, 0xFFFFFFFFu, checker, sprite);
    fQuad(220, 100, 100, 100, 0xFF808080u, checker, sprite);  // modulated by grey
    mRender->fDrawQuad(340, 100, 0xFF00FF00u, 50);
    KS_RENDER_STATE additive = sprite;
    additive.textured = 0;
    additive.additive = 1;
    fQuad(400, 100, 50, 50, 0xFF400000u, nullptr, additive);
    KS_RENDER_STATE blend = additive;
    blend.additive = 0;
    fQuad(460, 100, 50, 50, 0x80FFFFFFu, nullptr, blend);
    mRender->fDrawLine(500, 300, 700, 300, 0xFFFFFF00u);
    Particle points[2] = {{800, 100, 0, 8, 0xFF0000FFu}, {850, 100, 0, 100, 0xFFFF00FFu}};
    points[0].mNext = &points[1];
    KS_RENDER_STATE particle;
    particle.blend = 1;
    particle.filter = KS_RENDER_STATE::kFILTER_POINT;
    particle.textured = 1;
    particle.primitive = KS_RENDER_STATE::kPOINT_SPRITES;
    particle.camera = 1;
    mRender->fDrawBuffer(points, white, &particle, 2);
    // Content left of the logical screen still lands inside the window.
    mRender->fDrawQuad(1000, 700, 0xFFFF0000u, 30);

    mRender->fFlush();
    ASSERT_TRUE(mRender->fGetDevice()->fReadBackBuffer(mPixels, mWidth, mHeight));
    ASSERT_EQ(mWidth, 1024);
    ASSERT_EQ(mHeight, 768);
    const auto png = (testsupport::TestEnvironment::fRoot() / "frame.png").string();
    EXPECT_TRUE(mRender->fSaveFrame(png));
    EXPECT_EQ(mRender->fEndFrame(), 0);

    EXPECT_TRUE(fNear(fPixel(5, 5), 0x444444));      // clear colour
    EXPECT_TRUE(fNear(fPixel(125, 125), 0xFF0000));  // top-left texel
    EXPECT_TRUE(fNear(fPixel(175, 125), 0x00FF00));  // top-right texel
    EXPECT_TRUE(fNear(fPixel(125, 175), 0x0000FF));  // bottom-left texel
    EXPECT_TRUE(fNear(fPixel(175, 175), 0xFFFFFF));
    EXPECT_TRUE(fNear(fPixel(245, 125), 0x800000));  // modulated
    EXPECT_TRUE(fNear(fPixel(365, 125), 0x00FF00));  // untextured square
    EXPECT_TRUE(fNear(fPixel(425, 125), 0x844444));  // additive on the clear colour
    EXPECT_TRUE(fNear(fPixel(485, 125), 0xA2A2A2));  // half alpha
    bool line = false;
    for (int y = 298; y <= 302; ++y) line = line || fNear(fPixel(600, y), 0xFFFF00);
    EXPECT_TRUE(line);
    EXPECT_TRUE(fNear(fPixel(801, 101), 0x0000FF));       // 8-pixel point sprite
    EXPECT_TRUE(fNear(fPixel(806, 100), 0x444444));       // beyond its 4-pixel half size
    EXPECT_TRUE(fNear(fPixel(850 + 30, 100), 0xFF00FF));  // 100 clamps to 64: 32 each side
    EXPECT_TRUE(fNear(fPixel(850 + 34, 100), 0x444444));
    EXPECT_TRUE(fNear(fPixel(1010, 710), 0xFF0000));

    host::GImage saved;
    ASSERT_TRUE(host::fDecodeImageFile(png, saved));
    EXPECT_EQ(saved.width, 1024);
    EXPECT_EQ(saved.rgba[(size_t(125) * 1024 + 125) * 4], 255);
}

TEST_F(GlFrameTest, TexturesFromAnotherThreadAndWrapFollowTheStateWord) {
    KC_TEXTURE* made = nullptr;
    std::thread loader([&] {
        made = mRender->fCreateTexture(2, 1);
        const uint32_t texels[2] = {0xFFFF0000u, 0xFF0000FFu};
        mRender->fFillTexture(made, texels);
    });
    loader.join();
    ASSERT_NE(made, nullptr);
    ASSERT_EQ(mRender->fBeginFrame(), 1);
    KS_RENDER_STATE s = fTriangles();
    s.blend = 1;
    s.filter = KS_RENDER_STATE::kFILTER_POINT;
    s.textured = 1;
    s.wrapU = 1;
    // u from 0 to 2 over 200 pixels: the texture repeats.
    KS_VERTEX v[4];
    v[0].fSetPos(0, 0, 0);
    v[1].fSetPos(200, 0, 0);
    v[2].fSetPos(200, 50, 0);
    v[3].fSetPos(0, 50, 0);
    v[1].fSetUV(2, 0);
    v[2].fSetUV(2, 1);
    v[3].fSetUV(0, 1);
    for (auto& vertex : v) vertex.fSetColor(0xFFFFFFFFu);
    static const uint16_t kIdx[6] = {0, 1, 2, 0, 2, 3};
    mRender->fDrawBatch(v, made, &s, 4, kIdx, 6);
    s.wrapU = 0;  // clamped: the right half repeats the last texel
    for (auto& vertex : v) vertex.y += 100;
    mRender->fDrawBatch(v, made, &s, 4, kIdx, 6);
    mRender->fFlush();
    ASSERT_TRUE(mRender->fGetDevice()->fReadBackBuffer(mPixels, mWidth, mHeight));
    EXPECT_EQ(mRender->fEndFrame(), 0);
    EXPECT_TRUE(fNear(fPixel(125, 25), 0xFF0000));
    EXPECT_TRUE(fNear(fPixel(175, 25), 0x0000FF));
    EXPECT_TRUE(fNear(fPixel(125, 125), 0x0000FF));
    EXPECT_EQ(mRender->fReleaseTexture(made), 1);
}

TEST_F(GlFrameTest, ATextureRefilledAfterItWasDrawnShowsTheNewPixels) {
    KC_TEXTURE* texture = mRender->fCreateTexture(2, 2);
    ASSERT_NE(texture, nullptr);
    const uint32_t red[4] = {0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u};
    const uint32_t green[4] = {0xFF00FF00u, 0xFF00FF00u, 0xFF00FF00u, 0xFF00FF00u};
    KS_RENDER_STATE s = fTriangles();
    s.filter = KS_RENDER_STATE::kFILTER_POINT;
    s.textured = 1;
    // Each frame draws the texture and reads it back; the second frame
    // follows a fill made once the first upload has happened.
    for (const uint32_t* texels : {red, green}) {
        ASSERT_TRUE(mRender->fFillTexture(texture, texels));
        ASSERT_EQ(mRender->fBeginFrame(), 1);
        fQuad(0, 0, 64, 64, 0xFFFFFFFFu, texture, s);
        mRender->fFlush();
        ASSERT_TRUE(mRender->fGetDevice()->fReadBackBuffer(mPixels, mWidth, mHeight));
        EXPECT_EQ(mRender->fEndFrame(), 0);
        EXPECT_TRUE(fNear(fPixel(32, 32), texels[0] & 0xFFFFFFu));
    }
    EXPECT_EQ(mRender->fReleaseTexture(texture), 1);
}

namespace {

float fBoundAnisotropy() {
    GLint sampler = 0;
    glGetIntegerv(GL_SAMPLER_BINDING, &sampler);
    GLfloat amount = 0.0f;
    glGetSamplerParameterfv(GLuint(sampler), 0x84FE /* GL_TEXTURE_MAX_ANISOTROPY */, &amount);
    return amount;
}

GLint fBoundMinFilter() {
    GLint sampler = 0;
    glGetIntegerv(GL_SAMPLER_BINDING, &sampler);
    GLint filter = 0;
    glGetSamplerParameteriv(GLuint(sampler), GL_TEXTURE_MIN_FILTER, &filter);
    return filter;
}

// Heap in use, driver's included: resident size would also count what the
// address sanitizer holds back from reuse.
double fHeldMb() {
#if defined(__SANITIZE_ADDRESS__)
    return double(__sanitizer_get_current_allocated_bytes()) / (1024.0 * 1024.0);
#else
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
#endif
}

}  // namespace

TEST(GlSamplingTest, AnisotropyOnlyWhereDepthVariesAcrossTheDraw) {
    uint32_t states[size_t(host::GSamplerState::COUNT)] = {};
    states[size_t(host::GSamplerState::MAGFILTER)] = host::kTEXF_ANISOTROPIC;
    states[size_t(host::GSamplerState::MINFILTER)] = host::kTEXF_ANISOTROPIC;
    states[size_t(host::GSamplerState::MAXANISOTROPY)] = 16;
    auto flat = host::GlDevice::fChooseSampling(states, false, 16);
    EXPECT_EQ(flat.anisotropy, 1.0f);
    EXPECT_EQ(flat.minFilter, GL_LINEAR);
    EXPECT_EQ(flat.magFilter, GL_LINEAR);
    EXPECT_EQ(host::GlDevice::fChooseSampling(states, true, 16).anisotropy, 16.0f);
    // Never more than the device offers, nor where it offers none.
    EXPECT_EQ(host::GlDevice::fChooseSampling(states, true, 4).anisotropy, 4.0f);
    EXPECT_EQ(host::GlDevice::fChooseSampling(states, true, 1).anisotropy, 1.0f);
    // Point and linear states never get anisotropy.
    states[size_t(host::GSamplerState::MAGFILTER)] = host::kTEXF_POINT;
    states[size_t(host::GSamplerState::MINFILTER)] = host::kTEXF_POINT;
    auto point = host::GlDevice::fChooseSampling(states, true, 16);
    EXPECT_EQ(point.anisotropy, 1.0f);
    EXPECT_EQ(point.minFilter, GL_NEAREST);
    states[size_t(host::GSamplerState::MINFILTER)] = host::kTEXF_LINEAR;
    EXPECT_EQ(host::GlDevice::fChooseSampling(states, true, 16).minFilter, GL_LINEAR);
}

TEST(GlSamplingTest, DepthVariesOnlyForTiltedVertices) {
    // A perspective whose w is the view depth (row vectors: column 3).
    float clip[16] = {};
    clip[0] = clip[5] = 1.0f;
    clip[10] = 1.0f;
    clip[11] = 1.0f;
    clip[14] = -0.1f;
    clip[15] = 0.0f;
    auto vertices = [](std::initializer_list<float> zs) {
        std::vector<uint8_t> bytes;
        float x = 0.0f;
        for (float z : zs) {
            uint8_t vertex[36] = {};
            const float p[3] = {x, 2.0f * x, z};
            std::memcpy(vertex, p, sizeof p);
            bytes.insert(bytes.end(), vertex, vertex + 36);
            x += 10.0f;
        }
        return bytes;
    };
    const auto flat = vertices({500.0f, 500.0f, 500.0f, 500.0f});
    EXPECT_FALSE(host::GlDevice::fDepthVaries(flat.data(), 36, 0, 4, clip));
    const auto tilted = vertices({500.0f, 500.0f, 520.0f, 520.0f, 500.0f});
    EXPECT_TRUE(host::GlDevice::fDepthVaries(tilted.data(), 36, 0, 4, clip));
    // Only the named range counts.
    EXPECT_FALSE(host::GlDevice::fDepthVaries(tilted.data(), 36, 0, 2, clip));
    EXPECT_FALSE(host::GlDevice::fDepthVaries(tilted.data(), 36, 2, 2, clip));
    EXPECT_FALSE(host::GlDevice::fDepthVaries(tilted.data(), 36, 0, 0, clip));
}

TEST_F(GlFrameTest, ScreenAlignedSpritesSampleWithoutAnisotropyAndTiltedOnesWith) {
    KC_TEXTURE* texture = mRender->fCreateTexture(4, 4);
    ASSERT_NE(texture, nullptr);
    const std::vector<uint32_t> white(16, 0xFFFFFFFFu);
    ASSERT_TRUE(mRender->fFillTexture(texture, white.data()));
    KS_RENDER_STATE s = fTriangles();
    s.filter = KS_RENDER_STATE::kFILTER_ANISOTROPIC;
    s.textured = 1;
    ASSERT_EQ(mRender->fBeginFrame(), 1);
    fQuad(10, 10, 64, 64, 0xFFFFFFFFu, texture, s);
    mRender->fFlush();
    ASSERT_TRUE(mRender->fGetDevice()->fReadBackBuffer(mPixels, mWidth, mHeight));  // draws what is recorded
    EXPECT_EQ(fBoundAnisotropy(), 1.0f);
    EXPECT_EQ(fBoundMinFilter(), GL_LINEAR);
    // The same quad leaning into the screen.
    KS_VERTEX v[4];
    v[0].fSetPos(100, 100, 0);
    v[1].fSetPos(300, 100, 0);
    v[2].fSetPos(300, 300, 200);
    v[3].fSetPos(100, 300, 200);
    v[1].fSetUV(1, 0);
    v[2].fSetUV(1, 1);
    v[3].fSetUV(0, 1);
    for (auto& vertex : v) vertex.fSetColor(0xFFFFFFFFu);
    static const uint16_t kIdx[6] = {0, 1, 2, 0, 2, 3};
    mRender->fDrawBatch(v, texture, &s, 4, kIdx, 6);
    mRender->fFlush();
    ASSERT_TRUE(mRender->fGetDevice()->fReadBackBuffer(mPixels, mWidth, mHeight));  // draws what is recorded
    GLfloat most = 1.0f;
    glGetFloatv(0x84FF /* GL_MAX_TEXTURE_MAX_ANISOTROPY */, &most);
    if (most > 1.0f) {
        EXPECT_GT(fBoundAnisotropy(), 1.0f);
    }
    EXPECT_EQ(mRender->fEndFrame(), 0);
    EXPECT_EQ(mRender->fReleaseTexture(texture), 1);
}

TEST_F(GlFrameTest, PresentedFramesDoNotPileUpInTheDriver) {
    KS_RENDER_STATE s = fTriangles();
    s.filter = KS_RENDER_STATE::kFILTER_LINEAR;
    s.textured = 1;
    // As windows opening and closing: each frame draws a picture of its own
    // and gives it back.
    const std::vector<uint32_t> grey(256 * 256, 0xFF808080u);
    auto frame = [&] {
        KC_TEXTURE* texture = mRender->fCreateTexture(256, 256);
        ASSERT_NE(texture, nullptr);
        ASSERT_TRUE(mRender->fFillTexture(texture, grey.data()));
        ASSERT_EQ(mRender->fBeginFrame(), 1);
        fQuad(0, 0, 16, 16, 0xFFFFFFFFu, texture, s);
        EXPECT_EQ(mRender->fEndFrame(), 0);
        EXPECT_EQ(mRender->fReleaseTexture(texture), 1);
    };
    for (int i = 0; i < 10; ++i) frame();
    const double before = fHeldMb();
    for (int i = 0; i < 80; ++i) frame();
    const double grown = fHeldMb() - before;
    EXPECT_LT(grown, 8.0) << "resident memory grew " << grown << " MB over 80 frames";
}

TEST_F(GlFrameTest, AFrameEqualToTheOneOnScreenDrawsNothing) {
    auto* device = fGl();
    KC_TEXTURE* texture = mRender->fCreateTexture(2, 2);
    ASSERT_NE(texture, nullptr);
    const uint32_t red[4] = {0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u};
    const uint32_t green[4] = {0xFF00FF00u, 0xFF00FF00u, 0xFF00FF00u, 0xFF00FF00u};
    ASSERT_TRUE(mRender->fFillTexture(texture, red));
    KS_RENDER_STATE s = fTriangles();
    s.filter = KS_RENDER_STATE::kFILTER_POINT;
    s.textured = 1;
    auto frame = [&](float x, uint32_t colour) {
        ASSERT_EQ(mRender->fBeginFrame(), 1);
        fQuad(x, 10, 64, 64, colour, texture, s);
        fQuad(200, 10, 32, 32, 0xFFFFFFFFu, nullptr, KS_RENDER_STATE());
        EXPECT_EQ(mRender->fEndFrame(), 0);
    };
    frame(10, 0xFFFFFFFFu);
    const int64_t drawn = device->fFramesDrawn();
    const int64_t kept = device->fFramesKept();
    frame(10, 0xFFFFFFFFu);
    frame(10, 0xFFFFFFFFu);
    EXPECT_EQ(device->fFramesDrawn(), drawn);
    EXPECT_EQ(device->fFramesKept(), kept + 2);
    // Any change reaches the screen: a vertex moved, a colour, new pixels in
    // the same texture, another clear colour.
    frame(11, 0xFFFFFFFFu);
    EXPECT_EQ(device->fFramesDrawn(), drawn + 1);
    frame(11, 0xFFFFFFFEu);
    EXPECT_EQ(device->fFramesDrawn(), drawn + 2);
    ASSERT_TRUE(mRender->fFillTexture(texture, green));
    frame(11, 0xFFFFFFFEu);
    EXPECT_EQ(device->fFramesDrawn(), drawn + 3);
    mRender->fSetClearColor(0xFF123456u);
    frame(11, 0xFFFFFFFEu);
    EXPECT_EQ(device->fFramesDrawn(), drawn + 4);
    frame(11, 0xFFFFFFFEu);
    EXPECT_EQ(device->fFramesDrawn(), drawn + 4);
    // A frame read back mid-way shows everything drawn, and the next one
    // is drawn again whatever it holds.
    ASSERT_EQ(mRender->fBeginFrame(), 1);
    fQuad(11, 10, 64, 64, 0xFFFFFFFFu, texture, s);
    mRender->fFlush();
    ASSERT_TRUE(device->fReadBackBuffer(mPixels, mWidth, mHeight));
    EXPECT_TRUE(fNear(fPixel(40, 40), 0x00FF00));
    EXPECT_TRUE(fNear(fPixel(500, 500), 0x123456));
    EXPECT_EQ(mRender->fEndFrame(), 0);
    frame(11, 0xFFFFFFFEu);
    EXPECT_EQ(device->fFramesDrawn(), drawn + 6);
    EXPECT_EQ(mRender->fReleaseTexture(texture), 1);
}

TEST_F(GlFrameTest, AnAnimationStartedWhileTheScreenRestsIsDrawnEveryStepToItsEnd) {
    auto* device = fGl();
    KS_RENDER_STATE s = fTriangles();
    auto frame = [&](float x, bool read) {
        ASSERT_EQ(mRender->fBeginFrame(), 1);
        fQuad(x, 100, 40, 40, 0xFFFF0000u, nullptr, s);
        if (read) {
            mRender->fFlush();
            ASSERT_TRUE(device->fReadBackBuffer(mPixels, mWidth, mHeight));
        }
        EXPECT_EQ(mRender->fEndFrame(), 0);
    };
    for (int i = 0; i < 5; ++i) frame(0, false);
    const int64_t drawn = device->fFramesDrawn();
    EXPECT_GE(device->fFramesKept(), 4);
    // Ten steps of 30 pixels: each one reaches the screen in its own frame.
    for (int step = 1; step <= 10; ++step) {
        frame(float(step * 30), false);
        EXPECT_EQ(device->fFramesDrawn(), drawn + step);
    }
    frame(300, true);
    EXPECT_TRUE(fNear(fPixel(320, 120), 0xFF0000)) << "the quad rests at its end";
    EXPECT_FALSE(fNear(fPixel(20, 120), 0xFF0000)) << "and nowhere near its start";
}

TEST_F(GlFrameTest, AnExposedWindowIsDrawnAgainThoughTheFrameIsUnchanged) {
    auto* device = fGl();
    KS_RENDER_STATE s = fTriangles();
    auto frame = [&]() {
        ASSERT_EQ(mRender->fBeginFrame(), 1);
        fQuad(10, 10, 40, 40, 0xFF00FF00u, nullptr, s);
        EXPECT_EQ(mRender->fEndFrame(), 0);
    };
    frame();
    frame();
    const int64_t drawn = device->fFramesDrawn();
    auto* window = static_cast<SDL_Window*>(mWindow->fNativeHandle());
    auto send = [&](uint8_t what, Uint32 id) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = what;
        event.window.windowID = id;
        SDL_PushEvent(&event);
        SDL_FlushEvent(SDL_WINDOWEVENT);
    };
    // Another window's events and those that lose no pixels change nothing.
    send(SDL_WINDOWEVENT_EXPOSED, SDL_GetWindowID(window) + 100);
    send(SDL_WINDOWEVENT_MOVED, SDL_GetWindowID(window));
    frame();
    EXPECT_EQ(device->fFramesDrawn(), drawn);
    for (uint8_t what :
         {uint8_t(SDL_WINDOWEVENT_EXPOSED), uint8_t(SDL_WINDOWEVENT_RESTORED), uint8_t(SDL_WINDOWEVENT_SHOWN)}) {
        const int64_t before = device->fFramesDrawn();
        send(what, SDL_GetWindowID(window));
        frame();
        EXPECT_EQ(device->fFramesDrawn(), before + 1) << int(what);
        frame();
        EXPECT_EQ(device->fFramesDrawn(), before + 1) << "once only";
    }
}

namespace {

// Vertices in screen pixels of a 1024 x 768 view (w = 1), with texel
// coordinates for a texture of `size` texels.
struct AlignedQuads {
    std::vector<uint8_t> bytes;
    std::vector<uint16_t> indices;
    float clip[16] = {};
    AlignedQuads() {
        clip[0] = 1.0f / 512.0f;
        clip[12] = -1.0f;
        clip[5] = -1.0f / 384.0f;
        clip[13] = 1.0f;
        clip[10] = 1.0f;
        clip[15] = 1.0f;
    }
    // A quad from (x, y), w x h pixels, showing texels from (tx, ty) of
    // tw x th texels of a texture `size` wide and high.
    void fAdd(float x, float y, float w, float h, float tx, float ty, float tw, float th, float size) {
        const uint16_t base = uint16_t(bytes.size() / 36);
        const float corners[4][4] = {
            {x, y, tx, ty}, {x + w, y, tx + tw, ty}, {x + w, y + h, tx + tw, ty + th}, {x, y + h, tx, ty + th}};
        for (const auto& c : corners) {
            uint8_t vertex[36] = {};
            const float p[3] = {c[0], c[1], 1.0f};
            const float uv[2] = {c[2] / size, c[3] / size};
            std::memcpy(vertex, p, sizeof p);
            std::memcpy(vertex + 28, uv, sizeof uv);
            bytes.insert(bytes.end(), vertex, vertex + 36);
        }
        for (uint16_t i : {0, 1, 2, 0, 2, 3}) indices.push_back(uint16_t(base + i));
    }
    bool fAligned(float size = 64.0f) const {
        return host::GlDevice::fTexelAligned(bytes.data(), 36, uint32_t(bytes.size() / 36), indices.data(),
                                             uint32_t(indices.size()), clip, 1024, 768, int32_t(size), int32_t(size));
    }
};

}  // namespace

TEST(GlSamplingTest, TexelAlignedDrawsSampleTheNearestTexel) {
    uint32_t states[size_t(host::GSamplerState::COUNT)] = {};
    states[size_t(host::GSamplerState::MAGFILTER)] = host::kTEXF_LINEAR;
    states[size_t(host::GSamplerState::MINFILTER)] = host::kTEXF_LINEAR;
    EXPECT_EQ(host::GlDevice::fChooseSampling(states, false, 16, false).magFilter, GL_LINEAR);
    const auto aligned = host::GlDevice::fChooseSampling(states, false, 16, true);
    EXPECT_EQ(aligned.magFilter, GL_NEAREST);
    EXPECT_EQ(aligned.minFilter, GL_NEAREST);

    {
        AlignedQuads q;  // one texel to one pixel at whole pixels
        q.fAdd(100, 50, 64, 64, 0, 0, 64, 64, 64);
        EXPECT_TRUE(q.fAligned());
        // Glyphs from one sheet at different places each keep their texels.
        q.fAdd(300, 17, 10, 12, 20, 30, 10, 12, 64);
        EXPECT_TRUE(q.fAligned());
        q.fAdd(0, 0, 20, 20, 0, 0, 10, 10, 64);  // one glyph doubled
        EXPECT_FALSE(q.fAligned());
    }
    {
        AlignedQuads q;  // half a pixel off: texel centres fall between pixels
        q.fAdd(100.5f, 50, 64, 64, 0, 0, 64, 64, 64);
        EXPECT_FALSE(q.fAligned());
    }
    {
        AlignedQuads q;  // mirrored
        q.fAdd(100, 50, 64, 64, 64, 0, -64, 64, 64);
        EXPECT_FALSE(q.fAligned());
    }
    {
        AlignedQuads q;  // the whole screen a third of a pixel wider: still one to one
        q.fAdd(0, 0, 1024.34f, 768, 0, 0, 1024, 768, 1024);
        EXPECT_TRUE(q.fAligned(1024));
        AlignedQuads wider;  // a hundred pixels one wider is not
        wider.fAdd(0, 0, 101, 100, 0, 0, 100, 100, 1024);
        EXPECT_FALSE(wider.fAligned(1024));
    }
    {
        AlignedQuads q;  // broken input never passes
        q.fAdd(0, 0, 64, 64, 0, 0, 64, 64, 64);
        q.indices[2] = 40;
        EXPECT_FALSE(q.fAligned());
        EXPECT_FALSE(host::GlDevice::fTexelAligned(q.bytes.data(), 36, 4, nullptr, 0, q.clip, 0, 768, 64, 64));
    }
}

TEST_F(GlFrameTest, OpaquePicturesCoverWhatIsBehindAndTranslucentOnesStillBlend) {
    KC_TEXTURE* opaque = mRender->fCreateTexture(2, 2);
    KC_TEXTURE* holed = mRender->fCreateTexture(2, 2);
    KC_TEXTURE* texels = mRender->fCreateTexture(2, 2);
    ASSERT_TRUE(opaque && holed && texels);
    const uint32_t checker[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
    const uint32_t seeThrough[4] = {0xFFFF0000u, 0x00000000u, 0xFF0000FFu, 0xFFFFFFFFu};
    ASSERT_TRUE(mRender->fFillTexture(opaque, checker));
    ASSERT_TRUE(mRender->fFillTexture(holed, seeThrough));
    ASSERT_TRUE(mRender->fFillTexture(texels, checker));
    KS_RENDER_STATE s = fTriangles();
    s.blend = 1;
    s.filter = KS_RENDER_STATE::kFILTER_LINEAR;
    s.textured = 1;
    KS_RENDER_STATE flat = s;
    flat.textured = 0;
    ASSERT_EQ(mRender->fBeginFrame(), 1);
    fQuad(0, 0, 400, 200, 0xFF808080u, nullptr, flat);
    // Stretched, at full alpha, half alpha, and with a clear texel.
    fQuad(10, 10, 100, 100, 0xFFFFFFFFu, opaque, s);
    fQuad(150, 10, 100, 100, 0x80FFFFFFu, opaque, s);
    fQuad(290, 10, 100, 100, 0xFFFFFFFFu, holed, s);
    // One texel to one pixel (in a draw of its own): the texels themselves,
    // linear or not.
    fQuad(10, 150, 2, 2, 0xFFFFFFFFu, texels, s);
    mRender->fFlush();
    ASSERT_TRUE(fGl()->fReadBackBuffer(mPixels, mWidth, mHeight));
    EXPECT_TRUE(fNear(fPixel(15, 15), 0xFF0000));
    EXPECT_TRUE(fNear(fPixel(155, 15), 0xBF4040, 4)) << "half over grey";
    EXPECT_TRUE(fNear(fPixel(385, 15), 0x808080)) << "the clear texel shows the grey";
    EXPECT_TRUE(fNear(fPixel(295, 15), 0xFF0000));
    EXPECT_TRUE(fNear(fPixel(10, 150), 0xFF0000));
    EXPECT_TRUE(fNear(fPixel(11, 150), 0x00FF00));
    EXPECT_TRUE(fNear(fPixel(10, 151), 0x0000FF));
    EXPECT_TRUE(fNear(fPixel(11, 151), 0xFFFFFF));
    EXPECT_EQ(mRender->fEndFrame(), 0);
}

TEST_F(GlFrameTest, AFrameChangedInOnePlaceRedrawsOnlyThereAndShowsTheWholeNewPicture) {
    auto* device = fGl();
    KS_RENDER_STATE s = fTriangles();
    s.blend = 1;
    auto frame = [&](float redX, uint32_t blue) {
        ASSERT_EQ(mRender->fBeginFrame(), 1);
        fQuad(0, 0, 1024, 768, 0xFF808080u, nullptr, s);
        fQuad(redX, 100, 50, 50, 0xFFFF0000u, nullptr, s);
        fQuad(600, 400, 50, 50, blue, nullptr, s);
        fQuad(0, 700, 1024, 20, 0x8000FF00u, nullptr, s);  // half green over all of it
        EXPECT_EQ(mRender->fEndFrame(), 0);
    };
    auto shown = [&]() {
        mPixels.clear();
        EXPECT_TRUE(device->fReadShown(mPixels, mWidth, mHeight));
        return !mPixels.empty();
    };
    frame(100, 0xFF0000FFu);
    frame(100, 0xFF0000FFu);
    ASSERT_TRUE(shown());
    EXPECT_TRUE(fNear(fPixel(120, 120), 0xFF0000));
    // The red square moves; the blue one changes colour; nothing else.
    for (float x : {300.0f, 310.0f, 900.0f}) {
        frame(x, 0xFF0000FFu);
        ASSERT_TRUE(shown());
        EXPECT_TRUE(fNear(fPixel(int(x) + 20, 120), 0xFF0000)) << x;
        EXPECT_TRUE(fNear(fPixel(120, 120), 0x808080)) << "the old place is grey again";
        EXPECT_TRUE(fNear(fPixel(620, 420), 0x0000FF));
        EXPECT_TRUE(fNear(fPixel(5, 5), 0x808080));
        EXPECT_TRUE(fNear(fPixel(500, 710), 0x40C040, 4)) << "blended once, not twice";
    }
    frame(900, 0xFFFFFF00u);
    ASSERT_TRUE(shown());
    EXPECT_TRUE(fNear(fPixel(620, 420), 0xFFFF00));
    EXPECT_TRUE(fNear(fPixel(920, 120), 0xFF0000));
    // A frame with another number of draws is drawn whole.
    ASSERT_EQ(mRender->fBeginFrame(), 1);
    fQuad(0, 0, 1024, 768, 0xFF202020u, nullptr, s);
    EXPECT_EQ(mRender->fEndFrame(), 0);
    ASSERT_TRUE(shown());
    EXPECT_TRUE(fNear(fPixel(620, 420), 0x202020));
    EXPECT_TRUE(fNear(fPixel(500, 710), 0x202020));
    // Read mid-frame, the picture is no longer the one shown.
    ASSERT_EQ(mRender->fBeginFrame(), 1);
    fQuad(0, 0, 10, 10, 0xFFFFFFFFu, nullptr, s);
    mRender->fFlush();
    ASSERT_TRUE(device->fReadBackBuffer(mPixels, mWidth, mHeight));
    EXPECT_FALSE(device->fReadShown(mPixels, mWidth, mHeight));
    EXPECT_EQ(mRender->fEndFrame(), 0);
}

TEST(GlDamageTest, RectanglesThatMeetBecomeOneAndNoneEverOverlap) {
    using Rect = host::GlDevice::DamageRect;
    std::vector<Rect> rects;
    host::GlDevice::fAddDamage(rects, {0, 0, 0, 10});
    EXPECT_TRUE(rects.empty()) << "an empty rectangle adds nothing";
    host::GlDevice::fAddDamage(rects, {10, 10, 20, 20});
    host::GlDevice::fAddDamage(rects, {500, 400, 30, 30});
    ASSERT_EQ(rects.size(), 2u) << "far apart: two passes";
    host::GlDevice::fAddDamage(rects, {34, 10, 10, 10});  // four pixels from the first
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects.back().x, 10);
    EXPECT_EQ(rects.back().w, 34);
    // A rectangle reaching two joins them both.
    host::GlDevice::fAddDamage(rects, {40, 20, 470, 390});
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].x, 10);
    EXPECT_EQ(rects[0].y, 10);
    EXPECT_EQ(rects[0].w, 520);
    EXPECT_EQ(rects[0].h, 420);
    // Past the most, the cheapest pair is joined, and what it then meets.
    rects.clear();
    const Rect spread[] = {{0, 0, 10, 10}, {100, 0, 10, 10}, {200, 0, 10, 10}, {0, 300, 10, 10}, {60, 300, 10, 10}};
    for (const Rect& r : spread) host::GlDevice::fAddDamage(rects, r, 3);
    EXPECT_LE(rects.size(), 3u);
    int64_t covered = 0;
    for (size_t i = 0; i < rects.size(); ++i) {
        covered += int64_t(rects[i].w) * rects[i].h;
        for (size_t j = i + 1; j < rects.size(); ++j) {
            const Rect& a = rects[i];
            const Rect& b = rects[j];
            EXPECT_FALSE(a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h) << i << " " << j;
        }
    }
    for (const Rect& r : spread) {
        bool inside = false;
        for (const Rect& o : rects)
            inside = inside || (r.x >= o.x && r.y >= o.y && r.x + r.w <= o.x + o.w && r.y + r.h <= o.y + o.h);
        EXPECT_TRUE(inside) << r.x << "," << r.y;
    }
    EXPECT_LT(covered, 30000) << "the far rows stay apart";
}

// Frames changed in a few places: each place is redrawn alone, and the
// picture shown is the one the whole frame draws.
TEST_F(GlFrameTest, FramesChangedInFewPlacesRedrawOnlyThoseAndShowTheWholePicture) {
    auto* device = fGl();
    KS_RENDER_STATE s = fTriangles();
    s.blend = 1;
    KS_RENDER_STATE additive = s;
    additive.additive = 1;
    struct Scene {
        float cursorX = 100, cornerX = 900;
        int lit = -1;       // the cell drawn yellow, -1 none
        bool bars = false;  // additive bars drawn between cells and cursor
    };
    auto draw = [&](const Scene& scene) {
        fQuad(0, 0, 1024, 768, 0xFF808080u, nullptr, s);
        // A board of cells with one state: one draw, however many cells.
        for (int c = 0; c < 100; ++c)
            fQuad(float(300 + c % 10 * 40), float(200 + c / 10 * 40), 36, 36,
                  c == scene.lit ? 0xFFFFFF00u : 0xFF2040A0u, nullptr, s);
        if (scene.bars) {
            fQuad(300, 300, 400, 36, 0x60FFFFFFu, nullptr, additive);
            fQuad(420, 200, 36, 400, 0x60FFFFFFu, nullptr, additive);
        }
        mRender->fFlush();
        fQuad(scene.cursorX, 100, 30, 30, 0xC0FF0000u, nullptr, s);
        fQuad(scene.cornerX, 700, 50, 50, 0xFF00FF00u, nullptr, s);
    };
    auto present = [&](const Scene& scene) {
        ASSERT_EQ(mRender->fBeginFrame(), 1);
        draw(scene);
        EXPECT_EQ(mRender->fEndFrame(), 0);
    };
    // The same frame drawn whole into the canvas.
    auto whole = [&](const Scene& scene) {
        std::vector<uint8_t> pixels;
        int32_t w = 0, h = 0;
        EXPECT_EQ(mRender->fBeginFrame(), 1);
        draw(scene);
        mRender->fFlush();
        EXPECT_TRUE(device->fReadBackBuffer(pixels, w, h));
        EXPECT_EQ(mRender->fEndFrame(), 0);
        return pixels;
    };
    auto damaged = [&]() {
        int64_t area = 0;
        for (const auto& r : device->fLastDamage()) area += int64_t(r.w) * r.h;
        return area;
    };
    Scene scene;
    present(scene);
    present(scene);
    const Scene steps[] = {
        {140, 900, -1, false},  // the cursor moves
        {180, 850, -1, false},  // and the corner too, far away
        {180, 850, 37, false},  // one cell of the board changes
        {200, 850, 38, true},   // bars come between board and cursor
        {220, 850, 38, false},  // and go
    };
    for (size_t k = 0; k < std::size(steps); ++k) {
        const Scene& step = steps[k];
        present(step);
        const auto rects = device->fLastDamage();
        ASSERT_FALSE(rects.empty()) << k << ": drawn in part";
        EXPECT_LT(damaged(), step.bars || scene.bars ? 60000 : 12000) << k;
        ASSERT_TRUE(device->fReadShown(mPixels, mWidth, mHeight));
        const std::vector<uint8_t> shown = mPixels;
        const std::vector<uint8_t> expected = whole(step);
        ASSERT_EQ(shown.size(), expected.size());
        size_t differ = 0;
        for (size_t i = 0; i < shown.size(); ++i) differ += std::abs(int(shown[i]) - int(expected[i])) > 2;
        EXPECT_EQ(differ, 0u) << k;
        present(step);  // after the read: drawn whole again
        scene = step;
    }
}

// A draw sampled or blended another way because one of its primitives
// changed changes the look of all of them: it is redrawn whole.
TEST_F(GlFrameTest, ADrawSampledAnotherWayAfterOnePrimitiveChangedIsRedrawnWhole) {
    auto* device = fGl();
    KC_TEXTURE* stripes = mRender->fCreateTexture(16, 16);
    ASSERT_NE(stripes, nullptr);
    std::vector<uint32_t> texels(256);
    for (size_t i = 0; i < texels.size(); ++i) texels[i] = i % 2 ? 0xFF000000u : 0xFFFFFFFFu;
    ASSERT_TRUE(mRender->fFillTexture(stripes, texels.data()));
    KS_RENDER_STATE s = fTriangles();
    s.filter = KS_RENDER_STATE::kFILTER_LINEAR;
    s.textured = 1;
    s.blend = 1;
    // Two sprites of one texture and state: one draw. The first lies a third
    // of a pixel off the texel grid, near enough to be sampled at its
    // nearest texels while every sprite of the draw is.
    auto draw = [&](float size) {
        fQuad(0, 0, 1024, 768, 0xFF808080u, nullptr, KS_RENDER_STATE());
        fQuad(100.3f, 100, 16, 16, 0xFFFFFFFFu, stripes, s);
        fQuad(600, 400, size, size, 0xFFFFFFFFu, stripes, s);
    };
    auto present = [&](float size) {
        ASSERT_EQ(mRender->fBeginFrame(), 1);
        draw(size);
        EXPECT_EQ(mRender->fEndFrame(), 0);
    };
    present(16);
    present(16);
    for (float size : {24.0f, 16.0f}) {
        present(size);  // the second sprite scaled, then back: the first is sampled another way
        ASSERT_FALSE(device->fLastDamage().empty()) << size;
        ASSERT_TRUE(device->fReadShown(mPixels, mWidth, mHeight));
        const uint32_t shown = fPixel(104, 108);
        ASSERT_EQ(mRender->fBeginFrame(), 1);
        draw(size);
        mRender->fFlush();
        ASSERT_TRUE(device->fReadBackBuffer(mPixels, mWidth, mHeight));
        EXPECT_EQ(mRender->fEndFrame(), 0);
        EXPECT_TRUE(fNear(shown, fPixel(104, 108), 1)) << size << ": " << std::hex << shown << " " << fPixel(104, 108);
        present(size);
    }
    EXPECT_EQ(mRender->fReleaseTexture(stripes), 1);
}

// Pictures let go with a screen leave megabytes of free pages in the heap;
// once the driver has deleted them, the next frame hands them back. A few
// small pictures are not worth the walk through the heap.
TEST_F(GlFrameTest, LargePicturesLetGoHandTheirPagesBackOnTheNextFrame) {
    auto* device = fGl();
    KS_RENDER_STATE s = fTriangles();
    s.textured = 1;
    const auto drawn = [&](int32_t side) {
        KC_TEXTURE* texture = mRender->fCreateTexture(side, side);
        EXPECT_NE(texture, nullptr);
        const std::vector<uint32_t> texels(size_t(side) * size_t(side), 0xFF336699u);
        EXPECT_TRUE(mRender->fFillTexture(texture, texels.data()));
        EXPECT_EQ(mRender->fBeginFrame(), 1);
        fQuad(0, 0, 64, 64, 0xFFFFFFFFu, texture, s);
        EXPECT_EQ(mRender->fEndFrame(), 0);
        return texture;
    };
    const auto frames = [&](int count) {
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(mRender->fBeginFrame(), 1);
            fQuad(100, 100, 8, 8, 0xFF000000u | uint32_t(i), nullptr, KS_RENDER_STATE());
            ASSERT_EQ(mRender->fEndFrame(), 0);
        }
    };
    const int64_t before = device->fMemoryReturns();
    EXPECT_EQ(mRender->fReleaseTexture(drawn(64)), 1);
    frames(3);
    EXPECT_EQ(device->fMemoryReturns(), before) << "16 KB let go";
    KC_TEXTURE* large = drawn(1024);
    frames(3);
    EXPECT_EQ(device->fMemoryReturns(), before) << "still drawn";
    EXPECT_EQ(mRender->fReleaseTexture(large), 1);
    frames(3);
    EXPECT_EQ(device->fMemoryReturns(), before + 1) << "4 MB let go, handed back once";
}
