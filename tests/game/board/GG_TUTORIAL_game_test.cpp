// The tutorial inside the whole game over the built content: a new player
// starting the first picture is guided, the game hands the board's clicks
// to it, leaving the level passes nothing, and the skip question from the
// window list ends it for good once answered yes.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "game/app/GG_MAIN.h"
#include "game/profile/GG_PLAYER.h"
#include "game/product/GG_SETTINGS.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/app/gGame.h"
#include "host/recording/RecordingDevice.h"
#include "support/FakeHost.h"

namespace fs = std::filesystem;
using game::gGame;

namespace {

const fs::path kBUILT = fs::path(NONOGRAM_BINARY_DIR) / "Resources";

class GG_TUTORIAL_GAME : public ::testing::Test {
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
        ASSERT_TRUE(fRunUntil([] {
            KEL::G_WINDOW_MANAGER* windows = gGame::fGetWindowManager();
            return game::fGetState() == game::kSTATE_RUNNING && windows->fIsOpen("Title") &&
                   !windows->fIsOpen("Fade_Transition");
        }));
    }
    void TearDown() override {
        if (KEL::kcGAME == &mGame) {
            KEL::KC_CALLBACK::fCall(KEL::kcbAFTER_LOOP);
            KEL::kcGAME = nullptr;
        }
        game::GG_SETTINGS::fGetInstance().fReset();
    }

    bool fRunUntil(const std::function<bool()>& done) {
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
        for (int i = 0; i < count; ++i) mGame.fFrame();
    }
    // A left click as the window's messages bring it: the pointer comes
    // from aside so that buttons see it enter.
    void fClick(const KEL::KS_VEC2& at) {
        KEL::kcINPUT->fOnMouseMove(static_cast<int32_t>(at.x) + 2, static_cast<int32_t>(at.y));
        KEL::kcINPUT->fOnMouseMove(static_cast<int32_t>(at.x), static_cast<int32_t>(at.y));
        fFrames(2);
        KEL::kcINPUT->fOnKeyDown(1);
        fFrames(2);
        KEL::kcINPUT->fOnKeyUp(1);
        fFrames(2);
    }
    static KEL::KS_VEC2 fPlace(const KEL::KC_GUI_OBJECT& widget) {
        return widget.fGetTransform().fGetAbsolute().fGetPos2();
    }
    // The first picture of the first pack, running.
    game::GG_GAMEPLAY& fShowFirstLevel() {
        gGame& g = *gGame::fGetGame();
        EXPECT_TRUE(g.fShowLevel(0, 1));
        auto* board = dynamic_cast<game::GG_GAMEPLAY*>(g.fGetGameplay());
        EXPECT_TRUE(board && fRunUntil([&] { return board->fIsRunning(); }));
        return *board;
    }

    testsupport::FakeWindowScope mWindow{1024, 768};
    testsupport::MessageBoxCatcher mBoxes;
    KEL::KC_GAME mGame;
};

}  // namespace

TEST_F(GG_TUTORIAL_GAME, ANewPlayerIsGuidedAndSkipsAfterTheQuestion) {
    gGame& g = *gGame::fGetGame();
    game::GG_TUTORIAL& tutorial = g.fGetTutorial();
    game::GG_PLAYER* player = g.fGetCurrentPlayer();
    ASSERT_NE(player, nullptr);
    ASSERT_FALSE(player->fGetPassedTutorial());
    EXPECT_FALSE(tutorial.fIsLoaded()) << "its images wait for a level it guides";

    game::GG_GAMEPLAY& board = fShowFirstLevel();
    ASSERT_TRUE(tutorial.fIsRunning());
    EXPECT_TRUE(tutorial.fIsLoaded());
    EXPECT_EQ(board.fGetProcess().fGetCell(2, 2)->mBlocked, 1) << "only the row it asks for is open";
    // The first step asks for the second row; a drag along it is heard.
    const KEL::KS_VEC2 a = board.fGetProcess().fGetCell(1, 0)->fGetPosition();
    const KEL::KS_VEC2 b = board.fGetProcess().fGetCell(1, 4)->fGetPosition();
    KEL::kcINPUT->fOnMouseMove(static_cast<int32_t>(a.x), static_cast<int32_t>(a.y));
    fFrames(2);
    KEL::kcINPUT->fOnKeyDown(1);
    fFrames(2);
    KEL::kcINPUT->fOnMouseMove(static_cast<int32_t>(b.x), static_cast<int32_t>(b.y));
    fFrames(2);
    KEL::kcINPUT->fOnKeyUp(1);
    fFrames(2);
    EXPECT_EQ(tutorial.fGetCurrentIndex(), 1);

    // Leaving the level passes nothing; the next start guides from the top.
    g.fStopLevel();
    g.fEndLevel();
    EXPECT_FALSE(tutorial.fIsRunning());
    EXPECT_FALSE(player->fGetPassedTutorial());
    fShowFirstLevel();
    ASSERT_TRUE(tutorial.fIsRunning());
    EXPECT_EQ(tutorial.fGetCurrentIndex(), 0);

    // The skip button asks first, in the player's language.
    fFrames(5);
    fClick(fPlace(*tutorial.fGetCurrentStep()->fGetGui().fFindChild(game::GG_TUTORIAL::kSKIP_WIDGET)));
    KEL::G_WINDOW_MANAGER& windows = *gGame::fGetWindowManager();
    auto* question = dynamic_cast<KEL::G_WINDOW_CONFIRM*>(windows.fFindOpenWindow(game::GG_TUTORIAL::kWINDOW_SKIP));
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(board.fIsPaused());
    ASSERT_NE(question->fGetMessageLabel(), nullptr);
    EXPECT_EQ(question->fGetMessageLabel()->fGetText(), std::wstring(L"Skip the tutorial?"));
    ASSERT_TRUE(fRunUntil([&] { return !question->fIsAnimating(); }));
    fClick(fPlace(*question->fGetGui()->fFindChild(KEL::G_WINDOW_CONFIRM::kYES)));
    EXPECT_FALSE(tutorial.fIsRunning());
    EXPECT_TRUE(player->fGetPassedTutorial());
    EXPECT_FALSE(board.fIsPaused());
    EXPECT_EQ(board.fGetProcess().fGetCell(2, 2)->mBlocked, 0);
    g.fRestartLevel();
    EXPECT_FALSE(tutorial.fIsRunning()) << "a player who skipped it is not guided again";
}
