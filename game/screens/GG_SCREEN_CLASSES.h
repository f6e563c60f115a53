#pragma once

#include <memory>
#include <string>

#include <pugixml.hpp>

namespace KEL {
class G_WINDOW;
}

namespace game {

// The game's own screens by the class name a window file's "_type" gives;
// null for a name that is not one of them. The level strip has no name
// here: no window file makes it.
std::unique_ptr<KEL::G_WINDOW> fCreateScreen(const std::string& type, const pugi::xml_node& window);

}  // namespace game
