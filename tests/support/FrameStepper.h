#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace testsupport {

// A fixture's own frames, as the game's loop would run them: each frame
// sets the frame time the way the frame timer does, then runs the parts the
// fixture added, in the order added (the board, the tutorial, the windows,
// the input ageing its keys). A copy runs the same parts, and whatever is
// added to it after: a fixture whose frames come in two kinds keeps both.
class FrameStepper {
public:
    using Part = std::function<void()>;

    explicit FrameStepper(float delta) : mDelta(delta) {}

    void fAdd(Part part) { mParts.push_back(std::move(part)); }

    // count frames of the stepper's own time, or of the time given.
    void fStep(int count = 1) { fStep(count, mDelta); }
    void fStep(int count, float delta);
    // Frames until done answers true, asked before each; false when it had
    // not after limit frames.
    bool fStepUntil(const std::function<bool()>& done, int limit);

    float fDelta() const { return mDelta; }

private:
    float mDelta;
    std::vector<Part> mParts;
};

}  // namespace testsupport
