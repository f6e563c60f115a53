#pragma once

#include <cmath>
#include <string>

namespace KEL {

// Three-component float vector.
struct KS_VEC3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    KS_VEC3() = default;
    KS_VEC3(float ax, float ay, float az) : x(ax), y(ay), z(az) {}
    // Zeroes, then reads "x y z".
    explicit KS_VEC3(const std::string& text) { fFromString(text); }

    void fSet(float ax, float ay, float az) {
        x = ax;
        y = ay;
        z = az;
    }
    void fSet3(float ax, float ay, float az) { fSet(ax, ay, az); }
    void fSet(float all) { x = y = z = all; }
    void fZero() { x = y = z = 0.0f; }
    void fCopy(const KS_VEC3& other) { *this = other; }

    KS_VEC3 operator+(const KS_VEC3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    KS_VEC3 operator-(const KS_VEC3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    KS_VEC3 operator-() const { return {-x, -y, -z}; }
    KS_VEC3 operator*(float s) const { return {x * s, y * s, z * s}; }
    KS_VEC3 operator/(float s) const { return {x / s, y / s, z / s}; }
    KS_VEC3 operator*(const KS_VEC3& o) const { return {x * o.x, y * o.y, z * o.z}; }
    KS_VEC3 operator/(const KS_VEC3& o) const { return {x / o.x, y / o.y, z / o.z}; }
    KS_VEC3& operator+=(const KS_VEC3& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    KS_VEC3& operator-=(const KS_VEC3& o) {
        x -= o.x;
        y -= o.y;
        z -= o.z;
        return *this;
    }
    KS_VEC3& operator*=(const KS_VEC3& o) {
        x *= o.x;
        y *= o.y;
        z *= o.z;
        return *this;
    }
    KS_VEC3& operator/=(const KS_VEC3& o) {
        x /= o.x;
        y /= o.y;
        z /= o.z;
        return *this;
    }
    KS_VEC3& operator+=(float s) {
        x += s;
        y += s;
        z += s;
        return *this;
    }
    KS_VEC3& operator-=(float s) {
        x -= s;
        y -= s;
        z -= s;
        return *this;
    }
    KS_VEC3& operator*=(float s) {
        x *= s;
        y *= s;
        z *= s;
        return *this;
    }
    KS_VEC3& operator/=(float s) {
        x /= s;
        y /= s;
        z /= s;
        return *this;
    }
    bool operator==(const KS_VEC3& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const KS_VEC3& o) const { return !(*this == o); }

    float fLengthSq() const { return x * x + y * y + z * z; }
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

    float fMax() const { return x > y ? (x > z ? x : z) : (y > z ? y : z); }
    float fMin() const { return x < y ? (x < z ? x : z) : (y < z ? y : z); }
    // 0 = x, 1 = y, 2 = z; any other index gives 0.
    float operator[](int index) const { return index == 0 ? x : index == 1 ? y : index == 2 ? z : 0.0f; }

    static float fDot(const KS_VEC3& a, const KS_VEC3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
    static KS_VEC3 fCross(const KS_VEC3& a, const KS_VEC3& b) {
        return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    }
    // Angle in radians in (0, 2pi]; a zero vector gives 2pi.
    static float fAngle(const KS_VEC3& a, const KS_VEC3& b);

    // "x y z" with three decimals, in a buffer shared by all vectors of this type (one per thread).
    const char* fToString() const;
    // Reads "x y z"; fewer than three pieces leave the vector unchanged.
    void fFromString(const std::string& text);
};

}  // namespace KEL
