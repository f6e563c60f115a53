#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "game/progress/KC_SHOP_ITEM.h"

namespace KEL {

class KC_REPOSITORY;

// What the shop offers, in file order.
class KC_SHOP_ITEMS {
public:
    // The repository XML's document element; false when it is missing.
    bool fLoad(KC_REPOSITORY& repository, const std::string& name);
    // One offer per "item" child, appended.
    void fLoad(const pugi::xml_node& node);

    // The first offer of that name that is endless or would raise a count of
    // count; null when there is none.
    const KC_SHOP_ITEM* fFind(const std::string& key, int32_t count) const;
    const std::vector<std::unique_ptr<KC_SHOP_ITEM>>& fGetItems() const { return mItems; }

private:
    std::vector<std::unique_ptr<KC_SHOP_ITEM>> mItems;
};

}  // namespace KEL
