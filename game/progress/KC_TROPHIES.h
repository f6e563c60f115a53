#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "game/progress/KC_TROPHY.h"

namespace KEL {

class KC_REPOSITORY;

// The edition's trophies, in file order.
class KC_TROPHIES {
public:
    // The repository XML; false when it is missing or holds no trophy.
    bool fLoad(KC_REPOSITORY& repository, const std::string& name);
    // The "trophies" element of a document (or the element itself); false
    // when it is missing or empty.
    bool fRead(const pugi::xml_node& document);

    uint32_t fGetCount() const { return static_cast<uint32_t>(mTrophies.size()); }
    KC_TROPHY* fGetTrophy(uint32_t index) const;
    KC_TROPHY* fFind(const std::string& name) const;
    bool fIsUnlocked(const std::string& name) const;
    // Feeds the trophy of the value's name; true when this unlocked it.
    bool fUpdateValue(const std::string& name, const KS_TROPHY_VALUE& value);
    void fLockAll();

private:
    std::vector<std::unique_ptr<KC_TROPHY>> mTrophies;
};

}  // namespace KEL
