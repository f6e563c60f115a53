#include "engine/bots/KC_BOT_ZOOM_INTO.h"

#include "SERVICE/KS_RESULT.h"

namespace KEL {

KC_BOT_ZOOM_INTO::KC_BOT_ZOOM_INTO(KS_TRANSFORM3* target, float k, const KS_VEC3& offset, float duration,
                                   KS_TRANSFORM3* second)
    : mTarget(target), mSecond(second), mK(k), mOffset(offset), mDuration(duration) {
    // Keeps the base's name, sort key and drawable byte.
    mName = "nonamed";
    mSortKey = 0.0f;
    mDrawable = 1;
    if (mTarget) mBase = mTarget->mPosition;
    if (mSecond) mSecondScale = mSecond->mScale;
}

void KC_BOT_ZOOM_INTO::fApply(float p) {
    const float s = 1.0f + mK * p;
    if (mTarget) {
        mTarget->fSetScale(s, s, 0.0f);
        mTarget->mPosition = mBase + mOffset * p;
    }
    if (mSecond) mSecond->fSetScale(s, s, mSecondScale.z);
}

int32_t KC_BOT_ZOOM_INTO::fStep(float dt) {
    mProgress += dt;
    if (!(mDuration > 0.0f) || mProgress >= mDuration) {
        fFinish();
        return kANSWER_FINISHED;
    }
    fApply(mProgress / mDuration);
    return KS_RESULT::kNOTHING;
}

void KC_BOT_ZOOM_INTO::fApplyEnd() {
    fApply(1.0f);
    if (mSecond) mSecond->mScale = mSecondScale;
    mTarget = nullptr;
    mSecond = nullptr;
}

KC_BOT_ZOOM_INTO* fCreateBotZoomInto(KS_TRANSFORM3* target, float k, float offsetX, float offsetY, float duration,
                                     KS_TRANSFORM3* second) {
    return new KC_BOT_ZOOM_INTO(target, k, {offsetX, offsetY, 0.0f}, duration, second);
}

}  // namespace KEL
