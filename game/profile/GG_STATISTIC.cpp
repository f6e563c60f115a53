#include "game/profile/GG_STATISTIC.h"

#include <algorithm>
#include <cmath>

#include "engine/resources/KC_BIN_FILE.h"

namespace game {

namespace {

// Attribute name and field, in the order the XML form lists them.
struct KS_FIELD {
    const char* mName;
    int32_t GG_STATISTIC::*mField;
};

constexpr KS_FIELD kINT_FIELDS[] = {
    {"health", &GG_STATISTIC::mHealth},
    {"score", &GG_STATISTIC::mScore},
    {"max_score", &GG_STATISTIC::mMaxScore},
    {"hint_use", &GG_STATISTIC::mHintUse},
    {"without_hint_max", &GG_STATISTIC::mWithoutHintMax},
    {"without_hint", &GG_STATISTIC::mWithoutHint},
    {"without_error_max", &GG_STATISTIC::mWithoutErrorMax},
    {"without_error", &GG_STATISTIC::mWithoutError},
    {"bad_level_max", &GG_STATISTIC::mBadLevelMax},
    {"bad_level", &GG_STATISTIC::mBadLevel},
};

}  // namespace

void GG_STATISTIC::fLoadXml(const pugi::xml_node& node) {
    for (const KS_FIELD& f : kINT_FIELDS) this->*f.mField = node.attribute(f.mName).as_int(this->*f.mField);
    mMinLevelTime = node.attribute("min_level_time").as_float(mMinLevelTime);
}

void GG_STATISTIC::fSaveXml(pugi::xml_node& node) const {
    for (const KS_FIELD& f : kINT_FIELDS) node.append_attribute(f.mName).set_value(this->*f.mField);
    node.append_attribute("min_level_time").set_value(mMinLevelTime);
}

void GG_STATISTIC::fLoadBinary(KEL::KC_BIN_FILE& file, const GG_SAVE_LAYOUT& layout) {
    file.fRead4a(mHealth);
    file.fRead4a(mScore);
    file.fRead4a(mHintUse);
    file.fRead4a(mWithoutHintMax);
    file.fRead4a(mWithoutHint);
    file.fRead4a(mWithoutErrorMax);
    file.fRead4a(mWithoutError);
    file.fRead4a(mBadLevelMax);
    file.fRead4a(mBadLevel);
    file.fRead4c(mMinLevelTime);
    if (layout.fHasMaxScore()) file.fRead4a(mMaxScore);
    else mMaxScore = mScore;
    if (!std::isfinite(mMinLevelTime) || mMinLevelTime < 0.0f) mMinLevelTime = 0.0f;
}

void GG_STATISTIC::fSaveBinary(KEL::KC_BIN_FILE& file) const {
    file.fWrite4a(mHealth);
    file.fWrite4a(mScore);
    file.fWrite4a(mHintUse);
    file.fWrite4a(mWithoutHintMax);
    file.fWrite4a(mWithoutHint);
    file.fWrite4a(mWithoutErrorMax);
    file.fWrite4a(mWithoutError);
    file.fWrite4a(mBadLevelMax);
    file.fWrite4a(mBadLevel);
    file.fWrite4c(mMinLevelTime);
    file.fWrite4a(mMaxScore);
}

void GG_STATISTIC::fAddScore(int32_t points) {
    const int64_t sum = static_cast<int64_t>(mScore) + points;
    mScore = static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
    mMaxScore = std::max(mMaxScore, mScore);
}

std::wstring GG_STATISTIC::fGetScoreText() const { return std::to_wstring(mScore); }

}  // namespace game
