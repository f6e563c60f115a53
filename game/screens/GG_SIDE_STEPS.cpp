#include "game/screens/GG_SIDE_STEPS.h"

#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/resources/KC_FONT.h"
#include "engine/resources/KC_FONT_DESC.h"
#include "engine/windows/gPages.h"

namespace game {

void fEnableArrow(KEL::KC_GUI_BUTTON5* button, bool enabled) {
    if (!button) return;
    if (enabled) button->fSetNormal();
    else button->fSetDisabled();
    button->fOnMouseMove();
}

void fUpdatePageArrows(KEL::G_WINDOW& window, const KEL::gPages* pages, int32_t previousId, int32_t nextId) {
    fEnableArrow(fFindIn<KEL::KC_GUI_BUTTON5>(window, nextId), pages && pages->fHasNextPage());
    fEnableArrow(fFindIn<KEL::KC_GUI_BUTTON5>(window, previousId), pages && pages->fHasPrevPage());
}

void fDrawWith(const KEL::KC_FONT_DESC& font, float x, float y, const std::wstring& text) {
    if (!font.mFont || text.empty()) return;
    font.mFont->fSetColor(font.mColor.fGetARGB());
    font.mFont->fSetAnchor(font.mAnchor);
    font.mFont->fDrawW(x, y, text.c_str());
}

}  // namespace game
