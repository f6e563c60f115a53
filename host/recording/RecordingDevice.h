#pragma once

// Recording backend of host/IGraphicsDevice.h for tests and benchmarks: it
// draws nothing, counts draw calls, primitives and state changes, keeps the
// current states and what each draw call drew, and can be told to fail
// creation, report a lost or not-reset device, or fail a reset or clear.
// It provides no pixels (the read-back gives a cleared image only).

#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <set>

#include "host/IGraphicsDevice.h"

namespace host {

class RecordingDevice : public IGraphicsDevice {
public:
    struct Draw {
        GPrimitive type = GPrimitive::TRIANGLELIST;
        uint32_t count = 0;  // primitives
        bool indexed = false;
        uint32_t start = 0;        // start vertex (non-indexed)
        uint32_t numVertices = 0;  // vertices in use (indexed)
        uint32_t fvf = 0;
        GTexture* texture = nullptr;
        std::array<float, 16> world{};
        std::vector<uint8_t> vertices;  // the stream's bytes used by the draw
        std::vector<uint16_t> indices;
    };
    struct Lock {
        const GBuffer* buffer;
        uint32_t offset, size, flags;
    };

    RecordingDevice();
    ~RecordingDevice() override;

    // Injection.
    int32_t mFailCreateAttempts = 0;  // the first n creation attempts fail
    int32_t mCooperativeLevel = kDEVICE_OK;
    bool mFailReset = false;
    bool mFailBeginScene = false;
    bool mFailClear = false;
    bool mFailTextureCreate = false;
    bool mKeepDraws = true;  // off: count only (benchmarks)
    GCaps mCaps{16, true, true};

    // What happened.
    int32_t mCreateAttempts = 0;
    std::vector<std::pair<GDeviceType, uint32_t>> mAttempts;
    int32_t mResets = 0, mBeginScenes = 0, mEndScenes = 0, mPresents = 0, mClears = 0;
    uint32_t mLastClearFlags = 0, mLastClearColor = 0;
    int64_t mDrawCalls = 0, mPrimitives = 0, mStateChanges = 0, mTextureBinds = 0;
    std::vector<Draw> mDraws;
    std::vector<Lock> mLocks;
    std::vector<std::pair<GRenderState, uint32_t>> mRenderStateLog;
    GPresentParams mParams;
    bool mCreated = false;

    uint32_t fRenderState(GRenderState state) const;
    uint32_t fSamplerState(GSamplerState state) const;
    uint32_t fStageState(GStageState state) const;
    const float* fTransform(GTransform which) const { return mTransforms[size_t(which)].data(); }
    GTexture* fBoundTexture() const;
    uint32_t fFVF() const { return mFVF; }
    int32_t fLiveBuffers() const;
    int32_t fLiveTextures() const;
    // Forgets the logs and counters, keeps the states.
    void fClearLog();

    bool fCreate(void* window, GDeviceType type, uint32_t behaviour, const GPresentParams& params) override;
    GCaps fGetCaps() const override { return mCaps; }
    int32_t fTestCooperativeLevel() override { return mCooperativeLevel; }
    bool fReset(const GPresentParams& params) override;
    bool fBeginScene() override;
    bool fEndScene() override;
    bool fPresent() override;
    bool fClear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
    void fSetRenderState(GRenderState state, uint32_t value) override;
    void fSetSamplerState(uint32_t sampler, GSamplerState state, uint32_t value) override;
    void fSetTextureStageState(uint32_t stage, GStageState state, uint32_t value) override;
    void fSetTransform(GTransform which, const float* matrix) override;
    void fSetTexture(uint32_t stage, GTexture* texture) override;
    void fSetFVF(uint32_t fvf) override { mFVF = fvf; }
    void fSetStreamSource(uint32_t stream, GBuffer* buffer, uint32_t offset, uint32_t stride) override;
    void fSetIndices(GBuffer* buffer) override { mIndices = buffer; }
    bool fDrawPrimitive(GPrimitive type, uint32_t startVertex, uint32_t count) override;
    bool fDrawIndexedPrimitive(GPrimitive type, int32_t baseVertex, uint32_t minIndex, uint32_t numVertices,
                               uint32_t startIndex, uint32_t count) override;
    GBuffer* fCreateVertexBuffer(uint32_t bytes, uint32_t usage, uint32_t fvf) override;
    GBuffer* fCreateIndexBuffer(uint32_t bytes, uint32_t usage) override;
    GTexture* fCreateTexture(int32_t width, int32_t height, uint32_t usage, GFormat format) override;
    GSurface* fGetRenderTarget(uint32_t index) override;
    bool fSetRenderTarget(uint32_t index, GSurface* surface) override;
    void fSetLight(uint32_t index, const GLight& light) override { mLights[index] = light; }
    void fLightEnable(uint32_t index, bool on) override { mLightsOn[index] = on; }
    void fSetMaterial(const GMaterial& material) override { mMaterial = material; }
    bool fReadBackBuffer(std::vector<uint8_t>& rgba, int32_t& width, int32_t& height) override;

    // Bookkeeping for the objects this device made.
    void fForget(const void* object);
    void fRemember(const void* object, bool isBuffer);

    std::map<uint32_t, GLight> mLights;
    std::map<uint32_t, bool> mLightsOn;
    GMaterial mMaterial;
    GSurface* mRenderTarget = nullptr;

private:
    void fDefaults();
    void fRecordDraw(Draw draw, uint32_t firstVertex, uint32_t vertexCount);

    std::map<GRenderState, uint32_t> mRenderStates;
    std::map<GSamplerState, uint32_t> mSamplerStates;
    std::map<GStageState, uint32_t> mStageStates;
    std::array<std::array<float, 16>, 3> mTransforms{};
    // Cleared by a texture released on any thread.
    GTexture* mTexture = nullptr;  // guarded by mObjectsLock
    uint32_t mFVF = 0;
    GBuffer* mStream = nullptr;
    uint32_t mStride = 0;
    GBuffer* mIndices = nullptr;
    mutable std::mutex mObjectsLock;
    std::set<const void*> mBuffers, mTextures;
};

}  // namespace host
