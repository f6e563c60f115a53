#include "support/InputDriver.h"

namespace testsupport {

namespace {

// Far enough for a button's edge test, near enough to stay on the button.
constexpr int32_t kASIDE = 2;

using KEL::KC_INPUT;

uint32_t fDownMessage(int32_t button) {
    switch (button) {
        case KC_INPUT::kMOUSE_LEFT: return host::kMsgLButtonDown;
        case KC_INPUT::kMOUSE_RIGHT: return host::kMsgRButtonDown;
        case KC_INPUT::kMOUSE_MIDDLE: return host::kMsgMButtonDown;
        default: return host::kMsgKeyDown;
    }
}

uint32_t fUpMessage(int32_t button) {
    switch (button) {
        case KC_INPUT::kMOUSE_LEFT: return host::kMsgLButtonUp;
        case KC_INPUT::kMOUSE_RIGHT: return host::kMsgRButtonUp;
        case KC_INPUT::kMOUSE_MIDDLE: return host::kMsgMButtonUp;
        default: return host::kMsgKeyUp;
    }
}

}  // namespace

void InputDriver::fSend(uint32_t message, uint32_t key, int32_t x, int32_t y) {
    mWindow.fPush(message, key, x, y);
    mDeliver();
}

void InputDriver::fMove(KEL::KS_VEC2 to) { fSend(host::kMsgMouseMove, 0, int32_t(to.x), int32_t(to.y)); }

void InputDriver::fPress(int32_t button) {
    const uint32_t message = fDownMessage(button);
    fSend(message, message == host::kMsgKeyDown ? uint32_t(button) : 0);
}

void InputDriver::fRelease(int32_t button) {
    const uint32_t message = fUpMessage(button);
    fSend(message, message == host::kMsgKeyUp ? uint32_t(button) : 0);
}

void InputDriver::fClick(KEL::KS_VEC2 at) { fClick(at, mApproach); }

void InputDriver::fClick(KEL::KS_VEC2 at, Approach approach) {
    if (approach == Approach::kFROM_ASIDE) fSend(host::kMsgMouseMove, 0, int32_t(at.x) + kASIDE, int32_t(at.y));
    fMove(at);
    fStop();
    fClickHere();
}

void InputDriver::fClickHere() {
    fPress();
    fStop();
    fRelease();
    fStop();
}

void InputDriver::fDrag(KEL::KS_VEC2 from, KEL::KS_VEC2 to, int32_t steps, int32_t button) {
    fMove(from);
    fStop();
    fPress(button);
    fStop();
    for (int32_t step = 1; step <= steps; ++step) {
        const float part = float(step) / float(steps);
        fMove(step == steps ? to : KEL::KS_VEC2{from.x + (to.x - from.x) * part, from.y + (to.y - from.y) * part});
        fStop();
    }
    fRelease(button);
    fStop();
}

void InputDriver::fKey(uint32_t key) {
    fSend(host::kMsgKeyDown, key);
    fStop();
    fSend(host::kMsgKeyUp, key);
    fStop();
}

void InputDriver::fType(const std::string& text) {
    for (char c : text) fKey(uint32_t(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
}

void InputDriver::fTypeText(const std::wstring& text) {
    for (wchar_t c : text) {
        fSend(host::kMsgChar, uint32_t(c));
        fStop();
    }
}

}  // namespace testsupport
