#include "engine/gui/KC_GUI_IMAGE.h"

#include "engine/gui/KF_GUI_SPRITES.h"

namespace KEL {

KC_GUI_IMAGE::KC_GUI_IMAGE(int32_t id, const std::string& textureName) : KC_GUI_OBJECT(id), mTexture(textureName) {
    mType = kTYPE_IMAGE;
}

KS_MOUSE_RESULT KC_GUI_IMAGE::fOnMouseDown() {
    mEvent.mCode = fMouseIn(&mHitArea) ? KS_GUI_EVENT::kPRESSED : KS_GUI_EVENT::kNONE;
    return fReport();
}

KS_MOUSE_RESULT KC_GUI_IMAGE::fOnMouseUp() {
    mEvent.mCode = fMouseIn(&mHitArea) ? KS_GUI_EVENT::kCLICK : KS_GUI_EVENT::kNONE;
    return fReport();
}

void KC_GUI_IMAGE::fDraw() {
    if (mSprite) mSprite->fDraw();
}

void KC_GUI_IMAGE::fSetSize(int32_t width, int32_t height) {
    if (!mSprite) {
        mSized = true;
        mWidth = width;
        mHeight = height;
        return;
    }
    mSprite->fSetSize(width, height);
}

float KC_GUI_IMAGE::fGetWidth() const { return fSpriteWidth(mSprite.get()); }
float KC_GUI_IMAGE::fGetHeight() const { return fSpriteHeight(mSprite.get()); }

void KC_GUI_IMAGE::fSetAnchor(int32_t anchor) {
    mAnchor = anchor;
    if (mSprite) mSprite->fSetHotSpot(anchor);
}

void KC_GUI_IMAGE::fBuild() {
    mSprite = fMakeSprite(mTexture.fAcquire(), &mTransform);
    if (mSized) mSprite->fSetSize(mWidth, mHeight);
    fFitArea(mHitArea, *mSprite);
    mSprite->fSetHotSpot(mAnchor);
}

void KC_GUI_IMAGE::fReloadResources() {
    if (mSprite) fReloadSprite(mSprite.get(), mTexture);
    else fBuild();
}

void KC_GUI_IMAGE::fReleaseResources() { fReleaseSprite(mSprite.get(), mTexture); }

void KC_GUI_IMAGE::fSetTexture(const std::string& textureName) {
    if (!mSprite) {
        mTexture.fSetName(textureName);
        return;
    }
    fReleaseResources();
    mTexture.fSetName(textureName);
    mSprite.reset();
    fBuild();
}

}  // namespace KEL
