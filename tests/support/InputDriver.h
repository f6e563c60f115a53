#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "engine/util/KS_VEC2.h"
#include "host/IWindow.h"
#include "support/FakeHost.h"

namespace testsupport {

// A player's hand on the mouse and keyboard, as window messages: each one
// goes into the fake window's queue and is then delivered by whatever
// drains that queue (the game's loop, or a message pump with its step).
// Clicks, drags and keys are built only from these messages, so a test
// reaches the code the way the desktop does.
class InputDriver {
public:
    // Runs until the queue is empty and the message has been acted on.
    using Deliver = std::function<void()>;
    // How the pointer reaches a click's point: from a little aside, so a
    // button sees it enter as a hand brings it, or in one move straight
    // there, as a quick hand or a lifted touch-pad finger does.
    enum class Approach { kFROM_ASIDE, kSTRAIGHT };

    InputDriver(FakeWindowLog& window, Deliver deliver) : mWindow(window), mDeliver(std::move(deliver)) {}

    void fSend(uint32_t message, uint32_t key = 0, int32_t x = 0, int32_t y = 0);

    void fMove(KEL::KS_VEC2 to);
    void fPress() { fSend(host::kMsgLButtonDown); }
    void fRelease() { fSend(host::kMsgLButtonUp); }
    // The pointer brought to the point, then pressed and released there.
    void fClick(KEL::KS_VEC2 at, Approach approach = Approach::kFROM_ASIDE);
    // Pressed and released where the pointer already rests.
    void fClickHere();
    // Pressed at one point, moved to the other in even steps, released.
    void fDrag(KEL::KS_VEC2 from, KEL::KS_VEC2 to, int32_t steps = 1);

    // A key down and up (virtual-key codes).
    void fKey(uint32_t key);
    // Each character's key, letters by their capital's code.
    void fType(const std::string& text);

private:
    FakeWindowLog& mWindow;
    Deliver mDeliver;
};

}  // namespace testsupport
