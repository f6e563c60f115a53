#pragma once

#include "SERVICE/KS_RESULT.h"
#include "engine/bots/KC_BOT.h"

namespace KEL {

// Waits, then copies a stored value of type T into the target (when given;
// a transform is copied whole, parent included) and calls back. Used over
// KS_TRANSFORM3, KS_TRANSFORM3_AUTO, uint8_t and int32_t.
template <typename T>
class KT_BOT_SLEEP : public KC_BOT {
public:
    KT_BOT_SLEEP(T* target, const T& value, float delay) : mTarget(target), mValue(value), mDelay(delay) {
        mName = "bot_sleep_template";
    }

protected:
    int32_t fStep(float dt) override {
        mDelay -= dt;
        if (mDelay > 0.0f) return KS_RESULT::kNOTHING;
        fFinish();
        return kANSWER_FINISHED;
    }
    void fApplyEnd() override {
        if (mTarget) *mTarget = mValue;
        mTarget = nullptr;
    }

    T* mTarget;
    T mValue;
    float mDelay;
};

}  // namespace KEL
