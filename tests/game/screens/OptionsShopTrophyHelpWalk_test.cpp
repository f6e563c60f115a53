// The options, help, trophy gallery, shop and trophy pop-up inside the
// whole game over the built content, driven with the mouse alone through
// the window's message queue: the volumes and full screen changed and
// undone, the help paged past both ends, the gallery turned, a purchase
// with score made in the shop over a paused level and felt by the level,
// and a trophy won over the paused level announced without resuming it.
#include <gtest/gtest.h>

#include "engine/audio/KC_SOUND_LIST.h"
#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/gui/KC_GUI_SIMPLE_SLIDER.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/gGame.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/product/GG_SETTINGS.h"
#include "game/profile/GG_PLAYER.h"
#include "game/progress/KC_TROPHIES.h"
#include "game/screens/GG_WINDOW_GAME_MENU.h"
#include "game/screens/GG_WINDOW_HELP.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/GG_WINDOW_OPTIONS.h"
#include "game/screens/GG_WINDOW_PACK_MENU.h"
#include "game/screens/GG_WINDOW_SHOP.h"
#include "game/screens/GG_WINDOW_TITLE.h"
#include "game/screens/GG_WINDOW_TROPHY.h"
#include "game/screens/GG_WINDOW_TROPHY_GET.h"
#include "game/screens/pages/gPages_Help.h"
#include "game/screens/pages/gPages_Shop_Item.h"
#include "game/screens/pages/gPages_Trophy.h"
#include "support/WholeGame.h"

using game::gGame;

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

class OptionsShopTrophyHelpWalk : public testsupport::WholeGame {
protected:
    OptionsShopTrophyHelpWalk() {
        mPictures = false;
        mPrefix = "options";
    }

    bool fEnabled(const std::string& window, int32_t id) {
        auto* button = dynamic_cast<KEL::KC_GUI_BUTTON5*>(fWindows().fFindWindow(window)->fGetGui()->fFindChild(id));
        return button && button->fGetState() != KEL::KC_GUI_BUTTON5::kDISABLED;
    }
    static float fGain(const char* group) {
        KEL::KS_SOUND_GROUP* found = gGame::fGetSound()->fGetGroup(group);
        return found ? found->mGain : -1.0f;
    }
};

}  // namespace

TEST_F(OptionsShopTrophyHelpWalk, OptionsHelpTrophiesAndTheShopAroundAPausedLevel) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    ASSERT_NE(fPlayer(), nullptr) << "the edition starts with its default player";
    game::GG_PLAYER& player = *fGameObject().fGetCurrentPlayer();
    const float music = player.fGetMusicVolume();
    const float musicGain = fGain("music");
    const bool fullscreen = game::GG_SETTINGS::fGetInstance().fIsFullscreen();

    // Options: the music knob dragged to the right end and full screen
    // ticked apply at once; cancel undoes both.
    fOpenBy(
        "title -> options", [&] { fClickWidget(GG_WINDOW_NAME::kTITLE, game::GG_WINDOW_TITLE::kOPTIONS); },
        GG_WINDOW_NAME::kOPTIONS);
    const KEL::KS_VEC2 bar = fWhere(GG_WINDOW_NAME::kOPTIONS, game::GG_WINDOW_OPTIONS::kMUSIC);
    auto* slider = dynamic_cast<KEL::KC_GUI_SIMPLE_SLIDER*>(
        fWindows().fFindWindow(GG_WINDOW_NAME::kOPTIONS)->fGetGui()->fFindChild(game::GG_WINDOW_OPTIONS::kMUSIC));
    ASSERT_NE(slider, nullptr);
    const float knob = bar.x - slider->fGetTrack() / 2 + slider->fGetTrack() * slider->fGetValue();
    fInput().fDrag({knob, bar.y}, {bar.x + 300.0f, bar.y}, 8);
    EXPECT_FLOAT_EQ(player.fGetMusicVolume(), 100.0f);
    EXPECT_NE(fGain("music"), musicGain) << "the music follows the knob";
    fClickWidget(GG_WINDOW_NAME::kOPTIONS, game::GG_WINDOW_OPTIONS::kFULLSCREEN);
    EXPECT_NE(game::GG_SETTINGS::fGetInstance().fIsFullscreen(), fullscreen);
    fCloseBy(
        "options cancelled -> title", [&] { fClickWidget(GG_WINDOW_NAME::kOPTIONS, game::GG_WINDOW_OPTIONS::kCANCEL); },
        GG_WINDOW_NAME::kOPTIONS);
    EXPECT_FLOAT_EQ(player.fGetMusicVolume(), music);
    EXPECT_FLOAT_EQ(fGain("music"), musicGain);
    EXPECT_EQ(game::GG_SETTINGS::fGetInstance().fIsFullscreen(), fullscreen);

    // Help from the options, paged past both ends.
    fOpenBy(
        "title -> options", [&] { fClickWidget(GG_WINDOW_NAME::kTITLE, game::GG_WINDOW_TITLE::kOPTIONS); },
        GG_WINDOW_NAME::kOPTIONS);
    fOpenBy(
        "options -> help", [&] { fClickWidget(GG_WINDOW_NAME::kOPTIONS, game::GG_WINDOW_OPTIONS::kHELP); },
        GG_WINDOW_NAME::kHELP);
    auto* help = dynamic_cast<game::GG_WINDOW_HELP*>(fWindows().fFindWindow(GG_WINDOW_NAME::kHELP));
    ASSERT_NE(help, nullptr);
    const int32_t pages = help->fGetPages()->fGetPageCount();
    ASSERT_GT(pages, 1);
    fClickWidget(GG_WINDOW_NAME::kHELP, game::GG_WINDOW_HELP::kPREVIOUS);
    EXPECT_EQ(help->fGetPages()->fGetCurrentPage(), 0);
    for (int32_t i = 0; i < pages + 1; ++i) fClickWidget(GG_WINDOW_NAME::kHELP, game::GG_WINDOW_HELP::kNEXT);
    ASSERT_TRUE(fRunUntil([&] { return !help->fGetPages()->fIsTurning(); }));
    EXPECT_EQ(help->fGetPages()->fGetCurrentPage(), pages - 1);
    EXPECT_FALSE(fEnabled(GG_WINDOW_NAME::kHELP, game::GG_WINDOW_HELP::kNEXT));
    fCloseBy(
        "help -> options", [&] { fClickWidget(GG_WINDOW_NAME::kHELP, game::GG_WINDOW_HELP::kCLOSE); },
        GG_WINDOW_NAME::kHELP);
    fCloseBy(
        "options kept -> title", [&] { fClickWidget(GG_WINDOW_NAME::kOPTIONS, game::GG_WINDOW_OPTIONS::kKEEP); },
        GG_WINDOW_NAME::kOPTIONS);

    // The trophy gallery from the side menu, turned once.
    ASSERT_TRUE(fRunUntil([&] { return fShown(GG_WINDOW_NAME::kTITLE); }));
    fOpenBy(
        "title -> packs", [&] { fClickWidget(GG_WINDOW_NAME::kTITLE, game::GG_WINDOW_TITLE::kPLAY); },
        GG_WINDOW_NAME::kPACKS);
    fOpenBy(
        "packs -> trophies", [&] { fClickWidget(GG_WINDOW_NAME::kPACKS_MENU, game::GG_WINDOW_PACK_MENU::kTROPHIES); },
        GG_WINDOW_NAME::kTROPHY);
    auto* gallery = dynamic_cast<game::GG_WINDOW_TROPHY*>(fWindows().fFindWindow(GG_WINDOW_NAME::kTROPHY));
    ASSERT_NE(gallery, nullptr);
    fClickWidget(GG_WINDOW_NAME::kTROPHY, game::GG_WINDOW_TROPHY::kNEXT);
    ASSERT_TRUE(fRunUntil([&] { return !gallery->fGetPages()->fIsTurning(); }));
    EXPECT_EQ(gallery->fGetPages()->fGetCurrentPage(), 1);
    EXPECT_EQ(gallery->fGetDots()->fGetCurrent(), 1u);

    // The first picture, its guide skipped, paused from its own button.
    fGameObject().fCloseTrophies(false);
    game::GG_GAMEPLAY* board = fShowLevel(0, 1);
    ASSERT_NE(board, nullptr);
    ASSERT_NO_FATAL_FAILURE(fPauseLevel());

    // The shop over the menu: one more mistake allowed, paid with score,
    // reaches the paused level at once.
    player.fGetStatistic().mScore = 1000;
    fOpenBy(
        "menu -> shop", [&] { fClickWidget(GG_WINDOW_NAME::kGAME_MENU, game::GG_WINDOW_GAME_MENU::kSHOP); },
        GG_WINDOW_NAME::kSHOP);
    game::gPages_Shop_Item* errors = fShopCard("errors");
    ASSERT_NE(errors, nullptr);
    const int32_t limit = board->fGetErrorLimit();
    const int32_t price = errors->fGetPrice();
    fClickWidget(*errors->fGetGui()->fFindChild(game::gPages_Shop_Item::kBUY));
    EXPECT_EQ(player.fGetStatistic().mScore, 1000 - price);
    EXPECT_EQ(board->fGetErrorLimit(), limit + 1);
    fCloseBy(
        "shop -> menu", [&] { fClickWidget(GG_WINDOW_NAME::kSHOP, game::GG_WINDOW_SHOP::kCLOSE); },
        GG_WINDOW_NAME::kSHOP);
    EXPECT_TRUE(board->fIsPaused()) << "the menu is still open";

    // A trophy won over the paused level is announced and leaves it paused.
    KEL::KC_TROPHY* trophy = gGame::fGetTrophies()->fGetTrophy(0);
    ASSERT_NE(trophy, nullptr);
    fGameObject().fCheckAllTrophies(trophy);
    ASSERT_TRUE(fRunUntil([&] { return fShown(GG_WINDOW_NAME::kTROPHY_GET); }));
    fWait(0.6f);
    auto* popup = dynamic_cast<game::GG_WINDOW_TROPHY_GET*>(fWindows().fFindWindow(GG_WINDOW_NAME::kTROPHY_GET));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->fGetTitle(), gGame::fGetStrings()->fGetString(trophy->fGetName()));
    fCloseBy(
        "trophy -> menu", [&] { fClickWidget(GG_WINDOW_NAME::kTROPHY_GET, game::GG_WINDOW_TROPHY_GET::kCLOSE); },
        GG_WINDOW_NAME::kTROPHY_GET);
    EXPECT_TRUE(board->fIsPaused());

    // Back to the level.
    fCloseBy(
        "menu -> picture", [&] { fClickWidget(GG_WINDOW_NAME::kGAME_MENU, game::GG_WINDOW_GAME_MENU::kRESUME); },
        GG_WINDOW_NAME::kGAME_MENU);
    EXPECT_FALSE(board->fIsPaused());
}
