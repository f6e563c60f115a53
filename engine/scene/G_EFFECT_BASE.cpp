#include "engine/scene/G_EFFECT_BASE.h"

namespace KEL {

G_EFFECT_BASE::~G_EFFECT_BASE() {
    for (KC_BOT_MANAGER& step : mSteps) step.fDeleteAll();
}

bool G_EFFECT_BASE::fStepFront() {
    if (mSteps.empty()) return false;
    mSteps.front().fUpdate();
    return mSteps.front().fIsEmpty();
}

void G_EFFECT_BASE::fPushStep() { mSteps.emplace_back(); }

}  // namespace KEL
