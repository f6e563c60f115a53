#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "support/BuiltContent.h"
#include "support/GlScreen.h"
#include "support/InputDriver.h"
#include "support/MessagePump.h"

namespace testsupport {

// A headless picture test of the built content: skipped where the build made
// no content; otherwise fOpen gives it an offscreen OpenGL screen with the
// content copied and its root mounted, and fOpenMessages (after fOpen) the
// synthetic window messages with an input driver over them: each message
// pumped at once and, with stepEach, the input's keys then aged as by one
// logic step. Frames go to <build>/screens/<name> through
// fScreen().fShoot. What the test body made is gone before TearDown, which
// closes the messages, the content and the screen in that order.
class ContentScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!BuiltContent::fIsBuilt()) GTEST_SKIP() << "the default content is not built";
    }
    void TearDown() override {
        mInput.reset();
        mMessages.reset();
        mContent.reset();
        mScreen.reset();
        KEL::kfFRAME_DELTA = 0.0f;
    }

    ::testing::AssertionResult fOpen(const std::string& title) {
        mScreen = std::make_unique<GlScreen>();
        ::testing::AssertionResult opened = mScreen->fOpen(title);
        if (opened) mContent = std::make_unique<BuiltContent>();
        return opened;
    }
    ::testing::AssertionResult fOpenMessages(bool stepEach = false) {
        mMessages = std::make_unique<MessagePump>();
        MessagePump* pump = mMessages.get();
        mInput = std::make_unique<InputDriver>(pump->fQueue(), [pump, stepEach] {
            pump->fPump();
            if (stepEach) pump->fStep();
        });
        return pump->fOpen();
    }

    GlScreen& fScreen() { return *mScreen; }
    KEL::KC_RENDER& fRender() { return mScreen->fRender(); }
    BuiltContent& fContent() { return *mContent; }
    KEL::KC_REPOSITORY& fRepository() { return mContent->fRepository(); }
    MessagePump& fMessages() { return *mMessages; }
    InputDriver& fInput() { return *mInput; }

private:
    std::unique_ptr<GlScreen> mScreen;
    std::unique_ptr<BuiltContent> mContent;
    std::unique_ptr<MessagePump> mMessages;
    std::unique_ptr<InputDriver> mInput;
};

}  // namespace testsupport
