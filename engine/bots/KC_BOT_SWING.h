#pragma once

#include "engine/bots/KC_BASE.h"

namespace KEL {

// Swings a float (an angle, as a rule) endlessly: after a delay it takes one
// step by its phase, then follows cos(clock / period) x amplitude per second.
class KC_BOT_SWING : public KC_BASE {
public:
    KC_BOT_SWING(float* target, float phase, float period, float k, float amplitude, float delay);

    int32_t fMessage(int32_t message, float a, float b, float c, void* data) override;

protected:
    float* mTarget;
    float mPhase;
    float mPeriod;
    float mK;
    float mAmplitude;
    float mClock;
    bool mSwinging = false;
};

KC_BOT_SWING* fCreateBotSwing(float* target, float phase, float period, float k, float amplitude, float delay);

}  // namespace KEL
