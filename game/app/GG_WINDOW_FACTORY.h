#pragma once

#include <memory>
#include <string>

#include <pugixml.hpp>

namespace KEL {
class G_WINDOW;
class G_WINDOW_MANAGER;
class KC_GUI_OBJECT;
class KC_SOUND_LIST;
class KC_STRING_TABLE;
}  // namespace KEL

// The game's windows: which class each window file's "_type" names, the
// translation of a new window's texts through the string table, and the
// click sounds every window plays.
namespace game {

// The services the factory's windows use: the string table their texts are
// looked up in and the sound list their clicks play from. Either may be
// null (texts stay as written, clicks are silent). Set by the game object
// when it creates them, cleared when it deletes them; main thread, or the
// loader thread before the main thread uses any window.
void fSetWindowServices(const KEL::KC_STRING_TABLE* strings, KEL::KC_SOUND_LIST* sounds);

// A window built from its window element by the class its "_type" names in
// the class table (GG_SCREEN_CLASSES.h), its texts translated and its click
// sounds set; null when "_type" or "_name" is missing or names no class there.
std::unique_ptr<KEL::G_WINDOW> fCreateWindow(const pugi::xml_node& window);

// Registers every class of the class table with the manager, each made by
// fCreateWindow.
void fRegisterWindowClasses(KEL::G_WINDOW_MANAGER& manager);

// Every wide-text label in the tree, the widget itself included, takes the
// string table's text for the key its text holds (the table's fallback
// text for an unknown key). Depth first; other widgets keep their texts.
void fLocalizeTree(KEL::KC_GUI_OBJECT* widget, const KEL::KC_STRING_TABLE& strings);
void fLocalizeTree(KEL::KC_GUI_OBJECT* widget);

// Plays the named sound of the group of every other sound; an empty name plays nothing.
void fPlayClickSound(const std::string& sound);

}  // namespace game
