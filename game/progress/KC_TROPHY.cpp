#include "game/progress/KC_TROPHY.h"

namespace KEL {

void KC_TROPHY::fRead(const pugi::xml_node& node) {
    mName = node.attribute("name").as_string();
    mGcId = node.attribute("gc_id").as_string();
    mDesc = node.attribute("desc").as_string();
    mImageOpen = node.attribute("image_open").as_string();
    mImageClose = node.attribute("image_close").as_string();
    mBonus = node.attribute("bonus").as_int();
    mUnlocked = 0;
    mConditions.clear();
    for (pugi::xml_node child : node.children("condition")) {
        mConditions.emplace_back();
        mConditions.back().fRead(child);
    }
}

bool KC_TROPHY::fUpdateValue(const KS_TROPHY_VALUE& value) {
    if (mUnlocked || mConditions.size() != 1) return false;
    mUnlocked = mConditions.front().fEvaluate(value) >= 1.0 ? 1 : 0;
    return mUnlocked != 0;
}

const KC_TROPHY_CONDITION* KC_TROPHY::fGetCondition() const {
    return mConditions.empty() ? nullptr : &mConditions.front();
}

}  // namespace KEL
