#include "engine/bots/KC_BOT_BLINK_PULSE.h"

#include <algorithm>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/platform/KC_RANDOM.h"
#include "engine/scene/KC_MESH.h"

namespace KEL {

KC_BOT_BLINK_PULSE::KC_BOT_BLINK_PULSE(KC_MESH* target, float minInterval, float maxInterval, int32_t minAlpha,
                                       int32_t maxAlpha, int32_t pulsesPerRun, float pause, float totalTime)
    : mTarget(target),
      mMinInterval(minInterval),
      mMaxInterval(maxInterval),
      mMinAlpha(minAlpha),
      mMaxAlpha(maxAlpha),
      mPulsesPerRun(pulsesPerRun),
      mPause(pause),
      mTimeLeft(totalTime),
      mEndless(totalTime <= 0.0f || pulsesPerRun == 0) {
    mName = "bot_blink_pulse";
}

int32_t KC_BOT_BLINK_PULSE::fAlpha() const {
    if (!mTarget || !mTarget->mVertices || mTarget->mVertexCount < 1) return 255;
    return int32_t(mTarget->mVertices[0].color >> 24);
}

void KC_BOT_BLINK_PULSE::fSetAlpha(int32_t alpha) {
    if (!mTarget || !mTarget->mVertices || mTarget->mVertexCount < 1) return;
    const uint32_t a = uint32_t(std::clamp(alpha, 0, 255));
    mTarget->fSetColor((mTarget->mVertices[0].color & 0x00FFFFFFu) | a << 24);
}

void KC_BOT_BLINK_PULSE::fPulse() {
    mInterval = kcRANDOM ? kcRANDOM->fRangeFloat(mMinInterval, mMaxInterval) : mMinInterval;
    fSetAlpha(kcRANDOM ? kcRANDOM->fRange(mMinAlpha, mMaxAlpha) : mMinAlpha);
}

int32_t KC_BOT_BLINK_PULSE::fStep(float dt) {
    if (!mEndless) {
        mTimeLeft -= dt;
        if (mTimeLeft <= 0.0f) {
            fFinish();
            return kANSWER_FINISHED;
        }
    }
    mWait -= dt;
    if (mWait > 0.0f) return KS_RESULT::kNOTHING;
    if (mPulsesPerRun > 0 && mPulses >= mPulsesPerRun) {
        mPulses = 0;
        mWait = mPause;
        return KS_RESULT::kNOTHING;
    }
    fPulse();
    ++mPulses;
    mWait = mInterval;
    return KS_RESULT::kNOTHING;
}

void KC_BOT_BLINK_PULSE::fApplyEnd() {
    fSetAlpha(255);
    mTarget = nullptr;
}

KC_BOT_BLINK_PULSE* fCreateBotBlinkPulse(KC_MESH* target, float minInterval, float maxInterval, int32_t minAlpha,
                                         int32_t maxAlpha, int32_t pulsesPerRun, float pause, float totalTime) {
    return new KC_BOT_BLINK_PULSE(target, minInterval, maxInterval, minAlpha, maxAlpha, pulsesPerRun, pause, totalTime);
}

}  // namespace KEL
