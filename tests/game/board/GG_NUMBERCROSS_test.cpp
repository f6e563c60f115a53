#include <gtest/gtest.h>

#include "BoardFixture.h"
#include "game/board/GG_NUMBERCROSS.h"

using game::GG_CLUE;
using game::GG_ELEMENT;
using game::GG_NUMBERCROSS;

namespace {

// A picture with its clue model, and reveals through the model's update as
// the board does after each opened cell.
struct Board {
    explicit Board(const std::vector<std::string>& rows) : cells(boardtest::fCells(rows)) {
        model.fInit(&cells, int(rows[0].size()), int(rows.size()));
    }
    void fOpen(int row, int column, bool fill = true) {
        GG_ELEMENT* cell = model.fGetCell(row, column);
        ASSERT_NE(cell, nullptr);
        fill ? cell->fRevealWithFill(0.0f) : cell->fRevealWithCross(0.0f);
        model.fUpdateCrossing(row, column);
    }
    // Crossed flags of a row's clues, "x" crossed, "-" not.
    std::string fRowMarks(int row) const {
        std::string marks;
        for (const GG_CLUE* clue : model.fGetRows()[row]) marks += clue->mCrossed ? 'x' : '-';
        return marks;
    }
    game::GG_CELL_LIST cells;
    GG_NUMBERCROSS model;
};

std::vector<int> fLengths(const GG_NUMBERCROSS::LINE& line) {
    std::vector<int> lengths;
    for (const GG_CLUE* clue : line) lengths.push_back(clue->mLength);
    return lengths;
}

}  // namespace

TEST(GG_NUMBERCROSS, DerivesRunsPerRowAndColumn) {
    Board b({"##.#", "....", "#x##"});
    const auto& rows = b.model.fGetRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(fLengths(rows[0]), (std::vector<int>{2, 1}));
    EXPECT_EQ(rows[0][0]->mFirstColumn, 0);
    EXPECT_EQ(rows[0][0]->mLastColumn, 1);
    EXPECT_EQ(rows[0][1]->mFirstColumn, 3);
    EXPECT_EQ(rows[0][1]->mLastColumn, 3);
    EXPECT_EQ(rows[0][0]->mFirstRow, 0);
    EXPECT_EQ(rows[0][0]->mLastRow, 0);

    // A line without full cells has one clue 0 covering the whole line.
    ASSERT_EQ(rows[1].size(), 1u);
    EXPECT_EQ(rows[1][0]->mLength, 0);
    EXPECT_EQ(rows[1][0]->mFirstColumn, 0);
    EXPECT_EQ(rows[1][0]->mLastColumn, 3);

    // A fixed cell breaks a run like an empty one.
    EXPECT_EQ(fLengths(rows[2]), (std::vector<int>{1, 2}));

    const auto& columns = b.model.fGetColumns();
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(fLengths(columns[0]), (std::vector<int>{1, 1}));
    EXPECT_EQ(fLengths(columns[1]), (std::vector<int>{1}));
    EXPECT_EQ(fLengths(columns[2]), (std::vector<int>{1}));
    EXPECT_EQ(columns[2][0]->mFirstRow, 2);
    EXPECT_EQ(columns[2][0]->mFirstColumn, 2);
    EXPECT_EQ(fLengths(columns[3]), (std::vector<int>{1, 1}));

    Board tall({"#", "#", "#", "."});
    ASSERT_EQ(tall.model.fGetColumns()[0].size(), 1u);
    EXPECT_EQ(tall.model.fGetColumns()[0][0]->mLength, 3);
    EXPECT_EQ(tall.model.fGetColumns()[0][0]->mLastRow, 2);
}

TEST(GG_NUMBERCROSS, CellLookupStaysInsideTheGrid) {
    Board b({"#.", ".#"});
    EXPECT_EQ(b.model.fGetCell(1, 1)->fGetRow(), 1);
    EXPECT_EQ(b.model.fGetCell(-1, 0), nullptr);
    EXPECT_EQ(b.model.fGetCell(0, 2), nullptr);
    EXPECT_EQ(b.model.fGetCell(2, 0), nullptr);

    // A list shorter than the grid answers null rather than reading past it.
    game::GG_CELL_LIST few = boardtest::fCells({"##"});
    GG_NUMBERCROSS model;
    model.fInit(&few, 2, 2);
    EXPECT_NE(model.fGetCell(0, 1), nullptr);
    EXPECT_EQ(model.fGetCell(1, 0), nullptr);
    model.fUpdateCrossing(1, 0);
}

TEST(GG_NUMBERCROSS, UniqueLongestClue) {
    EXPECT_EQ(Board({"#..###.#"}).model.fGetLongestRowClue(0)->mLength, 3);
    EXPECT_EQ(Board({"##.##.#"}).model.fGetLongestRowClue(0), nullptr) << "two clues share the length";
    EXPECT_EQ(Board({"...."}).model.fGetLongestRowClue(0)->mLength, 0) << "the empty line's clue 0";
    Board b({"#.#", "...", "#.#"});
    EXPECT_EQ(b.model.fGetLongestColumnClue(1)->mLength, 0);
    EXPECT_EQ(b.model.fGetLongestColumnClue(0), nullptr);
    EXPECT_EQ(b.model.fGetLongestRowClue(7), nullptr);
}

TEST(GG_NUMBERCROSS, LongestOpenStretch) {
    // Cells: '?' closed, 'F' open full, 'E' open empty, 'X' fixed.
    auto stretch = [](const std::string& pattern) {
        game::GG_CELL_LIST cells;
        std::vector<const GG_ELEMENT*> part;
        for (size_t i = 0; i < pattern.size(); ++i) {
            const char k = pattern[i];
            const int type = k == 'E' ? 101 : k == 'X' ? 103 : 100;
            cells.push_back(std::make_unique<GG_ELEMENT>(type, 0, int(i)));
            if (k == 'F') cells.back()->fRevealWithFill(0.0f);
            if (k == 'E') cells.back()->fRevealWithCross(0.0f);
            part.push_back(cells.back().get());
        }
        return GG_NUMBERCROSS::fLongestOpenStretch(part);
    };
    EXPECT_EQ(stretch(""), 0);
    EXPECT_EQ(stretch("???"), 3);
    EXPECT_EQ(stretch("??E???"), 3);
    EXPECT_EQ(stretch("???X?"), 3) << "a fixed cell breaks the stretch";
    EXPECT_EQ(stretch("??F??"), 1) << "an open full cell takes a cell from each side";
    EXPECT_EQ(stretch("F???"), 2);
    EXPECT_EQ(stretch("???F"), 2);
    EXPECT_EQ(stretch("FF"), 0);
    EXPECT_EQ(stretch("EEE"), 0);
}

TEST(GG_NUMBERCROSS, RangeSettlement) {
    Board b({"#.#.."});
    EXPECT_FALSE(b.model.fIsRowRangeSettled(0, 0, 4));
    b.fOpen(0, 0);
    EXPECT_TRUE(b.model.fIsRowRangeSettled(0, 0, 0));
    EXPECT_FALSE(b.model.fIsRowRangeSettled(0, 0, 4));
    EXPECT_FALSE(b.model.fIsRowRangeSettled(0, 3, 4)) << "no full cell: every cell must be open";
    b.fOpen(0, 3, false);
    b.fOpen(0, 4, false);
    EXPECT_TRUE(b.model.fIsRowRangeSettled(0, 3, 4));
    b.fOpen(0, 2);
    EXPECT_TRUE(b.model.fIsRowRangeSettled(0, 0, 4)) << "empty cells need not be opened";
    EXPECT_TRUE(b.model.fIsColumnRangeSettled(2, 0, 0));
}

TEST(GG_NUMBERCROSS, EqualCluesAtTheEdgesAreIdentifiedByTheirEmptySide) {
    Board b({"#...#"});
    b.fOpen(0, 0);
    EXPECT_EQ(b.fRowMarks(0), "x-") << "the first clue has no room before it";
    b.fOpen(0, 4);
    EXPECT_EQ(b.fRowMarks(0), "xx");

    Board after({"##....##.."});
    after.fOpen(0, 6);
    after.fOpen(0, 7);
    EXPECT_EQ(after.fRowMarks(0), "-x") << "one closed cell after the last clue is no room for a 2";
}

TEST(GG_NUMBERCROSS, UniqueLongestIsCrossedWhenItsCellsAreOpen) {
    Board unique({"#...###.....#"});
    for (int c : {4, 5}) unique.fOpen(0, c);
    EXPECT_EQ(unique.fRowMarks(0), "---");
    unique.fOpen(0, 6);
    EXPECT_EQ(unique.fRowMarks(0), "-x-");

    // The same run with a twin has room on both sides and neighbours open: it waits.
    Board twin({"#...###..###."});
    for (int c : {4, 5, 6}) twin.fOpen(0, c);
    EXPECT_EQ(twin.fRowMarks(0), "---");
}

TEST(GG_NUMBERCROSS, NeighboursAndIdentificationCrossMiddleClues) {
    // The first clue crosses by its empty side, the middle one because the
    // previous is crossed, in the same pass; the 3 waits for its cells.
    Board b({"##..##....###."});
    b.fOpen(0, 4);
    b.fOpen(0, 5);
    EXPECT_EQ(b.fRowMarks(0), "---");
    b.fOpen(0, 0);
    EXPECT_EQ(b.fRowMarks(0), "---");
    b.fOpen(0, 1);
    EXPECT_EQ(b.fRowMarks(0), "xx-");

    // A middle clue with one closed cell before its neighbour is identified,
    // and crossed because that neighbour is shorter.
    Board m({"#.###...###...."});
    for (int c : {2, 3, 4}) m.fOpen(0, c);
    EXPECT_EQ(m.fRowMarks(0), "-x-");
}

TEST(GG_NUMBERCROSS, RepeatPicksUpAClueWhoseNeighbourWasCrossedLaterInThePass) {
    Board b({"...##...###..#."});
    b.fOpen(0, 3);
    b.fOpen(0, 4);
    EXPECT_EQ(b.fRowMarks(0), "---") << "room for a 2 on both sides";
    b.fOpen(0, 8);
    b.fOpen(0, 9);
    b.fOpen(0, 10);
    EXPECT_EQ(b.fRowMarks(0), "xx-");
}

TEST(GG_NUMBERCROSS, SettlingTheWholeLineCrossesEveryClueAtOnce) {
    Board b({"..#..#..#.."});
    b.fOpen(0, 5);
    b.fOpen(0, 2);
    EXPECT_EQ(b.fRowMarks(0), "---");
    b.fOpen(0, 8);
    EXPECT_EQ(b.fRowMarks(0), "xxx") << "empty cells are still closed";
    for (const GG_CLUE* clue : b.model.fGetRows()[0]) {
        EXPECT_TRUE(clue->mCrossPending);
        EXPECT_FALSE(clue->mDrawnCrossed);
    }
    // Crossing never undoes itself, and a crossed clue is not crossed again.
    b.model.fGetRows()[0][0]->mCrossPending = 0;
    b.model.fUpdateCrossing(0, 2);
    EXPECT_FALSE(b.model.fGetRows()[0][0]->mCrossPending);
    EXPECT_EQ(b.fRowMarks(0), "xxx");
}

TEST(GG_NUMBERCROSS, EmptyLineIsCrossedOnlyWhenAllItsCellsAreOpen) {
    Board b({"#.#", "...", "##."});
    b.fOpen(1, 0, false);
    b.fOpen(1, 1, false);
    EXPECT_EQ(b.fRowMarks(1), "-");
    b.fOpen(1, 2, false);
    EXPECT_EQ(b.fRowMarks(1), "x");
    // Column 1 holds one full cell (row 2); opening it settles the column.
    EXPECT_FALSE(b.model.fGetColumns()[1][0]->mCrossed);
    b.fOpen(2, 1);
    EXPECT_TRUE(b.model.fGetColumns()[1][0]->mCrossed);
}

TEST(GG_NUMBERCROSS, WrongRevealsCountAndClearingEmptiesTheModel) {
    Board b({"#.#"});
    b.fOpen(0, 0, false);  // a full cell opened with the cross still counts as open
    b.fOpen(0, 2, false);
    EXPECT_EQ(b.fRowMarks(0), "xx");
    EXPECT_TRUE(b.model.fGetColumns()[0][0]->mCrossed);
    EXPECT_FALSE(b.model.fGetColumns()[1][0]->mCrossed);

    b.model.fClear();
    for (const auto& line : b.model.fGetRows()) EXPECT_TRUE(line.empty());
    for (const auto& line : b.model.fGetColumns()) EXPECT_TRUE(line.empty());
}
