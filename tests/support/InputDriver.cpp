#include "support/InputDriver.h"

namespace testsupport {

namespace {

// Far enough for a button's edge test, near enough to stay on the button.
constexpr int32_t kASIDE = 2;

}  // namespace

void InputDriver::fSend(uint32_t message, uint32_t key, int32_t x, int32_t y) {
    mWindow.fPush(message, key, x, y);
    mDeliver();
}

void InputDriver::fMove(KEL::KS_VEC2 to) { fSend(host::kMsgMouseMove, 0, int32_t(to.x), int32_t(to.y)); }

void InputDriver::fClick(KEL::KS_VEC2 at, Approach approach) {
    if (approach == Approach::kFROM_ASIDE) fSend(host::kMsgMouseMove, 0, int32_t(at.x) + kASIDE, int32_t(at.y));
    fMove(at);
    fClickHere();
}

void InputDriver::fClickHere() {
    fPress();
    fRelease();
}

void InputDriver::fDrag(KEL::KS_VEC2 from, KEL::KS_VEC2 to, int32_t steps) {
    fMove(from);
    fPress();
    for (int32_t step = 1; step <= steps; ++step) {
        const float part = float(step) / float(steps);
        fMove({from.x + (to.x - from.x) * part, from.y + (to.y - from.y) * part});
    }
    fRelease();
}

void InputDriver::fKey(uint32_t key) {
    fSend(host::kMsgKeyDown, key);
    fSend(host::kMsgKeyUp, key);
}

void InputDriver::fType(const std::string& text) {
    for (char c : text) fKey(uint32_t(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
}

}  // namespace testsupport
