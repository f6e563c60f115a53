#pragma once

#include "engine/bots/KC_BOT.h"
#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

// Pulls a transform towards a second one, closing the fraction k of the gap
// per second, for a time or endlessly, after a delay.
class KC_BOT_FOLLOW : public KC_BOT {
public:
    KC_BOT_FOLLOW(KS_TRANSFORM3* target, KS_TRANSFORM3* second, float k, float duration, float delay, bool endless);

protected:
    int32_t fStep(float dt) override;
    bool fHandlesFinish() const override { return true; }
    void fApplyEnd() override { mTarget = nullptr; }

    KS_TRANSFORM3* mTarget;
    KS_TRANSFORM3* mSecond;
    float mK;
    float mRemaining;
    float mDelay;
    bool mEndless;
};

KC_BOT_FOLLOW* fCreateBotFollow(KS_TRANSFORM3* target, KS_TRANSFORM3* second, float k, float duration, float delay,
                                bool endless);

}  // namespace KEL
