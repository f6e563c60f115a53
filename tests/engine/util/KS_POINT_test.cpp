#include "engine/util/KS_POINT.h"

#include <gtest/gtest.h>

using namespace KEL;

TEST(KS_POINT, InRectIsStrict) {
    const KS_RECT r(10, 20, 30, 40);
    EXPECT_TRUE(KS_POINT(11, 21).fInRect(r));
    EXPECT_TRUE(KS_POINT(39, 59).fInRect(r));
    EXPECT_FALSE(KS_POINT(10, 30).fInRect(r));
    EXPECT_FALSE(KS_POINT(40, 30).fInRect(r));
    EXPECT_FALSE(KS_POINT(20, 20).fInRect(r));
    EXPECT_FALSE(KS_POINT(20, 60).fInRect(r));
}

TEST(KS_POINT, ArithmeticAndText) {
    KS_POINT p(6, 8);
    EXPECT_EQ(p / 2, KS_POINT(3, 4));
    EXPECT_EQ(p / KS_POINT(3, 4), KS_POINT(2, 2));
    EXPECT_EQ(p * KS_POINT(2, 3), KS_POINT(12, 24));
    p += 1;
    EXPECT_EQ(p, KS_POINT(7, 9));
    EXPECT_EQ(p[1], 9);
    EXPECT_EQ(p[2], 0);
    EXPECT_FLOAT_EQ(KS_POINT::fDistance({0, 0}, {3, 4}), 5.0f);

    EXPECT_STREQ(KS_POINT(5, 12).fToString(), "005 012");
    EXPECT_STREQ(KS_POINT(-5, 1234).fToString(), "-005 1234");
    KS_POINT r(1, 1);
    r.fFromString("42");
    EXPECT_EQ(r, KS_POINT(1, 1));
    r.fFromString("42 -7");
    EXPECT_EQ(r, KS_POINT(42, -7));
}
