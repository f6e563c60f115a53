#include "engine/render/KC_PICTURE.h"

#include "engine/render/KC_RENDER.h"
#include "engine/render/KC_TEXTURE.h"
#include "host/Image.h"

namespace KEL {

bool KC_PICTURE::fDecodeFile(const std::string& path) {
    mWidth = mHeight = 0;
    mPixels.clear();
    host::GImage image;
    if (!host::fDecodeImageFile(path, image) || image.width <= 0 || image.height <= 0) return false;
    mPixels.resize(size_t(image.width) * size_t(image.height));
    const uint8_t* rgba = image.rgba.data();
    for (uint32_t& pixel : mPixels) {
        pixel = uint32_t(rgba[3]) << 24 | uint32_t(rgba[0]) << 16 | uint32_t(rgba[1]) << 8 | rgba[2];
        rgba += 4;
    }
    mWidth = image.width;
    mHeight = image.height;
    return true;
}

KC_TEXTURE* KC_PICTURE::fMakeTexture(KC_RENDER& render) const {
    if (mPixels.empty()) return nullptr;
    KC_TEXTURE* texture = render.fCreateTexture(mWidth, mHeight);
    if (!texture) return nullptr;
    if (!render.fFillTexture(texture, mPixels.data())) {
        render.fReleaseTexture(texture);
        return nullptr;
    }
    return texture;
}

}  // namespace KEL
