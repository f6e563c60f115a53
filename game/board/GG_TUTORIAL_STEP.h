#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <pugixml.hpp>

#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/scene/G_ANIMATION.h"
#include "engine/util/KS_POINT.h"
#include "engine/util/KS_VEC2.h"

namespace game {

// One step of the tutorial script: what the player is asked to do (its
// type), the cells it points at, the marker drawn on each of them, the
// arrow, the panel of widgets it shows, and which parts of the board and
// which controls it keeps from the player.
//
// Read on the loader thread (names only, no textures); everything else runs
// on the main thread.
class GG_TUTORIAL_STEP {
public:
    // How a step ends; the "type" keywords in the order of their codes.
    static constexpr int32_t kCELL = 0;                 // every listed cell revealed
    static constexpr int32_t kCELL_EMPTY = 1;           // the same, for cells to cross
    static constexpr int32_t kTOOL = 2;                 // the tool switch used
    static constexpr int32_t kHINT = 3;                 // the hint button used
    static constexpr int32_t kMAKERROR = 4;             // a mistake made
    static constexpr int32_t kENDLESS = 5;              // the next release
    static constexpr int32_t kCLICK_BONUS = 6;          // becomes a cell step on a bonus cell
    static constexpr int32_t kCLICK_STORE = 7;          // the store button used
    static constexpr int32_t kUSE_RESET_SELECTION = 8;  // a drag dropped on the reset target
    // Where the arrow waits when the step has none.
    static constexpr float kARROW_PARK = -100.0f;

    GG_TUTORIAL_STEP();
    GG_TUTORIAL_STEP(const GG_TUTORIAL_STEP&) = delete;
    GG_TUTORIAL_STEP& operator=(const GG_TUTORIAL_STEP&) = delete;
    ~GG_TUTORIAL_STEP();

    // A keyword's code; any other word is a cell step.
    static int32_t fTypeFromString(const char* keyword);

    // Reads one "step" element of the level with that id: the type, the
    // five block flags (absent means blocked), the listed cells, the marker
    // and arrow animations and the panel.
    void fRead(const pugi::xml_node& step, int32_t levelId);
    // Back to the type and cells as read: a bonus step that turned into a
    // cell step on one board starts over on the next.
    void fReset();

    // A listed cell (row, column) joins the step.
    void fAddCell(int32_t row, int32_t column) { mCells.push_back({column, row}); }
    void fClearMarkers() { mMarkers.clear(); }
    void fAddMarker(const KEL::KS_VEC2& centre) { mMarkers.push_back(centre); }

    // Textures of the animations and the panel, fetched and given back.
    void fLoadResources();
    void fReleaseResources();
    // The marker and the arrow from their first frame.
    void fStartAnimations();
    // One frame of the marker and the arrow.
    void fUpdateAnimations();
    // The marker at every marker position (marker steps only), the arrow,
    // then the panel.
    void fDraw();

    int32_t fGetLevelId() const { return mLevelId; }
    int32_t fGetType() const { return mType; }
    void fSetType(int32_t type) { mType = type; }
    bool fShowsMarkers() const { return mType == kCELL || mType == kCELL_EMPTY; }
    // Listed cells as (x column, y row).
    const std::vector<KEL::KS_POINT>& fGetCells() const { return mCells; }
    const std::vector<KEL::KS_VEC2>& fGetMarkers() const { return mMarkers; }
    bool fHasArrow() const { return mHasArrow != 0; }
    bool fHasCellSprite() const { return mHasCellSprite != 0; }
    KEL::G_ANIMATION& fGetArrow() { return mArrow; }
    KEL::G_ANIMATION& fGetCellSprite() { return mCellSprite; }
    bool fHasGui() const { return mHasGui != 0; }
    KEL::KC_GUI_ROOT& fGetGui() { return mGui; }

    // The gating the step puts on: 1 keeps that part from the player.
    uint8_t mBlockElements = 1;
    uint8_t mBlockHint = 1;
    uint8_t mBlockTool = 1;
    uint8_t mBlockStore = 1;
    uint8_t mBlockReset = 1;
    // A mistake step: the errors counted when it began.
    int32_t mErrorsAtStart = 0;

private:
    int32_t mLevelId = -1;
    int32_t mType = kCELL;
    int32_t mReadType = kCELL;
    std::vector<KEL::KS_POINT> mCells;
    std::vector<KEL::KS_POINT> mReadCells;
    std::vector<KEL::KS_VEC2> mMarkers;
    KEL::G_ANIMATION mCellSprite;
    KEL::G_ANIMATION mArrow;
    uint8_t mHasCellSprite = 0;
    uint8_t mHasArrow = 0;
    KEL::KC_GUI_ROOT mGui;
    uint8_t mHasGui = 0;
};

}  // namespace game
