#include <gtest/gtest.h>

#include <climits>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_RANDOM.h"

using KEL::KC_RANDOM;

TEST(KC_RANDOM, SequenceFromSeedZeroAndGlobalRegistration) {
    {
        KC_RANDOM random(0);
        EXPECT_EQ(KEL::kcRANDOM, &random);
        EXPECT_EQ(random.fNext(), 1013904223);
        EXPECT_EQ(random.fNext(), 1196435762);
        EXPECT_EQ(random.fNext(), 1372387049);
    }
    EXPECT_EQ(KEL::kcRANDOM, nullptr);

    KC_RANDOM floats(0);
    // seed >> 16 of the first two seeds: 15470, 18256 (from all 32 bits).
    EXPECT_FLOAT_EQ(floats.fRangeFloat(0.0f, 1.0f), 15470 * 1.5259022e-5f);
    EXPECT_FLOAT_EQ(floats.fRangeFloat(2.0f, 4.0f), 2.0f + 18256 * 1.5259022e-5f * 2.0f);
    floats.mSeed = (0xFFFF0000u - 1013904223u) * 0xFEE058C5u;  // inverse of 1664525 mod 2^32
    EXPECT_FLOAT_EQ(floats.fRangeFloat(1.0f, 3.0f), 3.0f) << "the top end is reachable";
}

TEST(KC_RANDOM, IntegerRanges) {
    KC_RANDOM random(0);
    EXPECT_EQ(random.fRange(5, 5), 5);
    EXPECT_EQ(random.mSeed, 0u) << "an empty range leaves the seed alone";
    for (int i = 0; i < 200; ++i) ASSERT_EQ(random.fRange(0, 1), 0);
    for (int i = 0; i < 500; ++i) {
        const int32_t up = random.fRange(-3, 4);
        ASSERT_GE(up, -3);
        ASSERT_LE(up, 3);
        const int32_t down = random.fRange(10, 5);
        ASSERT_GE(down, 10);
        ASSERT_LE(down, 14);
        random.fRange(INT_MIN, INT_MAX);  // must not overflow
    }
    KC_RANDOM first(0);
    EXPECT_EQ(first.fRange(100, 200), 100 + 1013904223 % 100);
}
