#pragma once

#include <vector>

#include "engine/util/KS_POINT.h"
#include "engine/util/KS_VEC2.h"
#include "engine/util/KS_VEC3.h"

// Interpolation, Bezier curves and point rotation shared by animators,
// transforms and hit areas.
namespace KEL {

// Exactly a at t == 0 and b at t == 1; extrapolates outside 0..1.
float fLerp(float a, float b, float t);
// Clamped: t <= 0 gives a, t >= 1 gives b.
KS_VEC2 fLerp2(const KS_VEC2& a, const KS_VEC2& b, float t);
KS_VEC3 fLerp3(const KS_VEC3& a, const KS_VEC3& b, float t);

// The end points are returned exactly.
KS_VEC3 fBezier2(const KS_VEC3& p0, const KS_VEC3& p1, const KS_VEC3& p2, float t);
KS_VEC3 fBezier3(const KS_VEC3& p0, const KS_VEC3& p1, const KS_VEC3& p2, const KS_VEC3& p3, float t);
// Bernstein sum over all points; an empty list gives the zero vector.
KS_VEC3 fBezierN(const std::vector<KS_VEC3>& points, float t);

// Rotates (x, y) about (cx, cy); an angle of exactly 0 leaves it untouched.
void fRotatePoint(float cx, float cy, float& x, float& y, float angle);
void fRotatePointInPlace(float cx, float cy, KS_VEC2& point, float angle);
// Integer form: the rotated coordinates are truncated.
void fRotatePoint(int32_t cx, int32_t cy, KS_POINT& point, float angle);

struct KS_TRANSFORM3;
// A screen point into the transform's frame: rotated about the position by
// minus the z angle, then (position - point + pivot) x scale per axis.
void fPointToLocal(float& x, float& y, const KS_TRANSFORM3& transform);

// amplitude x sin(2pi f t) / exp(2pi t damping).
float fDampedSine(float t, float frequency, float amplitude, float damping);

}  // namespace KEL
