#include "engine/bots/KC_BOT_SCALE.h"

#include "SERVICE/KS_RESULT.h"

namespace KEL {

KC_BOT_SCALE::KC_BOT_SCALE(KS_TRANSFORM3* target, float duration, float speed, const KS_VEC3& rate, float delay)
    : mTarget(target), mRate(rate * speed), mDuration(duration), mRemaining(duration), mDelay(delay) {
    mName = "bot_scale";
}

int32_t KC_BOT_SCALE::fStep(float dt) {
    if (!mCaptured) {
        if (mDelay > 0.0f) {
            mDelay -= dt;
            return KS_RESULT::kNOTHING;
        }
        mCaptured = true;
        if (mTarget) mEnd = mTarget->mScale + mRate * (mDuration > 0.0f ? mDuration : 0.0f);
    }
    mRemaining -= dt;
    if (!(mDuration > 0.0f) || mRemaining < 0.0f) {
        fFinish();
        return kANSWER_FINISHED;
    }
    if (mTarget) mTarget->mScale += mRate * dt;
    return KS_RESULT::kNOTHING;
}

void KC_BOT_SCALE::fApplyEnd() {
    if (mTarget && mCaptured) mTarget->mScale = mEnd;
    mTarget = nullptr;
}

KC_BOT_SCALE* fCreateBotScale(KS_TRANSFORM3* target, float duration, float speed, float sx, float sy, float sz,
                              float delay) {
    return new KC_BOT_SCALE(target, duration, speed, {sx, sy, sz}, delay);
}

}  // namespace KEL
