#include "engine/util/KS_VEC2.h"
#include "engine/util/KS_VEC3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace KEL;

namespace {
constexpr float kPi = 3.14159265f;
}

TEST(KS_VEC2, LengthAndNormalize) {
    KS_VEC2 v(3, 4);
    EXPECT_FLOAT_EQ(v.fLength(), 5.0f);
    EXPECT_TRUE(v > 4);
    EXPECT_TRUE(v <= 5);
    EXPECT_FALSE(v != 5);
    EXPECT_FLOAT_EQ(v.fNormalize(), 5.0f);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.y, 0.8f);

    KS_VEC2 zero;
    EXPECT_EQ(zero.fNormalize(), 0.0f);
    EXPECT_TRUE(zero.fIsZero());
    EXPECT_FALSE(std::isnan(zero.x));
}

TEST(KS_VEC2, ArithmeticAndIndex) {
    KS_VEC2 a(1, 2), b(3, 5);
    EXPECT_EQ(a + b, KS_VEC2(4, 7));
    EXPECT_EQ(b - a, KS_VEC2(2, 3));
    EXPECT_EQ(a * b, KS_VEC2(3, 10));
    EXPECT_EQ(-a, KS_VEC2(-1, -2));
    a += 1.0f;
    EXPECT_EQ(a, KS_VEC2(2, 3));
    a *= KS_VEC2(2, 0.5f);
    EXPECT_EQ(a, KS_VEC2(4, 1.5f));
    EXPECT_EQ(a[0], 4.0f);
    EXPECT_EQ(a[1], 1.5f);
    EXPECT_EQ(a[2], 0.0f);
    EXPECT_EQ(a[-1], 0.0f);
    EXPECT_EQ(a.fMax(), 4.0f);
    EXPECT_EQ(a.fMin(), 1.5f);
    EXPECT_FLOAT_EQ(KS_VEC2::fDistance({0, 0}, {3, 4}), 5.0f);
}

TEST(KS_VEC2, AngleNeverNaN) {
    EXPECT_NEAR(KS_VEC2::fAngle({1, 0}, {0, 1}), kPi / 2, 1e-5f);
    EXPECT_NEAR(KS_VEC2::fAngle({1, 0}, {0, -1}), 3 * kPi / 2, 1e-5f);
    EXPECT_NEAR(KS_VEC2::fAngle({1, 0}, {2, 0}), 2 * kPi, 1e-5f);
    EXPECT_NEAR(KS_VEC2::fAngle({1, 0}, {-1, 0}), kPi, 1e-5f);
    EXPECT_NEAR(KS_VEC2::fAngle({0, 0}, {1, 0}), 2 * kPi, 1e-5f);
    // Parallel but not axis-aligned: rounding must not give NaN.
    for (float s = 0.1f; s < 3.0f; s += 0.13f) {
        const float same = KS_VEC2::fAngle({0.1f * s, 0.7f * s}, {0.2f, 1.4f});
        const float opposite = KS_VEC2::fAngle({0.1f * s, 0.7f * s}, {-0.2f, -1.4f});
        ASSERT_FALSE(std::isnan(same));
        ASSERT_FALSE(std::isnan(opposite));
        // Rounding of the cross term may land on either side of 0 / 2pi.
        EXPECT_NEAR(std::cos(same), 1.0f, 1e-5f);
        EXPECT_NEAR(opposite, kPi, 1e-3f);
    }
    EXPECT_FALSE(std::isnan(KS_VEC3::fAngle({0.1f, 0.7f, 0.3f}, {0.2f, 1.4f, 0.6f})));
}

TEST(KS_VEC2, TextForms) {
    KS_VEC2 v(1.5f, -2.25f);
    EXPECT_STREQ(v.fToString(), "1.500 -2.250");
    KS_VEC2 r;
    r.fFromString("3.5 4");
    EXPECT_EQ(r, KS_VEC2(3.5f, 4.0f));
    r.fFromString("7");  // too few pieces: unchanged
    EXPECT_EQ(r, KS_VEC2(3.5f, 4.0f));
    r.fFromString("1  2");  // an empty piece reads as 0
    EXPECT_EQ(r, KS_VEC2(1.0f, 0.0f));
    EXPECT_EQ(KS_VEC2(std::string("9")), KS_VEC2(0, 0));
    EXPECT_EQ(KS_VEC2(std::string("9 8")), KS_VEC2(9, 8));
}

TEST(KS_VEC3, ProductsAndText) {
    KS_VEC3 a(1, 0, 0), b(0, 1, 0);
    EXPECT_EQ(KS_VEC3::fCross(a, b), KS_VEC3(0, 0, 1));
    EXPECT_EQ(KS_VEC3::fDot({1, 2, 3}, {4, 5, 6}), 32.0f);
    KS_VEC3 v(2, 3, 6);
    EXPECT_FLOAT_EQ(v.fNormalize(), 7.0f);
    EXPECT_EQ(KS_VEC3(1, 2, 3)[2], 3.0f);
    EXPECT_EQ(KS_VEC3(1, 2, 3)[3], 0.0f);
    EXPECT_STREQ(KS_VEC3(1, 2, 3).fToString(), "1.000 2.000 3.000");
    KS_VEC3 r(5, 5, 5);
    r.fFromString("1 2");
    EXPECT_EQ(r, KS_VEC3(5, 5, 5));
    r.fFromString("1 2 3 4");
    EXPECT_EQ(r, KS_VEC3(1, 2, 3));
}
