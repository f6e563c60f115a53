// The tutorial inside the whole game over the built content: a new player
// starting the first picture is guided, the game hands the board's clicks
// to it, leaving the level passes nothing, and the skip question from the
// window list ends it for good once answered yes.
#include <gtest/gtest.h>

#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/gGame.h"
#include "game/board/GG_ELEMENT.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/board/GG_PROCESS.h"
#include "game/board/GG_TUTORIAL.h"
#include "game/board/GG_TUTORIAL_STEP.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "support/WholeGame.h"

using game::gGame;

namespace {

class GG_TUTORIAL_GAME : public testsupport::WholeGame {
protected:
    GG_TUTORIAL_GAME() {
        mPictures = false;
        mPrefix = "tutorial";
    }
    void SetUp() override {
        WholeGame::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_NO_FATAL_FAILURE(fStart());
    }
};

}  // namespace

TEST_F(GG_TUTORIAL_GAME, ANewPlayerIsGuidedAndSkipsAfterTheQuestion) {
    gGame& g = *gGame::fGetGame();
    game::GG_TUTORIAL& tutorial = g.fGetTutorial();
    game::GG_PLAYER* player = g.fGetCurrentPlayer();
    ASSERT_NE(player, nullptr);
    ASSERT_FALSE(player->fGetPassedTutorial());
    EXPECT_FALSE(tutorial.fIsLoaded()) << "its images wait for a level it guides";

    game::GG_GAMEPLAY* shown = fShowLevel(0, 1);
    ASSERT_NE(shown, nullptr);
    game::GG_GAMEPLAY& board = *shown;
    ASSERT_TRUE(tutorial.fIsRunning());
    EXPECT_TRUE(tutorial.fIsLoaded());
    EXPECT_EQ(board.fGetProcess().fGetCell(2, 2)->mBlocked, 1) << "only the row it asks for is open";
    // The first step asks for the second row; a drag along it is heard.
    const KEL::KS_VEC2 a = board.fGetProcess().fGetCell(1, 0)->fGetPosition();
    const KEL::KS_VEC2 b = board.fGetProcess().fGetCell(1, 4)->fGetPosition();
    fInput().fDrag(a, b);
    EXPECT_EQ(tutorial.fGetCurrentIndex(), 1);

    // Leaving the level passes nothing; the next start guides from the top.
    g.fStopLevel();
    g.fEndLevel();
    EXPECT_FALSE(tutorial.fIsRunning());
    EXPECT_FALSE(player->fGetPassedTutorial());
    ASSERT_NE(fShowLevel(0, 1), nullptr);
    ASSERT_TRUE(tutorial.fIsRunning());
    EXPECT_EQ(tutorial.fGetCurrentIndex(), 0);

    // The skip button asks first, in the player's language.
    fTimed(
        "picture -> skip question",
        [&] { fClickWidget(*tutorial.fGetCurrentStep()->fGetGui().fFindChild(game::GG_TUTORIAL::kSKIP_WIDGET)); },
        game::GG_WINDOW_NAME::kSKIP_TUTORIAL_QUESTION);
    KEL::G_WINDOW_MANAGER& windows = *gGame::fGetWindowManager();
    auto* question = dynamic_cast<KEL::G_WINDOW_CONFIRM*>(
        windows.fFindOpenWindow(game::GG_WINDOW_NAME::kSKIP_TUTORIAL_QUESTION));
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(board.fIsPaused());
    ASSERT_NE(question->fGetMessageLabel(), nullptr);
    EXPECT_EQ(question->fGetMessageLabel()->fGetText(), std::wstring(L"Skip the tutorial?"));
    fTimedClose(
        "skip question -> picture",
        [&] { fClickWidget(game::GG_WINDOW_NAME::kSKIP_TUTORIAL_QUESTION, KEL::G_WINDOW_CONFIRM::kYES); },
        game::GG_WINDOW_NAME::kSKIP_TUTORIAL_QUESTION);
    EXPECT_FALSE(tutorial.fIsRunning());
    EXPECT_TRUE(player->fGetPassedTutorial());
    EXPECT_FALSE(board.fIsPaused());
    EXPECT_EQ(board.fGetProcess().fGetCell(2, 2)->mBlocked, 0);
    g.fRestartLevel();
    EXPECT_FALSE(tutorial.fIsRunning()) << "a player who skipped it is not guided again";
}
