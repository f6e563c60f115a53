#pragma once

#include <cstdint>

namespace game {

// One clue number of a row or column: a run of full cells (or, with length 0,
// the whole of a line that has none), and how far its crossing-out has got.
class GG_CLUE {
public:
    GG_CLUE() = default;
    GG_CLUE(int32_t firstRow, int32_t lastRow, int32_t firstColumn, int32_t lastColumn, int32_t length);

    // Crosses the clue and leaves the cross mark to the view; false when it
    // was crossed already (a crossed clue never uncrosses).
    bool fCross();

    int32_t mFirstRow = 0;
    int32_t mLastRow = 0;
    int32_t mFirstColumn = 0;
    int32_t mLastColumn = 0;
    int32_t mLength = 0;
    uint8_t mCrossPending = 0;  // set when crossed; cleared by the view once it spawned the mark
    uint8_t mDrawnCrossed = 0;  // set by the view: draw the number in the crossed colour
    uint8_t mCrossed = 0;
};

}  // namespace game
