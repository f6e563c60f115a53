#pragma once

#include "engine/bots/KC_BOT.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/util/KS_VEC3.h"

namespace KEL {

// Turns a transform at a rate (axes times speed, radians per second) for a
// time, after a delay. The rotation is not corrected at the end.
class KC_BOT_ROTATE_ON : public KC_BOT {
public:
    KC_BOT_ROTATE_ON(KS_TRANSFORM3* target, float duration, float speed, const KS_VEC3& axes, float delay);

protected:
    int32_t fStep(float dt) override;
    bool fHandlesFinish() const override { return true; }
    void fApplyEnd() override { mTarget = nullptr; }
    virtual void fCapture() {}

    KS_TRANSFORM3* mTarget;
    KS_VEC3 mRate;
    float mDuration;
    float mRemaining;
    float mDelay;
    bool mCaptured = false;
};

KC_BOT_ROTATE_ON* fCreateBotRotateOn(KS_TRANSFORM3* target, float duration, float speed, float ax, float ay, float az,
                                     float delay);

}  // namespace KEL
