#include "engine/bots/KC_BOT_RIGID_JOINT.h"

#include "SERVICE/KS_RESULT.h"

namespace KEL {

KC_BOT_RIGID_JOINT::KC_BOT_RIGID_JOINT(KS_TRANSFORM3* target, KS_TRANSFORM3* second, float duration, float delay,
                                       bool endless)
    : mTarget(target), mSecond(second), mRemaining(duration), mDelay(delay), mEndless(endless) {
    mName = "bot_rigid_joint";
    if (mTarget && mSecond) mOffset = mTarget->mPosition - mSecond->mPosition;
}

int32_t KC_BOT_RIGID_JOINT::fStep(float dt) {
    if (!mTarget || !mSecond) {
        fFinish();
        return kANSWER_FINISHED;
    }
    if (mDelay > 0.0f) {
        mDelay -= dt;
        mOffset = mTarget->mPosition - mSecond->mPosition;
        return KS_RESULT::kNOTHING;
    }
    mTarget->mPosition = mSecond->mPosition + mOffset;
    if (mEndless) return KS_RESULT::kNOTHING;
    mRemaining -= dt;
    if (mRemaining >= 0.0f) return KS_RESULT::kNOTHING;
    fFinish();
    return kANSWER_FINISHED;
}

KC_BOT_RIGID_JOINT* fCreateBotRigidJoint(KS_TRANSFORM3* target, KS_TRANSFORM3* second, float duration, float delay,
                                         bool endless) {
    return new KC_BOT_RIGID_JOINT(target, second, duration, delay, endless);
}

}  // namespace KEL
