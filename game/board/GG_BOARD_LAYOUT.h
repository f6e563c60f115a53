#pragma once

#include <cstdint>

#include <pugixml.hpp>

#include "engine/scene/G_ANIMATION.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/util/KS_POINT.h"
#include "engine/util/KS_VEC2.h"

namespace game {

// The level's board geometry: read from the level file's "settings", then
// turned into the board rectangle and the start of the walk of cell centres.
class GG_BOARD_LAYOUT {
public:
    // Bounds of the settings' numbers: a cell side in (0, kMAX_CELL], grid
    // and block counts up to kMAX_GRID, block shifts within +-kMAX_CELL and
    // the centre within +-kMAX_POSITION.
    static constexpr int32_t kMAX_CELL = 4096;
    static constexpr int32_t kMAX_GRID = 1024;
    static constexpr float kMAX_POSITION = 1.0e6f;

    // Reads the six attributes and the four sprite children of "settings"
    // and computes the geometry. False (with the game's error text set)
    // when one is missing, the grid or the cell size is not positive, a
    // block size is negative or any number lies outside the bounds above.
    bool fLoad(const pugi::xml_node& settings);
    // blocks, width, height, origin and cell base from the read values. A block
    // size of 0 counts as one block spanning the grid.
    void fComputeGeometry();

    KEL::KS_VEC2 mPosition;     // board centre
    KEL::KS_VEC2 mElSize;       // cell width and height
    KEL::KS_POINT mShiftBlock;  // shift before each block; negative opens a gap
    KEL::KS_POINT mBlock;       // cells per block across and down
    KEL::KS_POINT mGrid;        // columns, rows
    uint32_t mBonuses = 0;
    KEL::KS_POINT mBlocks;
    KEL::KS_VEC2 mOrigin;    // top-left corner of the board rectangle
    KEL::KS_VEC2 mCellBase;  // origin minus the block shift
    int32_t mWidth = 0;
    int32_t mHeight = 0;

    // Templates from the level file: the tile drawn once per block, the
    // selection (read, not drawn) and the fill and cross selection marks.
    KEL::G_SPRITE mBlockSprite;
    KEL::G_SPRITE mSelection;
    KEL::G_SPRITE mSelectionYes;
    KEL::G_SPRITE mSelectionNo;
    // Templates from effects.xml that every cell copies.
    KEL::G_ANIMATION mFill;
    KEL::G_ANIMATION mCross;
    KEL::G_SPRITE mLocked;
};

}  // namespace game
