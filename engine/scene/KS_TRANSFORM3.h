#pragma once

#include <cstdint>
#include <string>

#include "engine/util/KS_MATRIX.h"
#include "engine/util/KS_POINT.h"
#include "engine/util/KS_VEC2.h"
#include "engine/util/KS_VEC3.h"

namespace KEL {

// Placement of a drawable: pivot, rotation (radians; z is the 2D angle),
// scale and position, with an optional parent whose absolute transform this
// one is placed in. Plain record, copied by value; the parent is not owned.
struct KS_TRANSFORM3 {
    KS_TRANSFORM3() = default;

    // Everything but the leading word, the parent pointer included.
    void fCopy(const KS_TRANSFORM3& other);
    // All 0, scale 1, no parent.
    void fReset() { *this = KS_TRANSFORM3(); }

    void fSetPos(float x, float y, float z) { mPosition.fSet(x, y, z); }
    void fSetPos(const KS_VEC3& position) { mPosition = position; }
    const KS_VEC2& fSetPos2(const KS_VEC2& position) {
        mPosition.x = position.x;
        mPosition.y = position.y;
        return position;
    }
    void fSetScale(float x, float y, float z) { mScale.fSet(x, y, z); }
    void fSetAngle(float angle) { mRotation.z = angle; }
    void fSetRotation(float x, float y, float z) { mRotation.fSet(x, y, z); }
    KS_VEC2 fGetPos2() const { return {mPosition.x, mPosition.y}; }
    KS_VEC3 fGetPos3() const { return mPosition; }
    KS_POINT& fGetPosPoint(KS_POINT& out) const {
        out.fSet(static_cast<int32_t>(mPosition.x), static_cast<int32_t>(mPosition.y));
        return out;
    }
    void fMove(float dx, float dy) {
        mPosition.x += dx;
        mPosition.y += dy;
    }

    // The transform combined with its whole parent chain (ancestors always
    // combine fully; the flags apply to the last step only). Keeps this
    // transform's pivot, parent pointer and position z.
    KS_TRANSFORM3& fGetAbsolute(KS_TRANSFORM3& out, bool skipPosition = false, bool skipRotation = false,
                                bool skipScale = false) const;
    KS_TRANSFORM3 fGetAbsolute() const {
        KS_TRANSFORM3 out;
        return fGetAbsolute(out);
    }
    // Folds a parent's absolute transform into this one.
    void fCombine(const KS_TRANSFORM3& parent, bool skipPosition = false, bool skipRotation = false,
                  bool skipScale = false);
    // As fCombine, but the position is not scaled.
    void fCombineUnscaled(const KS_TRANSFORM3& parent);
    // A screen point into this transform's frame, relative to its pivot or to
    // its origin (rotation undone, scale not).
    void fPointToLocalPivot(float& x, float& y) const;
    void fPointToLocalOrigin(float& x, float& y) const;

    // The world matrix of this transform alone (parents not walked): minus
    // the pivot, scale, rotation, then the position.
    KS_MATRIX fGetWorldMatrix() const {
        KS_MATRIX world;
        world.fApplyTransform(*this);
        return world;
    }

    // Twelve blank-separated numbers: position x y z, pivot x y z, rotation
    // x y z, scale x y z. Fewer than twelve give the identity at the origin.
    void fFromString(const char* text);
    void fFromString(const std::string& text) { fFromString(text.c_str()); }

    uint32_t mLead = 0;
    KS_VEC3 mPivot{0.0f, 0.0f, 0.0f};
    KS_VEC3 mRotation{0.0f, 0.0f, 0.0f};
    KS_VEC3 mScale{1.0f, 1.0f, 1.0f};
    KS_VEC3 mPosition{0.0f, 0.0f, 0.0f};
    KS_TRANSFORM3* mParent = nullptr;
};

// t <= 0 copies a's twelve values into out, t >= 1 b's; otherwise every value
// that differs between a and b is interpolated and equal ones are left as
// they are in out. The parent link is never touched.
void fLerpTransform(KS_TRANSFORM3& out, const KS_TRANSFORM3& a, const KS_TRANSFORM3& b, float t);

}  // namespace KEL
