#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "engine/platform/KC_INPUT.h"
#include "engine/platform/KC_WINDOW.h"
#include "support/FakeHost.h"

namespace testsupport {

// Synthetic window messages, delivered the way the game's loop delivers
// them: a fake message window whose queue an InputDriver fills, the
// engine's message pump and input, and the input's move, key-down and
// key-up slots handed to the test's handlers. Fake windows are installed
// for this pump's life, so a real window must be made before it. One pump
// at a time.
class MessagePump {
public:
    using Handler = std::function<void(int32_t key)>;

    MessagePump();
    ~MessagePump();
    MessagePump(const MessagePump&) = delete;
    MessagePump& operator=(const MessagePump&) = delete;

    // Creates the message window.
    ::testing::AssertionResult fOpen();
    // The slots call these (the move handler gets key 0).
    void fRoute(Handler move, Handler down, Handler up);

    // The queue the messages wait in, and one pump of whatever waits there.
    FakeWindowLog& fQueue() { return *mFakes; }
    void fPump();
    // Ages the key states, as one logic step does.
    void fStep() { mInput->fUpdate(); }

    KEL::KC_INPUT& fInput() { return *mInput; }

private:
    static int32_t fOnMove(void*);
    static int32_t fOnDown(void* key);
    static int32_t fOnUp(void* key);

    static inline MessagePump* sCurrent = nullptr;
    FakeWindowScope mFakes;
    std::unique_ptr<KEL::KC_WINDOW> mWindow;
    std::unique_ptr<KEL::KC_INPUT> mInput;
    Handler mMove, mDown, mUp;
};

}  // namespace testsupport
