#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/util/KS_COLOR.h"
#include "engine/util/KS_POINT.h"
#include "engine/util/KS_VEC2.h"

namespace game {

// Checked reading of the numbers in the board decorations' files. Every
// reader leaves its output alone and answers true when the attribute is
// absent; a present value that is not a number of the asked form, or lies
// outside [low, high], answers false and names the attribute in the game's
// error text, so a damaged file fails its load instead of drawing off-screen
// or looping for ever.
class GG_AMBIENT_READER {
public:
    // Coordinates and offsets on the 1024 x 768 screen, with room to park
    // things well outside it.
    static constexpr float kCOORD_LIMIT = 8192.0f;

    static bool fInt(const pugi::xml_node& node, const char* name, int32_t low, int32_t high, int32_t& out);
    static bool fFloat(const pugi::xml_node& node, const char* name, float low, float high, float& out);
    // Two blank-separated numbers, both in range.
    static bool fPoint(const pugi::xml_node& node, const char* name, int32_t low, int32_t high, KEL::KS_POINT& out);
    static bool fVec2(const pugi::xml_node& node, const char* name, float low, float high, KEL::KS_VEC2& out);

    // A colour text: four decimals "A R G B" when it holds a blank, else one
    // hexadecimal number "AARRGGBB".
    static KEL::KS_COLOR fColor(const std::string& text);

    // Sets the error text to "<what>: <detail>" and answers false.
    static bool fFail(const std::string& what, const std::string& detail);
};

}  // namespace game
