#include "engine/gui/KC_GUI_BUTTON5.h"

#include "engine/gui/KF_GUI_SPRITES.h"

namespace KEL {

KC_GUI_BUTTON5::KC_GUI_BUTTON5(int32_t id, const std::string& textureName) : KC_GUI_OBJECT(id), mTexture(textureName) {
    mType = kTYPE_BUTTON;
}

void KC_GUI_BUTTON5::fShow(int32_t frame) { fShowFrame(mSprite.get(), kFRAMES, frame); }

void KC_GUI_BUTTON5::fSetNormal() {
    if (mState == kHOVER || mState == kPRESSED) return;
    fSetState(kNORMAL);
}

void KC_GUI_BUTTON5::fSetState(int32_t state) {
    mState = state;
    fShow(state);
}

KS_MOUSE_RESULT KC_GUI_BUTTON5::fOnMouseMove() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    const bool inside = fMouseIn(&mHitArea);
    if (inside && mState == kNORMAL) {
        mState = kHOVER;
        fCallScript(KE_SCRIPT::kENTER);
        mEvent.mCode = KS_GUI_EVENT::kENTERED;
        mActive = 1;
    } else if (!inside && (mState == kHOVER || mState == kPRESSED)) {
        mState = kNORMAL;
        mPressed = 0;
        fCallScript(KE_SCRIPT::kLEAVE);
        mEvent.mCode = KS_GUI_EVENT::kLEFT;
        mActive = 0;
    }
    fShow(mState);
    return fReport();
}

KS_MOUSE_RESULT KC_GUI_BUTTON5::fOnMouseDown() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (mActive && mState == kHOVER && fLeftPressed()) {
        mPressed = 1;
        mState = kPRESSED;
        fCallScript(KE_SCRIPT::kDOWN);
        mEvent.mCode = KS_GUI_EVENT::kPRESSED;
    }
    fShow(mState);
    return fReport();
}

KS_MOUSE_RESULT KC_GUI_BUTTON5::fOnMouseUp() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (!mActive || mState != kPRESSED || !mPressed || !fLeftReleased()) {
        fShow(mState);
        return fReport();
    }
    // The release does not test the pointer: leaving has already disarmed
    // the button. It shows the normal frame until the next move.
    mPressed = 0;
    mState = fMouseIn(&mHitArea) ? kHOVER : kNORMAL;
    fShow(kNORMAL);
    fCallScript(KE_SCRIPT::kUP);
    mEvent.mCode = KS_GUI_EVENT::kCLICK;
    return fReport();
}

void KC_GUI_BUTTON5::fDraw() {
    if (mSprite) mSprite->fDraw();
}

float KC_GUI_BUTTON5::fGetWidth() const { return fSpriteWidth(mSprite.get()); }
float KC_GUI_BUTTON5::fGetHeight() const { return fSpriteHeight(mSprite.get()); }

void KC_GUI_BUTTON5::fReloadResources() {
    if (mSprite) {
        fReloadSprite(mSprite.get(), mTexture);
        return;
    }
    mSprite = fMakeStripSprite(mTexture.fAcquire(), &mTransform, kFRAMES, mState);
    fFitArea(mHitArea, *mSprite);
}

void KC_GUI_BUTTON5::fReleaseResources() { fReleaseSprite(mSprite.get(), mTexture); }

}  // namespace KEL
