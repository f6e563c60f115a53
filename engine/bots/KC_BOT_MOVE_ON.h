#pragma once

#include "engine/bots/KC_BOT.h"
#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

// Adds an offset to a transform's position over a time, on top of whatever
// else moves it. The position is not corrected at the end.
class KC_BOT_MOVE_ON : public KC_BOT {
public:
    KC_BOT_MOVE_ON(KS_TRANSFORM3* target, float duration, float speed, float dx, float dy);

protected:
    int32_t fStep(float dt) override;

    KS_TRANSFORM3* mTarget;
    float mDx, mDy;
    float mDuration;
    float mSpeed;
    float mRemaining;
};

// The last two arguments have no effect.
KC_BOT_MOVE_ON* fCreateBotMoveOn(KS_TRANSFORM3* target, float duration, float speed, float dx, float dy,
                                 int32_t unused1 = 0, float unused2 = 0.0f);

}  // namespace KEL
