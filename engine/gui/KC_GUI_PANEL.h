#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/KC_GUI_DRAGGABLE.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/scene/KC_QUAD.h"

namespace KEL {

// A background picture centred on its position that the player can drag
// unless it is made immovable. Its size is the picture's, or the one given
// by fSetSize (also when given before the build).
class KC_GUI_PANEL : public KC_GUI_DRAGGABLE {
public:
    KC_GUI_PANEL(int32_t id, const std::string& textureName);

    KS_MOUSE_RESULT fGetEvent() override { return KS_MOUSE_RESULT::fNotTaken(); }
    void fDraw() override;
    void fSetSize(int32_t width, int32_t height) override;
    float fGetWidth() const override;
    float fGetHeight() const override;
    void fReloadResources() override;
    void fReleaseResources() override;

    const KC_QUAD* fGetSprite() const { return mSprite.get(); }

private:
    void fApplySize();

    KC_GUI_TEXTURE mTexture;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    bool mSized = false;
    std::unique_ptr<KC_QUAD> mSprite;
};

}  // namespace KEL
