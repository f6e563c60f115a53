#include "engine/gui/KC_GUI_VBOX_LAYOUT.h"

#include <algorithm>

namespace KEL {

void KC_GUI_VBOX_LAYOUT::fArrange(bool evenSpacing, int32_t alignment) {
    const float direction = alignment >= 6 && alignment <= 8 ? -1.0f : 1.0f;
    // Hidden children still count in the gap, but take no place.
    const float gap = std::max(0.0f, (mBoxHeight - mUsedHeight) / static_cast<float>(fGetChildCount() + 1));
    float y = -mBoxHeight / 2.0f;
    for (int32_t i = 0; i < fGetChildCount(); ++i) {
        KC_GUI_OBJECT* child = fGetChild(i);
        if (!child->fIsVisible()) continue;
        const KS_SLOT slot = fSlot(i);
        y += slot.mHeight / 2.0f + (evenSpacing ? gap : slot.mSpacing);
        float x = 0.0f;
        if (slot.mAnchor == 0 || slot.mAnchor == 3 || slot.mAnchor == 6) x = slot.mWidth / 2.0f - mBoxWidth / 2.0f;
        else if (slot.mAnchor == 2 || slot.mAnchor == 5 || slot.mAnchor == 8) x = mBoxWidth / 2.0f - slot.mWidth / 2.0f;
        child->fSetPosition(x, direction * y, 0.0f);
        y += slot.mHeight / 2.0f;
    }
}

}  // namespace KEL
