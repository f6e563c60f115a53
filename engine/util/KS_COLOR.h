#pragma once

#include <cstdint>
#include <string>

namespace KEL {

// Packed colour: bytes blue, green, red, alpha in memory, so the word read
// little-endian is 0xAARRGGBB. Default opaque white.
struct KS_COLOR {
    uint8_t b = 0xFF;
    uint8_t g = 0xFF;
    uint8_t r = 0xFF;
    uint8_t a = 0xFF;

    KS_COLOR() = default;
    explicit KS_COLOR(uint32_t argb) { fSetARGB(argb); }

    void fSetARGB(uint32_t argb) {
        b = uint8_t(argb);
        g = uint8_t(argb >> 8);
        r = uint8_t(argb >> 16);
        a = uint8_t(argb >> 24);
    }
    KS_COLOR& operator=(uint32_t argb) {
        fSetARGB(argb);
        return *this;
    }
    // Each channel keeps its lowest 8 bits.
    void fSet(int32_t alpha, int32_t red, int32_t green, int32_t blue) {
        a = uint8_t(alpha);
        r = uint8_t(red);
        g = uint8_t(green);
        b = uint8_t(blue);
    }
    uint32_t fGetARGB() const { return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | b; }

    // Channel-wise, modulo 256.
    KS_COLOR operator+(const KS_COLOR& o) const {
        KS_COLOR c;
        c.fSet(a + o.a, r + o.r, g + o.g, b + o.b);
        return c;
    }
    // Channel-wise integer quotient; the divisor must not be 0.
    KS_COLOR operator/(uint8_t d) const {
        KS_COLOR c;
        c.fSet(a / d, r / d, g / d, b / d);
        return c;
    }
    bool operator==(const KS_COLOR& o) const { return fGetARGB() == o.fGetARGB(); }
    bool operator!=(const KS_COLOR& o) const { return !(*this == o); }

    // "A R G B" as four decimals; fewer than four pieces leave the colour.
    void fFromString(const std::string& text);
    // "AARRGGBB" or "0xAARRGGBB"; no number gives transparent black.
    static KS_COLOR fFromHex(const std::string& text);
};

static_assert(sizeof(KS_COLOR) == 4, "a colour is one packed word");

// Float colour for interpolation, nominally 0..1 per channel.
struct KS_COLORF {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;

    KS_COLORF() = default;
    KS_COLORF(float ar, float ag, float ab, float aa) : r(ar), g(ag), b(ab), a(aa) {}

    void fSet(float ar, float ag, float ab, float aa) {
        r = ar;
        g = ag;
        b = ab;
        a = aa;
    }
    void fZero() { r = g = b = a = 0.0f; }
    void fSetARGB(uint32_t argb);
    // Each channel clamped to 0..255 and rounded.
    uint32_t fToARGB() const;

    KS_COLORF operator+(const KS_COLORF& o) const { return {r + o.r, g + o.g, b + o.b, a + o.a}; }
    KS_COLORF operator-(const KS_COLORF& o) const { return {r - o.r, g - o.g, b - o.b, a - o.a}; }
    KS_COLORF operator*(float s) const { return {r * s, g * s, b * s, a * s}; }
    KS_COLORF operator/(float s) const { return {r / s, g / s, b / s, a / s}; }
    KS_COLORF& operator*=(float s) {
        r *= s;
        g *= s;
        b *= s;
        a *= s;
        return *this;
    }
    bool operator!=(const KS_COLORF& o) const { return r != o.r || g != o.g || b != o.b || a != o.a; }
};

}  // namespace KEL
