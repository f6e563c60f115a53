#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/KC_BASEPROGRESS.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/scene/KC_QUAD.h"

namespace KEL {

// A bar filled from the left. Its texture holds two halves side by side:
// the empty bar on the left, the full bar on the right; the fill shows the
// full half cropped to the ratio over the empty one. Built on the first
// reload; a size given before that is kept and applied then.
class KC_GUI_PROGRESS_BAR : public KC_BASEPROGRESS {
public:
    KC_GUI_PROGRESS_BAR(int32_t id, const std::string& textureName);

    void fApply() override;
    void fDraw() override;
    void fSetSize(int32_t width, int32_t height) override;
    void fReloadResources() override;
    void fReleaseResources() override;

    int32_t fGetBarWidth() const { return mBarWidth; }
    int32_t fGetBarHeight() const { return mBarHeight; }
    const KC_QUAD* fGetFill() const { return mFill.get(); }
    const KC_QUAD* fGetBackground() const { return mBackground.get(); }

private:
    void fBuild();
    void fShowRatio();

    int32_t mBarWidth = 0;
    int32_t mBarHeight = 0;
    bool mSized = false;
    KC_GUI_TEXTURE mTexture;
    std::unique_ptr<KC_QUAD> mBackground;
    std::unique_ptr<KC_QUAD> mFill;
};

}  // namespace KEL
