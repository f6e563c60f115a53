#include "engine/bots/KC_BOT_FOLLOW.h"

#include "SERVICE/KS_RESULT.h"

namespace KEL {

KC_BOT_FOLLOW::KC_BOT_FOLLOW(KS_TRANSFORM3* target, KS_TRANSFORM3* second, float k, float duration, float delay,
                             bool endless)
    : mTarget(target), mSecond(second), mK(k), mRemaining(duration), mDelay(delay), mEndless(endless) {
    mName = "bot_follow";
}

int32_t KC_BOT_FOLLOW::fStep(float dt) {
    if (!mTarget || !mSecond) {
        fFinish();
        return kANSWER_FINISHED;
    }
    if (mDelay > 0.0f) {
        mDelay -= dt;
        return KS_RESULT::kNOTHING;
    }
    mTarget->mPosition += (mSecond->mPosition - mTarget->mPosition) * (dt * mK);
    if (mEndless) return KS_RESULT::kNOTHING;
    mRemaining -= dt;
    if (mRemaining >= 0.0f) return KS_RESULT::kNOTHING;
    fFinish();
    return kANSWER_FINISHED;
}

KC_BOT_FOLLOW* fCreateBotFollow(KS_TRANSFORM3* target, KS_TRANSFORM3* second, float k, float duration, float delay,
                                bool endless) {
    return new KC_BOT_FOLLOW(target, second, k, duration, delay, endless);
}

}  // namespace KEL
