#include "engine/util/KF_CURVES.h"

#include <cmath>

#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

namespace {
constexpr float kTWO_PI = 6.2831855f;
}

float fLerp(float a, float b, float t) {
    if (t == 0.0f) return a;
    if (t == 1.0f) return b;
    return a + t * (b - a);
}

KS_VEC2 fLerp2(const KS_VEC2& a, const KS_VEC2& b, float t) {
    if (t <= 0.0f) return a;
    if (t >= 1.0f) return b;
    return a + (b - a) * t;
}

KS_VEC3 fLerp3(const KS_VEC3& a, const KS_VEC3& b, float t) {
    if (t <= 0.0f) return a;
    if (t >= 1.0f) return b;
    return a + (b - a) * t;
}

KS_VEC3 fBezier2(const KS_VEC3& p0, const KS_VEC3& p1, const KS_VEC3& p2, float t) {
    if (t == 0.0f) return p0;
    if (t == 1.0f) return p2;
    const float u = 1.0f - t;
    return p0 * (u * u) + p1 * (2.0f * t * u) + p2 * (t * t);
}

KS_VEC3 fBezier3(const KS_VEC3& p0, const KS_VEC3& p1, const KS_VEC3& p2, const KS_VEC3& p3, float t) {
    if (t == 0.0f) return p0;
    if (t == 1.0f) return p3;
    const float u = 1.0f - t;
    return p0 * (u * u * u) + p1 * (3.0f * t * u * u) + p2 * (3.0f * t * t * u) + p3 * (t * t * t);
}

KS_VEC3 fBezierN(const std::vector<KS_VEC3>& points, float t) {
    if (points.empty()) return {};
    if (t == 0.0f) return points.front();
    if (t == 1.0f) return points.back();
    const int n = int(points.size()) - 1;
    KS_VEC3 sum;
    double binomial = 1.0;  // C(n, i), updated incrementally
    for (int i = 0; i <= n; ++i) {
        const float weight = float(binomial * std::pow(double(t), i) * std::pow(1.0 - double(t), n - i));
        sum += points[size_t(i)] * weight;
        binomial = binomial * double(n - i) / double(i + 1);
    }
    return sum;
}

void fRotatePoint(float cx, float cy, float& x, float& y, float angle) {
    if (angle == 0.0f) return;
    const float dx = x - cx, dy = y - cy;
    const float c = std::cos(angle), s = std::sin(angle);
    x = cx + dx * c - dy * s;
    y = cy + dx * s + dy * c;
}

void fRotatePointInPlace(float cx, float cy, KS_VEC2& point, float angle) {
    fRotatePoint(cx, cy, point.x, point.y, angle);
}

void fRotatePoint(int32_t cx, int32_t cy, KS_POINT& point, float angle) {
    float x = float(point.x), y = float(point.y);
    fRotatePoint(float(cx), float(cy), x, y, angle);
    point.x = int32_t(x);
    point.y = int32_t(y);
}

void fPointToLocal(float& x, float& y, const KS_TRANSFORM3& transform) {
    fRotatePoint(transform.mPosition.x, transform.mPosition.y, x, y, -transform.mRotation.z);
    x = (transform.mPosition.x - x + transform.mPivot.x) * transform.mScale.x;
    y = (transform.mPosition.y - y + transform.mPivot.y) * transform.mScale.y;
}

float fDampedSine(float t, float frequency, float amplitude, float damping) {
    const float divisor = std::exp(kTWO_PI * t * damping);
    if (std::fabs(divisor) <= 0.001f) return 0.0f;
    return amplitude * std::sin(kTWO_PI * frequency * t) / divisor;
}

}  // namespace KEL
