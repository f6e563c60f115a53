#include "tools/lib/LineSolver.h"

#include <cstddef>

namespace tools {

LineSolver::Clues LineSolver::fRuns(const std::vector<bool>& line) {
    Clues runs;
    int run = 0;
    for (bool full : line) {
        if (full) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    if (run > 0) runs.push_back(run);
    return runs;
}

bool LineSolver::fSettleLine(const Clues& clues, Line& line) {
    const int n = static_cast<int>(line.size());
    const int k = static_cast<int>(clues.size());
    for (int c : clues)
        if (c <= 0) return false;

    // fullBefore[i]: some cell in [0, i) is known full; used to reject
    // placements that would leave a known full cell uncovered.
    std::vector<int> fullCount(n + 1, 0), emptyCount(n + 1, 0);
    for (int i = 0; i < n; ++i) {
        fullCount[i + 1] = fullCount[i] + (line[i] == Cell::Full);
        emptyCount[i + 1] = emptyCount[i] + (line[i] == Cell::Empty);
    }
    auto noFull = [&](int a, int b) { return fullCount[b] - fullCount[a] == 0; };
    auto noEmpty = [&](int a, int b) { return emptyCount[b] - emptyCount[a] == 0; };

    // pre[j][i]: the first j runs fit into cells [0, i), the last one ending
    // at or before i with cell i (if any) free to be empty.
    // suf[j][i]: runs j..k-1 fit into cells [i, n).
    std::vector<std::vector<char>> pre(k + 1, std::vector<char>(n + 1, 0));
    std::vector<std::vector<char>> suf(k + 1, std::vector<char>(n + 2, 0));
    for (int i = 0; i <= n; ++i) pre[0][i] = noFull(0, i);
    for (int j = 1; j <= k; ++j) {
        const int len = clues[j - 1];
        for (int i = 1; i <= n; ++i) {
            // Cell i-1 empty: same as pre[j][i-1].
            bool ok = line[i - 1] != Cell::Full && pre[j][i - 1];
            // Run j ends at cell i-1: occupies [i-len, i).
            const int s = i - len;
            if (!ok && s >= 0 && noEmpty(s, i)) {
                if (j == 1) {
                    ok = noFull(0, s);
                } else if (s >= 1 && line[s - 1] != Cell::Full) {
                    ok = pre[j - 1][s - 1];
                }
            }
            pre[j][i] = ok;
        }
    }
    for (int i = n; i >= 0; --i) suf[k][i] = noFull(i, n);
    for (int j = k - 1; j >= 0; --j) {
        const int len = clues[j];
        for (int i = n - 1; i >= 0; --i) {
            bool ok = line[i] != Cell::Full && suf[j][i + 1];
            const int e = i + len;
            if (!ok && e <= n && noEmpty(i, e)) {
                if (j == k - 1) {
                    ok = noFull(e, n);
                } else if (e < n && line[e] != Cell::Full) {
                    ok = suf[j + 1][e + 1];
                }
            }
            suf[j][i] = ok;
        }
    }
    if (!pre[k][n]) return false;

    std::vector<char> canEmpty(n, 0), canFull(n, 0);
    // A cell can be empty when the runs split around it.
    for (int i = 0; i < n; ++i) {
        if (line[i] == Cell::Full) continue;
        for (int j = 0; j <= k && !canEmpty[i]; ++j)
            if (pre[j][i] && suf[j][i + 1]) canEmpty[i] = 1;
    }
    // A cell can be full when some run j covers it at a feasible place.
    std::vector<int> mark(n + 1, 0);
    for (int j = 0; j < k; ++j) {
        const int len = clues[j];
        for (int s = 0; s + len <= n; ++s) {
            const int e = s + len;
            if (!noEmpty(s, e)) continue;
            bool left = j == 0 ? noFull(0, s) : (s >= 1 && line[s - 1] != Cell::Full && pre[j][s - 1]);
            if (!left) continue;
            bool right = j == k - 1 ? noFull(e, n) : (e < n && line[e] != Cell::Full && suf[j + 1][e + 1]);
            if (!right) continue;
            mark[s] += 1;
            mark[e] -= 1;
        }
    }
    int cover = 0;
    for (int i = 0; i < n; ++i) {
        cover += mark[i];
        if (cover > 0) canFull[i] = 1;
    }
    for (int i = 0; i < n; ++i) {
        if (!canFull[i] && !canEmpty[i]) return false;
        if (line[i] == Cell::Unknown) {
            if (canFull[i] && !canEmpty[i]) line[i] = Cell::Full;
            else if (!canFull[i] && canEmpty[i]) line[i] = Cell::Empty;
        }
    }
    return true;
}

LineSolver::Result LineSolver::fSolve(const std::vector<Clues>& rows, const std::vector<Clues>& columns,
                                      std::vector<Cell>& grid) {
    const size_t h = rows.size(), w = columns.size();
    if (grid.size() != w * h) return Result::Contradiction;
    std::vector<char> rowDirty(h, 1), colDirty(w, 1);
    bool changed = true;
    while (changed) {
        changed = false;
        for (size_t r = 0; r < h; ++r) {
            if (!rowDirty[r]) continue;
            rowDirty[r] = 0;
            Line line(grid.begin() + r * w, grid.begin() + (r + 1) * w);
            if (!fSettleLine(rows[r], line)) return Result::Contradiction;
            for (size_t c = 0; c < w; ++c) {
                if (grid[r * w + c] != line[c]) {
                    grid[r * w + c] = line[c];
                    colDirty[c] = 1;
                    changed = true;
                }
            }
        }
        for (size_t c = 0; c < w; ++c) {
            if (!colDirty[c]) continue;
            colDirty[c] = 0;
            Line line(h);
            for (size_t r = 0; r < h; ++r) line[r] = grid[r * w + c];
            if (!fSettleLine(columns[c], line)) return Result::Contradiction;
            for (size_t r = 0; r < h; ++r) {
                if (grid[r * w + c] != line[r]) {
                    grid[r * w + c] = line[r];
                    rowDirty[r] = 1;
                    changed = true;
                }
            }
        }
    }
    for (Cell cell : grid)
        if (cell == Cell::Unknown) return Result::Stuck;
    return Result::Solved;
}

int LineSolver::fCountSolutions(const std::vector<Clues>& rows, const std::vector<Clues>& columns,
                                std::vector<Cell> grid, int limit, int budget) {
    const int found = fSearch(rows, columns, std::move(grid), limit, budget);
    return budget < 0 && found < limit ? -1 : found;
}

int LineSolver::fSearch(const std::vector<Clues>& rows, const std::vector<Clues>& columns, std::vector<Cell> grid,
                        int limit, int& budget) {
    if (--budget < 0) return 0;
    const Result result = fSolve(rows, columns, grid);
    if (result == Result::Contradiction) return 0;
    if (result == Result::Solved) return 1;
    size_t pick = 0;
    while (grid[pick] != Cell::Unknown) ++pick;
    int found = 0;
    for (Cell guess : {Cell::Full, Cell::Empty}) {
        std::vector<Cell> branch = grid;
        branch[pick] = guess;
        found += fSearch(rows, columns, std::move(branch), limit - found, budget);
        if (found >= limit) break;
    }
    return found;
}

}  // namespace tools
