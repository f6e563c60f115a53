#pragma once

#include "engine/bots/KC_BOT_BLINK_PULSE.h"

namespace KEL {

// As the pulse animator, but the alpha slides to each new random value over
// the interval instead of jumping, and the pause comes once.
class KC_BOT_BLINK_ANALOG : public KC_BOT_BLINK_PULSE {
public:
    KC_BOT_BLINK_ANALOG(KC_MESH* target, float minInterval, float maxInterval, int32_t minAlpha, int32_t maxAlpha,
                        int32_t pulsesBeforePause, float pause, float totalTime)
        : KC_BOT_BLINK_PULSE(target, minInterval, maxInterval, minAlpha, maxAlpha, pulsesBeforePause, pause,
                             totalTime) {
        mName = "bot_blink_analog";
    }

protected:
    int32_t fStep(float dt) override;
    void fPulse() override;

    int32_t mFrom = 255;
    int32_t mTo = 255;
    bool mPaused = false;
    bool mPauseDone = false;
};

KC_BOT_BLINK_ANALOG* fCreateBotBlinkAnalog(KC_MESH* target, float minInterval, float maxInterval, int32_t minAlpha,
                                           int32_t maxAlpha, int32_t pulsesBeforePause, float pause, float totalTime);

}  // namespace KEL
