#pragma once

#include <cstdint>
#include <memory>

#include <pugixml.hpp>

#include "engine/windows/gPages.h"

namespace game {

// The trophy gallery's entries (gItem_Trophy), drawn a page at a time in
// three passes: every picture, every bonus picture, then every text.
// Clicks on entries do nothing.
class gPages_Trophy : public KEL::gPages {
public:
    std::unique_ptr<KEL::KC_BASE> fCreateItem(const pugi::xml_node& element, int32_t index) override;
    void fOnItemClicked(KEL::KC_BASE*) override {}
    void fDrawPage(int32_t page) override;
};

}  // namespace game
