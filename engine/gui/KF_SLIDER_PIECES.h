#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "engine/scene/KC_QUAD.h"

// The pieces a track slider is drawn with, cut from one strip of equal cells
// laid side by side: three cells for each of the start button, the end
// button and the knob (idle, hovered, pressed), then the track's start cap,
// middle and end cap. Shared by the twelve- and thirteen-cell sliders.
namespace KEL {

class KC_BASESLIDER;
class KC_TEXTURE;

enum KE_SLIDER_PIECE : int32_t {
    kPIECE_START_BUTTON,
    kPIECE_END_BUTTON,
    kPIECE_KNOB,
    kPIECE_CAP_START,
    kPIECE_TRACK,
    kPIECE_CAP_END,
    kSLIDER_PIECES
};
inline constexpr int32_t kSLIDER_STATE_CELLS = 3;
inline constexpr int32_t kSLIDER_TRACK_CELL = 9;

using KS_SLIDER_PIECES = std::array<std::unique_ptr<KC_QUAD>, kSLIDER_PIECES>;

// One cell wide, the texture's height. The buttons and the knob are drawn
// at the slider's part transforms; the caps sit just inside the buttons and
// the middle piece is stretched between them. Everything is turned along
// the track, the knob a further quarter turn back.
void fBuildSliderPieces(KS_SLIDER_PIECES& pieces, KC_BASESLIDER& slider, KC_TEXTURE* texture, int32_t cells);
// Each button and the knob show the cell of their state.
void fShowSliderStates(KS_SLIDER_PIECES& pieces, const KC_BASESLIDER& slider, int32_t cells);
void fDrawSliderTrack(const KS_SLIDER_PIECES& pieces);
void fDrawSliderParts(const KS_SLIDER_PIECES& pieces);
void fSetSliderTexture(KS_SLIDER_PIECES& pieces, KC_TEXTURE* texture);
// The box round the turned track: its extent plus the given piece height
// across it.
float fSliderBoxWidth(const KC_BASESLIDER& slider, float extentX, float pieceHeight);
float fSliderBoxHeight(const KC_BASESLIDER& slider, float extentY, float pieceHeight);

}  // namespace KEL
