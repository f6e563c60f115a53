#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "engine/platform/KC_INPUT.h"
#include "engine/util/KS_VEC2.h"
#include "host/IWindow.h"
#include "support/FakeHost.h"

namespace testsupport {

// A player's hand on the mouse and keyboard, as window messages: each one
// goes into the fake window's queue and is then delivered by whatever
// drains that queue (the game's loop, or a message pump with its step).
// Clicks, drags and keys are built only from these messages, so a test
// reaches the code the way the desktop does.
//
// A single message (fSend, fMove, fPress, fRelease) is only delivered, for
// what must land within one step. A gesture (a click, a drag, a key, typed
// text) lets the fixture's step pass after each of its stops, as a hand's
// movements come frames apart.
class InputDriver {
public:
    // Runs until the queue is empty and the message has been acted on.
    using Deliver = std::function<void()>;
    // What passes between a gesture's stops: a frame, a logic step.
    using Step = std::function<void()>;
    // How the pointer reaches a click's point: from a little aside, so a
    // button sees it enter as a hand brings it, or in one move straight
    // there, as a quick hand or a lifted touch-pad finger does.
    enum class Approach { kFROM_ASIDE, kSTRAIGHT };

    InputDriver(FakeWindowLog& window, Deliver deliver, Step between = {})
        : mWindow(window), mDeliver(std::move(deliver)), mBetween(std::move(between)) {}

    void fSend(uint32_t message, uint32_t key = 0, int32_t x = 0, int32_t y = 0);
    void fMove(KEL::KS_VEC2 to);
    // A mouse button by the input's code (KC_INPUT::kMOUSE_*); any other
    // code is that key.
    void fPress(int32_t button = KEL::KC_INPUT::kMOUSE_LEFT);
    void fRelease(int32_t button = KEL::KC_INPUT::kMOUSE_LEFT);

    // The pointer brought to the point, then pressed and released there.
    // The move from aside only brings the pointer near: no step after it.
    void fClick(KEL::KS_VEC2 at);
    void fClick(KEL::KS_VEC2 at, Approach approach);
    // Pressed and released where the pointer already rests.
    void fClickHere();
    // Pressed at one point, moved to the other in even steps, released.
    void fDrag(KEL::KS_VEC2 from, KEL::KS_VEC2 to, int32_t steps = 1, int32_t button = KEL::KC_INPUT::kMOUSE_LEFT);

    // A key down and up (virtual-key codes).
    void fKey(uint32_t key);
    // Each character's key, letters by their capital's code.
    void fType(const std::string& text);
    // Text as the desktop types it, one character message each (the letters
    // a player's keyboard layout makes, whatever key makes them).
    void fTypeText(const std::wstring& text);

    // How fClick(at) comes to its point.
    Approach mApproach = Approach::kFROM_ASIDE;

private:
    void fStop() {
        if (mBetween) mBetween();
    }

    FakeWindowLog& mWindow;
    Deliver mDeliver;
    Step mBetween;
};

}  // namespace testsupport
