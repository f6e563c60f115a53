#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/KC_GUI_DRAGGABLE.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/scene/KC_QUAD.h"
#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

// A frame of any size from nine pictures, row by row from the upper left:
// four corners that keep their size, four edges and a centre whose
// textures repeat (not stretch) to fill the size. Centred on its position;
// never smaller than its corners. Draggable only when made movable.
class KC_GUI_PANEL9 : public KC_GUI_DRAGGABLE {
public:
    static constexpr int32_t kPIECES = 9;
    using KS_NAMES = std::array<std::string, kPIECES>;

    KC_GUI_PANEL9(int32_t id, const KS_NAMES& textureNames);

    KS_MOUSE_RESULT fGetEvent() override { return KS_MOUSE_RESULT::fNotTaken(); }
    void fDraw() override;
    // Raised to the minimum size once that is known (at the build).
    void fSetSize(int32_t width, int32_t height) override;
    float fGetWidth() const override { return static_cast<float>(mWidth); }
    float fGetHeight() const override { return static_cast<float>(mHeight); }
    void fReloadResources() override;
    void fReleaseResources() override;

    int32_t fGetMinWidth() const { return mMinWidth; }
    int32_t fGetMinHeight() const { return mMinHeight; }
    const KC_QUAD* fGetPiece(int32_t index) const;

private:
    void fBuild();
    void fLayout();
    void fFitArea();

    int32_t mWidth = 0;
    int32_t mHeight = 0;
    int32_t mMinWidth = 0;
    int32_t mMinHeight = 0;
    std::array<std::unique_ptr<KC_QUAD>, kPIECES> mPieces;
    std::array<KS_TRANSFORM3, kPIECES> mPieceTransforms;
    std::array<KC_GUI_TEXTURE, kPIECES> mTextures;
    // Each piece's own size, as its picture gave it.
    std::array<int32_t, kPIECES> mPieceWidth{};
    std::array<int32_t, kPIECES> mPieceHeight{};
};

}  // namespace KEL
