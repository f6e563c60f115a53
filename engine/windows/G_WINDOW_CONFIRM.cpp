#include "engine/windows/G_WINDOW_CONFIRM.h"

namespace KEL {

G_WINDOW_CONFIRM::G_WINDOW_CONFIRM(const pugi::xml_node& node) : G_WINDOW(node) {
    // A widget 2 of another kind counts as missing.
    KC_GUI_OBJECT* message = mGui->fFindChild(kMESSAGE);
    if (message && message->fGetType() == KC_GUI_OBJECT::kTYPE_WLABEL) mMessage = dynamic_cast<KC_GUI_WLABEL*>(message);
}

bool G_WINDOW_CONFIRM::fSetAnswerHandler2(const Closure<void()>& handler) {
    if (handler.fKind() == Closure<void()>::KE_KIND::kBYTE) return false;
    mAnswer2 = handler;
    return true;
}

void G_WINDOW_CONFIRM::fOnClick(int32_t widgetId) { fOnAnswer(widgetId); }

void G_WINDOW_CONFIRM::fOnAnswer(int32_t widgetId) {
    int32_t first = kANSWER_CLOSE;
    int32_t second = kANSWER_CLOSE;
    switch (widgetId) {
        case kYES: first = second = kANSWER_YES; break;
        case kNO: second = kANSWER_NO; break;
        case kCLOSE: break;
        default: return;
    }
    // Copies: a handler may replace or clear the handlers while it runs.
    const Closure<void()> answer = mAnswer;
    const Closure<void()> answer2 = mAnswer2;
    answer(first);
    answer2(second);
    fHide(false);
}

}  // namespace KEL
