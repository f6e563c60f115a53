#pragma once

#include "engine/bots/KC_BASE.h"
#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

// Blends a transform from one stored record to another over a time, then
// switches itself off (active 0) instead of finishing, so its owner can
// switch it on again.
class KC_BOT_SWITCH : public KC_BASE {
public:
    KC_BOT_SWITCH(KS_TRANSFORM3* target, const KS_TRANSFORM3& from, const KS_TRANSFORM3& to, float duration,
                  float delay);

    int32_t fMessage(int32_t message, float a, float b, float c, void* data) override;
    // Plays again from the first record.
    void fRestart(float delay);

protected:
    KS_TRANSFORM3* mTarget;
    KS_TRANSFORM3 mFrom;
    KS_TRANSFORM3 mTo;
    float mDuration;
    float mDelay;
    float mElapsed = 0.0f;
};

KC_BOT_SWITCH* fCreateBotSwitch(KS_TRANSFORM3* target, const KS_TRANSFORM3& from, const KS_TRANSFORM3& to,
                                float duration, float delay);

}  // namespace KEL
