#include "engine/bots/KC_BOT_BLOB.h"

#include "SERVICE/KS_RESULT.h"
#include "engine/util/KF_CURVES.h"

namespace KEL {

KC_BOT_BLOB::KC_BOT_BLOB(KS_TRANSFORM3* target, float duration, float frequency, float amplitude, float damping,
                         float startScale, float endScale, float delay, bool repeat)
    : mTarget(target),
      mDuration(duration),
      mFrequency(frequency),
      mAmplitude(amplitude),
      mDamping(damping),
      mStartScale(startScale),
      mEndScale(endScale),
      mDelayFull(delay),
      mDelay(delay),
      mRepeat(repeat) {
    mName = "bot_blob";
    fSetScale(mStartScale);
    mGrowing = !fReached(mStartScale);
}

void KC_BOT_BLOB::fSetScale(float s) {
    if (mTarget) mTarget->fSetScale(s, s, 0.0f);
}

// Whether the growing phase has arrived at the end scale, from either side.
bool KC_BOT_BLOB::fReached(float s) const { return mEndScale >= mStartScale ? s >= mEndScale : s <= mEndScale; }

int32_t KC_BOT_BLOB::fStep(float dt) {
    if (mDelay > 0.0f) {
        mDelay -= dt;
        return KS_RESULT::kNOTHING;
    }
    if (mDuration > 0.0f && mElapsed <= mDuration) {
        const float t = mElapsed / mDuration;
        if (mGrowing) {
            const float s = mStartScale + (mEndScale - mStartScale) * t * mAmplitude;
            if (fReached(s)) mGrowing = false;
            else fSetScale(s);
        }
        if (!mGrowing) fSetScale(mEndScale + fDampedSine(t, mFrequency, mAmplitude, mDamping));
        mElapsed += dt;
        return KS_RESULT::kNOTHING;
    }
    if (mRepeat) {
        if (!(mDuration > 0.0f)) {  // nothing to play: rest at the end scale
            fSetScale(mEndScale);
            return KS_RESULT::kNOTHING;
        }
        mElapsed = 0.0f;
        mDelay = mDelayFull;
        fSetScale(mStartScale);
        mGrowing = !fReached(mStartScale);
        return KS_RESULT::kNOTHING;
    }
    fFinish();
    return kANSWER_FINISHED;
}

void KC_BOT_BLOB::fApplyEnd() {
    fSetScale(mEndScale);
    mTarget = nullptr;
}

KC_BOT_BLOB* fCreateBotBlob(KS_TRANSFORM3* target, float duration, float p2, float p1, float p3, float startScale,
                            float endScale, float delay, bool repeat) {
    return new KC_BOT_BLOB(target, duration, p2, p1, p3, startScale, endScale, delay, repeat);
}

}  // namespace KEL
