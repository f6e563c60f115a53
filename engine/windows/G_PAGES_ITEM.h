#pragma once

#include <cstdint>

#include "engine/bots/KC_BASE.h"
#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

// Base of the items a page set (gPages) holds. A page set talks to its items
// only through messages, so an item may also be any KC_BASE that answers
// them. Integer values travel in the pointer-sized data argument (fValue);
// an item answers KS_RESULT::kSTOP from a mouse message it took, so no later
// item sees it.
//
//   1 update  2 draw  12 position (a, b) -> 1  23 width  24 height
//   25 anchor (value; ignored here)  32 parent = data (a KS_TRANSFORM3*)
//   47 mouse down (value = button)  48 mouse up (value = button)
//   49 mouse move  50 reload -> 1  51 release -> 1  56 refresh -> 1
// Any other message answers 0.
class G_PAGES_ITEM : public KC_BASE {
public:
    static constexpr int32_t kMSG_POSITION = 12;
    static constexpr int32_t kMSG_WIDTH = 23;
    static constexpr int32_t kMSG_HEIGHT = 24;
    static constexpr int32_t kMSG_ANCHOR = 25;
    static constexpr int32_t kMSG_PARENT = 32;
    static constexpr int32_t kMSG_MOUSE_DOWN = 47;
    static constexpr int32_t kMSG_MOUSE_UP = 48;
    static constexpr int32_t kMSG_MOUSE_MOVE = 49;
    static constexpr int32_t kMSG_RELOAD = 50;
    static constexpr int32_t kMSG_RELEASE = 51;
    static constexpr int32_t kMSG_REFRESH = 56;

    static void* fValue(intptr_t value) { return reinterpret_cast<void*>(value); }
    static intptr_t fValueOf(void* data) { return reinterpret_cast<intptr_t>(data); }

    // The owner (the page set) becomes the id tag.
    explicit G_PAGES_ITEM(const void* owner);

    int32_t fMessage(int32_t message, float a, float b, float c, void* data) override;

    KS_TRANSFORM3& fGetTransform() { return mTransform; }

protected:
    virtual int32_t fGetWidth() = 0;
    virtual int32_t fGetHeight() = 0;
    virtual void fReloadResources() = 0;
    virtual void fReleaseResources() = 0;
    virtual void fDraw() = 0;
    virtual void fUpdate() {}
    // KS_RESULT::kSTOP when the item took the button; 0 otherwise.
    virtual int32_t fOnMouseUp(int32_t button) { return 0; }
    virtual int32_t fOnMouseDown(int32_t button) { return 0; }
    virtual int32_t fOnMouseMove() { return 0; }
    virtual void fRefresh() {}

    // The item's cell position; its parent is the page strip.
    KS_TRANSFORM3 mTransform;
};

}  // namespace KEL
