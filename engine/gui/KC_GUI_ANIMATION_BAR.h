#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/KC_BASEPROGRESS.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/scene/KC_QUAD.h"

namespace KEL {

// A progress widget drawn as one cell of a sprite sheet of columns x rows
// cells, counted row by row: the cell shown follows the ratio from the
// first cell to the last of `frames`. The texture is taken at construction
// and kept until destruction. A grid or frame count below 1 counts as 1, and
// the cell shown never leaves the sheet.
class KC_GUI_ANIMATION_BAR : public KC_BASEPROGRESS {
public:
    KC_GUI_ANIMATION_BAR(int32_t id, const std::string& textureName, int32_t columns, int32_t rows, int32_t frames);

    void fApply() override;
    void fDraw() override;
    void fSetSize(int32_t width, int32_t height) override;
    float fGetWidth() const override { return static_cast<float>(mCellWidth); }
    float fGetHeight() const override { return static_cast<float>(mCellHeight); }

    int32_t fGetFrame() const { return mFrame; }
    const KC_QUAD* fGetSprite() const { return mSprite.get(); }

private:
    int32_t mColumns;
    int32_t mRows;
    int32_t mLastFrame;
    int32_t mCellWidth = 0;
    int32_t mCellHeight = 0;
    int32_t mFrame = 0;
    KC_GUI_TEXTURE mTexture;
    std::unique_ptr<KC_QUAD> mSprite;
};

}  // namespace KEL
