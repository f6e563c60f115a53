#include "engine/bots/KC_BOT_CHANGE_FLOAT.h"

#include "SERVICE/KS_RESULT.h"

namespace KEL {

KC_BOT_CHANGE_FLOAT::KC_BOT_CHANGE_FLOAT(float* target, float rate, float duration)
    : mTarget(target), mRate(rate), mRemaining(duration) {
    mName = "bot_blink_change_float";
}

int32_t KC_BOT_CHANGE_FLOAT::fStep(float dt) {
    if (mRemaining < 0.0f) {
        fFinish();
        return kANSWER_FINISHED;
    }
    if (mTarget) *mTarget += mRate * dt;
    mRemaining -= dt;
    return KS_RESULT::kNOTHING;
}

KC_BOT_CHANGE_FLOAT* fCreateBotChangeFloat(float* target, float rate, float duration) {
    return new KC_BOT_CHANGE_FLOAT(target, rate, duration);
}

}  // namespace KEL
