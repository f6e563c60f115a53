#include "game/board/GG_AMBIENT.h"

#include <algorithm>
#include <limits>
#include <numbers>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/resources/KC_FONT.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/scene/KE_ANCHOR.h"
#include "engine/util/KF_SMALL_HELPERS.h"
#include "game/board/GG_AMBIENT_READER.h"
#include "game/board/GG_BOARD_LAYOUT.h"

namespace game {

namespace {

constexpr int32_t kTILE_ANCHOR = KEL::kANCHOR_TOP_LEFT;
constexpr int32_t kHORIZONTAL_ANCHOR = KEL::kANCHOR_LEFT;
constexpr int32_t kVERTICAL_ANCHOR = KEL::kANCHOR_TOP;
constexpr int32_t kCOORD = static_cast<int32_t>(GG_AMBIENT_READER::kCOORD_LIMIT);

// Board coordinates of the tile of block (bx, by) along one axis.
float fTileAt(float origin, int32_t block, float tileSize, int32_t shift) {
    return origin + static_cast<float>(block) * (tileSize + static_cast<float>(shift));
}

}  // namespace

GG_AMBIENT::GG_AMBIENT() = default;

GG_AMBIENT::~GG_AMBIENT() = default;

bool GG_AMBIENT::fLoad(GG_BOARD_LAYOUT* layout) {
    if (!KEL::kcREPOSITORY) return GG_AMBIENT_READER::fFail(kFILE, "no repository");
    pugi::xml_document* doc = KEL::kcREPOSITORY->fGetXml(kFILE);
    if (!doc) return GG_AMBIENT_READER::fFail(kFILE, "missing");
    const bool loaded = fLoad(layout, doc->document_element());
    KEL::kcREPOSITORY->fReleaseXml(doc);
    return loaded;
}

bool GG_AMBIENT::fLoad(GG_BOARD_LAYOUT* layout, const pugi::xml_node& ambient) {
    mLayout = layout;
    fReset();
    mHighlightOn = 0;
    mHighlightCell.fSet(-1, -1);
    if (!mLayout) return GG_AMBIENT_READER::fFail("ambient", "no board layout");
    if (!ambient) return GG_AMBIENT_READER::fFail("ambient", "missing");
    mTile = mLayout->mBlockSprite;
    mTile.fSetHotSpot(kTILE_ANCHOR);
    return fLoadBorderAndEars(ambient) && fLoadHighlight(ambient.child("highlight")) &&
           mErrors.fLoad(ambient.child("error_panel")) && fLoadScore(ambient.child("sunime"));
}

bool GG_AMBIENT::fLoadBorderAndEars(const pugi::xml_node& ambient) {
    const pugi::xml_node border = ambient.child("border");
    if (!border) return GG_AMBIENT_READER::fFail("border", "missing");
    mBorder.fRead(border);
    if (!mLeftEar.fLoad(ambient.child("left_ear"), "left_ear") || !mUpEar.fLoad(ambient.child("up_ear"), "up_ear"))
        return false;
    fPlaceEars();
    return true;
}

// The upper strip runs right along the board's top edge from its origin;
// the left strip is the same drawing turned a quarter to run up the left
// edge from the bottom corner, its lines still counted from the top so that
// they meet the block gaps whatever the grid's height.
void GG_AMBIENT::fPlaceEars() {
    const GG_BOARD_LAYOUT& l = *mLayout;
    mUpEar.fSetLines(l.mShiftBlock.x, static_cast<int32_t>(l.mElSize.x), l.mGrid.x, l.mBlock.x);
    mUpEar.fPlace(l.mOrigin.x, l.mOrigin.y, 0.0f, static_cast<float>(l.mWidth), false);
    mLeftEar.fSetLines(l.mShiftBlock.y, static_cast<int32_t>(l.mElSize.y), l.mGrid.y, l.mBlock.y);
    mLeftEar.fPlace(l.mOrigin.x, l.mOrigin.y + static_cast<float>(l.mHeight), -std::numbers::pi_v<float> * 0.5f,
                    static_cast<float>(l.mHeight), true);
}

bool GG_AMBIENT::fLoadHighlight(const pugi::xml_node& node) {
    if (!node) return GG_AMBIENT_READER::fFail("highlight", "missing");
    mVertical = KEL::G_SPRITE(std::string(node.attribute("vertical").as_string()));
    mHorizontal = KEL::G_SPRITE(std::string(node.attribute("horisontal").as_string()));
    mHighlightFontName = node.attribute("font").as_string();
    mHighlightColor = KEL::KS_COLOR();
    if (const pugi::xml_attribute color = node.attribute("font_color"))
        mHighlightColor = GG_AMBIENT_READER::fColor(color.as_string());
    mHighlightShift.fSet(0, 0);
    return GG_AMBIENT_READER::fPoint(node, "shift", -kCOORD, kCOORD, mHighlightShift);
}

// The counter's keys are those of a font description plus its place.
bool GG_AMBIENT::fLoadScore(const pugi::xml_node& node) {
    if (!node) return GG_AMBIENT_READER::fFail("sunime", "missing");
    if (!node.attribute("fntName")) return GG_AMBIENT_READER::fFail("sunime", "needs \"fntName\"");
    mScoreFontName = node.attribute("fntName").as_string();
    mScoreColor = KEL::KS_COLOR();
    if (const pugi::xml_attribute color = node.attribute("fntColor"))
        mScoreColor = GG_AMBIENT_READER::fColor(color.as_string());
    mScoreAnchor = KEL::fHotSpotFromString(node.attribute("fntHotSpot").as_string());
    mScorePos = KEL::KS_VEC2();
    return GG_AMBIENT_READER::fVec2(node, "pos", -GG_AMBIENT_READER::kCOORD_LIMIT, GG_AMBIENT_READER::kCOORD_LIMIT,
                                    mScorePos);
}

void GG_AMBIENT::fLoadResources(const KEL::KC_FONT_LIST* fonts) {
    mTile.fReloadTexture();
    mBorder.fReloadResources();
    if (mLayout) {
        mBorder.fSetSize(mLayout->mWidth, mLayout->mHeight);
        mBorder.fSetPosition(mLayout->mOrigin.x + static_cast<float>(mLayout->mWidth) * 0.5f,
                             mLayout->mOrigin.y + static_cast<float>(mLayout->mHeight) * 0.5f);
    }
    mLeftEar.fLoadResources();
    mUpEar.fLoadResources();
    mVertical.fReloadTexture();
    mHorizontal.fReloadTexture();
    fSizeBars();
    mErrors.fLoadResources();
    mHighlightFont = fonts ? fonts->fGet(mHighlightFontName) : nullptr;
    mScoreFont = fonts ? fonts->fGet(mScoreFontName) : nullptr;
}

void GG_AMBIENT::fReleaseResources() {
    mTile.fUnloadTexture();
    mBorder.fReleaseResources();
    mLeftEar.fReleaseResources();
    mUpEar.fReleaseResources();
    mVertical.fUnloadTexture();
    mHorizontal.fUnloadTexture();
    mErrors.fReleaseResources();
    mHighlightFont = nullptr;
    mScoreFont = nullptr;
}

// The bars are a cell thick and reach across the board and its clue
// strip, so the hovered row's and column's clues are lit too.
void GG_AMBIENT::fSizeBars() {
    if (!mLayout) return;
    const float left = static_cast<float>(mLeftEar.fGetSize());
    const float up = static_cast<float>(mUpEar.fGetSize());
    mHorizontal.fSetHeight(mLayout->mElSize.y);
    mVertical.fSetWidth(mLayout->mElSize.x);
    mHorizontal.fSetWidth(static_cast<float>(mLayout->mWidth) + left);
    mHorizontal.fSetHotSpot(kHORIZONTAL_ANCHOR);
    mHorizontal.fSetX(mLayout->mOrigin.x - left);
    mVertical.fSetHeight(static_cast<float>(mLayout->mHeight) + up);
    mVertical.fSetHotSpot(kVERTICAL_ANCHOR);
    mVertical.fSetY(mLayout->mOrigin.y - up);
}

void GG_AMBIENT::fReset() {
    mErrors.fReset();
    mScore = 0;
}

void GG_AMBIENT::fResetErrors() { mErrors.fReset(); }

void GG_AMBIENT::fAddError() { mErrors.fAdd(); }

void GG_AMBIENT::fSetErrorLimit(int32_t limit) { mErrors.fSetLimit(limit); }

void GG_AMBIENT::fShowHighlight(bool on) { mHighlightOn = on ? 1 : 0; }

KEL::KS_VEC2 GG_AMBIENT::fGetCellCentre(int32_t row, int32_t column) const {
    if (!mLayout) return {};
    const GG_BOARD_LAYOUT& l = *mLayout;
    const int32_t gapsX = l.mBlock.x > 0 ? column / l.mBlock.x : 0;
    const int32_t gapsY = l.mBlock.y > 0 ? row / l.mBlock.y : 0;
    return KEL::KS_VEC2(
        l.mCellBase.x + l.mElSize.x * (static_cast<float>(column) + 0.5f) - static_cast<float>(gapsX * l.mShiftBlock.x),
        l.mCellBase.y + l.mElSize.y * (static_cast<float>(row) + 0.5f) - static_cast<float>(gapsY * l.mShiftBlock.y));
}

bool GG_AMBIENT::fMoveHighlight(int32_t row, int32_t column) {
    if (!mLayout || row < 0 || column < 0 || row >= mLayout->mGrid.y || column >= mLayout->mGrid.x) {
        mHighlightCell.fSet(-1, -1);
        return false;
    }
    mHighlightCell.fSet(column, row);
    const KEL::KS_VEC2 centre = fGetCellCentre(row, column);
    mHorizontal.fSetY(centre.y);
    mVertical.fSetX(centre.x);
    return true;
}

void GG_AMBIENT::fAddScore(int32_t n) {
    const int64_t sum = static_cast<int64_t>(mScore) + n;
    mScore = static_cast<int32_t>(
        std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void GG_AMBIENT::fUpdate() { mErrors.fUpdate(); }

void GG_AMBIENT::fDrawTiles() {
    if (!mLayout || !mTile.fHasOwnTexture()) return;
    const GG_BOARD_LAYOUT& l = *mLayout;
    for (int32_t bx = 0; bx < l.mBlocks.x; ++bx) {
        for (int32_t by = 0; by < l.mBlocks.y; ++by) {
            mTile.fGetTransform()->fSetPos(fTileAt(l.mOrigin.x, bx, mTile.fGetWidth(), l.mShiftBlock.x),
                                           fTileAt(l.mOrigin.y, by, mTile.fGetHeight(), l.mShiftBlock.y), 0.0f);
            mTile.fDrawWith();
        }
    }
}

void GG_AMBIENT::fDrawStrips() {
    mUpEar.fDraw();
    mLeftEar.fDraw();
}

void GG_AMBIENT::fDrawHighlight() {
    if (!mHighlightOn || mHighlightCell.x < 0) return;
    if (mHorizontal.fHasOwnTexture()) mHorizontal.fDrawWith();
    if (mVertical.fHasOwnTexture()) mVertical.fDrawWith();
}

void GG_AMBIENT::fDrawBorder() { mBorder.fDraw(); }

void GG_AMBIENT::fDrawErrors() { mErrors.fDraw(); }

void GG_AMBIENT::fDrawScore() {
    if (!mScoreFont) return;
    const int32_t anchor = mScoreFont->fGetAnchor();
    mScoreFont->fSetAnchor(mScoreAnchor);
    mScoreFont->fSetColor(mScoreColor.fGetARGB());
    mScoreFont->fPrintW(mScorePos.x, mScorePos.y, L"%i", mScore);
    mScoreFont->fSetAnchor(anchor);
}

}  // namespace game
