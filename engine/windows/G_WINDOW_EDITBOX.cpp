#include "engine/windows/G_WINDOW_EDITBOX.h"

#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/gui/KC_GUI_LINEBOX.h"
#include "engine/gui/KC_GUI_OBJECT.h"

namespace KEL {

const wchar_t* const G_WINDOW_EDITBOX::kREFUSED = L" \\*/.-+=_?&^!@#$%(){}[]|><,`~;";

namespace {
// The widget of that id when it is of the kind asked for; else null.
template <class T>
T* fFindOfType(KC_GUI_ROOT& gui, int32_t id, int32_t type) {
    KC_GUI_OBJECT* widget = gui.fFindChild(id);
    return widget && widget->fGetType() == type ? dynamic_cast<T*>(widget) : nullptr;
}
}  // namespace

G_WINDOW_EDITBOX::G_WINDOW_EDITBOX(const pugi::xml_node& node) : G_WINDOW(node) {
    mLineBox = fFindOfType<KC_GUI_LINEBOX>(*mGui, kLINEBOX, KC_GUI_OBJECT::kTYPE_LINEBOX);
    mOk = fFindOfType<KC_GUI_BUTTON5>(*mGui, kOK, KC_GUI_OBJECT::kTYPE_BUTTON);
    mErrorMark = mGui->fFindChild(kERROR_MARK);
    mErrorText = mGui->fFindChild(kERROR_TEXT);
    if (const pugi::xml_node settings = node.child("SETTINGS")) {
        if (const pugi::xml_attribute text = settings.attribute("text_color"))
            mTextColor = KS_COLOR::fFromHex(text.value());
        if (const pugi::xml_attribute error = settings.attribute("text_color_error"))
            mErrorColor = KS_COLOR::fFromHex(error.value());
    }
    if (mLineBox) mLineBox->fSetRefused(kREFUSED);
}

void G_WINDOW_EDITBOX::fSetAnswerHandler(KF_ANSWER handler, void* user) {
    mAnswer = handler;
    mAnswerUser = user;
}

void G_WINDOW_EDITBOX::fSetCheckHandler(KF_CHECK handler, void* user) {
    mCheck = handler;
    mCheckUser = user;
}

void G_WINDOW_EDITBOX::fSetMaxChars(uint32_t count) {
    if (mLineBox) mLineBox->fSetMaxChars(count);
}

std::wstring G_WINDOW_EDITBOX::fGetText() const { return mLineBox ? mLineBox->fGetText() : std::wstring(); }

void G_WINDOW_EDITBOX::fUpdateLook(bool valid) {
    // The words go with the mark: a red mark alone does not say what is wrong.
    const bool refused = !valid && !fGetText().empty();
    for (KC_GUI_OBJECT* widget : {mErrorMark, mErrorText})
        if (widget) widget->fSetVisible(refused);
    if (mOk) {
        if (valid) mOk->fSetNormal();
        else mOk->fSetDisabled();
    }
}

bool G_WINDOW_EDITBOX::fCheck() {
    const std::wstring text = fGetText();
    if (text.empty()) {
        fUpdateLook(false);
        return false;
    }
    const bool valid = !mCheck || mCheck(mCheckUser, text);
    fUpdateLook(valid);
    if (mCheck && mLineBox) mLineBox->fSetTextColor((valid ? mTextColor : mErrorColor).fGetARGB());
    return valid;
}

void G_WINDOW_EDITBOX::fOnShowStart() {
    if (mLineBox) {
        mLineBox->fSetTextColor(mTextColor.fGetARGB());
        mLineBox->fClear();
    }
    fUpdateLook(false);
}

void G_WINDOW_EDITBOX::fOnActivated() {
    if (mLineBox) mLineBox->fSetActive(true);
}

KS_MOUSE_RESULT G_WINDOW_EDITBOX::fOnMouseUp(int32_t button) {
    const KS_MOUSE_RESULT result = G_WINDOW::fOnMouseUp(button);
    fCheck();
    return result;
}

void G_WINDOW_EDITBOX::fOnClick(int32_t widgetId) {
    if (widgetId != kOK && widgetId != kCANCEL) return;
    // OK takes only a text the check would take now.
    if (widgetId == kOK && !fCheck()) return;
    const std::wstring text = fGetText();
    if (mAnswer) mAnswer(mAnswerUser, text, widgetId == kOK ? kANSWER_OK : kANSWER_CANCEL);
    fHide(false);
}

}  // namespace KEL
