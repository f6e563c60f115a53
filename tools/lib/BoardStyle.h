#pragma once

#include <map>
#include <string>

#include "tools/lib/LevelSource.h"

namespace tools {

// The board design every level shares (cell size, blocks, gaps, where the
// board and its clue strips sit, the tile and selection images), read from
// a "key = value" file, and the level file written from it. With a play
// area ("area", or "area.<pack>" for one pack's folder), each board takes
// the largest cells that fit the area beside its clue strips, gaps growing
// with the cells, and stands centred in it.
class BoardStyle {
public:
    // False with a message when a key is missing or malformed.
    bool fParse(const std::string& text, std::string& error);

    // False with a message when the level's board or its clues do not fit
    // the screen or the clue strips.
    bool fCheckFits(const LevelSource& level, std::string& error) const;

    // The level file the board reads.
    std::string fWriteLevel(const LevelSource& level) const;

    // The design for one level of a pack (its folder name): cells and gaps
    // sized to the pack's play area, when the file gives one.
    BoardStyle fSizedFor(const LevelSource& level, const std::string& pack) const;

    // Board centre for a grid (the board and its strips centred together).
    void fPosition(int columns, int rows, float& x, float& y) const;
    int fBoardWidth(int columns) const;
    int fBoardHeight(int rows) const;

    float mCellW = 0, mCellH = 0;
    int mBlockX = 0, mBlockY = 0;
    int mShiftX = 0, mShiftY = 0;
    float mCentreX = 512, mCentreY = 384;
    int mEar = 0;
    int mClueStep = 0;
    int mScreenW = 1024, mScreenH = 768;
    std::string mTile, mSelection, mSelectionYes, mSelectionNo;
    // Tile of boards over ten cells across or down (blocks of five marked);
    // empty: the one tile for every board.
    std::string mTileFives;
    struct AREA {
        float l = 0, t = 0, r = 0, b = 0;
    };
    // Play areas by pack folder; "" is every other pack's. None: fixed cells.
    std::map<std::string, AREA> mAreas;

private:
    bool fFits(const LevelSource& level, const AREA& area) const;
};

}  // namespace tools
