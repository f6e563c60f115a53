#include "engine/bots/KC_BOT_SLEEP.h"

#include "SERVICE/KS_RESULT.h"

namespace KEL {

KC_BOT_SLEEP::KC_BOT_SLEEP(float* target, const KC_CALLBACK* callback, float delay, float value)
    : mTarget(target), mDelay(delay), mValue(value) {
    mName = "bot_sleep";
    if (callback) mCallback = *callback;
}

int32_t KC_BOT_SLEEP::fStep(float dt) {
    mDelay -= dt;
    if (mDelay > 0.0f) return KS_RESULT::kNOTHING;
    fFinish();
    return kANSWER_FINISHED;
}

void KC_BOT_SLEEP::fApplyEnd() {
    if (mTarget) *mTarget = mValue;
    mTarget = nullptr;
}

KC_BOT_SLEEP* fCreateBotSleep(float* target, const KC_CALLBACK* callback, float delay, float value) {
    return new KC_BOT_SLEEP(target, callback, delay, value);
}

}  // namespace KEL
