#pragma once

#include <cstdint>

namespace game {

// How a won level went, as the result screen shows it. The screen keeps
// its own copy, so the level may be stopped and cleared while it shows.
struct GG_LEVEL_RESULT {
    int32_t mPackId = -1;
    int32_t mLevelId = -1;
    float mTime = 0.0f;  // seconds
    int32_t mErrors = 0;
    int32_t mHintsUsed = 0;
    int32_t mScore = 0;
};

}  // namespace game
