#pragma once

#include <cstdint>

namespace game {

// A finished level as the result window shows it: copied when the level
// ends, so the window never reads the board while it changes.
struct GG_LEVEL_RESULT {
    int32_t mPackId = 0;
    int32_t mLevelId = 0;
    // Position of the level in its pack, from 1.
    int32_t mLevelNumber = 0;
    float mLevelTime = 0.0f;
    int32_t mErrors = 0;
    int32_t mHintsUsed = 0;
    int32_t mScore = 0;
    int32_t mStars = 0;
    float mBestTime = 0.0f;
    uint8_t mWon = 0;
};

}  // namespace game
