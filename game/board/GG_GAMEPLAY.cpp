#include "game/board/GG_GAMEPLAY.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/audio/KC_SOUND_LIST.h"
#include "engine/bots/KC_BOT_MOVE_CUBEBEZIER.h"
#include "engine/bots/KC_BOT_SLEEP.h"
#include "engine/bots/KT_BOT_SLEEP.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/resources/KC_FONT.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/scene/KE_ANCHOR.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/board/GG_GAMEPLAY_HOST.h"
#include "game/product/GG_EDITION.h"
#include "game/product/GG_ERROR.h"
#include "game/product/GG_PACK_INFO.h"
#include "game/product/GG_SOUND_GROUP.h"
#include "game/profile/GG_LEVEL_RECORD.h"
#include "game/profile/GG_PACK_RECORD.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_WINDOW_NAMES.h"

namespace game {

namespace {

constexpr uint32_t kINVISIBLE = 0x00FFFFFFu;
constexpr uint32_t kVISIBLE = 0xFFFFFFFFu;
constexpr float kPARKED = -500.0f;
constexpr float kFINISH_BURST = 0.15f;

}  // namespace

GG_GAMEPLAY::GG_GAMEPLAY(GG_GAMEPLAY_HOST* host)
    : mHost(host),
      mFinishCallback(&fOnFinishTimer, "gameplay_finish", this),
      mMusicCallback(&fOnMusicTimer, "gameplay_music", this),
      mLeaveCallback(&fOnLeaveTimer, "gameplay_leave", this) {
    mInApp = mHost && !mHost->fGetEdition().mInApp.empty() ? 1 : 0;
    mProcess.mJudge = this;
    fReadSettings();
    fReadEffects();
    GG_CONTROLS::KS_ACTIONS actions;
    actions.mHint = KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fUseHint>(this);
    actions.mReset = KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fResetSelection>(this);
    actions.mPause = KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fOpenMenu>(this);
    actions.mStore = KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fOpenShop>(this);
    actions.mFeedback = KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fOpenResetFeedback>(this);
    mControls.fSetActions(actions);
    // A missing control is left out; its error stays in the error text.
    mControls.fLoad(mHost && mHost->fGetEdition().mStoreButton);
}

GG_GAMEPLAY::~GG_GAMEPLAY() {
    mProcess.mJudge = nullptr;
    mHintFlight.fClear();
    mBonusFlights.clear();
    mBots.fDeleteAll();
}

// ---------------------------------------------------------------- reading

void GG_GAMEPLAY::fReadSettings() {
    pugi::xml_document* doc = KEL::kcREPOSITORY ? KEL::kcREPOSITORY->fGetXml(kSETTINGS_FILE) : nullptr;
    if (!doc) return;
    const pugi::xml_node root = doc->document_element();
    const pugi::xml_attribute one = root.attribute("sunime_one");
    const pugi::xml_attribute bonus = root.attribute("sunime_bonus");
    const pugi::xml_attribute hints = root.attribute("max_hints");
    if (one && bonus && hints) {
        mSunimeOne = one.as_int();
        mSunimeBonus = bonus.as_int();
        mMaxHints = hints.as_uint();
    }
    KEL::kcREPOSITORY->fReleaseXml(doc);
}

void GG_GAMEPLAY::fReadEffects() {
    mHintSprite.fSetColor(kINVISIBLE);
    pugi::xml_document* doc = KEL::kcREPOSITORY ? KEL::kcREPOSITORY->fGetXml(kEFFECTS_FILE) : nullptr;
    if (!doc) return;
    const pugi::xml_node root = doc->document_element();
    mProcess.fReadEffects(root, mLayout);
    fReadHintFlight(root.child("hint_fly"));
    if (const pugi::xml_node bonus = root.child(GG_SUNIME_EFFECT::kELEMENT))
        mHasFlyingScore = mFlyingScore.fRead(bonus) ? 1 : 0;
    KEL::kcREPOSITORY->fReleaseXml(doc);
}

void GG_GAMEPLAY::fReadHintFlight(const pugi::xml_node& node) {
    if (!node) return;
    mDeflection1 = node.attribute("deflection1").as_int();
    mDeflection2 = node.attribute("deflection2").as_int();
    // A speed of 0 or less would never arrive.
    const float speed = node.attribute("speed").as_float();
    if (speed > 0.0f) mHintSpeed = speed;
    mHintSprite = KEL::G_ANIMATION(node.child("sprite_fly"));
    mHintSprite.fSetColor(kINVISIBLE);
    mHasHintFinish = node.child("particles_finish").attribute("texture") ? 1 : 0;
    if (mHasHintFinish) mHintFinish.fRead(node.child("particles_finish"));
    mHasHintFollow = node.child("particles_follow").attribute("texture") ? 1 : 0;
    if (mHasHintFollow) mHintFollow.fRead(node.child("particles_follow"));
}

// ---------------------------------------------------------------- loading

bool GG_GAMEPLAY::fLoad(const std::string& levelFile) {
    if (!mLevelFile.empty()) fStop();
    fClearLevelState();
    if (!fTakeRecords()) return false;
    pugi::xml_document* doc = KEL::kcREPOSITORY ? KEL::kcREPOSITORY->fGetXml(levelFile) : nullptr;
    if (!doc) return GG_ERROR::fFail("Level file missing: " + levelFile);
    mLevelFile = levelFile;
    const bool loaded = fReadLevel(doc->document_element());
    KEL::kcREPOSITORY->fReleaseXml(doc);
    if (!loaded) {
        mProcess.fClear();
        mLevelFile.clear();
        return false;
    }
    if (const GG_PACK_INFO* pack = mHost->fGetCurrentPack(); pack && pack->fGetBackground())
        mBackground = std::make_unique<KEL::G_SPRITE>(*pack->fGetBackground());
    mSelectionFont = mAmbient.fGetHighlightFont();
    mPackId = mPackRecord->fGetId();
    mLevelId = mLevelRecord->fGetId();
    fSetErrorLimit(mPlayer->fGetItemCount(KEL::kITEM_ERRORS));
    if (!mInApp) mHintsAvailable += mPlayer->fGetItemCount(KEL::kITEM_START_HINT);
    mControls.fReset();
    mControls.fSetBlocked(GG_CONTROLS::KS_BLOCKED{});
    fShowHints();
    mRunning = 1;
    mPaused = 0;
    return true;
}

// The current player with its records of the current pack and level; a
// missing one fails the load.
bool GG_GAMEPLAY::fTakeRecords() {
    mPlayer = mHost ? mHost->fGetCurrentPlayer() : nullptr;
    const GG_PACK_INFO* pack = mHost ? mHost->fGetCurrentPack() : nullptr;
    mPackRecord = mPlayer && pack ? mPlayer->fFindPack(pack->fGetId()) : nullptr;
    mLevelRecord = mHost ? mHost->fGetCurrentLevel() : nullptr;
    if (mPlayer && mPackRecord && mLevelRecord) return true;
    GG_ERROR::fFail("No player record of the level to load");
    mPlayer = nullptr;
    mPackRecord = nullptr;
    mLevelRecord = nullptr;
    return false;
}

bool GG_GAMEPLAY::fReadLevel(const pugi::xml_node& level) {
    if (!mLayout.fLoad(level.child("settings"))) return false;
    mProcess.mSounds = mHost->fGetSound();
    if (!mProcess.fLoad(level.child("gElements"), &mLayout)) return false;
    return mAmbient.fLoad(&mLayout);
}

void GG_GAMEPLAY::fLoadResources() {
    KEL::KC_FONT_LIST* fonts = mHost ? mHost->fGetFonts() : nullptr;
    mLayout.mBlockSprite.fReloadTexture();
    mLayout.mSelection.fReloadTexture();
    mLayout.mSelectionYes.fReloadTexture();
    mLayout.mSelectionNo.fReloadTexture();
    mProcess.fLoadResources(fonts);
    mAmbient.fLoadResources(fonts);
    mSelectionFont = mAmbient.fGetHighlightFont();
    mControls.fLoadResources();
    if (mBackground) mBackground->fReloadTexture();
    mHintSprite.fReloadTexture();
    if (mHasHintFinish) mHintFinish.fReloadTexture();
    if (mHasHintFollow) mHintFollow.fReloadTexture();
    if (mHasFlyingScore) mFlyingScore.fLoadResources(fonts, mHost ? mHost->fGetStrings() : nullptr);
}

void GG_GAMEPLAY::fReleaseResources() {
    mLayout.mBlockSprite.fUnloadTexture();
    mLayout.mSelection.fUnloadTexture();
    mLayout.mSelectionYes.fUnloadTexture();
    mLayout.mSelectionNo.fUnloadTexture();
    mProcess.fReleaseResources();
    mAmbient.fReleaseResources();
    mControls.fReleaseResources();
    if (mBackground) mBackground->fUnloadTexture();
    mHintSprite.fUnloadTexture();
    mHintFinish.fUnloadTexture();
    mHintFollow.fUnloadTexture();
    for (auto& flight : mBonusFlights) flight->fReleaseResources();
    mFlyingScore.fReleaseResources();
    mSelectionFont = nullptr;
}

bool GG_GAMEPLAY::fStop() {
    if (!mRunning) return false;
    mRunning = 0;
    mLevelFile.clear();
    fClearLevelState();
    mProcess.fClear();
    mAmbient.fReset();
    mPlayer = nullptr;
    mPackRecord = nullptr;
    mLevelRecord = nullptr;
    mSelectionFont = nullptr;
    return true;
}

// Nothing of one level may reach the next: the held press, the flights
// (they point at cells), the timers and the counters all start again.
void GG_GAMEPLAY::fClearLevelState() {
    mEnded = 0;
    mEndHandled = 0;
    fResetSelection();
    mOverBoard = 0;
    mHoverRow = mHoverColumn = -1;
    mAmbient.fShowHighlight(false);
    mHintFlight.fClear();
    mBonusFlights.clear();
    mHintFinish.fGetSystem()->fStop();
    mHintFinish.fGetSystem()->fClear();
    mHintFollow.fGetSystem()->fStop();
    mHintFollow.fGetSystem()->fClear();
    mHintSprite.fSetColor(kINVISIBLE);
    mBots.fDeleteAll();
    // The music never stays at half its volume.
    if (mMusicDucked) fRestoreMusic();
    mPackId = mLevelId = 0;
    mLevelTime = 0.0f;
    mErrors = mHintsEarned = mHintsAvailable = mHintsUsed = mScore = 0;
    mResult = GG_LEVEL_RESULT();
}

void GG_GAMEPLAY::fRestart() {
    const std::string name = mLevelFile;
    fStop();
    fReleaseResources();
    if (fLoad(name)) fLoadResources();
}

void GG_GAMEPLAY::fPause() {
    // The release of a held drag would be lost while paused: drop the drag.
    if (mPressed) fResetSelection();
    mPaused = 1;
}

void GG_GAMEPLAY::fResume() {
    if (mRunning) mPaused = 0;
}

// ---------------------------------------------------------------- frame

int32_t GG_GAMEPLAY::fUpdate() {
    mBots.fUpdate();
    if (!mRunning || mPaused) {
        mLive = false;
        return KEL::KS_RESULT::kFAILED;
    }
    if (!mLive) {
        // A level begun or resumed under a pointer that does not move: its
        // buttons arm only in a move, so they look once where it is.
        mLive = true;
        if (KEL::kcINPUT && KEL::kcINPUT->fHasMousePosition()) fOnMouseMove();
    }
    mLevelTime += KEL::kfFRAME_DELTA;
    mAmbient.fUpdate();
    mControls.fUpdate();
    mProcess.fUpdate();
    fUpdateFlights();
    return KEL::KS_RESULT::kNOTHING;
}

void GG_GAMEPLAY::fDraw() {
    if (!mRunning) return;
    if (mBackground) mBackground->fDrawWith();
    mAmbient.fDrawTiles();
    mAmbient.fDrawStrips();
    mAmbient.fDrawHighlight();
    mProcess.fDraw();
    fDrawSelection();
    mControls.fDrawHint();
    mControls.fDrawStore();
    mAmbient.fDrawBorder();
    mAmbient.fDrawErrors();
    mAmbient.fDrawScore();
    mControls.fDrawReset();
    mControls.fDrawSwitch();
    mControls.fDrawPause();
    fDrawFlights();
}

// ---------------------------------------------------------------- pointer

void GG_GAMEPLAY::fOnMouseMove() {
    if (!mRunning || mPaused) return;
    mControls.fOnMouseMove();
    fUpdateHover();
}

// The cell along one axis whose hit span holds the position; -1 in a gap
// or off the cells. With the nearest, a gap gives the cell before it and
// the ends clamp, so a held drag always has a cell.
int32_t GG_GAMEPLAY::fAxisCell(float position, KE_AXIS axis, KE_GAP gap) const {
    const bool column = axis == KE_AXIS::kCOLUMN;
    const int32_t count = column ? mLayout.mGrid.x : mLayout.mGrid.y;
    int32_t before = 0;
    for (int32_t i = 0; i < count; ++i) {
        const GG_ELEMENT* cell = column ? mProcess.fGetCell(0, i) : mProcess.fGetCell(i, 0);
        if (!cell) return -1;
        const float start = static_cast<float>(column ? cell->fGetRectPosition().x : cell->fGetRectPosition().y);
        const float size = column ? cell->fGetRectSize().x : cell->fGetRectSize().y;
        if (position < start) break;
        if (position <= start + size) return i;
        before = i;
    }
    return gap == KE_GAP::kNEAREST ? before : -1;
}

void GG_GAMEPLAY::fUpdateHover() {
    const KEL::KS_POINT pointer = KEL::kcINPUT ? KEL::kcINPUT->fGetMousePosition() : KEL::KS_POINT();
    const float x = static_cast<float>(pointer.x);
    const float y = static_cast<float>(pointer.y);
    const KEL::KS_VEC2& base = mLayout.mCellBase;
    const bool over = x >= base.x && x <= base.x + static_cast<float>(mLayout.mWidth) && y >= base.y &&
                      y <= base.y + static_cast<float>(mLayout.mHeight);
    mOverBoard = over ? 1 : 0;
    int32_t row = mHoverRow;
    int32_t column = mHoverColumn;
    if (over && mPressed) {
        row = fAxisCell(y, KE_AXIS::kROW, KE_GAP::kNEAREST);
        column = fAxisCell(x, KE_AXIS::kCOLUMN, KE_GAP::kNEAREST);
        if (std::abs(row - mPressRow) <= std::abs(column - mPressColumn)) row = mPressRow;
        else column = mPressColumn;
    } else if (over) {
        row = fAxisCell(y, KE_AXIS::kROW, KE_GAP::kNONE);
        column = fAxisCell(x, KE_AXIS::kCOLUMN, KE_GAP::kNONE);
        if (row < 0 || column < 0) row = column = -1;
    } else if (!mPressed) {
        row = column = -1;
        mAmbient.fShowHighlight(false);
    }
    if (row == mHoverRow && column == mHoverColumn) return;
    mHoverRow = row;
    mHoverColumn = column;
    fRebuildSelection();
    if (mHoverRow >= 0) {
        mAmbient.fShowHighlight(true);
        mAmbient.fMoveHighlight(mHoverRow, mHoverColumn);
    } else {
        mAmbient.fShowHighlight(false);
    }
}

KEL::KS_MOUSE_RESULT GG_GAMEPLAY::fOnMouseDown(int32_t button) {
    if (!mRunning || mPaused || mEnded) return KEL::KS_MOUSE_RESULT::fNotTaken();
    mControls.fOnMouseDown(button);
    // A control may have ended input (a hint on its way) or paused.
    if (mEnded || mPaused || !mOverBoard || mPressed) return KEL::KS_MOUSE_RESULT::fNotTaken();
    GG_ELEMENT* cell = mProcess.fGetCell(mHoverRow, mHoverColumn);
    if (!cell) return KEL::KS_MOUSE_RESULT::fNotTaken();
    if (!cell->fHitTest(button)) return KEL::KS_MOUSE_RESULT::fNotTaken();
    const bool switchFills = mControls.fGetTool();
    mTool = (button == KEL::KC_INPUT::kMOUSE_LEFT ? switchFills : !switchFills) ? 1 : 0;
    mPressed = 1;
    mPressButton = button;
    mPressRow = mHoverRow;
    mPressColumn = mHoverColumn;
    fRebuildSelection();
    mControls.fOnBoardPress();
    return KEL::KS_MOUSE_RESULT::fTakenNoEvent();
}

KEL::KS_MOUSE_RESULT GG_GAMEPLAY::fOnMouseUp(int32_t button) {
    if (!mRunning || mPaused || mEnded) return KEL::KS_MOUSE_RESULT::fNotTaken();
    mControls.fOnMouseUp(button);
    // Only the button that started the drag ends it; a reset target may
    // already have dropped it.
    if (!mPressed || mPressRow < 0 || button != mPressButton) return KEL::KS_MOUSE_RESULT::fNotTaken();
    const int32_t pressRow = mPressRow;
    const int32_t pressColumn = mPressColumn;
    const int32_t endRow = mHoverRow;
    const int32_t endColumn = mHoverColumn;
    const bool fill = mTool != 0;
    fResetSelection();
    mProcess.fOnClick(pressRow, pressColumn, endRow, endColumn, fill);
    return KEL::KS_MOUSE_RESULT::fNotTaken();
}

void GG_GAMEPLAY::fResetSelection() {
    const bool wasPressed = mPressed != 0;
    mSelection.clear();
    mPressed = 0;
    mPressButton = 0;
    mPressRow = mPressColumn = -1;
    // The pointer stays where it is: the cell under it is hovered again.
    if (wasPressed && mRunning) {
        mHoverRow = mHoverColumn = -1;
        fUpdateHover();
    }
    mControls.fOnBoardRelease();
}

void GG_GAMEPLAY::fRebuildSelection() {
    mSelection.clear();
    if (!mPressed || mHoverRow < 0) return;
    mSelection = mProcess.fCellsOnPath(mPressRow, mPressColumn, mHoverRow, mHoverColumn);
}

void GG_GAMEPLAY::fDrawSelection() {
    KEL::G_SPRITE& yes = mLayout.mSelectionYes;
    KEL::G_SPRITE& no = mLayout.mSelectionNo;
    const bool fill = mSelection.empty() ? mControls.fGetTool() : mTool != 0;
    KEL::G_SPRITE& mark = fill ? yes : no;
    const KEL::KS_POINT shift = mAmbient.fGetHighlightShift();
    int32_t anchor = KEL::kANCHOR_CENTRE;
    if (mSelectionFont) {
        anchor = mSelectionFont->fGetAnchor();
        mSelectionFont->fSetAnchor(KEL::kANCHOR_CENTRE);
        mSelectionFont->fSetColor(mAmbient.fGetHighlightColor().fGetARGB());
    }
    for (size_t i = 0; i + 1 < mSelection.size(); ++i) {
        const KEL::KS_VEC2 at = mSelection[i]->fGetPosition();
        mark.fDrawAt(at.x, at.y, 0.0f, 1.0f, 1.0f);
        if (mSelectionFont)
            mSelectionFont->fPrintW(at.x + static_cast<float>(shift.x), at.y + static_cast<float>(shift.y), L"%i",
                                    static_cast<int32_t>(i + 1));
    }
    if (const GG_ELEMENT* hovered = mProcess.fGetCell(mHoverRow, mHoverColumn)) {
        const KEL::KS_VEC2 at = hovered->fGetPosition();
        mark.fDrawAt(at.x, at.y, 0.0f, 1.0f, 1.0f);
        if (mSelectionFont && !mSelection.empty())
            mSelectionFont->fPrintW(at.x + static_cast<float>(shift.x), at.y + static_cast<float>(shift.y), L"%i",
                                    static_cast<int32_t>(mSelection.size()));
    }
    if (mSelectionFont) mSelectionFont->fSetAnchor(anchor);
}

// ---------------------------------------------------------------- judging

void GG_GAMEPLAY::fOnCellRight(GG_ELEMENT& cell) {
    if (!cell.fIsFull()) return;
    mScore += mSunimeOne;
    mAmbient.fAddScore(mSunimeOne);
    if (cell.fIsBonus()) {
        mScore += mSunimeBonus;
        if (mHasFlyingScore)
            mBonusFlights.push_back(
                std::make_unique<GG_EFFECT_BONUS>(mFlyingScore, cell.fGetPosition(), mSunimeBonus,
                                                  KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fOnBonusLanded>(this)));
        else mAmbient.fAddScore(mSunimeBonus);
    }
    fEarnHint();
}

// At most one hint per right reveal, at each step of 1 / (max + 1) of the
// picture, while fewer than the most are held. Counted in whole cells: in
// floating point 3 x 0.2 exceeds 6 / 10 and the step would come a cell late.
void GG_GAMEPLAY::fEarnHint() {
    const int64_t opened = static_cast<int64_t>(mProcess.fGetRevealedFull().size());
    const int64_t full = static_cast<int64_t>(mProcess.fGetFullCells().size());
    const int64_t steps = static_cast<int64_t>(mMaxHints) + 1;
    if (static_cast<int64_t>(mMaxHints) > mHintsAvailable && opened * steps >= (mHintsEarned + 1) * full && !mInApp) {
        ++mHintsEarned;
        ++mHintsAvailable;
    }
    fShowHints();
}

void GG_GAMEPLAY::fOnCellWrong(GG_ELEMENT& cell) {
    if (cell.fIsFull()) {
        mScore += mSunimeOne;
        mAmbient.fAddScore(mSunimeOne);
    }
    ++mErrors;
    mAmbient.fAddError();
    if (mErrors >= mErrorLimit) fEndLevel(false);
}

void GG_GAMEPLAY::fCheckWin() {
    if (mProcess.fGetProgress() >= 1.0) fEndLevel(true);
}

void GG_GAMEPLAY::fSetErrorLimit(int32_t limit) {
    mErrorLimit = limit;
    mAmbient.fSetErrorLimit(limit);
}

void GG_GAMEPLAY::fShowHints() {
    mControls.fSetHintCount(mHintsAvailable);
    mControls.fSetCount(mHintsAvailable);
}

bool GG_GAMEPLAY::fCanRefillHints() const {
    return mPlayer && mHintsAvailable == 0 && mPlayer->fGetItemCount(KEL::kITEM_START_HINT) > 0;
}

void GG_GAMEPLAY::fOnPurchase(const std::string& kind, const std::string& item) {
    if (!mRunning || kind != "buy" || !mPlayer) return;
    if (item == KEL::kITEM_REFILL_HINT) {
        if (!mInApp) mHintsAvailable += mPlayer->fGetItemCount(KEL::kITEM_START_HINT);
        fShowHints();
    } else if (item == KEL::kITEM_ERRORS) {
        fSetErrorLimit(mPlayer->fGetItemCount(KEL::kITEM_ERRORS));
    }
}

void GG_GAMEPLAY::fBlockInputFor(float seconds) {
    mEnded = 1;
    mBots.fAdd(new KEL::KT_BOT_SLEEP<uint8_t>(&mEnded, 0, seconds));
}

// ---------------------------------------------------------------- controls

void GG_GAMEPLAY::fOpenMenu() {
    fPause();
    if (KEL::G_WINDOW_MANAGER* windows = mHost ? mHost->fGetWindowManager() : nullptr)
        windows->fShowWindow(GG_WINDOW_NAME::kGAME_MENU);
}

void GG_GAMEPLAY::fOpenShop() {
    if (KEL::G_WINDOW_MANAGER* windows = mHost ? mHost->fGetWindowManager() : nullptr)
        windows->fShowWindow(GG_WINDOW_NAME::kSHOP);
    fPause();
}

void GG_GAMEPLAY::fOpenResetFeedback() {
    KEL::G_WINDOW_MANAGER* windows = mHost ? mHost->fGetWindowManager() : nullptr;
    KEL::G_WINDOW* window = windows ? windows->fFindWindow(GG_WINDOW_NAME::kRESET_FEEDBACK) : nullptr;
    if (!window) return;
    window->fSetCallback(KEL::G_WINDOW::kCB_SHOWN,
                         KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fCloseResetFeedback>(this));
    windows->fShowWindow(GG_WINDOW_NAME::kRESET_FEEDBACK);
}

void GG_GAMEPLAY::fCloseResetFeedback() {
    if (KEL::G_WINDOW_MANAGER* windows = mHost ? mHost->fGetWindowManager() : nullptr)
        windows->fHideWindow(GG_WINDOW_NAME::kRESET_FEEDBACK);
}

// ---------------------------------------------------------------- flights

void GG_GAMEPLAY::fUseHint() {
    GG_ELEMENT* cell = mProcess.fPickHintCell();
    if (!cell || !mRunning) {
        // The button slid away for nothing: bring it back.
        fShowHints();
        return;
    }
    mEnded = 1;
    fLaunchHint(*cell);
    if (!mInApp && mHintsAvailable > 0) {
        --mHintsAvailable;
        ++mHintsUsed;
    }
    fShowHints();
}

// A cubic curve from the hint's start to the cell, its two control points
// a third and two thirds of the way, each dropped by its deflection.
void GG_GAMEPLAY::fLaunchHint(GG_ELEMENT& cell) {
    KEL::KS_TRANSFORM3* sprite = mHintSprite.fGetTransform();
    if (!mHintStartKnown) {
        mHintStart = sprite->fGetPos2();
        mHintStartKnown = 1;
    }
    mHintSprite.fSetColor(kVISIBLE);
    sprite->fSetPos(mHintStart.x, mHintStart.y, 0.0f);
    const KEL::KS_VEC2 s = mHintStart;
    const KEL::KS_VEC2 c = cell.fGetPosition();
    const KEL::KS_VEC2 c1(s.x + 0.33f * (c.x - s.x), s.y + 0.33f * (c.y - s.y) + static_cast<float>(mDeflection1));
    const KEL::KS_VEC2 c2(s.x + 0.66f * (c.x - s.x), s.y + 0.66f * (c.y - s.y) + static_cast<float>(mDeflection2));
    mHintFlight.fAddEffect(&fOnHintArrived, this, &cell);
    mHintFlight.fBack()->fAdd(KEL::fCreateBotMoveCubeBezier(sprite, c1.x, c1.y, 0.0f, c2.x, c2.y, 0.0f, c.x, c.y, 0.0f,
                                                            0.0f, mHintSpeed, 0.0f));
    if (mHasHintFollow) {
        mHintFollow.fSetAreaCentre(kPARKED, kPARKED);
        mHintFollow.fGetSystem()->fStart();
    }
    mHintSprite.fPlay(0.0f);
}

void GG_GAMEPLAY::fOnHintArrived(void* self, GG_ELEMENT* cell) {
    GG_GAMEPLAY& gameplay = *static_cast<GG_GAMEPLAY*>(self);
    gameplay.mEnded = 0;
    const KEL::KS_VEC2 at = cell->fGetPosition();
    if (gameplay.mHasHintFinish) {
        gameplay.mHintFinish.fSetAreaCentre(at.x, at.y);
        gameplay.mHintFinish.fGetSystem()->fSetDuration(kFINISH_BURST);
    }
    gameplay.mHintFollow.fGetSystem()->fStop();
    gameplay.mHintSprite.fSetColor(kINVISIBLE);
    if (gameplay.mPlayer) {
        GG_STATISTIC& statistic = gameplay.mPlayer->fGetStatistic();
        ++statistic.mHintUse;
        gameplay.mHost->fFeedTrophy("pc_tr_hint_use", static_cast<float>(statistic.mHintUse));
    }
    gameplay.mProcess.fOnClick(cell->fGetRow(), cell->fGetColumn(), cell->fGetRow(), cell->fGetColumn(), true);
}

void GG_GAMEPLAY::fOnBonusLanded(int32_t amount) { mAmbient.fAddScore(amount); }

void GG_GAMEPLAY::fUpdateFlights() {
    mHintFlight.fStepFront();
    if (mHasHintFinish) mHintFinish.fUpdate();
    if (mHasHintFollow) {
        if (fIsHintFlying()) {
            const KEL::KS_VEC2 at = mHintSprite.fGetTransform()->fGetPos2();
            mHintFollow.fSetAreaCentre(at.x, at.y);
        }
        mHintFollow.fUpdate();
    }
    mHintSprite.fUpdate();
    for (auto& flight : mBonusFlights) flight->fUpdate();
    std::erase_if(mBonusFlights, [](const std::unique_ptr<GG_EFFECT_BONUS>& flight) { return flight->fIsDone(); });
}

void GG_GAMEPLAY::fDrawFlights() {
    if (fIsHintFlying()) mHintSprite.fDrawWith();
    if (mHasHintFinish) mHintFinish.fDraw();
    if (mHasHintFollow) mHintFollow.fDraw();
    for (auto& flight : mBonusFlights) flight->fDraw();
}

// ---------------------------------------------------------------- end of level

void GG_GAMEPLAY::fEndLevel(bool won) {
    if (mEndHandled) return;
    mEndHandled = 1;
    if (won) fOnLevelWin();
    else fOnLevelLost();
}

void GG_GAMEPLAY::fOnLevelWin() {
    mEnded = 1;
    fResetSelection();
    // A speed of 0 or less would sweep for ever and hold the trophies back.
    const float speed = mProcess.mSweepSpeed > 0.0f ? mProcess.mSweepSpeed : kDEFAULT_SWEEP_SPEED;
    const float sweep = mProcess.fStartSweep(speed, &mFinishCallback);
    mHost->fHoldTrophies(kTROPHY_HOLD_SHARE * sweep);
    if (KEL::KC_SOUND_LIST* sound = mHost->fGetSound()) {
        const float volume = mPlayer ? mPlayer->fGetMusicVolume() : 0.0f;
        sound->fSetGroupVolume(GG_SOUND_GROUP::kMUSIC, volume * 0.5f);
        mMusicDucked = 1;
        sound->fPlaySound(GG_SOUND_GROUP::kSOUNDS, "levelwin");
        fSleep(static_cast<float>(sound->fGetLength(GG_SOUND_GROUP::kSOUNDS, "levelwin")), &mMusicCallback);
    }
    fUpdateWinRecords();
    mResult.mWon = 1;
    if (KEL::G_WINDOW_MANAGER* windows = mHost->fGetWindowManager()) {
        if (KEL::G_WINDOW* finish = windows->fFindWindow(GG_WINDOW_NAME::kFINISH)) {
            finish->fSetCallback(KEL::G_WINDOW::kCB_SHOWN, KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fPause>(this));
            mHost->fShowResult(*finish, mResult);
        }
    }
    fFeedWinTrophies();
    mHost->fSubmitScore(mScore, mResult.mStars);
    mHost->fSave();
}

// The level, its time, errors, hints and score into the result record.
void GG_GAMEPLAY::fCopyResult() {
    mResult.mPackId = mPackId;
    mResult.mLevelId = mLevelId;
    mResult.mLevelTime = mLevelTime;
    mResult.mErrors = mErrors;
    mResult.mHintsUsed = mHintsUsed;
    mResult.mScore = mScore;
}

// Statistics, stars, best time and unlocks of a won level; the result
// record is copied from them.
void GG_GAMEPLAY::fUpdateWinRecords() {
    fCopyResult();
    mResult.mStars = mErrors == 0 ? GG_LEVEL_RECORD::kMAX_STARS : mErrors == 1 ? GG_LEVEL_RECORD::kMAX_STARS - 1 : 1;
    if (!mPlayer || !mLevelRecord) return;
    GG_STATISTIC& s = mPlayer->fGetStatistic();
    if (mHintsUsed == 0) {
        ++s.mWithoutHint;
        s.mWithoutHintMax = std::max(s.mWithoutHintMax, s.mWithoutHint);
    } else {
        s.mWithoutHint = 0;
    }
    if (mErrors == 0) {
        ++s.mWithoutError;
        s.mWithoutErrorMax = std::max(s.mWithoutErrorMax, s.mWithoutError);
    } else {
        s.mWithoutError = 0;
    }
    s.mBadLevel = 0;
    s.fAddScore(mScore);
    // A stored 0 means no level was timed yet.
    if (s.mMinLevelTime == 0.0f || mLevelTime < s.mMinLevelTime) s.mMinLevelTime = mLevelTime;
    mLevelRecord->fSetStars(mResult.mStars);
    mLevelRecord->fSetBestTime(mLevelTime);
    mResult.mBestTime = mLevelRecord->fGetBestTime();
    mResult.mLevelNumber = mLevelRecord->fGetIndex() + 1;
    fUnlockNext();
}

void GG_GAMEPLAY::fUnlockNext() {
    if (!mPackRecord) return;
    const bool last = mPackRecord->fIsLastLevel(mLevelRecord);
    if (!last) {
        if (GG_LEVEL_RECORD* next = mPackRecord->fFindLevel(mLevelId + 1)) next->fSetLock(0);
    }
    const GG_EDITION& edition = mHost->fGetEdition();
    if (!edition.mPackLogicStars) {
        if (last) {
            if (GG_PACK_RECORD* nextPack = mPlayer->fFindPack(mPackId + 1)) nextPack->fOpenFirstLevel();
        }
        return;
    }
    // Stars open a following pack's first level; the whole pack opens by
    // stars only in a free edition.
    for (int32_t id = mPackId + 1; GG_PACK_RECORD* pack = mPlayer->fFindPack(id); ++id)
        pack->fUpdateLock(mPlayer->fGetTotalStars(), mHost->fFindPack(id), edition.mFree != 0);
}

void GG_GAMEPLAY::fFeedWinTrophies() {
    if (mPackRecord)
        mHost->fFeedTrophy("tr_pack_" + std::to_string(mPackId + 1), static_cast<float>(mPackRecord->fGetProgress()));
    if (!mPlayer) return;
    const GG_STATISTIC& s = mPlayer->fGetStatistic();
    mHost->fFeedTrophy("pc_tr_without_hint", static_cast<float>(s.mWithoutHintMax));
    mHost->fFeedTrophy("tr_without_error", static_cast<float>(s.mWithoutErrorMax));
    mHost->fFeedTrophy("m_tr_without_error", static_cast<float>(s.mWithoutErrorMax));
    mHost->fFeedTrophy("m_tr_time", s.mMinLevelTime);
    const float perfect = static_cast<float>(mPlayer->fCountPerfectLevels());
    for (const char* key : {"tr_stars_1", "tr_stars_2", "tr_stars_3"}) mHost->fFeedTrophy(key, perfect);
    for (const char* key : {"tr_bronze_coin", "tr_silver_coin", "tr_gold_coin"})
        mHost->fFeedTrophy(key, static_cast<float>(s.mMaxScore));
}

void GG_GAMEPLAY::fShowFinishWhenIdle() {
    if (!mBonusFlights.empty()) {
        fSleep(kFINISH_RETRY, &mFinishCallback);
        return;
    }
    if (KEL::G_WINDOW_MANAGER* windows = mHost->fGetWindowManager()) windows->fShowWindow(GG_WINDOW_NAME::kFINISH);
}

void GG_GAMEPLAY::fRestoreMusic() {
    mMusicDucked = 0;
    KEL::KC_SOUND_LIST* sound = mHost ? mHost->fGetSound() : nullptr;
    if (sound && mPlayer) sound->fSetGroupVolume(GG_SOUND_GROUP::kMUSIC, mPlayer->fGetMusicVolume());
}

void GG_GAMEPLAY::fOnLevelLost() {
    // Input ends whatever windows exist; they only decide what comes next.
    mEnded = 1;
    fResetSelection();
    if (KEL::KC_SOUND_LIST* sound = mHost->fGetSound()) sound->fPlaySound(GG_SOUND_GROUP::kSOUNDS, "levelloose");
    fCopyResult();
    if (mPlayer) {
        GG_STATISTIC& s = mPlayer->fGetStatistic();
        ++s.mBadLevel;
        s.mBadLevelMax = std::max(s.mBadLevelMax, s.mBadLevel);
        s.mWithoutError = 0;
        s.mWithoutHint = 0;
    }
    mHost->fUpdateHealth();
    if (fAskSecondChance()) return;
    fAskRestart();
}

// "Restart?" with hearts left, "Get hearts?" without. With neither window
// the level list comes back, a frame later: the board may be judging.
void GG_GAMEPLAY::fAskRestart() {
    const bool hearts = mPlayer && mPlayer->fGetHealth().fGetCount() >= 1;
    const bool asked = hearts ? fOpenQuestion(GG_WINDOW_NAME::kRESTART_FINISH_QUESTION, KE_ANSWERS::kYES_NO,
                                              KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fOnLostAnswerRestart>(this))
                              : fOpenQuestion(GG_WINDOW_NAME::kRESTART_NO_HEALTH_QUESTION, KE_ANSWERS::kYES_NO,
                                              KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fOnLostAnswerShop>(this));
    if (!asked) fSleep(0.0f, &mLeaveCallback);
}

bool GG_GAMEPLAY::fAskSecondChance() {
    if (!mLevelRecord) return false;
    return fOpenQuestion(GG_WINDOW_NAME::kSECOND_CHANCE_QUESTION, KE_ANSWERS::kYES_NO_CLOSE,
                         KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fOnSecondChanceAnswer>(this));
}

// Opens a question window with its answer handler (the window's second
// handler is the one that tells no from close); it pauses the level when shown and waits for the
// error icons still to pop in. False when there is no such question.
bool GG_GAMEPLAY::fOpenQuestion(const char* name, KE_ANSWERS answers, KEL::Closure<void()> answer) {
    KEL::G_WINDOW_MANAGER* windows = mHost->fGetWindowManager();
    auto* question = dynamic_cast<KEL::G_WINDOW_CONFIRM*>(windows ? windows->fFindWindow(name) : nullptr);
    if (!question) return false;
    if (answers == KE_ANSWERS::kYES_NO_CLOSE) {
        question->fSetAnswerHandler(KEL::Closure<void()>());
        question->fSetAnswerHandler2(answer);
    } else {
        question->fSetAnswerHandler2(KEL::Closure<void()>());
        question->fSetAnswerHandler(answer);
    }
    question->fSetCallback(KEL::G_WINDOW::kCB_SHOWN, KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fPause>(this));
    // The wait is before the question comes, not after it is answered: a
    // question lingering after its answer could not be asked again at once
    // (the offer's "no" re-asks), leaving the lost level with no question.
    question->fSetTime(true, mAmbient.fGetErrorPanel().fGetPendingTime());
    mEnded = 1;
    windows->fShowWindow(name);
    return true;
}

void GG_GAMEPLAY::fOnSecondChanceAnswer(int32_t answer) {
    if (answer == KEL::G_WINDOW_CONFIRM::kANSWER_YES) {
        if (mPlayer && mPlayer->fGetHealth().fGetCount() >= 1) fRestartOrLeave(KE_AFTER_LOSS::kRESTART);
        else if (!fOpenQuestion(GG_WINDOW_NAME::kRESTART_NO_HEALTH_QUESTION, KE_ANSWERS::kYES_NO,
                                KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fOnLostAnswerShop>(this)))
            fRestartOrLeave(KE_AFTER_LOSS::kLEVELS);
    } else if (answer == KEL::G_WINDOW_CONFIRM::kANSWER_NO) {
        if (fOpenQuestion(GG_WINDOW_NAME::kSECOND_CHANCE_BUY_QUESTION, KE_ANSWERS::kYES_NO_CLOSE,
                          KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fOnSecondChanceBuyAnswer>(this))) {
            if (KEL::G_WINDOW* buy = mHost->fGetWindowManager()->fFindWindow(
                    GG_WINDOW_NAME::kSECOND_CHANCE_BUY_QUESTION))
                mHost->fShowPrice(*buy, KEL::kITEM_SECOND_CHANCE);
        } else {
            fRestartOrLeave(KE_AFTER_LOSS::kLEVELS);
        }
    } else {
        fRestartOrLeave(KE_AFTER_LOSS::kLEVELS);
    }
}

// Without an in-app store the chance is paid with points: a refusal means
// too few of them, which the player is told before the offer comes back.
void GG_GAMEPLAY::fOnSecondChanceBuyAnswer(int32_t answer) {
    if (answer == KEL::G_WINDOW_CONFIRM::kANSWER_YES) {
        if (mHost->fPurchase(KEL::kITEM_SECOND_CHANCE)) return;
        if (!mInApp && fOpenQuestion(GG_WINDOW_NAME::kNO_MONEY, KE_ANSWERS::kYES_NO,
                                     KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fOnNoMoneyAnswer>(this)))
            return;
    }
    fOnNoMoneyAnswer(answer);
}

void GG_GAMEPLAY::fOnNoMoneyAnswer(int32_t) {
    // The pack list asks the same question: it must not pause a level.
    KEL::G_WINDOW_MANAGER* windows = mHost->fGetWindowManager();
    if (KEL::G_WINDOW* noMoney = windows ? windows->fFindWindow(GG_WINDOW_NAME::kNO_MONEY) : nullptr)
        noMoney->fSetCallback(KEL::G_WINDOW::kCB_SHOWN, KEL::Closure<void()>());
    if (!fAskSecondChance()) fRestartOrLeave(KE_AFTER_LOSS::kLEVELS);
}

void GG_GAMEPLAY::fOnLostAnswerRestart(int32_t answer) {
    fRestartOrLeave(answer == KEL::G_WINDOW_CONFIRM::kANSWER_YES ? KE_AFTER_LOSS::kRESTART : KE_AFTER_LOSS::kLEVELS);
}

void GG_GAMEPLAY::fOnLostAnswerShop(int32_t answer) {
    fRestartOrLeave(answer == KEL::G_WINDOW_CONFIRM::kANSWER_YES ? KE_AFTER_LOSS::kSHOP : KE_AFTER_LOSS::kLEVELS);
}

void GG_GAMEPLAY::fGiveSecondChance() {
    mEnded = 0;
    mEndHandled = 0;
    mAmbient.fResetErrors();
    fResume();
    mErrors = 0;
}

// The shop is asked for by a yes to "no hearts left, visit the shop?": it
// opens whatever pays for it, points or the in-app store.
void GG_GAMEPLAY::fRestartOrLeave(KE_AFTER_LOSS next) {
    if (next == KE_AFTER_LOSS::kRESTART) {
        mHost->fRestartLevel();
        return;
    }
    const bool thenShop = next == KE_AFTER_LOSS::kSHOP;
    KEL::G_WINDOW_MANAGER* windows = mHost->fGetWindowManager();
    KEL::G_WINDOW* fade = windows ? windows->fFindWindow(GG_WINDOW_NAME::kFADE) : nullptr;
    if (!fade) {
        mHost->fLeaveLevel(thenShop);
        return;
    }
    if (thenShop)
        fade->fSetCallback(KEL::G_WINDOW::kCB_SHOWN, KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fOnShopFaded>(this));
    else fade->fSetCallback(KEL::G_WINDOW::kCB_SHOWN, KEL::Closure<void()>::fBind<&GG_GAMEPLAY::fOnLevelsFaded>(this));
    windows->fShowWindow(GG_WINDOW_NAME::kFADE);
}

void GG_GAMEPLAY::fOnLevelsFaded() { fLeaveUnderFade(KE_AFTER_LOSS::kLEVELS); }

void GG_GAMEPLAY::fOnShopFaded() { fLeaveUnderFade(KE_AFTER_LOSS::kSHOP); }

// The curtain is modal and in front: once the level list is behind it, it
// must lift, or nothing can be clicked again.
void GG_GAMEPLAY::fLeaveUnderFade(KE_AFTER_LOSS next) {
    KEL::G_WINDOW_MANAGER* windows = mHost->fGetWindowManager();
    if (KEL::G_WINDOW* fade = windows->fFindWindow(GG_WINDOW_NAME::kFADE))
        fade->fSetCallback(KEL::G_WINDOW::kCB_SHOWN, KEL::Closure<void()>());
    mHost->fLeaveLevel(next == KE_AFTER_LOSS::kSHOP);
    windows->fHideWindow(GG_WINDOW_NAME::kFADE);
}

// ---------------------------------------------------------------- timers

void GG_GAMEPLAY::fSleep(float seconds, const KEL::KC_CALLBACK* then) {
    mBots.fAdd(KEL::fCreateBotSleep(nullptr, then, seconds > 0.0f ? seconds : 0.0f, 0.0f));
}

int32_t GG_GAMEPLAY::fOnFinishTimer(void* self) {
    static_cast<GG_GAMEPLAY*>(self)->fShowFinishWhenIdle();
    return KEL::KS_RESULT::kOK;
}

int32_t GG_GAMEPLAY::fOnMusicTimer(void* self) {
    static_cast<GG_GAMEPLAY*>(self)->fRestoreMusic();
    return KEL::KS_RESULT::kOK;
}

int32_t GG_GAMEPLAY::fOnLeaveTimer(void* self) {
    static_cast<GG_GAMEPLAY*>(self)->fRestartOrLeave(KE_AFTER_LOSS::kLEVELS);
    return KEL::KS_RESULT::kOK;
}

}  // namespace game
