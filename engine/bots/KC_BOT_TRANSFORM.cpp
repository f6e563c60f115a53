#include "engine/bots/KC_BOT_TRANSFORM.h"

#include "SERVICE/KS_RESULT.h"
#include "engine/util/KF_CURVES.h"

namespace KEL {

KC_BOT_TRANSFORM::KC_BOT_TRANSFORM(KS_TRANSFORM3* target, const KS_TRANSFORM3& end, float duration, float delay,
                                   const KC_CALLBACK* started)
    : mTarget(target), mEnd(end), mDuration(duration), mDelay(delay) {
    mName = "bot_transform";
    if (started) mStarted = *started;
}

int32_t KC_BOT_TRANSFORM::fStep(float dt) {
    if (!mCaptured) {
        if (mDelay > 0.0f) {
            mDelay -= dt;
            return KS_RESULT::kNOTHING;
        }
        mCaptured = true;
        if (mTarget) mStart = *mTarget;
        KC_CALLBACK::fCall(&mStarted);
    }
    mElapsed += dt;
    if (!(mDuration > 0.0f) || mDuration < mElapsed) {
        fFinish();
        return kANSWER_FINISHED;
    }
    if (mTarget) {
        const float t = mElapsed / mDuration;
        mTarget->mPosition = fLerp3(mStart.mPosition, mEnd.mPosition, t);
        mTarget->mRotation = fLerp3(mStart.mRotation, mEnd.mRotation, t);
        mTarget->mScale = fLerp3(mStart.mScale, mEnd.mScale, t);
    }
    return KS_RESULT::kNOTHING;
}

void KC_BOT_TRANSFORM::fApplyEnd() {
    if (mTarget) {
        mTarget->mPosition = mEnd.mPosition;
        mTarget->mRotation = mEnd.mRotation;
        mTarget->mScale = mEnd.mScale;
    }
    mTarget = nullptr;
}

KC_BOT_TRANSFORM* fCreateBotTransform(KS_TRANSFORM3* target, const KS_TRANSFORM3& end, float duration, float delay,
                                      const KC_CALLBACK* started) {
    return new KC_BOT_TRANSFORM(target, end, duration, delay, started);
}

}  // namespace KEL
