// Recording backend of host/IGraphicsDevice.h: see RecordingDevice.h for
// what it provides (counts, logs, injected failures) and what it does not
// (pixels).
#include "host/recording/RecordingDevice.h"

#include <algorithm>
#include <cstring>

namespace host {

namespace {

class RecBuffer : public GBuffer {
public:
    RecBuffer(RecordingDevice* device, uint32_t bytes) : mDevice(device), mBytes(bytes, 0) {
        mDevice->fRemember(this, true);
    }
    ~RecBuffer() override { mDevice->fForget(this); }
    void* fLock(uint32_t offset, uint32_t size, uint32_t flags) override {
        if (mLocked || uint64_t(offset) + size > mBytes.size()) return nullptr;
        if (mDevice->mKeepDraws) mDevice->mLocks.push_back({this, offset, size, flags});
        mLocked = true;
        return mBytes.data() + offset;
    }
    bool fUnlock() override {
        const bool was = mLocked;
        mLocked = false;
        return was;
    }
    uint32_t fSize() const override { return uint32_t(mBytes.size()); }
    const uint8_t* fData() const { return mBytes.data(); }

private:
    RecordingDevice* mDevice;
    std::vector<uint8_t> mBytes;
    bool mLocked = false;
};

class RecSurface : public GSurface {};

class RecTexture : public GTexture {
public:
    RecTexture(RecordingDevice* device, int32_t w, int32_t h, uint32_t usage, GFormat format)
        : mDevice(device), mWidth(w), mHeight(h), mUsage(usage), mFormat(format), mPixels(size_t(w) * h * 4, 0) {
        mDevice->fRemember(this, false);
    }
    ~RecTexture() override { mDevice->fForget(this); }
    void* fLock(int32_t* pitch) override {
        if (mLocked) return nullptr;
        mLocked = true;
        if (pitch) *pitch = mWidth * 4;
        return mPixels.data();
    }
    bool fUnlock() override {
        const bool was = mLocked;
        mLocked = false;
        return was;
    }
    int32_t fWidth() const override { return mWidth; }
    int32_t fHeight() const override { return mHeight; }
    GFormat fFormat() const override { return mFormat; }
    GSurface* fGetSurface() override { return (mUsage & kUSAGE_RENDERTARGET) ? new RecSurface : nullptr; }

private:
    RecordingDevice* mDevice;
    int32_t mWidth, mHeight;
    uint32_t mUsage;
    GFormat mFormat;
    std::vector<uint8_t> mPixels;
    bool mLocked = false;
};

}  // namespace

RecordingDevice::RecordingDevice() { fDefaults(); }
RecordingDevice::~RecordingDevice() = default;

void RecordingDevice::fDefaults() {
    mRenderStates.clear();
    mSamplerStates.clear();
    mStageStates.clear();
    for (auto& t : mTransforms) {
        t.fill(0.0f);
        t[0] = t[5] = t[10] = t[15] = 1.0f;
    }
    {
        std::lock_guard<std::mutex> guard(mObjectsLock);
        mTexture = nullptr;
    }
    mStream = nullptr;
    mIndices = nullptr;
    mFVF = 0;
}

uint32_t RecordingDevice::fRenderState(GRenderState state) const {
    if (auto it = mRenderStates.find(state); it != mRenderStates.end()) return it->second;
    switch (state) {
        case GRenderState::ZENABLE: return mParams.autoDepthStencil ? 1 : 0;
        case GRenderState::ZWRITEENABLE: return 1;
        case GRenderState::LIGHTING: return 1;
        case GRenderState::SRCBLEND: return kBLEND_ONE;
        case GRenderState::DESTBLEND: return kBLEND_ZERO;
        case GRenderState::CULLMODE: return kCULL_CCW;
        case GRenderState::POINTSCALE_A: return 0x3F800000;  // 1.0f
        case GRenderState::POINTSIZE: return 0x3F800000;
        case GRenderState::POINTSIZE_MIN: return 0x3F800000;
        case GRenderState::POINTSIZE_MAX: return 0x42800000;  // 64.0f
        case GRenderState::STENCILPASS: return kSTENCILOP_KEEP;
        case GRenderState::STENCILFAIL: return kSTENCILOP_KEEP;
        case GRenderState::STENCILFUNC: return kCMP_ALWAYS;
        default: return 0;
    }
}

uint32_t RecordingDevice::fSamplerState(GSamplerState state) const {
    if (auto it = mSamplerStates.find(state); it != mSamplerStates.end()) return it->second;
    switch (state) {
        case GSamplerState::ADDRESSU:
        case GSamplerState::ADDRESSV:
        case GSamplerState::ADDRESSW: return kADDRESS_WRAP;
        case GSamplerState::MAGFILTER:
        case GSamplerState::MINFILTER: return kTEXF_POINT;
        case GSamplerState::MIPFILTER: return kTEXF_NONE;
        case GSamplerState::MAXANISOTROPY: return 1;
        default: return 0;
    }
}

uint32_t RecordingDevice::fStageState(GStageState state) const {
    if (auto it = mStageStates.find(state); it != mStageStates.end()) return it->second;
    switch (state) {
        case GStageState::COLOROP: return kTOP_MODULATE;
        case GStageState::ALPHAOP: return kTOP_SELECTARG1;
        case GStageState::COLORARG1:
        case GStageState::ALPHAARG1: return kTA_TEXTURE;
        default: return kTA_DIFFUSE;
    }
}

int32_t RecordingDevice::fLiveBuffers() const {
    std::lock_guard<std::mutex> guard(mObjectsLock);
    return int32_t(mBuffers.size());
}

int32_t RecordingDevice::fLiveTextures() const {
    std::lock_guard<std::mutex> guard(mObjectsLock);
    return int32_t(mTextures.size());
}

void RecordingDevice::fRemember(const void* object, bool isBuffer) {
    std::lock_guard<std::mutex> guard(mObjectsLock);
    (isBuffer ? mBuffers : mTextures).insert(object);
}

void RecordingDevice::fForget(const void* object) {
    std::lock_guard<std::mutex> guard(mObjectsLock);
    mBuffers.erase(object);
    mTextures.erase(object);
    if (mTexture == object) mTexture = nullptr;
}

GTexture* RecordingDevice::fBoundTexture() const {
    std::lock_guard<std::mutex> guard(mObjectsLock);
    return mTexture;
}

void RecordingDevice::fClearLog() {
    mAttempts.clear();
    mResets = mBeginScenes = mEndScenes = mPresents = mClears = 0;
    mDrawCalls = mPrimitives = mStateChanges = mTextureBinds = 0;
    mDraws.clear();
    mLocks.clear();
    mRenderStateLog.clear();
}

bool RecordingDevice::fCreate(void* window, GDeviceType type, uint32_t behaviour, const GPresentParams& params) {
    ++mCreateAttempts;
    mAttempts.emplace_back(type, behaviour);
    if (mCreateAttempts <= mFailCreateAttempts) return false;
    mParams = params;
    mCreated = true;
    fDefaults();
    return true;
}

bool RecordingDevice::fReset(const GPresentParams& params) {
    ++mResets;
    if (mFailReset) return false;
    mParams = params;
    fDefaults();
    mCooperativeLevel = kDEVICE_OK;
    return true;
}

bool RecordingDevice::fBeginScene() {
    ++mBeginScenes;
    return !mFailBeginScene;
}

bool RecordingDevice::fEndScene() {
    ++mEndScenes;
    return true;
}

bool RecordingDevice::fPresent() {
    ++mPresents;
    return true;
}

bool RecordingDevice::fClear(uint32_t flags, uint32_t color, float, uint32_t) {
    ++mClears;
    mLastClearFlags = flags;
    mLastClearColor = color;
    return !mFailClear;
}

void RecordingDevice::fSetRenderState(GRenderState state, uint32_t value) {
    ++mStateChanges;
    mRenderStates[state] = value;
    if (mKeepDraws) mRenderStateLog.emplace_back(state, value);
}

void RecordingDevice::fSetSamplerState(uint32_t sampler, GSamplerState state, uint32_t value) {
    ++mStateChanges;
    if (sampler == 0) mSamplerStates[state] = value;
}

void RecordingDevice::fSetTextureStageState(uint32_t stage, GStageState state, uint32_t value) {
    ++mStateChanges;
    if (stage == 0) mStageStates[state] = value;
}

void RecordingDevice::fSetTransform(GTransform which, const float* matrix) {
    std::copy(matrix, matrix + 16, mTransforms[size_t(which)].begin());
}

void RecordingDevice::fSetTexture(uint32_t stage, GTexture* texture) {
    ++mTextureBinds;
    std::lock_guard<std::mutex> guard(mObjectsLock);
    if (stage == 0) mTexture = texture;
}

void RecordingDevice::fSetStreamSource(uint32_t, GBuffer* buffer, uint32_t, uint32_t stride) {
    mStream = buffer;
    mStride = stride;
}

void RecordingDevice::fRecordDraw(Draw draw, uint32_t firstVertex, uint32_t vertexCount) {
    ++mDrawCalls;
    mPrimitives += draw.count;
    if (!mKeepDraws) return;
    draw.fvf = mFVF;
    draw.texture = fBoundTexture();
    draw.world = mTransforms[size_t(GTransform::WORLD)];
    if (auto* stream = dynamic_cast<RecBuffer*>(mStream)) {
        const uint64_t from = uint64_t(firstVertex) * mStride;
        const uint64_t to = std::min<uint64_t>(from + uint64_t(vertexCount) * mStride, stream->fSize());
        if (from < to) draw.vertices.assign(stream->fData() + from, stream->fData() + to);
    }
    mDraws.push_back(std::move(draw));
}

bool RecordingDevice::fDrawPrimitive(GPrimitive type, uint32_t startVertex, uint32_t count) {
    Draw draw;
    draw.type = type;
    draw.count = count;
    draw.start = startVertex;
    const uint32_t per = type == GPrimitive::TRIANGLELIST ? 3 : type == GPrimitive::LINELIST ? 2 : 1;
    fRecordDraw(std::move(draw), startVertex, count * per);
    return true;
}

bool RecordingDevice::fDrawIndexedPrimitive(GPrimitive type, int32_t baseVertex, uint32_t, uint32_t numVertices,
                                            uint32_t startIndex, uint32_t count) {
    Draw draw;
    draw.type = type;
    draw.count = count;
    draw.indexed = true;
    draw.numVertices = numVertices;
    const uint32_t per = type == GPrimitive::TRIANGLELIST ? 3 : type == GPrimitive::LINELIST ? 2 : 1;
    if (mKeepDraws)
        if (auto* indices = dynamic_cast<RecBuffer*>(mIndices)) {
            const auto* data = reinterpret_cast<const uint16_t*>(indices->fData());
            const uint32_t available = indices->fSize() / 2;
            for (uint32_t i = startIndex; i < startIndex + count * per && i < available; ++i)
                draw.indices.push_back(data[i]);
        }
    fRecordDraw(std::move(draw), uint32_t(baseVertex), numVertices);
    return true;
}

GBuffer* RecordingDevice::fCreateVertexBuffer(uint32_t bytes, uint32_t, uint32_t) { return new RecBuffer(this, bytes); }

GBuffer* RecordingDevice::fCreateIndexBuffer(uint32_t bytes, uint32_t) { return new RecBuffer(this, bytes); }

GTexture* RecordingDevice::fCreateTexture(int32_t width, int32_t height, uint32_t usage, GFormat format) {
    if (!mCreated || mFailTextureCreate || width <= 0 || height <= 0) return nullptr;
    return new RecTexture(this, width, height, usage, format);
}

GSurface* RecordingDevice::fGetRenderTarget(uint32_t index) { return index == 0 ? new RecSurface : nullptr; }

bool RecordingDevice::fSetRenderTarget(uint32_t index, GSurface* surface) {
    if (index != 0 || !surface) return false;
    mRenderTarget = surface;
    return true;
}

bool RecordingDevice::fReadBackBuffer(std::vector<uint8_t>& rgba, int32_t& width, int32_t& height) {
    width = mParams.backBufferWidth;
    height = mParams.backBufferHeight;
    if (width <= 0 || height <= 0) return false;
    rgba.assign(size_t(width) * height * 4, 0);
    for (size_t i = 0; i < rgba.size(); i += 4) {
        rgba[i] = uint8_t(mLastClearColor >> 16);
        rgba[i + 1] = uint8_t(mLastClearColor >> 8);
        rgba[i + 2] = uint8_t(mLastClearColor);
        rgba[i + 3] = 255;
    }
    return true;
}

}  // namespace host
