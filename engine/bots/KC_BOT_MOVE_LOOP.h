#pragma once

#include "engine/bots/KC_BOT.h"
#include "engine/bots/KC_BOT_MOVE.h"

namespace KEL {

// Moves a transform back and forth between two points for ever: an inner
// move runs to the second point, then a new one to the first, and so on.
class KC_BOT_MOVE_LOOP : public KC_BOT {
public:
    KC_BOT_MOVE_LOOP(KS_TRANSFORM3* target, float duration, float speed, const KS_VEC3& first, const KS_VEC3& second,
                     float delay);
    ~KC_BOT_MOVE_LOOP() override;

protected:
    int32_t fStep(float dt) override;
    bool fHandlesFinish() const override { return true; }
    void fApplyEnd() override;

    KS_TRANSFORM3* mTarget;
    float mDuration;
    float mSpeed;
    KS_VEC3 mPoints[2];
    int32_t mHeading = 1;  // index of the point the inner move runs to
    KC_BOT_MOVE* mInner;
};

KC_BOT_MOVE_LOOP* fCreateBotMoveLoop(KS_TRANSFORM3* target, float duration, float speed, float x1, float y1, float x2,
                                     float y2, float delay);

}  // namespace KEL
