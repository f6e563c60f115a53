#pragma once

#include <cstdint>
#include <type_traits>

#include "engine/util/KS_VEC3.h"

namespace KEL {

// One particle. It begins with the renderer's point (position, size, colour)
// and links to the next one through mNext, so a live list is drawn as is.
struct KS_PARTICLE {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    float size = 0.0f;  // point size in pixels
    uint32_t color = 0xFFFFFFFFu;
    float life = 1.0f;      // 1 at birth, 0 at the end of its lifetime
    float lifetime = 2.0f;  // seconds
    KS_VEC3 velocity{0.0f, 0.0f, 0.0f};
    float spare[3] = {0.0f, 0.0f, 0.0f};
    KS_PARTICLE* mNext = nullptr;
    KS_PARTICLE* mPrev = nullptr;
};

static_assert(std::is_standard_layout_v<KS_PARTICLE>, "the renderer reads particles as points");

}  // namespace KEL
