#pragma once

#include <memory>
#include <span>

#include <pugixml.hpp>

namespace KEL {
class G_WINDOW;
}

namespace game {

// One class a window file's "_type" may name, and how a window of it is
// made from its element.
struct KS_WINDOW_CLASS {
    const char* mType;
    std::unique_ptr<KEL::G_WINDOW> (*mMake)(const pugi::xml_node&);
};

// The window factory's class table: every class a window file may name, the
// engine's own windows and the game's screens, one row each (a new screen is
// one row). Classes with no code of their own open as the engine's simple
// window. The level strip has no row: no window file makes it. The names of
// the windows the code opens are in GG_WINDOW_NAMES.h beside this.
std::span<const KS_WINDOW_CLASS> fWindowClasses();

}  // namespace game
