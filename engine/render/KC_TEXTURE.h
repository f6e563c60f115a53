#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/util/KS_POINT.h"
#include "host/IGraphicsDevice.h"

namespace KEL {

// One texture of the renderer's set: the device texture it owns and the
// image's own size in pixels.
class KC_TEXTURE {
public:
    std::unique_ptr<host::GTexture> mTexture;
    KS_POINT mSize;
    // A picture loaded ahead of need keeps its file here, and no device
    // texture, until it is first drawn or locked. Changed only under the
    // renderer's texture lock, normally on the drawing thread.
    std::vector<uint8_t> mEncoded;

    bool fIsWaiting() const { return !mEncoded.empty(); }
    // What the picture holds: its pixels, or its file while it waits.
    size_t fGetHeldBytes() const;

    const KS_POINT& fGetSize() const { return mSize; }
    int32_t fGetWidth() const { return mSize.x; }
    int32_t fGetHeight() const { return mSize.y; }
    // Texture coordinate of a pixel column or row.
    float fGetU(float x) const { return mSize.x ? x / float(mSize.x) : 0.0f; }
    float fGetV(float y) const { return mSize.y ? y / float(mSize.y) : 0.0f; }
    // Copies width x height 32-bit pixels row by row with the locked pitch.
    bool fFill(const uint32_t* pixels);
};

}  // namespace KEL
