#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "game/profile/GG_SAVE_LAYOUT.h"

namespace KEL {
class KC_BIN_FILE;
}

namespace game {

// A player's running statistics: score, streaks with and without hints or
// mistakes, and the fastest level.
struct GG_STATISTIC {
    int32_t mHealth = 0;
    int32_t mScore = 0;
    int32_t mMaxScore = 0;
    int32_t mHintUse = 0;
    int32_t mWithoutHintMax = 0;
    int32_t mWithoutHint = 0;
    int32_t mWithoutErrorMax = 0;
    int32_t mWithoutError = 0;
    int32_t mBadLevelMax = 0;
    int32_t mBadLevel = 0;
    float mMinLevelTime = 0.0f;

    // Absent keys keep their values.
    void fLoadXml(const pugi::xml_node& node);
    void fSaveXml(pugi::xml_node& node) const;
    // Files of the old layout have no best score: it is taken as the score.
    void fLoadBinary(KEL::KC_BIN_FILE& file, const GG_SAVE_LAYOUT& layout);
    void fSaveBinary(KEL::KC_BIN_FILE& file) const;

    // The score grows (saturating) and the best score follows it.
    void fAddScore(int32_t points);
    std::wstring fGetScoreText() const;

    bool operator==(const GG_STATISTIC&) const = default;
};

}  // namespace game
