#pragma once

// OpenGL backend of host/IGraphicsDevice.h, over an SDL2 window created
// with SDL_WINDOW_OPENGL (the window handle is the SDL_Window*).
// Provides: a GL 3.3 core context on that window; one shader program that
// reproduces the fixed-function subset the renderer uses (row-vector
// world x view x projection, texture modulated by the vertex colour, alpha
// and additive blending, point sprites sized 1..64 pixels, depth test);
// one sampler object so filtering and wrapping follow the last sampler
// states whatever texture is bound; frames recorded and drawn at the
// present only when they differ from the frame on screen, and then only in
// the rectangles where they differ (into a canvas copied to the window, or,
// for a software rasteriser's X window, into its back buffer, of which only
// those rectangles are copied to the window); managed textures
// with CPU copies that may be created, filled and deleted on any thread and
// are uploaded on the drawing thread; render targets as framebuffer objects (colour only);
// stencil masks; vsync where offered; back-buffer read-back.
// Does not provide: fixed-function lighting and materials (stored, not
// drawn), line antialiasing, multisampling, device loss (never lost).

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "host/IGraphicsDevice.h"

union SDL_Event;

namespace host {

struct GlPacket;

class GlDevice : public IGraphicsDevice {
public:
    GlDevice();
    ~GlDevice() override;

    bool fCreate(void* window, GDeviceType type, uint32_t behaviour, const GPresentParams& params) override;
    GCaps fGetCaps() const override { return mCaps; }
    int32_t fTestCooperativeLevel() override { return kDEVICE_OK; }
    bool fReset(const GPresentParams& params) override;
    bool fBeginScene() override;
    bool fEndScene() override { return mContext != nullptr; }
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
    void fSetLight(uint32_t index, const GLight& light) override;
    void fLightEnable(uint32_t index, bool on) override;
    void fSetMaterial(const GMaterial& material) override { mMaterial = material; }
    bool fReadBackBuffer(std::vector<uint8_t>& rgba, int32_t& width, int32_t& height) override;

    // Presents that drew a frame, and those that found the frame equal to
    // the one on screen and left it there.
    int64_t fFramesDrawn() const;
    // The picture on screen as rows of R, G, B, A bytes, top row first;
    // false when it is not known (nothing presented yet, or read mid-frame).
    bool fReadShown(std::vector<uint8_t>& rgba, int32_t& width, int32_t& height);
    int64_t fFramesKept() const;

    // GL names of textures and buffers deleted on other threads, freed on
    // the drawing thread; `bytes` is what the texture's pixels took.
    void fQueueDelete(uint32_t texture, uint32_t buffer, uint32_t framebuffer, size_t bytes = 0);
    // Times the pages of deleted pictures were handed back to the system.
    int64_t fMemoryReturns() const { return mMemoryReturns; }
    // Deleted pictures of at least this many bytes in all make the next
    // frame hand the freed pages back: a screen let go leaves megabytes.
    static constexpr size_t kRETURN_BYTES = size_t{1} << 20;

    // The sampling one draw gets: the cheapest that looks the same as the
    // sampler states ask. Anisotropy only changes what is seen where the
    // texel footprint varies across a primitive, which needs the depth (w)
    // to vary across it; screen-aligned 2D draws sample linearly.
    struct Sampling {
        int32_t magFilter;  // GL_NEAREST or GL_LINEAR
        int32_t minFilter;
        float anisotropy;  // 1 = none
    };
    // A texel-aligned draw samples the nearest texel whatever is asked.
    static Sampling fChooseSampling(const uint32_t* samplerStates, bool depthVaries, uint32_t maxAnisotropy,
                                    bool texelAligned = false);
    // Whether every triangle of the draw lays its texels one to one on
    // pixels with texel centres on pixel centres (the clip matrix maps the
    // positions into a view of the given size; u, v where the 36-byte
    // vertex holds them).
    static bool fTexelAligned(const uint8_t* vertices, uint32_t stride, uint32_t count, const uint16_t* indices,
                              uint32_t indexCount, const float* clip, int32_t viewWidth, int32_t viewHeight,
                              int32_t textureWidth, int32_t textureHeight);
    // Whether clip w differs between the vertices [first, first + count),
    // each `stride` bytes starting with a float position.
    static bool fDepthVaries(const uint8_t* vertices, uint32_t stride, uint32_t first, uint32_t count,
                             const float* clipMatrix);

    // A rectangle of the window in pixels, y from the bottom.
    struct DamageRect {
        int32_t x, y, w, h;
    };
    // Adds r to the rectangles a present redraws, none overlapping: those
    // that meet become one where that adds few pixels, a crossing one is cut
    // around another, and past `most` the two whose union wastes the fewest
    // pixels are joined.
    static void fAddDamage(std::vector<DamageRect>& rects, DamageRect r, size_t most = kMAX_DAMAGE_RECTS);
    static constexpr size_t kMAX_DAMAGE_RECTS = 6;
    // Where the last present redrew the picture; empty when it drew the
    // whole window.
    std::vector<DamageRect> fLastDamage() const;

private:
    struct Impl;
    void fDefaults();
    // A frame is recorded, and drawn at the present only when it differs
    // from the frame on screen.
    bool fBuildProgram();
    void fStartPacket();
    void fRecordDraw(GPrimitive type, uint32_t count, uint32_t firstVertex, uint32_t vertexCount,
                     const uint16_t* indices, int32_t baseVertex);
    void fReplay(int width, int height);
    // All the frame's vertices and indices into GL's buffers.
    void fUploadFrame();
    void fReplayPass(const std::vector<DamageRect>& reach, int width, int height);
    void fReplayDraw(const GlPacket& packet, size_t vertexAt, size_t indexAt);
    void fApplyRenderStates(const GlPacket& packet);
    void fApplySampling(const GlPacket& packet, const float* clip);
    void fClearNow(uint32_t flags, uint32_t color, float z, uint32_t stencil);
    void fCollectGarbage();
    void fViewportToTarget();
    // The window's back buffer size in pixels now.
    void fDrawableSize(int& width, int& height) const;
    void fResizeDirectBuffer(int width, int height);
    bool fMakeCanvas(int32_t width, int32_t height);
    bool fReadPicture(std::vector<uint8_t>& rgba, int32_t& width, int32_t& height, int32_t w, int32_t h);
    void fDropCanvas();
    void fScissorToDamage();
    bool fFindDamage(int32_t width, int32_t height);
    bool fDamageDraws(const GlPacket& now, const GlPacket& was, int32_t width, int32_t height);
    bool fDamagePrimitives(const GlPacket& packet, int32_t width, int32_t height, size_t first, size_t end);
    static void fAddDamageCut(std::vector<DamageRect>& rects, DamageRect r, size_t most, int32_t depth);
    // Whether two rectangles overlap, or come within `gap` pixels of it.
    static bool fMeet(const DamageRect& a, const DamageRect& b, int32_t gap = 0);
    static DamageRect fPixelRect(const float* box, int32_t width, int32_t height);
    static void fFindDirectWindow(Impl& g);
    // How a draw is made, as kDEPTH_VARIES | kTEXEL_ALIGNED | kBLENDS.
    static constexpr uint32_t kDEPTH_VARIES = 1, kTEXEL_ALIGNED = 2, kBLENDS = 4;
    uint32_t fDrawChoices(const GlPacket& packet, const float* clip, int32_t viewWidth, int32_t viewHeight) const;
    // Event watch: a window whose pixels were lost is drawn at the next
    // present even when the frame is unchanged.
    static int fWatchWindow(void* device, SDL_Event* event);

    std::unique_ptr<Impl> mImpl;
    void* mWindow = nullptr;
    void* mContext = nullptr;
    GCaps mCaps;
    GPresentParams mParams;
    uint32_t mRenderStates[size_t(GRenderState::COUNT)] = {};
    uint32_t mSamplerStates[size_t(GSamplerState::COUNT)] = {};
    uint32_t mStageStates[size_t(GStageState::COUNT)] = {};
    float mTransforms[3][16] = {};
    GTexture* mTexture = nullptr;
    uint32_t mFVF = 0;
    GBuffer* mStream = nullptr;
    uint32_t mStride = 0;
    GBuffer* mIndices = nullptr;
    GSurface* mTarget = nullptr;
    GMaterial mMaterial;
    bool mStatesDirty = true;
    bool mSamplerDirty = true;
    Sampling mApplied{0, 0, 0.0f};  // what the sampler object holds
    std::mutex mGarbageLock;
    std::vector<uint32_t> mDeadTextures, mDeadBuffers, mDeadFramebuffers;
    size_t mDeadBytes = 0;  // guarded by mGarbageLock
    // Drawing thread only: pictures deleted at the last collection, whose
    // pages the driver frees once its last frame with them is done.
    bool mReturnPending = false;
    int64_t mMemoryReturns = 0;
};

}  // namespace host
