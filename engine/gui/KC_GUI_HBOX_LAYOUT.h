#pragma once

#include <cstdint>

#include "engine/gui/KC_GUI_LAYOUT.h"

namespace KEL {

// A box layout that places its visible children in a row from the left
// (from the right for the right-hand alignments 2, 5 and 8), evenly spread
// or with each child's own spacing, and vertically by each child's anchor:
// top (0-2), bottom (6-8) or middle.
class KC_GUI_HBOX_LAYOUT : public KC_GUI_LAYOUT {
public:
    using KC_GUI_LAYOUT::KC_GUI_LAYOUT;

    void fArrange(bool evenSpacing, int32_t alignment) override;
};

}  // namespace KEL
