#pragma once

#include <deque>

#include "engine/bots/KC_BOT_MANAGER.h"

namespace KEL {

// A queue of effect steps played one after another. Each step is a group of
// animators that run together; the front step runs until all of them have
// finished.
class G_EFFECT_BASE {
public:
    G_EFFECT_BASE() = default;
    G_EFFECT_BASE(const G_EFFECT_BASE&) = delete;
    G_EFFECT_BASE& operator=(const G_EFFECT_BASE&) = delete;
    // Deletes every step's animators.
    virtual ~G_EFFECT_BASE();

    // Runs the front step once; true when it has no animators left. False on
    // an empty queue.
    virtual bool fStepFront();
    // Appends an empty step.
    virtual void fPushStep();

    // The step at the back of the queue, to which new animators are added;
    // null when the queue is empty.
    KC_BOT_MANAGER* fBack() { return mSteps.empty() ? nullptr : &mSteps.back(); }
    int32_t fCount() const { return static_cast<int32_t>(mSteps.size()); }
    bool fIsEmpty() const { return mSteps.empty(); }

protected:
    std::deque<KC_BOT_MANAGER> mSteps;
};

}  // namespace KEL
