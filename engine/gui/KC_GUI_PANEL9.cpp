#include "engine/gui/KC_GUI_PANEL9.h"

#include <algorithm>

#include "engine/gui/KF_GUI_SPRITES.h"
#include "engine/scene/KE_ANCHOR.h"

namespace KEL {

namespace {

// Piece order: 0 upper left, 1 top, 2 upper right, 3 left, 4 centre,
// 5 right, 6 lower left, 7 bottom, 8 lower right. Each piece is anchored at
// the point that touches the centre piece, placed at a corner or edge of it:
// the offsets are in halves of the centre's width and height.
constexpr int32_t kANCHOR[KC_GUI_PANEL9::kPIECES] = {kANCHOR_BOTTOM_RIGHT, kANCHOR_BOTTOM, kANCHOR_BOTTOM_LEFT,
                                                     kANCHOR_RIGHT,        kANCHOR_CENTRE, kANCHOR_LEFT,
                                                     kANCHOR_TOP_RIGHT,    kANCHOR_TOP,    kANCHOR_TOP_LEFT};
constexpr int32_t kHALF_X[KC_GUI_PANEL9::kPIECES] = {1, 0, -1, 1, 0, -1, 1, 0, -1};
constexpr int32_t kHALF_Y[KC_GUI_PANEL9::kPIECES] = {1, 1, 1, 0, 0, 0, -1, -1, -1};

}  // namespace

KC_GUI_PANEL9::KC_GUI_PANEL9(int32_t id, const KS_NAMES& textureNames) : KC_GUI_DRAGGABLE(id, false) {
    mType = kTYPE_PANEL9;
    for (int32_t i = 0; i < kPIECES; ++i) {
        mTextures[i].fSetName(textureNames[i]);
        mPieceTransforms[i].mParent = &mTransform;
    }
}

const KC_QUAD* KC_GUI_PANEL9::fGetPiece(int32_t index) const {
    return index >= 0 && index < kPIECES ? mPieces[index].get() : nullptr;
}

void KC_GUI_PANEL9::fDraw() {
    for (auto& piece : mPieces)
        if (piece) piece->fDraw();
}

void KC_GUI_PANEL9::fSetSize(int32_t width, int32_t height) {
    mWidth = std::max(width, mMinWidth);
    mHeight = std::max(height, mMinHeight);
    if (mPieces[4]) fLayout();
    fFitArea();
}

// The hit area is centred on the drawn frame: the widget's pivot sits at
// the middle of the frame (pivots do not reach the pieces or children).
void KC_GUI_PANEL9::fFitArea() {
    mTransform.mPivot.x = static_cast<float>(mWidth) / 2.0f;
    mTransform.mPivot.y = static_cast<float>(mHeight) / 2.0f;
    mHitArea.fSet(KS_HIT_AREA::kRECT, &mTransform, static_cast<float>(mWidth), static_cast<float>(mHeight));
}

void KC_GUI_PANEL9::fBuild() {
    for (int32_t i = 0; i < kPIECES; ++i) {
        mPieces[i] = fMakeSprite(mTextures[i].fAcquire(), &mPieceTransforms[i]);
        mPieceWidth[i] = static_cast<int32_t>(mPieces[i]->fGetWidth());
        mPieceHeight[i] = static_cast<int32_t>(mPieces[i]->fGetHeight());
    }
    // Edges repeat along their length, the centre both ways.
    mPieces[1]->mState.wrapU = mPieces[7]->mState.wrapU = 1;
    mPieces[3]->mState.wrapV = mPieces[5]->mState.wrapV = 1;
    mPieces[4]->mState.wrapU = mPieces[4]->mState.wrapV = 1;
    mMinWidth = mPieceWidth[2] + mPieceWidth[0];
    mMinHeight = mPieceHeight[5] + mPieceHeight[3];
    fSetSize(mWidth == 0 ? mMinWidth : mWidth, mHeight == 0 ? mMinHeight : mHeight);
}

void KC_GUI_PANEL9::fLayout() {
    const int32_t innerW = std::max(0, mWidth - mPieceWidth[0] - mPieceWidth[2]);
    const int32_t innerH = std::max(0, mHeight - mPieceHeight[0] - mPieceHeight[6]);
    const auto resize = [this](int32_t i, int32_t w, int32_t h) {
        mPieces[i]->fSetSize(w, h);
        mPieces[i]->fResetUV();
    };
    resize(4, innerW, innerH);
    resize(1, innerW, mPieceHeight[1]);
    resize(7, innerW, mPieceHeight[7]);
    resize(3, mPieceWidth[3], innerH);
    resize(5, mPieceWidth[5], innerH);
    const float halfW = static_cast<float>(innerW) / 2.0f, halfH = static_cast<float>(innerH) / 2.0f;
    for (int32_t i = 0; i < kPIECES; ++i)
        mPieces[i]->fSetHotSpot(kANCHOR[i], static_cast<float>(kHALF_X[i]) * halfW,
                                static_cast<float>(kHALF_Y[i]) * halfH);
}

void KC_GUI_PANEL9::fReloadResources() {
    if (!mPieces[4]) {
        fBuild();
        return;
    }
    for (int32_t i = 0; i < kPIECES; ++i) fReloadSprite(mPieces[i].get(), mTextures[i]);
}

void KC_GUI_PANEL9::fReleaseResources() {
    for (int32_t i = 0; i < kPIECES; ++i) fReleaseSprite(mPieces[i].get(), mTextures[i]);
}

}  // namespace KEL
