#pragma once

#include <cstdint>

namespace KEL {

// One glyph of a bitmap font: its rectangle on the page, in texture
// coordinates and in pixels, and how it sits on the pen.
struct KS_GLYPH {
    uint32_t mCode = 0;
    float mLeft = 0, mTop = 0, mRight = 0, mBottom = 0;
    int32_t mWidth = 0, mHeight = 0;
    int32_t mXOffset = 0, mYOffset = 0, mXAdvance = 0;
};

}  // namespace KEL
