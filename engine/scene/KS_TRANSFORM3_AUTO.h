#pragma once

#include <pugixml.hpp>

#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

// A transform whose position may be given as fractions of the logical
// screen. Computed when set or loaded; a later screen-size change does not
// move existing ones.
struct KS_TRANSFORM3_AUTO : KS_TRANSFORM3 {
    KS_TRANSFORM3_AUTO() = default;
    explicit KS_TRANSFORM3_AUTO(const pugi::xml_node& node) { fLoad(node); }

    // The node's text is the twelve-number form; the attributes "auto_x" and
    // "auto_y", when present, place x and y as fractions of the screen.
    void fLoad(const pugi::xml_node& node);
    void fSetAuto(float ax, float ay);

    static void fSetScreenSize(int32_t width, int32_t height);
    static int32_t fScreenWidth() { return sScreenWidth; }
    static int32_t fScreenHeight() { return sScreenHeight; }

    float mAutoX = 0.0f;
    float mAutoY = 0.0f;

private:
    static inline int32_t sScreenWidth = 1024;
    static inline int32_t sScreenHeight = 768;
};

}  // namespace KEL
