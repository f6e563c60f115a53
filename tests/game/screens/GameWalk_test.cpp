// The whole game over the built content, played with the mouse and the
// keyboard alone through the window's message queue: a first start makes a
// named player, is guided by the tutorial over the first picture of the
// first pack and skips it, plays the picture to its end, goes back to the
// levels and quits; a second start finds the player, the stars,
// the best time and the next picture open. Prints how long each screen
// change takes from the click to its last frame of animation, and the
// slowest frame of the walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_LISTBOX.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_EDITBOX.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_MAIN.h"
#include "game/profile/GG_PLAYER.h"
#include "game/product/GG_SETTINGS.h"
#include "game/profile/KT_PLAYERS.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/board/GG_TUTORIAL.h"
#include "game/board/GG_TUTORIAL_STEP.h"
#include "game/app/gGame.h"
#include "game/screens/GG_WINDOW_FINISH.h"
#include "game/screens/GG_WINDOW_LEVEL.h"
#include "game/screens/GG_WINDOW_PACK.h"
#include "game/screens/GG_WINDOW_PLAYERS.h"
#include "game/screens/GG_WINDOW_TITLE.h"
#include "game/screens/GG_WINDOW_TITLE_TOP.h"
#include "game/screens/pages/gLevel_Item.h"
#include "game/screens/pages/gPackItem.h"
#include "game/screens/pages/gPages_Level.h"
#include "game/screens/pages/gPages_Pack.h"
#include "engine/render/KC_RENDER.h"
#include "host/IWindow.h"
#include "host/gl/GlDevice.h"
#include "support/FakeHost.h"
#include "support/GlScreen.h"

namespace fs = std::filesystem;
using game::gGame;
using Clock = std::chrono::steady_clock;

namespace {

const fs::path kBUILT = fs::path(NONOGRAM_BINARY_DIR) / "Resources";

// The game's renderer on a real offscreen window: the game's own window is
// the fake one whose queue the test fills, so the device draws elsewhere.
class KC_OFFSCREEN_DEVICE : public host::GlDevice {
public:
    explicit KC_OFFSCREEN_DEVICE(void* window) : mWindow(window) {}
    bool fCreate(void*, host::GDeviceType type, uint32_t behaviour, const host::GPresentParams& params) override {
        return GlDevice::fCreate(mWindow, type, behaviour, params);
    }

private:
    void* mWindow;
};

// The picture the next frame draws, saved once the game has drawn it.
std::string gShot;
KEL::KC_CALLBACK* gGameDraw = nullptr;
int32_t fDrawThenShoot(void* argument) {
    const int32_t result = KEL::KC_CALLBACK::fCall(gGameDraw, argument);
    if (!gShot.empty() && KEL::kcRENDER) {
        KEL::kcRENDER->fFlush();
        const fs::path png = testsupport::GlScreen::fScreensFolder() / ("walk-" + gShot + ".png");
        fs::create_directories(png.parent_path());
        KEL::kcRENDER->fSaveFrame(png.string());
        gShot.clear();
    }
    return result;
}

class GameWalk : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kBUILT / "game.xml")) GTEST_SKIP() << "the default content is not built";
        mScreen = host::fMakeWindow();
        ASSERT_TRUE(mScreen->fCreate("walk", 1024, 768, false));
        mWindow = std::make_unique<testsupport::FakeWindowScope>(1024, 768);
        KEL::KC_FILESYSTEM::fGetInstance();
        fs::copy(kBUILT, fs::current_path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    void TearDown() override {
        if (mGame && KEL::kcGAME == mGame.get()) fAfterLoop();
        game::GG_SETTINGS::fGetInstance().fReset();
    }

    // A start up to the title, as the program makes it.
    void fStart() {
        mGame = std::make_unique<KEL::KC_GAME>();
        void* screen = mScreen->fNativeHandle();
        mGame->mDeviceFactory = [screen] { return new KC_OFFSCREEN_DEVICE(screen); };
        KEL::kcGAME = mGame.get();
        game::fRegisterCallbacks();
        gGameDraw = KEL::kcbDRAW;
        KEL::kcbDRAW = KEL::KC_CALLBACK::fCreate(&fDrawThenShoot, "walk_draw", nullptr);
        ASSERT_EQ(mGame->fInit(""), 1);
        mGame->mRunning = 1;
        ASSERT_TRUE(fRunUntil([this] { return game::fGetState() == game::kSTATE_RUNNING && fShown("Title"); }));
    }
    // The window's close button, then the end of the program.
    void fQuit() {
        (*mWindow)->fPush(host::kMsgClose);
        ASSERT_TRUE(fRunUntil([this] { return !mGame->mRunning; }, true));
        fAfterLoop();
    }
    void fAfterLoop() {
        delete KEL::kcbDRAW;
        KEL::kcbDRAW = gGameDraw;
        gGameDraw = nullptr;
        KEL::KC_CALLBACK::fCall(KEL::kcbAFTER_LOOP);
        KEL::kcGAME = nullptr;
        mGame.reset();
        game::GG_SETTINGS::fGetInstance().fReset();
    }

    void fFrame() {
        const Clock::time_point start = Clock::now();
        mGame->fFrame();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        mWorstFrame = std::max(mWorstFrame, ms);
    }
    bool fRunUntil(const std::function<bool()>& done, bool evenStopped = false) {
        // A bound against a hang only: a loaded machine draws slowly, never wrongly.
        const Clock::time_point end = Clock::now() + std::chrono::seconds(120);
        while (Clock::now() < end) {
            if (done()) return true;
            if (!mGame->mRunning && !evenStopped) return false;
            fFrame();
            std::this_thread::yield();
        }
        return false;
    }
    void fFrames(int count) {
        for (int i = 0; i < count && mGame->mRunning; ++i) fFrame();
    }
    // Messages wait in the window's queue until the game's loop pumps them.
    void fSend(uint32_t message, uint32_t key = 0, int32_t x = 0, int32_t y = 0) {
        (*mWindow)->fPush(message, key, x, y);
        fRunUntil([this] { return (*mWindow)->mQueue.empty(); });
        fFrames(1);
    }
    // The pointer comes from aside, so buttons see it enter.
    void fClickAt(float x, float y) {
        fSend(host::kMsgMouseMove, 0, int32_t(x) + 2, int32_t(y));
        fSend(host::kMsgMouseMove, 0, int32_t(x), int32_t(y));
        fSend(host::kMsgLButtonDown);
        fSend(host::kMsgLButtonUp);
    }
    void fClickWidget(const std::string& window, int32_t id) {
        KEL::G_WINDOW* found = fWindows().fFindOpenWindow(window);
        ASSERT_NE(found, nullptr) << window << " is not open";
        KEL::KC_GUI_OBJECT* widget = found->fGetGui()->fFindChild(id);
        ASSERT_NE(widget, nullptr) << window << " " << id;
        const KEL::KS_VEC2 at = widget->fGetTransform().fGetAbsolute().fGetPos2();
        fClickAt(at.x, at.y);
    }
    void fType(const std::string& text) {
        for (char c : text) {
            const uint32_t key = uint32_t(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
            fSend(host::kMsgKeyDown, key);
            fSend(host::kMsgKeyUp, key);
        }
    }
    // Open, at rest and not behind the fade.
    bool fShown(const std::string& name) {
        KEL::G_WINDOW* window = fWindows().fFindOpenWindow(name);
        return window && !window->fIsAnimating() && !fWindows().fIsOpen("Fade_Transition");
    }
    // Clicks, then waits for the screen, keeping the time it took.
    void fTimed(const std::string& change, const std::function<void()>& click, const std::string& screen) {
        fTimed(change, click, [this, screen] { return fShown(screen); });
    }
    // The same, for a screen already open behind the one that leaves.
    void fTimedClose(const std::string& change, const std::function<void()>& click, const std::string& leaving) {
        fTimed(change, click, [this, leaving] { return !fWindows().fIsOpen(leaving); });
    }
    void fTimed(const std::string& change, const std::function<void()>& click, const std::function<bool()>& done) {
        const Clock::time_point start = Clock::now();
        click();
        ASSERT_TRUE(fRunUntil(done)) << change << " never ended";
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        std::printf("[ walk ] %-28s %7.1f ms\n", change.c_str(), ms);
        std::string name = change;
        for (const auto& [from, to] : {std::pair<std::string, std::string>{" -> ", "-to-"}, {" ", "_"}})
            for (size_t at = name.find(from); at != std::string::npos; at = name.find(from, at + to.size()))
                name.replace(at, from.size(), to);
        fShoot(name);
    }
    // The next frame as a picture, <build>/screens/walk-<name>.png.
    void fShoot(const std::string& name) {
        gShot = name;
        fRunUntil([] { return gShot.empty(); });
    }
    KEL::G_WINDOW_MANAGER& fWindows() { return *gGame::fGetWindowManager(); }
    gGame& fGameObject() { return *gGame::fGetGame(); }

    std::unique_ptr<host::IWindow> mScreen;  // made before the fake windows
    std::unique_ptr<testsupport::FakeWindowScope> mWindow;
    testsupport::MessageBoxCatcher mBoxes;
    std::unique_ptr<KEL::KC_GAME> mGame;
    double mWorstFrame = 0.0;
};

}  // namespace

TEST_F(GameWalk, APlayerNamedAtFirstStartWinsThePictureAndFindsItAllAgain) {
    ASSERT_NO_FATAL_FAILURE(fStart());

    // A player of one's own: the strip's change line, the list, a name.
    const KEL::KS_TRANSFORM3 strip = fWindows().fFindWindow("Title_Top")->fGetTransform().fGetAbsolute();
    fTimed("title -> players", [&] { fClickAt(strip.mPosition.x, strip.mPosition.y + 110.0f); }, "Players");
    fTimed("players -> name entry", [&] { fClickWidget("Players", game::GG_WINDOW_PLAYERS::kNEW); },
           "Players_EditBox");
    fType("walker");
    fTimedClose("name entry -> players", [&] { fClickWidget("Players_EditBox", KEL::G_WINDOW_EDITBOX::kOK); },
                "Players_EditBox");
    auto* players = dynamic_cast<game::GG_WINDOW_PLAYERS*>(fWindows().fFindWindow("Players"));
    ASSERT_NE(players, nullptr);
    ASSERT_NE(players->fGetList()->fGetSelected(), nullptr);
    EXPECT_EQ(*players->fGetList()->fGetSelected(), L"walker");
    fTimedClose("players -> title", [&] { fClickWidget("Players", game::GG_WINDOW_PLAYERS::kCHOOSE); }, "Players");
    ASSERT_NE(fGameObject().fGetCurrentPlayer(), nullptr);
    EXPECT_EQ(fGameObject().fGetCurrentPlayer()->fGetName(), L"walker");

    // Play, the first pack, the first picture.
    fTimed("title -> packs", [&] { fClickWidget("Title", game::GG_WINDOW_TITLE::kPLAY); }, "Packs");
    auto* packs = dynamic_cast<game::GG_WINDOW_PACK*>(fWindows().fFindWindow("Packs"));
    ASSERT_NE(packs, nullptr);
    const KEL::KS_VEC2 pack = packs->fGetPackPages()->fGetPackItem(0)->fGetGui()->fGetRootWidget().fGetTransform()
                                  .fGetAbsolute().fGetPos2();
    fTimed("packs -> levels", [&] { fClickAt(pack.x, pack.y); }, "Levels");
    auto* levels = dynamic_cast<game::GG_WINDOW_LEVEL*>(fWindows().fFindWindow("Levels"));
    ASSERT_NE(levels, nullptr);
    game::gLevel_Item* first = levels->fGetLevelPages()->fGetLevelItem(0);
    ASSERT_EQ(first->fGetState(), game::GG_PAGE_ITEM::kNEWEST);
    const KEL::KS_VEC2 card = first->fGetBackground()->fGetTransform()->fGetAbsolute().fGetPos2();
    const Clock::time_point start = Clock::now();
    fClickAt(card.x, card.y);
    auto* board = dynamic_cast<game::GG_GAMEPLAY*>(fGameObject().fGetGameplay());
    ASSERT_NE(board, nullptr);
    ASSERT_TRUE(fRunUntil([&] { return board->fIsRunning() && !fWindows().fIsOpen("Fade_Transition"); }));
    std::printf("[ walk ] %-28s %7.1f ms\n", "levels -> picture",
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
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
    fSend(host::kMsgMouseMove, 0, int32_t(rowStart.x), int32_t(rowStart.y));
    fSend(host::kMsgLButtonDown);
    fSend(host::kMsgMouseMove, 0, int32_t(rowEnd.x), int32_t(rowEnd.y));
    fSend(host::kMsgLButtonUp);
    EXPECT_EQ(tutorial.fGetCurrentIndex(), 1);
    EXPECT_TRUE(board->fGetProcess().fGetCell(1, 4)->fIsRevealed());
    const KEL::KS_VEC2 skip = tutorial.fGetCurrentStep()->fGetGui().fFindChild(game::GG_TUTORIAL::kSKIP_WIDGET)
                                  ->fGetTransform().fGetAbsolute().fGetPos2();
    fTimed("picture -> skip question", [&] { fClickAt(skip.x, skip.y); }, game::GG_TUTORIAL::kWINDOW_SKIP);
    EXPECT_TRUE(board->fIsPaused());
    auto* question = dynamic_cast<KEL::G_WINDOW_CONFIRM*>(fWindows().fFindWindow(game::GG_TUTORIAL::kWINDOW_SKIP));
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->fGetMessageLabel()->fGetText(), L"Skip the tutorial?");
    fClickWidget(game::GG_TUTORIAL::kWINDOW_SKIP, KEL::G_WINDOW_CONFIRM::kYES);
    ASSERT_TRUE(fRunUntil([&] { return !fWindows().fIsOpen(game::GG_TUTORIAL::kWINDOW_SKIP); }));
    EXPECT_TRUE(fGameObject().fGetCurrentPlayer()->fGetPassedTutorial());
    EXPECT_FALSE(board->fIsPaused());
    EXPECT_EQ(board->fGetProcess().fGetCell(2, 2)->mBlocked, 0);
    ASSERT_FALSE(tutorial.fIsRunning());

    // Every full cell filled with a click; the last one wins.
    const Clock::time_point lastClick = Clock::now();
    for (const auto& cell : board->fGetProcess().fGetCells()) {
        if (!cell->fIsFull() || cell->fIsRevealed()) continue;
        const KEL::KS_VEC2 at = cell->fGetPosition();
        fClickAt(at.x, at.y);
    }
    ASSERT_TRUE(fRunUntil([&] { return fShown("GP_Finish"); })) << "the result never came";
    std::printf("[ walk ] %-28s %7.1f ms\n", "solved -> result",
                std::chrono::duration<double, std::milli>(Clock::now() - lastClick).count());
    fFrames(90);
    fShoot("result");
    auto* finish = dynamic_cast<game::GG_WINDOW_FINISH*>(fWindows().fFindWindow("GP_Finish"));
    ASSERT_NE(finish, nullptr);
    EXPECT_EQ(finish->fGetResult().mErrors, 0);
    EXPECT_EQ(finish->fEarnedStars(), 3);
    const float levelTime = finish->fGetResult().mLevelTime;
    EXPECT_GT(levelTime, 0.0f);

    fTimed("result -> levels", [&] { fClickWidget("GP_Finish", game::GG_WINDOW_FINISH::kBACK); }, "Levels");
    EXPECT_EQ(levels->fGetLevelPages()->fGetLevelItem(0)->fGetStars(), 3);
    EXPECT_EQ(levels->fGetLevelPages()->fGetLevelItem(1)->fGetState(), game::GG_PAGE_ITEM::kNEWEST);
    std::printf("[ walk ] %-28s %7.1f ms\n", "worst frame", mWorstFrame);
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
    EXPECT_EQ(dynamic_cast<game::GG_WINDOW_TITLE_TOP*>(fWindows().fFindWindow("Title_Top"))->fGetGreeting(),
              L"Hello, walker!");
    ASSERT_NO_FATAL_FAILURE(fQuit());
}
