#include "game/board/GG_NUMBERS.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/resources/KC_FONT.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/scene/KE_ANCHOR.h"
#include "engine/util/KF_SMALL_HELPERS.h"
#include "game/board/GG_BOARD_LAYOUT.h"
#include "game/product/GG_ERROR.h"

namespace game {

GG_NUMBERS::GG_NUMBERS(bool rowView) : mRowView(rowView) {}

GG_NUMBERS::~GG_NUMBERS() = default;

bool GG_NUMBERS::fNumbersPlausible() const {
    const float far = GG_BOARD_LAYOUT::kMAX_POSITION;
    return std::abs(mInterval) <= GG_BOARD_LAYOUT::kMAX_CELL && std::abs(mShiftFirst.x) <= far &&
           std::abs(mShiftFirst.y) <= far;
}

bool GG_NUMBERS::fLoad(const pugi::xml_node& node, int32_t blockShift, int32_t step, int32_t lineCount,
                       int32_t blockSize) {
    if (!node) return false;
    const char* names[] = {"font", "font_color", "font_cross", "interval", "shift_first"};
    for (const char* name : names) {
        if (!node.attribute(name)) return false;
    }
    mFontName = node.attribute("font").as_string();
    mColor = KEL::KS_COLOR::fFromHex(node.attribute("font_color").as_string());
    mCrossColor = KEL::KS_COLOR::fFromHex(node.attribute("font_cross").as_string());
    mInterval = node.attribute("interval").as_int();
    mShiftFirst = KEL::KS_VEC2(node.attribute("shift_first").as_string());
    if (!fNumbersPlausible()) {
        GG_ERROR::fFail("Level numbers hold a number out of range");
        return false;
    }
    mMark.fRead(node);
    mBlockShift = blockShift;
    mStep = step;
    mLineCount = lineCount;
    mBlockSize = blockSize;
    return true;
}

void GG_NUMBERS::fSetLines(const std::vector<GG_NUMBERCROSS::LINE>* lines) {
    mLines = lines;
    mMarks.clear();
}

void GG_NUMBERS::fSetOrigin(float x, float y) { mOrigin = KEL::KS_VEC2(x, y); }

void GG_NUMBERS::fWalk(const std::function<void(GG_CLUE&, int32_t x, int32_t y)>& visit) const {
    if (!mLines) return;
    const int32_t count = std::min<int32_t>(mLineCount, static_cast<int32_t>(mLines->size()));
    // Across: the axis the lines advance along; outward: the axis the numbers
    // of one line run along, away from the board.
    // Levels size their cells to their board while every level shares this
    // file: the numbers stand on the middle of their line, and the shift
    // along the lines only nudges them from there.
    const float middle = static_cast<float>(mStep) * 0.5f;
    int32_t across = KEL::fClampToInt(mRowView ? mOrigin.y + middle + mShiftFirst.y
                                               : mOrigin.x + middle + mShiftFirst.x);
    const int32_t outwardStart = KEL::fClampToInt(mRowView ? mOrigin.x - mShiftFirst.x : mOrigin.y - mShiftFirst.y);
    for (int32_t i = 0; i < count; ++i) {
        if (mBlockSize != 0 && i % mBlockSize == 0) across -= mBlockShift;
        int32_t outward = outwardStart;
        const GG_NUMBERCROSS::LINE& line = (*mLines)[i];
        for (auto clue = line.rbegin(); clue != line.rend(); ++clue) {
            if (mRowView) visit(**clue, outward, across);
            else visit(**clue, across, outward);
            outward -= mInterval;
        }
        across += mStep;
    }
}

void GG_NUMBERS::fLoadResources(const KEL::KC_FONT_LIST* fonts) {
    mFont = fonts ? fonts->fGet(mFontName) : nullptr;
    mMark.fReloadTexture();
    for (auto& mark : mMarks) mark->fReloadTexture();
}

void GG_NUMBERS::fReleaseResources() {
    mFont = nullptr;
    mMark.fUnloadTexture();
    for (auto& mark : mMarks) mark->fUnloadTexture();
}

void GG_NUMBERS::fUpdate() {
    for (auto& mark : mMarks) mark->fUpdate();
}

void GG_NUMBERS::fDraw() {
    if (!mFont || !mLines) return;
    const int32_t anchor = mFont->fGetAnchor();
    mFont->fSetAnchor(KEL::kANCHOR_CENTRE);
    fWalk([this](GG_CLUE& clue, int32_t x, int32_t y) {
        mFont->fSetColor((clue.mDrawnCrossed ? mCrossColor : mColor).fGetARGB());
        mFont->fPrintW(static_cast<float>(x), static_cast<float>(y), L"%i", clue.mLength);
        if (!clue.mCrossPending) return;
        auto mark = std::make_unique<KEL::G_ANIMATION>(mMark);
        if (KEL::KS_TRANSFORM3* transform = mark->fGetTransform()) transform->fMove(float(x), float(y));
        mark->fPlay(0.0f);
        mMarks.push_back(std::move(mark));
        clue.mCrossPending = 0;
        clue.mDrawnCrossed = 1;
    });
    mFont->fSetAnchor(anchor);
}

void GG_NUMBERS::fDrawMarks() {
    for (auto& mark : mMarks) mark->fDrawWith();
}

}  // namespace game
