#include "game/screens/pages/gPages_Help.h"

#include "game/screens/pages/gHelpItem.h"

namespace game {

std::unique_ptr<KEL::KC_BASE> gPages_Help::fCreateItem(const pugi::xml_node& element, int32_t) {
    return std::make_unique<gHelpItem>(this, element);
}

}  // namespace game
