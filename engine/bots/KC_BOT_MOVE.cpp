#include "engine/bots/KC_BOT_MOVE.h"

#include "SERVICE/KS_RESULT.h"
#include "engine/util/KF_CURVES.h"

namespace KEL {

KC_BOT_MOVE::KC_BOT_MOVE(KS_TRANSFORM3* target, float duration, float speed, float endX, float endY, float endZ,
                         float delay)
    : mTarget(target), mEnd(endX, endY, endZ), mDelay(delay), mDuration(duration), mSpeed(speed) {
    mName = "bot_move";
    if (mDuration == 0.0f) {
        if (mSpeed != 0.0f) mDurationFromSpeed = true;
        else mDuration = 1.0f;
    }
    if (mDuration > 0.0f) mReciprocal = 1.0f / mDuration;
    if (mDelay <= 0.0f) fCapture();
}

void KC_BOT_MOVE::fCapture() {
    if (mTarget) mStart = mTarget->mPosition;
    if (mDurationFromSpeed) {
        mDuration = (mEnd - mStart).fLength() / mSpeed;
        mReciprocal = mDuration > 0.0f ? 1.0f / mDuration : 0.0f;
    }
}

int32_t KC_BOT_MOVE::fStep(float dt) {
    if (mDelay > 0.0f) {
        mDelay -= dt;
        if (mDelay <= 0.0f) fCapture();
        return KS_RESULT::kNOTHING;
    }
    // A zero or negative time (also from a zero distance at some speed)
    // jumps to the end rather than dividing by it.
    if (mDuration <= 0.0f || mDuration < mElapsed) {
        fFinish();
        return kANSWER_FINISHED;
    }
    if (mTarget) mTarget->mPosition = fLerp3(mStart, mEnd, mElapsed * mReciprocal);
    mElapsed += dt;
    return KS_RESULT::kNOTHING;
}

void KC_BOT_MOVE::fApplyEnd() {
    mElapsed = mDuration + 1.0f;
    if (mTarget) mTarget->mPosition = mEnd;
    mTarget = nullptr;
}

KC_BOT_MOVE* fCreateBotMove(KS_TRANSFORM3* target, float duration, float speed, float endX, float endY, float endZ,
                            float delay) {
    return new KC_BOT_MOVE(target, duration, speed, endX, endY, endZ, delay);
}

}  // namespace KEL
