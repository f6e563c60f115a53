#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "game/board/GG_CLUE.h"
#include "game/board/GG_ELEMENT.h"

namespace game {

// The clue model: derives the clues of every row and column from the cells and
// crosses out the ones the player has settled. Pure logic over the board's
// cell list; the views only read the flags it sets.
class GG_NUMBERCROSS {
public:
    using LINE = std::vector<GG_CLUE*>;

    GG_NUMBERCROSS() = default;
    GG_NUMBERCROSS(const GG_NUMBERCROSS&) = delete;
    GG_NUMBERCROSS& operator=(const GG_NUMBERCROSS&) = delete;
    virtual ~GG_NUMBERCROSS();

    // Keeps a pointer to the row-major cell list (width x height) and derives
    // the clues. Earlier clues are deleted first.
    void fInit(const GG_CELL_LIST* cells, int32_t width, int32_t height);
    // Crosses what the reveal of the cell (row, column) has settled, repeating
    // the row and column passes until one changes nothing.
    void fUpdateCrossing(int32_t row, int32_t column);
    // Null outside the grid (or when the list is shorter than the grid).
    GG_ELEMENT* fGetCell(int32_t row, int32_t column) const;
    void fClear();

    bool fIsRowRangeSettled(int32_t row, int32_t firstColumn, int32_t lastColumn) const;
    bool fIsColumnRangeSettled(int32_t column, int32_t firstRow, int32_t lastRow) const;
    // The unique longest clue of the line, or null when two share the length.
    GG_CLUE* fGetLongestRowClue(int32_t row) const;
    GG_CLUE* fGetLongestColumnClue(int32_t column) const;
    // True unless a run of the clue's length still fits on both sides of it.
    bool fIsRowClueIdentified(const GG_CLUE& clue) const;
    bool fIsColumnClueIdentified(const GG_CLUE& clue) const;
    // The longest stretch of closed cells a run could still occupy; an open
    // full cell takes one cell off each neighbouring stretch.
    static int32_t fLongestOpenStretch(std::span<const GG_ELEMENT* const> part);

    const std::vector<LINE>& fGetRows() const { return mRows; }
    const std::vector<LINE>& fGetColumns() const { return mColumns; }
    int32_t fGetWidth() const { return mWidth; }
    int32_t fGetHeight() const { return mHeight; }

private:
    // Lines are addressed uniformly: a row line runs over columns, a column
    // line over rows.
    GG_ELEMENT* fLineCell(bool row, int32_t line, int32_t index) const;
    int32_t fLineLength(bool row) const { return row ? mWidth : mHeight; }
    bool fIsLineRangeSettled(bool row, int32_t line, int32_t first, int32_t last) const;
    GG_CLUE* fGetLongestClue(const LINE& clues) const;
    bool fIsClueIdentified(bool row, const GG_CLUE& clue) const;
    int32_t fStretchOf(bool row, int32_t line, int32_t first, int32_t last) const;
    void fDeriveLine(bool row, int32_t line);
    // One pass over one line; answers whether a clue was crossed by the
    // clue-by-clue rules (the whole-line rule does not count as a change).
    bool fCrossLine(bool row, int32_t line);

    const GG_CELL_LIST* mCells = nullptr;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    std::vector<LINE> mRows;
    std::vector<LINE> mColumns;
    std::vector<std::unique_ptr<GG_CLUE>> mClues;
};

}  // namespace game
