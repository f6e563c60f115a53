#include "support/MessagePump.h"

#include "SERVICE/KC_CALLBACK.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"

namespace testsupport {

MessagePump::MessagePump() : mWindow(std::make_unique<KEL::KC_WINDOW>()), mInput(std::make_unique<KEL::KC_INPUT>()) {}

MessagePump::~MessagePump() {
    if (sCurrent == this) {
        for (KEL::KC_CALLBACK** slot : {&KEL::kcbMOUSE_MOVE, &KEL::kcbKEY_DOWN, &KEL::kcbKEY_UP}) {
            delete *slot;
            *slot = nullptr;
        }
        sCurrent = nullptr;
    }
    mInput.reset();
    mWindow.reset();
}

::testing::AssertionResult MessagePump::fOpen() {
    if (mWindow->fCreate("messages") != 1) return ::testing::AssertionFailure() << "no message window";
    return ::testing::AssertionSuccess();
}

void MessagePump::fRoute(Handler move, Handler down, Handler up) {
    mMove = std::move(move);
    mDown = std::move(down);
    mUp = std::move(up);
    if (sCurrent == this) return;
    sCurrent = this;
    KEL::kcbMOUSE_MOVE = KEL::KC_CALLBACK::fCreate(&fOnMove, "move", nullptr);
    KEL::kcbKEY_DOWN = KEL::KC_CALLBACK::fCreate(&fOnDown, "down", nullptr);
    KEL::kcbKEY_UP = KEL::KC_CALLBACK::fCreate(&fOnUp, "up", nullptr);
}

void MessagePump::fPump() { KEL::fPumpMessages(mInput.get(), mWindow.get()); }

int32_t MessagePump::fOnMove(void*) {
    if (sCurrent && sCurrent->mMove) sCurrent->mMove(0);
    return 0;
}

int32_t MessagePump::fOnDown(void* key) {
    if (sCurrent && sCurrent->mDown) sCurrent->mDown(KEL::fKeyFromArgument(key));
    return 0;
}

int32_t MessagePump::fOnUp(void* key) {
    if (sCurrent && sCurrent->mUp) sCurrent->mUp(KEL::fKeyFromArgument(key));
    return 0;
}

}  // namespace testsupport
