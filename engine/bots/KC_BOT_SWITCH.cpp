#include "engine/bots/KC_BOT_SWITCH.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"

namespace KEL {

KC_BOT_SWITCH::KC_BOT_SWITCH(KS_TRANSFORM3* target, const KS_TRANSFORM3& from, const KS_TRANSFORM3& to, float duration,
                             float delay)
    : mTarget(target), mFrom(from), mTo(to), mDuration(duration), mDelay(delay) {
    mName = "bot_switch";
    mSortKey = 3.4e38f;
    mDrawable = 0;
}

void KC_BOT_SWITCH::fRestart(float delay) {
    mDelay = delay;
    mElapsed = 0.0f;
    mActive = 1;
}

int32_t KC_BOT_SWITCH::fMessage(int32_t message, float, float, float, void*) {
    if (message != kMSG_UPDATE || mActive != 1) return KS_RESULT::kNOTHING;
    const float dt = kfFRAME_DELTA;
    if (mDelay > 0.0f) {
        mDelay -= dt;
        return KS_RESULT::kNOTHING;
    }
    mElapsed += dt;
    const bool done = !(mDuration > 0.0f) || mElapsed >= mDuration;
    if (mTarget) fLerpTransform(*mTarget, mFrom, mTo, done ? 1.0f : mElapsed / mDuration);
    if (done) mActive = 0;
    return KS_RESULT::kNOTHING;
}

KC_BOT_SWITCH* fCreateBotSwitch(KS_TRANSFORM3* target, const KS_TRANSFORM3& from, const KS_TRANSFORM3& to,
                                float duration, float delay) {
    return new KC_BOT_SWITCH(target, from, to, duration, delay);
}

}  // namespace KEL
