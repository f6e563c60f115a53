#include "tools/lib/LineSolver.h"

#include <gtest/gtest.h>

#include <string>

#include "tools/lib/LevelSource.h"

using tools::Cell;
using tools::LineSolver;

namespace {

LineSolver::Line fLine(const std::string& text) {
    LineSolver::Line line;
    for (char c : text) line.push_back(c == '#' ? Cell::Full : c == 'x' ? Cell::Empty : Cell::Unknown);
    return line;
}

std::string fText(const LineSolver::Line& line) {
    std::string s;
    for (Cell c : line) s += c == Cell::Full ? '#' : c == Cell::Empty ? 'x' : '?';
    return s;
}

std::string fSettle(const LineSolver::Clues& clues, const std::string& text) {
    LineSolver::Line line = fLine(text);
    if (!LineSolver::fSettleLine(clues, line)) return "contradiction";
    return fText(line);
}

}  // namespace

TEST(LineSolverTest, RunsOfALine) {
    EXPECT_EQ(LineSolver::fRuns({true, true, false, true, false}), (LineSolver::Clues{2, 1}));
    EXPECT_EQ(LineSolver::fRuns({false, false}), LineSolver::Clues{});
    EXPECT_EQ(LineSolver::fRuns({true, true, true}), LineSolver::Clues{3});
}

TEST(LineSolverTest, SettlesWhatEveryArrangementShares) {
    // Overlap of a long run.
    EXPECT_EQ(fSettle({4}, "?????"), "?###?");
    // Runs that fill the line exactly.
    EXPECT_EQ(fSettle({2, 2}, "?????"), "##x##");
    // No runs: everything empty.
    EXPECT_EQ(fSettle({}, "????"), "xxxx");
    // A known full cell anchors a run of one; its neighbours go empty.
    EXPECT_EQ(fSettle({1}, "??#??"), "xx#xx");
    // A known empty cell splits the room: the run of 3 only fits right.
    EXPECT_EQ(fSettle({3}, "?x???"), "xx###");
    // Nothing can be said about a short run in a long line.
    EXPECT_EQ(fSettle({1}, "???"), "???");
}

TEST(LineSolverTest, ReportsLinesThatCannotBeArranged) {
    EXPECT_EQ(fSettle({3}, "??"), "contradiction");
    EXPECT_EQ(fSettle({1, 1}, "??x"), "contradiction");
    EXPECT_EQ(fSettle({}, "?#?"), "contradiction");
    EXPECT_EQ(fSettle({2}, "#x#"), "contradiction");
    EXPECT_EQ(fSettle({0}, "???"), "contradiction");
}

TEST(LineSolverTest, SolvesAPuzzleByLogicAlone) {
    tools::LevelSource level;
    std::string error;
    ASSERT_TRUE(level.fParse(".#.#.\n#####\n#####\n.###.\n..#..\n", error)) << error;
    std::vector<Cell> grid(25, Cell::Unknown);
    ASSERT_EQ(LineSolver::fSolve(level.fRowClues(), level.fColumnClues(), grid), LineSolver::Result::Solved);
    for (size_t i = 0; i < grid.size(); ++i)
        EXPECT_EQ(grid[i] == Cell::Full, level.mTypes[i] == tools::LevelSource::kFull) << "cell " << i;
}

TEST(LineSolverTest, TellsSeveralSolutionsFromGuessing) {
    // Two diagonals share their clues.
    const std::vector<LineSolver::Clues> diagonal{{1}, {1}};
    std::vector<Cell> grid(4, Cell::Unknown);
    EXPECT_EQ(LineSolver::fSolve(diagonal, diagonal, grid), LineSolver::Result::Stuck);
    EXPECT_EQ(LineSolver::fCountSolutions(diagonal, diagonal, std::vector<Cell>(4, Cell::Unknown)), 2);

    // One solution, but only a guess finds it.
    tools::LevelSource level;
    std::string error;
    ASSERT_TRUE(level.fParse("#....\n#...#\n...##\n..###\n.#...\n", error)) << error;
    std::vector<Cell> open(25, Cell::Unknown);
    EXPECT_EQ(LineSolver::fSolve(level.fRowClues(), level.fColumnClues(), open), LineSolver::Result::Stuck);
    EXPECT_EQ(
        LineSolver::fCountSolutions(level.fRowClues(), level.fColumnClues(), std::vector<Cell>(25, Cell::Unknown)), 1);
}

TEST(LineSolverTest, SearchGivesUpWithinItsBudget) {
    // An empty 20 x 20 frame of single runs has a huge number of answers.
    const std::vector<LineSolver::Clues> ones(20, LineSolver::Clues{1});
    EXPECT_EQ(LineSolver::fCountSolutions(ones, ones, std::vector<Cell>(400, Cell::Unknown), 1000000, 50), -1);
}
