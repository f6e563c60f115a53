#include "engine/gui/KC_GUI_SLIDER13.h"

#include "engine/gui/KF_GUI_SPRITES.h"
#include "engine/scene/KE_ANCHOR.h"
#include "engine/scene/KF_SCENE_TEXTURES.h"

namespace KEL {

namespace {
constexpr float kQUARTER_TURN = 1.57079633f;
}  // namespace

KC_GUI_SLIDER13::KC_GUI_SLIDER13(int32_t id, const std::string& textureName, const KS_VEC2& start, const KS_VEC2& end,
                                 float radius, float buttonDistance, float minimum, float maximum, float step,
                                 float value)
    : KC_BASESLIDER(id, start, end, radius, buttonDistance, minimum, maximum, step, value), mTexture(textureName) {}

void KC_GUI_SLIDER13::fReloadResources() {
    if (!mBuilt) {
        fBuild();
        return;
    }
    KC_TEXTURE* texture = mTexture.fAcquire();
    fSetSliderTexture(mPieces, texture);
    if (texture) mFill->fSetTexture(texture);
}

void KC_GUI_SLIDER13::fReleaseResources() {
    if (!mTexture.fRelease()) return;
    KC_TEXTURE* fallback = fSceneDefaultTexture();
    fSetSliderTexture(mPieces, fallback);
    if (fallback && mFill) mFill->fSetTexture(fallback);
}

void KC_GUI_SLIDER13::fBuild() {
    mBuilt = 1;
    KC_TEXTURE* texture = mTexture.fAcquire();
    fBuildSliderPieces(mPieces, *this, texture, kCELLS);
    fShowSliderStates(mPieces, *this, kCELLS);
    // The fill is one cell wide and runs down its own y axis, so it is
    // turned a quarter less than the track.
    mFill = fMakeStripSprite(texture, nullptr, kCELLS, kFILL_CELL);
    mFillWidth = mFill->fGetWidth();
    mFill->fGetTransform()->mParent = &fGetTransform();
    mFill->fGetTransform()->fSetAngle(fGetTrackAngle() - kQUARTER_TURN);
    fUpdateFill();
}

void KC_GUI_SLIDER13::fUpdateFill() {
    if (!mBuilt) return;
    mFillOrigin = fGetStart() + fGetMarginVector();
    mFillLength = KS_VEC2::fDistance(mFillOrigin, fGetKnobPosition());
    mFill->fSetSize(static_cast<int32_t>(mFillWidth), static_cast<int32_t>(mFillLength));
    mFill->fSetHotSpot(kANCHOR_TOP);
    mFill->fGetTransform()->fSetPos2(mFillOrigin);
}

void KC_GUI_SLIDER13::fSetValue(float value) {
    KC_BASESLIDER::fSetValue(value);
    fUpdateFill();
}

KS_MOUSE_RESULT KC_GUI_SLIDER13::fRefresh(const KS_MOUSE_RESULT& result) {
    if (result.fTaken() && mBuilt) {
        fUpdateFill();
        fShowSliderStates(mPieces, *this, kCELLS);
    }
    return result;
}

KS_MOUSE_RESULT KC_GUI_SLIDER13::fGetEvent() { return fRefresh(KC_BASESLIDER::fGetEvent()); }
KS_MOUSE_RESULT KC_GUI_SLIDER13::fOnMouseDown() { return fRefresh(KC_BASESLIDER::fOnMouseDown()); }
KS_MOUSE_RESULT KC_GUI_SLIDER13::fOnMouseMove() { return fRefresh(KC_BASESLIDER::fOnMouseMove()); }

KS_MOUSE_RESULT KC_GUI_SLIDER13::fOnMouseUp() {
    const KS_MOUSE_RESULT result = fRefresh(fHandleRelease());
    if (result.fHasEvent()) fCallScript(KE_SCRIPT::kUP);
    return result;
}

void KC_GUI_SLIDER13::fDraw() {
    if (!mBuilt) return;
    fDrawSliderTrack(mPieces);
    mFill->fDraw();
    fDrawSliderParts(mPieces);
}

float KC_GUI_SLIDER13::fGetWidth() const {
    if (!mBuilt) return 0.0f;
    return fSliderBoxWidth(*this, (fGetEnd() - fGetStart()).x, mPieces[kPIECE_KNOB]->fGetHeight());
}

float KC_GUI_SLIDER13::fGetHeight() const {
    if (!mBuilt) return 0.0f;
    return fSliderBoxHeight(*this, (fGetEnd() - fGetStart()).y, mPieces[kPIECE_KNOB]->fGetHeight());
}

}  // namespace KEL
