#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/gui/KS_HIT_AREA.h"
#include "engine/scene/KC_QUAD.h"
#include "engine/util/KS_VEC2.h"

namespace KEL {

// A runner dragged along a bar, giving a value from 0 (runner at the left
// end) to 1 (right end). The bar texture holds two halves: the empty bar on
// the left, the full bar on the right; the full half is shown up to the
// runner. Any key pressed over the runner grabs it (code 7), every move
// while held drags it (code 9) and the next key released lets it go (8).
// A runner as wide as the bar or wider has no track: the value is then 0.
class KC_GUI_SIMPLE_SLIDER : public KC_GUI_OBJECT {
public:
    KC_GUI_SIMPLE_SLIDER(int32_t id, const std::string& barTextureName, const std::string& runnerTextureName);

    KS_MOUSE_RESULT fGetEvent() override { return KS_MOUSE_RESULT::fNotTaken(); }
    KS_MOUSE_RESULT fOnMouseUp() override;
    KS_MOUSE_RESULT fOnMouseDown() override;
    KS_MOUSE_RESULT fOnMouseMove() override;
    void fDraw() override;
    void fReloadResources() override;
    void fReleaseResources() override;

    void fSetValue(float value);
    float fGetValue() const { return mValue; }
    bool fIsHeld() const { return mHeld != 0; }
    float fGetTrack() const { return mTrack; }
    const KC_QUAD* fGetRunner() const { return mRunner.get(); }
    const KC_QUAD* fGetBar() const { return mBar.get(); }

private:
    void fBuild();
    // The runner's centre to a screen x, kept on the track.
    void fPlaceRunner(float screenX);
    float fBarLeft() const;

    KC_GUI_TEXTURE mBarTexture;
    KC_GUI_TEXTURE mRunnerTexture;
    KS_VEC2 mRunnerSize;
    KS_VEC2 mBarSize;
    std::unique_ptr<KC_QUAD> mBar;
    std::unique_ptr<KC_QUAD> mRunner;
    KS_HIT_AREA mHitArea;
    float mTrack = 0.0f;
    float mValue = 0.0f;
    uint8_t mHeld = 0;
};

}  // namespace KEL
