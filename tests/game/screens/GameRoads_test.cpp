// The roads of the whole game a player meets past the first picture, over
// the built content and driven through the window's message queue alone:
// pictures lost by mistakes (questions, restart, the level list), lost with
// no heart left (the shop over the levels), a second chance bought through
// the store, the last picture of a pack won (the next pack opens, a trophy
// pops up once), and every question and panel left again by its own
// control. Each asserts what the player sees and what is saved, and prints
// the time from each click to the next screen at rest.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_EDITBOX.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/gGame.h"
#include "game/board/GG_ELEMENT.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/board/GG_PROCESS.h"
#include "game/profile/GG_PACK_RECORD.h"
#include "game/profile/GG_PLAYER.h"
#include "game/progress/KC_TROPHIES.h"
#include "game/screens/GG_WINDOW_FINISH.h"
#include "game/screens/GG_WINDOW_GAME_MENU.h"
#include "game/screens/GG_WINDOW_HEALTH.h"
#include "game/screens/GG_WINDOW_HELP.h"
#include "game/screens/GG_WINDOW_LEVEL.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/GG_WINDOW_OPTIONS.h"
#include "game/screens/GG_WINDOW_PACK.h"
#include "game/screens/GG_WINDOW_SHOP.h"
#include "game/screens/GG_WINDOW_TITLE.h"
#include "game/screens/GG_WINDOW_TROPHY_GET.h"
#include "game/screens/pages/gLevel_Item.h"
#include "game/screens/pages/gPackItem.h"
#include "game/screens/pages/gPagesShop.h"
#include "game/screens/pages/gPages_Level.h"
#include "game/screens/pages/gPages_Pack.h"
#include "game/screens/pages/gPages_Shop_Item.h"
#include "support/WholeGame.h"

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

using Confirm = KEL::G_WINDOW_CONFIRM;
constexpr const char* kCHANCE = game::GG_WINDOW_NAME::kSECOND_CHANCE_QUESTION;
constexpr const char* kCHANCE_BUY = game::GG_WINDOW_NAME::kSECOND_CHANCE_BUY_QUESTION;
constexpr const char* kNO_HEALTH = game::GG_WINDOW_NAME::kRESTART_NO_HEALTH_QUESTION;

class GameRoads : public testsupport::WholeGame {
protected:
    // The default player, past the tutorial so the board takes every cell.
    game::GG_PLAYER& fPlayerPastTutorial() {
        game::GG_PLAYER* player = fPlayer();
        EXPECT_NE(player, nullptr) << "the edition starts with its default player";
        player->fSetPassedTutorial(true);
        return *player;
    }

    // Title, packs, the pack's levels and the level, all by clicks.
    void fOpenLevel(int32_t packIndex, int32_t levelIndex) {
        if (!fShown(GG_WINDOW_NAME::kLEVELS)) {
            ASSERT_NO_FATAL_FAILURE(fOpenPack(packIndex));
        }
        ASSERT_NO_FATAL_FAILURE(fPlayLevel(levelIndex));
    }
    // A player's answer: the control clicked once; a question left standing
    // after it is a click the game did not hear.
    void fAnswer(const std::string& window, int32_t id) {
        fClickWidget(window, id);
        fFrames(3);
        const KEL::G_WINDOW* still = fWindows().fFindOpenWindow(window);
        EXPECT_TRUE(!still || still->fIsAnimating() || still->fIsHidden()) << window << " did not hear " << id;
    }
    game::GG_WINDOW_LEVEL* fLevels() {
        return dynamic_cast<game::GG_WINDOW_LEVEL*>(fWindows().fFindWindow(GG_WINDOW_NAME::kLEVELS));
    }

    // Cells of the picture by what they hold.
    std::vector<game::GG_ELEMENT*> fCells(bool full, bool revealed) {
        std::vector<game::GG_ELEMENT*> cells;
        for (const auto& cell : fBoard()->fGetProcess().fGetCells())
            if (cell->fIsFull() == full && cell->fIsRevealed() == revealed && !cell->mBlocked)
                cells.push_back(cell.get());
        return cells;
    }
    // Fills empty cells until the picture is lost, the last click timed to
    // the question.
    void fLoseByMistakes(const std::string& change, const std::string& question) {
        std::vector<game::GG_ELEMENT*> empty = fCells(false, false);
        const int32_t left = fBoard()->fGetErrorLimit() - fBoard()->fGetErrors();
        ASSERT_GT(left, 0) << "the picture is already lost";
        ASSERT_GE(static_cast<int32_t>(empty.size()), left);
        for (int32_t i = 0; i + 1 < left; ++i) fClickAt(empty[i]->fGetPosition());
        const KEL::KS_VEC2 last = empty[left - 1]->fGetPosition();
        fTimed(
            change, [&] { fClickAt(last); }, question);
    }
    // Every run of full cells in a row filled with one drag.
    void fSolve() {
        const game::GG_PROCESS& process = fBoard()->fGetProcess();
        for (int32_t row = 0; process.fGetCell(row, 0); ++row) {
            for (int32_t column = 0; process.fGetCell(row, column);) {
                auto wanted = [&](int32_t c) {
                    const game::GG_ELEMENT* cell = process.fGetCell(row, c);
                    return cell && cell->fIsFull() && !cell->fIsRevealed();
                };
                if (!wanted(column)) {
                    ++column;
                    continue;
                }
                int32_t end = column;
                while (wanted(end + 1)) ++end;
                if (fBoard()->fIsEndHandled()) return;
                fInput().fDrag(process.fGetCell(row, column)->fGetPosition(),
                               process.fGetCell(row, end)->fGetPosition());
                column = end + 1;
            }
        }
    }
    std::wstring fMessage(const std::string& question) {
        auto* window = dynamic_cast<Confirm*>(fWindows().fFindWindow(question));
        return window && window->fGetMessageLabel() ? window->fGetMessageLabel()->fGetText() : L"";
    }
    std::wstring fHeartsShown() {
        KEL::G_WINDOW* hearts = fWindows().fFindOpenWindow(GG_WINDOW_NAME::kHEART);
        auto* label = hearts ? dynamic_cast<KEL::KC_GUI_WLABEL*>(
                                   hearts->fGetGui()->fFindChild(game::GG_WINDOW_HEALTH::kCOUNT))
                             : nullptr;
        return label ? label->fGetText() : L"";
    }
    // Nothing modal may be left that nothing closes.
    void fExpectNoModal(const std::string& where) {
        EXPECT_TRUE(fSettle()) << where;
        EXPECT_EQ(fOpenModals(), std::vector<std::string>{}) << where;
    }
};

}  // namespace

TEST_F(GameRoads, APictureLostByMistakesAsksThenRestartsThenLeavesForTheLevels) {
    mPrefix = "lost";
    ASSERT_NO_FATAL_FAILURE(fStart());
    game::GG_PLAYER& player = fPlayerPastTutorial();
    const int32_t hearts = player.fGetHealth().fGetCount();
    ASSERT_NO_FATAL_FAILURE(fOpenLevel(0, 0));
    game::GG_GAMEPLAY* board = fBoard();

    // The third mistake ends the picture: a heart is spent and the
    // question comes over the paused board.
    ASSERT_NO_FATAL_FAILURE(fLoseByMistakes("third mistake -> question", kCHANCE));
    EXPECT_TRUE(board->fIsEnded());
    EXPECT_TRUE(board->fIsPaused());
    EXPECT_EQ(player.fGetHealth().fGetCount(), hearts - 1);
    EXPECT_EQ(player.fGetStatistic().mBadLevel, 1);
    EXPECT_EQ(fMessage(kCHANCE), L"Start this picture again,\nor carry on where you stopped?");

    // Carrying on is offered at the shop's price; declined, the question
    // comes back.
    fTimed(
        "question -> second chance offer", [&] { fClickWidget(kCHANCE, Confirm::kNO); }, kCHANCE_BUY);
    EXPECT_EQ(fMessage(kCHANCE_BUY), L"Carry on where you stopped?\nA second chance costs 250.");
    fTimed(
        "offer declined -> question", [&] { fClickWidget(kCHANCE_BUY, Confirm::kNO); }, kCHANCE);
    EXPECT_FALSE(fWindows().fIsOpen(kCHANCE_BUY));

    // Restart: a clean board that takes clicks, the hearts as they were.
    fTimedClose(
        "question -> restarted", [&] { fClickWidget(kCHANCE, Confirm::kYES); }, kCHANCE);
    EXPECT_TRUE(board->fIsRunning());
    EXPECT_FALSE(board->fIsPaused());
    EXPECT_FALSE(board->fIsEnded());
    EXPECT_EQ(board->fGetErrors(), 0);
    EXPECT_TRUE(fCells(false, true).empty()) << "a new board";
    EXPECT_EQ(player.fGetHealth().fGetCount(), hearts - 1) << "the restart after a loss is paid by the loss";
    fExpectNoModal("after the restart");
    const KEL::KS_VEC2 full = fCells(true, false).front()->fGetPosition();
    fClickAt(full);
    EXPECT_EQ(fCells(true, true).size(), 1u);

    // Lost again and left: the curtain lifts off the level list.
    ASSERT_NO_FATAL_FAILURE(fLoseByMistakes("mistakes again -> question", kCHANCE));
    EXPECT_EQ(player.fGetHealth().fGetCount(), hearts - 2);
    fTimed(
        "question -> levels", [&] { fClickWidget(kCHANCE, Confirm::kCLOSE); }, GG_WINDOW_NAME::kLEVELS);
    EXPECT_FALSE(board->fIsRunning());
    EXPECT_FALSE(fWindows().fIsOpen(GG_WINDOW_NAME::kFADE));
    fExpectNoModal("on the level list");
    EXPECT_EQ(fHeartsShown(), std::to_wstring(hearts - 2));

    // The level list answers clicks: the picture starts again.
    ASSERT_NO_FATAL_FAILURE(fPlayLevel(0));
    EXPECT_EQ(board->fGetErrors(), 0);
    fPrintWorstFrame();

    // What was saved: two losses and two hearts spent.
    ASSERT_NO_FATAL_FAILURE(fRestart());
    ASSERT_NE(fPlayer(), nullptr);
    EXPECT_EQ(fPlayer()->fGetStatistic().mBadLevel, 2);
    EXPECT_EQ(fPlayer()->fGetStatistic().mBadLevelMax, 2);
    EXPECT_EQ(fPlayer()->fGetHealth().fGetCount(), hearts - 2);
    ASSERT_NO_FATAL_FAILURE(fQuit());
}

TEST_F(GameRoads, APictureLostWithTheLastHeartOpensTheShopWhereHeartsAreBoughtWithScore) {
    mPrefix = "noheart";
    ASSERT_NO_FATAL_FAILURE(fStart());
    game::GG_PLAYER& player = fPlayerPastTutorial();
    player.fGetHealth().fClearQueue();
    player.fGetHealth().fSetCount(1);
    player.fGetStatistic().mScore = 1000;
    ASSERT_NO_FATAL_FAILURE(fOpenLevel(0, 0));

    ASSERT_NO_FATAL_FAILURE(fLoseByMistakes("last mistake -> question", kCHANCE));
    EXPECT_EQ(player.fGetHealth().fGetCount(), 0);
    fTimed(
        "restart without hearts -> no hearts", [&] { fClickWidget(kCHANCE, Confirm::kYES); }, kNO_HEALTH);
    EXPECT_EQ(fMessage(kNO_HEALTH), L"No hearts left.\nVisit the shop?");
    EXPECT_FALSE(fWindows().fIsOpen(kCHANCE));

    // Yes: the shop over the level list, the picture left.
    fTimed(
        "no hearts -> shop", [&] { fClickWidget(kNO_HEALTH, Confirm::kYES); }, GG_WINDOW_NAME::kSHOP);
    EXPECT_TRUE(fShown(GG_WINDOW_NAME::kLEVELS));
    EXPECT_FALSE(fBoard()->fIsRunning());
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(fOpenModals(), std::vector<std::string>{GG_WINDOW_NAME::kSHOP});
    EXPECT_EQ(fHeartsShown(), L"0");

    // A heart refill paid with score fills the hearts, and they show it.
    game::gPages_Shop_Item* refill = fShopCard("refill_health");
    ASSERT_NE(refill, nullptr);
    const int32_t price = refill->fGetPrice();
    fClickWidget(*refill->fGetGui()->fFindChild(game::gPages_Shop_Item::kBUY));
    const int32_t max = player.fGetItemCount("health");
    EXPECT_EQ(player.fGetHealth().fGetCount(), max);
    EXPECT_EQ(player.fGetStatistic().mScore, 1000 - price);
    fTimedClose(
        "shop -> levels", [&] { fClickWidget(GG_WINDOW_NAME::kSHOP, game::GG_WINDOW_SHOP::kCLOSE); },
        GG_WINDOW_NAME::kSHOP);
    ASSERT_TRUE(fRunUntil([&] { return fHeartsShown() == std::to_wstring(max); })) << "the hearts never showed it";
    fExpectNoModal("back on the level list");
    ASSERT_NO_FATAL_FAILURE(fPlayLevel(0));
    fPrintWorstFrame();

    ASSERT_NO_FATAL_FAILURE(fRestart());
    EXPECT_EQ(fPlayer()->fGetHealth().fGetCount(), max);
    EXPECT_EQ(fPlayer()->fGetStatistic().mScore, 1000 - price);
    ASSERT_NO_FATAL_FAILURE(fQuit());
}

TEST_F(GameRoads, ASecondChanceBoughtInTheStoreGoesOnWhereThePictureStopped) {
    mPrefix = "chance";
    ASSERT_NO_FATAL_FAILURE(fUseEdition("pc_inapp"));
    ASSERT_NO_FATAL_FAILURE(fStart());
    game::GG_PLAYER& player = fPlayerPastTutorial();
    const int32_t hearts = player.fGetHealth().fGetCount();
    ASSERT_NO_FATAL_FAILURE(fOpenLevel(0, 0));
    game::GG_GAMEPLAY* board = fBoard();
    const KEL::KS_VEC2 right = fCells(true, false).front()->fGetPosition();
    fClickAt(right);

    ASSERT_NO_FATAL_FAILURE(fLoseByMistakes("last mistake -> question", kCHANCE));
    fTimed(
        "question -> second chance offer", [&] { fClickWidget(kCHANCE, Confirm::kNO); }, kCHANCE_BUY);
    EXPECT_EQ(fMessage(kCHANCE_BUY), L"Carry on where you stopped?\nA second chance costs 250.");
    fTimedClose(
        "bought -> picture goes on", [&] { fClickWidget(kCHANCE_BUY, Confirm::kYES); }, kCHANCE_BUY);
    ASSERT_TRUE(fSettle());

    // The same board, its mistakes forgiven, taking clicks again; the
    // heart of the loss is given back.
    EXPECT_TRUE(board->fIsRunning());
    EXPECT_FALSE(board->fIsEnded());
    EXPECT_FALSE(board->fIsPaused());
    EXPECT_EQ(board->fGetErrors(), 0);
    EXPECT_EQ(fCells(true, true).size(), 1u) << "the cell filled before the loss";
    EXPECT_EQ(fCells(false, true).size(), static_cast<size_t>(board->fGetErrorLimit()));
    EXPECT_EQ(player.fGetHealth().fGetCount(), hearts);
    EXPECT_FALSE(fWindows().fIsOpen(kCHANCE));
    // The store's thanks is the one window left, closed by its own button.
    ASSERT_TRUE(fSettle());
    ASSERT_TRUE(fWindows().fIsOpen(GG_WINDOW_NAME::kPURCHASE_SUCCESS));
    const size_t filledBefore = fCells(true, true).size(), crossedBefore = fCells(false, true).size();
    fTimedClose(
        "thanks -> picture", [&] { fClickWidget(GG_WINDOW_NAME::kPURCHASE_SUCCESS, Confirm::kYES); },
        GG_WINDOW_NAME::kPURCHASE_SUCCESS);
    fExpectNoModal("after the purchase");
    EXPECT_EQ(fCells(true, true).size(), filledBefore) << "the thanks' button let its press through to a cell";
    EXPECT_EQ(fCells(false, true).size(), crossedBefore) << "the thanks' button let its press through to a cell";
    const size_t filled = fCells(true, true).size();
    const KEL::KS_VEC2 next = fCells(true, false).front()->fGetPosition();
    fClickAt(next);
    EXPECT_EQ(fCells(true, true).size(), filled + 1) << "the board takes clicks again";
    fPrintWorstFrame();
    ASSERT_NO_FATAL_FAILURE(fQuit());
}

// The shipped edition has no in-app store: the offer is paid with the
// score, as the shop is, and a score short of the price buys nothing and
// says so before the question comes back.
TEST_F(GameRoads, WithoutTheStoreASecondChanceIsPaidWithTheScore) {
    mPrefix = "score";
    ASSERT_NO_FATAL_FAILURE(fStart());
    game::GG_PLAYER& player = fPlayerPastTutorial();
    const int32_t hearts = player.fGetHealth().fGetCount();
    player.fGetStatistic().mScore = 249;
    ASSERT_NO_FATAL_FAILURE(fOpenLevel(0, 0));
    game::GG_GAMEPLAY* board = fBoard();

    ASSERT_NO_FATAL_FAILURE(fLoseByMistakes("last mistake -> question", kCHANCE));
    fTimed(
        "question -> second chance offer", [&] { fAnswer(kCHANCE, Confirm::kNO); }, kCHANCE_BUY);
    EXPECT_EQ(fMessage(kCHANCE_BUY), L"Carry on where you stopped?\nA second chance costs 250.");
    fTimed(
        "too poor -> told so", [&] { fAnswer(kCHANCE_BUY, Confirm::kYES); }, GG_WINDOW_NAME::kNO_MONEY);
    EXPECT_EQ(fMessage(GG_WINDOW_NAME::kNO_MONEY), L"You do not have enough points yet");
    EXPECT_FALSE(fWindows().fIsOpen(kCHANCE)) << "in words first, then the question";
    fTimed(
        "told -> question again", [&] { fAnswer(GG_WINDOW_NAME::kNO_MONEY, Confirm::kYES); }, kCHANCE);
    EXPECT_EQ(player.fGetStatistic().mScore, 249);
    EXPECT_TRUE(board->fIsEnded());

    player.fGetStatistic().mScore = 1000;
    fTimed(
        "question -> second chance offer", [&] { fAnswer(kCHANCE, Confirm::kNO); }, kCHANCE_BUY);
    fTimedClose(
        "bought -> picture goes on", [&] { fAnswer(kCHANCE_BUY, Confirm::kYES); }, kCHANCE_BUY);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(player.fGetStatistic().mScore, 750);
    EXPECT_EQ(player.fGetHealth().fGetCount(), hearts);
    EXPECT_TRUE(board->fIsRunning());
    EXPECT_FALSE(board->fIsEnded());
    EXPECT_FALSE(board->fIsPaused());
    EXPECT_EQ(board->fGetErrors(), 0);
    fExpectNoModal("after the second chance");
    const size_t filled = fCells(true, true).size();
    const KEL::KS_VEC2 next = fCells(true, false).front()->fGetPosition();
    fClickAt(next);
    EXPECT_EQ(fCells(true, true).size(), filled + 1) << "the board takes clicks again";

    // A click on the drop target with no drag to cancel says what it is
    // for, then goes by itself; the board plays on under it.
    const KEL::KS_VEC2 target =
        board->fGetControls().fGetReset().fGetSprite().fGetTransform()->fGetAbsolute().fGetPos2();
    fClickAt(target);
    ASSERT_TRUE(fRunUntil([&] { return fWindows().fIsOpen(game::GG_WINDOW_NAME::kRESET_FEEDBACK); }));
    fShoot("reset-feedback");
    ASSERT_TRUE(fRunUntil([&] { return !fWindows().fIsOpen(game::GG_WINDOW_NAME::kRESET_FEEDBACK); }));
    EXPECT_FALSE(board->fIsPaused());
    EXPECT_EQ(fCells(true, true).size(), filled + 1) << "the target filled nothing";
    ASSERT_NO_FATAL_FAILURE(fQuit());
}

TEST_F(GameRoads, TheLastPictureOfAPackWonOpensTheNextPackAndItsTrophyPopsUpOnce) {
    mPrefix = "packwon";
    ASSERT_NO_FATAL_FAILURE(fStart());
    game::GG_PLAYER& player = fPlayerPastTutorial();
    // Eleven pictures solved with 17 stars; the twelfth, solved cleanly,
    // brings the 20 the second pack asks for.
    game::GG_PACK_RECORD* first = player.fFindPack(0);
    ASSERT_NE(first, nullptr);
    for (int32_t id = 1; id <= 12; ++id) {
        first->fFindLevel(id)->fSetLock(0);
        if (id < 12) first->fFindLevel(id)->fSetStars(id <= 6 ? 2 : 1);
    }
    ASSERT_EQ(player.fGetTotalStars(), 17);
    ASSERT_FALSE(player.fFindLevel(1, 1)->fIsOpen());
    ASSERT_NO_FATAL_FAILURE(fOpenLevel(0, 11));
    ASSERT_TRUE(first->fIsLastLevel(fGameObject().fGetCurrentLevel()));

    // Every trophy is announced once, one after the other, each closed by
    // its own button; the result waits behind them. Timed from the last
    // drag, the trophies' clicks within.
    std::map<std::wstring, int> announced;
    ASSERT_NO_FATAL_FAILURE(fTimed(
        "solved -> trophies -> result", [&] { fSolve(); },
        [&] {
            if (fShown(GG_WINDOW_NAME::kTROPHY_GET)) {
                auto* popup = dynamic_cast<game::GG_WINDOW_TROPHY_GET*>(
                    fWindows().fFindWindow(GG_WINDOW_NAME::kTROPHY_GET));
                ++announced[popup->fGetTitle()];
                fClickWidget(GG_WINDOW_NAME::kTROPHY_GET, game::GG_WINDOW_TROPHY_GET::kCLOSE);
                fRunUntil([&] { return !fWindows().fIsOpen(GG_WINDOW_NAME::kTROPHY_GET); });
                return false;
            }
            return fShown(GG_WINDOW_NAME::kFINISH) && !fWindows().fIsOpen(GG_WINDOW_NAME::kTROPHY_GET) &&
                   fGameObject().fGetQueuedTrophies() == 0;
        }));
    const std::wstring packTrophy = game::gGame::fGetStrings()->fGetString("tr_pack_1");
    EXPECT_EQ(announced[packTrophy], 1) << "the first pack's trophy";
    for (const auto& [title, count] : announced) EXPECT_EQ(count, 1) << "announced twice";
    EXPECT_EQ(first->fFindLevel(12)->fGetStars(), 3);
    EXPECT_EQ(player.fGetTotalStars(), 20);
    EXPECT_TRUE(player.fFindLevel(1, 1)->fIsOpen()) << "the second pack opens with the stars it asks for";
    EXPECT_FALSE(player.fFindLevel(2, 1)->fIsOpen());

    // Next, past the last picture: the packs, where the second one is open
    // and leads to its first picture.
    fTimed(
        "result next -> packs", [&] { fClickWidget(GG_WINDOW_NAME::kFINISH, game::GG_WINDOW_FINISH::kNEXT); },
        GG_WINDOW_NAME::kPACKS);
    fExpectNoModal("on the packs");
    auto* packs = dynamic_cast<game::GG_WINDOW_PACK*>(fWindows().fFindWindow(GG_WINDOW_NAME::kPACKS));
    ASSERT_NE(packs, nullptr);
    EXPECT_TRUE(packs->fGetPackPages()->fGetPackItem(1)->fIsOpen());
    const KEL::KC_GUI_OBJECT& second = packs->fGetPackPages()->fGetPackItem(1)->fGetGui()->fGetRootWidget();
    fTimed(
        "packs -> second pack", [&] { fClickWidget(second); }, GG_WINDOW_NAME::kLEVELS);
    EXPECT_EQ(fLevels()->fGetLevelPages()->fGetLevelItem(0)->fGetState(), game::GG_PAGE_ITEM::kNEWEST);
    fPrintWorstFrame();

    // Saved: the stars and the open pack, and no trophy comes again.
    ASSERT_NO_FATAL_FAILURE(fRestart());
    EXPECT_EQ(fPlayer()->fGetTotalStars(), 20);
    EXPECT_TRUE(fPlayer()->fFindLevel(1, 1)->fIsOpen());
    fFrames(30);
    EXPECT_FALSE(fWindows().fIsOpen(GG_WINDOW_NAME::kTROPHY_GET));
    ASSERT_NO_FATAL_FAILURE(fQuit());
}

// Each window the game opens by name, opened over the title (through the
// window that leads to it, where that window wires its controls) and left
// by its own control, leaves nothing modal behind.
TEST_F(GameRoads, EveryNamedWindowOpensAndIsLeftByItsOwnControl) {
    mPrefix = "windows";
    struct KS_ROW {
        const char* name;
        int32_t control;
        const char* via = nullptr;  // opened by a control of this window
        int32_t opener = 0;
        int32_t viaClose = 0;
    };
    const KS_ROW rows[] = {
        {GG_WINDOW_NAME::kEXIT_QUESTION, Confirm::kNO},
        {GG_WINDOW_NAME::kPACK_BUY, Confirm::kNO},
        {GG_WINDOW_NAME::kLEAVE_QUESTION, Confirm::kNO},
        {GG_WINDOW_NAME::kNO_HEALTH, Confirm::kNO},
        {GG_WINDOW_NAME::kNO_MONEY, Confirm::kYES},
        {GG_WINDOW_NAME::kPACK_LOCKED, Confirm::kYES},
        {GG_WINDOW_NAME::kPACK_NEED_BUY, Confirm::kNO},
        {GG_WINDOW_NAME::kRESTART_QUESTION, Confirm::kNO},
        {GG_WINDOW_NAME::kRESTART_IN_FINISH_QUESTION, Confirm::kNO},
        {GG_WINDOW_NAME::kSKIP_TUTORIAL_QUESTION, Confirm::kNO},
        {GG_WINDOW_NAME::kSECOND_CHANCE_QUESTION, Confirm::kCLOSE},
        {GG_WINDOW_NAME::kSECOND_CHANCE_BUY_QUESTION, Confirm::kNO},
        {GG_WINDOW_NAME::kRESTART_NO_HEALTH_QUESTION, Confirm::kNO},
        {GG_WINDOW_NAME::kRESTART_FINISH_QUESTION, Confirm::kCLOSE},
        {GG_WINDOW_NAME::kPLAYER_DELETE_QUESTION, Confirm::kNO},
        {GG_WINDOW_NAME::kPLAYER_NAME, KEL::G_WINDOW_EDITBOX::kCANCEL},
        {GG_WINDOW_NAME::kOPTIONS, game::GG_WINDOW_OPTIONS::kCANCEL},
        {GG_WINDOW_NAME::kHELP, game::GG_WINDOW_HELP::kCLOSE},
        {GG_WINDOW_NAME::kCREDITS, game::GG_WINDOW_OPTIONS::kCREDITS_CLOSE, GG_WINDOW_NAME::kOPTIONS,
         game::GG_WINDOW_OPTIONS::kCREDITS, game::GG_WINDOW_OPTIONS::kCANCEL},
        {GG_WINDOW_NAME::kSHOP, game::GG_WINDOW_SHOP::kCLOSE},
        {GG_WINDOW_NAME::kTROPHY_GET, game::GG_WINDOW_TROPHY_GET::kCLOSE},
        {GG_WINDOW_NAME::kGAME_MENU, game::GG_WINDOW_GAME_MENU::kRESUME},
    };
    ASSERT_NO_FATAL_FAILURE(fStart());
    for (const KS_ROW& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(fWindows().fFindWindow(row.name), nullptr) << "missing from the default content";
        // The pop-up is only ever opened with a trophy in it.
        if (auto* popup = dynamic_cast<game::GG_WINDOW_TROPHY_GET*>(fWindows().fFindWindow(row.name)))
            popup->fShow(game::gGame::fGetTrophies()->fGetTrophy(0));
        if (row.via) {
            fTimed(
                std::string("title -> ") + row.via, [&] { fWindows().fShowWindow(row.via); }, row.via);
            fTimed(
                std::string(row.via) + " -> " + row.name, [&] { fClickWidget(row.via, row.opener); }, row.name);
        } else {
            fTimed(
                std::string("title -> ") + row.name, [&] { fWindows().fShowWindow(row.name); }, row.name);
        }
        fTimedClose(
            std::string(row.name) + " -> back", [&] { fClickWidget(row.name, row.control); }, row.name);
        if (row.via) {
            fTimedClose(
                std::string(row.via) + " -> title", [&] { fClickWidget(row.via, row.viaClose); }, row.via);
        }
        ASSERT_TRUE(fSettle());
        fExpectNoModal(row.name);
        EXPECT_TRUE(fShown(GG_WINDOW_NAME::kTITLE));
    }
    fPrintWorstFrame();
    ASSERT_NO_FATAL_FAILURE(fQuit());
}
