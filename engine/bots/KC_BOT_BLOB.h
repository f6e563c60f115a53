#pragma once

#include "engine/bots/KC_BOT.h"
#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

// A "blob" pop: the scale grows from a start to an end value, then wobbles
// about the end with a damped sine until the time is up; optionally repeats.
class KC_BOT_BLOB : public KC_BOT {
public:
    KC_BOT_BLOB(KS_TRANSFORM3* target, float duration, float frequency, float amplitude, float damping,
                float startScale, float endScale, float delay, bool repeat);

protected:
    int32_t fStep(float dt) override;
    bool fHandlesFinish() const override { return !mRepeat; }
    void fApplyEnd() override;
    void fSetScale(float s);
    bool fReached(float s) const;

    KS_TRANSFORM3* mTarget;
    float mDuration;
    float mFrequency;  // p2
    float mAmplitude;  // p1
    float mDamping;    // p3
    float mStartScale;
    float mEndScale;
    float mDelayFull;
    float mDelay;
    bool mRepeat;
    bool mGrowing = true;
    float mElapsed = 0.0f;
};

// Argument order: duration, p2 (frequency), p1 (amplitude), p3 (damping).
KC_BOT_BLOB* fCreateBotBlob(KS_TRANSFORM3* target, float duration, float p2, float p1, float p3, float startScale,
                            float endScale, float delay, bool repeat);

}  // namespace KEL
