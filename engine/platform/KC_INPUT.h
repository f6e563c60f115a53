#pragma once

#include <cstdint>

#include "engine/util/KS_POINT.h"

namespace KEL {

// Keyboard and mouse state. One byte per Windows virtual-key code (the
// mouse buttons have the key codes kMOUSE_*), aged once per logic step:
//   0 up, 1 pressed this step, 2..125 held (126 wraps to 2), 255 released.
// Construction makes this the global input; destruction clears it.
class KC_INPUT {
public:
    struct KS_TOUCH {
        int32_t mId = -1;
        int32_t mState = -1;
        KS_POINT mPosition;
        KS_POINT mStart;
        float mTime = 0.0f;
        float mPressure = 0.0f;
        int32_t mTaps = 0;
    };

    static constexpr int32_t kTEXT_UNITS = 6;
    // The mouse buttons' key codes.
    static constexpr int32_t kMOUSE_LEFT = 1;
    static constexpr int32_t kMOUSE_RIGHT = 2;
    static constexpr int32_t kMOUSE_MIDDLE = 4;
    static constexpr bool fIsMouseButton(int32_t key) {
        return key == kMOUSE_LEFT || key == kMOUSE_RIGHT || key == kMOUSE_MIDDLE;
    }

    KC_INPUT();
    ~KC_INPUT();
    KC_INPUT(const KC_INPUT&) = delete;
    KC_INPUT& operator=(const KC_INPUT&) = delete;

    // A key went down; its text, if any, comes from the key table.
    void fOnKeyDown(int32_t key);
    // A key went down that typed the given character (0: none), as the
    // desktop's keyboard layout made it; the key table is not asked.
    void fOnKeyDown(int32_t key, wchar_t typed);
    // A character typed with no key of its own (an input method, a dead key
    // sequence): a key-down pass with last key 0 and this text, then a
    // key-up pass, as for a key pressed and released.
    void fOnChar(wchar_t typed);
    void fOnKeyUp(int32_t key);
    void fOnMouseMove(int32_t x, int32_t y);
    // Ages every key state; once per logic step, after the update slot.
    void fUpdate();

    uint8_t fGetKey(int32_t key) const { return fValid(key) ? mKeys[key] : 0; }
    bool fIsKeyPressed(int32_t key) const { return fGetKey(key) == 1; }
    bool fIsKeyReleased(int32_t key) const { return fGetKey(key) == 255; }
    // Keys that never produce text: editing, navigation and modifiers.
    static bool fIsSpecialKey(int32_t key);
    // Touch 0 is the mouse: 1 with its position; -1 for any other index.
    int32_t fGetTouchPosition(int32_t index, float& x, float& y) const;
    const KS_POINT& fGetMousePosition() const { return mMousePos; }
    // A move has told where the pointer is; before it the position is only
    // the corner it starts at.
    bool fHasMousePosition() const { return mMouseSeen; }

    uint8_t mKeys[256] = {};
    wchar_t mTypedText[kTEXT_UNITS] = {};
    int32_t mLastKey = 0;
    int32_t mReserved = 0;
    KS_POINT mMousePos;
    KS_POINT mPrevMousePos;
    // Touch-platform state this platform never changes.
    uint8_t mTouchFlags[2] = {};
    float mTouchScale[2] = {};
    uint8_t mTouchBytes[6] = {};
    int32_t mTouchActive = -1;
    KS_TOUCH mTouches[11];

private:
    bool mMouseSeen = false;

    static bool fValid(int32_t key) { return key >= 0 && key < 256; }
    void fCountDown(int32_t key);
};

// The key-down and key-up slots receive the key code as the argument's
// pointer value; a slot function reads it back with fKeyFromArgument.
inline void* fKeyArgument(int32_t key) { return reinterpret_cast<void*>(static_cast<intptr_t>(key)); }
inline int32_t fKeyFromArgument(void* argument) { return static_cast<int32_t>(reinterpret_cast<intptr_t>(argument)); }

// The global input's mouse position, or null without an input.
extern KS_POINT* kpMOUSE_POSITION;

}  // namespace KEL
