#pragma once

#include <cstdint>

#include "engine/bots/KC_BOT.h"

namespace KEL {

class KC_MESH;

// Fades every vertex colour of a mesh to an end colour, channel by channel,
// after a delay. The start colour is read from the first vertex.
class KC_BOT_COLOR : public KC_BOT {
public:
    KC_BOT_COLOR(KC_MESH* target, float duration, uint32_t endColor, float delay);
    // Without a delay the start colour is taken at once (the creators call
    // this after construction, when the target can be read).
    void fStart();

protected:
    int32_t fStep(float dt) override;
    bool fHandlesFinish() const override { return true; }
    void fApplyEnd() override;
    void fCapture();
    virtual uint32_t fRead() const;
    virtual void fWrite(uint32_t color);

    KC_MESH* mTarget;
    uint32_t mStart = 0;
    uint32_t mEnd;
    int32_t mDifference[4] = {0, 0, 0, 0};  // per channel, shifts 24, 16, 8, 0
    float mDuration;
    float mDelay;
    float mElapsed = 0.0f;
    float mRemaining;
    bool mCaptured = false;
};

KC_BOT_COLOR* fCreateBotColor(KC_MESH* target, float duration, uint32_t endColor, float delay);

}  // namespace KEL
