#include "support/FrameStepper.h"

#include "support/FrameDelta.h"

namespace testsupport {

void FrameStepper::fStep(int count, float delta) {
    for (int i = 0; i < count; ++i) {
        fSetFrameDelta(delta);
        for (const Part& part : mParts) part();
    }
}

bool FrameStepper::fStepUntil(const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit; ++i) {
        if (done()) return true;
        fStep();
    }
    return false;
}

}  // namespace testsupport
