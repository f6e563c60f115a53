#pragma once

#include <cstdint>

namespace KEL {

class KC_TEXTURE;

// A rectangle of a texture (an atlas entry): its pixel size, its texture
// coordinates and whether it is stored turned by 90 degrees.
struct KS_TEXTURE_REGION {
    KC_TEXTURE* mTexture = nullptr;
    float mWidth = 0.0f;
    float mHeight = 0.0f;
    float mTop = 0.0f;
    float mRight = 1.0f;
    float mLeft = 0.0f;
    float mBottom = 1.0f;
    uint8_t mRotated = 0;
};

}  // namespace KEL
