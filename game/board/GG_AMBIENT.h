#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/gui/KC_SPRITE9.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/scene/KE_ANCHOR.h"
#include "engine/util/KS_COLOR.h"
#include "engine/util/KS_POINT.h"
#include "engine/util/KS_VEC2.h"
#include "game/board/GG_AMBIENT_EAR.h"
#include "game/board/GG_ICON_GRID.h"

namespace KEL {
class KC_FONT;
class KC_FONT_LIST;
}  // namespace KEL

namespace game {

class GG_BOARD_LAYOUT;

// The frame round the cells, sized from the level's layout: a tile under
// every block of cells, a border round the board, the two clue strips, the
// bars over the hovered cell's row and column, the error panel and the score
// counter. The gameplay object loads it with every level and draws its parts
// between its own: tiles, strips and highlight under the cells; border,
// errors and score over them. Main thread only: it is loaded at the start of
// a level, not while the game loads.
class GG_AMBIENT {
public:
    static constexpr const char* kFILE = "data/share/main/GameProcess ambient.xml";

    GG_AMBIENT();
    GG_AMBIENT(const GG_AMBIENT&) = delete;
    GG_AMBIENT& operator=(const GG_AMBIENT&) = delete;
    ~GG_AMBIENT();

    // Reads ambient.xml from the repository for this layout (kept, not
    // owned). False, with the error text set, on the first part missing or
    // out of range: "border", "left_ear", "up_ear", "highlight",
    // "error_panel" or "sunime".
    bool fLoad(GG_BOARD_LAYOUT* layout);
    // The same with ambient.xml's document element given.
    bool fLoad(GG_BOARD_LAYOUT* layout, const pugi::xml_node& ambient);

    // Fetches every texture, sizes the border and the bars to the board and
    // finds the highlight and score fonts in the list (may be null).
    void fLoadResources(const KEL::KC_FONT_LIST* fonts);
    void fReleaseResources();

    // No errors and a score of 0.
    void fReset();
    void fResetErrors();
    void fAddError();
    void fSetErrorLimit(int32_t limit);
    // Bars shown or not; they are drawn only while shown and on a cell.
    void fShowHighlight(bool on);
    // Puts the bars over the cell's row and column. A cell outside the grid
    // takes them off every cell (false).
    bool fMoveHighlight(int32_t row, int32_t column);
    // The counter adds n at once (saturating).
    void fAddScore(int32_t n);
    // The error panel's icons.
    void fUpdate();

    void fDrawTiles();
    // The upper strip, then the left one.
    void fDrawStrips();
    void fDrawHighlight();
    void fDrawBorder();
    void fDrawErrors();
    void fDrawScore();

    // The centre of a cell, as the board places it (block gaps included).
    KEL::KS_VEC2 fGetCellCentre(int32_t row, int32_t column) const;

    // The selection numbers of a drag use the highlight's font, colour and
    // offset from the cell centre.
    KEL::KC_FONT* fGetHighlightFont() const { return mHighlightFont; }
    const KEL::KS_COLOR& fGetHighlightColor() const { return mHighlightColor; }
    const KEL::KS_POINT& fGetHighlightShift() const { return mHighlightShift; }
    bool fIsHighlightShown() const { return mHighlightOn != 0; }
    // The lit cell as (column, row); (-1, -1) when the bars are on no cell.
    const KEL::KS_POINT& fGetHighlightCell() const { return mHighlightCell; }
    const KEL::G_SPRITE& fGetHorizontalBar() const { return mHorizontal; }
    const KEL::G_SPRITE& fGetVerticalBar() const { return mVertical; }

    int32_t fGetScore() const { return mScore; }
    // Where the counter is drawn: the flying score's natural target.
    const KEL::KS_VEC2& fGetScorePlace() const { return mScorePos; }
    GG_ICON_GRID& fGetErrorPanel() { return mErrors; }
    GG_AMBIENT_EAR& fGetLeftEar() { return mLeftEar; }
    GG_AMBIENT_EAR& fGetUpEar() { return mUpEar; }
    KEL::KC_SPRITE9& fGetBorder() { return mBorder; }
    const GG_BOARD_LAYOUT* fGetLayout() const { return mLayout; }

private:
    bool fLoadBorderAndEars(const pugi::xml_node& ambient);
    bool fLoadHighlight(const pugi::xml_node& node);
    bool fLoadScore(const pugi::xml_node& node);
    void fPlaceEars();
    void fSizeBars();

    GG_BOARD_LAYOUT* mLayout = nullptr;
    KEL::G_SPRITE mTile;
    KEL::KC_SPRITE9 mBorder;
    GG_AMBIENT_EAR mLeftEar;
    GG_AMBIENT_EAR mUpEar;

    KEL::G_SPRITE mVertical;
    KEL::G_SPRITE mHorizontal;
    std::string mHighlightFontName;
    KEL::KC_FONT* mHighlightFont = nullptr;
    KEL::KS_COLOR mHighlightColor;
    KEL::KS_POINT mHighlightShift;
    uint8_t mHighlightOn = 0;
    KEL::KS_POINT mHighlightCell{-1, -1};

    GG_ICON_GRID mErrors;

    std::string mScoreFontName;
    KEL::KC_FONT* mScoreFont = nullptr;
    KEL::KS_COLOR mScoreColor;
    int32_t mScoreAnchor = KEL::kANCHOR_CENTRE;
    KEL::KS_VEC2 mScorePos;
    int32_t mScore = 0;
};

}  // namespace game
