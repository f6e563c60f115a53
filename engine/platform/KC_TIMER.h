#pragma once

#include <cstdint>

namespace KEL {

// Real time between ticks on the millisecond clock, published in seconds
// and optionally clamped. The global frame timer writes its step into the
// global frame delta through mOutput.
class KC_TIMER {
public:
    KC_TIMER();

    // The step in seconds since the previous tick (clamped to mMaxStep when
    // that is non-zero); also written to *mOutput when set.
    float fTick();
    // The time of the last tick in seconds.
    float fGetTime() const;

    float* mOutput = nullptr;
    uint32_t mStartTime = 0;
    uint32_t mCurrentTime = 0;
    uint32_t mPreviousTime = 0;
    float mTotal = 0.0f;
    float mStep = 0.0f;
    float mMaxStep = 0.0f;
    uint32_t mStepMs = 0;
};

}  // namespace KEL
