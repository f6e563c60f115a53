#include "engine/bots/KC_BOT_BLINK_ANALOG.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/platform/KC_RANDOM.h"

namespace KEL {

void KC_BOT_BLINK_ANALOG::fPulse() {
    mInterval = kcRANDOM ? kcRANDOM->fRangeFloat(mMinInterval, mMaxInterval) : mMinInterval;
    mFrom = fAlpha();
    mTo = kcRANDOM ? kcRANDOM->fRange(mMinAlpha, mMaxAlpha) : mMinAlpha;
}

int32_t KC_BOT_BLINK_ANALOG::fStep(float dt) {
    if (!mEndless) {
        mTimeLeft -= dt;
        if (mTimeLeft <= 0.0f) {
            fFinish();
            return kANSWER_FINISHED;
        }
    }
    mWait -= dt;
    if (mWait > 0.0f) {
        if (mInterval > 0.0f && !mPaused) {
            const float t = 1.0f - mWait / mInterval;
            fSetAlpha(mFrom + int32_t(float(mTo - mFrom) * t));
        }
        return KS_RESULT::kNOTHING;
    }
    fSetAlpha(mTo);
    if (!mPauseDone && mPulsesPerRun > 0 && mPulses >= mPulsesPerRun) {
        mPaused = true;
        mPauseDone = true;
        mWait = mPause;
        return KS_RESULT::kNOTHING;
    }
    mPaused = false;
    fPulse();
    ++mPulses;
    mWait = mInterval;
    return KS_RESULT::kNOTHING;
}

KC_BOT_BLINK_ANALOG* fCreateBotBlinkAnalog(KC_MESH* target, float minInterval, float maxInterval, int32_t minAlpha,
                                           int32_t maxAlpha, int32_t pulsesBeforePause, float pause, float totalTime) {
    return new KC_BOT_BLINK_ANALOG(target, minInterval, maxInterval, minAlpha, maxAlpha, pulsesBeforePause, pause,
                                   totalTime);
}

}  // namespace KEL
