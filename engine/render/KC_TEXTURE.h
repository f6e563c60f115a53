#pragma once

#include <cstdint>

#include "engine/util/KS_POINT.h"
#include "host/IGraphicsDevice.h"

namespace KEL {

// One texture of the renderer's set: the device texture and the image's own
// size in pixels.
class KC_TEXTURE {
public:
    host::GTexture* mTexture = nullptr;
    KS_POINT mSize;

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
