#include "engine/gui/KC_GUI_CHECKBOX_IOS.h"

#include "engine/bots/KC_BOT_MOVE.h"
#include "engine/gui/KF_GUI_SPRITES.h"

namespace KEL {

KC_GUI_CHECKBOX_IOS::KC_GUI_CHECKBOX_IOS(int32_t id, const std::string& panelTexture, const std::string& knobTexture)
    : KC_GUI_CHECKBOX_INTERFACE(id),
      mPanelTexture(panelTexture),
      mKnobTexture(knobTexture),
      mSlideEnd(&KC_GUI_CHECKBOX_IOS::fOnSlideEnd, "switch slide end", this) {
    mType = kTYPE_CHECKBOX_IOS;
}

KC_GUI_CHECKBOX_IOS::~KC_GUI_CHECKBOX_IOS() { mSlides.fDeleteAll(); }

int32_t KC_GUI_CHECKBOX_IOS::fOnSlideEnd(void* widget) {
    static_cast<KC_GUI_CHECKBOX_IOS*>(widget)->mIdle = 1;
    return 0;
}

void KC_GUI_CHECKBOX_IOS::fSetChecked(bool checked, bool immediately) {
    if (checked == fIsChecked() || !mIdle || !mKnob) return;
    mChecked = checked ? 1 : 0;
    const float x = static_cast<float>(checked ? mKnobChecked : mKnobUnchecked);
    if (immediately) {
        mKnobTransform.fSetPos(x, 0.0f, mKnobTransform.mPosition.z);
        return;
    }
    mIdle = 0;
    KC_BOT_MOVE* slide = fCreateBotMove(&mKnobTransform, kSLIDE_SECONDS, 0.0f, x, 0.0f, 0.0f, 0.0f);
    slide->fMessage(KC_BASE::kMSG_SET_CALLBACK, 0.0f, 0.0f, 0.0f, &mSlideEnd);
    mSlides.fAdd(slide);
}

KS_MOUSE_RESULT KC_GUI_CHECKBOX_IOS::fGetEvent() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    mSlides.fUpdate();
    return KS_MOUSE_RESULT::fNotTaken();
}

KS_MOUSE_RESULT KC_GUI_CHECKBOX_IOS::fOnMouseDown() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (fMouseIn(&mHitArea)) {
        fSetChecked(!fIsChecked(), false);
        mEvent.mCode = KS_GUI_EVENT::kCLICK;
    }
    return fReport();
}

void KC_GUI_CHECKBOX_IOS::fDraw() {
    if (mPanel) mPanel->fDraw();
    if (mKnob) mKnob->fDraw();
}

float KC_GUI_CHECKBOX_IOS::fGetWidth() const { return fSpriteWidth(mPanel.get()); }
float KC_GUI_CHECKBOX_IOS::fGetHeight() const { return fSpriteHeight(mPanel.get()); }

void KC_GUI_CHECKBOX_IOS::fBuild() {
    mPanel = fMakeSprite(mPanelTexture.fAcquire(), &mTransform);
    mPanel->fSetHotSpot(kANCHOR_CENTRE);
    mKnobTransform.mParent = &mTransform;
    mKnob = fMakeSprite(mKnobTexture.fAcquire(), &mKnobTransform);
    mKnob->fSetHotSpot(kANCHOR_CENTRE);
    fFitArea(mHitArea, *mPanel);
    const int32_t offset = static_cast<int32_t>(mPanel->fGetWidth() / 2.0f - mKnob->fGetWidth() / 2.0f);
    mKnobUnchecked = offset;
    mKnobChecked = -offset;
    mKnobTransform.fSetPos(static_cast<float>(fIsChecked() ? mKnobChecked : mKnobUnchecked), 0.0f, 0.0f);
}

void KC_GUI_CHECKBOX_IOS::fReloadResources() {
    if (!mPanel) {
        fBuild();
        return;
    }
    fReloadSprite(mPanel.get(), mPanelTexture);
    fReloadSprite(mKnob.get(), mKnobTexture);
}

void KC_GUI_CHECKBOX_IOS::fReleaseResources() {
    fReleaseSprite(mPanel.get(), mPanelTexture);
    fReleaseSprite(mKnob.get(), mKnobTexture);
}

}  // namespace KEL
