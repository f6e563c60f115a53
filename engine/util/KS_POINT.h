#pragma once

#include <cstdint>
#include <string>

#include "engine/util/KS_RECT.h"

namespace KEL {

// Integer point, also used as an integer size. Division by a zero component
// is the caller's fault.
struct KS_POINT {
    int32_t x = 0;
    int32_t y = 0;

    KS_POINT() = default;
    KS_POINT(int32_t ax, int32_t ay) : x(ax), y(ay) {}
    // Zeroes, then reads "x y".
    explicit KS_POINT(const std::string& text) { fFromString(text); }

    void fSet(int32_t ax, int32_t ay) {
        x = ax;
        y = ay;
    }
    void fSet(int32_t all) { x = y = all; }
    void fCopy(const KS_POINT& other) { *this = other; }

    KS_POINT operator+(const KS_POINT& o) const { return {x + o.x, y + o.y}; }
    KS_POINT operator-(const KS_POINT& o) const { return {x - o.x, y - o.y}; }
    KS_POINT operator*(const KS_POINT& o) const { return {x * o.x, y * o.y}; }
    KS_POINT operator/(const KS_POINT& o) const { return {x / o.x, y / o.y}; }
    KS_POINT operator/(int32_t s) const { return {x / s, y / s}; }
    KS_POINT operator-() const { return {-x, -y}; }
    KS_POINT& operator+=(int32_t s) {
        x += s;
        y += s;
        return *this;
    }
    KS_POINT& operator-=(int32_t s) {
        x -= s;
        y -= s;
        return *this;
    }
    KS_POINT& operator/=(const KS_POINT& o) {
        x /= o.x;
        y /= o.y;
        return *this;
    }
    bool operator==(const KS_POINT& o) const { return x == o.x && y == o.y; }
    bool operator!=(const KS_POINT& o) const { return !(*this == o); }

    // 0 = x, 1 = y; any other index gives 0.
    int32_t operator[](int index) const { return index == 0 ? x : index == 1 ? y : 0; }

    // Strictly inside: points on the edges are outside.
    bool fInRect(const KS_RECT& r) const { return r.x < x && x < r.x + r.w && r.y < y && y < r.y + r.h; }

    static float fDistance(const KS_POINT& a, const KS_POINT& b);
    // sqrt(|a|^2 - |b|); kept for its one historical form.
    static float fLengthGap(const KS_POINT& a, const KS_POINT& b);

    // "x y" with at least three digits each ("005 012"), in a shared buffer.
    const char* fToString() const;
    // Reads "x y"; fewer than two pieces leave the point unchanged.
    void fFromString(const std::string& text);
};

}  // namespace KEL
