#include "game/board/GG_BOARD_LAYOUT.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/util/KF_SMALL_HELPERS.h"
#include "game/product/GG_ERROR.h"

namespace game {

namespace {

// Blocks along one axis, and the board size along it.
void fAxis(int32_t grid, int32_t block, float elSize, int32_t shift, int32_t& blocks, int32_t& size) {
    const int32_t perBlock = block > 0 ? block : grid;
    blocks = block > 0 ? grid / block + (grid % block != 0 ? 1 : 0) : 1;
    size = KEL::fClampToInt(static_cast<double>(perBlock) * elSize * blocks -
                            (static_cast<double>(blocks) + 1) * shift);
}

bool fFail(const char* text) { return GG_ERROR::fFail(text); }

bool fWithin(float value, float low, float high) { return value >= low && value <= high; }

// Every number of the settings within the bounds a board can have, so that
// no geometry computed from them leaves the int range.
bool fNumbersPlausible(const GG_BOARD_LAYOUT& l) {
    using L = GG_BOARD_LAYOUT;
    auto cell = [](float size) { return size > 0.0f && size <= float(L::kMAX_CELL); };
    auto count = [](int32_t n, int32_t low) { return n >= low && n <= L::kMAX_GRID; };
    auto shift = [](int32_t n) { return n >= -L::kMAX_CELL && n <= L::kMAX_CELL; };
    return cell(l.mElSize.x) && cell(l.mElSize.y) && count(l.mGrid.x, 1) && count(l.mGrid.y, 1) &&
           count(l.mBlock.x, 0) && count(l.mBlock.y, 0) && shift(l.mShiftBlock.x) && shift(l.mShiftBlock.y) &&
           fWithin(l.mPosition.x, -L::kMAX_POSITION, L::kMAX_POSITION) &&
           fWithin(l.mPosition.y, -L::kMAX_POSITION, L::kMAX_POSITION);
}

}  // namespace

bool GG_BOARD_LAYOUT::fLoad(const pugi::xml_node& settings) {
    if (!settings) return fFail("Level has no settings");
    const char* names[] = {"elSize", "grid", "block", "shiftBlock", "position", "bonuses"};
    for (const char* name : names) {
        if (!settings.attribute(name)) return fFail("Level settings miss an attribute");
    }
    mElSize = KEL::KS_VEC2(settings.attribute("elSize").as_string());
    mGrid = KEL::KS_POINT(settings.attribute("grid").as_string());
    mBlock = KEL::KS_POINT(settings.attribute("block").as_string());
    mShiftBlock = KEL::KS_POINT(settings.attribute("shiftBlock").as_string());
    mPosition = KEL::KS_VEC2(settings.attribute("position").as_string());
    mBonuses = settings.attribute("bonuses").as_uint();
    const char* sprites[] = {"block", "selection", "selection_yes", "selection_no"};
    for (const char* name : sprites) {
        if (!settings.child(name)) return fFail("Level settings miss a sprite");
    }
    if (mGrid.x <= 0 || mGrid.y <= 0) return fFail("Level grid is not positive");
    // Written so that a cell size that is not a number fails as well.
    if (!(mElSize.x > 0.0f) || !(mElSize.y > 0.0f)) return fFail("Level cell size is not positive");
    if (mBlock.x < 0 || mBlock.y < 0) return fFail("Level block size is negative");
    if (!fNumbersPlausible(*this)) return fFail("Level settings hold a number out of range");
    mBlockSprite.fRead(settings.child("block"));
    mSelection.fRead(settings.child("selection"));
    mSelectionYes.fRead(settings.child("selection_yes"));
    mSelectionNo.fRead(settings.child("selection_no"));
    fComputeGeometry();
    return true;
}

void GG_BOARD_LAYOUT::fComputeGeometry() {
    fAxis(mGrid.x, mBlock.x, mElSize.x, mShiftBlock.x, mBlocks.x, mWidth);
    fAxis(mGrid.y, mBlock.y, mElSize.y, mShiftBlock.y, mBlocks.y, mHeight);
    mOrigin = KEL::KS_VEC2(mPosition.x - static_cast<float>(mWidth) * 0.5f,
                           mPosition.y - static_cast<float>(mHeight) * 0.5f);
    mCellBase = KEL::KS_VEC2(mOrigin.x - static_cast<float>(mShiftBlock.x),
                             mOrigin.y - static_cast<float>(mShiftBlock.y));
}

}  // namespace game
