#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "engine/scene/G_ANIMATION.h"
#include "engine/util/KS_COLOR.h"
#include "engine/util/KS_VEC2.h"
#include "game/board/GG_NUMBERCROSS.h"

namespace KEL {
class KC_FONT;
class KC_FONT_LIST;
}  // namespace KEL

namespace game {

// One clue view: the row clues left of the board or the column clues above
// it, each line's numbers running outwards from the board, and the cross
// marks played over crossed numbers.
class GG_NUMBERS {
public:
    explicit GG_NUMBERS(bool rowView);
    GG_NUMBERS(const GG_NUMBERS&) = delete;
    GG_NUMBERS& operator=(const GG_NUMBERS&) = delete;
    ~GG_NUMBERS();

    // Reads "font", "font_color", "font_cross", "interval" and "shift_first"
    // (all required) and the cross mark (the element read as an animation),
    // and keeps the board values the walk needs. False (with the engine's
    // error text set) when the interval lies beyond the board's cell bound
    // or the shift beyond its position bound.
    bool fLoad(const pugi::xml_node& node, int32_t blockShift, int32_t step, int32_t lineCount, int32_t blockSize);
    // The lines to draw; a new set drops the cross marks of the old one.
    void fSetLines(const std::vector<GG_NUMBERCROSS::LINE>* lines);
    void fSetOrigin(float x, float y);

    // Visits every number in drawing order with the place of its centre.
    void fWalk(const std::function<void(GG_CLUE&, int32_t x, int32_t y)>& visit) const;

    // Finds the font by name in the list and fetches the cross mark's texture.
    void fLoadResources(const KEL::KC_FONT_LIST* fonts);
    void fReleaseResources();
    // Advances every spawned cross mark.
    void fUpdate();
    // Draws the numbers centred on their places, a crossed one in the crossed
    // colour once its mark has been spawned; spawns the mark of every newly
    // crossed clue. Nothing before both font and lines are set.
    void fDraw();
    void fDrawMarks();
    const std::vector<std::unique_ptr<KEL::G_ANIMATION>>& fGetMarks() const { return mMarks; }
    KEL::KC_FONT* fGetFont() const { return mFont; }

    bool fIsRowView() const { return mRowView; }
    const std::string& fGetFontName() const { return mFontName; }
    const KEL::KS_COLOR& fGetColor() const { return mColor; }
    const KEL::KS_COLOR& fGetCrossColor() const { return mCrossColor; }
    int32_t fGetInterval() const { return mInterval; }
    const KEL::KS_VEC2& fGetShiftFirst() const { return mShiftFirst; }

private:
    bool fNumbersPlausible() const;

    const bool mRowView;
    KEL::KC_FONT* mFont = nullptr;
    const std::vector<GG_NUMBERCROSS::LINE>* mLines = nullptr;
    std::vector<std::unique_ptr<KEL::G_ANIMATION>> mMarks;
    KEL::KS_COLOR mCrossColor;
    KEL::KS_COLOR mColor;
    std::string mFontName;
    KEL::G_ANIMATION mMark;
    KEL::KS_VEC2 mShiftFirst;
    int32_t mInterval = 10;
    KEL::KS_VEC2 mOrigin;
    int32_t mBlockShift = 0;
    int32_t mStep = 0;
    int32_t mLineCount = 0;
    int32_t mBlockSize = 0;
};

}  // namespace game
