#pragma once

// GL backend: what GlDevice keeps of GL and of the frames, shared by its
// source files (GlDevice*.cpp, one job each) and by no one else.
// Provides: the GL headers with the extension prototypes, the program and
// its uniforms, the frame being recorded and the one on screen, the canvas,
// the damage of a partial redraw and the software rasteriser's X window.
// Does not provide: anything callable; the device's functions use it.

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <vector>

#include "host/gl/GlDevice.h"
#include "host/gl/GlPacket.h"

#ifndef GL_TEXTURE_MAX_ANISOTROPY
#define GL_TEXTURE_MAX_ANISOTROPY 0x84FE
#endif
#ifndef GL_MAX_TEXTURE_MAX_ANISOTROPY
#define GL_MAX_TEXTURE_MAX_ANISOTROPY 0x84FF
#endif

namespace host {

// A float state (point sizes) is stored as its bits.
inline float fBitsToFloat(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
}

// GL takes offsets into the bound vertex and index buffers as pointers.
inline const void* fBufferOffset(size_t bytes) { return reinterpret_cast<const void*>(bytes); }

struct GlDevice::Impl {
    GLuint program = 0;
    GLuint vao = 0;
    GLuint sampler = 0;
    GLint uMatrix = -1, uPointRange = -1, uTexture = -1, uTextured = -1, uSprite = -1;
    bool anisotropy = false;
    GLuint vertexBuffer = 0, indexBuffer = 0;
    bool programFailed = false;

    std::vector<GlPacket> pending;  // this frame so far
    std::vector<GlPacket> shown;    // the frame on screen
    bool shownKnown = false;        // false: the screen may differ from `shown`
    bool frameUnsure = false;       // this frame must reach the screen whatever it holds
    // Set from the event watch when the window system lost the window's
    // pixels (shown again, exposed, restored, resized).
    std::atomic<bool> exposed{false};
    bool watching = false;
    int32_t shownWidth = 0, shownHeight = 0;
    int64_t framesDrawn = 0, framesKept = 0;
    // What GL holds, so that a replay sets only what changed.
    uint32_t appliedRenderStates[size_t(GRenderState::COUNT)] = {};
    uint32_t appliedSamplerStates[size_t(GSamplerState::COUNT)] = {};
    int32_t appliedBlend = -1;  // GL_BLEND as enabled now; -1 unknown
    int32_t viewWidth = 0, viewHeight = 0;
    // The window's picture is drawn into the canvas and copied to the back
    // buffer at each present, so it outlives the swap and a frame that
    // differs in a few places redraws only the rectangle around them.
    GLuint canvas = 0, canvasColour = 0, canvasDepth = 0;
    int32_t canvasWidth = 0, canvasHeight = 0;
    bool canvasHoldsShown = false;
    // The rectangles a replay redraws, one pass each; none: the whole
    // target in one pass.
    std::vector<DamageRect> damage;
    size_t pass = 0;
    std::vector<DamageRect> lastDamage;
    // A software rasteriser's window on X: frames are drawn into its back
    // buffer, which is never swapped, and only the rectangles that changed
    // are copied to the window (a swap would copy all of it each frame and
    // a canvas would add a second pass through the rasteriser's threads).
    void* (*glxDisplay)() = nullptr;
    unsigned long (*glxDrawable)() = nullptr;
    void (*copySubBuffer)(void*, unsigned long, int, int, int, int) = nullptr;
    // The X window's own size, which the rasteriser sizes its back buffer
    // by: SDL reports the size it asked for before the window has it.
    int (*getGeometry)(void*, unsigned long, unsigned long*, int*, int*, unsigned*, unsigned*, unsigned*,
                       unsigned*) = nullptr;
    // The size of that back buffer. The rasteriser reads the window's size
    // when the context is made current and after a swap, never after a
    // copy: a window that grew keeps the old, smaller buffer, and a copy of
    // the window's new size from it is refused by the X server.
    int bufferWidth = 0, bufferHeight = 0;
};

}  // namespace host
