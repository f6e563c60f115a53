// The counts a player reads are that player's own on every road: the pack
// cards after a change of player, and the hint button over the guided
// first picture.
#include <gtest/gtest.h>

#include <string>

#include "engine/gui/KC_GUI_CHECKBOX_INTERFACE.h"
#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_EDITBOX.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/gGame.h"
#include "game/board/GG_CONTROLS.h"
#include "game/board/GG_ELEMENT.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/board/GG_HINT_BUTTON.h"
#include "game/board/GG_PROCESS.h"
#include "game/board/GG_TUTORIAL.h"
#include "game/board/GG_TUTORIAL_STEP.h"
#include "game/profile/GG_LEVEL_RECORD.h"
#include "game/profile/GG_PACK_RECORD.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/GG_WINDOW_PACK.h"
#include "game/screens/GG_WINDOW_PACK_MENU.h"
#include "game/screens/GG_WINDOW_PLAYERS.h"
#include "game/screens/GG_WINDOW_TITLE.h"
#include "game/screens/pages/gPackItem.h"
#include "game/screens/pages/gPages_Pack.h"
#include "host/IWindow.h"
#include "support/WholeGame.h"

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

class PlayerCounts : public testsupport::WholeGame {
protected:
    PlayerCounts() {
        mPictures = false;
        mPrefix = "counts";
    }

    game::gPackItem* fCard(int32_t index) {
        auto* packs = dynamic_cast<game::GG_WINDOW_PACK*>(fWindows().fFindWindow(GG_WINDOW_NAME::kPACKS));
        return packs ? packs->fGetPackPages()->fGetPackItem(index) : nullptr;
    }
    std::wstring fCardText(int32_t index, int32_t label) {
        game::gPackItem* card = fCard(index);
        auto* text = card ? dynamic_cast<KEL::KC_GUI_WLABEL*>(card->fGetGui()->fFindChild(label)) : nullptr;
        return text && text->fIsVisible() ? text->fGetText() : L"";
    }
    void fToPacks() {
        ASSERT_NO_FATAL_FAILURE(fTimed(
            "title -> packs", [&] { fClickWidget(GG_WINDOW_NAME::kTITLE, game::GG_WINDOW_TITLE::kPLAY); },
            GG_WINDOW_NAME::kPACKS));
        ASSERT_TRUE(fSettle());
    }
    void fToTitle() {
        fTimed(
            "packs -> title", [&] { fClickWidget(GG_WINDOW_NAME::kPACKS_MENU, game::GG_WINDOW_PACK_MENU::kBACK); },
            GG_WINDOW_NAME::kTITLE);
        ASSERT_TRUE(fSettle());
    }
};

}  // namespace

TEST_F(PlayerCounts, ANewPlayerChosenAfterAnotherSeesOnlyItsOwnPackCounts) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    // The first player has the second pack open with three stars.
    game::GG_PLAYER& first = *fPlayer();
    game::GG_PACK_RECORD* garden = first.fFindPack(1);
    ASSERT_NE(garden, nullptr);
    garden->fUnlock();
    garden->fOpenFirstLevel();
    garden->fFindLevel(1)->fSetStars(3);
    ASSERT_NO_FATAL_FAILURE(fToPacks());
    EXPECT_TRUE(fCard(1)->fIsOpen());
    EXPECT_EQ(fCardText(1, game::gPackItem::kSTARS), L"3/36");
    ASSERT_NO_FATAL_FAILURE(fToTitle());

    // A new player, by the title's players list.
    ASSERT_NO_FATAL_FAILURE(fNamePlayer("newcomer"));
    fTimedClose(
        "players -> title", [&] { fClickWidget(GG_WINDOW_NAME::kPLAYERS, game::GG_WINDOW_PLAYERS::kCHOOSE); },
        GG_WINDOW_NAME::kPLAYERS);
    ASSERT_EQ(fPlayer()->fGetName(), L"newcomer");

    ASSERT_NO_FATAL_FAILURE(fToPacks());
    fShoot("new-player-packs");
    EXPECT_TRUE(fCard(0)->fIsOpen());
    EXPECT_EQ(fCardText(0, game::gPackItem::kSTARS), L"0/36");
    EXPECT_FALSE(fCard(1)->fIsOpen());
    EXPECT_EQ(fCardText(1, game::gPackItem::kSTARS), L"") << "no count of the first player's on a locked card";
    EXPECT_EQ(fCardText(1, game::gPackItem::kNAME), L"Garden and Home");
    ASSERT_NO_FATAL_FAILURE(fQuit());
}

// The guide's hint over the heart, step by step: the first row earns a
// hint (3 + 1, the most held); the second row passes two more fifths of the
// picture while the hands are full; the hint spends one and the cell it
// opens gives the fifth held back. The button shows the board's count,
// which is the player's start hints and this picture's, and the save keeps
// the start hints.
TEST_F(PlayerCounts, TheGuidesHintLeavesTheButtonShowingTheHintsHeld) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    const int32_t start = fPlayer()->fGetItemCount("start_hint");
    ASSERT_NO_FATAL_FAILURE(fOpenPack(0));
    ASSERT_NO_FATAL_FAILURE(fPlayLevel(0));
    game::GG_GAMEPLAY& board = *fBoard();
    const game::GG_HINT_BUTTON& button = board.fGetControls().fGetHint();
    const game::GG_TUTORIAL& guide = fGameObject().fGetTutorial();
    auto cell = [&](int32_t row, int32_t column) { return board.fGetProcess().fGetCell(row, column)->fGetPosition(); };
    auto shown = [&] { return button.fGetCount(); };
    EXPECT_EQ(shown(), start);

    fInput().fDrag(cell(1, 0), cell(1, 4));
    EXPECT_EQ(shown(), start + 1);
    fInput().fMove(cell(0, 0));
    fInput().fSend(host::kMsgRButtonDown);
    fInput().fSend(host::kMsgRButtonUp);
    const auto toolSwitch = [&] {
        return board.fGetControls().fGetSwitch()->fGetTransform().fGetAbsolute().fGetPos2();
    };
    fClickSteady(toolSwitch);
    for (const auto& [row, column] : {std::pair{0, 4}, std::pair{3, 0}, std::pair{3, 4}}) fClickAt(cell(row, column));
    fClickSteady(toolSwitch);
    fInput().fDrag(cell(2, 0), cell(2, 4));
    ASSERT_EQ(guide.fGetCurrentStep()->fGetType(), game::GG_TUTORIAL_STEP::kHINT);
    EXPECT_EQ(shown(), start + 1) << "no more than the most held";

    fClickSteady([&] { return button.fGetButton().fGetTransform()->fGetAbsolute().fGetPos2(); });
    ASSERT_TRUE(fRunUntil([&] { return board.fGetProcess().fGetCell(4, 2)->fIsRevealed() && !board.fIsHintFlying(); }));
    ASSERT_TRUE(fSettle());
    fShoot("after-guided-hint");
    EXPECT_EQ(board.fGetHintsUsed(), 1);
    EXPECT_EQ(board.fGetHintsEarned(), 2);
    EXPECT_EQ(board.fGetHintsAvailable(), start + 2 - 1);
    EXPECT_EQ(shown(), board.fGetHintsAvailable());
    EXPECT_EQ(fPlayer()->fGetItemCount("start_hint"), start) << "hints earned are the picture's own";
    ASSERT_NO_FATAL_FAILURE(fQuit());
}
