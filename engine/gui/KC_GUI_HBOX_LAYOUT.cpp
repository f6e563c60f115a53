#include "engine/gui/KC_GUI_HBOX_LAYOUT.h"

#include <algorithm>

namespace KEL {

void KC_GUI_HBOX_LAYOUT::fArrange(bool evenSpacing, int32_t alignment) {
    const float direction = alignment == 2 || alignment == 5 || alignment == 8 ? -1.0f : 1.0f;
    // Hidden children still count in the gap, but take no place.
    const float gap = std::max(0.0f, (mBoxWidth - mUsedWidth) / static_cast<float>(fGetChildCount() + 1));
    float x = -mBoxWidth / 2.0f;
    for (int32_t i = 0; i < fGetChildCount(); ++i) {
        KC_GUI_OBJECT* child = fGetChild(i);
        if (!child->fIsVisible()) continue;
        const KS_SLOT slot = fSlot(i);
        x += slot.mWidth / 2.0f + (evenSpacing ? gap : slot.mSpacing);
        float y = 0.0f;
        if (slot.mAnchor >= 0 && slot.mAnchor <= 2) y = slot.mHeight / 2.0f - mBoxHeight / 2.0f;
        else if (slot.mAnchor >= 6 && slot.mAnchor <= 8) y = mBoxHeight / 2.0f - slot.mHeight / 2.0f;
        child->fSetPosition(direction * x, y, 0.0f);
        x += slot.mWidth / 2.0f;
    }
}

}  // namespace KEL
