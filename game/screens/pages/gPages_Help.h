#pragma once

#include <cstdint>
#include <memory>

#include <pugixml.hpp>

#include "engine/windows/gPages.h"

namespace game {

// The help pages (gHelpItem); they take no clicks.
class gPages_Help : public KEL::gPages {
public:
    std::unique_ptr<KEL::KC_BASE> fCreateItem(const pugi::xml_node& element, int32_t index) override;
    void fOnItemClicked(KEL::KC_BASE*) override {}
};

}  // namespace game
