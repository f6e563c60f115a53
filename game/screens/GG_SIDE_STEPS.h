#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/util/KS_VEC2.h"
#include "engine/windows/G_WINDOW.h"

namespace KEL {
class KC_FONT_DESC;
class KC_GUI_BUTTON5;
class gPages;
}  // namespace KEL

// Small steps the options, shop, trophy and help windows share.
namespace game {

// The widget of that id and class in a widget tree, or null.
template <class T>
T* fFindIn(KEL::KC_GUI_ROOT* gui, int32_t id) {
    return gui ? dynamic_cast<T*>(gui->fFindChild(id)) : nullptr;
}
template <class T>
T* fFindIn(KEL::G_WINDOW& window, int32_t id) {
    return fFindIn<T>(window.fGetGui(), id);
}

// Normal when enabled, else the disabled look; then the hover look is
// worked out again for where the pointer is. A null button is skipped.
void fEnableArrow(KEL::KC_GUI_BUTTON5* button, bool enabled);
// Arrows of a paged list: next enabled where a next page lies, previous
// where a previous one lies.
void fUpdatePageArrows(KEL::G_WINDOW& window, const KEL::gPages* pages, int32_t previousId, int32_t nextId);
// Draws the text as it is, never as a format, with the description's font,
// colour and anchor (fonts are shared, so both are set on every use).
void fDrawWith(const KEL::KC_FONT_DESC& font, float x, float y, const std::wstring& text);

}  // namespace game
