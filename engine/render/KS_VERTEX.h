#pragma once

#include <cstdint>

#include "engine/util/KS_MATRIX.h"

namespace KEL {

// The 36-byte vertex every draw uses: position, normal, colour 0xAARRGGBB, u, v.
struct KS_VERTEX {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    float nx = 0.0f, ny = 0.0f, nz = 0.0f;
    uint32_t color = 0;
    float u = 0.0f, v = 0.0f;

    void fSetPos(float ax, float ay, float az) {
        x = ax;
        y = ay;
        z = az;
    }
    void fSetColor(uint32_t packed) { color = packed; }
    void fSetUV(float au, float av) {
        u = au;
        v = av;
    }
    // Position = position x matrix (row vector, with translation).
    void fTransform(const KS_MATRIX& mat) {
        const float px = x, py = y, pz = z;
        x = px * mat.m[0] + py * mat.m[4] + pz * mat.m[8] + mat.m[12];
        y = px * mat.m[1] + py * mat.m[5] + pz * mat.m[9] + mat.m[13];
        z = px * mat.m[2] + py * mat.m[6] + pz * mat.m[10] + mat.m[14];
    }
};

static_assert(sizeof(KS_VERTEX) == 36, "the vertex layout is shared with the device");

}  // namespace KEL
