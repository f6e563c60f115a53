#pragma once

#include <string>
#include <vector>

#include "tools/lib/LineSolver.h"

namespace tools {

// One level as authored: a text grid where '#' is a full cell, '.' an empty
// cell and '+' a fixed cell (shown from the start, counted as empty by the
// clues). Header lines "name: ..." and "bonuses: N" come before the grid;
// lines starting with ';' are comments.
class LevelSource {
public:
    static constexpr int kFull = 100;
    static constexpr int kEmpty = 101;
    static constexpr int kFixed = 103;

    // False with a message when the text is not a well-formed level.
    bool fParse(const std::string& text, std::string& error);

    // Rules every shipped level keeps: a rectangular grid of known types, at
    // least one full cell, bonuses within the full cells, and one solution
    // that row-and-column logic reaches. False with a message otherwise.
    bool fCheck(std::string& error) const;

    std::vector<LineSolver::Clues> fRowClues() const;
    std::vector<LineSolver::Clues> fColumnClues() const;
    int fCountFull() const;

    std::string mName;
    int mBonuses = 0;
    int mWidth = 0;
    int mHeight = 0;
    std::vector<int> mTypes;  // row-major cell types
};

}  // namespace tools
