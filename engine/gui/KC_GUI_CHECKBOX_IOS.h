#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "SERVICE/KC_CALLBACK.h"
#include "engine/bots/KC_BOT_MANAGER.h"
#include "engine/gui/KC_GUI_CHECKBOX_INTERFACE.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/gui/KS_HIT_AREA.h"
#include "engine/scene/KC_QUAD.h"
#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

// A sliding switch: a knob that moves across a panel, on the left when
// checked. A press over the switch toggles it and slides the knob in 0.3 s;
// the slide runs from the poll, and a toggle asked for while the knob still
// moves is refused (the press still reports the click). Starts checked.
class KC_GUI_CHECKBOX_IOS : public KC_GUI_CHECKBOX_INTERFACE {
public:
    static constexpr float kSLIDE_SECONDS = 0.3f;

    KC_GUI_CHECKBOX_IOS(int32_t id, const std::string& panelTexture, const std::string& knobTexture);
    ~KC_GUI_CHECKBOX_IOS() override;

    // Runs the knob's slide; reports nothing.
    KS_MOUSE_RESULT fGetEvent() override;
    KS_MOUSE_RESULT fOnMouseDown() override;
    void fDraw() override;
    float fGetWidth() const override;
    float fGetHeight() const override;
    void fReloadResources() override;
    void fReleaseResources() override;
    bool fIsChecked() const override { return mChecked != 0; }
    // Refused while the value is already that, while the knob slides, and
    // before the switch is built.
    void fSetChecked(bool checked, bool immediately) override;

    bool fIsIdle() const { return mIdle != 0; }
    float fGetKnobX() const { return mKnobTransform.mPosition.x; }
    const KC_QUAD* fGetPanelSprite() const { return mPanel.get(); }
    const KC_QUAD* fGetKnobSprite() const { return mKnob.get(); }

private:
    void fBuild();
    static int32_t fOnSlideEnd(void* widget);

    KS_HIT_AREA mHitArea;
    uint8_t mIdle = 1;
    uint8_t mChecked = 1;
    int32_t mKnobChecked = 0;
    int32_t mKnobUnchecked = 0;
    std::unique_ptr<KC_QUAD> mPanel;
    std::unique_ptr<KC_QUAD> mKnob;
    KS_TRANSFORM3 mKnobTransform;
    KC_GUI_TEXTURE mPanelTexture;
    KC_GUI_TEXTURE mKnobTexture;
    KC_BOT_MANAGER mSlides;
    KC_CALLBACK mSlideEnd;
};

}  // namespace KEL
