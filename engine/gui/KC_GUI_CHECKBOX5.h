#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/KC_GUI_CHECKBOX_INTERFACE.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/gui/KS_HIT_AREA.h"
#include "engine/scene/KC_QUAD.h"

namespace KEL {

// A check box drawn from a strip of five frames: box, box hovered, box
// pressed, the tick (drawn over a box frame) and a spare. A press and a
// release toggle it; the release does not test the pointer, so an unchecked
// box pressed and released elsewhere still becomes checked.
class KC_GUI_CHECKBOX5 : public KC_GUI_CHECKBOX_INTERFACE {
public:
    static constexpr int32_t kUNCHECKED = 0;
    static constexpr int32_t kHOVER = 1;
    static constexpr int32_t kPRESSED = 2;
    static constexpr int32_t kCHECKED = 3;
    static constexpr int32_t kFRAMES = 5;

    KC_GUI_CHECKBOX5(int32_t id, const std::string& textureName);

    KS_MOUSE_RESULT fOnMouseUp() override;
    KS_MOUSE_RESULT fOnMouseDown() override;
    KS_MOUSE_RESULT fOnMouseMove() override;
    void fDraw() override;
    // Before the build the size is kept and applied by the build.
    void fSetSize(int32_t width, int32_t height) override;
    float fGetWidth() const override;
    float fGetHeight() const override;
    void fReloadResources() override;
    void fReleaseResources() override;
    bool fIsChecked() const override { return mState == kCHECKED; }
    void fSetChecked(bool checked, bool immediately) override;

    int32_t fGetState() const { return mState; }
    const KC_QUAD* fGetSprite() const { return mSprite.get(); }

private:
    void fMoveOutside();
    void fMoveInside();
    void fApplySize();

    uint8_t mHovered = 0;
    uint8_t mPressed = 0;
    KS_HIT_AREA mHitArea;
    KC_GUI_TEXTURE mTexture;
    int32_t mState = kUNCHECKED;
    std::unique_ptr<KC_QUAD> mSprite;
    bool mSized = false;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
};

}  // namespace KEL
