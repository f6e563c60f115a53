#pragma once

#include "engine/util/KS_VEC3.h"

namespace KEL {

struct KS_TRANSFORM3;

// 4 x 4 float matrix in the row-vector convention: a point is the row
// (x, y, z, 1) multiplied on the left, the translation sits in row 3.
// Element (row, column) is m[row * 4 + column].
struct KS_MATRIX {
    float m[16];

    KS_MATRIX() { fIdentity(); }

    void fIdentity();
    // Sixteen values in column order: the first four fill column 0.
    void fSet(const float values[16]);
    void fSet(float a0, float a1, float a2, float a3, float a4, float a5, float a6, float a7, float a8, float a9,
              float a10, float a11, float a12, float a13, float a14, float a15);
    float& fAt(int row, int column) { return m[row * 4 + column]; }
    float fAt(int row, int column) const { return m[row * 4 + column]; }

    static KS_MATRIX fRotationAxis(float angle, const KS_VEC3& axis);
    static KS_MATRIX fRotationX(float angle);
    static KS_MATRIX fRotationY(float angle);
    static KS_MATRIX fRotationZ(float angle);
    static KS_MATRIX fScaling(const KS_VEC3& scale);
    static KS_MATRIX fTranslationX(float x);
    static KS_MATRIX fTranslationY(float y);
    static KS_MATRIX fTranslationZ(float z);
    static KS_MATRIX fTranslation(float x, float y, float z);

    KS_MATRIX operator+(const KS_MATRIX& o) const;
    KS_MATRIX operator-(const KS_MATRIX& o) const;
    KS_MATRIX operator*(float s) const;
    KS_MATRIX operator*(const KS_MATRIX& o) const;
    bool operator==(const KS_MATRIX& o) const;

    // this = n x this: n acts before the operations already held.
    void fApply(const KS_MATRIX& n) { *this = n * *this; }
    void fTranslate(float x, float y, float z) { fApply(fTranslation(x, y, z)); }
    void fTranslateY(float y) { fApply(fTranslationY(y)); }
    void fTranslateZ(float z) { fApply(fTranslationZ(z)); }
    void fScale(float x, float y, float z) { fApply(fScaling({x, y, z})); }
    void fScaleY(float y) { fApply(fScaling({1.0f, y, 1.0f})); }
    void fScaleZ(float z) { fApply(fScaling({1.0f, 1.0f, z})); }
    void fRotateX(float a) { fApply(fRotationX(a)); }
    void fRotateY(float a) { fApply(fRotationY(a)); }
    void fRotateZ(float a) { fApply(fRotationZ(a)); }
    // x, then y, then z; an angle of exactly 0 is skipped.
    void fRotate(float ax, float ay, float az);

    // Position, rotation, scale, minus pivot (x and y), each applied in turn,
    // so a row vector is first moved by minus the pivot and last by the
    // position.
    void fApplyPlacement(const KS_VEC3& pivot, const KS_VEC3& rotation, const KS_VEC3& scale, const KS_VEC3& position);
    // fApplyPlacement with the transform's own pivot, rotation, scale and
    // position.
    void fApplyTransform(const KS_TRANSFORM3& transform);

    // Column form: x' = m00 x + m01 y + m02 z + m03, and so on.
    KS_VEC3 fTransformPoint(const KS_VEC3& p) const;
    // v = v x the 3 x 3 part.
    void fRotateVector(KS_VEC3& v) const;
    // Left-handed view matrix looking from eye at target.
    void fLookAt(const KS_VEC3& eye, const KS_VEC3& target, const KS_VEC3& up);
};

}  // namespace KEL
