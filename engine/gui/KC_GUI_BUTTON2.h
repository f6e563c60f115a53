#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/gui/KS_HIT_AREA.h"
#include "engine/scene/KC_QUAD.h"

namespace KEL {

// A two-frame push button (up, down) that works from the per-frame poll
// alone: pressed when the left button goes down over it, clicked when the
// button is let go or the pointer leaves while it is held.
class KC_GUI_BUTTON2 : public KC_GUI_OBJECT {
public:
    static constexpr int32_t kUP = 0;
    static constexpr int32_t kDOWN = 2;
    static constexpr int32_t kFRAMES = 2;

    KC_GUI_BUTTON2(int32_t id, const std::string& textureName);

    KS_MOUSE_RESULT fGetEvent() override;
    void fDraw() override;
    float fGetWidth() const override;
    float fGetHeight() const override;
    void fReloadResources() override;
    void fReleaseResources() override;

    int32_t fGetState() const { return mState; }
    const KC_QUAD* fGetSprite() const { return mSprite.get(); }

private:
    KC_GUI_TEXTURE mTexture;
    std::unique_ptr<KC_QUAD> mSprite;
    KS_HIT_AREA mHitArea;
    int32_t mState = kUP;
};

}  // namespace KEL
