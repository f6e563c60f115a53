#include "engine/platform/KC_RANDOM.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"

namespace KEL {

KC_RANDOM::KC_RANDOM(uint32_t seed) : mSeed(seed) { kcRANDOM = this; }

KC_RANDOM::~KC_RANDOM() {
    if (kcRANDOM == this) kcRANDOM = nullptr;
}

int32_t KC_RANDOM::fNext() {
    fAdvance();
    return static_cast<int32_t>(mSeed & 0x7FFFFFFFu);
}

int32_t KC_RANDOM::fRange(int32_t low, int32_t high) {
    if (low == high) return low;
    // Wide arithmetic: the span of two extreme ints does not fit in 32 bits.
    const int64_t span = static_cast<int64_t>(high) - low;
    const int64_t value = static_cast<int64_t>(fNext()) % span;
    return static_cast<int32_t>(low + value);
}

float KC_RANDOM::fRangeFloat(float low, float high) {
    fAdvance();
    const uint32_t u = mSeed >> 16;
    return low + static_cast<float>(u) * 1.5259022e-5f * (high - low);
}

}  // namespace KEL
