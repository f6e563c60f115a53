#include "engine/gui/KC_GUI_PROGRESS_BAR.h"

#include "engine/gui/KF_GUI_SPRITES.h"
#include "engine/scene/KE_ANCHOR.h"
#include "engine/scene/KF_SCENE_TEXTURES.h"

namespace KEL {

namespace {
constexpr float kHALF = 0.5f;
}  // namespace

KC_GUI_PROGRESS_BAR::KC_GUI_PROGRESS_BAR(int32_t id, const std::string& textureName)
    : KC_BASEPROGRESS(id), mTexture(textureName) {
    mType = kTYPE_PROGRESS_BAR;
}

void KC_GUI_PROGRESS_BAR::fReloadResources() {
    if (!mBackground) {
        fBuild();
        return;
    }
    fReloadSprite(mBackground.get(), mTexture);
    fReloadSprite(mFill.get(), mTexture);
}

void KC_GUI_PROGRESS_BAR::fReleaseResources() {
    // One use of the texture serves both sprites.
    if (!mTexture.fRelease()) return;
    KC_TEXTURE* fallback = fSceneDefaultTexture();
    if (!fallback) return;
    mBackground->fSetTexture(fallback);
    mFill->fSetTexture(fallback);
}

void KC_GUI_PROGRESS_BAR::fBuild() {
    KC_TEXTURE* texture = mTexture.fAcquire();
    mBackground = fMakeSprite(texture, &mTransform);
    if (!mSized) {
        mBarWidth = static_cast<int32_t>(mBackground->fGetWidth() * kHALF);
        mBarHeight = static_cast<int32_t>(mBackground->fGetHeight());
    }
    // The empty half behind.
    mBackground->fSetFrame(2, 1, 0, false);
    mBackground->fSetSize(mBarWidth, mBarHeight);
    mBackground->fSetHotSpot(kANCHOR_CENTRE);
    mFill = fMakeSprite(texture, nullptr);
    mFill->fGetTransform()->mParent = &mTransform;
    fShowRatio();
}

void KC_GUI_PROGRESS_BAR::fSetSize(int32_t width, int32_t height) {
    mSized = true;
    mBarWidth = width;
    mBarHeight = height;
    if (!mBackground) return;
    mBackground->fSetSize(width, height);
    mBackground->fSetHotSpot(kANCHOR_CENTRE);
    fApply();
}

void KC_GUI_PROGRESS_BAR::fApply() {
    if (!mFill) return;
    fShowRatio();
    fRunFilledRule();
}

// The full half cropped to the ratio, growing from the bar's left edge.
void KC_GUI_PROGRESS_BAR::fShowRatio() {
    mFill->fSetSize(static_cast<int32_t>(static_cast<float>(mBarWidth) * mRatio), mBarHeight);
    mFill->fSetUV(kHALF, 0.0f, kHALF + kHALF * mRatio, 1.0f);
    mFill->fSetHotSpot(kANCHOR_LEFT, static_cast<float>(mBarWidth) * kHALF, 0.0f);
}

void KC_GUI_PROGRESS_BAR::fDraw() {
    if (mBackground) mBackground->fDraw();
    if (mFill) mFill->fDraw();
}

}  // namespace KEL
