#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <pugixml.hpp>

#include "engine/gui/KS_MOUSE_RESULT.h"
#include "game/board/GG_TUTORIAL_STEP.h"
#include "game/board/cControlDelegate.h"

namespace game {

class GG_GAMEPLAY;
class GG_GAMEPLAY_HOST;

// Guides a player through the first levels: the script's steps of the
// level being played are shown one after another, each keeping parts of
// the board and controls from the player until the player does what it
// asks. It hears the board's mouse events from the game object and, as a
// control delegate, which control was used.
//
// The tutorial is passed (and the game saved) when its last step is done
// or the player skips it; a stop for any other reason (the level left,
// its steps over before the next level's) leaves it to run again.
//
// The script is read on the loader thread; everything else runs on the
// main thread.
class GG_TUTORIAL : public cControlDelegate {
public:
    // The widget of a step's panel whose release asks to skip.
    static constexpr int32_t kSKIP_WIDGET = 200;

    // The host (not owned, may be null) gives the player, the windows and
    // the save, and must outlive the tutorial.
    explicit GG_TUTORIAL(GG_GAMEPLAY_HOST* host = nullptr);
    GG_TUTORIAL(const GG_TUTORIAL&) = delete;
    GG_TUTORIAL& operator=(const GG_TUTORIAL&) = delete;
    ~GG_TUTORIAL() override;

    void fSetHost(GG_GAMEPLAY_HOST* host) { mHost = host; }
    // The board the tutorial guides on (not owned); null detaches it.
    void fSetGameplay(GG_GAMEPLAY* gameplay) { mGameplay = gameplay; }

    // The script names no pack: it guides the game's first pack.
    static constexpr int32_t kFIRST_PACK = -1;
    // A "pack" that is no pack id: the script guides no pack at all.
    static constexpr int32_t kNO_PACK = -2;

    // Appends a step per "step" of every "level" of the script's
    // "tutorial" element, with the level's "id"; the element's "pack" is
    // the pack the script was written for.
    void fLoadXml(const pugi::xml_node& tutorial);
    // Forgets every step (stopping first).
    void fClear();
    bool fHasSteps(int32_t levelId) const { return fFindFirst(levelId) >= 0; }
    // Every pack numbers its levels from 1, so the level ids of the script
    // hold only in this pack; kFIRST_PACK when the script names none.
    int32_t fGetPackId() const { return mPackId; }
    // Whether the script guides levels of packId, firstPackId being the
    // game's first pack.
    bool fGuidesPack(int32_t packId, int32_t firstPackId) const {
        return packId >= 0 && packId == (mPackId == kFIRST_PACK ? firstPackId : mPackId);
    }

    // The level's first step is applied; false (not running) when the
    // script has none for it or there is no board.
    bool fStart(int32_t levelId);
    // The tutorial is over: gating off, the player marks it passed, saved.
    void fStop();
    // The game object's stop at the end of a level: gating off, nothing
    // marked, so the next start of the level guides again.
    void fHalt();
    void fNextStep();

    // Mouse events of the board, passed on while the level runs unpaused.
    KEL::KS_MOUSE_RESULT fOnMouseDown(int32_t button);
    KEL::KS_MOUSE_RESULT fOnMouseUp(int32_t button);
    KEL::KS_MOUSE_RESULT fOnEvent(int32_t button) { return fOnMouseUp(button); }
    void fOnMouseMove();
    void fUpdate();
    void fDraw();
    // Every step's textures, once; and given back.
    void fLoad();
    void fUnload();

    // cControlDelegate
    void fOnStoreUsed() override;
    void fOnHintUsed() override;
    void fOnToolSwitched() override;
    void fOnPauseUsed() override;
    void fOnResetSelectionUsed() override;

    // Pauses the level and asks whether to skip.
    void fAskSkip();
    // 1 yes: the tutorial is over; any answer resumes the level.
    void fOnSkipAnswer(uint8_t answer);

    bool fIsRunning() const { return mRunning != 0; }
    bool fIsLoaded() const { return mLoaded != 0; }
    int32_t fGetLevelId() const { return mLevelId; }
    int32_t fGetCurrentIndex() const { return mCurrent; }
    // The current step while running, else null.
    GG_TUTORIAL_STEP* fGetCurrentStep() const;
    const std::vector<std::unique_ptr<GG_TUTORIAL_STEP>>& fGetSteps() const { return mSteps; }

private:
    int32_t fFindFirst(int32_t levelId) const;
    // Puts the current step's gating, markers and animations on the board.
    void fApply();
    void fApplyMarkers(GG_TUTORIAL_STEP& step);
    // Whether the current step is done at this release.
    bool fIsDoneAtRelease(GG_TUTORIAL_STEP& step);
    bool fListedCellsRevealed(const GG_TUTORIAL_STEP& step) const;
    // The slot's step ends when it is the current step's type.
    void fEndStepOfType(int32_t type);
    void fGatingOff();
    void fBlockListedCellsUnderPointer(GG_TUTORIAL_STEP& step, int32_t button);
    void fUnblockListedCells(GG_TUTORIAL_STEP& step);

    GG_GAMEPLAY_HOST* mHost = nullptr;
    GG_GAMEPLAY* mGameplay = nullptr;
    std::vector<std::unique_ptr<GG_TUTORIAL_STEP>> mSteps;
    uint8_t mLoaded = 0;
    uint8_t mRunning = 0;
    int32_t mCurrent = -1;
    int32_t mLevelId = -1;
    int32_t mPackId = kFIRST_PACK;
    // The step current at the last press; -1 when that press cannot end
    // a step.
    int32_t mPressStep = -1;
};

}  // namespace game
