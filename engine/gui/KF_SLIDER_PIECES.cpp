#include "engine/gui/KF_SLIDER_PIECES.h"

#include <algorithm>
#include <cmath>

#include "engine/gui/KC_BASESLIDER.h"
#include "engine/gui/KF_GUI_SPRITES.h"

namespace KEL {

namespace {
constexpr float kQUARTER_TURN = 1.57079633f;

std::unique_ptr<KC_QUAD> fTrackPiece(KC_TEXTURE* texture, KC_BASESLIDER& slider, int32_t cells, int32_t cell,
                                     const KS_VEC2& at, float angle) {
    std::unique_ptr<KC_QUAD> piece = fMakeStripSprite(texture, nullptr, cells, cell);
    KS_TRANSFORM3* transform = piece->fGetTransform();
    transform->mParent = &slider.fGetTransform();
    transform->fSetPos2(at);
    transform->fSetAngle(angle);
    return piece;
}
}  // namespace

void fBuildSliderPieces(KS_SLIDER_PIECES& pieces, KC_BASESLIDER& slider, KC_TEXTURE* texture, int32_t cells) {
    const float angle = slider.fGetTrackAngle();
    const KC_BASESLIDER::KE_PART parts[] = {KC_BASESLIDER::kSTART_BUTTON, KC_BASESLIDER::kEND_BUTTON,
                                            KC_BASESLIDER::kKNOB};
    for (int32_t i = 0; i < 3; ++i) {
        KS_TRANSFORM3& transform = slider.fGetPartTransform(parts[i]);
        transform.fSetAngle(parts[i] == KC_BASESLIDER::kKNOB ? angle - kQUARTER_TURN : angle);
        pieces[static_cast<size_t>(i)] = fMakeStripSprite(texture, &transform, cells, i * kSLIDER_STATE_CELLS);
    }
    const float cell = pieces[kPIECE_START_BUTTON]->fGetWidth();
    const KS_VEC2 inset = slider.fGetDirection() * (slider.fGetRadius() + cell / 2.0f);
    const KS_VEC2 capStart = slider.fGetStart() + inset;
    const KS_VEC2 capEnd = slider.fGetEnd() - inset;
    pieces[kPIECE_CAP_START] = fTrackPiece(texture, slider, cells, kSLIDER_TRACK_CELL, capStart, angle);
    pieces[kPIECE_CAP_END] = fTrackPiece(texture, slider, cells, kSLIDER_TRACK_CELL + 2, capEnd, angle);
    KC_QUAD* middle = (pieces[kPIECE_TRACK] = fTrackPiece(texture, slider, cells, kSLIDER_TRACK_CELL + 1,
                                                          (capStart + capEnd) * 0.5f, angle))
                          .get();
    const float length = std::max(0.0f, KS_VEC2::fDistance(capStart, capEnd) - cell);
    middle->fSetSizeF(length, middle->fGetHeight());
    middle->fSetHotSpot(kANCHOR_CENTRE);
}

void fShowSliderStates(KS_SLIDER_PIECES& pieces, const KC_BASESLIDER& slider, int32_t cells) {
    const KC_BASESLIDER::KE_PART parts[] = {KC_BASESLIDER::kSTART_BUTTON, KC_BASESLIDER::kEND_BUTTON,
                                            KC_BASESLIDER::kKNOB};
    for (int32_t i = 0; i < 3; ++i)
        fShowFrame(pieces[static_cast<size_t>(i)].get(), cells, i * kSLIDER_STATE_CELLS + slider.fGetState(parts[i]));
}

void fDrawSliderTrack(const KS_SLIDER_PIECES& pieces) {
    for (int32_t i : {kPIECE_CAP_START, kPIECE_TRACK, kPIECE_CAP_END})
        if (pieces[static_cast<size_t>(i)]) pieces[static_cast<size_t>(i)]->fDraw();
}

void fDrawSliderParts(const KS_SLIDER_PIECES& pieces) {
    for (int32_t i : {kPIECE_START_BUTTON, kPIECE_END_BUTTON, kPIECE_KNOB})
        if (pieces[static_cast<size_t>(i)]) pieces[static_cast<size_t>(i)]->fDraw();
}

void fSetSliderTexture(KS_SLIDER_PIECES& pieces, KC_TEXTURE* texture) {
    if (!texture) return;
    for (auto& piece : pieces)
        if (piece) piece->fSetTexture(texture);
}

float fSliderBoxWidth(const KC_BASESLIDER& slider, float extentX, float pieceHeight) {
    return std::fabs(extentX) + std::fabs(std::sin(slider.fGetTrackAngle())) * pieceHeight;
}

float fSliderBoxHeight(const KC_BASESLIDER& slider, float extentY, float pieceHeight) {
    return std::fabs(extentY) + std::fabs(std::cos(slider.fGetTrackAngle())) * pieceHeight;
}

}  // namespace KEL
