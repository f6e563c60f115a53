#include "game/screens/GG_SCREEN_STEPS.h"

#include <cstdlib>

#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/resources/KC_FONT.h"
#include "engine/resources/KC_FONT_DESC.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "engine/windows/gPages.h"
#include "game/screens/GG_WINDOW_NAMES.h"

namespace game {

KEL::G_WINDOW_CONFIRM* fAsk(KEL::G_WINDOW_MANAGER* manager, const std::string& name,
                            const KEL::Closure<void()>& answer) {
    if (!manager) return nullptr;
    auto* confirm = dynamic_cast<KEL::G_WINDOW_CONFIRM*>(manager->fShowWindow(name));
    if (confirm) confirm->fSetAnswerHandler(answer);
    return confirm;
}

bool fFadeThen(KEL::G_WINDOW_MANAGER* manager, const KEL::Closure<void()>& shown) {
    KEL::G_WINDOW* fade = manager ? manager->fFindWindow(GG_WINDOW_NAME::kFADE) : nullptr;
    if (!fade) return false;
    // Set before showing: a fade with no time is shown at its first frame.
    fade->fSetCallback(KEL::G_WINDOW::kCB_SHOWN, shown);
    manager->fShowWindow(GG_WINDOW_NAME::kFADE);
    return true;
}

void fEndFade(KEL::G_WINDOW_MANAGER* manager) {
    if (!manager) return;
    if (KEL::G_WINDOW* fade = manager->fFindWindow(GG_WINDOW_NAME::kFADE))
        fade->fSetCallback(KEL::G_WINDOW::kCB_SHOWN, KEL::Closure<void()>());
    manager->fHideWindow(GG_WINDOW_NAME::kFADE);
}

void fEnableButton(KEL::KC_GUI_BUTTON5* button, bool enabled) {
    if (!button) return;
    if (enabled) button->fSetNormal();
    else button->fSetDisabled();
    button->fOnMouseMove();
}

void fUpdatePageArrows(KEL::G_WINDOW& window, const KEL::gPages* pages, int32_t previousId, int32_t nextId) {
    fEnableButton(fFindWidget<KEL::KC_GUI_BUTTON5>(window, nextId), pages && pages->fHasNextPage());
    fEnableButton(fFindWidget<KEL::KC_GUI_BUTTON5>(window, previousId), pages && pages->fHasPrevPage());
}

void fDrawText(KEL::KC_FONT* font, float x, float y, uint32_t color, int32_t anchor, const std::wstring& text) {
    if (!font || text.empty()) return;
    font->fSetColor(color);
    font->fSetAnchor(anchor);
    font->fDrawW(x, y, text.c_str());
}

void fDrawText(const KEL::KC_FONT_DESC& font, float x, float y, const std::wstring& text) {
    fDrawText(font.mFont, x, y, font.mColor.fGetARGB(), font.mAnchor, text);
}

KEL::KS_VEC2 fReadPair(const pugi::xml_attribute& attribute) {
    const char* text = attribute.as_string("");
    char* end = nullptr;
    const float x = std::strtof(text, &end);
    if (end == text) return {0.0f, 0.0f};
    const char* second = end;
    const float y = std::strtof(second, &end);
    if (end == second) return {0.0f, 0.0f};
    return {x, y};
}

}  // namespace game
