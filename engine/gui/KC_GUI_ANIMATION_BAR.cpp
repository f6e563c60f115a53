#include "engine/gui/KC_GUI_ANIMATION_BAR.h"

#include <algorithm>
#include <cmath>

#include "engine/gui/KF_GUI_SPRITES.h"

namespace KEL {

KC_GUI_ANIMATION_BAR::KC_GUI_ANIMATION_BAR(int32_t id, const std::string& textureName, int32_t columns, int32_t rows,
                                           int32_t frames)
    : KC_BASEPROGRESS(id),
      mColumns(std::max(1, columns)),
      mRows(std::max(1, rows)),
      mLastFrame(std::max(1, frames) - 1),
      mTexture(textureName) {
    mSprite = fMakeSprite(mTexture.fAcquire(), &mTransform);
    mCellWidth = static_cast<int32_t>(mSprite->fGetWidth() / static_cast<float>(mColumns));
    mCellHeight = static_cast<int32_t>(mSprite->fGetHeight() / static_cast<float>(mRows));
    mSprite->fSetSize(mCellWidth, mCellHeight);
    mSprite->fSetHotSpot(kANCHOR_CENTRE);
    mSprite->fSetFrame(mColumns, mRows, 0, false);
}

void KC_GUI_ANIMATION_BAR::fSetSize(int32_t width, int32_t height) {
    mCellWidth = width;
    mCellHeight = height;
    mSprite->fSetSize(width, height);
    mSprite->fSetHotSpot(kANCHOR_CENTRE);
}

// Clamped before the conversion: a ratio out of 0..1 (or NaN, from a bar
// whose minimum equals its maximum) or a huge frame count must not overflow.
void KC_GUI_ANIMATION_BAR::fApply() {
    const double ratio = std::isnan(mRatio) ? 0.0 : std::clamp(static_cast<double>(mRatio), 0.0, 1.0);
    const double last = static_cast<double>(static_cast<int64_t>(mColumns) * mRows - 1);
    mFrame = static_cast<int32_t>(std::clamp(std::floor(mLastFrame * ratio), 0.0, last));
    mSprite->fSetFrame(mColumns, mRows, mFrame, false);
    fRunFilledRule();
}

void KC_GUI_ANIMATION_BAR::fDraw() { mSprite->fDraw(); }

}  // namespace KEL
