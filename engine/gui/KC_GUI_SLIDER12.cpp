#include "engine/gui/KC_GUI_SLIDER12.h"

namespace KEL {

KC_GUI_SLIDER12::KC_GUI_SLIDER12(int32_t id, const std::string& textureName, const KS_VEC2& start, const KS_VEC2& end,
                                 float radius, float buttonDistance, float minimum, float maximum, float step,
                                 float value)
    : KC_BASESLIDER(id, start, end, radius, buttonDistance, minimum, maximum, step, value), mTexture(textureName) {
    fBuildSliderPieces(mPieces, *this, mTexture.fAcquire(), kCELLS);
}

KS_MOUSE_RESULT KC_GUI_SLIDER12::fGetEvent() {
    const KS_MOUSE_RESULT result = KC_BASESLIDER::fGetEvent();
    fShowSliderStates(mPieces, *this, kCELLS);
    return result;
}

void KC_GUI_SLIDER12::fDraw() {
    fDrawSliderTrack(mPieces);
    fDrawSliderParts(mPieces);
}

KS_VEC2 KC_GUI_SLIDER12::fExtent() const { return fGetEnd() - fGetStart() + fGetDirection() * (2.0f * fGetRadius()); }

float KC_GUI_SLIDER12::fGetWidth() const {
    return fSliderBoxWidth(*this, fExtent().x, mPieces[kPIECE_START_BUTTON]->fGetHeight());
}

float KC_GUI_SLIDER12::fGetHeight() const {
    return fSliderBoxHeight(*this, fExtent().y, mPieces[kPIECE_START_BUTTON]->fGetHeight());
}

}  // namespace KEL
