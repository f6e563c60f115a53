#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/gui/KC_GUI_OBJECT.h"

namespace KEL {

// A box of fixed size that places its children in a row or a column. A
// child is taken only while its bounding size (under its rotation) fits the
// box; each child carries its own spacing and anchor. Children must be
// added through this class's operations, which keep that per-child data.
class KC_GUI_LAYOUT : public KC_GUI_OBJECT {
public:
    KC_GUI_LAYOUT(int32_t id, float boxWidth, float boxHeight, int32_t alignment, bool evenSpacing);

    // Places the children; called after every change.
    virtual void fArrange(bool evenSpacing, int32_t alignment) = 0;

    // Appends; null (and the child is deleted) when it does not fit the box.
    KC_GUI_OBJECT* fAddChild(std::unique_ptr<KC_GUI_OBJECT> child, float spacing, int32_t anchor);
    KC_GUI_OBJECT* fInsertChild(std::unique_ptr<KC_GUI_OBJECT> child, int32_t index, float spacing, int32_t anchor);
    // Deletes the child; false when it is not a child of this box.
    bool fRemoveChild(const KC_GUI_OBJECT* child);
    bool fRemoveChildAt(int32_t index);

    // The box's size, so a box placed in another box takes its room.
    float fGetWidth() const override { return mBoxWidth; }
    float fGetHeight() const override { return mBoxHeight; }

    float fGetUsedWidth() const { return mUsedWidth; }
    float fGetUsedHeight() const { return mUsedHeight; }

protected:
    struct KS_SLOT {
        float mSpacing = 0.0f;
        int32_t mAnchor = 0;
        float mWidth = 0.0f;  // bounding size when added
        float mHeight = 0.0f;
    };
    // The per-child data of child index (zeros for a child added otherwise).
    KS_SLOT fSlot(int32_t index) const;

    float mBoxWidth;
    float mBoxHeight;
    std::vector<KS_SLOT> mSlots;
    float mUsedWidth = 0.0f;
    float mUsedHeight = 0.0f;
    uint8_t mEvenSpacing;
    int32_t mAlignment;
};

}  // namespace KEL
