#include "engine/gui/KC_GUI_PANEL.h"

#include "engine/gui/KF_GUI_SPRITES.h"

namespace KEL {

KC_GUI_PANEL::KC_GUI_PANEL(int32_t id, const std::string& textureName)
    : KC_GUI_DRAGGABLE(id, true), mTexture(textureName) {
    mType = kTYPE_PANEL;
}

void KC_GUI_PANEL::fDraw() {
    if (mSprite) mSprite->fDraw();
}

void KC_GUI_PANEL::fSetSize(int32_t width, int32_t height) {
    mSized = true;
    mWidth = width;
    mHeight = height;
    fApplySize();
}

void KC_GUI_PANEL::fApplySize() {
    if (!mSprite) return;
    mSprite->fSetSize(mWidth, mHeight);
    mSprite->fSetHotSpot(kANCHOR_CENTRE);
    mHitArea.fSetWidth(static_cast<float>(mWidth));
    mHitArea.fSetHeight(static_cast<float>(mHeight));
}

float KC_GUI_PANEL::fGetWidth() const { return fSpriteWidth(mSprite.get()); }
float KC_GUI_PANEL::fGetHeight() const { return fSpriteHeight(mSprite.get()); }

void KC_GUI_PANEL::fReloadResources() {
    if (mSprite) {
        fReloadSprite(mSprite.get(), mTexture);
        return;
    }
    mSprite = fMakeSprite(mTexture.fAcquire(), &mTransform);
    mSprite->fSetHotSpot(kANCHOR_CENTRE);
    if (!mSized) {
        mWidth = static_cast<int32_t>(mSprite->fGetWidth());
        mHeight = static_cast<int32_t>(mSprite->fGetHeight());
    }
    mHitArea.fSet(KS_HIT_AREA::kRECT, &mTransform, static_cast<float>(mWidth), static_cast<float>(mHeight));
    fApplySize();
}

void KC_GUI_PANEL::fReleaseResources() { fReleaseSprite(mSprite.get(), mTexture); }

}  // namespace KEL
