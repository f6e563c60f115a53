#include "engine/bots/KC_BOT_ROTATE_ON.h"

#include "SERVICE/KS_RESULT.h"

namespace KEL {

KC_BOT_ROTATE_ON::KC_BOT_ROTATE_ON(KS_TRANSFORM3* target, float duration, float speed, const KS_VEC3& axes, float delay)
    : mTarget(target), mRate(axes * speed), mDuration(duration), mRemaining(duration), mDelay(delay) {
    mName = "bot_rotate";
}

int32_t KC_BOT_ROTATE_ON::fStep(float dt) {
    if (!mCaptured) {
        if (mDelay > 0.0f) {
            mDelay -= dt;
            return KS_RESULT::kNOTHING;
        }
        mCaptured = true;
        fCapture();
    }
    mRemaining -= dt;
    if (!(mDuration > 0.0f) || mRemaining < 0.0f) {
        fFinish();
        return kANSWER_FINISHED;
    }
    if (mTarget) mTarget->mRotation += mRate * dt;
    return KS_RESULT::kNOTHING;
}

KC_BOT_ROTATE_ON* fCreateBotRotateOn(KS_TRANSFORM3* target, float duration, float speed, float ax, float ay, float az,
                                     float delay) {
    return new KC_BOT_ROTATE_ON(target, duration, speed, {ax, ay, az}, delay);
}

}  // namespace KEL
