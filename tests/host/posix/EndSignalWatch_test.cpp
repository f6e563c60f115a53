#include <gtest/gtest.h>

#include <poll.h>

#include <csignal>

#include "host/posix/EndSignalWatch.h"

namespace {
volatile sig_atomic_t gHandled = 0;
void fCount(int) { gHandled = gHandled + 1; }
}  // namespace

TEST(EndSignalWatch, TakesAHandledSignalWakesThePollAndGivesTheHandlerBack) {
    struct sigaction counting = {}, savedTerm = {}, savedInt = {};
    counting.sa_handler = &fCount;
    sigemptyset(&counting.sa_mask);
    ASSERT_EQ(sigaction(SIGTERM, &counting, &savedTerm), 0);
    struct sigaction ignoring = {};
    ignoring.sa_handler = SIG_IGN;
    ASSERT_EQ(sigaction(SIGINT, &ignoring, &savedInt), 0);
    gHandled = 0;
    {
        host::EndSignalWatch watch;
        EXPECT_EQ(watch.fCaught(), 0);
        raise(SIGINT);
        EXPECT_EQ(watch.fCaught(), 0) << "an ignored signal stays ignored";
        raise(SIGTERM);
        EXPECT_EQ(watch.fCaught(), SIGTERM);
        EXPECT_EQ(gHandled, 0) << "taken by the watch, not the program's handler";
        ASSERT_GE(watch.fWakeDescriptor(), 0);
        pollfd wake{watch.fWakeDescriptor(), POLLIN, 0};
        EXPECT_EQ(poll(&wake, 1, 0), 1) << "a poll on the descriptor wakes";
    }
    raise(SIGTERM);
    EXPECT_EQ(gHandled, 1) << "the program's handler is back";
    sigaction(SIGTERM, &savedTerm, nullptr);
    sigaction(SIGINT, &savedInt, nullptr);
}
