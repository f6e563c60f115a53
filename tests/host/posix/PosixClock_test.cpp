#include <gtest/gtest.h>

#include "host/IClock.h"
#include "support/FakeHost.h"

TEST(PosixClock, SystemClockAdvancesAndTestsCanReplaceIt) {
    host::IClock& system = host::fClock();
    const uint32_t before = system.fTimeMs();
    system.fSleep(5);
    EXPECT_GE(system.fTimeMs() - before, 5u);
    EXPECT_GT(system.fDateSeconds(), 1600000000);
    {
        testsupport::FakeClock fake;
        EXPECT_EQ(&host::fClock(), &fake);
        host::fClock().fSleep(7);
        EXPECT_EQ(fake.mNow, 1007u);
    }
    EXPECT_EQ(&host::fClock(), &system);
}
