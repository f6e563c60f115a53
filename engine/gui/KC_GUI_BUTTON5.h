#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/gui/KS_HIT_AREA.h"
#include "engine/scene/KC_QUAD.h"

namespace KEL {

// The push button of every screen, drawn from a strip of five frames, one
// per state: normal, hover, pressed, selected, disabled. A click is a press
// and a release without the pointer leaving the button in between; the
// move pass is what arms it, so a button under a pointer that has not moved
// since it appeared ignores a press until its owner runs a move pass (the
// window manager does when windows open, close or come to rest). Selected
// and disabled are inert until fSetNormal; a button that is enabled already
// keeps its hover or press there, so a screen refreshing its buttons does
// not make the one under the pointer ignore the next click.
class KC_GUI_BUTTON5 : public KC_GUI_OBJECT {
public:
    static constexpr int32_t kNORMAL = 0;
    static constexpr int32_t kHOVER = 1;
    static constexpr int32_t kPRESSED = 2;
    static constexpr int32_t kSELECTED = 3;
    static constexpr int32_t kDISABLED = 4;
    static constexpr int32_t kFRAMES = 5;

    KC_GUI_BUTTON5(int32_t id, const std::string& textureName);

    KS_MOUSE_RESULT fOnMouseUp() override;
    KS_MOUSE_RESULT fOnMouseDown() override;
    KS_MOUSE_RESULT fOnMouseMove() override;
    void fDraw() override;
    float fGetWidth() const override;
    float fGetHeight() const override;
    void fReloadResources() override;
    void fReleaseResources() override;

    void fSetNormal();
    void fSetDisabled() { fSetState(kDISABLED); }
    void fSetSelected() { fSetState(kSELECTED); }
    int32_t fGetState() const { return mState; }
    bool fIsBuilt() const { return mSprite != nullptr; }
    const KC_QUAD* fGetSprite() const { return mSprite.get(); }

private:
    void fSetState(int32_t state);
    void fShow(int32_t frame);

    uint8_t mPressed = 0;
    int32_t mState = kNORMAL;
    std::unique_ptr<KC_QUAD> mSprite;
    KS_HIT_AREA mHitArea;
    KC_GUI_TEXTURE mTexture;
};

}  // namespace KEL
