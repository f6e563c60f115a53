#include "tools/lib/BoardStyle.h"

#include "tools/lib/SourceText.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace tools {

namespace {


bool fPair(const std::string& v, float& a, float& b) {
    std::istringstream in(v);
    return static_cast<bool>(in >> a >> b);
}

bool fPair(const std::string& v, int& a, int& b) {
    std::istringstream in(v);
    return static_cast<bool>(in >> a >> b);
}

std::string fNum(float v) {
    char buf[32];
    if (std::fabs(v - std::round(v)) < 1e-4f) std::snprintf(buf, sizeof buf, "%d", static_cast<int>(std::lround(v)));
    else std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

}  // namespace

bool BoardStyle::fParse(const std::string& text, std::string& error) {
    std::map<std::string, std::string> values;
    std::istringstream in(text);
    std::string raw;
    while (std::getline(in, raw)) {
        const auto semi = raw.find(';');
        const std::string line = SourceText::fTrim(raw.substr(0, semi));
        if (line.empty()) continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos) {
            error = "no '=' in \"" + line + "\"";
            return false;
        }
        values[SourceText::fTrim(line.substr(0, eq))] = SourceText::fTrim(line.substr(eq + 1));
    }
    auto need = [&](const char* key) -> const std::string* {
        auto it = values.find(key);
        if (it == values.end() || it->second.empty()) {
            error = std::string("missing \"") + key + "\"";
            return nullptr;
        }
        return &it->second;
    };
    const std::string* v;
    if (!(v = need("elSize")) || !fPair(*v, mCellW, mCellH) || mCellW <= 0 || mCellH <= 0)
        return error.empty() ? (error = "bad elSize", false) : false;
    if (!(v = need("block")) || !fPair(*v, mBlockX, mBlockY) || mBlockX <= 0 || mBlockY <= 0)
        return error.empty() ? (error = "bad block", false) : false;
    if (!(v = need("shiftBlock")) || !fPair(*v, mShiftX, mShiftY))
        return error.empty() ? (error = "bad shiftBlock", false) : false;
    if (!(v = need("centre")) || !fPair(*v, mCentreX, mCentreY))
        return error.empty() ? (error = "bad centre", false) : false;
    if (!(v = need("ear"))) return false;
    mEar = std::atoi(v->c_str());
    if (!(v = need("clue_step"))) return false;
    mClueStep = std::atoi(v->c_str());
    if (mEar <= 0 || mClueStep <= 0) {
        error = "bad ear or clue_step";
        return false;
    }
    if (!(v = need("tile"))) return false;
    mTile = *v;
    if (!(v = need("selection"))) return false;
    mSelection = *v;
    if (!(v = need("selection_yes"))) return false;
    mSelectionYes = *v;
    if (!(v = need("selection_no"))) return false;
    mSelectionNo = *v;
    auto it = values.find("tile_fives");
    if (it != values.end()) mTileFives = it->second;
    mAreas.clear();
    for (const auto& [key, value] : values) {
        if (key != "area" && key.rfind("area.", 0) != 0) continue;
        std::istringstream area(value);
        AREA a;
        if (!(area >> a.l >> a.t >> a.r >> a.b) || a.r <= a.l || a.b <= a.t) {
            error = "bad " + key;
            return false;
        }
        mAreas[key == "area" ? std::string() : key.substr(5)] = a;
    }
    return true;
}

bool BoardStyle::fFits(const LevelSource& level, const AREA& area) const {
    return mEar + fBoardWidth(level.mWidth) <= area.r - area.l && mEar + fBoardHeight(level.mHeight) <= area.b - area.t;
}

BoardStyle BoardStyle::fSizedFor(const LevelSource& level, const std::string& pack) const {
    BoardStyle sized = *this;
    auto it = mAreas.find(pack);
    if (it == mAreas.end()) it = mAreas.find(std::string());
    if (it == mAreas.end()) return sized;
    const AREA& area = it->second;
    // Gaps grow with the cells, so a tile drawn for the design cell lines up
    // with the cells when it is stretched to a block.
    auto sizeTo = [&](int cell) {
        sized.mCellW = sized.mCellH = static_cast<float>(cell);
        sized.mShiftX = static_cast<int>(std::lround(mShiftX * cell / mCellW));
        sized.mShiftY = static_cast<int>(std::lround(mShiftY * cell / mCellH));
    };
    int cell = static_cast<int>(mCellW);
    sizeTo(cell);
    while (cell < 256) {
        sizeTo(cell + 1);
        if (!sized.fFits(level, area)) break;
        ++cell;
    }
    sizeTo(cell);
    while (cell > 8 && !sized.fFits(level, area)) sizeTo(--cell);
    sized.mCentreX = (area.l + area.r) * 0.5f;
    sized.mCentreY = (area.t + area.b) * 0.5f;
    if (!mTileFives.empty() && (level.mWidth > 10 || level.mHeight > 10)) sized.mTile = mTileFives;
    return sized;
}

int BoardStyle::fBoardWidth(int columns) const {
    const int blocks = columns / mBlockX + (columns % mBlockX ? 1 : 0);
    return static_cast<int>(mBlockX * mCellW * blocks - (blocks + 1) * mShiftX);
}

int BoardStyle::fBoardHeight(int rows) const {
    const int blocks = rows / mBlockY + (rows % mBlockY ? 1 : 0);
    return static_cast<int>(mBlockY * mCellH * blocks - (blocks + 1) * mShiftY);
}

void BoardStyle::fPosition(int columns, int rows, float& x, float& y) const {
    // The board and the clue strips left of and above it are centred
    // together, so the board centre sits half a strip right and down; the
    // board's corner keeps to whole pixels, so cell lines stay sharp.
    const float w = static_cast<float>(fBoardWidth(columns)), h = static_cast<float>(fBoardHeight(rows));
    x = std::floor(mCentreX + mEar * 0.5f - w * 0.5f) + w * 0.5f;
    y = std::floor(mCentreY + mEar * 0.5f - h * 0.5f) + h * 0.5f;
}

bool BoardStyle::fCheckFits(const LevelSource& level, std::string& error) const {
    float x, y;
    fPosition(level.mWidth, level.mHeight, x, y);
    const float w = static_cast<float>(fBoardWidth(level.mWidth));
    const float h = static_cast<float>(fBoardHeight(level.mHeight));
    const float left = x - w * 0.5f - mEar, top = y - h * 0.5f - mEar;
    const float right = x + w * 0.5f, bottom = y + h * 0.5f;
    if (left < 0 || top < 0 || right > mScreenW || bottom > mScreenH) {
        error = "board of " + std::to_string(level.mWidth) + "x" + std::to_string(level.mHeight) +
                " with its clue strips does not fit the screen";
        return false;
    }
    size_t most = 0;
    for (const auto& c : level.fRowClues()) most = std::max(most, c.size());
    for (const auto& c : level.fColumnClues()) most = std::max(most, c.size());
    if (static_cast<int>(most) * mClueStep > mEar) {
        error = "a line has " + std::to_string(most) + " clues; the clue strip holds " +
                std::to_string(mEar / mClueStep);
        return false;
    }
    return true;
}

std::string BoardStyle::fWriteLevel(const LevelSource& level) const {
    float x, y;
    fPosition(level.mWidth, level.mHeight, x, y);
    // One tile covers a block and the gap around it; tiles step by the
    // tile size plus the (negative) shift and overlap in the gaps.
    const int tileW = static_cast<int>(mBlockX * mCellW) - 2 * mShiftX;
    const int tileH = static_cast<int>(mBlockY * mCellH) - 2 * mShiftY;
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    if (!level.mName.empty()) out << "<!-- " << level.mName << " -->\n";
    out << "<level>\n";
    out << "  <settings elSize=\"" << fNum(mCellW) << ' ' << fNum(mCellH) << "\" grid=\"" << level.mWidth << ' '
        << level.mHeight << "\" block=\"" << mBlockX << ' ' << mBlockY << "\" shiftBlock=\"" << mShiftX << ' '
        << mShiftY << "\" position=\"" << fNum(x) << ' ' << fNum(y) << "\" bonuses=\"" << level.mBonuses << "\">\n";
    out << "    <block><FILE>" << mTile << "</FILE><HOT_SPOT>HS_UL</HOT_SPOT><SIZE>" << tileW << ' ' << tileH
        << "</SIZE></block>\n";
    // The selection marks are drawn a cell large.
    const std::string cell = "<SIZE>" + fNum(mCellW) + ' ' + fNum(mCellH) + "</SIZE>";
    out << "    <selection><FILE>" << mSelection << "</FILE><HOT_SPOT>HS_MID</HOT_SPOT>" << cell << "</selection>\n";
    out << "    <selection_yes><FILE>" << mSelectionYes << "</FILE><HOT_SPOT>HS_MID</HOT_SPOT>" << cell
        << "</selection_yes>\n";
    out << "    <selection_no><FILE>" << mSelectionNo << "</FILE><HOT_SPOT>HS_MID</HOT_SPOT>" << cell
        << "</selection_no>\n";
    out << "  </settings>\n  <gElements>\n";
    for (int r = 0; r < level.mHeight; ++r) {
        out << "   ";
        for (int c = 0; c < level.mWidth; ++c) out << " <c type=\"" << level.mTypes[r * level.mWidth + c] << "\"/>";
        out << "\n";
    }
    out << "  </gElements>\n</level>\n";
    return out.str();
}

}  // namespace tools
