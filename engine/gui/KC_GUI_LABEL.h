#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <pugixml.hpp>

#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/resources/KC_FONT.h"

namespace KEL {

class KC_TEXTURE;

// A line of 8-bit text drawn with a bitmap font of its own, centred on the
// label's position by default. The label keeps its own copy of the text and
// holds one use of the font's page texture, given back when it goes.
class KC_GUI_LABEL : public KC_GUI_OBJECT {
public:
    // font: the BMFont "font" element (read now, not kept); pageTexture: one
    // use of the font's page texture, which the label takes over.
    KC_GUI_LABEL(int32_t id, const pugi::xml_node& font, KC_TEXTURE* pageTexture, const std::string& text);
    ~KC_GUI_LABEL() override;

    KS_MOUSE_RESULT fGetEvent() override { return KS_MOUSE_RESULT::fNotTaken(); }
    void fDraw() override;

    KC_FONT* fGetFont() { return mFont.get(); }
    void fSetAnchor(int32_t anchor) { mFont->fSetAnchor(anchor); }
    const std::string& fGetText() const { return mText; }

private:
    std::string mText;
    std::unique_ptr<KC_FONT> mFont;
    KC_TEXTURE* mPageTexture;  // one use, given back at destruction
};

}  // namespace KEL
