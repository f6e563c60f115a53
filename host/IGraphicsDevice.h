#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The graphics device the renderer draws through: a small immediate-mode
// device with the shape of the classic fixed-function API (render, sampler
// and texture-stage states, row-vector transforms, dynamic buffers with
// discard / no-overwrite locks, managed textures with CPU copies). Backends:
// host/gl (OpenGL 3.3 core through SDL2) and host/recording (tests).
namespace host {

// Results of fTestCooperativeLevel.
enum : int32_t { kDEVICE_OK = 0, kDEVICE_LOST = 1, kDEVICE_NOT_RESET = 2 };

enum class GDeviceType : uint32_t { HAL, REF };

// Behaviour flags of device creation.
enum : uint32_t {
    kCREATE_MULTITHREADED = 1u << 0,
    kCREATE_HARDWARE_VP = 1u << 1,
    kCREATE_MIXED_VP = 1u << 2,
    kCREATE_SOFTWARE_VP = 1u << 3,
};

struct GPresentParams {
    bool windowed = true;
    int32_t backBufferWidth = 0;
    int32_t backBufferHeight = 0;
    bool desktopFormat = true;     // else 32-bit colour without alpha
    bool autoDepthStencil = true;  // 24-bit depth, 8-bit stencil
    int32_t backBufferCount = 1;
    int32_t multiSample = 0;
    uint32_t flags = 0;
    uint32_t refreshRate = 0;
    bool vsync = true;  // present once per display refresh
};

struct GCaps {
    uint32_t maxAnisotropy = 1;
    bool magAnisotropic = false;
    bool minAnisotropic = false;
};

enum class GRenderState : uint32_t {
    ZENABLE,
    ZWRITEENABLE,
    LIGHTING,
    ALPHABLENDENABLE,
    SRCBLEND,
    DESTBLEND,
    CULLMODE,
    NORMALIZENORMALS,
    SPECULARENABLE,
    POINTSPRITEENABLE,
    POINTSIZE,
    POINTSIZE_MIN,
    POINTSIZE_MAX,
    POINTSCALE_A,
    POINTSCALE_B,
    POINTSCALE_C,
    POINTSCALEENABLE,
    MULTISAMPLEANTIALIAS,
    ANTIALIASEDLINEENABLE,
    STENCILENABLE,
    STENCILPASS,
    STENCILFAIL,
    STENCILREF,
    STENCILFUNC,
    COUNT
};
enum : uint32_t { kBLEND_ZERO = 1, kBLEND_ONE = 2, kBLEND_SRCALPHA = 5, kBLEND_INVSRCALPHA = 6 };
enum : uint32_t { kCULL_NONE = 1, kCULL_CW = 2, kCULL_CCW = 3 };
enum : uint32_t { kSTENCILOP_KEEP = 1, kSTENCILOP_ZERO = 2, kSTENCILOP_REPLACE = 3, kSTENCILOP_DECR = 8 };
enum : uint32_t { kCMP_EQUAL = 3, kCMP_ALWAYS = 8 };

enum class GSamplerState : uint32_t {
    ADDRESSU,
    ADDRESSV,
    ADDRESSW,
    MAGFILTER,
    MINFILTER,
    MIPFILTER,
    MAXANISOTROPY,
    COUNT
};
enum : uint32_t { kTEXF_NONE = 0, kTEXF_POINT = 1, kTEXF_LINEAR = 2, kTEXF_ANISOTROPIC = 3 };
enum : uint32_t { kADDRESS_WRAP = 1, kADDRESS_CLAMP = 3 };

enum class GStageState : uint32_t { COLOROP, COLORARG1, COLORARG2, ALPHAOP, ALPHAARG1, ALPHAARG2, COUNT };
enum : uint32_t { kTOP_DISABLE = 1, kTOP_SELECTARG1 = 2, kTOP_MODULATE = 4 };
enum : uint32_t { kTA_DIFFUSE = 0, kTA_TEXTURE = 2 };

enum class GTransform : uint32_t { WORLD, VIEW, PROJECTION };
enum class GPrimitive : uint32_t { POINTLIST = 1, LINELIST = 2, TRIANGLELIST = 4 };

// Vertex formats: the 36-byte vertex (position, normal, colour, u, v) and
// the 20-byte point (position, size, colour).
enum : uint32_t { kFVF_VERTEX = 0x152, kFVF_POINT = 0x62 };

enum : uint32_t { kLOCK_DISCARD = 0x2000, kLOCK_NOOVERWRITE = 0x1000 };
enum : uint32_t { kUSAGE_DYNAMIC = 0x200, kUSAGE_WRITEONLY = 0x8, kUSAGE_POINTS = 0x40, kUSAGE_RENDERTARGET = 0x1 };

// Texel layouts: ARGB holds 32-bit words 0xAARRGGBB (bytes B, G, R, A),
// ABGR holds bytes R, G, B, A.
enum class GFormat : uint32_t { ARGB8, ABGR8 };

enum : uint32_t { kCLEAR_TARGET = 1, kCLEAR_ZBUFFER = 2, kCLEAR_STENCIL = 4 };

// A light and a material in the classic layout (colours as r, g, b, a).
struct GLight {
    uint32_t type = 1;  // 1 point, 2 spot, 3 directional
    float diffuse[4] = {}, specular[4] = {}, ambient[4] = {};
    float position[3] = {}, direction[3] = {};
    float range = 0, falloff = 0, attenuation0 = 0, attenuation1 = 0, attenuation2 = 0, theta = 0, phi = 0;
};
struct GMaterial {
    float diffuse[4] = {}, ambient[4] = {}, specular[4] = {}, emissive[4] = {};
    float power = 0;
};

// A vertex or index buffer. Deleting it releases it.
class GBuffer {
public:
    virtual ~GBuffer() = default;
    // Pointer to bytes [offset, offset + size) or null; flags kLOCK_*.
    virtual void* fLock(uint32_t offset, uint32_t size, uint32_t flags) = 0;
    virtual bool fUnlock() = 0;
    virtual uint32_t fSize() const = 0;
};

// A render-target surface. Deleting it releases it.
class GSurface {
public:
    virtual ~GSurface() = default;
};

// A texture of one level. It may be created, filled and deleted on any
// thread; the device uploads it on its own thread before it is drawn.
class GTexture {
public:
    virtual ~GTexture() = default;
    // The level-0 pixels and their row pitch in bytes, or null. Once the
    // texture has been drawn the device may keep no copy of its pixels, so
    // what a later lock shows is undefined: lock to write the whole level.
    virtual void* fLock(int32_t* pitch) = 0;
    virtual bool fUnlock() = 0;
    virtual int32_t fWidth() const = 0;
    virtual int32_t fHeight() const = 0;
    virtual GFormat fFormat() const = 0;
    // The level-0 surface of a render-target texture (owned by the caller),
    // else null.
    virtual GSurface* fGetSurface() = 0;
};

class IGraphicsDevice {
public:
    virtual ~IGraphicsDevice() = default;

    // One attempt of the creation ladder on the window (an opaque handle).
    virtual bool fCreate(void* window, GDeviceType type, uint32_t behaviour, const GPresentParams& params) = 0;
    virtual GCaps fGetCaps() const = 0;
    // kDEVICE_OK, kDEVICE_LOST or kDEVICE_NOT_RESET.
    virtual int32_t fTestCooperativeLevel() = 0;
    // Applies new present parameters and returns every state and transform
    // to its default. Buffers and render targets must be released before.
    virtual bool fReset(const GPresentParams& params) = 0;
    virtual bool fBeginScene() = 0;
    virtual bool fEndScene() = 0;
    virtual bool fPresent() = 0;
    // flags kCLEAR_*; colour 0xAARRGGBB.
    virtual bool fClear(uint32_t flags, uint32_t color, float z, uint32_t stencil) = 0;

    virtual void fSetRenderState(GRenderState state, uint32_t value) = 0;
    virtual void fSetSamplerState(uint32_t sampler, GSamplerState state, uint32_t value) = 0;
    virtual void fSetTextureStageState(uint32_t stage, GStageState state, uint32_t value) = 0;
    // Sixteen floats, row-vector convention, element (r, c) at r * 4 + c.
    virtual void fSetTransform(GTransform which, const float* matrix) = 0;
    virtual void fSetTexture(uint32_t stage, GTexture* texture) = 0;
    virtual void fSetFVF(uint32_t fvf) = 0;
    virtual void fSetStreamSource(uint32_t stream, GBuffer* buffer, uint32_t offset, uint32_t stride) = 0;
    virtual void fSetIndices(GBuffer* buffer) = 0;
    virtual bool fDrawPrimitive(GPrimitive type, uint32_t startVertex, uint32_t count) = 0;
    virtual bool fDrawIndexedPrimitive(GPrimitive type, int32_t baseVertex, uint32_t minIndex, uint32_t numVertices,
                                       uint32_t startIndex, uint32_t count) = 0;

    virtual GBuffer* fCreateVertexBuffer(uint32_t bytes, uint32_t usage, uint32_t fvf) = 0;
    // 16-bit indices.
    virtual GBuffer* fCreateIndexBuffer(uint32_t bytes, uint32_t usage) = 0;
    // Any thread. usage kUSAGE_RENDERTARGET makes a render-target texture.
    virtual GTexture* fCreateTexture(int32_t width, int32_t height, uint32_t usage, GFormat format) = 0;
    // The current render target (owned by the caller).
    virtual GSurface* fGetRenderTarget(uint32_t index) = 0;
    virtual bool fSetRenderTarget(uint32_t index, GSurface* surface) = 0;

    virtual void fSetLight(uint32_t index, const GLight& light) = 0;
    virtual void fLightEnable(uint32_t index, bool on) = 0;
    virtual void fSetMaterial(const GMaterial& material) = 0;

    // The back buffer as rows of R, G, B, A bytes, top row first.
    virtual bool fReadBackBuffer(std::vector<uint8_t>& rgba, int32_t& width, int32_t& height) = 0;
};

// The game's device: OpenGL through SDL2 (host/gl).
IGraphicsDevice* fCreateGraphicsDevice();

}  // namespace host
