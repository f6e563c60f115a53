#pragma once

#include <cstdint>
#include <vector>

namespace tools {

// Cell knowledge while solving a nonogram.
enum class Cell : int8_t { Unknown = 0, Full = 1, Empty = 2 };

// Row-and-column logic for nonograms: each line is settled to the cells that
// every arrangement of its clues agrees on, repeated until nothing changes.
// A puzzle this finishes has exactly one solution, and a player can reach it
// without guessing.
class LineSolver {
public:
    using Clues = std::vector<int>;
    using Line = std::vector<Cell>;

    enum class Result { Solved, Stuck, Contradiction };

    // The clue runs of one line of a picture (full cells true). A line
    // without full cells has no runs (an empty list).
    static Clues fRuns(const std::vector<bool>& line);

    // Settles one line in place. False when no arrangement fits.
    static bool fSettleLine(const Clues& clues, Line& line);

    // Solves a width x height grid whose cells may already be partly known
    // (row-major). The grid is left as far as logic got.
    static Result fSolve(const std::vector<Clues>& rows, const std::vector<Clues>& columns, std::vector<Cell>& grid);

    // Counts solutions by search, stopping at `limit`; -1 when the search
    // gives up after `budget` guesses. Used to tell a puzzle with several
    // answers from one that only needs guessing.
    static int fCountSolutions(const std::vector<Clues>& rows, const std::vector<Clues>& columns,
                               std::vector<Cell> grid, int limit = 2, int budget = 20000);

private:
    static int fSearch(const std::vector<Clues>& rows, const std::vector<Clues>& columns, std::vector<Cell> grid,
                       int limit, int& budget);
};

}  // namespace tools
