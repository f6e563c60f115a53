#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/KC_BASESLIDER.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/gui/KF_SLIDER_PIECES.h"

namespace KEL {

// The track slider read as a level gauge: the twelve pieces of the
// twelve-cell slider plus a thirteenth cell, a fill laid over the track
// from the start of the knob's range to the knob. Built on the first
// reload; a value set before that shows once built. The UP script runs
// only for a release that changed something.
class KC_GUI_SLIDER13 : public KC_BASESLIDER {
public:
    static constexpr int32_t kCELLS = 13;
    static constexpr int32_t kFILL_CELL = 12;

    KC_GUI_SLIDER13(int32_t id, const std::string& textureName, const KS_VEC2& start, const KS_VEC2& end,
                    float radius = kDEFAULT_RADIUS, float buttonDistance = kDEFAULT_BUTTON_DISTANCE,
                    float minimum = 0.0f, float maximum = 100.0f, float step = 5.0f, float value = 0.0f);

    KS_MOUSE_RESULT fGetEvent() override;
    KS_MOUSE_RESULT fOnMouseUp() override;
    KS_MOUSE_RESULT fOnMouseDown() override;
    KS_MOUSE_RESULT fOnMouseMove() override;
    void fDraw() override;
    // The track's extent turned along it, with the knob's height across;
    // 0 before the build.
    float fGetWidth() const override;
    float fGetHeight() const override;
    void fReloadResources() override;
    void fReleaseResources() override;
    void fSetValue(float value) override;

    bool fIsBuilt() const { return mBuilt != 0; }
    float fGetFillLength() const { return mFillLength; }
    const KC_QUAD* fGetFill() const { return mFill.get(); }
    const KC_QUAD* fGetPiece(KE_SLIDER_PIECE piece) const { return mPieces[piece].get(); }

private:
    void fBuild();
    void fUpdateFill();
    // After a pass that reported: the fill and the state cells.
    KS_MOUSE_RESULT fRefresh(const KS_MOUSE_RESULT& result);

    KC_GUI_TEXTURE mTexture;
    KS_SLIDER_PIECES mPieces;
    std::unique_ptr<KC_QUAD> mFill;
    float mFillWidth = 0.0f;
    KS_VEC2 mFillOrigin;
    float mFillLength = 0.0f;
    uint8_t mBuilt = 0;
};

}  // namespace KEL
