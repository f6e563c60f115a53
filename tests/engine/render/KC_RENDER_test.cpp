#include "engine/render/KC_RENDER.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <thread>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/resources/KS_RESOURCE_CONVERTERS.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "host/IMessageBox.h"
#include "host/IWindow.h"
#include "host/Image.h"
#include "host/recording/RecordingDevice.h"
#include "support/TestEnvironment.h"

using namespace KEL;
using host::GPrimitive;
using host::GRenderState;
using host::GSamplerState;
using host::RecordingDevice;

namespace {

struct Particle {
    float x, y, z, size;
    uint32_t color;
    float life = 1.0f;
    Particle* mNext = nullptr;
};

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        mDevice = new RecordingDevice;
        mRender.fSetDevice(mDevice);
        ASSERT_EQ(mRender.fInit(nullptr, 0.1f, 0.0f), 1);
        mDevice->fClearLog();
    }

    // A sprite: blend, anisotropic filter, textured, triangles, camera 2.
    static KS_RENDER_STATE fSprite() {
        KS_RENDER_STATE s;
        s.blend = 1;
        s.filter = KS_RENDER_STATE::kFILTER_ANISOTROPIC;
        s.textured = 1;
        s.primitive = KS_RENDER_STATE::kTRIANGLES;
        s.camera = 1;
        return s;
    }

    void fQuad(KC_TEXTURE* texture, const KS_RENDER_STATE& state, float x = 0) {
        KS_VERTEX v[4];
        v[0].fSetPos(x, 0, 0);
        v[1].fSetPos(x + 10, 0, 0);
        v[2].fSetPos(x + 10, 10, 0);
        v[3].fSetPos(x, 10, 0);
        static const uint16_t kIndices[6] = {0, 1, 2, 0, 2, 3};
        mRender.fDrawBatch(v, texture, &state, 4, kIndices, 6);
    }

    int32_t fBegin() { return mRender.fBeginFrame(); }

    RecordingDevice* mDevice = nullptr;
    KC_RENDER mRender;
};

std::string fPngBytes(int32_t w, int32_t h) {
    std::vector<uint8_t> rgba(size_t(w) * h * 4, 0x80);
    const auto path = testsupport::TestEnvironment::fRoot() / "image.png";
    EXPECT_TRUE(host::fWritePng(path.string(), rgba.data(), w, h));
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST_F(RenderTest, InitCreatesDeviceDefaultTextureAndSecondCamera) {
    EXPECT_EQ(mDevice->mCreateAttempts, 1);
    ASSERT_NE(mRender.fGetDefaultTexture(), nullptr);
    EXPECT_EQ(mRender.fGetDefaultTexture()->fGetSize(), KS_POINT(16, 16));
    EXPECT_EQ(mRender.fGetCameraMatrix(), mRender.fGetCamera(2)->fGetMatrixPointer());
    EXPECT_EQ(mDevice->fRenderState(GRenderState::CULLMODE), host::kCULL_NONE);
    EXPECT_EQ(mRender.fGetState().fWord(), (1u << 1) | (1u << 17));
    EXPECT_EQ(mRender.fGetSceneState(), 1);
    EXPECT_EQ(KC_RENDER::fCurrent(), &mRender);
    EXPECT_EQ(mRender.fLoadShader(), -1);
}

TEST(RenderInit, CreationLadderAndFailure) {
    {
        auto* device = new RecordingDevice;
        device->mFailCreateAttempts = 3;
        KC_RENDER render;
        render.fSetDevice(device);
        EXPECT_EQ(render.fInit(nullptr, 0.1f, 0.0f), 1);
        ASSERT_EQ(device->mAttempts.size(), 4u);
        EXPECT_EQ(device->mAttempts[2].first, host::GDeviceType::REF);
        EXPECT_EQ(device->mAttempts[3].second, host::kCREATE_MULTITHREADED | host::kCREATE_MIXED_VP);
    }
    {
        auto* device = new RecordingDevice;
        device->mFailCreateAttempts = 100;
        KC_RENDER render;
        render.fSetDevice(device);
        EXPECT_EQ(render.fInit(nullptr, 0.1f, 0.0f), -1);
        EXPECT_EQ(device->mCreateAttempts, 7);
        EXPECT_EQ(render.fBeginFrame(), -1);  // still no device: no frame, no crash
        EXPECT_EQ(render.fBeginFrame(), -1);
        std::string said;
        host::fSetMessageBoxHook([&](const std::string& caption, const std::string& text) {
            said = caption + ": " + text;
            return host::MessageBoxAnswer::kAnswered;
        });
        KC_TEXTURE* stand_in = render.fLoadTexture("junk", 4);
        host::fSetMessageBoxHook({});
        ASSERT_NE(stand_in, nullptr);
        EXPECT_EQ(stand_in->fGetWidth(), 0);
        EXPECT_EQ(said, "error: defaultTexture not exist!!!");
        EXPECT_EQ(render.fReleaseTexture(stand_in), 1);
    }
}

TEST_F(RenderTest, BatchBreaksOnTextureStateAndCapacity) {
    KC_TEXTURE* a = mRender.fCreateTexture(4, 4);
    KC_TEXTURE* b = mRender.fCreateTexture(4, 4);
    const KS_RENDER_STATE s = fSprite();
    ASSERT_EQ(fBegin(), 1);
    fQuad(a, s);
    fQuad(a, s, 20);
    mRender.fFlush();
    EXPECT_EQ(mDevice->mDrawCalls, 1);
    EXPECT_EQ(mDevice->mPrimitives, 4);
    ASSERT_EQ(mDevice->mDraws.size(), 1u);
    EXPECT_EQ(mDevice->mDraws[0].texture, a->mTexture.get());
    EXPECT_EQ(mDevice->mDraws[0].indices, (std::vector<uint16_t>{0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7}));

    fQuad(a, s);
    fQuad(b, s);
    mRender.fFlush();
    EXPECT_EQ(mDevice->mDrawCalls, 3);

    KS_RENDER_STATE spare = s;
    spare.spare3 = 1;
    fQuad(b, s);
    fQuad(b, spare);
    mRender.fFlush();
    EXPECT_EQ(mDevice->mDrawCalls, 5);

    // Antialias alone neither breaks the batch nor gets applied.
    KS_RENDER_STATE aa = spare;
    aa.antialias = 1;
    const int32_t changes = mRender.fGetStateChangeCount();
    fQuad(b, aa);
    fQuad(b, spare);
    mRender.fFlush();
    EXPECT_EQ(mDevice->mDrawCalls, 6);
    EXPECT_EQ(mRender.fGetStateChangeCount(), changes);
    EXPECT_EQ(mDevice->fRenderState(GRenderState::MULTISAMPLEANTIALIAS), 0u);
    EXPECT_EQ(mRender.fEndFrame(), 0);
}

TEST_F(RenderTest, CapacityLimitsFlushOrRefuse) {
    std::vector<KS_VERTEX> many(5000);
    std::vector<uint16_t> indices(15000, 0);
    KS_RENDER_STATE s = fSprite();
    s.textured = 0;
    ASSERT_EQ(fBegin(), 1);
    // 5000 + 5000 vertices pass 8192: two draw calls.
    mRender.fDrawBatch(many.data(), nullptr, &s, 5000, indices.data(), 3000);
    mRender.fDrawBatch(many.data(), nullptr, &s, 5000, indices.data(), 3000);
    mRender.fFlush();
    EXPECT_EQ(mDevice->mDrawCalls, 2);
    // Few vertices but indices past 24570: the batch breaks too.
    mRender.fDrawBatch(many.data(), nullptr, &s, 100, indices.data(), 15000);
    mRender.fDrawBatch(many.data(), nullptr, &s, 100, indices.data(), 15000);
    mRender.fFlush();
    EXPECT_EQ(mDevice->mDrawCalls, 4);
    EXPECT_EQ(mDevice->mDraws[3].count, 5000u);
    // A single request larger than a buffer draws nothing.
    std::vector<KS_VERTEX> huge(8193);
    mRender.fDrawBatch(huge.data(), nullptr, &s, 8193, nullptr, 0);
    mRender.fDrawBatch(many.data(), nullptr, &s, 10, indices.data(), 24571);
    mRender.fFlush();
    EXPECT_EQ(mDevice->mDrawCalls, 4);
    // Exactly full is fine.
    std::vector<KS_VERTEX> full(8192);
    mRender.fDrawBatch(full.data(), nullptr, &s, 8192, nullptr, 0);
    mRender.fFlush();
    EXPECT_EQ(mDevice->mDrawCalls, 5);
    EXPECT_EQ(mDevice->mDraws[4].count, 8192u / 3);
}

TEST_F(RenderTest, UntexturedWordsBreakButBindNothing) {
    KC_TEXTURE* a = mRender.fCreateTexture(4, 4);
    KC_TEXTURE* b = mRender.fCreateTexture(4, 4);
    KS_RENDER_STATE s = fSprite();
    s.textured = 0;
    ASSERT_EQ(fBegin(), 1);
    fQuad(a, s);
    EXPECT_EQ(mDevice->fBoundTexture(), nullptr);
    fQuad(b, s);
    EXPECT_EQ(mDevice->fBoundTexture(), nullptr);
    mRender.fFlush();
    EXPECT_EQ(mDevice->mDrawCalls, 2);
    // With no texture at all, untextured quads keep batching.
    fQuad(nullptr, s);
    fQuad(nullptr, s);
    mRender.fFlush();
    EXPECT_EQ(mDevice->mDrawCalls, 3);
}

TEST_F(RenderTest, PlainListsAndMixedIndexing) {
    KS_RENDER_STATE s;
    s.primitive = KS_RENDER_STATE::kTRIANGLES;
    KS_VERTEX v[6];
    for (int i = 0; i < 6; ++i) v[i].fSetPos(float(i), 0, 0);
    ASSERT_EQ(fBegin(), 1);
    mRender.fDrawBatch(v, nullptr, &s, 6, nullptr, 0);
    mRender.fFlush();
    ASSERT_EQ(mDevice->mDraws.size(), 1u);
    EXPECT_FALSE(mDevice->mDraws[0].indexed);
    EXPECT_EQ(mDevice->mDraws[0].type, GPrimitive::TRIANGLELIST);
    EXPECT_EQ(mDevice->mDraws[0].count, 2u);
    // A plain list after an indexed one must not vanish inside it.
    static const uint16_t kIdx[3] = {0, 1, 2};
    mRender.fDrawBatch(v, nullptr, &s, 3, kIdx, 3);
    mRender.fDrawBatch(v, nullptr, &s, 6, nullptr, 0);
    mRender.fFlush();
    ASSERT_EQ(mDevice->mDraws.size(), 3u);
    EXPECT_EQ(mDevice->mDraws[2].count, 2u);
    // Lines and points count by pairs and singles.
    s.primitive = KS_RENDER_STATE::kLINES;
    mRender.fDrawBatch(v, nullptr, &s, 6, nullptr, 0);
    s.primitive = KS_RENDER_STATE::kPOINTS;
    mRender.fDrawBatch(v, nullptr, &s, 6, nullptr, 0);
    mRender.fFlush();
    EXPECT_EQ(mDevice->mDraws[3].type, GPrimitive::LINELIST);
    EXPECT_EQ(mDevice->mDraws[3].count, 3u);
    EXPECT_EQ(mDevice->mDraws[4].type, GPrimitive::POINTLIST);
    EXPECT_EQ(mDevice->mDraws[4].count, 6u);
}

TEST_F(RenderTest, WorldMatrixAppliesOnTheCpuAndCameraAtFlush) {
    KS_MATRIX world;
    world.fTranslate(100, 50, 0);
    world.fScale(2, 2, 1);
    mRender.fSetWorldMatrix(world);
    ASSERT_EQ(fBegin(), 1);
    fQuad(nullptr, fSprite());
    mRender.fFlush();
    ASSERT_EQ(mDevice->mDraws.size(), 1u);
    const auto* out = reinterpret_cast<const KS_VERTEX*>(mDevice->mDraws[0].vertices.data());
    EXPECT_EQ(out[2].x, 120.0f);
    EXPECT_EQ(out[2].y, 70.0f);
    const KS_MATRIX& camera = mRender.fGetCamera(2)->fGetMatrix();
    EXPECT_TRUE(std::equal(camera.m, camera.m + 16, mDevice->mDraws[0].world.begin()));

    // A mesh is drawn untransformed with world x camera on the device.
    KS_VERTEX v[3];
    v[1].fSetPos(1, 0, 0);
    static const uint16_t kIdx[3] = {0, 1, 2};
    const KS_RENDER_STATE s = fSprite();
    mRender.fDrawMesh(v, nullptr, &s, 3, kIdx, 3);
    ASSERT_EQ(mDevice->mDraws.size(), 2u);
    const auto* mesh = reinterpret_cast<const KS_VERTEX*>(mDevice->mDraws[1].vertices.data());
    EXPECT_EQ(mesh[1].x, 1.0f);
    const KS_MATRIX expected = world * camera;
    EXPECT_TRUE(std::equal(expected.m, expected.m + 16, mDevice->mDraws[1].world.begin()));
    EXPECT_EQ(mDevice->mDraws[1].texture, mRender.fGetDefaultTexture()->mTexture.get());
    EXPECT_TRUE(std::equal(camera.m, camera.m + 16, mDevice->fTransform(host::GTransform::WORLD)));
}

TEST_F(RenderTest, WorldFromTransformPlacesThePivotAtThePosition) {
    KS_TRANSFORM3 t;
    t.mPivot.fSet(10, 10, 0);
    t.fSetScale(2, 2, 1);
    t.fSetPos(300, 200, 0);
    mRender.fSetWorld(t);
    ASSERT_EQ(fBegin(), 1);
    KS_VERTEX v[2];
    v[0].fSetPos(10, 10, 0);
    v[1].fSetPos(11, 10, 0);
    KS_RENDER_STATE s;
    s.primitive = KS_RENDER_STATE::kLINES;
    mRender.fDrawBatch(v, nullptr, &s, 2, nullptr, 0);
    mRender.fFlush();
    const auto* out = reinterpret_cast<const KS_VERTEX*>(mDevice->mDraws[0].vertices.data());
    EXPECT_FLOAT_EQ(out[0].x, 300.0f);
    EXPECT_FLOAT_EQ(out[0].y, 200.0f);
    EXPECT_FLOAT_EQ(out[1].x, 302.0f);
}

TEST_F(RenderTest, SquaresAndLinesUseIdentityWorldAtDepthOne) {
    KS_MATRIX world;
    world.fTranslate(500, 500, 0);
    mRender.fSetWorldMatrix(world);
    ASSERT_EQ(fBegin(), 1);
    mRender.fDrawQuad(10, 20, 0xFF00FF00u, 5);
    mRender.fDrawRect(0, 0, 8, 8, 0xFFFF0000u);
    mRender.fFlush();
    ASSERT_EQ(mDevice->mDraws.size(), 2u);
    const auto* quad = reinterpret_cast<const KS_VERTEX*>(mDevice->mDraws[0].vertices.data());
    EXPECT_EQ(quad[2].x, 15.0f);
    EXPECT_EQ(quad[2].y, 25.0f);
    EXPECT_EQ(quad[2].z, 1.0f);
    EXPECT_EQ(quad[0].color, 0xFF00FF00u);
    EXPECT_EQ(mDevice->mDraws[0].count, 2u);
    EXPECT_EQ(mDevice->mDraws[1].type, GPrimitive::LINELIST);
    EXPECT_EQ(mDevice->mDraws[1].count, 4u);
    EXPECT_EQ(mRender.fGetRequestCount(), 5);
}

TEST_F(RenderTest, FrameProtocolAndLostDevice) {
    EXPECT_EQ(mRender.fEndFrame(), -1);
    EXPECT_EQ(mDevice->mPresents, 0);
    ASSERT_EQ(fBegin(), 1);
    EXPECT_EQ(mDevice->mLastClearColor, 0xFF444444u);
    EXPECT_EQ(mDevice->mLastClearFlags, uint32_t(host::kCLEAR_TARGET | host::kCLEAR_ZBUFFER));
    EXPECT_EQ(fBegin(), -1);
    EXPECT_EQ(mRender.fEndFrame(), 0);
    EXPECT_EQ(mDevice->mPresents, 1);
    EXPECT_EQ(mRender.fGetSceneState(), 1);

    mDevice->mCooperativeLevel = host::kDEVICE_LOST;
    EXPECT_EQ(fBegin(), -1);
    EXPECT_EQ(mDevice->mResets, 0);
    mDevice->mCooperativeLevel = host::kDEVICE_NOT_RESET;
    int32_t recreated = 0;
    KC_CALLBACK* saved = kcbDEVICE_RECREATED;
    kcbDEVICE_RECREATED = KC_CALLBACK::fCreate(
        [](void* user) {
            ++*static_cast<int32_t*>(user);
            return 1;
        },
        "recreated", &recreated);
    EXPECT_EQ(fBegin(), -110);
    delete kcbDEVICE_RECREATED;
    kcbDEVICE_RECREATED = saved;
    EXPECT_EQ(mDevice->mResets, 1);
    EXPECT_EQ(recreated, 1);
    EXPECT_EQ(mDevice->fLiveBuffers(), 3);
    EXPECT_EQ(fBegin(), 1);
    EXPECT_EQ(mRender.fEndFrame(), 0);
}

TEST_F(RenderTest, FailedResetAndClearNeverLeaveBrokenFrames) {
    mDevice->mCooperativeLevel = host::kDEVICE_NOT_RESET;
    mDevice->mFailReset = true;
    EXPECT_EQ(fBegin(), -1);
    EXPECT_EQ(mDevice->fLiveBuffers(), 0);
    // The device now claims to be fine, but the buffers are gone: retry.
    mDevice->mCooperativeLevel = host::kDEVICE_OK;
    EXPECT_EQ(fBegin(), -1);
    fQuad(nullptr, fSprite());  // no buffers: ignored, no crash
    mDevice->mFailReset = false;
    EXPECT_EQ(fBegin(), -110);
    EXPECT_EQ(fBegin(), 1);
    EXPECT_EQ(mRender.fEndFrame(), 0);

    mDevice->mFailClear = true;
    const int32_t ends = mDevice->mEndScenes;
    EXPECT_EQ(fBegin(), -1);
    EXPECT_EQ(mDevice->mEndScenes, ends + 1);
    mDevice->mFailClear = false;
    mDevice->mFailBeginScene = true;
    EXPECT_EQ(fBegin(), 0);
    mDevice->mFailBeginScene = false;
    EXPECT_EQ(fBegin(), 1);
}

TEST_F(RenderTest, ResetRestoresWordAndCreationStates) {
    ASSERT_EQ(fBegin(), 1);
    KS_RENDER_STATE sprite = fSprite();
    sprite.camera = 0;
    fQuad(nullptr, sprite);
    EXPECT_EQ(mRender.fEndFrame(), 0);
    mDevice->mCooperativeLevel = host::kDEVICE_NOT_RESET;
    EXPECT_EQ(fBegin(), -110);
    EXPECT_EQ(mRender.fGetState().fWord(), (1u << 1) | (1u << 17));
    EXPECT_EQ(mDevice->fRenderState(GRenderState::CULLMODE), host::kCULL_NONE);
    EXPECT_EQ(mDevice->fSamplerState(GSamplerState::MIPFILTER), host::kTEXF_NONE);
    EXPECT_EQ(mDevice->fSamplerState(GSamplerState::MAXANISOTROPY), 16u);
    EXPECT_EQ(mDevice->fStageState(host::GStageState::ALPHAOP), host::kTOP_MODULATE);
    EXPECT_EQ(mDevice->fRenderState(GRenderState::ALPHABLENDENABLE), 1u);
    EXPECT_EQ(mDevice->fRenderState(GRenderState::ZENABLE), 0u);
    EXPECT_EQ(mDevice->fRenderState(GRenderState::LIGHTING), 0u);

    ASSERT_EQ(fBegin(), 1);
    KS_RENDER_STATE reset;
    reset.blend = 1;
    reset.camera = 1;
    EXPECT_FALSE(mRender.fApplyStates(reset));
    EXPECT_EQ(mRender.fGetStateChangeCount(), 0);
    mDevice->fClearLog();
    EXPECT_TRUE(mRender.fApplyStates(sprite));
    // Filter 3 with anisotropic caps, clamp everywhere, camera 1.
    EXPECT_EQ(mDevice->fSamplerState(GSamplerState::MAGFILTER), host::kTEXF_ANISOTROPIC);
    EXPECT_EQ(mDevice->fSamplerState(GSamplerState::ADDRESSU), host::kADDRESS_CLAMP);
    EXPECT_EQ(mDevice->fSamplerState(GSamplerState::ADDRESSW), host::kADDRESS_CLAMP);
    EXPECT_EQ(mRender.fGetCameraMatrix(), mRender.fGetCamera(1)->fGetMatrixPointer());
    for (const auto& [state, value] : mDevice->mRenderStateLog) EXPECT_NE(state, GRenderState::ALPHABLENDENABLE);

    // Point after anisotropic sets point sampling; the default after point sets nothing.
    KS_RENDER_STATE point = sprite;
    point.filter = KS_RENDER_STATE::kFILTER_POINT;
    mRender.fApplyStates(point);
    EXPECT_EQ(mDevice->fSamplerState(GSamplerState::MINFILTER), host::kTEXF_POINT);
    mDevice->fSetSamplerState(0, GSamplerState::MINFILTER, 99);
    point.filter = KS_RENDER_STATE::kFILTER_DEFAULT;
    mRender.fApplyStates(point);
    EXPECT_EQ(mDevice->fSamplerState(GSamplerState::MINFILTER), 99u);
    // Wrap bits choose W, U, V addressing.
    point.wrapV = 1;
    mRender.fApplyStates(point);
    EXPECT_EQ(mDevice->fSamplerState(GSamplerState::ADDRESSW), host::kADDRESS_WRAP);
    EXPECT_EQ(mDevice->fSamplerState(GSamplerState::ADDRESSU), host::kADDRESS_CLAMP);
    EXPECT_EQ(mDevice->fSamplerState(GSamplerState::ADDRESSV), host::kADDRESS_WRAP);
}

TEST_F(RenderTest, BlendingFollowsOpaqueAndBlendBits) {
    KS_RENDER_STATE s;
    s.blend = 1;
    s.camera = 1;
    s.opaque = 1;
    mRender.fApplyStates(s);
    EXPECT_EQ(mDevice->fRenderState(GRenderState::ALPHABLENDENABLE), 0u);
    s.opaque = 0;  // back to plain blending
    mRender.fApplyStates(s);
    EXPECT_EQ(mDevice->fRenderState(GRenderState::ALPHABLENDENABLE), 1u);
    s.opaque = 1;
    mRender.fApplyStates(s);
    s.blend = 0;  // blend changes while opaque: stays off
    mRender.fApplyStates(s);
    s.blend = 1;
    mRender.fApplyStates(s);
    EXPECT_EQ(mDevice->fRenderState(GRenderState::ALPHABLENDENABLE), 0u);
    s.additive = 1;
    mRender.fApplyStates(s);
    EXPECT_EQ(mDevice->fRenderState(GRenderState::DESTBLEND), host::kBLEND_ONE);
    s.primitive = KS_RENDER_STATE::kPOINT_SPRITES;
    mRender.fApplyStates(s);
    EXPECT_EQ(mDevice->fRenderState(GRenderState::POINTSPRITEENABLE), 1u);
}

TEST_F(RenderTest, UnchangedVideoModeDoesNotReset) {
    host::fSetDesktopSizeOverride(1920, 1080);
    const int32_t resets = mDevice->mResets;
    EXPECT_EQ(mRender.fSetVideoMode(1024, 768, false, false), 1);
    EXPECT_EQ(mDevice->mResets, resets);
    EXPECT_EQ(mRender.fSetVideoMode(1024, 768, true, true), 1);
    EXPECT_EQ(mDevice->mResets, resets + 1);
    EXPECT_EQ(mRender.fGetActualWidth(), 1920);
    EXPECT_EQ(mDevice->mParams.backBufferHeight, 1080);
    EXPECT_FALSE(mDevice->mParams.windowed);
    host::fSetDesktopSizeOverride(0, 0);
}

TEST_F(RenderTest, TexturesFromBytesAndTheDefault) {
    const size_t before = mRender.fGetTextureCount();
    KC_TEXTURE* bad = mRender.fLoadTexture("not an image", 12);
    EXPECT_EQ(bad, mRender.fGetDefaultTexture());
    EXPECT_EQ(mRender.fReleaseTexture(bad), -1);
    EXPECT_EQ(mRender.fGetTextureCount(), before);
    EXPECT_EQ(mRender.fReleaseTexture(nullptr), -1);

    std::string png = fPngBytes(5, 3);
    png.push_back('\0');  // repository buffers carry a trailing zero
    KC_TEXTURE* image = mRender.fLoadTexture(png.data(), png.size());
    ASSERT_NE(image, mRender.fGetDefaultTexture());
    EXPECT_EQ(image->fGetSize(), KS_POINT(5, 3));
    EXPECT_FLOAT_EQ(image->fGetU(1), 0.2f);
    const auto* texels = static_cast<const uint8_t*>(mRender.fLockTexture(image));
    ASSERT_NE(texels, nullptr);
    EXPECT_EQ(texels[0], 0x80);
    EXPECT_TRUE(mRender.fUnlockTexture(image));
    EXPECT_EQ(mRender.fReleaseTexture(image), 1);
    EXPECT_EQ(mRender.fReleaseTexture(image), -1);
    EXPECT_EQ(mRender.fGetTextureCount(), before);

    KC_TEXTURE* file = mRender.fLoadTextureFile("missing.png");
    EXPECT_EQ(file, mRender.fGetDefaultTexture());

    KC_TEXTURE* filled = mRender.fCreateTexture(2, 2);
    const uint32_t pixels[4] = {0xFF102030u, 1, 2, 3};
    EXPECT_TRUE(mRender.fFillTexture(filled, pixels));
    const auto* words = static_cast<const uint32_t*>(mRender.fLockTexture(filled));
    EXPECT_EQ(words[0], 0xFF102030u);
    EXPECT_EQ(words[3], 3u);
    mRender.fUnlockTexture(filled);
}

// A picture loaded ahead of need holds its file and no device texture until
// it is first drawn; one whose pixels fail past a sound header draws clear.
TEST_F(RenderTest, PicturesLoadedLaterDecodeWhenFirstDrawn) {
    const size_t before = mRender.fGetTextureCount();
    const size_t bytesBefore = mRender.fGetTextureBytes();
    EXPECT_EQ(mRender.fLoadTextureLater("not an image", 12), mRender.fGetDefaultTexture());

    std::string png = fPngBytes(5, 3);
    png.push_back('\0');  // repository buffers carry a trailing zero
    KC_TEXTURE* later = mRender.fLoadTextureLater(png.data(), png.size());
    ASSERT_NE(later, mRender.fGetDefaultTexture());
    EXPECT_EQ(later->fGetSize(), KS_POINT(5, 3));
    EXPECT_TRUE(later->fIsWaiting());
    EXPECT_EQ(later->mTexture, nullptr);
    EXPECT_EQ(later->fGetHeldBytes(), png.size());
    EXPECT_EQ(mRender.fGetTextureCount(), before + 1);
    EXPECT_EQ(mRender.fGetTextureBytes(), bytesBefore) << "no pixels yet";

    ASSERT_EQ(fBegin(), 1);
    fQuad(later, fSprite());
    EXPECT_EQ(mRender.fEndFrame(), 0);
    EXPECT_EQ(mDevice->mDrawCalls, 1);
    EXPECT_FALSE(later->fIsWaiting());
    ASSERT_NE(later->mTexture, nullptr);
    EXPECT_EQ(later->fGetHeldBytes(), 5u * 3u * 4u);
    EXPECT_EQ(mRender.fGetTextureBytes(), bytesBefore + 5 * 3 * 4);
    const auto* texels = static_cast<const uint8_t*>(mRender.fLockTexture(later));
    ASSERT_NE(texels, nullptr);
    EXPECT_EQ(texels[0], 0x80);
    mRender.fUnlockTexture(later);

    // The image data chunk's bytes spoiled, its length and the header kept.
    std::string damaged = fPngBytes(6, 4);
    const size_t data = damaged.find("IDAT");
    ASSERT_NE(data, std::string::npos);
    for (size_t i = data + 4; i < damaged.size() - 12; ++i) damaged[i] = char(0xFF);
    KC_TEXTURE* spoiled = mRender.fLoadTextureLater(damaged.data(), damaged.size());
    ASSERT_NE(spoiled, mRender.fGetDefaultTexture());
    EXPECT_EQ(spoiled->fGetSize(), KS_POINT(6, 4));
    const auto* clear = static_cast<const uint8_t*>(mRender.fLockTexture(spoiled));
    ASSERT_NE(clear, nullptr) << "locking decodes too";
    EXPECT_EQ(clear[0], 0);
    EXPECT_EQ(clear[6 * 4 * 4 - 1], 0);
    mRender.fUnlockTexture(spoiled);
    EXPECT_FALSE(spoiled->fIsWaiting());

    EXPECT_EQ(mRender.fReleaseTexture(later), 1);
    EXPECT_EQ(mRender.fReleaseTexture(spoiled), 1);
    EXPECT_EQ(mRender.fGetTextureCount(), before);
}

TEST_F(RenderTest, TexturesMadeOnOtherThreadsWhileDrawing) {
    std::string png = fPngBytes(8, 8);
    std::vector<KC_TEXTURE*> made(4, nullptr);
    std::vector<std::thread> loaders;
    for (size_t i = 0; i < made.size(); ++i)
        loaders.emplace_back([&, i] {
            for (int k = 0; k < 20; ++k) mRender.fReleaseTexture(mRender.fLoadTexture(png.data(), png.size()));
            made[i] = mRender.fLoadTexture(png.data(), png.size());
        });
    ASSERT_EQ(fBegin(), 1);
    for (int k = 0; k < 50; ++k) fQuad(mRender.fGetDefaultTexture(), fSprite(), float(k));
    for (auto& t : loaders) t.join();
    for (KC_TEXTURE* t : made) {
        ASSERT_NE(t, mRender.fGetDefaultTexture());
        fQuad(t, fSprite());
    }
    EXPECT_EQ(mRender.fEndFrame(), 0);
    EXPECT_EQ(mRender.fGetTextureCount(), 1u + made.size());
    // A released texture never stays the batch's current one.
    mDevice->fClearLog();
    ASSERT_EQ(fBegin(), 1);
    fQuad(made[0], fSprite());
    EXPECT_EQ(mRender.fReleaseTexture(made[0]), 1);
    EXPECT_EQ(mRender.fGetCurrentTexture(), nullptr);
    EXPECT_EQ(mDevice->mDrawCalls, 1);
}

TEST_F(RenderTest, ParticlesStreamThroughTheRingInChunks) {
    std::vector<Particle> particles(1100);
    for (size_t i = 0; i < particles.size(); ++i) {
        particles[i] = Particle{float(i), 2, 0, 8, 0xFFFFFFFFu};
        particles[i].mNext = i + 1 < particles.size() ? &particles[i + 1] : nullptr;
    }
    KS_RENDER_STATE s;
    s.blend = 1;
    s.additive = 1;
    s.filter = KS_RENDER_STATE::kFILTER_POINT;
    s.textured = 1;
    s.primitive = KS_RENDER_STATE::kPOINT_SPRITES;
    KC_TEXTURE* texture = mRender.fCreateTexture(4, 4);
    KS_MATRIX world;
    world.fTranslate(0, 100, 0);
    mRender.fSetWorldMatrix(world);
    ASSERT_EQ(fBegin(), 1);
    mRender.fDrawBuffer(particles.data(), texture, &s, 0);
    ASSERT_EQ(mDevice->mDraws.size(), 3u);
    EXPECT_EQ(mDevice->mDraws[0].count, 512u);
    EXPECT_EQ(mDevice->mDraws[1].count, 512u);
    EXPECT_EQ(mDevice->mDraws[2].count, 76u);
    EXPECT_EQ(mDevice->mDraws[1].start, 512u);
    EXPECT_EQ(mDevice->mDraws[2].fvf, uint32_t(host::kFVF_POINT));
    EXPECT_EQ(mDevice->mDraws[0].texture, texture->mTexture.get());
    EXPECT_EQ(mRender.fGetPointCursor(), 1536u);
    const auto* points = reinterpret_cast<const KS_POINT_VERTEX*>(mDevice->mDraws[2].vertices.data());
    EXPECT_EQ(points[75].x, 1099.0f);
    EXPECT_EQ(points[75].y, 102.0f);
    EXPECT_EQ(points[75].size, 8.0f);

    // Two more lists wrap the ring with a discarding lock.
    mRender.fDrawBuffer(particles.data(), texture, &s, 0);
    mDevice->mLocks.clear();
    mRender.fDrawBuffer(particles.data(), texture, &s, 0);
    EXPECT_EQ(mRender.fGetPointCursor(), (1536u * 3) % 4096);
    bool discarded = false;
    for (const auto& lock : mDevice->mLocks)
        if (lock.offset == 0 && lock.flags == host::kLOCK_DISCARD) discarded = true;
    EXPECT_TRUE(discarded);
    mRender.fDrawBuffer<Particle>(nullptr, texture, &s, 0);  // empty list: nothing
    EXPECT_EQ(mRender.fEndFrame(), 0);
}

TEST_F(RenderTest, ProjectionMapsTheLogicalScreen) {
    // clip = p x camera x view flip x projection, then divide by w.
    auto fNdc = [&](float x, float y) {
        KS_MATRIX flip;
        flip.fAt(1, 1) = -1;
        flip.fAt(2, 2) = -1;
        const KS_MATRIX m = *mRender.fGetCameraMatrix() * flip * mRender.fGetProjection();
        const float cx = x * m.m[0] + y * m.m[4] + m.m[12];
        const float cy = x * m.m[1] + y * m.m[5] + m.m[13];
        const float cw = x * m.m[3] + y * m.m[7] + m.m[15];
        return std::pair<float, float>(cx / cw, cy / cw);
    };
    auto [x0, y0] = fNdc(0, 0);
    EXPECT_NEAR(x0, -1.0f, 0.002f);
    EXPECT_NEAR(y0, 1.0f, 0.002f);
    auto [x1, y1] = fNdc(1024, 768);
    EXPECT_NEAR(x1, 1.0f, 0.002f);
    EXPECT_NEAR(y1, -1.0f, 0.002f);
    // Desktop-size fullscreen keeps the shape: side bars of 240 pixels.
    host::fSetDesktopSizeOverride(1920, 1080);
    ASSERT_EQ(mRender.fSetVideoMode(1024, 768, true, true), 1);
    host::fSetDesktopSizeOverride(0, 0);
    EXPECT_NEAR(mRender.fGetAspectCorrection().fAt(0, 0), 0.75f, 1e-6f);
    auto [x2, y2] = fNdc(0, 384);
    EXPECT_NEAR(x2, -0.75f, 0.002f);
    EXPECT_NEAR(y2, 0.0f, 0.002f);
    auto [x3, y3] = fNdc(-100, 384);
    EXPECT_GT(x3, -1.0f);
}

TEST_F(RenderTest, TargetsAndMasksKeepTheSceneProtocol) {
    const int32_t target = mRender.fCreateTarget(64, 32);
    ASSERT_EQ(target, 0);
    EXPECT_EQ(mRender.fCreateTarget(8, 8), 1);
    EXPECT_EQ(mRender.fEndTarget(), -1);
    EXPECT_EQ(mRender.fBeginTarget(target), 1);
    EXPECT_EQ(mRender.fGetSceneState(), 2);
    EXPECT_EQ(fBegin(), -1);
    fQuad(nullptr, fSprite());
    EXPECT_EQ(mRender.fEndTarget(), 0);
    EXPECT_EQ(mDevice->mDrawCalls, 1);
    EXPECT_EQ(mRender.fBeginTarget(7), -1);

    ASSERT_EQ(fBegin(), 1);
    mRender.fBeginMask();
    EXPECT_EQ(mDevice->fRenderState(GRenderState::STENCILREF), 255u);
    mRender.fPopMask();
    EXPECT_EQ(mDevice->fRenderState(GRenderState::STENCILREF), 254u);
    mRender.fEndMask();
    EXPECT_EQ(mDevice->fRenderState(GRenderState::STENCILENABLE), 0u);
    EXPECT_EQ(mRender.fEndFrame(), 0);
    // A reset re-creates the targets.
    mDevice->mCooperativeLevel = host::kDEVICE_NOT_RESET;
    EXPECT_EQ(fBegin(), -110);
    ASSERT_NE(mRender.fGetTargetTexture(target), nullptr);
    EXPECT_NE(mRender.fGetTargetTexture(target)->mTexture, nullptr);
}

TEST_F(RenderTest, ReleaseFreesDeviceObjects) {
    mRender.fCreateTexture(4, 4);
    EXPECT_EQ(mRender.fRelease(), 1);
    EXPECT_EQ(mRender.fGetDevice(), nullptr);
    EXPECT_EQ(mRender.fGetDefaultTexture(), nullptr);
    EXPECT_EQ(mRender.fBeginFrame(), -1);
    mDevice = nullptr;
}

TEST_F(RenderTest, RepositoryConvertersReachTheGlobalRenderer) {
    const KS_RESOURCE_CONVERTERS converters;
    EXPECT_EQ(converters.fDefaultTexture(), nullptr);  // no renderer yet
    kcRENDER = &mRender;
    const std::string png = fPngBytes(3, 2);
    KC_TEXTURE* texture = converters.fLoadTexture(reinterpret_cast<const uint8_t*>(png.data()), uint32_t(png.size()));
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->fGetSize(), KS_POINT(3, 2));
    EXPECT_EQ(converters.fDefaultTexture(), mRender.fGetDefaultTexture());
    EXPECT_EQ(converters.fReleaseTexture(texture), 1);
    kcRENDER = nullptr;
}
