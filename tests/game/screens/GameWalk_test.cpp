// The whole game over the built content, played with the mouse and the
// keyboard alone through the window's message queue: a first start makes a
// named player, is guided by the tutorial over the first picture of the
// first pack and skips it, plays the picture to its end, goes back to the
// levels and quits; a second start finds the player, the stars,
// the best time and the next picture open. Prints how long each screen
// change takes from the click to its last frame of animation, and the
// slowest frame of the walk.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "engine/gui/KC_GUI_LISTBOX.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_EDITBOX.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/gGame.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/board/GG_TUTORIAL.h"
#include "game/board/GG_TUTORIAL_STEP.h"
#include "game/profile/GG_LEVEL_RECORD.h"
#include "game/profile/GG_PLAYER.h"
#include "game/profile/KT_PLAYERS.h"
#include "game/screens/GG_WINDOW_FINISH.h"
#include "game/screens/GG_WINDOW_LEVEL.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/GG_WINDOW_PACK.h"
#include "game/screens/GG_WINDOW_PLAYERS.h"
#include "game/screens/GG_WINDOW_TITLE.h"
#include "game/screens/GG_WINDOW_TITLE_TOP.h"
#include "game/screens/pages/gLevel_Item.h"
#include "game/screens/pages/gPackItem.h"
#include "game/screens/pages/gPages_Level.h"
#include "game/screens/pages/gPages_Pack.h"
#include "host/IWindow.h"
#include "support/WholeGame.h"

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

class GameWalk : public testsupport::WholeGame {};

}  // namespace

TEST_F(GameWalk, APlayerNamedAtFirstStartWinsThePictureAndFindsItAllAgain) {
    ASSERT_NO_FATAL_FAILURE(fStart());

    // A player of one's own: the strip's change line, the list, a name.
    ASSERT_NO_FATAL_FAILURE(fNamePlayer("walker"));
    auto* players = dynamic_cast<game::GG_WINDOW_PLAYERS*>(fWindows().fFindWindow(GG_WINDOW_NAME::kPLAYERS));
    ASSERT_NE(players, nullptr);
    ASSERT_NE(players->fGetList()->fGetSelected(), nullptr);
    EXPECT_EQ(*players->fGetList()->fGetSelected(), L"walker");
    fTimedClose(
        "players -> title", [&] { fClickWidget(GG_WINDOW_NAME::kPLAYERS, game::GG_WINDOW_PLAYERS::kCHOOSE); },
        GG_WINDOW_NAME::kPLAYERS);
    ASSERT_NE(fGameObject().fGetCurrentPlayer(), nullptr);
    EXPECT_EQ(fGameObject().fGetCurrentPlayer()->fGetName(), L"walker");

    // Play, the first pack, the first picture.
    ASSERT_NO_FATAL_FAILURE(fOpenPack(0));
    auto* levels = dynamic_cast<game::GG_WINDOW_LEVEL*>(fWindows().fFindWindow(GG_WINDOW_NAME::kLEVELS));
    ASSERT_NE(levels, nullptr);
    ASSERT_EQ(levels->fGetLevelPages()->fGetLevelItem(0)->fGetState(), game::GG_PAGE_ITEM::kNEWEST);
    ASSERT_NO_FATAL_FAILURE(fPlayLevel(0));
    game::GG_GAMEPLAY* board = fBoard();
    fShoot("picture");

    // A new player is guided: the first step holds back all but the row it
    // asks for, a drag along that row brings the next step, and the guide
    // is then skipped with its own button after its question.
    game::GG_TUTORIAL& tutorial = fGameObject().fGetTutorial();
    ASSERT_TRUE(tutorial.fIsRunning());
    ASSERT_EQ(tutorial.fGetCurrentIndex(), 0);
    EXPECT_EQ(board->fGetProcess().fGetCell(2, 2)->mBlocked, 1);
    const KEL::KS_VEC2 rowStart = board->fGetProcess().fGetCell(1, 0)->fGetPosition();
    const KEL::KS_VEC2 rowEnd = board->fGetProcess().fGetCell(1, 4)->fGetPosition();
    fInput().fDrag(rowStart, rowEnd);
    EXPECT_EQ(tutorial.fGetCurrentIndex(), 1);
    EXPECT_TRUE(board->fGetProcess().fGetCell(1, 4)->fIsRevealed());
    const KEL::KC_GUI_OBJECT& skip = *tutorial.fGetCurrentStep()->fGetGui().fFindChild(game::GG_TUTORIAL::kSKIP_WIDGET);
    fTimed(
        "picture -> skip question", [&] { fClickWidget(skip); }, game::GG_WINDOW_NAME::kSKIP_TUTORIAL_QUESTION);
    EXPECT_TRUE(board->fIsPaused());
    auto* question = dynamic_cast<KEL::G_WINDOW_CONFIRM*>(
        fWindows().fFindWindow(game::GG_WINDOW_NAME::kSKIP_TUTORIAL_QUESTION));
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->fGetMessageLabel()->fGetText(), L"Skip the tutorial?");
    fTimedClose(
        "skip question -> picture",
        [&] { fClickWidget(game::GG_WINDOW_NAME::kSKIP_TUTORIAL_QUESTION, KEL::G_WINDOW_CONFIRM::kYES); },
        game::GG_WINDOW_NAME::kSKIP_TUTORIAL_QUESTION);
    EXPECT_TRUE(fGameObject().fGetCurrentPlayer()->fGetPassedTutorial());
    EXPECT_FALSE(board->fIsPaused());
    EXPECT_EQ(board->fGetProcess().fGetCell(2, 2)->mBlocked, 0);
    ASSERT_FALSE(tutorial.fIsRunning());

    // Every full cell filled with a click; the last one wins.
    ASSERT_NO_FATAL_FAILURE(fTimed(
        "solved -> result",
        [&] {
            for (const auto& cell : board->fGetProcess().fGetCells()) {
                if (!cell->fIsFull() || cell->fIsRevealed()) continue;
                fClickAt(cell->fGetPosition());
            }
        },
        GG_WINDOW_NAME::kFINISH));
    fFrames(90);
    fShoot("result");
    auto* finish = dynamic_cast<game::GG_WINDOW_FINISH*>(fWindows().fFindWindow(GG_WINDOW_NAME::kFINISH));
    ASSERT_NE(finish, nullptr);
    EXPECT_EQ(finish->fGetResult().mErrors, 0);
    EXPECT_EQ(finish->fEarnedStars(), 3);
    ASSERT_NE(fGameObject().fGetCurrentLevel(), nullptr);
    EXPECT_EQ(fGameObject().fGetCurrentLevel()->fGetStars(), finish->fEarnedStars())
        << "the level's record holds the stars the result shows";
    const float levelTime = finish->fGetResult().mLevelTime;
    EXPECT_GT(levelTime, 0.0f);

    fTimed(
        "result -> levels", [&] { fClickWidget(GG_WINDOW_NAME::kFINISH, game::GG_WINDOW_FINISH::kBACK); },
        GG_WINDOW_NAME::kLEVELS);
    EXPECT_EQ(levels->fGetLevelPages()->fGetLevelItem(0)->fGetStars(), 3);
    EXPECT_EQ(levels->fGetLevelPages()->fGetLevelItem(1)->fGetState(), game::GG_PAGE_ITEM::kNEWEST);
    fPrintWorstFrame();
    ASSERT_NO_FATAL_FAILURE(fQuit());

    // The second start finds everything again.
    ASSERT_NO_FATAL_FAILURE(fStart());
    game::GG_PLAYER* player = fGameObject().fGetCurrentPlayer();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->fGetName(), L"walker");
    ASSERT_NE(player->fFindLevel(0, 1), nullptr);
    EXPECT_EQ(player->fFindLevel(0, 1)->fGetStars(), 3);
    EXPECT_GT(player->fFindLevel(0, 1)->fGetBestTime(), 0.0f);
    EXPECT_TRUE(player->fFindLevel(0, 2)->fIsOpen());
    EXPECT_TRUE(player->fGetPassedTutorial()) << "the skipped guide stays skipped";
    EXPECT_EQ(
        dynamic_cast<game::GG_WINDOW_TITLE_TOP*>(fWindows().fFindWindow(GG_WINDOW_NAME::kTITLE_TOP))->fGetGreeting(),
        L"Hello, walker!");
    ASSERT_NO_FATAL_FAILURE(fQuit());
}
