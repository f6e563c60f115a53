#include "game/board/GG_TUTORIAL.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "SERVICE/KS_RESULT.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/util/Closure.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/board/GG_GAMEPLAY_HOST.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_WINDOW_NAMES.h"

namespace game {

namespace {

// A pack id is a 16-bit number; anything else guides no pack rather than
// the wrong one.
int32_t fReadPackId(const char* text) {
    char* end = nullptr;
    errno = 0;
    const long id = std::strtol(text, &end, 10);
    while (end && std::isspace(static_cast<unsigned char>(*end))) ++end;
    if (end == text || !end || *end != '\0' || errno != 0 || id < 0 || id > 0xFFFF) return GG_TUTORIAL::kNO_PACK;
    return static_cast<int32_t>(id);
}

}  // namespace

GG_TUTORIAL::GG_TUTORIAL(GG_GAMEPLAY_HOST* host) : mHost(host) {}

GG_TUTORIAL::~GG_TUTORIAL() = default;

// ---------------------------------------------------------------- script

void GG_TUTORIAL::fLoadXml(const pugi::xml_node& tutorial) {
    if (const pugi::xml_attribute pack = tutorial.attribute("pack")) mPackId = fReadPackId(pack.value());
    for (const pugi::xml_node& level : tutorial.children("level")) {
        const int32_t id = level.attribute("id").as_int();
        for (const pugi::xml_node& node : level.children("step")) {
            auto step = std::make_unique<GG_TUTORIAL_STEP>();
            step->fRead(node, id);
            mSteps.push_back(std::move(step));
        }
    }
}

void GG_TUTORIAL::fClear() {
    if (mRunning) fHalt();
    fUnload();
    mSteps.clear();
    mCurrent = -1;
    mPackId = kFIRST_PACK;
}

int32_t GG_TUTORIAL::fFindFirst(int32_t levelId) const {
    for (size_t i = 0; i < mSteps.size(); ++i)
        if (mSteps[i]->fGetLevelId() == levelId) return static_cast<int32_t>(i);
    return -1;
}

GG_TUTORIAL_STEP* GG_TUTORIAL::fGetCurrentStep() const {
    if (!mRunning || mCurrent < 0 || mCurrent >= static_cast<int32_t>(mSteps.size())) return nullptr;
    return mSteps[static_cast<size_t>(mCurrent)].get();
}

// ---------------------------------------------------------------- life

bool GG_TUTORIAL::fStart(int32_t levelId) {
    const int32_t first = fFindFirst(levelId);
    if (first < 0 || !mGameplay) {
        if (mRunning) fHalt();
        return false;
    }
    // A level played again is guided from its first step as read.
    for (const auto& step : mSteps)
        if (step->fGetLevelId() == levelId) step->fReset();
    fLoad();
    mLevelId = levelId;
    mCurrent = first;
    mRunning = 1;
    mPressStep = -1;
    fApply();
    return true;
}

void GG_TUTORIAL::fStop() {
    fHalt();
    if (GG_PLAYER* player = mHost ? mHost->fGetCurrentPlayer() : nullptr) player->fSetPassedTutorial(true);
    if (mHost) mHost->fSave();
}

void GG_TUTORIAL::fHalt() {
    mRunning = 0;
    mPressStep = -1;
    mLevelId = -1;
    fGatingOff();
    fUnload();
}

void GG_TUTORIAL::fNextStep() {
    if (!fGetCurrentStep()) return;
    const int32_t next = mCurrent + 1;
    if (next >= static_cast<int32_t>(mSteps.size())) {
        fStop();
        return;
    }
    // The level's steps are over; the next level's wait for that level.
    if (mSteps[static_cast<size_t>(next)]->fGetLevelId() != mLevelId) {
        fHalt();
        return;
    }
    mCurrent = next;
    fApply();
}

void GG_TUTORIAL::fLoad() {
    if (mLoaded) return;
    for (const auto& step : mSteps) step->fLoadResources();
    mLoaded = 1;
}

void GG_TUTORIAL::fUnload() {
    if (!mLoaded) return;
    for (const auto& step : mSteps) step->fReleaseResources();
    mLoaded = 0;
}

// ---------------------------------------------------------------- steps

void GG_TUTORIAL::fApply() {
    GG_TUTORIAL_STEP* step = fGetCurrentStep();
    if (!step || !mGameplay) return;
    mGameplay->fGetProcess().fSetCellsBlocked(step->mBlockElements);
    mGameplay->fGetControls().fSetBlocked({.mHint = step->mBlockHint != 0,
                                           .mToolSwitch = step->mBlockTool != 0,
                                           .mStore = step->mBlockStore != 0,
                                           .mReset = step->mBlockReset != 0});
    step->fClearMarkers();
    const int32_t type = step->fGetType();
    if (type == GG_TUTORIAL_STEP::kCELL || type == GG_TUTORIAL_STEP::kCELL_EMPTY || type == GG_TUTORIAL_STEP::kHINT)
        fApplyMarkers(*step);
    step->mErrorsAtStart = mGameplay->fGetErrors();
    step->fStartAnimations();
    if (type != GG_TUTORIAL_STEP::kCLICK_BONUS) return;
    // A bonus step points at the first closed full cell, made a bonus cell.
    step->fSetType(GG_TUTORIAL_STEP::kCELL);
    const auto [row, column] = mGameplay->fGetProcess().fMakeBonusCell();
    if (row < 0) return;
    step->fAddCell(row, column);
    fApply();
}

// The listed cells that exist are opened to the player and marked.
void GG_TUTORIAL::fApplyMarkers(GG_TUTORIAL_STEP& step) {
    for (const KEL::KS_POINT& place : step.fGetCells()) {
        GG_ELEMENT* cell = mGameplay->fGetProcess().fGetCell(place.y, place.x);
        if (!cell) continue;
        cell->mBlocked = 0;
        step.fAddMarker(cell->fGetPosition());
    }
}

bool GG_TUTORIAL::fListedCellsRevealed(const GG_TUTORIAL_STEP& step) const {
    for (const KEL::KS_POINT& place : step.fGetCells()) {
        const GG_ELEMENT* cell = mGameplay->fGetProcess().fGetCell(place.y, place.x);
        if (!cell || !cell->fIsRevealed()) return false;
    }
    return true;
}

bool GG_TUTORIAL::fIsDoneAtRelease(GG_TUTORIAL_STEP& step) {
    switch (step.fGetType()) {
        case GG_TUTORIAL_STEP::kCELL:
        case GG_TUTORIAL_STEP::kCELL_EMPTY: return fListedCellsRevealed(step);
        case GG_TUTORIAL_STEP::kHINT: fUnblockListedCells(step); return false;
        case GG_TUTORIAL_STEP::kENDLESS: return true;
        case GG_TUTORIAL_STEP::kMAKERROR:
            // Done once a release has cost the player a mistake.
            return mGameplay->fGetErrors() > step.mErrorsAtStart;
        default:
            // The controls' steps end through the delegate slots.
            return false;
    }
}

void GG_TUTORIAL::fGatingOff() {
    if (!mGameplay) return;
    mGameplay->fGetProcess().fSetCellsBlocked(0);
    mGameplay->fGetControls().fSetBlocked(GG_CONTROLS::KS_BLOCKED{});
}

void GG_TUTORIAL::fBlockListedCellsUnderPointer(GG_TUTORIAL_STEP& step, int32_t button) {
    for (const KEL::KS_POINT& place : step.fGetCells()) {
        GG_ELEMENT* cell = mGameplay->fGetProcess().fGetCell(place.y, place.x);
        if (cell && cell->fHitTest(button)) cell->mBlocked = 1;
    }
}

void GG_TUTORIAL::fUnblockListedCells(GG_TUTORIAL_STEP& step) {
    for (const KEL::KS_POINT& place : step.fGetCells())
        if (GG_ELEMENT* cell = mGameplay->fGetProcess().fGetCell(place.y, place.x)) cell->mBlocked = 0;
}

// ---------------------------------------------------------------- input

KEL::KS_MOUSE_RESULT GG_TUTORIAL::fOnMouseDown(int32_t button) {
    GG_TUTORIAL_STEP* step = fGetCurrentStep();
    // Presses on windows over a paused level are not the board's.
    if (!step || !mGameplay || mGameplay->fIsPaused()) return KEL::KS_MOUSE_RESULT::fNotTaken();
    // A release ends a step only when its press came during that step, not
    // the press on a control that brought the step on.
    if (KEL::KC_INPUT::fIsMouseButton(button)) mPressStep = mCurrent;
    const KEL::KS_MOUSE_RESULT result = step->fHasGui() ? step->fGetGui().fMouseDown() : KEL::KS_MOUSE_RESULT();
    // The hint, not the player's hand, is to open the hinted cell.
    if (step->fGetType() == GG_TUTORIAL_STEP::kHINT) fBlockListedCellsUnderPointer(*step, button);
    return result;
}

KEL::KS_MOUSE_RESULT GG_TUTORIAL::fOnMouseUp(int32_t button) {
    GG_TUTORIAL_STEP* step = fGetCurrentStep();
    const bool mouse = KEL::KC_INPUT::fIsMouseButton(button);
    const bool counts = mouse && mPressStep >= 0 && mPressStep == mCurrent;
    if (mouse) mPressStep = -1;
    if (!step || !mGameplay || mGameplay->fIsPaused()) return KEL::KS_MOUSE_RESULT::fNotTaken();
    const KEL::KS_MOUSE_RESULT result = step->fHasGui() ? step->fGetGui().fMouseUp() : KEL::KS_MOUSE_RESULT();
    if (result.fHasEvent() && result.mEvent.mId == kSKIP_WIDGET && result.mEvent.mCode == KEL::KS_GUI_EVENT::kCLICK) {
        // The step stays as it is while the player decides.
        fAskSkip();
        return result;
    }
    if (counts && fIsDoneAtRelease(*step)) fNextStep();
    return result;
}

void GG_TUTORIAL::fOnMouseMove() {
    GG_TUTORIAL_STEP* step = fGetCurrentStep();
    if (!step || !step->fHasGui() || !mGameplay || mGameplay->fIsPaused()) return;
    step->fGetGui().fMouseMove();
}

void GG_TUTORIAL::fUpdate() {
    GG_TUTORIAL_STEP* step = fGetCurrentStep();
    if (!step) return;
    step->fUpdateAnimations();
    if (step->fHasGui()) step->fGetGui().fPollEvent();
}

void GG_TUTORIAL::fDraw() {
    if (GG_TUTORIAL_STEP* step = fGetCurrentStep()) step->fDraw();
}

// ---------------------------------------------------------------- controls

void GG_TUTORIAL::fEndStepOfType(int32_t type) {
    const GG_TUTORIAL_STEP* step = fGetCurrentStep();
    if (step && step->fGetType() == type) fNextStep();
}

void GG_TUTORIAL::fOnStoreUsed() { fEndStepOfType(GG_TUTORIAL_STEP::kCLICK_STORE); }
void GG_TUTORIAL::fOnHintUsed() { fEndStepOfType(GG_TUTORIAL_STEP::kHINT); }
void GG_TUTORIAL::fOnToolSwitched() { fEndStepOfType(GG_TUTORIAL_STEP::kTOOL); }
void GG_TUTORIAL::fOnPauseUsed() {}
void GG_TUTORIAL::fOnResetSelectionUsed() { fEndStepOfType(GG_TUTORIAL_STEP::kUSE_RESET_SELECTION); }

// ---------------------------------------------------------------- skip

void GG_TUTORIAL::fAskSkip() {
    KEL::G_WINDOW_MANAGER* windows = mHost ? mHost->fGetWindowManager() : nullptr;
    auto* question = windows ? dynamic_cast<KEL::G_WINDOW_CONFIRM*>(
                                   windows->fFindWindow(GG_WINDOW_NAME::kSKIP_TUTORIAL_QUESTION))
                             : nullptr;
    // Without the question the level goes on: pausing would leave it stuck.
    if (!question || !mGameplay) return;
    question->fSetAnswerHandler(KEL::Closure<void()>::fBind<&GG_TUTORIAL::fOnSkipAnswer>(this));
    windows->fShowWindow(GG_WINDOW_NAME::kSKIP_TUTORIAL_QUESTION);
    mGameplay->fPause();
}

void GG_TUTORIAL::fOnSkipAnswer(uint8_t answer) {
    if (mGameplay) mGameplay->fResume();
    if (answer == KEL::G_WINDOW_CONFIRM::kANSWER_YES && mRunning) fStop();
}

}  // namespace game
