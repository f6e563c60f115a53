#pragma once

#include "engine/bots/KC_BOT.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/util/KS_VEC3.h"

namespace KEL {

// Moves a transform's position from where it is to an end point in a given
// time (or at a given speed when the time is 0), after a delay.
class KC_BOT_MOVE : public KC_BOT {
public:
    KC_BOT_MOVE(KS_TRANSFORM3* target, float duration, float speed, float endX, float endY, float endZ, float delay);

protected:
    int32_t fStep(float dt) override;
    bool fHandlesFinish() const override { return true; }
    void fApplyEnd() override;
    void fCapture();

    KS_TRANSFORM3* mTarget;
    KS_VEC3 mStart{0, 0, 0};
    KS_VEC3 mEnd;
    float mDelay;
    float mElapsed = 0.0f;
    float mDuration;
    float mReciprocal = 0.0f;
    float mSpeed;
    bool mDurationFromSpeed = false;
};

KC_BOT_MOVE* fCreateBotMove(KS_TRANSFORM3* target, float duration, float speed, float endX, float endY, float endZ,
                            float delay);

}  // namespace KEL
