#pragma once

#include "engine/bots/KC_BOT.h"

namespace KEL {

// Waits, then writes a value into a float (when given) and calls back.
class KC_BOT_SLEEP : public KC_BOT {
public:
    KC_BOT_SLEEP(float* target, const KC_CALLBACK* callback, float delay, float value);

protected:
    int32_t fStep(float dt) override;
    bool fHandlesFinish() const override { return true; }
    void fApplyEnd() override;

    float* mTarget;
    float mDelay;
    float mValue;
};

KC_BOT_SLEEP* fCreateBotSleep(float* target, const KC_CALLBACK* callback, float delay, float value);

}  // namespace KEL
