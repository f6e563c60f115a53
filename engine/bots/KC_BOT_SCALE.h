#pragma once

#include "engine/bots/KC_BOT.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/util/KS_VEC3.h"

namespace KEL {

// Grows a transform's scale at a rate for a time, after a delay; the scale
// is set to its exact end value at the end.
class KC_BOT_SCALE : public KC_BOT {
public:
    KC_BOT_SCALE(KS_TRANSFORM3* target, float duration, float speed, const KS_VEC3& rate, float delay);

protected:
    int32_t fStep(float dt) override;
    bool fHandlesFinish() const override { return true; }
    void fApplyEnd() override;

    KS_TRANSFORM3* mTarget;
    KS_VEC3 mRate;  // per second: the given axes times the speed
    KS_VEC3 mEnd{1, 1, 1};
    float mDuration;
    float mRemaining;
    float mDelay;
    bool mCaptured = false;
};

KC_BOT_SCALE* fCreateBotScale(KS_TRANSFORM3* target, float duration, float speed, float sx, float sy, float sz,
                              float delay);

}  // namespace KEL
