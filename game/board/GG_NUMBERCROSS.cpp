#include "game/board/GG_NUMBERCROSS.h"

#include <algorithm>

namespace game {

GG_NUMBERCROSS::~GG_NUMBERCROSS() = default;

void GG_NUMBERCROSS::fInit(const GG_CELL_LIST* cells, int32_t width, int32_t height) {
    fClear();
    mCells = cells;
    mWidth = std::max(width, 0);
    mHeight = std::max(height, 0);
    mRows.assign(mHeight, LINE{});
    mColumns.assign(mWidth, LINE{});
    for (int32_t r = 0; r < mHeight; ++r) fDeriveLine(true, r);
    for (int32_t c = 0; c < mWidth; ++c) fDeriveLine(false, c);
}

void GG_NUMBERCROSS::fDeriveLine(bool row, int32_t line) {
    LINE& clues = row ? mRows[line] : mColumns[line];
    const int32_t length = fLineLength(row);
    GG_CLUE* open = nullptr;  // the run being extended, if the previous cell was full
    for (int32_t i = 0; i < length; ++i) {
        const GG_ELEMENT* cell = fLineCell(row, line, i);
        if (!cell || !cell->fIsFull()) {
            open = nullptr;
            continue;
        }
        if (open) {
            ++open->mLength;
            (row ? open->mLastColumn : open->mLastRow) += 1;
            continue;
        }
        auto clue = row ? std::make_unique<GG_CLUE>(line, line, i, i, 1)
                        : std::make_unique<GG_CLUE>(i, i, line, line, 1);
        open = clue.get();
        clues.push_back(open);
        mClues.push_back(std::move(clue));
    }
    if (clues.empty()) {
        const int32_t last = length - 1;
        auto clue = row ? std::make_unique<GG_CLUE>(line, line, 0, last, 0)
                        : std::make_unique<GG_CLUE>(0, last, line, line, 0);
        clues.push_back(clue.get());
        mClues.push_back(std::move(clue));
    }
}

void GG_NUMBERCROSS::fUpdateCrossing(int32_t row, int32_t column) {
    const bool rowValid = row >= 0 && row < mHeight;
    const bool columnValid = column >= 0 && column < mWidth;
    for (;;) {
        bool changed = false;
        if (rowValid) changed |= fCrossLine(true, row);
        if (columnValid) changed |= fCrossLine(false, column);
        if (!changed) break;
    }
}

bool GG_NUMBERCROSS::fCrossLine(bool row, int32_t line) {
    LINE& clues = row ? mRows[line] : mColumns[line];
    if (fIsLineRangeSettled(row, line, 0, fLineLength(row) - 1)) {
        for (GG_CLUE* clue : clues) clue->fCross();
        return false;
    }
    bool changed = false;
    const GG_CLUE* longest = fGetLongestClue(clues);
    const size_t count = clues.size();
    for (size_t k = 0; k < count; ++k) {
        GG_CLUE* clue = clues[k];
        if (clue->mCrossed) continue;
        const int32_t first = row ? clue->mFirstColumn : clue->mFirstRow;
        const int32_t last = row ? clue->mLastColumn : clue->mLastRow;
        if (!fIsLineRangeSettled(row, line, first, last)) continue;
        const bool identified = fIsClueIdentified(row, *clue);
        const GG_CLUE* previous = k > 0 ? clues[k - 1] : nullptr;
        const GG_CLUE* next = k + 1 < count ? clues[k + 1] : nullptr;
        bool cross;
        if (clue == longest) {
            cross = true;
        } else if (k == 0) {
            cross = identified || (next && next->mCrossed);
        } else if (k + 1 == count) {
            cross = identified || previous->mCrossed;
        } else {
            cross = previous->mCrossed || next->mCrossed || (identified && previous->mLength < clue->mLength) ||
                    (identified && next->mLength < clue->mLength);
        }
        if (cross && clue->fCross()) changed = true;
    }
    return changed;
}

GG_ELEMENT* GG_NUMBERCROSS::fGetCell(int32_t row, int32_t column) const {
    if (!mCells || row < 0 || row >= mHeight || column < 0 || column >= mWidth) return nullptr;
    const size_t index = static_cast<size_t>(column) + static_cast<size_t>(row) * static_cast<size_t>(mWidth);
    return index < mCells->size() ? (*mCells)[index].get() : nullptr;
}

GG_ELEMENT* GG_NUMBERCROSS::fLineCell(bool row, int32_t line, int32_t index) const {
    return row ? fGetCell(line, index) : fGetCell(index, line);
}

void GG_NUMBERCROSS::fClear() {
    for (LINE& line : mRows) line.clear();
    for (LINE& line : mColumns) line.clear();
    mClues.clear();
}

bool GG_NUMBERCROSS::fIsLineRangeSettled(bool row, int32_t line, int32_t first, int32_t last) const {
    bool anyFull = false;
    bool allRevealed = true;
    for (int32_t i = first; i <= last; ++i) {
        const GG_ELEMENT* cell = fLineCell(row, line, i);
        if (!cell) continue;
        const bool revealed = cell->fIsRevealed();
        if (cell->fIsFull()) {
            if (!revealed) return false;
            anyFull = true;
        }
        allRevealed = allRevealed && revealed;
    }
    return anyFull || allRevealed;
}

bool GG_NUMBERCROSS::fIsRowRangeSettled(int32_t row, int32_t firstColumn, int32_t lastColumn) const {
    return fIsLineRangeSettled(true, row, firstColumn, lastColumn);
}

bool GG_NUMBERCROSS::fIsColumnRangeSettled(int32_t column, int32_t firstRow, int32_t lastRow) const {
    return fIsLineRangeSettled(false, column, firstRow, lastRow);
}

GG_CLUE* GG_NUMBERCROSS::fGetLongestClue(const LINE& clues) const {
    GG_CLUE* best = nullptr;
    bool shared = false;
    for (GG_CLUE* clue : clues) {
        if (!best || clue->mLength > best->mLength) {
            best = clue;
            shared = false;
        } else if (clue->mLength == best->mLength) {
            shared = true;
        }
    }
    return shared ? nullptr : best;
}

GG_CLUE* GG_NUMBERCROSS::fGetLongestRowClue(int32_t row) const {
    if (row < 0 || row >= static_cast<int32_t>(mRows.size())) return nullptr;
    return fGetLongestClue(mRows[row]);
}

GG_CLUE* GG_NUMBERCROSS::fGetLongestColumnClue(int32_t column) const {
    if (column < 0 || column >= static_cast<int32_t>(mColumns.size())) return nullptr;
    return fGetLongestClue(mColumns[column]);
}

int32_t GG_NUMBERCROSS::fStretchOf(bool row, int32_t line, int32_t first, int32_t last) const {
    std::vector<const GG_ELEMENT*> part;
    part.reserve(static_cast<size_t>(std::max(last - first + 1, 0)));
    for (int32_t i = first; i <= last; ++i) part.push_back(fLineCell(row, line, i));
    return fLongestOpenStretch(part);
}

bool GG_NUMBERCROSS::fIsClueIdentified(bool row, const GG_CLUE& clue) const {
    const int32_t line = row ? clue.mFirstRow : clue.mFirstColumn;
    const int32_t first = row ? clue.mFirstColumn : clue.mFirstRow;
    const int32_t last = row ? clue.mLastColumn : clue.mLastRow;
    const int32_t end = fLineLength(row) - 1;
    // The part after the clue, leaving one cell of space beside it.
    if (last + 2 > end) return true;
    if (fStretchOf(row, line, last + 2, end) < clue.mLength) return true;
    // The part before it, likewise.
    if (first - 2 < 0) return true;
    return fStretchOf(row, line, 0, first - 2) < clue.mLength;
}

bool GG_NUMBERCROSS::fIsRowClueIdentified(const GG_CLUE& clue) const { return fIsClueIdentified(true, clue); }

bool GG_NUMBERCROSS::fIsColumnClueIdentified(const GG_CLUE& clue) const { return fIsClueIdentified(false, clue); }

int32_t GG_NUMBERCROSS::fLongestOpenStretch(std::span<const GG_ELEMENT* const> part) {
    int32_t current = 0;
    int32_t best = 0;
    for (const GG_ELEMENT* cell : part) {
        if (!cell) continue;
        if (!cell->fIsRevealed()) {
            ++current;
        } else if (cell->fIsFull()) {
            best = std::max(best, current - 1);
            current = -1;
        } else {
            best = std::max(best, current);
            current = 0;
        }
    }
    return std::max(current, best);
}

}  // namespace game
