#pragma once

#include <cstdint>

namespace KEL {

// Integer rectangle: left, top, width, height.
struct KS_RECT {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;

    KS_RECT() = default;
    KS_RECT(int32_t ax, int32_t ay, int32_t aw, int32_t ah) : x(ax), y(ay), w(aw), h(ah) {}
    void fSet(int32_t ax, int32_t ay, int32_t aw, int32_t ah) {
        x = ax;
        y = ay;
        w = aw;
        h = ah;
    }
};

}  // namespace KEL
