// The whole game over the built content, played through the window's
// message queue: a new player is guided on the first two pictures of the
// first pack and nowhere else, "Next" from a result leaves the guide of the
// picture before behind, and losing focus while a hint flies pauses the
// level under its menu.
#include <gtest/gtest.h>

#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/gGame.h"
#include "game/board/GG_CONTROLS.h"
#include "game/board/GG_ELEMENT.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/board/GG_PROCESS.h"
#include "game/board/GG_TUTORIAL.h"
#include "game/board/GG_TUTORIAL_STEP.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_WINDOW_FINISH.h"
#include "game/screens/GG_WINDOW_GAME_MENU.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/GG_WINDOW_PACK_MENU.h"
#include "host/IWindow.h"
#include "support/WholeGame.h"

using game::gGame;

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

class GuideWalk : public testsupport::WholeGame {
protected:
    GuideWalk() {
        mPictures = false;
        mPrefix = "guide";
    }
    void SetUp() override {
        WholeGame::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_NO_FATAL_FAILURE(fStart());
    }

    game::GG_TUTORIAL& fTutorial() { return fGameObject().fGetTutorial(); }

    void fClickCell(int32_t row, int32_t column) {
        const game::GG_ELEMENT* cell = fBoard()->fGetProcess().fGetCell(row, column);
        ASSERT_NE(cell, nullptr);
        fClickAt(cell->fGetPosition());
    }
    // The player's way into a pack whose stars it has not earned yet, and
    // into a level it has not reached.
    static void fOpenForPlayer(game::GG_PLAYER& player, int32_t packId, int32_t levelId) {
        game::GG_PACK_RECORD* pack = player.fFindPack(packId);
        ASSERT_NE(pack, nullptr);
        pack->fUnlock();
        pack->fOpenFirstLevel();
        game::GG_LEVEL_RECORD* level = player.fFindLevel(packId, levelId);
        ASSERT_NE(level, nullptr);
        level->fSetLock(0);
        gGame::fGetWindowManager()->fRefreshAll();
    }
};

}  // namespace

TEST_F(GuideWalk, ANewPlayerIsGuidedOnTheFirstPacksFirstPicturesOnlyAndNextCarriesNoStepOn) {
    game::GG_PLAYER* player = fGameObject().fGetCurrentPlayer();
    ASSERT_NE(player, nullptr) << "the edition makes a first player";
    ASSERT_FALSE(player->fGetPassedTutorial());
    ASSERT_NO_FATAL_FAILURE(fOpenForPlayer(*player, 0, 2));
    ASSERT_NO_FATAL_FAILURE(fOpenForPlayer(*player, 1, 1));

    // Pack 0, picture 1: guided from its first step; leaving passes nothing.
    ASSERT_NO_FATAL_FAILURE(fOpenPack(0));
    ASSERT_NO_FATAL_FAILURE(fPlayLevel(0));
    ASSERT_TRUE(fTutorial().fIsRunning());
    EXPECT_EQ(fTutorial().fGetLevelId(), 1);
    EXPECT_EQ(fTutorial().fGetCurrentIndex(), 0);
    ASSERT_NO_FATAL_FAILURE(fLeaveLevel());
    EXPECT_FALSE(fTutorial().fIsRunning());
    EXPECT_FALSE(player->fGetPassedTutorial());

    // Pack 0, picture 2: its bonus cell opened by hand brings the reset
    // step, which leaves the cells free; the picture is then solved with
    // that step still up.
    ASSERT_NO_FATAL_FAILURE(fPlayLevel(1));
    ASSERT_TRUE(fTutorial().fIsRunning());
    ASSERT_EQ(fTutorial().fGetLevelId(), 2);
    ASSERT_EQ(fTutorial().fGetCurrentStep()->fGetCells().size(), 1u);
    const KEL::KS_POINT bonus = fTutorial().fGetCurrentStep()->fGetCells()[0];
    ASSERT_NO_FATAL_FAILURE(fClickCell(bonus.y, bonus.x));
    ASSERT_TRUE(fTutorial().fIsRunning());
    ASSERT_EQ(fTutorial().fGetCurrentStep()->fGetType(), game::GG_TUTORIAL_STEP::kUSE_RESET_SELECTION);
    ASSERT_NO_FATAL_FAILURE(fTimed(
        "solved -> result",
        [&] {
            for (const auto& cell : fBoard()->fGetProcess().fGetCells()) {
                if (!cell->fIsFull() || cell->fIsRevealed()) continue;
                fClickAt(cell->fGetPosition());
            }
        },
        GG_WINDOW_NAME::kFINISH));
    EXPECT_EQ(
        dynamic_cast<game::GG_WINDOW_FINISH*>(fWindows().fFindWindow(GG_WINDOW_NAME::kFINISH))->fGetResult().mErrors,
        0);
    fFrames(90);

    // "Next": picture 3 plays free of picture 2's panel, markers and gating.
    ASSERT_NO_FATAL_FAILURE(fTimed(
        "result next -> picture", [&] { fClickWidget(GG_WINDOW_NAME::kFINISH, game::GG_WINDOW_FINISH::kNEXT); },
        [&] { return !fWindows().fIsOpen(GG_WINDOW_NAME::kFINISH) && fBoard()->fIsRunning(); }));
    EXPECT_EQ(fBoard()->fGetLevelId(), 3);
    EXPECT_FALSE(fTutorial().fIsRunning());
    EXPECT_EQ(fTutorial().fGetCurrentStep(), nullptr);
    EXPECT_FALSE(fBoard()->fGetControls().fGetHint().fIsBlocked());
    EXPECT_FALSE(player->fGetPassedTutorial()) << "the guide was not followed to its end";

    // Pack 1, picture 1 has the same level id as pack 0's first; it is not
    // guided, so its cells and controls are the player's from the start.
    ASSERT_NO_FATAL_FAILURE(fLeaveLevel());
    ASSERT_NO_FATAL_FAILURE(fTimed(
        "levels -> packs", [&] { fClickWidget(GG_WINDOW_NAME::kPACKS_MENU, game::GG_WINDOW_PACK_MENU::kBACK); },
        GG_WINDOW_NAME::kPACKS));
    ASSERT_NO_FATAL_FAILURE(fOpenPack(1));
    ASSERT_NO_FATAL_FAILURE(fPlayLevel(0));
    EXPECT_EQ(fBoard()->fGetPackId(), 1);
    EXPECT_EQ(fBoard()->fGetLevelId(), 1);
    EXPECT_FALSE(fTutorial().fIsRunning());
    EXPECT_EQ(fBoard()->fGetProcess().fGetCell(0, 0)->mBlocked, 0);
    EXPECT_FALSE(fBoard()->fGetControls().fGetHint().fIsBlocked());
    const int32_t errors = fBoard()->fGetErrors();
    ASSERT_NO_FATAL_FAILURE(fClickCell(1, 0));
    EXPECT_EQ(fBoard()->fGetErrors() - errors, fBoard()->fGetProcess().fGetCell(1, 0)->fIsFull() ? 0 : 1)
        << "a click is the player's own, judged as such";
}

TEST_F(GuideWalk, LosingFocusWhileAHintFliesPausesTheLevelUnderItsMenu) {
    game::GG_PLAYER* player = fGameObject().fGetCurrentPlayer();
    ASSERT_NE(player, nullptr);
    player->fSetPassedTutorial(true);
    ASSERT_NO_FATAL_FAILURE(fOpenPack(0));
    ASSERT_NO_FATAL_FAILURE(fPlayLevel(0));
    ASSERT_GT(fBoard()->fGetHintsAvailable(), 0);

    fClickSteady(
        [this] { return fBoard()->fGetControls().fGetHint().fGetButton().fGetTransform()->fGetAbsolute().fGetPos2(); });
    // The button slides away, then the hint sets off.
    ASSERT_TRUE(fRunUntil([&] { return fBoard()->fIsHintFlying(); }));
    ASSERT_TRUE(fBoard()->fIsEnded()) << "input is refused while it flies";
    fQueue().fPush(host::kMsgActivate, 0);
    fQueue().fPush(host::kMsgKillFocus);
    ASSERT_TRUE(fRunUntil([this] { return fQueue().mQueue.empty(); }));
    EXPECT_TRUE(fBoard()->fIsPaused());
    EXPECT_TRUE(fWindows().fIsOpen(GG_WINDOW_NAME::kGAME_MENU));

    // Back in focus and resumed from the menu, the hint lands and the
    // level plays on.
    fQueue().fPush(host::kMsgActivate, 1);
    fQueue().fPush(host::kMsgSetFocus);
    ASSERT_TRUE(fRunUntil([&] { return fShown(GG_WINDOW_NAME::kGAME_MENU); }));
    ASSERT_NO_FATAL_FAILURE(fTimed(
        "menu -> picture", [&] { fClickWidget(GG_WINDOW_NAME::kGAME_MENU, game::GG_WINDOW_GAME_MENU::kRESUME); },
        [&] { return !fWindows().fIsOpen(GG_WINDOW_NAME::kGAME_MENU) && !fBoard()->fIsHintFlying(); }));
    EXPECT_FALSE(fBoard()->fIsPaused());
    EXPECT_FALSE(fBoard()->fIsEnded());
}
