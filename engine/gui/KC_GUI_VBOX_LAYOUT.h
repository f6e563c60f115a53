#pragma once

#include <cstdint>

#include "engine/gui/KC_GUI_LAYOUT.h"

namespace KEL {

// A box layout that places its visible children in a column from the top
// (from the bottom for the lower alignments 6, 7 and 8), evenly spread or
// with each child's own spacing, and horizontally by each child's anchor:
// left (0, 3, 6), right (2, 5, 8) or middle.
class KC_GUI_VBOX_LAYOUT : public KC_GUI_LAYOUT {
public:
    using KC_GUI_LAYOUT::KC_GUI_LAYOUT;

    void fArrange(bool evenSpacing, int32_t alignment) override;
};

}  // namespace KEL
