#include "engine/gui/KC_GUI_CHECKBOX5.h"

#include "engine/gui/KF_GUI_SPRITES.h"

namespace KEL {

KC_GUI_CHECKBOX5::KC_GUI_CHECKBOX5(int32_t id, const std::string& textureName)
    : KC_GUI_CHECKBOX_INTERFACE(id), mTexture(textureName) {
    mType = kTYPE_CHECKBOX;
}

void KC_GUI_CHECKBOX5::fMoveOutside() {
    if (mState == kCHECKED) {
        mHovered = 0;
        mPressed = 0;
    } else if (mState == kHOVER) {
        mState = kUNCHECKED;
        mPressed = 0;
        fCallScript(KE_SCRIPT::kLEAVE);
        mEvent.mCode = KS_GUI_EVENT::kLEFT;
        mActive = 0;
    }
}

void KC_GUI_CHECKBOX5::fMoveInside() {
    if (mState == kCHECKED) {
        // A checked box reports the enter on every move over it.
        mHovered = 1;
        mActive = 1;
        fCallScript(KE_SCRIPT::kENTER);
        mEvent.mCode = KS_GUI_EVENT::kENTERED;
    } else if (mState == kUNCHECKED) {
        mState = kHOVER;
        fCallScript(KE_SCRIPT::kENTER);
        mEvent.mCode = KS_GUI_EVENT::kENTERED;
        mActive = 1;
    }
}

KS_MOUSE_RESULT KC_GUI_CHECKBOX5::fOnMouseMove() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (fMouseIn(&mHitArea)) fMoveInside();
    else fMoveOutside();
    fShowFrame(mSprite.get(), kFRAMES, mState);
    return fReport();
}

KS_MOUSE_RESULT KC_GUI_CHECKBOX5::fOnMouseDown() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if ((mState == kHOVER && mActive) || (mState == kCHECKED && mHovered)) {
        mPressed = 1;
        if (mState == kHOVER) mState = kPRESSED;
        fCallScript(KE_SCRIPT::kDOWN);
        mEvent.mCode = KS_GUI_EVENT::kPRESSED;
    }
    return fReport();
}

KS_MOUSE_RESULT KC_GUI_CHECKBOX5::fOnMouseUp() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (!mPressed || (mState != kPRESSED && mState != kCHECKED)) return fReport();
    mPressed = 0;
    mState = mState == kPRESSED ? kCHECKED : kHOVER;
    fShowFrame(mSprite.get(), kFRAMES, mState);
    fCallScript(KE_SCRIPT::kUP);
    mEvent.mCode = KS_GUI_EVENT::kCLICK;
    return fReport();
}

void KC_GUI_CHECKBOX5::fDraw() {
    if (!mSprite) return;
    if (mState == kCHECKED) {
        // The box under the tick, then the tick at the same place.
        const int32_t box = !mHovered ? kUNCHECKED : (mPressed ? kPRESSED : kHOVER);
        fShowFrame(mSprite.get(), kFRAMES, box);
        mSprite->fDraw();
        fShowFrame(mSprite.get(), kFRAMES, kCHECKED);
    }
    mSprite->fDraw();
}

void KC_GUI_CHECKBOX5::fSetChecked(bool checked, bool) {
    mState = checked ? kCHECKED : kUNCHECKED;
    fShowFrame(mSprite.get(), kFRAMES, mState);
}

void KC_GUI_CHECKBOX5::fSetSize(int32_t width, int32_t height) {
    mSized = true;
    mWidth = width;
    mHeight = height;
    fApplySize();
}

void KC_GUI_CHECKBOX5::fApplySize() {
    if (!mSprite || !mSized) return;
    mSprite->fSetSize(mWidth, mHeight);
    mSprite->fSetHotSpot(kANCHOR_CENTRE);
    fFitArea(mHitArea, *mSprite);
}

float KC_GUI_CHECKBOX5::fGetWidth() const { return fSpriteWidth(mSprite.get()); }
float KC_GUI_CHECKBOX5::fGetHeight() const { return fSpriteHeight(mSprite.get()); }

void KC_GUI_CHECKBOX5::fReloadResources() {
    if (mSprite) {
        fReloadSprite(mSprite.get(), mTexture);
        return;
    }
    mSprite = fMakeStripSprite(mTexture.fAcquire(), &mTransform, kFRAMES, mState);
    fFitArea(mHitArea, *mSprite);
    fApplySize();
}

void KC_GUI_CHECKBOX5::fReleaseResources() { fReleaseSprite(mSprite.get(), mTexture); }

}  // namespace KEL
