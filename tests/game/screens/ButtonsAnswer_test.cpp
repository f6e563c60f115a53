// Buttons of the whole game answer the first click of a player whose
// pointer goes straight to them, through the window's message queue: after
// a check box was unticked, after a question over a menu was answered, and
// on a screen opened for the first time.
#include <gtest/gtest.h>

#include "engine/gui/KC_GUI_CHECKBOX_INTERFACE.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/gGame.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_WINDOW_GAME_MENU.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/GG_WINDOW_OPTIONS.h"
#include "game/screens/GG_WINDOW_PACK_MENU.h"
#include "game/screens/GG_WINDOW_TITLE.h"
#include "game/screens/GG_WINDOW_TROPHY.h"
#include "game/screens/pages/gPages_Shop_Item.h"
#include "game/screens/pages/gPages_Trophy.h"
#include "support/WholeGame.h"

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

class ButtonsAnswer : public testsupport::WholeGame {
protected:
    // The pointer goes straight to the point in one move, as a quick hand
    // or a pointer lifted off a touch pad does, and clicks there.
    ButtonsAnswer() {
        mPictures = false;
        mApproach = testsupport::InputDriver::Approach::kSTRAIGHT;
    }
    void fStartWithPlayer() {
        ASSERT_NO_FATAL_FAILURE(fStart());
        ASSERT_NE(fPlayer(), nullptr) << "the edition starts with its default player";
    }
};

}  // namespace

// Unticking the game cursor and going straight to keep: the window closes
// and the unticked cursor stays.
TEST_F(ButtonsAnswer, KeepAfterUntickingTheGameCursor) {
    ASSERT_NO_FATAL_FAILURE(fStartWithPlayer());
    game::GG_PLAYER& player = *fGameObject().fGetCurrentPlayer();
    player.fSetGameCursor(true);
    fOpenBy([&] { fClickWidget(GG_WINDOW_NAME::kTITLE, game::GG_WINDOW_TITLE::kOPTIONS); }, GG_WINDOW_NAME::kOPTIONS);
    auto* cursor = dynamic_cast<KEL::KC_GUI_CHECKBOX_INTERFACE*>(
        fWindows().fFindWindow(GG_WINDOW_NAME::kOPTIONS)->fGetGui()->fFindChild(game::GG_WINDOW_OPTIONS::kCURSOR));
    ASSERT_NE(cursor, nullptr);
    ASSERT_TRUE(cursor->fIsChecked());
    fClickWidget(GG_WINDOW_NAME::kOPTIONS, game::GG_WINDOW_OPTIONS::kCURSOR);
    ASSERT_FALSE(cursor->fIsChecked());
    fCloseBy([&] { fClickWidget(GG_WINDOW_NAME::kOPTIONS, game::GG_WINDOW_OPTIONS::kKEEP); }, GG_WINDOW_NAME::kOPTIONS);
    EXPECT_FALSE(fGameObject().fGetCurrentPlayer()->fGetGameCursor());

    // Twice more in a row, ticking and unticking on each visit.
    for (int visit = 0; visit < 2; ++visit) {
        fOpenBy([&] { fClickWidget(GG_WINDOW_NAME::kTITLE, game::GG_WINDOW_TITLE::kOPTIONS); },
                GG_WINDOW_NAME::kOPTIONS);
        fClickWidget(GG_WINDOW_NAME::kOPTIONS, game::GG_WINDOW_OPTIONS::kCURSOR);
        fClickWidget(GG_WINDOW_NAME::kOPTIONS, game::GG_WINDOW_OPTIONS::kCURSOR);
        ASSERT_FALSE(cursor->fIsChecked()) << "visit " << visit;
        fCloseBy([&] { fClickWidget(GG_WINDOW_NAME::kOPTIONS, game::GG_WINDOW_OPTIONS::kKEEP); },
                 GG_WINDOW_NAME::kOPTIONS);
        EXPECT_FALSE(fGameObject().fGetCurrentPlayer()->fGetGameCursor());
    }
}

// Leaving a level, answering no, then the menu's options at once: the
// options open over the still paused level.
TEST_F(ButtonsAnswer, MenuOptionsAfterDecliningToLeave) {
    ASSERT_NO_FATAL_FAILURE(fStartWithPlayer());
    game::GG_GAMEPLAY* board = fShowLevel(0, 1);
    ASSERT_NE(board, nullptr);
    ASSERT_NO_FATAL_FAILURE(fPauseLevel());
    const std::string question = game::GG_WINDOW_NAME::kLEAVE_QUESTION;
    for (int round = 0; round < 2; ++round) {
        fOpenBy([&] { fClickWidget(GG_WINDOW_NAME::kGAME_MENU, game::GG_WINDOW_GAME_MENU::kLEAVE); }, question);
        fCloseBy([&] { fClickWidget(question, KEL::G_WINDOW_CONFIRM::kNO); }, question);
        ASSERT_TRUE(fShown(GG_WINDOW_NAME::kGAME_MENU)) << "round " << round;
        fOpenBy([&] { fClickWidget(GG_WINDOW_NAME::kGAME_MENU, game::GG_WINDOW_GAME_MENU::kOPTIONS); },
                GG_WINDOW_NAME::kOPTIONS);
        EXPECT_TRUE(board->fIsPaused());
        fCloseBy([&] { fClickWidget(GG_WINDOW_NAME::kOPTIONS, game::GG_WINDOW_OPTIONS::kCANCEL); },
                 GG_WINDOW_NAME::kOPTIONS);
    }
}

// The gallery opened for the first time turns with the first click on its
// arrow, and with the next one, the pointer resting on the arrow.
TEST_F(ButtonsAnswer, TrophyArrowOnTheFirstVisit) {
    ASSERT_NO_FATAL_FAILURE(fStartWithPlayer());
    fOpenBy([&] { fClickWidget(GG_WINDOW_NAME::kTITLE, game::GG_WINDOW_TITLE::kPLAY); }, GG_WINDOW_NAME::kPACKS);
    fOpenBy([&] { fClickWidget(GG_WINDOW_NAME::kPACKS_MENU, game::GG_WINDOW_PACK_MENU::kTROPHIES); },
            GG_WINDOW_NAME::kTROPHY);
    auto* gallery = dynamic_cast<game::GG_WINDOW_TROPHY*>(fWindows().fFindWindow(GG_WINDOW_NAME::kTROPHY));
    ASSERT_NE(gallery, nullptr);
    ASSERT_GT(gallery->fGetPages()->fGetPageCount(), 2);
    fClickWidget(GG_WINDOW_NAME::kTROPHY, game::GG_WINDOW_TROPHY::kNEXT);
    ASSERT_TRUE(fRunUntil([&] { return !gallery->fGetPages()->fIsTurning(); }));
    EXPECT_EQ(gallery->fGetPages()->fGetCurrentPage(), 1);
    fInput().fClickHere();
    ASSERT_TRUE(fRunUntil([&] { return !gallery->fGetPages()->fIsTurning(); }));
    EXPECT_EQ(gallery->fGetPages()->fGetCurrentPage(), 2);
}

// A card's buy button, refreshed by the purchase it made, takes the next
// click with the pointer still resting on it.
TEST_F(ButtonsAnswer, ABuyButtonBuysAgainWithoutThePointerMoving) {
    ASSERT_NO_FATAL_FAILURE(fStartWithPlayer());
    game::GG_PLAYER& player = *fGameObject().fGetCurrentPlayer();
    player.fGetStatistic().mScore = 5000;
    fOpenBy([&] { fClickWidget(GG_WINDOW_NAME::kTITLE, game::GG_WINDOW_TITLE::kPLAY); }, GG_WINDOW_NAME::kPACKS);
    fOpenBy([&] { fClickWidget(GG_WINDOW_NAME::kPACKS_MENU, game::GG_WINDOW_PACK_MENU::kSHOP); },
            GG_WINDOW_NAME::kSHOP);
    game::gPages_Shop_Item* hints = fShopCard("start_hint");
    ASSERT_NE(hints, nullptr);
    const int32_t before = player.fGetItemCount("start_hint");
    fClickWidget(*hints->fGetGui()->fFindChild(game::gPages_Shop_Item::kBUY));
    EXPECT_EQ(player.fGetItemCount("start_hint"), before + 1);
    fInput().fClickHere();
    EXPECT_EQ(player.fGetItemCount("start_hint"), before + 2);
}
