#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/util/KS_COLOR.h"

namespace KEL {

class KC_FONT;
class KC_FONT_LIST;

// Which font, colour and anchor a widget draws its text with, read from the
// widget's "fntName", "fntColor" and "fntHotSpot".
class KC_FONT_DESC {
public:
    // False for a missing element or list, or an element without "fntName";
    // otherwise whether the named font exists (what was read is kept).
    bool fRead(const pugi::xml_node& element, const KC_FONT_LIST* list);
    bool fIsValid() const { return mFont != nullptr; }

    KC_FONT* mFont = nullptr;
    std::string mName;
    KS_COLOR mColor;
    int32_t mAnchor = 0;
};

}  // namespace KEL
