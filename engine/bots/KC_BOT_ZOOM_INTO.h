#pragma once

#include "engine/bots/KC_BOT.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/util/KS_VEC3.h"

namespace KEL {

// Zooms a transform: scale 1 + k p and position = base + offset x p, with p
// the progress 0..1 over a time. An optional second transform gets the same
// scale while it runs and its own back at the end.
class KC_BOT_ZOOM_INTO : public KC_BOT {
public:
    KC_BOT_ZOOM_INTO(KS_TRANSFORM3* target, float k, const KS_VEC3& offset, float duration,
                     KS_TRANSFORM3* second = nullptr);

protected:
    int32_t fStep(float dt) override;
    bool fHandlesFinish() const override { return true; }
    void fApplyEnd() override;
    void fApply(float p);

    KS_TRANSFORM3* mTarget;
    KS_TRANSFORM3* mSecond;
    float mK;
    KS_VEC3 mOffset;
    KS_VEC3 mBase{0, 0, 0};
    KS_VEC3 mSecondScale{1, 1, 1};
    float mDuration;
    float mProgress = 0.0f;
};

KC_BOT_ZOOM_INTO* fCreateBotZoomInto(KS_TRANSFORM3* target, float k, float offsetX, float offsetY, float duration,
                                     KS_TRANSFORM3* second = nullptr);

}  // namespace KEL
