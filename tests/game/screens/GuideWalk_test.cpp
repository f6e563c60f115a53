// The whole game over the built content, played through the window's
// message queue: a new player is guided on the first two pictures of the
// first pack and nowhere else, "Next" from a result leaves the guide of the
// picture before behind, and losing focus while a hint flies pauses the
// level under its menu.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_TIMER.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_MAIN.h"
#include "game/app/gGame.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/board/GG_TUTORIAL.h"
#include "game/board/GG_TUTORIAL_STEP.h"
#include "game/product/GG_SETTINGS.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_WINDOW_FINISH.h"
#include "game/screens/GG_WINDOW_GAME_MENU.h"
#include "game/screens/GG_WINDOW_LEVEL.h"
#include "game/screens/GG_WINDOW_PACK.h"
#include "game/screens/GG_WINDOW_PACK_MENU.h"
#include "game/screens/GG_WINDOW_TITLE.h"
#include "game/screens/pages/gLevel_Item.h"
#include "game/screens/pages/gPackItem.h"
#include "game/screens/pages/gPages_Level.h"
#include "game/screens/pages/gPages_Pack.h"
#include "host/IWindow.h"
#include "host/recording/RecordingDevice.h"
#include "support/FakeHost.h"

namespace fs = std::filesystem;
using game::gGame;

namespace {

const fs::path kBUILT = fs::path(NONOGRAM_BINARY_DIR) / "Resources";

class GuideWalk : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kBUILT / "game.xml")) GTEST_SKIP() << "the default content is not built";
        KEL::KC_FILESYSTEM::fGetInstance();
        fs::copy(kBUILT, fs::current_path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        mGame.mDeviceFactory = [] { return new host::RecordingDevice; };
        KEL::kcGAME = &mGame;
        game::fRegisterCallbacks();
        ASSERT_EQ(mGame.fInit(""), 1);
        mGame.mRunning = 1;
        ASSERT_TRUE(fRunUntil([this] { return game::fGetState() == game::kSTATE_RUNNING && fShown("Title"); }));
    }
    void TearDown() override {
        if (KEL::kcGAME == &mGame) {
            KEL::KC_CALLBACK::fCall(KEL::kcbAFTER_LOOP);
            KEL::kcGAME = nullptr;
        }
        game::GG_SETTINGS::fGetInstance().fReset();
    }

    bool fRunUntil(const std::function<bool()>& done) {
        // A bound against a hang only: a loaded machine draws slowly, never wrongly.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (std::chrono::steady_clock::now() < end) {
            if (done()) return true;
            if (!mGame.mRunning) return false;
            mGame.fFrame();
            std::this_thread::yield();
        }
        return false;
    }
    void fFrames(int count) {
        for (int i = 0; i < count && mGame.mRunning; ++i) mGame.fFrame();
    }
    // Messages wait in the window's queue until the game's loop pumps them.
    void fSend(uint32_t message, uint32_t key = 0, int32_t x = 0, int32_t y = 0) {
        mWindow->fPush(message, key, x, y);
        fRunUntil([this] { return mWindow->mQueue.empty(); });
        fFrames(1);
    }
    // The pointer comes from aside, so buttons see it enter.
    void fClickAt(const KEL::KS_VEC2& at) {
        fSend(host::kMsgMouseMove, 0, int32_t(at.x) + 2, int32_t(at.y));
        fSend(host::kMsgMouseMove, 0, int32_t(at.x), int32_t(at.y));
        fSend(host::kMsgLButtonDown);
        fSend(host::kMsgLButtonUp);
    }
    // Frames until game time has gone on: a frame that only waited for its
    // turn moves nothing.
    void fStep() {
        const float before = KEL::kcTIMER->mTotal;
        fRunUntil([&] { return KEL::kcTIMER->mTotal != before; });
    }
    // Windows ease their widgets in after they stand, and a slide reaches
    // its end a step after its window reports it shown: the click waits
    // until the target has stayed put for a few steps of game time.
    void fClickSteady(const std::function<KEL::KS_VEC2()>& place) {
        KEL::KS_VEC2 last = place();
        int still = 0;
        for (int frame = 0; frame < 600 && still < 3; ++frame) {
            fStep();
            const KEL::KS_VEC2 now = place();
            still = now == last ? still + 1 : 0;
            last = now;
        }
        fClickAt(last);
    }
    void fClickWidget(const std::string& window, int32_t id) {
        KEL::G_WINDOW* found = fWindows().fFindOpenWindow(window);
        ASSERT_NE(found, nullptr) << window << " is not open";
        KEL::KC_GUI_OBJECT* widget = found->fGetGui()->fFindChild(id);
        ASSERT_NE(widget, nullptr) << window << " " << id;
        fClickSteady([widget] { return widget->fGetTransform().fGetAbsolute().fGetPos2(); });
    }
    // Open, at rest and not behind the fade.
    bool fShown(const std::string& name) {
        KEL::G_WINDOW* window = fWindows().fFindOpenWindow(name);
        return window && !window->fIsAnimating() && !fWindows().fIsOpen("Fade_Transition");
    }
    void fClickThenWait(const std::function<void()>& click, const std::string& screen) {
        click();
        ASSERT_TRUE(fRunUntil([&] { return fShown(screen); })) << screen << " never came";
    }

    KEL::G_WINDOW_MANAGER& fWindows() { return *gGame::fGetWindowManager(); }
    gGame& fGameObject() { return *gGame::fGetGame(); }
    game::GG_TUTORIAL& fTutorial() { return fGameObject().fGetTutorial(); }
    game::GG_GAMEPLAY& fBoard() { return *dynamic_cast<game::GG_GAMEPLAY*>(fGameObject().fGetGameplay()); }

    // From the title to the pack list.
    void fToPacks() {
        fClickThenWait([&] { fClickWidget("Title", game::GG_WINDOW_TITLE::kPLAY); }, "Packs");
    }
    // A pack card on the page shown, then its level list.
    void fOpenPack(int32_t index) {
        auto* packs = dynamic_cast<game::GG_WINDOW_PACK*>(fWindows().fFindWindow("Packs"));
        ASSERT_NE(packs, nullptr);
        game::gPackItem* card = packs->fGetPackPages()->fGetPackItem(index);
        ASSERT_NE(card, nullptr);
        const auto place = [card] { return card->fGetGui()->fGetRootWidget().fGetTransform().fGetAbsolute().fGetPos2(); };
        fClickThenWait([&] { fClickSteady(place); }, "Levels");
        // The pack list takes the pointer while it eases out.
        ASSERT_TRUE(fRunUntil([&] { return !fWindows().fIsOpen("Packs"); }));
    }
    // A level card, then the picture running and the fade gone.
    void fPlayLevel(int32_t index) {
        auto* levels = dynamic_cast<game::GG_WINDOW_LEVEL*>(fWindows().fFindWindow("Levels"));
        ASSERT_NE(levels, nullptr);
        game::gLevel_Item* item = levels->fGetLevelPages()->fGetLevelItem(index);
        ASSERT_NE(item, nullptr);
        ASSERT_NE(item->fGetState(), game::GG_PAGE_ITEM::kLOCKED) << "level card " << index;
        fClickSteady([item] { return item->fGetBackground()->fGetTransform()->fGetAbsolute().fGetPos2(); });
        ASSERT_TRUE(fRunUntil([&] {
            return fBoard().fIsRunning() && !fWindows().fIsOpen("Fade_Transition") && !fWindows().fIsOpen("Levels");
        }));
    }
    // Pause, leave, yes: back at the level list.
    void fLeaveLevel() {
        const auto pause = [this] { return fBoard().fGetControls().fGetPause().fGetTransform().fGetAbsolute().fGetPos2(); };
        fClickThenWait([&] { fClickSteady(pause); }, "GP_Menu");
        fClickThenWait([&] { fClickWidget("GP_Menu", game::GG_WINDOW_GAME_MENU::kLEAVE); },
                       game::GG_WINDOW_GAME_MENU::kLEAVE_QUESTION);
        fClickWidget(game::GG_WINDOW_GAME_MENU::kLEAVE_QUESTION, KEL::G_WINDOW_CONFIRM::kYES);
        // The menu still takes the pointer while it eases out.
        ASSERT_TRUE(fRunUntil([&] { return fShown("Levels") && !fWindows().fIsOpen("GP_Menu"); }));
    }
    void fClickCell(int32_t row, int32_t column) {
        const game::GG_ELEMENT* cell = fBoard().fGetProcess().fGetCell(row, column);
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

    testsupport::FakeWindowScope mWindow{1024, 768};
    testsupport::MessageBoxCatcher mBoxes;
    KEL::KC_GAME mGame;
};

}  // namespace

TEST_F(GuideWalk, ANewPlayerIsGuidedOnTheFirstPacksFirstPicturesOnlyAndNextCarriesNoStepOn) {
    game::GG_PLAYER* player = fGameObject().fGetCurrentPlayer();
    ASSERT_NE(player, nullptr) << "the edition makes a first player";
    ASSERT_FALSE(player->fGetPassedTutorial());
    ASSERT_NO_FATAL_FAILURE(fOpenForPlayer(*player, 0, 2));
    ASSERT_NO_FATAL_FAILURE(fOpenForPlayer(*player, 1, 1));
    ASSERT_NO_FATAL_FAILURE(fToPacks());

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
    for (const auto& cell : fBoard().fGetProcess().fGetCells()) {
        if (!cell->fIsFull() || cell->fIsRevealed()) continue;
        fClickAt(cell->fGetPosition());
    }
    ASSERT_TRUE(fRunUntil([&] { return fShown("GP_Finish"); })) << "the result never came";
    EXPECT_EQ(dynamic_cast<game::GG_WINDOW_FINISH*>(fWindows().fFindWindow("GP_Finish"))->fGetResult().mErrors, 0);
    fFrames(90);

    // "Next": picture 3 plays free of picture 2's panel, markers and gating.
    fClickWidget("GP_Finish", game::GG_WINDOW_FINISH::kNEXT);
    ASSERT_TRUE(fRunUntil([&] { return !fWindows().fIsOpen("GP_Finish") && fBoard().fIsRunning(); }));
    EXPECT_EQ(fBoard().fGetLevelId(), 3);
    EXPECT_FALSE(fTutorial().fIsRunning());
    EXPECT_EQ(fTutorial().fGetCurrentStep(), nullptr);
    EXPECT_FALSE(fBoard().fGetControls().fGetHint().fIsBlocked());
    EXPECT_FALSE(player->fGetPassedTutorial()) << "the guide was not followed to its end";

    // Pack 1, picture 1 has the same level id as pack 0's first; it is not
    // guided, so its cells and controls are the player's from the start.
    ASSERT_NO_FATAL_FAILURE(fLeaveLevel());
    fClickThenWait([&] { fClickWidget("Packs_Menu", game::GG_WINDOW_PACK_MENU::kBACK); }, "Packs");
    ASSERT_NO_FATAL_FAILURE(fOpenPack(1));
    ASSERT_NO_FATAL_FAILURE(fPlayLevel(0));
    EXPECT_EQ(fBoard().fGetPackId(), 1);
    EXPECT_EQ(fBoard().fGetLevelId(), 1);
    EXPECT_FALSE(fTutorial().fIsRunning());
    EXPECT_EQ(fBoard().fGetProcess().fGetCell(0, 0)->mBlocked, 0);
    EXPECT_FALSE(fBoard().fGetControls().fGetHint().fIsBlocked());
    const int32_t errors = fBoard().fGetErrors();
    ASSERT_NO_FATAL_FAILURE(fClickCell(1, 0));
    EXPECT_EQ(fBoard().fGetErrors() - errors, fBoard().fGetProcess().fGetCell(1, 0)->fIsFull() ? 0 : 1)
        << "a click is the player's own, judged as such";
}

TEST_F(GuideWalk, LosingFocusWhileAHintFliesPausesTheLevelUnderItsMenu) {
    game::GG_PLAYER* player = fGameObject().fGetCurrentPlayer();
    ASSERT_NE(player, nullptr);
    player->fSetPassedTutorial(true);
    ASSERT_NO_FATAL_FAILURE(fToPacks());
    ASSERT_NO_FATAL_FAILURE(fOpenPack(0));
    ASSERT_NO_FATAL_FAILURE(fPlayLevel(0));
    ASSERT_GT(fBoard().fGetHintsAvailable(), 0);

    fClickSteady(
        [this] { return fBoard().fGetControls().fGetHint().fGetButton().fGetTransform()->fGetAbsolute().fGetPos2(); });
    // The button slides away, then the hint sets off.
    ASSERT_TRUE(fRunUntil([&] { return fBoard().fIsHintFlying(); }));
    ASSERT_TRUE(fBoard().fIsEnded()) << "input is refused while it flies";
    mWindow->fPush(host::kMsgActivate, 0);
    mWindow->fPush(host::kMsgKillFocus);
    ASSERT_TRUE(fRunUntil([this] { return mWindow->mQueue.empty(); }));
    EXPECT_TRUE(fBoard().fIsPaused());
    EXPECT_TRUE(fWindows().fIsOpen("GP_Menu"));

    // Back in focus and resumed from the menu, the hint lands and the
    // level plays on.
    mWindow->fPush(host::kMsgActivate, 1);
    mWindow->fPush(host::kMsgSetFocus);
    ASSERT_TRUE(fRunUntil([&] { return fShown("GP_Menu"); }));
    fClickWidget("GP_Menu", game::GG_WINDOW_GAME_MENU::kRESUME);
    ASSERT_TRUE(fRunUntil([&] { return !fWindows().fIsOpen("GP_Menu") && !fBoard().fIsHintFlying(); }));
    EXPECT_FALSE(fBoard().fIsPaused());
    EXPECT_FALSE(fBoard().fIsEnded());
}
