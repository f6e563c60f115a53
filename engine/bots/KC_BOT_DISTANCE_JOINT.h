#pragma once

#include "engine/bots/KC_BOT.h"
#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

// Keeps a transform at a fixed distance from a second one (in x and y),
// letting it swing around: the distance is taken while the delay runs.
class KC_BOT_DISTANCE_JOINT : public KC_BOT {
public:
    KC_BOT_DISTANCE_JOINT(KS_TRANSFORM3* target, KS_TRANSFORM3* second, float duration, float delay, bool endless);

protected:
    int32_t fStep(float dt) override;
    void fApplyEnd() override { mTarget = nullptr; }

    KS_TRANSFORM3* mTarget;
    KS_TRANSFORM3* mSecond;
    float mDistance = 0.0f;
    float mRemaining;
    float mDelay;
    bool mEndless;
};

KC_BOT_DISTANCE_JOINT* fCreateBotDistanceJoint(KS_TRANSFORM3* target, KS_TRANSFORM3* second, float duration,
                                               float delay, bool endless);

}  // namespace KEL
