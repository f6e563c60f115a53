#pragma once

#include <cstdint>

#include "SERVICE/KC_CALLBACK.h"
#include "engine/bots/KC_BASE.h"

namespace KEL {

// Common part of every animator: the completion callback (message 38) and
// the finished state, so that a finished animator never calls back twice and
// never touches its target again.
class KC_BOT : public KC_BASE {
public:
    // Animators sort last and are not drawn.
    KC_BOT();

    int32_t fMessage(int32_t message, float a, float b, float c, void* data) override;

    bool fIsFinished() const { return mFinished; }

protected:
    // Message 1 while running. Answer -113 (after fFinish) or 0.
    virtual int32_t fStep(float dt) = 0;
    // Message 45; the default ignores it.
    virtual bool fHandlesFinish() const { return false; }
    // Writes the end state; called once, before the callback.
    virtual void fApplyEnd() {}
    // End state, callback once, finished.
    void fFinish();
    // A move over a length given a duration, a speed, or neither (one
    // second): fills in whichever of the two is 0.
    static void fResolveTiming(float length, float& duration, float& speed);

    KC_CALLBACK mCallback{nullptr, "", nullptr};
    bool mFinished = false;
};

}  // namespace KEL
