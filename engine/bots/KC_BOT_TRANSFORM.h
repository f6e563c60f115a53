#pragma once

#include "engine/bots/KC_BOT.h"
#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

// Blends a transform's position, rotation and scale to an end record over a
// time. When the delay ends the target is taken as the start and an
// optional start record is called.
class KC_BOT_TRANSFORM : public KC_BOT {
public:
    KC_BOT_TRANSFORM(KS_TRANSFORM3* target, const KS_TRANSFORM3& end, float duration, float delay,
                     const KC_CALLBACK* started);

protected:
    int32_t fStep(float dt) override;
    bool fHandlesFinish() const override { return true; }
    void fApplyEnd() override;

    KS_TRANSFORM3* mTarget;
    KS_TRANSFORM3 mStart;
    KS_TRANSFORM3 mEnd;
    float mDuration;
    float mDelay;
    float mElapsed = 0.0f;
    bool mCaptured = false;
    KC_CALLBACK mStarted{nullptr, "", nullptr};
};

KC_BOT_TRANSFORM* fCreateBotTransform(KS_TRANSFORM3* target, const KS_TRANSFORM3& end, float duration, float delay,
                                      const KC_CALLBACK* started = nullptr);

}  // namespace KEL
