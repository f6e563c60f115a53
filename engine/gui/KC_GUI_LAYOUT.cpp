#include "engine/gui/KC_GUI_LAYOUT.h"

#include <algorithm>
#include <cmath>

namespace KEL {

KC_GUI_LAYOUT::KC_GUI_LAYOUT(int32_t id, float boxWidth, float boxHeight, int32_t alignment, bool evenSpacing)
    : KC_GUI_OBJECT(id),
      mBoxWidth(boxWidth),
      mBoxHeight(boxHeight),
      mEvenSpacing(evenSpacing ? 1 : 0),
      mAlignment(alignment) {}

KC_GUI_OBJECT* KC_GUI_LAYOUT::fAddChild(std::unique_ptr<KC_GUI_OBJECT> child, float spacing, int32_t anchor) {
    return fInsertChild(std::move(child), fGetChildCount(), spacing, anchor);
}

KC_GUI_OBJECT* KC_GUI_LAYOUT::fInsertChild(std::unique_ptr<KC_GUI_OBJECT> child, int32_t index, float spacing,
                                           int32_t anchor) {
    if (!child) return nullptr;
    // The bounding box of the child turned by its angle.
    const float a = child->fGetTransform().mRotation.z;
    const float c = std::fabs(std::cos(a)), s = std::fabs(std::sin(a));
    const float w = child->fGetWidth(), h = child->fGetHeight();
    KS_SLOT slot{spacing, anchor, w * c + h * s, h * c + w * s};
    if (slot.mWidth > mBoxWidth || slot.mHeight > mBoxHeight) return nullptr;
    const size_t at = std::min(static_cast<size_t>(std::max(index, 0)), mSlots.size());
    mSlots.insert(mSlots.begin() + static_cast<std::ptrdiff_t>(at), slot);
    KC_GUI_OBJECT* added = KC_GUI_OBJECT::fInsertChild(std::move(child), static_cast<int32_t>(at));
    mUsedWidth += slot.mWidth;
    mUsedHeight += slot.mHeight;
    fArrange(mEvenSpacing != 0, mAlignment);
    return added;
}

bool KC_GUI_LAYOUT::fRemoveChild(const KC_GUI_OBJECT* child) {
    for (int32_t i = 0; i < fGetChildCount(); ++i)
        if (fGetChild(i) == child) return fRemoveChildAt(i);
    return false;
}

bool KC_GUI_LAYOUT::fRemoveChildAt(int32_t index) {
    KC_GUI_OBJECT* child = fGetChild(index);
    if (!child) return false;
    const KS_SLOT slot = fSlot(index);
    mUsedWidth -= slot.mWidth;
    mUsedHeight -= slot.mHeight;
    if (static_cast<size_t>(index) < mSlots.size()) mSlots.erase(mSlots.begin() + index);
    KC_GUI_OBJECT::fRemoveChild(child);
    fArrange(mEvenSpacing != 0, mAlignment);
    return true;
}

KC_GUI_LAYOUT::KS_SLOT KC_GUI_LAYOUT::fSlot(int32_t index) const {
    return index >= 0 && static_cast<size_t>(index) < mSlots.size() ? mSlots[static_cast<size_t>(index)] : KS_SLOT{};
}

}  // namespace KEL
