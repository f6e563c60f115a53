#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/util/Closure.h"
#include "engine/util/KF_WFORMAT.h"
#include "engine/windows/G_WINDOW.h"

namespace KEL {

// A question with yes (widget 3), no (4) and close (5) buttons. Each button
// hands its answer to both handlers, then hides the window:
//
//   button   first handler    second handler
//   yes      kANSWER_YES      kANSWER_YES
//   no       kANSWER_CLOSE    kANSWER_NO
//   close    kANSWER_CLOSE    kANSWER_CLOSE
//
// The second handler tells "no" from "close", so its target must take an
// integer: a byte target would read kANSWER_NO as 255, a yes.
//
// Widget 2, a wide-text label, shows the question. Its text from the layout
// (translated by then) is the format fFormatMessage fills with code's values,
// every time: a question such as "Delete %s?" names the player.
class G_WINDOW_CONFIRM : public G_WINDOW {
public:
    static constexpr int32_t kYES = 3;
    static constexpr int32_t kNO = 4;
    static constexpr int32_t kCLOSE = 5;
    static constexpr int32_t kMESSAGE = 2;
    // The answers the handlers get (see the table above).
    static constexpr int32_t kANSWER_YES = 1;
    static constexpr int32_t kANSWER_CLOSE = 0;
    static constexpr int32_t kANSWER_NO = -1;
    // Characters of a formatted question, terminator included.
    static constexpr uint32_t kMESSAGE_CAPACITY = 512;

    explicit G_WINDOW_CONFIRM(const pugi::xml_node& node);

    // Any kind of target; an empty closure clears the handler.
    void fSetAnswerHandler(const Closure<void()>& handler) { mAnswer = handler; }
    // Integer and argument-less targets only; a byte target is refused
    // (false) and the handler is left as it was.
    bool fSetAnswerHandler2(const Closure<void()>& handler);

    // Formats the question with the values; conversions that get no value
    // or one of another kind write nothing. Nothing without a question label.
    template <class... A>
    void fFormatMessage(const A&... values) {
        if (!mMessage) return;
        if (!mFormatTaken) {
            mFormat = mMessage->fGetText();
            mFormatTaken = true;
        }
        wchar_t text[kMESSAGE_CAPACITY];
        fWFormatTyped(text, kMESSAGE_CAPACITY, mFormat.c_str(), values...);
        mMessage->fSetText(text);
    }
    KC_GUI_WLABEL* fGetMessageLabel() const { return mMessage; }

    void fOnClick(int32_t widgetId) override;
    // Answers for one of the three buttons; other ids do nothing.
    void fOnAnswer(int32_t widgetId);

private:
    Closure<void()> mAnswer;
    Closure<void()> mAnswer2;
    KC_GUI_WLABEL* mMessage = nullptr;  // in the widget tree; null when absent
    std::wstring mFormat;
    bool mFormatTaken = false;
};

}  // namespace KEL
