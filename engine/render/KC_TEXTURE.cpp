#include "engine/render/KC_TEXTURE.h"

#include <algorithm>
#include <cstring>

namespace KEL {

size_t KC_TEXTURE::fGetHeldBytes() const {
    if (fIsWaiting()) return mEncoded.size();
    return size_t(std::max(0, mSize.x)) * size_t(std::max(0, mSize.y)) * 4;
}

bool KC_TEXTURE::fFill(const uint32_t* pixels) {
    if (!mTexture || !pixels) return false;
    int32_t pitch = 0;
    auto* bytes = static_cast<uint8_t*>(mTexture->fLock(&pitch));
    if (!bytes) return false;
    const int32_t width = std::min(mSize.x, mTexture->fWidth());
    const int32_t height = std::min(mSize.y, mTexture->fHeight());
    for (int32_t row = 0; row < height; ++row)
        std::memcpy(bytes + size_t(row) * size_t(pitch), pixels + size_t(row) * size_t(mSize.x), size_t(width) * 4);
    return mTexture->fUnlock();
}

}  // namespace KEL
