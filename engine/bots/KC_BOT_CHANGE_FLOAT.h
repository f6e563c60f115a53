#pragma once

#include "engine/bots/KC_BOT.h"

namespace KEL {

// Adds a rate per second to a float for a time.
class KC_BOT_CHANGE_FLOAT : public KC_BOT {
public:
    KC_BOT_CHANGE_FLOAT(float* target, float rate, float duration);

protected:
    int32_t fStep(float dt) override;
    bool fHandlesFinish() const override { return true; }
    void fApplyEnd() override { mTarget = nullptr; }

    float* mTarget;
    float mRate;
    float mRemaining;
};

KC_BOT_CHANGE_FLOAT* fCreateBotChangeFloat(float* target, float rate, float duration);

}  // namespace KEL
