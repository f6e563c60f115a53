#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "engine/render/KC_CAMERA.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/render/KC_VERTEX_ARRAY.h"
#include "engine/render/KS_VERTEX.h"
#include "engine/util/KS_COLOR.h"
#include "engine/util/KS_MATRIX.h"
#include "engine/util/KS_RENDER_STATE.h"
#include "host/IGraphicsDevice.h"
#include "host/Image.h"

namespace KEL {

struct KS_TRANSFORM3;

// The 20-byte point a particle begins with: position, size, colour.
struct KS_POINT_VERTEX {
    float x, y, z;
    float size;
    uint32_t color;
};
static_assert(sizeof(KS_POINT_VERTEX) == 20, "the point layout is shared with the device");

// The engine's only path to the screen: batches small textured vertex lists
// into one dynamic vertex and index buffer, streams particle points through
// a ring, owns the textures and recovers from a lost device.
class KC_RENDER {
public:
    static constexpr uint32_t kVERTEX_CAPACITY = 8192;
    static constexpr uint32_t kINDEX_CAPACITY = 3 * 8192 - 6;
    static constexpr uint32_t kPOINT_CAPACITY = 4096;
    static constexpr uint32_t kPOINT_CHUNK = 512;

    KC_RENDER();
    ~KC_RENDER();
    KC_RENDER(const KC_RENDER&) = delete;
    KC_RENDER& operator=(const KC_RENDER&) = delete;

    // The renderer most recently constructed (and not yet destroyed).
    static KC_RENDER* fCurrent();

    // Gives the renderer the device to create itself on; the renderer owns
    // it from here on (callers may keep the pointer to watch it while the
    // renderer lives). Without one, fInit makes the game's device.
    void fSetDevice(host::IGraphicsDevice* device);

    // 1, or -1 when no device or default texture can be made.
    int32_t fInit(void* window, float nearPlane, float farPlane);
    // 1 when the device is ready afterwards, 0 when it is not (yet).
    int32_t fSetVideoMode(int32_t width, int32_t height, bool fullscreen, bool useDesktopSize);
    // 1: draw this frame; -1 not now or device lost; -110 reset in this
    // frame; 0 the scene could not begin.
    int32_t fBeginFrame();
    // 0, or -1 outside a frame.
    int32_t fEndFrame();
    void fSetClearColor(uint32_t color) { mClearColor = color; }
    bool fClear();
    bool fClearDepth();
    bool fClearStencil();
    bool fClearFlags(bool target, bool stencil, bool depth);

    void fSetWorld(const KS_TRANSFORM3& transform);
    void fSetWorldMatrix(const KS_MATRIX& world) { mWorld = world; }
    const KS_MATRIX& fGetWorld() const { return mWorld; }

    void fDrawBatch(const KS_VERTEX* vertices, KC_TEXTURE* texture, const KS_RENDER_STATE* state, int32_t vertexCount,
                    const uint16_t* indices, int32_t indexCount);
    void fFlush();
    // Applies the fields that differ from the current word; false when the
    // words compare equal.
    bool fApplyStates(const KS_RENDER_STATE& state);
    void fDrawMesh(const KS_VERTEX* vertices, KC_TEXTURE* texture, const KS_RENDER_STATE* state, int32_t vertexCount,
                   const uint16_t* indices, int32_t indexCount);
    // Point sprites: P begins with a KS_POINT_VERTEX and links to the next
    // particle through its member mNext (null ends the list). The count is
    // not used.
    template <class P>
    void fDrawBuffer(const P* first, KC_TEXTURE* texture, const KS_RENDER_STATE* state, int32_t count) {
        static_assert(std::is_standard_layout_v<P>, "particles are read as raw points");
        fDrawPoints(first, offsetof(P, mNext), texture, state);
    }
    void fDrawPoints(const void* first, size_t nextOffset, KC_TEXTURE* texture, const KS_RENDER_STATE* state);
    void fDrawQuad(float x, float y, uint32_t color, float size);
    void fDrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t color);
    void fDrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t color);
    void fDrawLine3(float x1, float y1, float z1, float x2, float y2, float z2, uint32_t color);

    // Any thread. A non-image gives the default texture.
    KC_TEXTURE* fLoadTexture(const void* bytes, size_t size);
    // A texture of the image's declared size that decodes its pixels when
    // first drawn or locked: pictures loaded ahead of need hold only their
    // file. The default texture when the header is unreadable.
    KC_TEXTURE* fLoadTextureLater(const void* bytes, size_t size);
    KC_TEXTURE* fLoadTextureFile(const std::string& path);
    // Blank 0xAARRGGBB texture, or null.
    KC_TEXTURE* fCreateTexture(int32_t width, int32_t height);
    // 1, or -1 for null, the default texture or an unknown record.
    int32_t fReleaseTexture(KC_TEXTURE* texture);
    void* fLockTexture(KC_TEXTURE* texture);
    bool fUnlockTexture(KC_TEXTURE* texture);
    bool fFillTexture(KC_TEXTURE* texture, const uint32_t* pixels);
    KC_TEXTURE* fGetDefaultTexture() const { return mDefaultTexture; }
    size_t fGetTextureCount() const;
    // Pixels of every texture the renderer holds, four bytes each.
    size_t fGetTextureBytes() const;
    // Textures made since the renderer was made, released ones included.
    size_t fGetTexturesMade() const;

    host::IGraphicsDevice* fGetDevice() const { return mDevice.get(); }
    void fSetLighting(bool on);
    void fSetMaterial(const host::GMaterial& material);
    void fEnableLight(uint32_t index, bool on);
    void fSetLight(uint32_t index, const host::GLight& light);

    // Null means camera 1.
    void fUseCamera(KS_MATRIX* matrix);
    void fUseFirstCamera();
    void fUseSecondCamera();
    void fSetProjection();

    // Render targets: the index of the new target, or -1.
    int32_t fCreateTarget(int32_t width, int32_t height);
    int32_t fBeginTarget(int32_t target);
    int32_t fEndTarget();
    KC_TEXTURE* fGetTargetTexture(int32_t target);

    void fBeginMask();
    void fPopMask();
    void fEndMask();

    int32_t fRelease();
    // The shader language of the vertex-shader file cannot be compiled
    // here: always -1.
    int32_t fLoadShader();

    // Reads the back buffer of the frame being drawn and writes it as PNG.
    bool fSaveFrame(const std::string& path);

    // Counters of the current frame.
    int32_t fGetRequestCount() const { return mRequests; }
    int32_t fGetFlushCount() const { return mFlushes; }
    int32_t fGetStateChangeCount() const { return mStateChanges; }
    int32_t fGetSceneState() const { return mSceneState; }
    const KS_RENDER_STATE& fGetState() const { return mState; }
    KC_TEXTURE* fGetCurrentTexture() const { return mTexture; }
    uint32_t fGetPointCursor() const { return mPointCursor; }
    const KS_MATRIX& fGetProjection() const { return mProjection; }
    const KS_MATRIX& fGetAspectCorrection() const { return mAspect; }
    const KS_MATRIX* fGetCameraMatrix() const { return mCamera; }
    KC_CAMERA* fGetCamera(int32_t which) { return which == 1 ? mCamera1.get() : mCamera2.get(); }
    int32_t fGetWidth() const { return mWidth; }
    int32_t fGetHeight() const { return mHeight; }
    int32_t fGetActualWidth() const { return mActualWidth; }
    int32_t fGetActualHeight() const { return mActualHeight; }
    bool fIsFullscreen() const { return mFullscreen; }

private:
    struct Target {
        int32_t width = 0, height = 0;
        KC_TEXTURE texture;
        KS_MATRIX world, projection;
        std::unique_ptr<host::GSurface> surface;
        // Frees the surface, then the texture it is a level of.
        void fReleaseDevice();
    };

    // A batched request held until the next flush: its vertices are already
    // in world space; the box is its screen extent in clip space.
    struct Pending {
        KS_RENDER_STATE state;
        KC_TEXTURE* texture = nullptr;
        uint32_t firstVertex = 0, vertexCount = 0;
        uint32_t firstIndex = 0, indexCount = 0;
        float box[4] = {};  // left, bottom, right, top; left > right covers all
        int32_t next = -1;  // the next request of its group
    };
    // Requests of one texture and state word drawn together.
    struct PendingGroup {
        KS_RENDER_STATE state;
        KC_TEXTURE* texture = nullptr;
        bool indexed = false;
        float box[4] = {};
        int32_t first = -1, last = -1;
    };

    bool fCreateDevice();
    bool fResetDevice();
    void fPlace(Pending& request);
    void fIssuePending();
    void fDropPending();
    void fAppendPending(const Pending& request);
    void fFollowDrawable();
    void fSetCreationStates();
    void fReleaseBuffers();
    bool fBuffersReady() const { return mVertexBuffer && mIndexBuffer && mPointBuffer; }
    void fFlushWith(const KS_MATRIX& world);
    void fBind(KC_TEXTURE* texture);
    // A waiting picture has no device texture and brings its file.
    KC_TEXTURE* fAddTexture(std::unique_ptr<host::GTexture> texture, int32_t width, int32_t height,
                            std::vector<uint8_t> encoded = {});
    void fReleaseTargets();
    KC_TEXTURE* fFallback();
    KC_TEXTURE* fTextureFromImage(bool decoded, const host::GImage& image);
    // The device texture to draw or lock, decoding a waiting picture first.
    host::GTexture* fReady(KC_TEXTURE* texture);
    // A device texture filled with the image, or clear without one.
    std::unique_ptr<host::GTexture> fMakeDeviceTexture(int32_t width, int32_t height, const host::GImage* image);

    int32_t mRequests = 0;
    int32_t mFlushes = 0;
    int32_t mStateChanges = 0;
    KS_RENDER_STATE mState;
    KC_TEXTURE* mTexture = nullptr;
    KC_TEXTURE* mDefaultTexture = nullptr;
    int32_t mSceneState = 1;
    void* mWindow = nullptr;
    std::thread::id mDrawThread;
    uint32_t mClearColor = 0xFF444444u;
    mutable std::mutex mTexturesLock;
    // The records handed out, each owned here; guarded by mTexturesLock.
    std::map<const KC_TEXTURE*, std::unique_ptr<KC_TEXTURE>> mTextures;
    size_t mTexturesMade = 0;
    std::map<int32_t, Target> mTargets;
    float mNear = 0.1f;
    float mFar = 0.0f;
    KS_MATRIX mWorld;
    KS_MATRIX mProjection;
    KS_MATRIX mAspect;
    KS_MATRIX* mCamera = nullptr;
    std::unique_ptr<KC_CAMERA> mCamera1;
    std::unique_ptr<KC_CAMERA> mCamera2;
    uint32_t mPointCursor = 0;
    uint32_t mBatchVertices = 0;
    uint32_t mBatchIndices = 0;
    uint32_t mMaskCounter = 0;
    std::vector<KS_VERTEX> mPendingVertices;
    std::vector<uint16_t> mPendingIndices;
    std::vector<Pending> mPending;
    std::vector<PendingGroup> mPendingGroups;
    KS_MATRIX mPendingToClip;
    bool mIssuing = false;
    // The device objects die before the device (fRelease, the destructor).
    std::unique_ptr<host::IGraphicsDevice> mDevice;
    bool mDeviceCreated = false;
    std::unique_ptr<host::GSurface> mBackBuffer;
    std::unique_ptr<host::GBuffer> mVertexBuffer;
    std::unique_ptr<host::GBuffer> mPointBuffer;
    std::unique_ptr<host::GBuffer> mIndexBuffer;
    host::GCaps mCaps;
    host::GPresentParams mParams;
    bool mFullscreen = false;
    bool mUseDesktopSize = false;
    int32_t mWidth = 0, mHeight = 0;
    int32_t mActualWidth = 0, mActualHeight = 0;
};

}  // namespace KEL
