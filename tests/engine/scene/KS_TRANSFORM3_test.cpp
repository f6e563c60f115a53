#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include <pugixml.hpp>

#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/scene/KS_TRANSFORM3_AUTO.h"
#include "engine/util/KS_MATRIX.h"

using namespace KEL;

namespace {
constexpr float kPI = std::numbers::pi_v<float>;
}

TEST(KS_TRANSFORM3, ParentChainsCombineScaleOffsetAndRotation) {
    KS_TRANSFORM3 parent, child;
    parent.fSetPos(100, 100, 7);
    parent.fSetAngle(kPI / 2);
    parent.fSetScale(2, 2, 2);
    child.fSetPos(10, 0, 5);
    child.mPivot.fSet(3, 4, 0);
    child.mParent = &parent;

    KS_TRANSFORM3 absolute;
    child.fGetAbsolute(absolute);
    EXPECT_NEAR(absolute.mPosition.x, 100.0f, 1e-4f);
    EXPECT_NEAR(absolute.mPosition.y, 120.0f, 1e-4f);
    EXPECT_EQ(absolute.mPosition.z, 5.0f) << "position z never combines";
    EXPECT_FLOAT_EQ(absolute.mRotation.z, kPI / 2);
    EXPECT_EQ(absolute.mScale, KS_VEC3(2, 2, 2));
    EXPECT_EQ(absolute.mPivot, KS_VEC3(3, 4, 0)) << "pivots never combine";
    EXPECT_EQ(absolute.mParent, &parent);

    // A grandparent moves and turns the whole chain: worked by hand,
    // parent absolute = (50 + -100, 0 + 100) = (-50, 100) after turning
    // (100, 100) by pi/2 about (50, 0), angle pi; child (10, 0) scaled by 2
    // and turned by pi about (-50, 100) lands at (-70, 100).
    KS_TRANSFORM3 grandparent;
    grandparent.fSetPos(50, 0, 0);
    grandparent.fSetAngle(kPI / 2);
    parent.mParent = &grandparent;
    child.fGetAbsolute(absolute);
    EXPECT_NEAR(absolute.mPosition.x, -70.0f, 1e-3f);
    EXPECT_NEAR(absolute.mPosition.y, 100.0f, 1e-3f);
    EXPECT_FLOAT_EQ(absolute.mRotation.z, kPI);

    // Skipping flags act on the last step only.
    child.fGetAbsolute(absolute, true, true, true);
    EXPECT_EQ(absolute.mPosition, KS_VEC3(10, 0, 5));
}

TEST(KS_TRANSFORM3, ParentlessAbsoluteAndCopyRules) {
    KS_TRANSFORM3 t;
    t.mLead = 77;
    t.fSetPos(1, 2, 3);
    KS_TRANSFORM3 absolute;
    t.fGetAbsolute(absolute);
    EXPECT_EQ(absolute.mLead, 77u) << "a parentless transform is returned whole";
    EXPECT_EQ(absolute.mPosition, KS_VEC3(1, 2, 3));

    KS_TRANSFORM3 parent, copy;
    t.mParent = &parent;
    copy.mLead = 5;
    copy.fCopy(t);
    EXPECT_EQ(copy.mLead, 5u);
    EXPECT_EQ(copy.mParent, &parent);
    EXPECT_EQ(copy.mPosition, t.mPosition);
}

TEST(KS_TRANSFORM3, TwelveNumberTextForm) {
    KS_TRANSFORM3 t;
    t.fFromString("1  2 3 4 5   6 7 8 9 10 11 12 13");
    EXPECT_EQ(t.mPosition, KS_VEC3(1, 2, 3));
    EXPECT_EQ(t.mPivot, KS_VEC3(4, 5, 6));
    EXPECT_EQ(t.mRotation, KS_VEC3(7, 8, 9));
    EXPECT_EQ(t.mScale, KS_VEC3(10, 11, 12));

    KS_TRANSFORM3 parent;
    t.mParent = &parent;
    t.fFromString("1 2 3 4 5 6 7 8 9 10 11");
    EXPECT_EQ(t.mPosition, KS_VEC3(0, 0, 0)) << "eleven numbers give the identity";
    EXPECT_EQ(t.mScale, KS_VEC3(1, 1, 1));
    EXPECT_EQ(t.mParent, nullptr);

    t.fFromString(" 5 0 0  0 0 0 0 0 0 1 1 1 ");
    EXPECT_EQ(t.mPosition.x, 5.0f);
    t.fFromString(static_cast<const char*>(nullptr));
    EXPECT_EQ(t.mPosition.x, 0.0f);
}

TEST(KS_TRANSFORM3, LocalPointsAndWorldMatrix) {
    KS_TRANSFORM3 t;
    t.fSetPos(100, 50, 0);
    t.mPivot.fSet(10, 10, 0);
    float x = 110, y = 60;
    t.fPointToLocalPivot(x, y);
    EXPECT_FLOAT_EQ(x, 20.0f);
    EXPECT_FLOAT_EQ(y, 20.0f);
    x = 110, y = 60;
    t.fPointToLocalOrigin(x, y);
    EXPECT_FLOAT_EQ(x, 10.0f);

    t.fSetScale(2, 2, 1);
    KS_MATRIX world;
    world.fApplyTransform(t);
    const float px = 10 * world.m[0] + 10 * world.m[4] + world.m[12];
    const float py = 10 * world.m[1] + 10 * world.m[5] + world.m[13];
    EXPECT_FLOAT_EQ(px, 100.0f) << "the pivot lands on the position";
    EXPECT_FLOAT_EQ(py, 50.0f);
}

TEST(KS_TRANSFORM3, LerpTransformKeepsEqualValuesAndTheParent) {
    KS_TRANSFORM3 a, b, out, parent;
    b.fSetPos(10, 0, 0);
    out.mParent = &parent;
    out.mPosition.y = 99;  // equal in a and b: left alone
    fLerpTransform(out, a, b, 0.5f);
    EXPECT_FLOAT_EQ(out.mPosition.x, 5.0f);
    EXPECT_FLOAT_EQ(out.mPosition.y, 99.0f);
    fLerpTransform(out, a, b, 1.0f);
    EXPECT_FLOAT_EQ(out.mPosition.y, 0.0f);
    EXPECT_EQ(out.mParent, &parent);
}

TEST(KS_TRANSFORM3_AUTO, FractionsOfTheScreen) {
    pugi::xml_document doc;
    doc.load_string("<t auto_x=\"0.5\">0 0 0 0 0 0 0 0 0 1 1 1</t><u auto_y=\"0.25\">9 9 0 0 0 0 0 0 0 1 1 1</u>");
    KS_TRANSFORM3_AUTO t;
    t.fLoad(doc.child("t"));
    EXPECT_EQ(t.mPosition.x, 512.0f);
    EXPECT_EQ(t.mPosition.y, 0.0f);
    EXPECT_EQ(t.mAutoY, 0.0f);

    KS_TRANSFORM3_AUTO u(doc.child("u"));
    EXPECT_EQ(u.mPosition.x, 9.0f);
    EXPECT_EQ(u.mPosition.y, 192.0f);

    KS_TRANSFORM3_AUTO::fSetScreenSize(800, 600);
    u.fSetAuto(0.5f, 0.5f);
    EXPECT_EQ(u.mPosition.x, 400.0f);
    EXPECT_EQ(u.mPosition.y, 300.0f);
    KS_TRANSFORM3_AUTO::fSetScreenSize(1024, 768);
}
