#pragma once

#include <cstdint>

#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

class KC_FONT;

// For the length of one draw, places a font at a widget's transform: the
// font's quad is parented to the transform's absolute placement and the
// font takes the given anchor; both are put back on destruction. Positions
// given to the font's drawing calls are then relative to that transform.
class KS_FONT_PLACE {
public:
    KS_FONT_PLACE(KC_FONT& font, const KS_TRANSFORM3& at, int32_t anchor);
    ~KS_FONT_PLACE();
    KS_FONT_PLACE(const KS_FONT_PLACE&) = delete;
    KS_FONT_PLACE& operator=(const KS_FONT_PLACE&) = delete;

    // False when the font has no quad to draw with.
    bool fReady() const { return mOwn != nullptr; }

private:
    KC_FONT& mFont;
    KS_TRANSFORM3 mAbsolute;
    KS_TRANSFORM3* mOwn = nullptr;
    KS_TRANSFORM3* mSavedParent = nullptr;
    int32_t mSavedAnchor = 0;
};

}  // namespace KEL
