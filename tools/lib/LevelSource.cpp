#include "tools/lib/LevelSource.h"

#include "tools/lib/SourceText.h"
#include <cstdlib>
#include <sstream>

namespace tools {

namespace {}  // namespace

bool LevelSource::fParse(const std::string& text, std::string& error) {
    mName.clear();
    mBonuses = 0;
    mWidth = mHeight = 0;
    mTypes.clear();
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    bool inGrid = false;
    while (std::getline(in, raw)) {
        ++lineNo;
        const std::string line = SourceText::fTrim(raw);
        if (line.empty()) {
            if (inGrid) inGrid = false;  // a blank line ends the grid
            continue;
        }
        if (line[0] == ';') continue;
        const auto colon = line.find(':');
        if (colon != std::string::npos) {
            if (!mTypes.empty()) {
                error = "line " + std::to_string(lineNo) + ": header after the grid";
                return false;
            }
            const std::string key = SourceText::fTrim(line.substr(0, colon));
            const std::string value = SourceText::fTrim(line.substr(colon + 1));
            if (key == "name") {
                mName = value;
            } else if (key == "bonuses") {
                char* end = nullptr;
                const long n = std::strtol(value.c_str(), &end, 10);
                if (value.empty() || *end != '\0' || n < 0 || n > 1000) {
                    error = "line " + std::to_string(lineNo) + ": bad bonus count \"" + value + "\"";
                    return false;
                }
                mBonuses = static_cast<int>(n);
            } else {
                error = "line " + std::to_string(lineNo) + ": unknown key \"" + key + "\"";
                return false;
            }
            continue;
        }
        if (mHeight > 0 && !inGrid) {
            error = "line " + std::to_string(lineNo) + ": a second grid";
            return false;
        }
        inGrid = true;
        const int width = static_cast<int>(line.size());
        if (mHeight == 0) {
            mWidth = width;
        } else if (width != mWidth) {
            error = "line " + std::to_string(lineNo) + ": row of " + std::to_string(width) + " cells, expected " +
                    std::to_string(mWidth);
            return false;
        }
        for (char c : line) {
            switch (c) {
                case '#': mTypes.push_back(kFull); break;
                case '.': mTypes.push_back(kEmpty); break;
                case '+': mTypes.push_back(kFixed); break;
                default:
                    error = "line " + std::to_string(lineNo) + ": unknown cell '" + std::string(1, c) + "'";
                    return false;
            }
        }
        ++mHeight;
    }
    if (mHeight == 0) {
        error = "no grid";
        return false;
    }
    return true;
}

int LevelSource::fCountFull() const {
    int n = 0;
    for (int t : mTypes) n += t == kFull;
    return n;
}

std::vector<LineSolver::Clues> LevelSource::fRowClues() const {
    std::vector<LineSolver::Clues> clues;
    for (int r = 0; r < mHeight; ++r) {
        std::vector<bool> line(mWidth);
        for (int c = 0; c < mWidth; ++c) line[c] = mTypes[r * mWidth + c] == kFull;
        clues.push_back(LineSolver::fRuns(line));
    }
    return clues;
}

std::vector<LineSolver::Clues> LevelSource::fColumnClues() const {
    std::vector<LineSolver::Clues> clues;
    for (int c = 0; c < mWidth; ++c) {
        std::vector<bool> line(mHeight);
        for (int r = 0; r < mHeight; ++r) line[r] = mTypes[r * mWidth + c] == kFull;
        clues.push_back(LineSolver::fRuns(line));
    }
    return clues;
}

bool LevelSource::fCheck(std::string& error) const {
    if (mWidth <= 0 || mHeight <= 0 || static_cast<int>(mTypes.size()) != mWidth * mHeight) {
        error = "cell count does not match the grid";
        return false;
    }
    for (int t : mTypes) {
        if (t != kFull && t != kEmpty && t != kFixed) {
            error = "invalid cell type " + std::to_string(t);
            return false;
        }
    }
    const int full = fCountFull();
    if (full == 0) {
        error = "no full cell";
        return false;
    }
    if (mBonuses > full) {
        error = std::to_string(mBonuses) + " bonuses but only " + std::to_string(full) + " full cells";
        return false;
    }
    // Fixed cells are known from the start.
    std::vector<Cell> grid(mTypes.size(), Cell::Unknown);
    for (size_t i = 0; i < mTypes.size(); ++i)
        if (mTypes[i] == kFixed) grid[i] = Cell::Empty;
    const auto rows = fRowClues();
    const auto columns = fColumnClues();
    std::vector<Cell> solved = grid;
    const LineSolver::Result result = LineSolver::fSolve(rows, columns, solved);
    if (result == LineSolver::Result::Solved) return true;
    if (result == LineSolver::Result::Contradiction) {
        error = "clues contradict each other";
        return false;
    }
    int unknown = 0;
    for (Cell c : solved) unknown += c == Cell::Unknown;
    const int count = LineSolver::fCountSolutions(rows, columns, grid, 2);
    if (count > 1) {
        error = "more than one solution (" + std::to_string(unknown) + " cells left open)";
    } else if (count < 0) {
        error = "row-and-column logic leaves " + std::to_string(unknown) + " cells open";
    } else {
        error = "needs guessing: row-and-column logic leaves " + std::to_string(unknown) + " cells open";
    }
    return false;
}

}  // namespace tools
