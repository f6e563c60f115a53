// Buttons of the whole game answer the first click of a player whose
// pointer goes straight to them, through the window's message queue: after
// a check box was unticked, after a question over a menu was answered, and
// on a screen opened for the first time.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/gui/KC_GUI_CHECKBOX_INTERFACE.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_MAIN.h"
#include "game/app/gGame.h"
#include "game/board/GG_CONTROLS.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/board/GG_PAUSE.h"
#include "game/board/GG_TUTORIAL.h"
#include "game/product/GG_SETTINGS.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_WINDOW_GAME_MENU.h"
#include "game/screens/GG_WINDOW_OPTIONS.h"
#include "game/screens/GG_WINDOW_PACK_MENU.h"
#include "game/screens/GG_WINDOW_SHOP.h"
#include "game/screens/GG_WINDOW_TITLE.h"
#include "game/screens/GG_WINDOW_TROPHY.h"
#include "game/screens/pages/gPagesShop.h"
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

class ButtonsAnswer : public ::testing::Test {
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
        // A bound against a hang only.
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
    // The pointer goes straight to the point in one move, as a quick hand
    // or a pointer lifted off a touch pad does, and clicks there.
    void fClickAt(const KEL::KS_VEC2& at) {
        fSend(host::kMsgMouseMove, 0, int32_t(at.x), int32_t(at.y));
        fSend(host::kMsgLButtonDown);
        fSend(host::kMsgLButtonUp);
    }
    // Only the click, the pointer already resting there.
    void fClickHere() {
        fSend(host::kMsgLButtonDown);
        fSend(host::kMsgLButtonUp);
    }
    KEL::KS_VEC2 fWhere(const std::string& window, int32_t id) {
        KEL::G_WINDOW* found = fWindows().fFindOpenWindow(window);
        KEL::KC_GUI_OBJECT* widget = found ? found->fGetGui()->fFindChild(id) : nullptr;
        EXPECT_NE(widget, nullptr) << window << " " << id;
        return widget ? widget->fGetTransform().fGetAbsolute().fGetPos2() : KEL::KS_VEC2{0.0f, 0.0f};
    }
    void fClickWidget(const std::string& window, int32_t id) { fClickAt(fWhere(window, id)); }
    // Waits for the window to rest, and for the game time of a window
    // leaving behind it.
    void fOpenBy(const std::function<void()>& click, const std::string& window) {
        click();
        ASSERT_TRUE(fRunUntil([&] { return fShown(window); })) << window << " never came";
        fWait(0.6f);
    }
    void fCloseBy(const std::function<void()>& click, const std::string& window) {
        click();
        ASSERT_TRUE(fRunUntil([&] { return !fWindows().fIsOpen(window); })) << window << " never left";
        fWait(0.6f);
    }
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
    bool fShown(const std::string& name) {
        KEL::G_WINDOW* window = fWindows().fFindOpenWindow(name);
        return window && !window->fIsAnimating() && !fWindows().fIsOpen("Fade_Transition");
    }
    KEL::G_WINDOW_MANAGER& fWindows() { return *gGame::fGetWindowManager(); }
    gGame& fGameObject() { return *gGame::fGetGame(); }

    testsupport::FakeWindowScope mWindow{1024, 768};
    testsupport::MessageBoxCatcher mBoxes;
    std::unique_ptr<KEL::KC_GAME> mGame;
};

}  // namespace

// Unticking the game cursor and going straight to keep: the window closes
// and the unticked cursor stays.
TEST_F(ButtonsAnswer, KeepAfterUntickingTheGameCursor) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    game::GG_PLAYER& player = *fGameObject().fGetCurrentPlayer();
    player.fSetGameCursor(true);
    fOpenBy([&] { fClickWidget("Title", game::GG_WINDOW_TITLE::kOPTIONS); }, "Options");
    auto* cursor = dynamic_cast<KEL::KC_GUI_CHECKBOX_INTERFACE*>(
        fWindows().fFindWindow("Options")->fGetGui()->fFindChild(game::GG_WINDOW_OPTIONS::kCURSOR));
    ASSERT_NE(cursor, nullptr);
    ASSERT_TRUE(cursor->fIsChecked());
    fClickWidget("Options", game::GG_WINDOW_OPTIONS::kCURSOR);
    ASSERT_FALSE(cursor->fIsChecked());
    fCloseBy([&] { fClickWidget("Options", game::GG_WINDOW_OPTIONS::kKEEP); }, "Options");
    EXPECT_FALSE(fGameObject().fGetCurrentPlayer()->fGetGameCursor());

    // Twice more in a row, ticking and unticking on each visit.
    for (int visit = 0; visit < 2; ++visit) {
        fOpenBy([&] { fClickWidget("Title", game::GG_WINDOW_TITLE::kOPTIONS); }, "Options");
        fClickWidget("Options", game::GG_WINDOW_OPTIONS::kCURSOR);
        fClickWidget("Options", game::GG_WINDOW_OPTIONS::kCURSOR);
        ASSERT_FALSE(cursor->fIsChecked()) << "visit " << visit;
        fCloseBy([&] { fClickWidget("Options", game::GG_WINDOW_OPTIONS::kKEEP); }, "Options");
        EXPECT_FALSE(fGameObject().fGetCurrentPlayer()->fGetGameCursor());
    }
}

// Leaving a level, answering no, then the menu's options at once: the
// options open over the still paused level.
TEST_F(ButtonsAnswer, MenuOptionsAfterDecliningToLeave) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    ASSERT_TRUE(fGameObject().fShowLevel(0, 1));
    auto* board = dynamic_cast<game::GG_GAMEPLAY*>(fGameObject().fGetGameplay());
    ASSERT_NE(board, nullptr);
    ASSERT_TRUE(fRunUntil([&] { return board->fIsRunning() && !fWindows().fIsOpen("Fade_Transition"); }));
    game::GG_TUTORIAL& tutorial = fGameObject().fGetTutorial();
    if (tutorial.fIsRunning()) tutorial.fStop();
    const KEL::KS_VEC2 pause =
        board->fGetControls().fGetPause().fGetWidgets().fFindChild(1)->fGetTransform().fGetAbsolute().fGetPos2();
    fOpenBy([&] { fClickAt(pause); }, "GP_Menu");
    const std::string question = game::GG_WINDOW_GAME_MENU::kLEAVE_QUESTION;
    for (int round = 0; round < 2; ++round) {
        fOpenBy([&] { fClickWidget("GP_Menu", game::GG_WINDOW_GAME_MENU::kLEAVE); }, question);
        fCloseBy([&] { fClickWidget(question, KEL::G_WINDOW_CONFIRM::kNO); }, question);
        ASSERT_TRUE(fShown("GP_Menu")) << "round " << round;
        fOpenBy([&] { fClickWidget("GP_Menu", game::GG_WINDOW_GAME_MENU::kOPTIONS); }, "Options");
        EXPECT_TRUE(board->fIsPaused());
        fCloseBy([&] { fClickWidget("Options", game::GG_WINDOW_OPTIONS::kCANCEL); }, "Options");
    }
}

// The gallery opened for the first time turns with the first click on its
// arrow, and with the next one, the pointer resting on the arrow.
TEST_F(ButtonsAnswer, TrophyArrowOnTheFirstVisit) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    fOpenBy([&] { fClickWidget("Title", game::GG_WINDOW_TITLE::kPLAY); }, "Packs");
    fOpenBy([&] { fClickWidget("Packs_Menu", game::GG_WINDOW_PACK_MENU::kTROPHIES); }, "Trophy");
    auto* gallery = dynamic_cast<game::GG_WINDOW_TROPHY*>(fWindows().fFindWindow("Trophy"));
    ASSERT_NE(gallery, nullptr);
    ASSERT_GT(gallery->fGetPages()->fGetPageCount(), 2);
    fClickWidget("Trophy", game::GG_WINDOW_TROPHY::kNEXT);
    ASSERT_TRUE(fRunUntil([&] { return !gallery->fGetPages()->fIsTurning(); }));
    EXPECT_EQ(gallery->fGetPages()->fGetCurrentPage(), 1);
    fClickHere();
    ASSERT_TRUE(fRunUntil([&] { return !gallery->fGetPages()->fIsTurning(); }));
    EXPECT_EQ(gallery->fGetPages()->fGetCurrentPage(), 2);
}

// A card's buy button, refreshed by the purchase it made, takes the next
// click with the pointer still resting on it.
TEST_F(ButtonsAnswer, ABuyButtonBuysAgainWithoutThePointerMoving) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    game::GG_PLAYER& player = *fGameObject().fGetCurrentPlayer();
    player.fGetStatistic().mScore = 5000;
    fOpenBy([&] { fClickWidget("Title", game::GG_WINDOW_TITLE::kPLAY); }, "Packs");
    fOpenBy([&] { fClickWidget("Packs_Menu", game::GG_WINDOW_PACK_MENU::kSHOP); }, "Shop");
    auto* shop = dynamic_cast<game::GG_WINDOW_SHOP*>(fWindows().fFindWindow("Shop"));
    ASSERT_NE(shop, nullptr);
    game::gPages_Shop_Item* hints = nullptr;
    for (int32_t i = 0; i < shop->fGetPages()->fGetItemCount(); ++i) {
        auto* card = dynamic_cast<game::gPages_Shop_Item*>(shop->fGetPages()->fGetItem(i));
        if (card && card->fGetOfferName() == "start_hint") hints = card;
    }
    ASSERT_NE(hints, nullptr);
    const int32_t before = player.fGetItemCount("start_hint");
    fClickAt(hints->fGetGui()->fFindChild(game::gPages_Shop_Item::kBUY)->fGetTransform().fGetAbsolute().fGetPos2());
    EXPECT_EQ(player.fGetItemCount("start_hint"), before + 1);
    fClickHere();
    EXPECT_EQ(player.fGetItemCount("start_hint"), before + 2);
}

