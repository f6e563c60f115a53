#include "game/board/GG_CLUE.h"

namespace game {

GG_CLUE::GG_CLUE(int32_t firstRow, int32_t lastRow, int32_t firstColumn, int32_t lastColumn, int32_t length)
    : mFirstRow(firstRow), mLastRow(lastRow), mFirstColumn(firstColumn), mLastColumn(lastColumn), mLength(length) {}

bool GG_CLUE::fCross() {
    if (mCrossed) return false;
    mCrossed = 1;
    mCrossPending = 1;
    return true;
}

}  // namespace game
