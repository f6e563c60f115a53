#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "game/progress/KC_TROPHY_CONDITION.h"

namespace KEL {

// One trophy: its texts (string-table keys), pictures, bonus points and the
// condition that unlocks it. Unlocked flags are not stored: they are worked
// out again from the player's records whenever a player becomes current.
class KC_TROPHY {
public:
    // The trophy's attributes and every "condition" child.
    void fRead(const pugi::xml_node& node);
    // True when this value unlocked the trophy now: an unlocked trophy, or
    // one with no or several conditions, answers false.
    bool fUpdateValue(const KS_TROPHY_VALUE& value);

    const std::string& fGetName() const { return mName; }
    const std::string& fGetGcId() const { return mGcId; }
    const std::string& fGetDesc() const { return mDesc; }
    const std::string& fGetImageOpen() const { return mImageOpen; }
    const std::string& fGetImageClose() const { return mImageClose; }
    int32_t fGetBonus() const { return mBonus; }
    bool fIsUnlocked() const { return mUnlocked != 0; }
    void fLock() { mUnlocked = 0; }
    // The first condition, or null.
    const KC_TROPHY_CONDITION* fGetCondition() const;
    const std::vector<KC_TROPHY_CONDITION>& fGetConditions() const { return mConditions; }

private:
    std::string mName;
    std::string mGcId;
    std::string mDesc;
    std::string mImageOpen;
    std::string mImageClose;
    int32_t mBonus = 0;
    uint8_t mUnlocked = 0;
    std::vector<KC_TROPHY_CONDITION> mConditions;
};

}  // namespace KEL
