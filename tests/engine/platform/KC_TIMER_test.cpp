#include <gtest/gtest.h>

#include "engine/platform/KC_TIMER.h"
#include "support/FakeHost.h"

TEST(KC_TIMER, StepsClampWrapAndOutput) {
    testsupport::FakeClock clock;
    clock.mNow = 5000;
    KEL::KC_TIMER timer;
    EXPECT_EQ(timer.mStartTime, 5000u);
    EXPECT_EQ(timer.mPreviousTime, 5000u);

    float out = -1.0f;
    timer.mOutput = &out;
    clock.mNow += 100;
    EXPECT_FLOAT_EQ(timer.fTick(), 0.1f);
    EXPECT_FLOAT_EQ(out, 0.1f);
    EXPECT_EQ(timer.mStepMs, 100u);

    timer.mMaxStep = 1.0f / 30.0f;
    clock.mNow += 100;
    EXPECT_FLOAT_EQ(timer.fTick(), 1.0f / 30.0f);
    EXPECT_EQ(timer.mStepMs, 100u) << "the raw step stays unclamped";
    EXPECT_FLOAT_EQ(timer.mTotal, 0.1f + 1.0f / 30.0f);

    EXPECT_EQ(timer.fTick(), 0.0f) << "two ticks in the same millisecond";

    clock.mNow = 0xFFFFFF00u;
    timer.fTick();
    clock.mNow = 0x40;
    timer.mMaxStep = 0.0f;
    EXPECT_FLOAT_EQ(timer.fTick(), 0.320f) << "the 32-bit wrap still gives the right step";
    EXPECT_FLOAT_EQ(timer.fGetTime(), 0.064f);
}
