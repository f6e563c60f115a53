#include "engine/util/KF_CURVES.h"
#include "engine/scene/KS_TRANSFORM3.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace KEL;

TEST(KF_CURVES, LerpClampsOnlyVectors) {
    EXPECT_EQ(fLerp(2, 4, 0.5f), 3.0f);
    EXPECT_EQ(fLerp(2, 4, 1.5f), 5.0f);
    EXPECT_EQ(fLerp(0.1f, 0.7f, 1.0f), 0.7f);
    EXPECT_EQ(fLerp3({0, 0, 0}, {2, 4, 6}, 1.5f), KS_VEC3(2, 4, 6));
    EXPECT_EQ(fLerp3({0, 0, 0}, {2, 4, 6}, -1.0f), KS_VEC3(0, 0, 0));
    EXPECT_EQ(fLerp3({0, 0, 0}, {2, 4, 6}, 0.5f), KS_VEC3(1, 2, 3));
    EXPECT_EQ(fLerp2({0, 0}, {2, 4}, 0.25f), KS_VEC2(0.5f, 1.0f));
}

TEST(KF_CURVES, BezierCurvesAgree) {
    const KS_VEC3 p0(0, 0, 0), p1(1, 2, 0), p2(2, 0, 0), p3(5, 5, 5);
    EXPECT_EQ(fBezier2(p0, p1, p2, 0.5f), KS_VEC3(1, 1, 0));
    EXPECT_EQ(fBezier2(p0, p1, p2, 1.0f), p2);
    for (float t : {0.0f, 0.2f, 0.5f, 0.9f, 1.0f}) {
        const KS_VEC3 a = fBezier3(p0, p1, p2, p3, t);
        const KS_VEC3 b = fBezierN({p0, p1, p2, p3}, t);
        EXPECT_NEAR(a.x, b.x, 1e-5f);
        EXPECT_NEAR(a.y, b.y, 1e-5f);
        EXPECT_NEAR(a.z, b.z, 1e-5f);
        const KS_VEC3 q = fBezierN({p0, p1, p2}, t);
        EXPECT_NEAR(q.y, fBezier2(p0, p1, p2, t).y, 1e-5f);
    }
    EXPECT_EQ(fBezierN({}, 0.5f), KS_VEC3());
}

TEST(KF_CURVES, RotationAndDampedSine) {
    float x = 1, y = 0;
    fRotatePoint(0, 0, x, y, 3.14159265f / 2);
    EXPECT_NEAR(x, 0.0f, 1e-6f);
    EXPECT_NEAR(y, 1.0f, 1e-6f);
    x = 0.3f;
    y = 0.7f;
    fRotatePoint(5, 5, x, y, 0.0f);
    EXPECT_EQ(x, 0.3f);
    EXPECT_EQ(y, 0.7f);
    KS_POINT p(12, 10);
    fRotatePoint(10, 10, p, 3.14159265f);
    EXPECT_EQ(p, KS_POINT(8, 10));

    EXPECT_EQ(fDampedSine(0, 2, 5, 1), 0.0f);
    EXPECT_NEAR(fDampedSine(0.125f, 1, 3, 0), 3.0f * std::sin(6.2831855f * 0.125f), 1e-6f);
    EXPECT_LT(std::fabs(fDampedSine(0.125f, 1, 3, 1)), std::fabs(fDampedSine(0.125f, 1, 3, 0)));
}

TEST(KF_CURVES, PointToLocalUndoesRotationAboutThePosition) {
    KS_TRANSFORM3 t;
    t.fSetPos(100, 50, 0);
    t.mPivot.fSet(4, 6, 0);
    t.fSetScale(2, 3, 1);
    float x = 90, y = 40;
    fPointToLocal(x, y, t);
    EXPECT_FLOAT_EQ(x, (100 - 90 + 4) * 2.0f);
    EXPECT_FLOAT_EQ(y, (50 - 40 + 6) * 3.0f);
    t.fSetAngle(3.14159265f / 2);
    t.fSetScale(1, 1, 1);
    x = 100;
    y = 60;  // ten below the position, turned back to ten right of it
    fPointToLocal(x, y, t);
    EXPECT_NEAR(x, -10.0f + 4.0f, 1e-4f);
    EXPECT_NEAR(y, 0.0f + 6.0f, 1e-4f);
}
