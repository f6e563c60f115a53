#include "engine/bots/KC_BOT_DISTANCE_JOINT.h"

#include <cmath>

#include "SERVICE/KS_RESULT.h"

namespace KEL {

namespace {
float fGap(const KS_TRANSFORM3& a, const KS_TRANSFORM3& b) {
    const float dx = a.mPosition.x - b.mPosition.x, dy = a.mPosition.y - b.mPosition.y;
    return std::sqrt(dx * dx + dy * dy);
}
}  // namespace

KC_BOT_DISTANCE_JOINT::KC_BOT_DISTANCE_JOINT(KS_TRANSFORM3* target, KS_TRANSFORM3* second, float duration, float delay,
                                             bool endless)
    : mTarget(target), mSecond(second), mRemaining(duration), mDelay(delay), mEndless(endless) {
    mName = "bot_distance_joint";
    if (mTarget && mSecond) mDistance = fGap(*mTarget, *mSecond);
}

int32_t KC_BOT_DISTANCE_JOINT::fStep(float dt) {
    if (!mTarget || !mSecond) {
        fFinish();
        return kANSWER_FINISHED;
    }
    if (mDelay > 0.0f) {
        mDelay -= dt;
        mDistance = fGap(*mTarget, *mSecond);
        return KS_RESULT::kNOTHING;
    }
    const float angle = std::atan2(mTarget->mPosition.y - mSecond->mPosition.y,
                                   mTarget->mPosition.x - mSecond->mPosition.x);
    mTarget->mPosition.fSet(mSecond->mPosition.x + mDistance * std::cos(angle),
                            mSecond->mPosition.y + mDistance * std::sin(angle), 0.0f);
    if (mEndless) return KS_RESULT::kNOTHING;
    mRemaining -= dt;
    if (mRemaining >= 0.0f) return KS_RESULT::kNOTHING;
    fFinish();
    return kANSWER_FINISHED;
}

KC_BOT_DISTANCE_JOINT* fCreateBotDistanceJoint(KS_TRANSFORM3* target, KS_TRANSFORM3* second, float duration,
                                               float delay, bool endless) {
    return new KC_BOT_DISTANCE_JOINT(target, second, duration, delay, endless);
}

}  // namespace KEL
