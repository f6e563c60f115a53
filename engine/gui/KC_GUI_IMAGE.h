#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/gui/KS_HIT_AREA.h"
#include "engine/scene/KC_QUAD.h"
#include "engine/scene/KE_ANCHOR.h"

namespace KEL {

// A picture that reports presses (7) and releases (8) over it. It keeps no
// state: the poll reports the code of the last press or release pass again
// and again until the next one resets it.
class KC_GUI_IMAGE : public KC_GUI_OBJECT {
public:
    KC_GUI_IMAGE(int32_t id, const std::string& textureName);

    KS_MOUSE_RESULT fGetEvent() override { return fReport(); }
    KS_MOUSE_RESULT fOnMouseUp() override;
    KS_MOUSE_RESULT fOnMouseDown() override;
    void fDraw() override;
    // The picture's size only; the hit area keeps its own. Before the build
    // the size is kept and the build sizes picture and hit area with it.
    void fSetSize(int32_t width, int32_t height) override;
    float fGetWidth() const override;
    float fGetHeight() const override;
    void fReloadResources() override;
    void fReleaseResources() override;

    // Anchor 0..8 of the picture on the widget's position.
    void fSetAnchor(int32_t anchor);
    // Shows another picture: rebuilt at once when already built.
    void fSetTexture(const std::string& textureName);
    const std::string& fGetTextureName() const { return mTexture.fGetName(); }
    const KC_QUAD* fGetSprite() const { return mSprite.get(); }

private:
    void fBuild();

    KC_GUI_TEXTURE mTexture;
    int32_t mAnchor = kANCHOR_CENTRE;
    std::unique_ptr<KC_QUAD> mSprite;
    KS_HIT_AREA mHitArea;
    bool mSized = false;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
};

}  // namespace KEL
