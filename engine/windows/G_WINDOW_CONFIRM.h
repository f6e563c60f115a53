#pragma once

#include <cstdint>

#include <pugixml.hpp>

#include "engine/util/Closure.h"
#include "engine/windows/G_WINDOW.h"

namespace KEL {

// A question with yes (widget 3), no (4) and close (5) buttons. Each button
// hands its answer to both handlers, then hides the window:
//
//   button   first handler   second handler
//   yes           1                1
//   no            0               -1
//   close         0                0
//
// The second handler tells "no" from "close", so its target must take an
// integer: a byte target would read -1 as 255, a yes.
class G_WINDOW_CONFIRM : public G_WINDOW {
public:
    static constexpr int32_t kYES = 3;
    static constexpr int32_t kNO = 4;
    static constexpr int32_t kCLOSE = 5;

    explicit G_WINDOW_CONFIRM(const pugi::xml_node& node);

    // Any kind of target; an empty closure clears the handler.
    void fSetAnswerHandler(const Closure<void()>& handler) { mAnswer = handler; }
    // Integer and argument-less targets only; a byte target is refused
    // (false) and the handler is left as it was.
    bool fSetAnswerHandler2(const Closure<void()>& handler);

    void fOnClick(int32_t widgetId) override;
    // Answers for one of the three buttons; other ids do nothing.
    void fOnAnswer(int32_t widgetId);

private:
    Closure<void()> mAnswer;
    Closure<void()> mAnswer2;
};

}  // namespace KEL
