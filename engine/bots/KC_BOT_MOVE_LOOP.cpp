#include "engine/bots/KC_BOT_MOVE_LOOP.h"

#include "SERVICE/KS_RESULT.h"

namespace KEL {

KC_BOT_MOVE_LOOP::KC_BOT_MOVE_LOOP(KS_TRANSFORM3* target, float duration, float speed, const KS_VEC3& first,
                                   const KS_VEC3& second, float delay)
    : mTarget(target), mDuration(duration), mSpeed(speed), mPoints{first, second} {
    mName = "bot_move_loop";
    mInner = new KC_BOT_MOVE(target, duration, speed, second.x, second.y, second.z, delay);
}

KC_BOT_MOVE_LOOP::~KC_BOT_MOVE_LOOP() { delete mInner; }

int32_t KC_BOT_MOVE_LOOP::fStep(float) {
    if (!mInner) {
        fFinish();
        return kANSWER_FINISHED;
    }
    if (mInner->fMessage(kMSG_UPDATE, 0, 0, 0, nullptr) == kANSWER_FINISHED) {
        delete mInner;
        mHeading = 1 - mHeading;
        const KS_VEC3& next = mPoints[mHeading];
        mInner = new KC_BOT_MOVE(mTarget, mDuration, mSpeed, next.x, next.y, next.z, 0.0f);
    }
    return KS_RESULT::kNOTHING;
}

void KC_BOT_MOVE_LOOP::fApplyEnd() {
    delete mInner;
    mInner = nullptr;
    mTarget = nullptr;
}

KC_BOT_MOVE_LOOP* fCreateBotMoveLoop(KS_TRANSFORM3* target, float duration, float speed, float x1, float y1, float x2,
                                     float y2, float delay) {
    return new KC_BOT_MOVE_LOOP(target, duration, speed, {x1, y1, 0.0f}, {x2, y2, 0.0f}, delay);
}

}  // namespace KEL
