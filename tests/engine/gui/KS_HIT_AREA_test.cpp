// Hit areas against the mouse: circles, and rectangles that cover exactly
// what a quad drawn with the same transform covers.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/gui/KS_HIT_AREA.h"
#include "engine/scene/KS_TRANSFORM3.h"

using namespace KEL;

namespace {

// Where the local point (u, v) of a quad drawn with t lands on screen, the
// way the renderer places vertices (row vectors times the world matrix).
KS_VEC3 fDrawn(const KS_TRANSFORM3& t, float u, float v) {
    const KS_MATRIX m = t.fGetAbsolute().fGetWorldMatrix();
    return {u * m.m[0] + v * m.m[4] + m.m[12], u * m.m[1] + v * m.m[5] + m.m[13], 0.0f};
}

// Inside just within every corner of the drawn w x h quad, outside just beyond.
void fExpectCovers(const KS_HIT_AREA& area, const KS_TRANSFORM3& t, float w, float h) {
    const float eps = 0.05f;
    for (float u : {0.0f, 1.0f})
        for (float v : {0.0f, 1.0f}) {
            const float inU = u == 0.0f ? eps : 1.0f - eps, inV = v == 0.0f ? eps : 1.0f - eps;
            const float outU = u == 0.0f ? -eps : 1.0f + eps, outV = v == 0.0f ? -eps : 1.0f + eps;
            const KS_VEC3 in = fDrawn(t, inU * w, inV * h), out = fDrawn(t, outU * w, outV * h);
            EXPECT_TRUE(area.fContains(in.x, in.y)) << "corner " << u << "," << v << " at " << in.x << "," << in.y;
            EXPECT_FALSE(area.fContains(out.x, out.y)) << "beyond " << u << "," << v;
        }
    const KS_VEC3 centre = fDrawn(t, w / 2.0f, h / 2.0f);
    EXPECT_TRUE(area.fContains(centre.x, centre.y));
}

}  // namespace

TEST(KS_HIT_AREA, CirclesAndCentredRectanglesAtScaleOne) {
    KS_TRANSFORM3 t;
    t.fSetPos(100.0f, 100.0f, 0.0f);
    KS_HIT_AREA circle;
    circle.fSet(KS_HIT_AREA::kCIRCLE, &t, 10.0f, 0.0f);
    EXPECT_TRUE(circle.fContains(109.0f, 100.0f));
    EXPECT_FALSE(circle.fContains(110.0f, 100.0f)) << "the distance must be below the radius";
    t.fSetScale(3.0f, 3.0f, 1.0f);
    EXPECT_FALSE(circle.fContains(115.0f, 100.0f)) << "the radius ignores the scale";
    t.fSetScale(1.0f, 1.0f, 1.0f);

    t.mPivot.fSet(20.0f, 10.0f, 0.0f);
    KS_HIT_AREA rect;
    rect.fSet(KS_HIT_AREA::kRECT, &t, 40.0f, 20.0f);
    EXPECT_TRUE(rect.fContains(119.0f, 109.0f));
    EXPECT_FALSE(rect.fContains(120.0f, 100.0f)) << "the edge is outside";
    EXPECT_FALSE(rect.fContains(100.0f, 90.0f));
    fExpectCovers(rect, t, 40.0f, 20.0f);
}

TEST(KS_HIT_AREA, NothingWithoutATypeOrATransform) {
    KS_TRANSFORM3 t;
    KS_HIT_AREA area;
    area.fSet(KS_HIT_AREA::kRECT, nullptr, 40.0f, 20.0f);
    EXPECT_FALSE(area.fContains(1.0f, 1.0f));
    area.fSet(KS_HIT_AREA::kNONE, &t, 40.0f, 20.0f);
    EXPECT_FALSE(area.fContains(1.0f, 1.0f));
}

TEST(KS_HIT_AREA, RectanglesFollowPivotScaleAndARotatedParent) {
    KS_TRANSFORM3 parent;
    parent.fSetPos(300.0f, 200.0f, 0.0f);
    KS_TRANSFORM3 t;
    t.mParent = &parent;
    t.fSetPos(50.0f, 0.0f, 0.0f);
    KS_HIT_AREA rect;
    rect.fSet(KS_HIT_AREA::kRECT, &t, 40.0f, 20.0f);

    // Upper-left anchor: the rectangle lies below and right of the position.
    fExpectCovers(rect, t, 40.0f, 20.0f);
    EXPECT_TRUE(rect.fContains(351.0f, 201.0f));
    EXPECT_FALSE(rect.fContains(349.0f, 199.0f));

    // Lower-right anchor, scaled by 2 x 3.
    t.mPivot.fSet(40.0f, 20.0f, 0.0f);
    t.fSetScale(2.0f, 3.0f, 1.0f);
    fExpectCovers(rect, t, 40.0f, 20.0f);
    EXPECT_TRUE(rect.fContains(350.0f - 79.0f, 200.0f - 59.0f));

    // Centred, under a parent turned a quarter: 20 wide and 40 high on screen.
    t.mPivot.fSet(20.0f, 10.0f, 0.0f);
    t.fSetScale(1.0f, 1.0f, 1.0f);
    parent.fSetAngle(std::numbers::pi_v<float> / 2.0f);
    fExpectCovers(rect, t, 40.0f, 20.0f);
    const KS_VEC3 centre = fDrawn(t, 20.0f, 10.0f);
    EXPECT_TRUE(rect.fContains(centre.x, centre.y + 19.0f));
    EXPECT_FALSE(rect.fContains(centre.x + 15.0f, centre.y));

    // A mixed pivot under a turned and scaled parent.
    parent.fSetAngle(0.7f);
    parent.fSetScale(1.5f, 1.5f, 1.0f);
    t.mPivot.fSet(5.0f, 15.0f, 0.0f);
    fExpectCovers(rect, t, 40.0f, 20.0f);
}
