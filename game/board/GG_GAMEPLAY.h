#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "SERVICE/KC_CALLBACK.h"
#include "engine/bots/KC_BOT_MANAGER.h"
#include "engine/scene/G_ANIMATION.h"
#include "engine/scene/G_EFFECT_T.h"
#include "engine/scene/G_GAMEPLAY.h"
#include "engine/scene/G_PARTICLES.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/util/KS_VEC2.h"
#include "game/board/GG_AMBIENT.h"
#include "game/board/GG_BOARD_LAYOUT.h"
#include "game/board/GG_CONTROLS.h"
#include "game/board/GG_EFFECT_BONUS.h"
#include "game/board/GG_LEVEL_RESULT.h"
#include "game/board/GG_PROCESS.h"
#include "game/board/GG_SUNIME_EFFECT.h"

namespace KEL {
class KC_FONT;
}

namespace game {

class GG_GAMEPLAY_HOST;
class GG_LEVEL_RECORD;
class GG_PACK_RECORD;
class GG_PLAYER;

// The level being played. Turns presses, drags and releases into opened
// cells with the fill or the cross tool, judges each, keeps the errors
// against the player's limit, the score, the hints (earned by progress,
// flown to a cell when used) and the bonus flights, counts the level time
// and ends the level once, won or lost. One object serves the whole run:
// the game object loads, stops and restarts levels through it.
//
// Built on the loader thread (it reads only XML and names there); every
// other call comes from the main thread.
class GG_GAMEPLAY : public KEL::G_GAMEPLAY, private GG_PROCESS::cJudge {
public:
    static constexpr const char* kSETTINGS_FILE = "data/share/main/GameProcess settings.xml";
    static constexpr const char* kEFFECTS_FILE = "data/share/main/GameProcess effects.xml";
    static constexpr int32_t kDEFAULT_ERROR_LIMIT = 6;
    static constexpr uint32_t kDEFAULT_MAX_HINTS = 4;
    static constexpr float kDEFAULT_SWEEP_SPEED = 1.5f;
    // The share of a won level's end sweep that queued trophies wait for.
    static constexpr float kTROPHY_HOLD_SHARE = 0.95f;
    // Seconds between two looks whether the result window may open.
    static constexpr float kFINISH_RETRY = 0.12f;

    // Reads settings.xml, effects.xml and the controls. The host (not owned)
    // must outlive this object.
    explicit GG_GAMEPLAY(GG_GAMEPLAY_HOST* host);
    ~GG_GAMEPLAY() override;

    bool fLoad(const std::string& levelFile) override;
    bool fStop() override;
    int32_t fUpdate() override;
    void fDraw() override;
    KEL::KS_MOUSE_RESULT fOnMouseUp(int32_t button) override;
    KEL::KS_MOUSE_RESULT fOnMouseDown(int32_t button) override;
    void fOnMouseMove() override;
    void fPause() override;
    void fResume() override;
    void fRestart() override;
    void fLoadResources() override;
    void fReleaseResources() override;
    // A purchase made during the level: kind "buy" of "refill_hint" or
    // "errors".
    void fOnPurchase(const std::string& kind, const std::string& item);

    void fSetErrorLimit(int32_t limit);
    void fSetControlDelegate(cControlDelegate* delegate) { mControls.fSetDelegate(delegate); }
    // The shop may refill hints: a player is set, none is held and the
    // player's "start_hint" is above 0.
    bool fCanRefillHints() const;
    // Drops the held press and its selection: the drag opens nothing.
    void fResetSelection();
    // Refuses input for that long.
    void fBlockInputFor(float seconds);
    // The hint button's request: a hint flies to a random closed full cell.
    void fUseHint();

    // End of the level, once per level.
    void fEndLevel(bool won);
    // After a bought second chance: errors back to 0, the same board goes on.
    void fGiveSecondChance();
    // Asks whether to try again; false when it cannot be asked.
    bool fAskSecondChance();
    void fOnSecondChanceAnswer(int32_t answer);
    void fOnSecondChanceBuyAnswer(int32_t answer);
    void fOnNoMoneyAnswer(int32_t answer);
    void fOnLostAnswerRestart(int32_t answer);
    void fOnLostAnswerShop(int32_t answer);
    // Where a lost level goes next.
    enum class KE_AFTER_LOSS : uint8_t {
        kRESTART,  // the same level again, at once
        kLEVELS,   // the level list, under the fade
        kSHOP,     // the shop, under the fade
    };
    void fRestartOrLeave(KE_AFTER_LOSS next);
    void fOnLevelsFaded();
    void fOnShopFaded();
    // The sweep is through: the result window opens once no bonus flies.
    void fShowFinishWhenIdle();
    void fRestoreMusic();

    // What tests and the game object read.
    bool fIsEnded() const { return mEnded != 0; }
    bool fIsEndHandled() const { return mEndHandled != 0; }
    bool fIsPressed() const { return mPressed != 0; }
    bool fIsOverBoard() const { return mOverBoard != 0; }
    int32_t fGetErrors() const { return mErrors; }
    int32_t fGetErrorLimit() const { return mErrorLimit; }
    int32_t fGetScore() const { return mScore; }
    int32_t fGetHintsAvailable() const { return mHintsAvailable; }
    int32_t fGetHintsEarned() const { return mHintsEarned; }
    int32_t fGetHintsUsed() const { return mHintsUsed; }
    uint32_t fGetMaxHints() const { return mMaxHints; }
    int32_t fGetSunimeOne() const { return mSunimeOne; }
    int32_t fGetSunimeBonus() const { return mSunimeBonus; }
    float fGetLevelTime() const { return mLevelTime; }
    int32_t fGetPackId() const { return mPackId; }
    int32_t fGetLevelId() const { return mLevelId; }
    const std::string& fGetLevelFile() const { return mLevelFile; }
    // (row, column); (-1, -1) when none.
    int32_t fGetHoveredRow() const { return mHoverRow; }
    int32_t fGetHoveredColumn() const { return mHoverColumn; }
    int32_t fGetPressRow() const { return mPressRow; }
    int32_t fGetPressColumn() const { return mPressColumn; }
    const std::vector<GG_ELEMENT*>& fGetSelection() const { return mSelection; }
    bool fIsHintFlying() const { return !mHintFlight.fIsEmpty(); }
    int32_t fGetBonusFlightCount() const { return static_cast<int32_t>(mBonusFlights.size()); }
    const GG_LEVEL_RESULT& fGetResult() const { return mResult; }
    GG_PROCESS& fGetProcess() { return mProcess; }
    GG_AMBIENT& fGetAmbient() { return mAmbient; }
    GG_CONTROLS& fGetControls() { return mControls; }
    const GG_BOARD_LAYOUT& fGetLayout() const { return mLayout; }
    // The in-app edition gives and spends no hints of its own.
    bool fIsInApp() const { return mInApp != 0; }

private:
    // cJudge
    void fOnCellRight(GG_ELEMENT& cell) override;
    void fOnCellWrong(GG_ELEMENT& cell) override;
    void fCheckWin() override;

    // Construction.
    void fReadSettings();
    void fReadEffects();
    void fReadHintFlight(const pugi::xml_node& node);
    // Loading.
    bool fTakeRecords();
    bool fReadLevel(const pugi::xml_node& level);
    // Every piece of per-level state back to its start.
    void fClearLevelState();
    // Pointer and selection.
    void fUpdateHover();
    enum class KE_AXIS : uint8_t { kROW, kCOLUMN };
    // In a gap or off the cells: no cell, or the nearest one.
    enum class KE_GAP : uint8_t { kNONE, kNEAREST };
    int32_t fAxisCell(float position, KE_AXIS axis, KE_GAP gap) const;
    void fRebuildSelection();
    void fDrawSelection();
    void fShowHints();
    void fEarnHint();
    // Controls' requests.
    void fOpenMenu();
    void fOpenShop();
    void fOpenResetFeedback();
    void fCloseResetFeedback();
    // Flights.
    void fLaunchHint(GG_ELEMENT& cell);
    static void fOnHintArrived(void* self, GG_ELEMENT* cell);
    void fOnBonusLanded(int32_t amount);
    void fUpdateFlights();
    void fDrawFlights();
    // End of the level.
    void fOnLevelWin();
    void fOnLevelLost();
    void fUpdateWinRecords();
    void fCopyResult();
    void fUnlockNext();
    void fFeedWinTrophies();
    // The answers a question's handler tells apart: yes and no (a close
    // counts as no), or yes, no and close.
    enum class KE_ANSWERS : uint8_t { kYES_NO, kYES_NO_CLOSE };
    bool fOpenQuestion(const char* name, KE_ANSWERS answers, KEL::Closure<void()> answer);
    void fAskRestart();
    void fLeaveUnderFade(KE_AFTER_LOSS next);
    void fSleep(float seconds, const KEL::KC_CALLBACK* then);
    static int32_t fOnFinishTimer(void* self);
    static int32_t fOnMusicTimer(void* self);
    static int32_t fOnLeaveTimer(void* self);

    GG_GAMEPLAY_HOST* mHost;

    int32_t mErrorLimit = kDEFAULT_ERROR_LIMIT;
    uint32_t mMaxHints = kDEFAULT_MAX_HINTS;
    int32_t mSunimeOne = 0;
    int32_t mSunimeBonus = 0;
    uint8_t mTool = 1;
    uint8_t mEnded = 0;
    uint8_t mInApp = 0;
    GG_PLAYER* mPlayer = nullptr;
    GG_PACK_RECORD* mPackRecord = nullptr;
    GG_LEVEL_RECORD* mLevelRecord = nullptr;
    std::string mLevelFile;
    // The sweep's end and the end of "levelwin".
    KEL::KC_CALLBACK mFinishCallback;
    KEL::KC_CALLBACK mMusicCallback;
    KEL::KC_CALLBACK mLeaveCallback;
    uint8_t mMusicDucked = 0;

    int32_t mPackId = 0;
    int32_t mLevelId = 0;
    float mLevelTime = 0.0f;
    int32_t mErrors = 0;
    int32_t mHintsEarned = 0;
    int32_t mHintsAvailable = 0;
    int32_t mHintsUsed = 0;
    int32_t mScore = 0;

    GG_BOARD_LAYOUT mLayout;
    KEL::KC_BOT_MANAGER mBots;
    GG_PROCESS mProcess;
    GG_AMBIENT mAmbient;
    GG_CONTROLS mControls;
    std::vector<GG_ELEMENT*> mSelection;
    KEL::KC_FONT* mSelectionFont = nullptr;
    std::unique_ptr<KEL::G_SPRITE> mBackground;
    uint8_t mOverBoard = 0;
    uint8_t mPressed = 0;
    uint8_t mEndHandled = 0;
    int32_t mPressButton = 0;
    int32_t mPressRow = -1;
    int32_t mPressColumn = -1;
    int32_t mHoverRow = -1;
    int32_t mHoverColumn = -1;
    // The board took the pointer's moves at the last update (running, not
    // paused); when it starts to, it looks once where the pointer rests.
    bool mLive = false;

    // The hint's flight.
    KEL::G_ANIMATION mHintSprite;
    KEL::G_PARTICLES mHintFinish;
    KEL::G_PARTICLES mHintFollow;
    uint8_t mHasHintFinish = 0;
    uint8_t mHasHintFollow = 0;
    int32_t mDeflection1 = 0;
    int32_t mDeflection2 = 0;
    float mHintSpeed = 500.0f;
    KEL::KS_VEC2 mHintStart;
    uint8_t mHintStartKnown = 0;
    KEL::G_EFFECT_T<GG_ELEMENT*> mHintFlight;

    GG_SUNIME_EFFECT mFlyingScore;
    uint8_t mHasFlyingScore = 0;
    std::vector<std::unique_ptr<GG_EFFECT_BONUS>> mBonusFlights;

    GG_LEVEL_RESULT mResult;
};

}  // namespace game
