#include "engine/util/KS_MATRIX.h"
#include "engine/render/KS_VERTEX.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace KEL;

namespace {
constexpr float kPi = 3.14159265f;

KS_VEC3 fRow(const KS_MATRIX& m, KS_VEC3 p) {
    KS_VERTEX v;
    v.fSetPos(p.x, p.y, p.z);
    v.fTransform(m);
    return {v.x, v.y, v.z};
}

void fExpectNear(KS_VEC3 a, KS_VEC3 b) {
    EXPECT_NEAR(a.x, b.x, 1e-4f);
    EXPECT_NEAR(a.y, b.y, 1e-4f);
    EXPECT_NEAR(a.z, b.z, 1e-4f);
}
}  // namespace

TEST(KS_MATRIX, SetTakesColumnOrderAndProductMatchesHandValues) {
    KS_MATRIX a;
    a.fSet(1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16);  // rows 1..4, 5..8, ...
    EXPECT_EQ(a.fAt(0, 1), 2.0f);
    EXPECT_EQ(a.fAt(1, 0), 5.0f);
    EXPECT_EQ(a.fAt(3, 3), 16.0f);
    KS_MATRIX b;
    b.fSet(17, 21, 25, 29, 18, 22, 26, 30, 19, 23, 27, 31, 20, 24, 28, 32);
    const KS_MATRIX p = a * b;
    // Row 0 of a = (1,2,3,4); column 0 of b = (17,21,25,29).
    EXPECT_EQ(p.fAt(0, 0), 1 * 17 + 2 * 21 + 3 * 25 + 4 * 29);
    EXPECT_EQ(p.fAt(3, 2), 13 * 19 + 14 * 23 + 15 * 27 + 16 * 31);
    EXPECT_EQ(p.fAt(1, 3), 5 * 20 + 6 * 24 + 7 * 28 + 8 * 32);
    EXPECT_EQ(KS_MATRIX() * a, a);
    EXPECT_EQ((a + a).fAt(2, 1), 20.0f);
    EXPECT_EQ((a * 0.5f).fAt(0, 3), 2.0f);
}

TEST(KS_MATRIX, ApplyActsBeforeExistingOperations) {
    KS_MATRIX m;
    m.fTranslate(10, 0, 0);
    m.fScale(2, 2, 2);  // applied first to a row vector
    fExpectNear(fRow(m, {1, 1, 0}), {12, 2, 0});
    KS_MATRIX r;
    r.fRotateZ(kPi / 2);
    fExpectNear(fRow(r, {1, 0, 0}), {0, 1, 0});
    // Column form is the inverse rotation.
    fExpectNear(r.fTransformPoint({1, 0, 0}), {0, -1, 0});
    KS_VEC3 v(1, 0, 0);
    r.fRotateVector(v);
    fExpectNear(v, {0, 1, 0});
    KS_MATRIX x;
    x.fRotateX(kPi / 2);
    fExpectNear(fRow(x, {0, 1, 0}), {0, 0, 1});
    KS_MATRIX y;
    y.fRotateY(kPi / 2);
    fExpectNear(fRow(y, {0, 0, 1}), {1, 0, 0});
}

TEST(KS_MATRIX, RotationAxisMatchesElementaryRotations) {
    const KS_MATRIX a = KS_MATRIX::fRotationAxis(0.7f, {0, 0, 5});
    const KS_MATRIX z = KS_MATRIX::fRotationZ(0.7f);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(a.m[i], z.m[i], 1e-6f);
    const KS_MATRIX ax = KS_MATRIX::fRotationAxis(0.3f, {2, 0, 0});
    const KS_MATRIX rx = KS_MATRIX::fRotationX(0.3f);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(ax.m[i], rx.m[i], 1e-6f);
}

TEST(KS_MATRIX, PlacementMovesPivotToPosition) {
    KS_MATRIX m;
    m.fApplyPlacement({10, 10, 0}, {0, 0, 0}, {2, 2, 1}, {100, 50, 0});
    fExpectNear(fRow(m, {10, 10, 0}), {100, 50, 0});
    fExpectNear(fRow(m, {11, 10, 0}), {102, 50, 0});
    KS_MATRIX r;
    r.fApplyPlacement({0, 0, 0}, {0, 0, kPi / 2}, {1, 1, 1}, {5, 0, 0});
    fExpectNear(fRow(r, {1, 0, 0}), {5, 1, 0});
}

TEST(KS_MATRIX, LookAtMapsTargetOntoZAxis) {
    KS_MATRIX v;
    v.fLookAt({0, 0, -10}, {0, 0, 0}, {0, 1, 0});
    fExpectNear(fRow(v, {0, 0, 0}), {0, 0, 10});
    fExpectNear(fRow(v, {1, 2, 0}), {1, 2, 10});
}
