#pragma once

#include <cstdint>

namespace KEL {

// The nine anchors a sprite, quad or text is placed by, row by row from the
// top left: the point of its box that its position names.
enum KE_ANCHOR : int32_t {
    kANCHOR_TOP_LEFT = 0,
    kANCHOR_TOP = 1,
    kANCHOR_TOP_RIGHT = 2,
    kANCHOR_LEFT = 3,
    kANCHOR_CENTRE = 4,
    kANCHOR_RIGHT = 5,
    kANCHOR_BOTTOM_LEFT = 6,
    kANCHOR_BOTTOM = 7,
    kANCHOR_BOTTOM_RIGHT = 8,
};

}  // namespace KEL
