#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/util/KS_COLOR.h"
#include "engine/windows/G_WINDOW.h"

namespace KEL {

class KC_GUI_BUTTON5;
class KC_GUI_LINEBOX;
class KC_GUI_OBJECT;

// A one-line text entry with OK and Cancel: widget 2 is the line box, 3 the
// OK button, 4 Cancel, 5 a mark shown beside a text the check refuses and 7
// (optional) the words saying why, shown with the mark.
// Each time it is shown the box starts empty in the text colour with OK
// greyed. After every release pass (mouse buttons and keys alike) the text
// is checked: an empty text or one the check handler refuses greys OK, and
// a refused one also shows the mark and takes the error colour. OK checks
// again before it answers, so a refused text never gets through.
//
// Window XML beyond a window's: "SETTINGS" with "text_color" and
// "text_color_error", hexadecimal 0xAARRGGBB colours (white when absent).
// Typing never inserts a space or any of \*/.-+=_?&^!@#$%(){}[]|><,`~;
class G_WINDOW_EDITBOX : public G_WINDOW {
public:
    static constexpr int32_t kLINEBOX = 2;
    static constexpr int32_t kOK = 3;
    static constexpr int32_t kCANCEL = 4;
    static constexpr int32_t kERROR_MARK = 5;
    static constexpr int32_t kERROR_TEXT = 7;
    static const wchar_t* const kREFUSED;

    // The answers the handler gets.
    static constexpr int32_t kANSWER_OK = 1;
    static constexpr int32_t kANSWER_CANCEL = 0;

    // Gets the text and the answer: kANSWER_OK or kANSWER_CANCEL.
    using KF_ANSWER = void (*)(void* user, const std::wstring& text, int32_t answer);
    // True when the text may be taken.
    using KF_CHECK = bool (*)(void* user, const std::wstring& text);

    explicit G_WINDOW_EDITBOX(const pugi::xml_node& node);

    void fSetAnswerHandler(KF_ANSWER handler, void* user);
    void fSetCheckHandler(KF_CHECK handler, void* user);
    // The line box's limit; 0 means none.
    void fSetMaxChars(uint32_t count);
    // Empty without a line box.
    std::wstring fGetText() const;

    KS_MOUSE_RESULT fOnMouseUp(int32_t button) override;
    void fOnClick(int32_t widgetId) override;
    void fOnShowStart() override;
    void fOnActivated() override;

    KS_COLOR fGetTextColor() const { return mTextColor; }
    KS_COLOR fGetErrorColor() const { return mErrorColor; }

private:
    // Empty or refused texts are not valid; a refused one turns red.
    bool fCheck();
    void fUpdateLook(bool valid);

    KC_GUI_LINEBOX* mLineBox = nullptr;  // in the widget tree; null when absent
    KC_GUI_BUTTON5* mOk = nullptr;
    KC_GUI_OBJECT* mErrorMark = nullptr;
    KC_GUI_OBJECT* mErrorText = nullptr;
    KS_COLOR mTextColor;
    KS_COLOR mErrorColor;
    KF_ANSWER mAnswer = nullptr;
    void* mAnswerUser = nullptr;
    KF_CHECK mCheck = nullptr;
    void* mCheckUser = nullptr;
};

}  // namespace KEL
