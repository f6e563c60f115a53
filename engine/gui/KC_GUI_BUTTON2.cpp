#include "engine/gui/KC_GUI_BUTTON2.h"

#include "engine/gui/KF_GUI_SPRITES.h"
#include "engine/render/KC_TEXTURE.h"

namespace KEL {

KC_GUI_BUTTON2::KC_GUI_BUTTON2(int32_t id, const std::string& textureName) : KC_GUI_OBJECT(id), mTexture(textureName) {
    mType = kTYPE_BUTTON;
}

KS_MOUSE_RESULT KC_GUI_BUTTON2::fGetEvent() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    const bool inside = fMouseIn(&mHitArea);
    if (mState == kUP) {
        if (inside && fLeftPressed()) {
            mState = kDOWN;
            fCallScript(KE_SCRIPT::kDOWN);
            fShowFrame(mSprite.get(), kFRAMES, 1);
            mEvent.mCode = KS_GUI_EVENT::kPRESSED;
        }
    } else if (!inside || fLeftReleased()) {
        mState = kUP;
        fCallScript(KE_SCRIPT::kUP);
        fShowFrame(mSprite.get(), kFRAMES, 0);
        mEvent.mCode = KS_GUI_EVENT::kCLICK;
    }
    return fReport();
}

void KC_GUI_BUTTON2::fDraw() {
    if (mSprite) mSprite->fDraw();
}

float KC_GUI_BUTTON2::fGetWidth() const { return fSpriteWidth(mSprite.get()); }
float KC_GUI_BUTTON2::fGetHeight() const { return fSpriteHeight(mSprite.get()); }

void KC_GUI_BUTTON2::fReloadResources() {
    if (mSprite) {
        fReloadSprite(mSprite.get(), mTexture);
        return;
    }
    KC_TEXTURE* texture = mTexture.fAcquire();
    mSprite = fMakeSprite(texture, &mTransform);
    if (texture) mSprite->fSetSize(texture->fGetWidth() / kFRAMES, texture->fGetHeight());
    mSprite->fSetHotSpot(kANCHOR_CENTRE);
    fShowFrame(mSprite.get(), kFRAMES, mState == kDOWN ? 1 : 0);
    fFitArea(mHitArea, *mSprite);
}

void KC_GUI_BUTTON2::fReleaseResources() { fReleaseSprite(mSprite.get(), mTexture); }

}  // namespace KEL
