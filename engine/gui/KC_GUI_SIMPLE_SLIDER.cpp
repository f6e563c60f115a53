#include "engine/gui/KC_GUI_SIMPLE_SLIDER.h"

#include <algorithm>

#include "engine/gui/KF_GUI_SPRITES.h"

namespace KEL {

namespace {
constexpr float kHALF = 0.5f;
}  // namespace

KC_GUI_SIMPLE_SLIDER::KC_GUI_SIMPLE_SLIDER(int32_t id, const std::string& barTextureName,
                                           const std::string& runnerTextureName)
    : KC_GUI_OBJECT(id), mBarTexture(barTextureName), mRunnerTexture(runnerTextureName) {}

void KC_GUI_SIMPLE_SLIDER::fReloadResources() {
    if (!mBar) {
        fBuild();
        return;
    }
    fReloadSprite(mBar.get(), mBarTexture);
    fReloadSprite(mRunner.get(), mRunnerTexture);
}

void KC_GUI_SIMPLE_SLIDER::fReleaseResources() {
    fReleaseSprite(mBar.get(), mBarTexture);
    fReleaseSprite(mRunner.get(), mRunnerTexture);
}

void KC_GUI_SIMPLE_SLIDER::fBuild() {
    mBar = fMakeSprite(mBarTexture.fAcquire(), nullptr);
    mBar->fGetTransform()->mParent = &mTransform;
    mBarSize.fSet(mBar->fGetWidth() * kHALF, mBar->fGetHeight());
    mBar->fSetSizeV(mBarSize);
    mBar->fSetHotSpot(kANCHOR_CENTRE);
    mRunner = fMakeSprite(mRunnerTexture.fAcquire(), nullptr);
    mRunner->fGetTransform()->mParent = mBar->fGetTransform();
    mRunner->fSetHotSpot(kANCHOR_CENTRE);
    mRunnerSize.fSet(mRunner->fGetWidth(), mRunner->fGetHeight());
    mTrack = mBarSize.x - mRunnerSize.x;
    mHitArea.fSet(KS_HIT_AREA::kRECT, mRunner->fGetTransform(), mRunnerSize.x, mRunnerSize.y);
    fSetValue(mValue);
}

float KC_GUI_SIMPLE_SLIDER::fBarLeft() const {
    return mBar->fGetTransform()->fGetAbsolute().mPosition.x - mTrack / 2.0f;
}

void KC_GUI_SIMPLE_SLIDER::fPlaceRunner(float screenX) {
    if (mTrack <= 0.0f) {
        mValue = 0.0f;
        mRunner->fSetPosition(0.0f, 0.0f, 0.0f);
        return;
    }
    const float left = fBarLeft();
    const float x = static_cast<float>(static_cast<int32_t>(std::clamp(screenX, left, left + mTrack)));
    // Whole pixels may fall just outside a fractional end.
    mValue = std::clamp((x - left) / mTrack, 0.0f, 1.0f);
    mRunner->fSetPosition(mTrack * mValue - mTrack / 2.0f, 0.0f, 0.0f);
}

void KC_GUI_SIMPLE_SLIDER::fSetValue(float value) {
    mValue = value;
    if (!mBar) return;
    fPlaceRunner(static_cast<float>(static_cast<int32_t>(fBarLeft() + mTrack * value)));
}

KS_MOUSE_RESULT KC_GUI_SIMPLE_SLIDER::fOnMouseDown() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (mRunner && fMouseIn(&mHitArea)) {
        mHeld = 1;
        mEvent.mCode = KS_GUI_EVENT::kPRESSED;
    }
    return fReport();
}

KS_MOUSE_RESULT KC_GUI_SIMPLE_SLIDER::fOnMouseUp() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (mHeld) {
        mHeld = 0;
        mEvent.mCode = KS_GUI_EVENT::kCLICK;
    }
    return fReport();
}

KS_MOUSE_RESULT KC_GUI_SIMPLE_SLIDER::fOnMouseMove() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (mHeld && mBar) {
        fPlaceRunner(fMouseX());
        mEvent.mCode = KS_GUI_EVENT::kDRAG;
    }
    return fReport();
}

void KC_GUI_SIMPLE_SLIDER::fDraw() {
    if (!mBar) return;
    // The empty half over the whole bar, then the full half up to the
    // runner's centre; the pivot stays put, so both start at the left edge.
    mBar->fSetUV(0.0f, 0.0f, kHALF, 1.0f);
    mBar->fSetWidth(mBarSize.x);
    mBar->fDraw();
    const float barLeft = mBar->fGetTransform()->fGetAbsolute().mPosition.x - mBarSize.x / 2.0f;
    const float runnerX = mRunner->fGetTransform()->fGetAbsolute().mPosition.x;
    const float k = mBarSize.x > 0.0f ? std::clamp((runnerX - barLeft) / mBarSize.x, 0.0f, 1.0f) : 0.0f;
    mBar->fSetUV(kHALF, 0.0f, kHALF + kHALF * k, 1.0f);
    mBar->fSetWidth(mBarSize.x * k);
    mBar->fDraw();
    mBar->fSetWidth(mBarSize.x);
    mRunner->fDraw();
}

}  // namespace KEL
