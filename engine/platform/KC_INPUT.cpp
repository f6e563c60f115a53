#include "engine/platform/KC_INPUT.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/platform/KF_SYSTEM.h"
#include "host/VirtualKeys.h"

namespace KEL {

KS_POINT* kpMOUSE_POSITION = nullptr;

KC_INPUT::KC_INPUT() {
    kcINPUT = this;
    kpMOUSE_POSITION = &mMousePos;
}

KC_INPUT::~KC_INPUT() {
    if (kcINPUT == this) {
        kcINPUT = nullptr;
        kpMOUSE_POSITION = nullptr;
    }
}

bool KC_INPUT::fIsSpecialKey(int32_t key) {
    switch (key) {
        case host::vk::kBACKSPACE:
        case host::vk::kENTER:
        case host::vk::kSHIFT:
        case host::vk::kCONTROL:
        case host::vk::kESCAPE:
        case host::vk::kEND:
        case host::vk::kHOME:
        case host::vk::kLEFT:
        case host::vk::kUP:
        case host::vk::kRIGHT:
        case host::vk::kDOWN:
        case host::vk::kINSERT:
        case host::vk::kDELETE: return true;
        default: return false;
    }
}

void KC_INPUT::fCountDown(int32_t key) {
    mLastKey = key;
    if (key == host::vk::kSHIFT) {
        // Shift also marks caps lock's byte, which the key-to-text conversion
        // reads as the caps toggle; ageing leaves that byte alone.
        mKeys[host::vk::kSHIFT] = 1;
        mKeys[host::vk::kCAPS_LOCK] = 1;
    } else {
        // Read as a signed byte: 0..120 grows, 255 (-1) becomes 0, others 2.
        const int8_t value = static_cast<int8_t>(mKeys[key]);
        mKeys[key] = value <= 120 ? static_cast<uint8_t>(value + 1) : 2;
    }
    // A key without text must not leave the previous key's text behind.
    mTypedText[0] = 0;
}

void KC_INPUT::fOnKeyDown(int32_t key) {
    if (!fValid(key)) return;
    fCountDown(key);
    if (!fIsSpecialKey(key)) fKeyToUnicode(key, mKeys, mTypedText, kTEXT_UNITS);
    KC_CALLBACK::fCall(kcbKEY_DOWN, fKeyArgument(key));
}

void KC_INPUT::fOnKeyDown(int32_t key, wchar_t typed) {
    if (!fValid(key)) return;
    fCountDown(key);
    if (!fIsSpecialKey(key)) {
        mTypedText[0] = typed;
        mTypedText[1] = 0;
    }
    KC_CALLBACK::fCall(kcbKEY_DOWN, fKeyArgument(key));
}

void KC_INPUT::fOnChar(wchar_t typed) {
    if (typed == 0) return;
    // No key of its own: a last key left from an earlier press (Backspace)
    // must not be applied again.
    mLastKey = 0;
    mTypedText[0] = typed;
    mTypedText[1] = 0;
    KC_CALLBACK::fCall(kcbKEY_DOWN, fKeyArgument(0));
    // No key will come up for it either; the release pass that follows every
    // key (where text boxes check what was typed) is raised here.
    KC_CALLBACK::fCall(kcbKEY_UP, fKeyArgument(0));
}

void KC_INPUT::fOnKeyUp(int32_t key) {
    if (!fValid(key)) return;
    if (key == host::vk::kSHIFT) {
        mKeys[host::vk::kSHIFT] = 255;
        mKeys[host::vk::kCAPS_LOCK] = 255;
    } else {
        mKeys[key] = 255;
    }
    KC_CALLBACK::fCall(kcbKEY_UP, fKeyArgument(key));
}

void KC_INPUT::fOnMouseMove(int32_t x, int32_t y) {
    mPrevMousePos = mMousePos;
    mMousePos = KS_POINT(x, y);
    mMouseSeen = true;
    KC_CALLBACK::fCall(kcbMOUSE_MOVE);
}

void KC_INPUT::fUpdate() {
    mLastKey = 0;
    mTypedText[0] = 0;
    for (int32_t i = 0; i < 256; ++i) {
        uint8_t& state = mKeys[i];
        if (state == 255) {
            state = 0;
        } else if (i != host::vk::kCAPS_LOCK && state != 0) {
            state = state + 1 > 125 ? 2 : static_cast<uint8_t>(state + 1);
        }
    }
}

int32_t KC_INPUT::fGetTouchPosition(int32_t index, float& x, float& y) const {
    if (index != 0) return KS_RESULT::kFAILED;
    x = static_cast<float>(mMousePos.x);
    y = static_cast<float>(mMousePos.y);
    return KS_RESULT::kOK;
}

}  // namespace KEL
