#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "SERVICE/KC_CALLBACK.h"
#include "engine/util/KS_POINT.h"
#include "engine/util/KS_VEC2.h"

// The layout reader: widget trees built from layout XML. A layout is an
// element whose child elements are widget elements; an element's name is
// its tag (compared without regard to case), its attributes are the
// widget's keys (exact names), and the child elements TRANSFORM, SIZE,
// POSITION, CONTEXT and SCRIPTS (exact upper case) hold its placement, its
// child widgets and its script hooks. An element with an unknown tag or
// without a required key creates nothing and its siblings are still read.
// Hostile values (sizes out of range, nesting too deep, numbers that are
// not finite) also create nothing and raise the engine's error slot.
namespace KEL {

class KC_GUI_OBJECT;
class KC_GUI_ROOT;

// One creator per tag: the new widget, or null when it cannot be built.
using KF_GUI_CREATOR = std::unique_ptr<KC_GUI_OBJECT> (*)(const pugi::xml_node& node);

// Clears the root and fills it from node's child elements. With a name,
// the source is node's first child whose NAME matches it (case ignored),
// else node's first child.
void fReadGuiLayout(KC_GUI_ROOT& root, const pugi::xml_node& node, const char* name = nullptr);
// One widget from one widget element; null for an unknown tag or a failed
// creator.
std::unique_ptr<KC_GUI_OBJECT> fCreateGuiObject(const pugi::xml_node& node);
// Applies the keys every widget has, in this order: ENABLE, VISIBLE,
// TRANSFORM, SIZE, POSITION, CONTEXT, SCRIPTS (DOWN, UP, ENTER, LEAVE).
// False when a value is hostile: the creator then builds nothing.
bool fReadGuiObject(KC_GUI_OBJECT& widget, const pugi::xml_node& node);
// "HS_UL" 0 ... "HS_DR" 8 (exact); anything else is the centre, 4.
int32_t fHotSpotFromString(const char* text);

// Value forms of the keys, for the creators.
bool fGuiHas(const pugi::xml_node& node, const char* key);
// Leading decimal integer (no number gives 0).
int32_t fGuiInt(const char* text);
uint32_t fGuiUint(const char* text);
float fGuiFloat(const char* text);
// True when the text starts with 1, t, T, y or Y.
bool fGuiBool(const char* text);
// The pieces of a number list: split at blanks (space, tab, CR, LF), empty
// pieces skipped.
std::vector<std::string> fGuiNumbers(const char* text);
// "alpha red green blue", each modulo 256, as 0xAARRGGBB; false (out
// untouched) unless four numbers are given.
bool fGuiArgb(const char* text, uint32_t& out);
// Hexadecimal 0xAARRGGBB.
uint32_t fGuiHexColor(const char* text);
// "x y" as integers; (0, 0) with fewer than two numbers.
KS_POINT fGuiPoint(const char* text);
// "x y" as floats; false (out untouched) unless two numbers are given.
bool fGuiVec2(const char* text, KS_VEC2& out);
// The text of a structured child element ("" when absent).
const char* fGuiChildText(const pugi::xml_node& node, const char* child);

// Calls visit(event, script) for each child of the SCRIPTS element that
// has an EVENT attribute; the script is the child's text.
void fGuiForEachScript(const pugi::xml_node& node,
                       const std::function<void(const char* event, const char* script)>& visit);
// A script hook with no function, named after the script, whose user
// argument is the widget.
std::unique_ptr<KC_CALLBACK> fGuiScriptRecord(const char* script, KC_GUI_OBJECT* widget);
// Raises the engine's error slot about one element of a layout.
void fGuiRefuse(const pugi::xml_node& node, const std::string& why);

}  // namespace KEL
