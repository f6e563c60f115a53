#pragma once

#include "engine/bots/KC_BOT.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/util/KS_VEC3.h"

namespace KEL {

// Keeps a transform at a fixed offset from a second one: the offset is
// taken while the delay runs, then held for a time or endlessly.
class KC_BOT_RIGID_JOINT : public KC_BOT {
public:
    KC_BOT_RIGID_JOINT(KS_TRANSFORM3* target, KS_TRANSFORM3* second, float duration, float delay, bool endless);

protected:
    int32_t fStep(float dt) override;
    bool fHandlesFinish() const override { return true; }
    void fApplyEnd() override { mTarget = nullptr; }

    KS_TRANSFORM3* mTarget;
    KS_TRANSFORM3* mSecond;
    KS_VEC3 mOffset{0, 0, 0};
    float mRemaining;
    float mDelay;
    bool mEndless;
};

KC_BOT_RIGID_JOINT* fCreateBotRigidJoint(KS_TRANSFORM3* target, KS_TRANSFORM3* second, float duration, float delay,
                                         bool endless);

}  // namespace KEL
