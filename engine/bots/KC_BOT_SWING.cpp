#include "engine/bots/KC_BOT_SWING.h"

#include <cmath>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"

namespace KEL {

KC_BOT_SWING::KC_BOT_SWING(float* target, float phase, float period, float k, float amplitude, float delay)
    : mTarget(target), mPhase(phase), mPeriod(period), mK(k), mAmplitude(amplitude), mClock(-delay) {
    mName = "bot_swing";
    mSortKey = 3.4e38f;
    mDrawable = 0;
}

int32_t KC_BOT_SWING::fMessage(int32_t message, float, float, float, void*) {
    if (message != kMSG_UPDATE || !mTarget || mPeriod == 0.0f) return KS_RESULT::kNOTHING;
    const float dt = kfFRAME_DELTA;
    if (!mSwinging) {
        mClock += dt;
        if (mClock < 0.0f) return KS_RESULT::kNOTHING;
        mSwinging = true;
        mClock = mPhase;
        *mTarget += mPhase / mPeriod * mK * 0.85f;
        return KS_RESULT::kNOTHING;
    }
    mClock += dt;
    *mTarget += std::cos(mClock / mPeriod) * mAmplitude * dt;
    return KS_RESULT::kNOTHING;
}

KC_BOT_SWING* fCreateBotSwing(float* target, float phase, float period, float k, float amplitude, float delay) {
    return new KC_BOT_SWING(target, phase, period, k, amplitude, delay);
}

}  // namespace KEL
