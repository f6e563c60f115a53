#pragma once

#include "engine/bots/KC_BOT.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/util/KS_VEC3.h"

namespace KEL {

// Moves a transform along a quadratic Bezier from where it is, through a
// control point, to an end point. The movement is added frame by frame, so
// other animators may move the same target; the end is exact.
class KC_BOT_MOVE_QUADBEZIER : public KC_BOT {
public:
    KC_BOT_MOVE_QUADBEZIER(KS_TRANSFORM3* target, const KS_VEC3& control, const KS_VEC3& end, float duration,
                           float speed, float delay);

protected:
    int32_t fStep(float dt) override;
    bool fHandlesFinish() const override { return true; }
    void fApplyEnd() override;
    void fCapture();
    virtual KS_VEC3 fCurve(float t) const;

    KS_TRANSFORM3* mTarget;
    KS_VEC3 mStart{0, 0, 0};
    KS_VEC3 mControl;
    KS_VEC3 mEnd;
    float mDuration;
    float mSpeed;
    float mDelay;
    float mRemaining = 0.0f;
    float mT = 0.0f;
    bool mCaptured = false;
};

KC_BOT_MOVE_QUADBEZIER* fCreateBotMoveQuadBezier(KS_TRANSFORM3* target, float cx, float cy, float cz, float ex,
                                                 float ey, float ez, float duration, float speed, float delay);

}  // namespace KEL
