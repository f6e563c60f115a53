#include "engine/bots/KC_BOT_MOVE_ON.h"

#include <cmath>

#include "SERVICE/KS_RESULT.h"

namespace KEL {

KC_BOT_MOVE_ON::KC_BOT_MOVE_ON(KS_TRANSFORM3* target, float duration, float speed, float dx, float dy)
    : mTarget(target), mDx(dx), mDy(dy), mDuration(duration), mSpeed(speed) {
    // Keeps the base's sort key and drawable byte.
    mSortKey = 0.0f;
    mDrawable = 1;
    mName = "nonamed";
    const float length = std::sqrt(dx * dx + dy * dy);
    fResolveTiming(length, mDuration, mSpeed);
    mRemaining = mDuration;
}

int32_t KC_BOT_MOVE_ON::fStep(float dt) {
    if (!(mDuration > 0.0f)) {  // nothing to move over: done at once
        fFinish();
        return kANSWER_FINISHED;
    }
    mRemaining -= dt;
    if (mRemaining >= 0.0f) {
        if (mTarget) {
            mTarget->mPosition.x += mDx / mDuration * dt;
            mTarget->mPosition.y += mDy / mDuration * dt;
        }
        return KS_RESULT::kNOTHING;
    }
    fFinish();
    return kANSWER_FINISHED;
}

KC_BOT_MOVE_ON* fCreateBotMoveOn(KS_TRANSFORM3* target, float duration, float speed, float dx, float dy, int32_t,
                                 float) {
    return new KC_BOT_MOVE_ON(target, duration, speed, dx, dy);
}

}  // namespace KEL
