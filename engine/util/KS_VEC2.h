#pragma once

#include <cmath>
#include <string>

namespace KEL {

// Two-component float vector.
struct KS_VEC2 {
    float x = 0.0f;
    float y = 0.0f;

    KS_VEC2() = default;
    KS_VEC2(float ax, float ay) : x(ax), y(ay) {}
    // Zeroes, then reads "x y".
    explicit KS_VEC2(const std::string& text) { fFromString(text); }

    void fSet(float ax, float ay) {
        x = ax;
        y = ay;
    }
    void fSet(float all) { x = y = all; }
    void fZero() { x = y = 0.0f; }
    void fCopy(const KS_VEC2& other) { *this = other; }

    KS_VEC2 operator+(const KS_VEC2& o) const { return {x + o.x, y + o.y}; }
    KS_VEC2 operator-(const KS_VEC2& o) const { return {x - o.x, y - o.y}; }
    KS_VEC2 operator-() const { return {-x, -y}; }
    KS_VEC2 operator*(float s) const { return {x * s, y * s}; }
    KS_VEC2 operator/(float s) const { return {x / s, y / s}; }
    KS_VEC2 operator*(const KS_VEC2& o) const { return {x * o.x, y * o.y}; }
    KS_VEC2 operator/(const KS_VEC2& o) const { return {x / o.x, y / o.y}; }
    KS_VEC2& operator+=(const KS_VEC2& o) {
        x += o.x;
        y += o.y;
        return *this;
    }
    KS_VEC2& operator-=(const KS_VEC2& o) {
        x -= o.x;
        y -= o.y;
        return *this;
    }
    KS_VEC2& operator*=(const KS_VEC2& o) {
        x *= o.x;
        y *= o.y;
        return *this;
    }
    KS_VEC2& operator/=(const KS_VEC2& o) {
        x /= o.x;
        y /= o.y;
        return *this;
    }
    KS_VEC2& operator+=(float s) {
        x += s;
        y += s;
        return *this;
    }
    KS_VEC2& operator-=(float s) {
        x -= s;
        y -= s;
        return *this;
    }
    KS_VEC2& operator*=(float s) {
        x *= s;
        y *= s;
        return *this;
    }
    KS_VEC2& operator/=(float s) {
        x /= s;
        y /= s;
        return *this;
    }
    bool operator==(const KS_VEC2& o) const { return x == o.x && y == o.y; }
    bool operator!=(const KS_VEC2& o) const { return !(*this == o); }

    float fLengthSq() const { return x * x + y * y; }
    float fLength() const { return std::sqrt(fLengthSq()); }
    // Scales to unit length; answers the former length (0 for a zero vector,
    // which stays zero).
    float fNormalize();

    // The length compared with an integer.
    bool operator>(int n) const { return fLength() > float(n); }
    bool operator<(int n) const { return fLength() < float(n); }
    bool operator>=(int n) const { return fLength() >= float(n); }
    bool operator<=(int n) const { return fLength() <= float(n); }
    bool operator!=(int n) const { return fLength() != float(n); }

    float fMax() const { return x > y ? x : y; }
    float fMin() const { return x < y ? x : y; }
    // 0 = x, 1 = y; any other index gives 0.
    float operator[](int index) const { return index == 0 ? x : index == 1 ? y : 0.0f; }
    bool fIsZero() const { return x == 0.0f && y == 0.0f; }

    static float fDistance(const KS_VEC2& a, const KS_VEC2& b) { return (a - b).fLength(); }
    // Angle from a to b in radians in (0, 2pi]: same direction and a zero
    // vector give 2pi, opposite directions pi.
    static float fAngle(const KS_VEC2& a, const KS_VEC2& b);

    // "x y" with three decimals, in a buffer shared by all vectors of this type (one per thread).
    const char* fToString() const;
    // Reads "x y"; fewer than two pieces leave the vector unchanged.
    void fFromString(const std::string& text);
};

}  // namespace KEL
