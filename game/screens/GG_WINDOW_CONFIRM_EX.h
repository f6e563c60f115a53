#pragma once

#include <string>

#include <pugixml.hpp>

#include "engine/util/KS_VEC2.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"

namespace KEL {
class KC_FONT;
}

namespace game {

// A question with one more line of text drawn centred on the window, such
// as the name of the player about to be deleted. Its font is named by
// "SETTINGS" "font_extra_text" and looked up in the game's fonts at load.
class GG_WINDOW_CONFIRM_EX : public KEL::G_WINDOW_CONFIRM {
public:
    explicit GG_WINDOW_CONFIRM_EX(const pugi::xml_node& node);

    void fSetExtraText(const std::wstring& text) { mExtraText = text; }
    const std::wstring& fGetExtraText() const { return mExtraText; }
    KEL::KC_FONT* fGetFont() const { return mFont; }

    void fOnLoad() override;
    void fOnDraw() override;

private:
    std::wstring mExtraText;
    KEL::KS_VEC2 mExtraShift;
    std::string mFontName;
    KEL::KC_FONT* mFont = nullptr;  // the game's font list owns it
    uint32_t mColor = 0xFFFFFFFFu;
};

}  // namespace game
