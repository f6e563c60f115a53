#pragma once

#include <cstdint>
#include <string>

#include "engine/gui/KC_BASESLIDER.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/gui/KF_SLIDER_PIECES.h"

namespace KEL {

// A track slider drawn from one strip of twelve equal cells: start button,
// end button and knob in three states each, then the track's start cap,
// middle and end cap. The texture is taken at construction and kept until
// destruction; the pieces show their states after each poll.
class KC_GUI_SLIDER12 : public KC_BASESLIDER {
public:
    static constexpr int32_t kCELLS = 12;

    KC_GUI_SLIDER12(int32_t id, const std::string& textureName, const KS_VEC2& start, const KS_VEC2& end,
                    float radius = kDEFAULT_RADIUS, float buttonDistance = kDEFAULT_BUTTON_DISTANCE,
                    float minimum = 0.0f, float maximum = 100.0f, float step = 5.0f, float value = 0.0f);

    KS_MOUSE_RESULT fGetEvent() override;
    void fDraw() override;
    // The box round the track lengthened by the radius at each end and
    // turned along it.
    float fGetWidth() const override;
    float fGetHeight() const override;

    const KC_QUAD* fGetPiece(KE_SLIDER_PIECE piece) const { return mPieces[piece].get(); }

private:
    KS_VEC2 fExtent() const;

    KC_GUI_TEXTURE mTexture;
    KS_SLIDER_PIECES mPieces;
};

}  // namespace KEL
