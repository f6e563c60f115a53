// The options, help, trophy gallery, shop and trophy pop-up inside the
// whole game over the built content, driven with the mouse alone through
// the window's message queue: the volumes and full screen changed and
// undone, the help paged past both ends, the gallery turned, a purchase
// with score made in the shop over a paused level and felt by the level,
// and a trophy won over the paused level announced without resuming it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/audio/KC_SOUND_LIST.h"
#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/gui/KC_GUI_CHECKBOX_INTERFACE.h"
#include "engine/gui/KC_GUI_SIMPLE_SLIDER.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_MAIN.h"
#include "game/profile/GG_PLAYER.h"
#include "game/product/GG_SETTINGS.h"
#include "game/progress/KC_TROPHIES.h"
#include "game/board/GG_CONTROLS.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/board/GG_PAUSE.h"
#include "game/board/GG_TUTORIAL.h"
#include "game/app/gGame.h"
#include "game/screens/GG_WINDOW_GAME_MENU.h"
#include "game/screens/GG_WINDOW_HELP.h"
#include "game/screens/GG_WINDOW_OPTIONS.h"
#include "game/screens/GG_WINDOW_PACK_MENU.h"
#include "game/screens/GG_WINDOW_SHOP.h"
#include "game/screens/GG_WINDOW_TITLE.h"
#include "game/screens/GG_WINDOW_TROPHY.h"
#include "game/screens/GG_WINDOW_TROPHY_GET.h"
#include "game/screens/pages/gPagesShop.h"
#include "game/screens/pages/gPages_Help.h"
#include "game/screens/pages/gPages_Shop_Item.h"
#include "game/screens/pages/gPages_Trophy.h"
#include "host/IWindow.h"
#include "host/recording/RecordingDevice.h"
#include "support/FakeHost.h"

namespace fs = std::filesystem;
using game::gGame;
using Clock = std::chrono::steady_clock;

namespace {

const fs::path kBUILT = fs::path(NONOGRAM_BINARY_DIR) / "Resources";

class SideScreensWalk : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kBUILT / "game.xml")) GTEST_SKIP() << "the default content is not built";
        KEL::KC_FILESYSTEM::fGetInstance();
        fs::copy(kBUILT, fs::current_path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    void TearDown() override {
        if (mGame && KEL::kcGAME == mGame.get()) {
            KEL::KC_CALLBACK::fCall(KEL::kcbAFTER_LOOP);
            KEL::kcGAME = nullptr;
        }
        game::GG_SETTINGS::fGetInstance().fReset();
    }

    void fStart() {
        mGame = std::make_unique<KEL::KC_GAME>();
        mGame->mDeviceFactory = [] { return new host::RecordingDevice; };
        KEL::kcGAME = mGame.get();
        game::fRegisterCallbacks();
        ASSERT_EQ(mGame->fInit(""), 1);
        mGame->mRunning = 1;
        ASSERT_TRUE(fRunUntil([this] { return game::fGetState() == game::kSTATE_RUNNING && fShown("Title"); }));
        ASSERT_NE(fGameObject().fGetCurrentPlayer(), nullptr) << "the edition starts with its default player";
    }
    bool fRunUntil(const std::function<bool()>& done) {
        const Clock::time_point end = Clock::now() + std::chrono::seconds(120);
        while (Clock::now() < end) {
            if (done()) return true;
            if (!mGame->mRunning) return false;
            mGame->fFrame();
            std::this_thread::yield();
        }
        return false;
    }
    void fSend(uint32_t message, uint32_t key = 0, int32_t x = 0, int32_t y = 0) {
        mWindow->fPush(message, key, x, y);
        fRunUntil([this] { return mWindow->mQueue.empty(); });
        mGame->fFrame();
    }
    // The pointer comes from aside, so buttons see it enter.
    void fClickAt(float x, float y) {
        fSend(host::kMsgMouseMove, 0, int32_t(x) + 2, int32_t(y));
        fSend(host::kMsgMouseMove, 0, int32_t(x), int32_t(y));
        fSend(host::kMsgLButtonDown);
        fSend(host::kMsgLButtonUp);
    }
    KEL::KS_VEC2 fWhere(const std::string& window, int32_t id) {
        KEL::G_WINDOW* found = fWindows().fFindOpenWindow(window);
        KEL::KC_GUI_OBJECT* widget = found ? found->fGetGui()->fFindChild(id) : nullptr;
        EXPECT_NE(widget, nullptr) << window << " " << id;
        return widget ? widget->fGetTransform().fGetAbsolute().fGetPos2() : KEL::KS_VEC2{0.0f, 0.0f};
    }
    void fClickWidget(const std::string& window, int32_t id) {
        const KEL::KS_VEC2 at = fWhere(window, id);
        fClickAt(at.x, at.y);
    }
    // Clicks, then waits for the window to come to rest, and as long again
    // for the windows leaving: a window still sliding takes the clicks.
    void fOpenBy(const std::function<void()>& click, const std::string& window) {
        click();
        ASSERT_TRUE(fRunUntil([&] { return fShown(window); })) << window << " never came";
        fWait(0.6f);
    }
    // Frames until that much game time has passed: every logic step adds
    // its frame time.
    void fWait(float seconds) {
        float passed = 0.0f;
        int32_t steps = mGame->mUpdateCount;
        fRunUntil([&] {
            if (mGame->mUpdateCount != steps) {
                passed += KEL::kfFRAME_DELTA;
                steps = mGame->mUpdateCount;
            }
            return passed >= seconds;
        });
    }
    void fCloseBy(const std::function<void()>& click, const std::string& window) {
        click();
        ASSERT_TRUE(fRunUntil([&] { return !fWindows().fIsOpen(window); })) << window << " never left";
        fWait(0.6f);
    }
    bool fShown(const std::string& name) {
        KEL::G_WINDOW* window = fWindows().fFindOpenWindow(name);
        return window && !window->fIsAnimating() && !fWindows().fIsOpen("Fade_Transition");
    }
    bool fEnabled(const std::string& window, int32_t id) {
        auto* button = dynamic_cast<KEL::KC_GUI_BUTTON5*>(fWindows().fFindWindow(window)->fGetGui()->fFindChild(id));
        return button && button->fGetState() != KEL::KC_GUI_BUTTON5::kDISABLED;
    }
    static float fGain(const char* group) {
        KEL::KS_SOUND_GROUP* found = gGame::fGetSound()->fGetGroup(group);
        return found ? found->mGain : -1.0f;
    }
    KEL::G_WINDOW_MANAGER& fWindows() { return *gGame::fGetWindowManager(); }
    gGame& fGameObject() { return *gGame::fGetGame(); }

    testsupport::FakeWindowScope mWindow{1024, 768};
    testsupport::MessageBoxCatcher mBoxes;
    std::unique_ptr<KEL::KC_GAME> mGame;
};

}  // namespace

TEST_F(SideScreensWalk, OptionsHelpTrophiesAndTheShopAroundAPausedLevel) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    game::GG_PLAYER& player = *fGameObject().fGetCurrentPlayer();
    const float music = player.fGetMusicVolume();
    const float musicGain = fGain("music");
    const bool fullscreen = game::GG_SETTINGS::fGetInstance().fIsFullscreen();

    // Options: the music knob dragged to the right end and full screen
    // ticked apply at once; cancel undoes both.
    fOpenBy([&] { fClickWidget("Title", game::GG_WINDOW_TITLE::kOPTIONS); }, "Options");
    const KEL::KS_VEC2 bar = fWhere("Options", game::GG_WINDOW_OPTIONS::kMUSIC);
    auto* slider = dynamic_cast<KEL::KC_GUI_SIMPLE_SLIDER*>(
        fWindows().fFindWindow("Options")->fGetGui()->fFindChild(game::GG_WINDOW_OPTIONS::kMUSIC));
    ASSERT_NE(slider, nullptr);
    const float knob = bar.x - slider->fGetTrack() / 2 + slider->fGetTrack() * slider->fGetValue();
    fSend(host::kMsgMouseMove, 0, int32_t(knob), int32_t(bar.y));
    fSend(host::kMsgLButtonDown);
    for (int x = int32_t(knob); x <= int32_t(bar.x + 300); x += 40) fSend(host::kMsgMouseMove, 0, x, int32_t(bar.y));
    fSend(host::kMsgLButtonUp);
    EXPECT_FLOAT_EQ(player.fGetMusicVolume(), 100.0f);
    EXPECT_NE(fGain("music"), musicGain) << "the music follows the knob";
    fClickWidget("Options", game::GG_WINDOW_OPTIONS::kFULLSCREEN);
    EXPECT_NE(game::GG_SETTINGS::fGetInstance().fIsFullscreen(), fullscreen);
    fCloseBy([&] { fClickWidget("Options", game::GG_WINDOW_OPTIONS::kCANCEL); }, "Options");
    EXPECT_FLOAT_EQ(player.fGetMusicVolume(), music);
    EXPECT_FLOAT_EQ(fGain("music"), musicGain);
    EXPECT_EQ(game::GG_SETTINGS::fGetInstance().fIsFullscreen(), fullscreen);

    // Help from the options, paged past both ends.
    fOpenBy([&] { fClickWidget("Title", game::GG_WINDOW_TITLE::kOPTIONS); }, "Options");
    fOpenBy([&] { fClickWidget("Options", game::GG_WINDOW_OPTIONS::kHELP); }, "Help");
    auto* help = dynamic_cast<game::GG_WINDOW_HELP*>(fWindows().fFindWindow("Help"));
    ASSERT_NE(help, nullptr);
    const int32_t pages = help->fGetPages()->fGetPageCount();
    ASSERT_GT(pages, 1);
    fClickWidget("Help", game::GG_WINDOW_HELP::kPREVIOUS);
    EXPECT_EQ(help->fGetPages()->fGetCurrentPage(), 0);
    for (int32_t i = 0; i < pages + 1; ++i) fClickWidget("Help", game::GG_WINDOW_HELP::kNEXT);
    ASSERT_TRUE(fRunUntil([&] { return !help->fGetPages()->fIsTurning(); }));
    EXPECT_EQ(help->fGetPages()->fGetCurrentPage(), pages - 1);
    EXPECT_FALSE(fEnabled("Help", game::GG_WINDOW_HELP::kNEXT));
    fCloseBy([&] { fClickWidget("Help", game::GG_WINDOW_HELP::kCLOSE); }, "Help");
    fCloseBy([&] { fClickWidget("Options", game::GG_WINDOW_OPTIONS::kKEEP); }, "Options");

    // The trophy gallery from the side menu, turned once.
    ASSERT_TRUE(fRunUntil([&] { return fShown("Title"); }));
    fOpenBy([&] { fClickWidget("Title", game::GG_WINDOW_TITLE::kPLAY); }, "Packs");
    fOpenBy([&] { fClickWidget("Packs_Menu", game::GG_WINDOW_PACK_MENU::kTROPHIES); }, "Trophy");
    auto* gallery = dynamic_cast<game::GG_WINDOW_TROPHY*>(fWindows().fFindWindow("Trophy"));
    ASSERT_NE(gallery, nullptr);
    fClickWidget("Trophy", game::GG_WINDOW_TROPHY::kNEXT);
    ASSERT_TRUE(fRunUntil([&] { return !gallery->fGetPages()->fIsTurning(); }));
    EXPECT_EQ(gallery->fGetPages()->fGetCurrentPage(), 1);
    EXPECT_EQ(gallery->fGetDots()->fGetCurrent(), 1u);

    // The first picture, its guide skipped, paused from its own button.
    fGameObject().fCloseTrophies(false);
    ASSERT_TRUE(fGameObject().fShowLevel(0, 1));
    auto* board = dynamic_cast<game::GG_GAMEPLAY*>(fGameObject().fGetGameplay());
    ASSERT_NE(board, nullptr);
    ASSERT_TRUE(fRunUntil([&] { return board->fIsRunning() && !fWindows().fIsOpen("Fade_Transition"); }));
    game::GG_TUTORIAL& tutorial = fGameObject().fGetTutorial();
    if (tutorial.fIsRunning()) tutorial.fStop();
    const KEL::KS_VEC2 pause =
        board->fGetControls().fGetPause().fGetWidgets().fFindChild(1)->fGetTransform().fGetAbsolute().fGetPos2();
    fOpenBy([&] { fClickAt(pause.x, pause.y); }, "GP_Menu");
    ASSERT_TRUE(board->fIsPaused());

    // The shop over the menu: one more mistake allowed, paid with score,
    // reaches the paused level at once.
    player.fGetStatistic().mScore = 1000;
    fOpenBy([&] { fClickWidget("GP_Menu", game::GG_WINDOW_GAME_MENU::kSHOP); }, "Shop");
    auto* shop = dynamic_cast<game::GG_WINDOW_SHOP*>(fWindows().fFindWindow("Shop"));
    ASSERT_NE(shop, nullptr);
    game::gPages_Shop_Item* errors = nullptr;
    for (int32_t i = 0; i < shop->fGetPages()->fGetItemCount(); ++i) {
        auto* card = dynamic_cast<game::gPages_Shop_Item*>(shop->fGetPages()->fGetItem(i));
        if (card && card->fGetOfferName() == "errors") errors = card;
    }
    ASSERT_NE(errors, nullptr);
    const int32_t limit = board->fGetErrorLimit();
    const int32_t price = errors->fGetPrice();
    const KEL::KS_VEC2 buy = errors->fGetGui()->fFindChild(game::gPages_Shop_Item::kBUY)->fGetTransform()
                                 .fGetAbsolute().fGetPos2();
    fClickAt(buy.x, buy.y);
    EXPECT_EQ(player.fGetStatistic().mScore, 1000 - price);
    EXPECT_EQ(board->fGetErrorLimit(), limit + 1);
    fCloseBy([&] { fClickWidget("Shop", game::GG_WINDOW_SHOP::kCLOSE); }, "Shop");
    EXPECT_TRUE(board->fIsPaused()) << "the menu is still open";

    // A trophy won over the paused level is announced and leaves it paused.
    KEL::KC_TROPHY* trophy = gGame::fGetTrophies()->fGetTrophy(0);
    ASSERT_NE(trophy, nullptr);
    fGameObject().fCheckAllTrophies(trophy);
    ASSERT_TRUE(fRunUntil([&] { return fShown("Trophy_Get"); }));
    fWait(0.6f);
    auto* popup = dynamic_cast<game::GG_WINDOW_TROPHY_GET*>(fWindows().fFindWindow("Trophy_Get"));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->fGetTitle(), gGame::fGetStrings()->fGetString(trophy->fGetName()));
    fCloseBy([&] { fClickWidget("Trophy_Get", game::GG_WINDOW_TROPHY_GET::kCLOSE); }, "Trophy_Get");
    EXPECT_TRUE(board->fIsPaused());

    // Back to the level.
    fCloseBy([&] { fClickWidget("GP_Menu", game::GG_WINDOW_GAME_MENU::kRESUME); }, "GP_Menu");
    EXPECT_FALSE(board->fIsPaused());
}
