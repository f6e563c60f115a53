#include "engine/gui/KC_GUI_DRAGGABLE.h"

namespace KEL {

KS_MOUSE_RESULT KC_GUI_DRAGGABLE::fOnMouseMove() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    const bool inside = fMouseIn(&mHitArea);
    if (inside && !mHovered) {
        fCallScript(KE_SCRIPT::kENTER);
        mEvent.mCode = KS_GUI_EVENT::kENTERED;
        mHovered = 1;
    } else if (!inside && mHovered) {
        fCallScript(KE_SCRIPT::kLEAVE);
        mEvent.mCode = KS_GUI_EVENT::kLEFT;
        mHovered = 0;
    }
    if (mGrabbed && mMovable) {
        const int32_t x = static_cast<int32_t>(fMouseX()) - mGrabOffset.x;
        const int32_t y = static_cast<int32_t>(fMouseY()) - mGrabOffset.y;
        fSetPosition(static_cast<float>(x), static_cast<float>(y), 0.0f);
        if (mGrabScript) KC_CALLBACK::fCall(mGrabScript.get(), this);
        mEvent.mCode = KS_GUI_EVENT::kDRAG;
    }
    return fReport();
}

KS_MOUSE_RESULT KC_GUI_DRAGGABLE::fOnMouseDown() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (!fLeftPressed()) return fReport();
    if (!mHovered) {
        mActive = 0;
        return fReport();
    }
    mGrabbed = 1;
    mActive = 1;
    mGrabOffset.fSet(static_cast<int32_t>(fMouseX()) - static_cast<int32_t>(mTransform.mPosition.x),
                     static_cast<int32_t>(fMouseY()) - static_cast<int32_t>(mTransform.mPosition.y));
    fCallScript(KE_SCRIPT::kDOWN);
    mEvent.mCode = KS_GUI_EVENT::kPRESSED;
    return fReport();
}

KS_MOUSE_RESULT KC_GUI_DRAGGABLE::fOnMouseUp() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (mHovered && mActive && fLeftReleased()) {
        mGrabbed = 0;
        fCallScript(KE_SCRIPT::kUP);
        mEvent.mCode = KS_GUI_EVENT::kCLICK;
    }
    return fReport();
}

}  // namespace KEL
