#pragma once

// GL backend: one piece of a recorded frame (a clear, a draw with every
// state it needs and the bytes it reads, or a change of render target).
// Provides: comparison as bytes, so that a frame may be compared with the
// one on screen; the counts of a draw's vertices and primitives; its
// world x view x projection; the box its primitives cover on screen.
// Does not provide: drawing (GlDevice replays packets) or any GL call.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "host/IGraphicsDevice.h"
#include "host/gl/GlVertexLayout.h"

namespace host {

// Vertices of one primitive.
inline uint32_t fPerPrimitive(GPrimitive type) {
    return type == GPrimitive::TRIANGLELIST ? 3 : type == GPrimitive::LINELIST ? 2 : 1;
}

struct GlPacket {
    enum Kind : uint32_t { kCLEAR, kDRAW, kINDEXED, kTARGET };
    struct Head {
        uint32_t kind, type, count;
        uint32_t clearFlags, clearColor, clearStencil;
        float clearZ;
        uint32_t fvf, stride;
        uint32_t renderStates[size_t(GRenderState::COUNT)];
        uint32_t samplerStates[size_t(GSamplerState::COUNT)];
        uint32_t textured;
        uint32_t texture;  // GL name
        uint32_t opaque;   // the texture has full alpha everywhere
        int32_t textureWidth, textureHeight;
        uint64_t stamp;
        float transforms[3][16];
        uint32_t framebuffer;
        int32_t viewWidth, viewHeight;
    } head;
    std::vector<uint8_t> vertices;
    std::vector<uint16_t> indices;

    explicit GlPacket(Kind kind) {
        std::memset(&head, 0, sizeof head);  // padding too: heads compare as bytes
        head.kind = kind;
    }
    bool operator==(const GlPacket& o) const {
        return std::memcmp(&head, &o.head, sizeof head) == 0 && vertices == o.vertices && indices == o.indices;
    }
    // Two draws with the same states, texture and layout.
    bool fAlike(const GlPacket& o) const;
    bool fIsDraw() const { return head.kind == kDRAW || head.kind == kINDEXED; }
    // Bytes from one vertex to the next: a position at least.
    size_t fStride() const { return std::max<size_t>(head.stride, layout::kPOSITION_BYTES); }
    size_t fCorners() const { return fPerPrimitive(GPrimitive(head.type)); }
    bool fIndexed() const { return head.kind == kINDEXED; }
    size_t fPrimitives() const {
        return fIndexed() ? indices.size() / fCorners() : vertices.size() / fStride() / fCorners();
    }
    // world x view x projection.
    void fClipMatrix(float* clip) const;
    // Grows box (left, top, right, bottom, in pixels of a view of the given
    // size) by the vertices of the primitives [first, end); false when one
    // is behind the eye.
    bool fBox(int32_t width, int32_t height, float* box, size_t first = 0, size_t end = SIZE_MAX) const;
};

}  // namespace host
