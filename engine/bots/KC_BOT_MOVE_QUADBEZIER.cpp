#include "engine/bots/KC_BOT_MOVE_QUADBEZIER.h"

#include <algorithm>

#include "SERVICE/KS_RESULT.h"
#include "engine/util/KF_CURVES.h"

namespace KEL {

KC_BOT_MOVE_QUADBEZIER::KC_BOT_MOVE_QUADBEZIER(KS_TRANSFORM3* target, const KS_VEC3& control, const KS_VEC3& end,
                                               float duration, float speed, float delay)
    : mTarget(target), mControl(control), mEnd(end), mDuration(duration), mSpeed(speed), mDelay(delay) {
    mName = "bot_move_quadbezier";
    if (mDelay <= 0.0f) fCapture();
}

void KC_BOT_MOVE_QUADBEZIER::fCapture() {
    mCaptured = true;
    if (mTarget) mStart = mTarget->mPosition;
    const float length = (mEnd - mStart).fLength();
    fResolveTiming(length, mDuration, mSpeed);
    mRemaining = mDuration;
}

KS_VEC3 KC_BOT_MOVE_QUADBEZIER::fCurve(float t) const { return fBezier2(mStart, mControl, mEnd, t); }

int32_t KC_BOT_MOVE_QUADBEZIER::fStep(float dt) {
    if (!mCaptured) {
        mDelay -= dt;
        if (mDelay <= 0.0f) fCapture();
        return KS_RESULT::kNOTHING;
    }
    // Finishes when the time is used up, exactly at 0 as well.
    mRemaining -= dt;
    if (!(mDuration > 0.0f) || mRemaining <= 0.0f) {
        fFinish();
        return kANSWER_FINISHED;
    }
    const float next = std::min(mT + dt / mDuration, 1.0f);
    if (mTarget) mTarget->mPosition += fCurve(next) - fCurve(mT);
    mT = next;
    return KS_RESULT::kNOTHING;
}

void KC_BOT_MOVE_QUADBEZIER::fApplyEnd() {
    if (mTarget) mTarget->mPosition = mEnd;
    mTarget = nullptr;
}

KC_BOT_MOVE_QUADBEZIER* fCreateBotMoveQuadBezier(KS_TRANSFORM3* target, float cx, float cy, float cz, float ex,
                                                 float ey, float ez, float duration, float speed, float delay) {
    return new KC_BOT_MOVE_QUADBEZIER(target, {cx, cy, cz}, {ex, ey, ez}, duration, speed, delay);
}

}  // namespace KEL
