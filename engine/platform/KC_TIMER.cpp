#include "engine/platform/KC_TIMER.h"

#include <atomic>

#include "host/IClock.h"

namespace KEL {

KC_TIMER::KC_TIMER() {
    const uint32_t now = host::fClock().fTimeMs();
    mStartTime = mCurrentTime = mPreviousTime = now;
}

float KC_TIMER::fTick() {
    const uint32_t now = host::fClock().fTimeMs();
    mCurrentTime = now;
    mStepMs = now - mPreviousTime;  // unsigned: right across the 32-bit wrap
    mStep = static_cast<float>(mStepMs / 1000.0);
    mPreviousTime = now;
    if (mMaxStep != 0.0f && mStep > mMaxStep) mStep = mMaxStep;
    // The audio thread reads the frame delta while the main thread ticks.
    if (mOutput) std::atomic_ref<float>(*mOutput).store(mStep, std::memory_order_relaxed);
    mTotal += mStep;
    return mStep;
}

float KC_TIMER::fGetTime() const { return static_cast<float>(mCurrentTime) / 1000.0f; }

}  // namespace KEL
