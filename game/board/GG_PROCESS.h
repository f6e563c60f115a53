#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "SERVICE/KC_CALLBACK.h"
#include "engine/bots/KC_BOT_MANAGER.h"
#include "engine/scene/KS_TRANSFORM3.h"

#include "game/board/GG_BOARD_LAYOUT.h"
#include "game/board/GG_ELEMENT.h"
#include "game/board/GG_NUMBERCROSS.h"
#include "game/board/GG_NUMBERS.h"

namespace KEL {
class KC_FONT_LIST;
class KC_SOUND_LIST;
}  // namespace KEL

namespace game {

// The board: the level's cells, which of them are full and revealed, the clue
// model and its two views.
class GG_PROCESS {
public:
    // Told how each opened cell was judged, and when a press has opened all
    // its cells; the gameplay object keeps score, errors and the win.
    class cJudge {
    public:
        virtual ~cJudge() = default;
        virtual void fOnCellRight(GG_ELEMENT& cell) = 0;
        virtual void fOnCellWrong(GG_ELEMENT& cell) = 0;
        virtual void fCheckWin() = 0;
    };

    static constexpr const char* kSOUND_FULL = "fulltileclick";
    static constexpr const char* kSOUND_EMPTY = "emptytileclick";
    static constexpr const char* kSOUND_ERROR = "errorclick";

    GG_PROCESS();
    GG_PROCESS(const GG_PROCESS&) = delete;
    GG_PROCESS& operator=(const GG_PROCESS&) = delete;
    ~GG_PROCESS();

    // Builds the board from the level's "gElements" with numbers.xml taken
    // from the repository.
    bool fLoad(const pugi::xml_node& gElements, GG_BOARD_LAYOUT* layout);
    // The same with numbers.xml's document element given.
    bool fLoad(const pugi::xml_node& gElements, GG_BOARD_LAYOUT* layout, const pugi::xml_node& numbers);
    // Reads both clue views from the repository's numbers.xml.
    bool fLoadNumbers();
    // Reads both clue views from numbers.xml's document element.
    bool fLoadNumbers(const pugi::xml_node& numbers);
    // Creates and places the cells. False (board left empty) when the node is
    // missing, it does not hold exactly grid.x x grid.y cells, or none is full.
    bool fLoadCells(const pugi::xml_node& gElements);
    // Marks "bonuses" random full cells as bonus cells (at most every full cell).
    void fPlaceBonuses();

    GG_ELEMENT* fGetCell(int32_t row, int32_t column) const;
    // Revealed full cells over full cells; 1.0 when the picture is complete.
    double fGetProgress() const;
    // A random full cell that is neither revealed nor blocked, or null.
    GG_ELEMENT* fPickHintCell() const;
    // The first closed full cell becomes a bonus cell: its (row, column), or
    // (-1, -1) when every full cell is open.
    std::pair<int32_t, int32_t> fMakeBonusCell();
    void fSetCellsBlocked(uint8_t flag);
    // The straight path from the press cell towards the end cell: along the
    // press row when the column distance is at least the row distance, else
    // along the press column; both ends included, cells outside left out.
    std::vector<GG_ELEMENT*> fCellsOnPath(int32_t pressRow, int32_t pressColumn, int32_t endRow,
                                          int32_t endColumn) const;
    // Reveals one cell with a tool, books a revealed full cell and updates
    // the crossing of its row and column. Answers what the reveal came to.
    GG_ELEMENT::KE_REVEAL fRevealCell(GG_ELEMENT& cell, bool fill, float delay);
    // The one way a press opens cells: every closed cell of the path, in
    // path order, is opened with the tool, judged (the judge is told) and
    // given its sound, each a reveal step later than the one before; cells
    // already open are skipped and take no step. Then the judge checks the
    // win.
    void fOnClick(int32_t pressRow, int32_t pressColumn, int32_t endRow, int32_t endColumn, bool fill);
    // Opens every full cell still closed, each as a fill press on that cell.
    void fRevealAllFull();
    // Starts the end-of-level shine: a line at 45 degrees sweeps over the
    // board and starts the shine of every full cell it reaches. The finish
    // record (may be null) is called when the sweep is through. Answers the
    // sweep's duration in seconds.
    float fStartSweep(float speed, const KEL::KC_CALLBACK* finish);
    // Per frame: moves the sweep and counts every cell's reveal delay down.
    void fUpdate();
    // Cells, then both clue views with their cross marks.
    void fDraw();
    // Every cell copies its images from the layout; both views find their
    // font in the list (may be null) and fetch their cross mark.
    void fLoadResources(const KEL::KC_FONT_LIST* fonts);
    void fReleaseResources();
    // The board's part of effects.xml: the reveal step and the fill, cross
    // and locked templates ("effect_open_cell"), the sweep speed and the shine
    // ("end_level_effect"). Absent parts keep what was there.
    void fReadEffects(const pugi::xml_node& effects, GG_BOARD_LAYOUT& layout);
    // Copies the shine animation into every full cell.
    void fSetShine(const KEL::G_ANIMATION& shine);
    // Deletes all cells, empties the lists, clears the clue model and stops
    // the sweep.
    void fClear();

    const GG_CELL_LIST& fGetCells() const { return mCells; }
    const std::vector<GG_ELEMENT*>& fGetFullCells() const { return mFullCells; }
    const std::vector<GG_ELEMENT*>& fGetRevealedFull() const { return mRevealedFull; }
    GG_NUMBERCROSS& fGetClues() { return mClues; }
    GG_NUMBERS& fGetLeftView() { return mLeft; }
    GG_NUMBERS& fGetUpView() { return mUp; }
    const GG_BOARD_LAYOUT* fGetLayout() const { return mLayout; }

    // Seconds between the reveals of consecutive cells of one path.
    float mRevealStep = 0.0f;
    uint8_t mSweepRunning = 0;
    // Sweep speed in pixels per second, from effects.xml.
    float mSweepSpeed = 1.5f;
    // The shine every full cell copies at load, when effects.xml gave one.
    KEL::G_ANIMATION mShine;
    uint8_t mHasShine = 0;
    // Plays the cells' reveal sounds; not owned, may be null.
    KEL::KC_SOUND_LIST* mSounds = nullptr;
    // Judges the opened cells; not owned, may be null.
    cJudge* mJudge = nullptr;

    static constexpr const char* kNUMBERS_FILE = "data/share/main/GameProcess numbers.xml";

private:
    // Loading after the numbers file and the layout are read: cells,
    // bonuses, clues and the views' lines.
    bool fBuild(const pugi::xml_node& gElements);
    void fUpdateSweep();

    GG_CELL_LIST mCells;
    std::vector<GG_ELEMENT*> mFullCells;
    std::vector<GG_ELEMENT*> mRevealedFull;
    GG_NUMBERCROSS mClues;
    GG_NUMBERS mLeft{true};
    GG_NUMBERS mUp{false};
    GG_BOARD_LAYOUT* mLayout = nullptr;
    // The two ends of the sweep line and the animators that move them.
    KEL::KS_TRANSFORM3 mSweepA;
    KEL::KS_TRANSFORM3 mSweepB;
    KEL::KC_BOT_MANAGER mBots;
};

}  // namespace game
