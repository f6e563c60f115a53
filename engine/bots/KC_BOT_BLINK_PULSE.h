#pragma once

#include <cstdint>

#include "engine/bots/KC_BOT.h"

namespace KEL {

class KC_MESH;

// Flickers a mesh's alpha: every random interval (between two times) a new
// random alpha (between two values); after a number of pulses a pause. Runs
// for a total time, or endlessly when the time or the pulse count is 0; at
// the end the alpha is 255.
class KC_BOT_BLINK_PULSE : public KC_BOT {
public:
    KC_BOT_BLINK_PULSE(KC_MESH* target, float minInterval, float maxInterval, int32_t minAlpha, int32_t maxAlpha,
                       int32_t pulsesPerRun, float pause, float totalTime);

protected:
    int32_t fStep(float dt) override;
    void fApplyEnd() override;
    // A new pulse: the alpha it aims at and the interval until the next.
    virtual void fPulse();
    void fSetAlpha(int32_t alpha);
    int32_t fAlpha() const;

    KC_MESH* mTarget;
    float mMinInterval, mMaxInterval;
    int32_t mMinAlpha, mMaxAlpha;
    int32_t mPulsesPerRun;
    float mPause;
    float mTimeLeft;
    bool mEndless;
    int32_t mPulses = 0;
    float mWait = 0.0f;
    float mInterval = 0.0f;
};

KC_BOT_BLINK_PULSE* fCreateBotBlinkPulse(KC_MESH* target, float minInterval, float maxInterval, int32_t minAlpha,
                                         int32_t maxAlpha, int32_t pulsesPerRun, float pause, float totalTime);

}  // namespace KEL
