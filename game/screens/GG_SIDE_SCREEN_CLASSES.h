#pragma once

#include <memory>
#include <string>

#include <pugixml.hpp>

namespace KEL {
class G_WINDOW;
}

namespace game {

// The options, shop, trophy and help windows by the class name a window
// file's "_type" gives; null for a name that is not one of them.
std::unique_ptr<KEL::G_WINDOW> fCreateSideScreen(const std::string& type, const pugi::xml_node& window);

}  // namespace game
