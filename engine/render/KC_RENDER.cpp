#include "engine/render/KC_RENDER.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/platform/KC_WINDOW.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "host/IWindow.h"
#include "host/Image.h"

namespace KEL {

using namespace host;

namespace {

constexpr float kPI = 3.14159265f;
constexpr uint32_t kVERTEX_SIZE = sizeof(KS_VERTEX);
constexpr uint32_t kPOINT_SIZE = sizeof(KS_POINT_VERTEX);

KC_RENDER* gCurrent = nullptr;

uint32_t fFloatBits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    return bits;
}

// Left-handed perspective, row-vector form.
KS_MATRIX fPerspective(float fovY, float aspect, float zn, float zf) {
    KS_MATRIX m;
    const float yScale = 1.0f / std::tan(fovY / 2.0f);
    m.fAt(0, 0) = yScale / aspect;
    m.fAt(1, 1) = yScale;
    m.fAt(2, 2) = zf / (zf - zn);
    m.fAt(2, 3) = 1.0f;
    m.fAt(3, 2) = -zn * zf / (zf - zn);
    m.fAt(3, 3) = 0.0f;
    return m;
}

// The fixed view: (x, y, z) -> (x, -y, -z), screen y grows downward.
KS_MATRIX fViewFlip() {
    KS_MATRIX m;
    m.fAt(1, 1) = -1.0f;
    m.fAt(2, 2) = -1.0f;
    return m;
}

void fTransformInto(KS_VERTEX& out, const KS_VERTEX& in, const KS_MATRIX& m) {
    out = in;
    out.x = in.x * m.m[0] + in.y * m.m[4] + in.z * m.m[8] + m.m[12];
    out.y = in.x * m.m[1] + in.y * m.m[5] + in.z * m.m[9] + m.m[13];
    out.z = in.x * m.m[2] + in.y * m.m[6] + in.z * m.m[10] + m.m[14];
}

}  // namespace

KC_RENDER::KC_RENDER() { gCurrent = this; }

KC_RENDER::~KC_RENDER() {
    // Every device object goes before the device that made it.
    {
        std::lock_guard<std::mutex> guard(mTexturesLock);
        mTextures.clear();
    }
    mDefaultTexture = nullptr;
    mTargets.clear();
    fReleaseBuffers();
    mDevice.reset();
    if (gCurrent == this) gCurrent = nullptr;
}

void KC_RENDER::Target::fReleaseDevice() {
    surface.reset();
    texture.mTexture.reset();
}

void KC_RENDER::fReleaseTargets() {
    for (auto& [index, target] : mTargets) target.fReleaseDevice();
}

KC_RENDER* KC_RENDER::fCurrent() { return gCurrent; }

void KC_RENDER::fSetDevice(IGraphicsDevice* device) {
    if (device == mDevice.get()) return;
    mDevice.reset(device);
    mDeviceCreated = false;
}

// ---------------------------------------------------------------- device

int32_t KC_RENDER::fInit(void* window, float nearPlane, float farPlane) {
    mWindow = window;
    mDrawThread = std::this_thread::get_id();
    mNear = nearPlane;
    mFar = farPlane;
    if (!mDevice) mDevice.reset(fCreateGraphicsDevice());
    if (!mDevice) return KS_RESULT::kFAILED;
    mParams = GPresentParams{};
    mParams.windowed = true;
    mParams.autoDepthStencil = true;
    mParams.backBufferCount = 1;
    mParams.multiSample = 0;
    mParams.flags = 0;
    mParams.vsync = true;
    fSetVideoMode(1024, 768, false, false);
    mDefaultTexture = fCreateTexture(16, 16);
    if (!mDefaultTexture) return KS_RESULT::kFAILED;
    fUseSecondCamera();
    mDevice->fSetRenderState(GRenderState::CULLMODE, kCULL_NONE);
    return KS_RESULT::kOK;
}

bool KC_RENDER::fCreateDevice() {
    const uint32_t hardware = kCREATE_MULTITHREADED | kCREATE_HARDWARE_VP;
    const uint32_t mixed = kCREATE_MULTITHREADED | kCREATE_MIXED_VP;
    const uint32_t software = kCREATE_MULTITHREADED | kCREATE_SOFTWARE_VP;
    const std::pair<GDeviceType, uint32_t> ladder[] = {
        {GDeviceType::HAL, hardware}, {GDeviceType::HAL, hardware}, {GDeviceType::REF, hardware},
        {GDeviceType::HAL, mixed},    {GDeviceType::REF, mixed},    {GDeviceType::HAL, software},
        {GDeviceType::REF, software},
    };
    for (const auto& [type, behaviour] : ladder) {
        if (mDevice->fCreate(mWindow, type, behaviour, mParams)) {
            mDeviceCreated = true;
            mCaps = mDevice->fGetCaps();
            fSetCreationStates();
            return true;
        }
    }
    return false;
}

// States set once at creation; a reset returns them to their defaults, so
// the reset path sets them again.
void KC_RENDER::fSetCreationStates() {
    mDevice->fSetSamplerState(0, GSamplerState::MAXANISOTROPY, mCaps.maxAnisotropy);
    mDevice->fSetSamplerState(0, GSamplerState::MIPFILTER, kTEXF_NONE);
    mDevice->fSetRenderState(GRenderState::POINTSIZE_MIN, fFloatBits(1.0f));
    mDevice->fSetRenderState(GRenderState::POINTSCALE_A, fFloatBits(0.0f));
    mDevice->fSetRenderState(GRenderState::POINTSCALE_B, fFloatBits(0.0f));
    mDevice->fSetRenderState(GRenderState::POINTSCALE_C, fFloatBits(1.0f));
    mDevice->fSetRenderState(GRenderState::POINTSCALEENABLE, 0);
    mDevice->fSetTextureStageState(0, GStageState::ALPHAOP, kTOP_MODULATE);
}

void KC_RENDER::fReleaseBuffers() {
    mVertexBuffer.reset();
    mIndexBuffer.reset();
    mPointBuffer.reset();
    mBackBuffer.reset();
    mBatchVertices = mBatchIndices = 0;
    fDropPending();
}

bool KC_RENDER::fResetDevice() {
    if (!mDevice) return false;
    fReleaseBuffers();
    fReleaseTargets();
    if (mDeviceCreated) {
        if (!mDevice->fReset(mParams)) return false;
        fSetCreationStates();
        mDevice->fSetRenderState(GRenderState::CULLMODE, kCULL_NONE);
    } else if (!fCreateDevice()) {
        return false;
    }
    // A reset unbinds everything.
    mTexture = nullptr;

    mVertexBuffer.reset(
        mDevice->fCreateVertexBuffer(kVERTEX_CAPACITY * kVERTEX_SIZE, kUSAGE_DYNAMIC | kUSAGE_WRITEONLY, kFVF_VERTEX));
    mBatchVertices = 0;
    mIndexBuffer.reset(mDevice->fCreateIndexBuffer(kINDEX_CAPACITY * 2, kUSAGE_DYNAMIC | kUSAGE_WRITEONLY));
    mBatchIndices = 0;
    mPointBuffer.reset(mDevice->fCreateVertexBuffer(kPOINT_CAPACITY * kPOINT_SIZE,
                                                    kUSAGE_DYNAMIC | kUSAGE_POINTS | kUSAGE_WRITEONLY, kFVF_POINT));
    mPointCursor = 0;
    if (!fBuffersReady()) {
        fReleaseBuffers();
        return false;
    }
    for (auto& [index, target] : mTargets) {
        target.texture.mTexture.reset(
            mDevice->fCreateTexture(target.width, target.height, kUSAGE_RENDERTARGET, GFormat::ARGB8));
        if (target.texture.mTexture) target.surface.reset(target.texture.mTexture->fGetSurface());
    }

    mState.fClear();
    mState.blend = 1;
    mState.camera = 1;
    mDevice->fSetRenderState(GRenderState::ZENABLE, 0);
    mDevice->fSetRenderState(GRenderState::LIGHTING, 0);
    mDevice->fSetRenderState(GRenderState::ALPHABLENDENABLE, 1);
    mDevice->fSetRenderState(GRenderState::SRCBLEND, kBLEND_SRCALPHA);
    mDevice->fSetRenderState(GRenderState::DESTBLEND, kBLEND_INVSRCALPHA);
    mDevice->fSetTextureStageState(0, GStageState::COLOROP, kTOP_MODULATE);
    mDevice->fSetTextureStageState(0, GStageState::COLORARG1, kTA_TEXTURE);
    mDevice->fSetTextureStageState(0, GStageState::COLORARG2, kTA_DIFFUSE);
    mDevice->fSetTextureStageState(0, GStageState::ALPHAOP, kTOP_MODULATE);
    mDevice->fSetTextureStageState(0, GStageState::ALPHAARG1, kTA_TEXTURE);
    mDevice->fSetTextureStageState(0, GStageState::ALPHAARG2, kTA_DIFFUSE);
    const KS_MATRIX view = fViewFlip();
    mDevice->fSetTransform(GTransform::VIEW, view.m);
    mBackBuffer.reset(mDevice->fGetRenderTarget(0));
    fSetProjection();
    KC_CALLBACK::fCall(kcbDEVICE_RECREATED, nullptr);
    return true;
}

int32_t KC_RENDER::fSetVideoMode(int32_t width, int32_t height, bool fullscreen, bool useDesktopSize) {
    if (width == mWidth && height == mHeight && fullscreen == mFullscreen && useDesktopSize == mUseDesktopSize)
        return fBuffersReady() ? KS_RESULT::kOK : KS_RESULT::kNOTHING;
    if (width <= 0 || height <= 0 || !mDevice) return KS_RESULT::kNOTHING;
    mWidth = width;
    mHeight = height;
    mFullscreen = fullscreen;
    mUseDesktopSize = useDesktopSize;
    mParams.windowed = !fullscreen;
    mParams.backBufferWidth = width;
    mParams.backBufferHeight = height;
    mActualWidth = width;
    mActualHeight = height;
    if (fullscreen) {
        int32_t desktopWidth = 0, desktopHeight = 0;
        if (useDesktopSize) fGetDesktopSize(desktopWidth, desktopHeight);
        if (desktopWidth > 0 && desktopHeight > 0) {
            mActualWidth = mParams.backBufferWidth = desktopWidth;
            mActualHeight = mParams.backBufferHeight = desktopHeight;
        }
        mParams.desktopFormat = false;
        mParams.refreshRate = 0;
    } else {
        mParams.desktopFormat = true;
    }
    return fResetDevice() ? KS_RESULT::kOK : KS_RESULT::kNOTHING;
}

int32_t KC_RENDER::fBeginFrame() {
    if (mSceneState != 1 || !mDevice) return KS_RESULT::kFAILED;
    const int32_t level = mDevice->fTestCooperativeLevel();
    if (level == kDEVICE_LOST) return KS_RESULT::kFAILED;
    if (level == kDEVICE_NOT_RESET || !fBuffersReady()) {
        // A failed reset leaves no buffers: keep trying before drawing again.
        return fResetDevice() ? KS_RESULT::kDEVICE_RESET : KS_RESULT::kFAILED;
    }
    fFollowDrawable();
    if (!mDevice->fBeginScene()) return KS_RESULT::kNOTHING;
    if (!fClear()) {
        mDevice->fEndScene();
        return KS_RESULT::kFAILED;
    }
    mSceneState = 0;
    mRequests = mFlushes = mStateChanges = 0;
    return KS_RESULT::kOK;
}

int32_t KC_RENDER::fEndFrame() {
    if (mSceneState != 0) return KS_RESULT::kFAILED;
    fFlush();
    mDevice->fEndScene();
    mDevice->fPresent();
    mSceneState = 1;
    return KS_RESULT::kNOTHING;
}

bool KC_RENDER::fClear() { return fClearFlags(true, false, true); }
bool KC_RENDER::fClearDepth() { return fClearFlags(false, false, true); }
bool KC_RENDER::fClearStencil() { return fClearFlags(false, true, false); }

bool KC_RENDER::fClearFlags(bool target, bool stencil, bool depth) {
    if (!mDevice) return false;
    const uint32_t flags = (target ? uint32_t(kCLEAR_TARGET) : 0u) | (stencil ? uint32_t(kCLEAR_STENCIL) : 0u) |
                           (depth ? uint32_t(kCLEAR_ZBUFFER) : 0u);
    return mDevice->fClear(flags, mClearColor, 1.0f, 0);
}

// The full-screen picture is fitted to the window's drawable as it is now:
// the desktop may have given the window another size than its own, and the
// mouse is mapped by the same size (KC_WINDOW::fClientToGame).
void KC_RENDER::fFollowDrawable() {
    if (!mFullscreen || !mUseDesktopSize || !kcWINDOW) return;
    const KS_POINT drawable = kcWINDOW->fGetDrawableSize();
    if (drawable.x <= 0 || drawable.y <= 0 || (drawable.x == mActualWidth && drawable.y == mActualHeight)) return;
    mActualWidth = drawable.x;
    mActualHeight = drawable.y;
    fSetProjection();
}

// ---------------------------------------------------------------- cameras

void KC_RENDER::fSetProjection() {
    const float aspect = float(mWidth + 1) / float(mHeight + 1);
    if (mFar == 0.0f) mFar = float(mHeight + 1) / std::tan(kPI / 8.0f);
    const float zn = mNear > 0.0f ? mNear : 0.1f;
    mAspect.fIdentity();
    if (mFullscreen && mUseDesktopSize && (mActualWidth != mWidth || mActualHeight != mHeight) && mWidth > 0 &&
        mHeight > 0) {
        const float rx = float(mActualWidth) / float(mWidth);
        const float ry = float(mActualHeight) / float(mHeight);
        if (rx > ry) mAspect.fAt(0, 0) = ry / rx;
        else if (ry > rx) mAspect.fAt(1, 1) = rx / ry;
    }
    mProjection = fPerspective(kPI / 4.0f, aspect, zn, mFar) * mAspect;
    if (!mCamera2) mCamera2 = std::make_unique<KC_CAMERA>(float(mWidth), float(mHeight));
    else mCamera2->fFitScreen(float(mWidth), float(mHeight));
    if (!mCamera1) mCamera1 = std::make_unique<KC_CAMERA>(float(mWidth), float(mHeight));
    else mCamera1->fFitScreen(float(mWidth), float(mHeight));
    if (!mCamera) mCamera = mCamera2->fGetMatrixPointer();
    if (mDevice) mDevice->fSetTransform(GTransform::PROJECTION, mProjection.m);
}

void KC_RENDER::fUseCamera(KS_MATRIX* matrix) {
    fFlush();
    if (matrix) mCamera = matrix;
    else if (mCamera1) mCamera = mCamera1->fGetMatrixPointer();
}

void KC_RENDER::fUseFirstCamera() {
    fFlush();
    if (mCamera1) mCamera = mCamera1->fGetMatrixPointer();
    if (mDevice) mDevice->fSetTransform(GTransform::PROJECTION, mProjection.m);
}

void KC_RENDER::fUseSecondCamera() {
    fFlush();
    if (mCamera2) mCamera = mCamera2->fGetMatrixPointer();
    if (mDevice) mDevice->fSetTransform(GTransform::PROJECTION, mProjection.m);
}

// ---------------------------------------------------------------- batching

void KC_RENDER::fSetWorld(const KS_TRANSFORM3& transform) {
    mWorld.fIdentity();
    mWorld.fApplyTransform(transform);
}

void KC_RENDER::fBind(KC_TEXTURE* texture) {
    if (mState.textured && texture) {
        mDevice->fSetTexture(0, fReady(texture));
        mTexture = texture;
    } else {
        mDevice->fSetTexture(0, nullptr);
        mTexture = nullptr;
    }
}

void KC_RENDER::fDrawBatch(const KS_VERTEX* vertices, KC_TEXTURE* texture, const KS_RENDER_STATE* state,
                           int32_t vertexCount, const uint16_t* indices, int32_t indexCount) {
    if (!state) return;
    ++mRequests;
    if (!fBuffersReady() || !vertices || vertexCount <= 0) return;
    if (!indices || indexCount < 0) indexCount = 0;
    // A request larger than a buffer cannot be drawn at all.
    if (uint32_t(vertexCount) > kVERTEX_CAPACITY || uint32_t(indexCount) > kINDEX_CAPACITY) return;

    // Requests are kept until the flush and drawn grouped by texture and
    // state; all those held are seen through one camera.
    if (!mPending.empty() && state->camera != mPending.front().state.camera) fFlush();
    if (mPending.empty()) {
        KC_CAMERA* camera = state->camera ? mCamera2.get() : mCamera1.get();
        mPendingToClip = (camera ? camera->fGetMatrix() : KS_MATRIX()) * fViewFlip() * mProjection;
    }

    Pending request;
    request.state = *state;
    request.texture = texture;
    request.firstVertex = uint32_t(mPendingVertices.size());
    request.vertexCount = uint32_t(vertexCount);
    request.firstIndex = uint32_t(mPendingIndices.size());
    request.indexCount = uint32_t(indexCount);
    mPendingVertices.resize(mPendingVertices.size() + size_t(vertexCount));
    KS_VERTEX* out = mPendingVertices.data() + request.firstVertex;
    // Points have a size of their own: they are never moved past anything.
    bool coversAll = state->primitive == KS_RENDER_STATE::kPOINTS ||
                     state->primitive == KS_RENDER_STATE::kPOINT_SPRITES;
    float left = 2.0f, bottom = 2.0f, right = -2.0f, top = -2.0f;
    const float* c = mPendingToClip.m;
    for (int32_t i = 0; i < vertexCount; ++i) {
        fTransformInto(out[i], vertices[i], mWorld);
        const float x = out[i].x, y = out[i].y, z = out[i].z;
        const float w = x * c[3] + y * c[7] + z * c[11] + c[15];
        if (!(w > 1e-4f)) {
            coversAll = true;
            continue;
        }
        const float cx = (x * c[0] + y * c[4] + z * c[8] + c[12]) / w;
        const float cy = (x * c[1] + y * c[5] + z * c[9] + c[13]) / w;
        left = std::min(left, cx);
        right = std::max(right, cx);
        bottom = std::min(bottom, cy);
        top = std::max(top, cy);
    }
    if (coversAll || !(left <= right) || !(bottom <= top)) {
        request.box[0] = 1.0f;
        request.box[2] = -1.0f;
    } else {
        // Two pixels of margin: lines and edges cover the pixels they touch.
        const float mx = 4.0f / float(std::max(1, mActualWidth));
        const float my = 4.0f / float(std::max(1, mActualHeight));
        request.box[0] = left - mx;
        request.box[1] = bottom - my;
        request.box[2] = right + mx;
        request.box[3] = top + my;
    }
    if (indexCount > 0) mPendingIndices.insert(mPendingIndices.end(), indices, indices + indexCount);
    mPending.push_back(request);
    fPlace(mPending.back());
}

namespace {

bool fBoxesMeet(const float* a, const float* b) {
    if (a[0] > a[2] || b[0] > b[2]) return true;
    return a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3];
}

void fGrowBox(float* box, const float* by) {
    if (box[0] > box[2]) return;
    if (by[0] > by[2]) {
        std::copy(by, by + 4, box);
        return;
    }
    box[0] = std::min(box[0], by[0]);
    box[1] = std::min(box[1], by[1]);
    box[2] = std::max(box[2], by[2]);
    box[3] = std::max(box[3], by[3]);
}

// Requests looked at before a new one gives up moving back.
constexpr int32_t kPLACE_BUDGET = 256;

}  // namespace

// A request joins the latest group of its texture and state when nothing
// drawn after that group overlaps it: it then moves back under pictures
// that do not touch it, and what lies on top stays on top.
void KC_RENDER::fPlace(Pending& request) {
    const int32_t self = int32_t(mPending.size()) - 1;
    const bool indexed = request.indexCount > 0;
    int32_t join = -1;
    int32_t budget = kPLACE_BUDGET;
    for (int32_t g = int32_t(mPendingGroups.size()) - 1; g >= 0 && budget > 0; --g, --budget) {
        const PendingGroup& group = mPendingGroups[size_t(g)];
        if (group.state == request.state && group.texture == request.texture && group.indexed == indexed) {
            join = g;
            break;
        }
        if (!fBoxesMeet(group.box, request.box)) continue;
        bool blocked = false;
        for (int32_t m = group.first; m >= 0 && !blocked; m = mPending[size_t(m)].next)
            blocked = --budget <= 0 || fBoxesMeet(mPending[size_t(m)].box, request.box);
        if (blocked) break;
    }
    if (join < 0) {
        PendingGroup group;
        group.state = request.state;
        group.texture = request.texture;
        group.indexed = indexed;
        std::copy(request.box, request.box + 4, group.box);
        group.first = group.last = self;
        mPendingGroups.push_back(group);
        return;
    }
    PendingGroup& group = mPendingGroups[size_t(join)];
    mPending[size_t(group.last)].next = self;
    group.last = self;
    fGrowBox(group.box, request.box);
}

void KC_RENDER::fDropPending() {
    mPendingVertices.clear();
    mPendingIndices.clear();
    mPending.clear();
    mPendingGroups.clear();
}

void KC_RENDER::fAppendPending(const Pending& request) {
    const bool indexed = request.indexCount > 0;
    if ((mBatchVertices > 0 && (indexed != (mBatchIndices > 0))) ||
        mBatchVertices + request.vertexCount > kVERTEX_CAPACITY || mBatchIndices + request.indexCount > kINDEX_CAPACITY)
        fFlush();
    const uint32_t flags = mBatchVertices == 0 ? kLOCK_DISCARD : kLOCK_NOOVERWRITE;
    auto* out = static_cast<KS_VERTEX*>(
        mVertexBuffer->fLock(mBatchVertices * kVERTEX_SIZE, request.vertexCount * kVERTEX_SIZE, flags));
    if (!out) return;
    std::memcpy(out, mPendingVertices.data() + request.firstVertex, size_t(request.vertexCount) * kVERTEX_SIZE);
    mVertexBuffer->fUnlock();
    if (indexed) {
        const uint32_t indexFlags = mBatchIndices == 0 ? kLOCK_DISCARD : kLOCK_NOOVERWRITE;
        auto* outIndices = static_cast<uint16_t*>(
            mIndexBuffer->fLock(mBatchIndices * 2, request.indexCount * 2, indexFlags));
        if (!outIndices) return;
        const uint16_t* in = mPendingIndices.data() + request.firstIndex;
        for (uint32_t i = 0; i < request.indexCount; ++i) outIndices[i] = uint16_t(in[i] + mBatchVertices);
        mIndexBuffer->fUnlock();
        mBatchIndices += request.indexCount;
    }
    mBatchVertices += request.vertexCount;
}

void KC_RENDER::fIssuePending() {
    mIssuing = true;
    for (const PendingGroup& group : mPendingGroups) {
        fFlush();
        if (group.state.textured && group.texture) {
            mDevice->fSetTexture(0, fReady(group.texture));
            mTexture = group.texture;
        } else {
            mDevice->fSetTexture(0, nullptr);
            mTexture = nullptr;
        }
        fApplyStates(group.state);
        mDevice->fSetFVF(kFVF_VERTEX);
        for (int32_t m = group.first; m >= 0; m = mPending[size_t(m)].next) fAppendPending(mPending[size_t(m)]);
    }
    fFlush();
    mIssuing = false;
    fDropPending();
}

void KC_RENDER::fFlush() {
    if (!mIssuing && !mPending.empty() && mDevice && fBuffersReady()) {
        fIssuePending();
        return;
    }
    if (mCamera) fFlushWith(*mCamera);
    else fFlushWith(KS_MATRIX());
}

void KC_RENDER::fFlushWith(const KS_MATRIX& world) {
    if (mBatchVertices == 0 || !mDevice) return;
    ++mFlushes;
    const bool indexed = mBatchIndices > 0;
    const uint32_t items = indexed ? mBatchIndices : mBatchVertices;
    GPrimitive type = GPrimitive::TRIANGLELIST;
    uint32_t count = 0;
    switch (mState.primitive) {
        case KS_RENDER_STATE::kPOINTS:
        case KS_RENDER_STATE::kPOINT_SPRITES:
            type = GPrimitive::POINTLIST;
            count = items;
            break;
        case KS_RENDER_STATE::kLINES:
            type = GPrimitive::LINELIST;
            count = items / 2;
            break;
        case KS_RENDER_STATE::kTRIANGLES:
            type = GPrimitive::TRIANGLELIST;
            count = items / 3;
            break;
        default: break;
    }
    mDevice->fSetTransform(GTransform::WORLD, world.m);
    mDevice->fSetStreamSource(0, mVertexBuffer.get(), 0, kVERTEX_SIZE);
    if (indexed) {
        mDevice->fSetIndices(mIndexBuffer.get());
        mDevice->fDrawIndexedPrimitive(type, 0, 0, mBatchVertices, 0, count);
    } else {
        mDevice->fDrawPrimitive(type, 0, count);
    }
    mBatchVertices = 0;
    mBatchIndices = 0;
}

bool KC_RENDER::fApplyStates(const KS_RENDER_STATE& state) {
    if (state == mState || !mDevice) return false;
    ++mStateChanges;
    const KS_RENDER_STATE old = mState;
    // Blending is on exactly when blend is set and opaque is not.
    if (state.opaque != old.opaque || state.blend != old.blend)
        mDevice->fSetRenderState(GRenderState::ALPHABLENDENABLE, (state.blend && !state.opaque) ? 1 : 0);
    if (state.additive != old.additive)
        mDevice->fSetRenderState(GRenderState::DESTBLEND, state.additive ? kBLEND_ONE : kBLEND_INVSRCALPHA);
    if (state.depthTest != old.depthTest) mDevice->fSetRenderState(GRenderState::ZENABLE, state.depthTest);
    if (state.lighting != old.lighting) {
        mDevice->fSetRenderState(GRenderState::LIGHTING, state.lighting);
        mDevice->fSetRenderState(GRenderState::NORMALIZENORMALS, 0);
        mDevice->fSetRenderState(GRenderState::SPECULARENABLE, 1);
    }
    if (state.filter != old.filter) {
        if (state.filter == KS_RENDER_STATE::kFILTER_LINEAR) {
            mDevice->fSetSamplerState(0, GSamplerState::MAGFILTER, kTEXF_LINEAR);
            mDevice->fSetSamplerState(0, GSamplerState::MINFILTER, kTEXF_LINEAR);
        } else if (state.filter == KS_RENDER_STATE::kFILTER_ANISOTROPIC) {
            mDevice->fSetSamplerState(0, GSamplerState::MAGFILTER,
                                      mCaps.magAnisotropic ? kTEXF_ANISOTROPIC : kTEXF_LINEAR);
            mDevice->fSetSamplerState(0, GSamplerState::MINFILTER,
                                      mCaps.minAnisotropic ? kTEXF_ANISOTROPIC : kTEXF_LINEAR);
        } else if (state.filter <= KS_RENDER_STATE::kFILTER_POINT && old.filter > KS_RENDER_STATE::kFILTER_POINT) {
            mDevice->fSetSamplerState(0, GSamplerState::MAGFILTER, kTEXF_POINT);
            mDevice->fSetSamplerState(0, GSamplerState::MINFILTER, kTEXF_POINT);
        }
    }
    if (state.primitive != old.primitive)
        mDevice->fSetRenderState(GRenderState::POINTSPRITEENABLE,
                                 state.primitive == KS_RENDER_STATE::kPOINT_SPRITES ? 1 : 0);
    if (state.camera != old.camera) {
        if (state.camera) fUseSecondCamera();
        else fUseFirstCamera();
    }
    const uint32_t u = state.wrapU ? kADDRESS_WRAP : kADDRESS_CLAMP;
    const uint32_t v = state.wrapV ? kADDRESS_WRAP : kADDRESS_CLAMP;
    const uint32_t w = (state.wrapU || state.wrapV) ? kADDRESS_WRAP : kADDRESS_CLAMP;
    mDevice->fSetSamplerState(0, GSamplerState::ADDRESSW, w);
    mDevice->fSetSamplerState(0, GSamplerState::ADDRESSU, u);
    mDevice->fSetSamplerState(0, GSamplerState::ADDRESSV, v);
    mDevice->fSetRenderState(GRenderState::MULTISAMPLEANTIALIAS, state.antialias);
    mDevice->fSetRenderState(GRenderState::ANTIALIASEDLINEENABLE, state.antialias);
    mState = state;
    return true;
}

void KC_RENDER::fDrawMesh(const KS_VERTEX* vertices, KC_TEXTURE* texture, const KS_RENDER_STATE* state,
                          int32_t vertexCount, const uint16_t* indices, int32_t indexCount) {
    fFlush();
    if (!state || !fBuffersReady()) return;
    fApplyStates(*state);
    fBind(texture ? texture : mDefaultTexture);
    if (!vertices || vertexCount <= 0) return;
    if (!indices || indexCount < 0) indexCount = 0;
    if (uint32_t(vertexCount) > kVERTEX_CAPACITY || uint32_t(indexCount) > kINDEX_CAPACITY) return;
    auto* out = static_cast<KS_VERTEX*>(mVertexBuffer->fLock(0, uint32_t(vertexCount) * kVERTEX_SIZE, kLOCK_DISCARD));
    if (!out) return;
    std::memcpy(out, vertices, size_t(vertexCount) * kVERTEX_SIZE);
    mVertexBuffer->fUnlock();
    if (indexCount > 0) {
        auto* outIndices = static_cast<uint16_t*>(mIndexBuffer->fLock(0, uint32_t(indexCount) * 2, kLOCK_DISCARD));
        if (!outIndices) return;
        std::memcpy(outIndices, indices, size_t(indexCount) * 2);
        mIndexBuffer->fUnlock();
    }
    mBatchVertices = uint32_t(vertexCount);
    mBatchIndices = uint32_t(indexCount);
    // The device applies the world matrix to the mesh, then the camera.
    const KS_MATRIX camera = mCamera ? *mCamera : KS_MATRIX();
    fFlushWith(mWorld * camera);
    mDevice->fSetTransform(GTransform::WORLD, camera.m);
    mDevice->fSetFVF(kFVF_VERTEX);
}

void KC_RENDER::fDrawPoints(const void* first, size_t nextOffset, KC_TEXTURE* texture, const KS_RENDER_STATE* state) {
    fFlush();
    if (!first || !state || !fBuffersReady()) return;
    fApplyStates(*state);
    // Record what is bound, so a later batch rebinds when it needs to.
    fBind(texture);
    mDevice->fSetFVF(kFVF_POINT);
    mDevice->fSetStreamSource(0, mPointBuffer.get(), 0, kPOINT_SIZE);
    if (mPointCursor >= kPOINT_CAPACITY) mPointCursor = 0;

    auto fLockChunk = [this]() {
        return static_cast<KS_POINT_VERTEX*>(
            mPointBuffer->fLock(mPointCursor * kPOINT_SIZE, kPOINT_CHUNK * kPOINT_SIZE,
                                mPointCursor == 0 ? kLOCK_DISCARD : kLOCK_NOOVERWRITE));
    };
    KS_POINT_VERTEX* out = fLockChunk();
    if (!out) return;
    uint32_t inChunk = 0;
    const KS_MATRIX& m = mWorld;
    for (const uint8_t* p = static_cast<const uint8_t*>(first); p;) {
        KS_POINT_VERTEX point;
        std::memcpy(&point, p, kPOINT_SIZE);
        const float x = point.x, y = point.y, z = point.z;
        point.x = x * m.m[0] + y * m.m[4] + z * m.m[8] + m.m[12];
        point.y = x * m.m[1] + y * m.m[5] + z * m.m[9] + m.m[13];
        point.z = x * m.m[2] + y * m.m[6] + z * m.m[10] + m.m[14];
        out[inChunk++] = point;
        if (inChunk == kPOINT_CHUNK) {
            mPointBuffer->fUnlock();
            mDevice->fDrawPrimitive(GPrimitive::POINTLIST, mPointCursor, kPOINT_CHUNK);
            mPointCursor += kPOINT_CHUNK;
            if (mPointCursor >= kPOINT_CAPACITY) mPointCursor = 0;
            inChunk = 0;
            out = fLockChunk();
            if (!out) return;
        }
        const uint8_t* next;
        std::memcpy(&next, p + nextOffset, sizeof next);
        p = next;
    }
    mPointBuffer->fUnlock();
    if (inChunk > 0) {
        mDevice->fDrawPrimitive(GPrimitive::POINTLIST, mPointCursor, inChunk);
        mPointCursor += kPOINT_CHUNK;
    }
}

void KC_RENDER::fDrawQuad(float x, float y, uint32_t color, float size) {
    mWorld.fIdentity();
    KS_VERTEX v[4];
    v[0].fSetPos(x, y, 1.0f);
    v[1].fSetPos(x + size, y, 1.0f);
    v[2].fSetPos(x + size, y + size, 1.0f);
    v[3].fSetPos(x, y + size, 1.0f);
    for (auto& vertex : v) vertex.fSetColor(color);
    static const uint16_t kIndices[6] = {0, 1, 2, 2, 3, 0};
    KS_RENDER_STATE state;
    state.primitive = KS_RENDER_STATE::kTRIANGLES;
    fDrawBatch(v, nullptr, &state, 4, kIndices, 6);
}

void KC_RENDER::fDrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t color) {
    mWorld.fIdentity();
    fDrawLine3(float(x1), float(y1), 1.0f, float(x2), float(y2), 1.0f, color);
}

void KC_RENDER::fDrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t color) {
    fDrawLine(left, top, right, top, color);
    fDrawLine(left, bottom, right, bottom, color);
    fDrawLine(left, top, left, bottom, color);
    fDrawLine(right, top, right, bottom, color);
}

void KC_RENDER::fDrawLine3(float x1, float y1, float z1, float x2, float y2, float z2, uint32_t color) {
    KS_VERTEX v[2];
    v[0].fSetPos(x1, y1, z1);
    v[1].fSetPos(x2, y2, z2);
    v[0].fSetColor(color);
    v[1].fSetColor(color);
    static const uint16_t kIndices[2] = {0, 1};
    KS_RENDER_STATE state;
    state.primitive = KS_RENDER_STATE::kLINES;
    fDrawBatch(v, nullptr, &state, 2, kIndices, 2);
}

// ---------------------------------------------------------------- textures

KC_TEXTURE* KC_RENDER::fAddTexture(std::unique_ptr<GTexture> texture, int32_t width, int32_t height,
                                   std::vector<uint8_t> encoded) {
    auto record = std::make_unique<KC_TEXTURE>();
    KC_TEXTURE* handed = record.get();
    record->mTexture = std::move(texture);
    record->mSize.fSet(width, height);
    record->mEncoded = std::move(encoded);
    std::lock_guard<std::mutex> guard(mTexturesLock);
    mTextures.emplace(handed, std::move(record));
    mTexturesMade += 1;
    return handed;
}

KC_TEXTURE* KC_RENDER::fFallback() {
    if (mDefaultTexture) return mDefaultTexture;
    fShowMessageBox(mWindow, "error", "defaultTexture not exist!!!");
    return fAddTexture(nullptr, 0, 0);
}

KC_TEXTURE* KC_RENDER::fTextureFromImage(bool decoded, const GImage& image) {
    if (!decoded || !mDevice || !mDeviceCreated || image.width <= 0 || image.height <= 0) return fFallback();
    std::unique_ptr<GTexture> texture = fMakeDeviceTexture(image.width, image.height, &image);
    if (!texture) return fFallback();
    return fAddTexture(std::move(texture), image.width, image.height);
}

KC_TEXTURE* KC_RENDER::fLoadTexture(const void* bytes, size_t size) {
    GImage image;
    const bool decoded = fDecodeImage(bytes, size, image);
    return fTextureFromImage(decoded, image);
}

KC_TEXTURE* KC_RENDER::fLoadTextureLater(const void* bytes, size_t size) {
    int32_t width = 0, height = 0;
    if (!mDevice || !mDeviceCreated || !fReadImageSize(bytes, size, width, height)) return fFallback();
    const auto* first = static_cast<const uint8_t*>(bytes);
    return fAddTexture(nullptr, width, height, std::vector<uint8_t>(first, first + size));
}

GTexture* KC_RENDER::fReady(KC_TEXTURE* texture) {
    if (!texture) return nullptr;
    std::lock_guard<std::mutex> guard(mTexturesLock);
    if (!texture->fIsWaiting() || !mDevice || !mDeviceCreated) return texture->mTexture.get();
    GImage image;
    const bool decoded = fDecodeImage(texture->mEncoded.data(), texture->mEncoded.size(), image) &&
                         image.width == texture->mSize.x && image.height == texture->mSize.y;
    std::vector<uint8_t>().swap(texture->mEncoded);
    // A file that fails past its header draws nothing rather than something
    // of another size.
    texture->mTexture = fMakeDeviceTexture(texture->mSize.x, texture->mSize.y, decoded ? &image : nullptr);
    return texture->mTexture.get();
}

std::unique_ptr<GTexture> KC_RENDER::fMakeDeviceTexture(int32_t width, int32_t height, const GImage* image) {
    std::unique_ptr<GTexture> texture(mDevice->fCreateTexture(width, height, 0, GFormat::ABGR8));
    if (!texture) return nullptr;
    int32_t pitch = 0;
    auto* bytes = static_cast<uint8_t*>(texture->fLock(&pitch));
    if (!bytes) return nullptr;
    const size_t row = size_t(width) * 4;
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* out = bytes + size_t(y) * size_t(pitch);
        if (image) std::memcpy(out, image->rgba.data() + size_t(y) * row, row);
        else std::memset(out, 0, row);
    }
    texture->fUnlock();
    return texture;
}

KC_TEXTURE* KC_RENDER::fLoadTextureFile(const std::string& path) {
    GImage image;
    const bool decoded = fDecodeImageFile(path, image);
    return fTextureFromImage(decoded, image);
}

KC_TEXTURE* KC_RENDER::fCreateTexture(int32_t width, int32_t height) {
    if (!mDevice || !mDeviceCreated || width <= 0 || height <= 0) return nullptr;
    std::unique_ptr<GTexture> texture(mDevice->fCreateTexture(width, height, 0, GFormat::ARGB8));
    if (!texture) return nullptr;
    return fAddTexture(std::move(texture), width, height);
}

int32_t KC_RENDER::fReleaseTexture(KC_TEXTURE* texture) {
    if (!texture || texture == mDefaultTexture) return KS_RESULT::kFAILED;
    std::unique_ptr<KC_TEXTURE> record;
    {
        std::lock_guard<std::mutex> guard(mTexturesLock);
        auto it = mTextures.find(texture);
        if (it == mTextures.end()) return KS_RESULT::kFAILED;
        record = std::move(it->second);
        mTextures.erase(it);
    }
    // The batch must not keep a pointer to a freed record. Only the drawing
    // thread binds textures; the loader releases textures nothing draws.
    if (std::this_thread::get_id() == mDrawThread &&
        (mTexture == texture ||
         std::any_of(mPending.begin(), mPending.end(), [texture](const Pending& p) { return p.texture == texture; }))) {
        fFlush();
        mTexture = nullptr;
        if (mDevice) mDevice->fSetTexture(0, nullptr);
    }
    return KS_RESULT::kOK;
}

size_t KC_RENDER::fGetTextureCount() const {
    std::lock_guard<std::mutex> guard(mTexturesLock);
    return mTextures.size();
}

size_t KC_RENDER::fGetTexturesMade() const {
    std::lock_guard<std::mutex> guard(mTexturesLock);
    return mTexturesMade;
}

size_t KC_RENDER::fGetTextureBytes() const {
    std::lock_guard<std::mutex> guard(mTexturesLock);
    size_t bytes = 0;
    for (const auto& [key, texture] : mTextures)
        if (texture->mTexture) bytes += size_t(texture->mTexture->fWidth()) * size_t(texture->mTexture->fHeight()) * 4;
    return bytes;
}

void* KC_RENDER::fLockTexture(KC_TEXTURE* texture) {
    GTexture* device = fReady(texture);
    if (!device) return nullptr;
    int32_t pitch = 0;
    return device->fLock(&pitch);
}

bool KC_RENDER::fUnlockTexture(KC_TEXTURE* texture) {
    return texture && texture->mTexture && texture->mTexture->fUnlock();
}

bool KC_RENDER::fFillTexture(KC_TEXTURE* texture, const uint32_t* pixels) {
    return fReady(texture) && texture->fFill(pixels);
}

// ---------------------------------------------------------------- lights

void KC_RENDER::fSetLighting(bool on) {
    fFlush();
    if (mDevice) mDevice->fSetRenderState(GRenderState::LIGHTING, on ? 1 : 0);
}

void KC_RENDER::fSetMaterial(const GMaterial& material) {
    if (mDevice) mDevice->fSetMaterial(material);
}

void KC_RENDER::fEnableLight(uint32_t index, bool on) {
    if (mDevice) mDevice->fLightEnable(index, on);
}

void KC_RENDER::fSetLight(uint32_t index, const GLight& light) {
    if (mDevice) mDevice->fSetLight(index, light);
}

// ---------------------------------------------------------------- targets

int32_t KC_RENDER::fCreateTarget(int32_t width, int32_t height) {
    if (!mDevice || width <= 0 || height <= 0) return -1;
    Target target;
    target.width = width;
    target.height = height;
    target.texture.mSize.fSet(width, height);
    target.texture.mTexture.reset(mDevice->fCreateTexture(width, height, kUSAGE_RENDERTARGET, GFormat::ARGB8));
    if (!target.texture.mTexture) return -1;
    target.surface.reset(target.texture.mTexture->fGetSurface());
    const float zf = mFar > 0.0f ? mFar : float(height + 1) / std::tan(kPI / 8.0f);
    KS_MATRIX view;
    view.fLookAt({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
    target.projection = view * fPerspective(kPI / 4.0f, float(width) / float(height), mNear > 0 ? mNear : 0.1f, zf);
    const int32_t index = mTargets.empty() ? 0 : mTargets.rbegin()->first + 1;
    mTargets.emplace(index, std::move(target));
    return index;
}

KC_TEXTURE* KC_RENDER::fGetTargetTexture(int32_t target) {
    auto it = mTargets.find(target);
    return it == mTargets.end() ? nullptr : &it->second.texture;
}

int32_t KC_RENDER::fBeginTarget(int32_t index) {
    if (mSceneState != 1 || !mDevice) return KS_RESULT::kFAILED;
    auto it = mTargets.find(index);
    if (it == mTargets.end() || !it->second.surface) return KS_RESULT::kFAILED;
    Target& target = it->second;
    if (!mDevice->fSetRenderTarget(0, target.surface.get())) return KS_RESULT::kFAILED;
    mDevice->fSetTransform(GTransform::PROJECTION, target.projection.m);
    mDevice->fSetTransform(GTransform::WORLD, target.world.m);
    mWorld.fIdentity();
    if (!mDevice->fBeginScene()) {
        mDevice->fSetRenderTarget(0, mBackBuffer.get());
        return KS_RESULT::kNOTHING;
    }
    if (!mDevice->fClear(kCLEAR_TARGET | kCLEAR_ZBUFFER, 0, 1.0f, 0)) {
        mDevice->fEndScene();
        mDevice->fSetRenderTarget(0, mBackBuffer.get());
        return KS_RESULT::kFAILED;
    }
    mSceneState = 2;
    return KS_RESULT::kOK;
}

int32_t KC_RENDER::fEndTarget() {
    if (mSceneState != 2) return KS_RESULT::kFAILED;
    fFlush();
    mDevice->fSetRenderTarget(0, mBackBuffer.get());
    mDevice->fSetTransform(GTransform::PROJECTION, mProjection.m);
    if (mCamera) mDevice->fSetTransform(GTransform::WORLD, mCamera->m);
    mDevice->fEndScene();
    mSceneState = 1;
    return KS_RESULT::kNOTHING;
}

// ---------------------------------------------------------------- masks

void KC_RENDER::fBeginMask() {
    if (!mDevice) return;
    fFlush();
    fClearStencil();
    mDevice->fSetRenderState(GRenderState::STENCILENABLE, 1);
    mMaskCounter = 255;
    mDevice->fSetRenderState(GRenderState::STENCILPASS, kSTENCILOP_DECR);
    mDevice->fSetRenderState(GRenderState::STENCILREF, mMaskCounter);
    mDevice->fSetRenderState(GRenderState::STENCILFUNC, kCMP_EQUAL);
}

void KC_RENDER::fPopMask() {
    if (!mDevice) return;
    fFlush();
    --mMaskCounter;
    mDevice->fSetRenderState(GRenderState::STENCILPASS, kSTENCILOP_ZERO);
    mDevice->fSetRenderState(GRenderState::STENCILREF, mMaskCounter);
    mDevice->fSetRenderState(GRenderState::STENCILFAIL, kSTENCILOP_REPLACE);
}

void KC_RENDER::fEndMask() {
    if (!mDevice) return;
    fFlush();
    mDevice->fSetRenderState(GRenderState::STENCILENABLE, 0);
}

// ---------------------------------------------------------------- end

int32_t KC_RENDER::fRelease() {
    if (mDefaultTexture) {
        if (mTexture == mDefaultTexture) mTexture = nullptr;
        std::lock_guard<std::mutex> guard(mTexturesLock);
        mTextures.erase(mDefaultTexture);
        mDefaultTexture = nullptr;
    }
    fReleaseBuffers();
    // Textures still held belong to the device: free them before it. Their
    // records stay, as their holders still point at them.
    {
        std::lock_guard<std::mutex> guard(mTexturesLock);
        for (auto& [key, texture] : mTextures) texture->mTexture.reset();
    }
    fReleaseTargets();
    mDevice.reset();
    mDeviceCreated = false;
    mTexture = nullptr;
    return KS_RESULT::kOK;
}

int32_t KC_RENDER::fLoadShader() { return KS_RESULT::kFAILED; }

bool KC_RENDER::fSaveFrame(const std::string& path) {
    if (!mDevice) return false;
    fFlush();
    std::vector<uint8_t> rgba;
    int32_t width = 0, height = 0;
    if (!mDevice->fReadBackBuffer(rgba, width, height)) return false;
    return fWritePng(path, rgba.data(), width, height);
}

}  // namespace KEL
