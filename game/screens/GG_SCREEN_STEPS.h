#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/util/Closure.h"
#include "engine/util/KS_VEC2.h"

namespace KEL {
class G_WINDOW;
class G_WINDOW_CONFIRM;
class G_WINDOW_MANAGER;
class KC_FONT;
class KC_FONT_DESC;
class KC_GUI_BUTTON5;
class KC_GUI_ROOT;
class gPages;
}  // namespace KEL

// Steps the screens share: questions, the full-screen fade that hides a
// change of screens, finding and greying widgets, and drawing a line of
// text.
namespace game {

// Opens the question and sets its first answer handler; null (nothing
// set) when the manager has no such window or it asks no question.
KEL::G_WINDOW_CONFIRM* fAsk(KEL::G_WINDOW_MANAGER* manager, const std::string& name,
                            const KEL::Closure<void()>& answer);
// Opens the fade; once it covers the screen, shown runs. False (nothing
// runs) without a fade window.
bool fFadeThen(KEL::G_WINDOW_MANAGER* manager, const KEL::Closure<void()>& shown);
// Lifts the fade and forgets what it was to run.
void fEndFade(KEL::G_WINDOW_MANAGER* manager);
// Normal when enabled, else the disabled look; then the hover look is
// worked out again for where the pointer is. A null button is skipped.
void fEnableButton(KEL::KC_GUI_BUTTON5* button, bool enabled);
// Arrows of a paged list: next enabled where a next page lies, previous
// where a previous one lies.
void fUpdatePageArrows(KEL::G_WINDOW& window, const KEL::gPages* pages, int32_t previousId, int32_t nextId);
// The widget of that id and class in a widget tree, or null.
template <class T>
T* fFindWidget(KEL::KC_GUI_ROOT* gui, int32_t id);
template <class T>
T* fFindWidget(KEL::G_WINDOW& window, int32_t id);
// Draws the text as it is, never as a format, with the colour and anchor
// given (a font is shared, so every user sets both first); a null font
// draws nothing.
void fDrawText(KEL::KC_FONT* font, float x, float y, uint32_t color, int32_t anchor, const std::wstring& text);
// The same with a font description's font, colour and anchor.
void fDrawText(const KEL::KC_FONT_DESC& font, float x, float y, const std::wstring& text);
// Two blank-separated numbers; (0, 0) when they cannot be read.
KEL::KS_VEC2 fReadPair(const pugi::xml_attribute& attribute);

}  // namespace game

#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/windows/G_WINDOW.h"

template <class T>
T* game::fFindWidget(KEL::KC_GUI_ROOT* gui, int32_t id) {
    return gui ? dynamic_cast<T*>(gui->fFindChild(id)) : nullptr;
}

template <class T>
T* game::fFindWidget(KEL::G_WINDOW& window, int32_t id) {
    return fFindWidget<T>(window.fGetGui(), id);
}
