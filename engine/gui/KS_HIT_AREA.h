#pragma once

#include <cstdint>

#include "engine/util/KS_POINT.h"
#include "engine/util/KS_VEC2.h"

namespace KEL {

struct KS_TRANSFORM3;

// The shape a widget tests the mouse against: a circle or a rectangle bound
// to the widget's transform, so it follows the widget through the transform
// hierarchy. Plain record owned by its widget; the transform is not owned.
//
// A rectangle covers what a quad of that size drawn with the transform
// covers: its pivot, scale and rotation (parents included) are honoured, and
// points on the edge are outside. A circle is centred on the transform's
// absolute position and its radius ignores the scale.
struct KS_HIT_AREA {
    static constexpr int32_t kNONE = 0;
    static constexpr int32_t kCIRCLE = 1;
    static constexpr int32_t kRECT = 2;

    void fSet(int32_t type, const KS_TRANSFORM3* transform, float a, float b, float z = 0.0f, int32_t flag = 0);
    void fSetRadius(float r) { mSizeA = r; }
    void fSetWidth(float w) { mSizeA = w; }
    void fSetHeight(float h) { mSizeB = h; }

    // Screen coordinates. Type 0 or no transform: never inside.
    bool fContains(float x, float y) const;
    bool fContains(const KS_VEC2& point) const { return fContains(point.x, point.y); }
    bool fContains(const KS_POINT& point) const {
        return fContains(static_cast<float>(point.x), static_cast<float>(point.y));
    }

    int32_t mType = kNONE;
    float mSizeA = 0.0f;  // radius, or width
    float mSizeB = 0.0f;  // height
    float mZ = 0.0f;      // kept for the owner, not tested
    const KS_TRANSFORM3* mTransform = nullptr;
    int32_t mFlag = 0;  // kept for the owner, not tested

private:
    bool fInCircle(float x, float y) const;
    bool fInRect(float x, float y) const;
};

}  // namespace KEL
