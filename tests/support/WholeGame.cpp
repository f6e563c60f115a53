#include "support/WholeGame.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_TIMER.h"
#include "engine/render/KC_RENDER.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_EDITBOX.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_MAIN.h"
#include "game/app/gGame.h"
#include "game/board/GG_CONTROLS.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/board/GG_PAUSE.h"
#include "game/board/GG_TUTORIAL.h"
#include "game/product/GG_SETTINGS.h"
#include "game/screens/GG_SCREEN_STEPS.h"
#include "game/screens/GG_WINDOW_GAME_MENU.h"
#include "game/screens/GG_WINDOW_LEVEL.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/GG_WINDOW_PACK.h"
#include "game/screens/GG_WINDOW_PLAYERS.h"
#include "game/screens/GG_WINDOW_SHOP.h"
#include "game/screens/GG_WINDOW_TITLE.h"
#include "game/screens/pages/gLevel_Item.h"
#include "game/screens/pages/gPackItem.h"
#include "game/screens/pages/gPagesShop.h"
#include "game/screens/pages/gPages_Level.h"
#include "game/screens/pages/gPages_Pack.h"
#include "game/screens/pages/gPages_Shop_Item.h"
#include "host/gl/GlDevice.h"
#include "host/recording/RecordingDevice.h"
#include "support/GlScreen.h"

namespace fs = std::filesystem;

namespace testsupport {

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

const fs::path kBUILT = fs::path(NONOGRAM_BINARY_DIR) / "Resources";
constexpr std::chrono::seconds kHANG_BOUND{120};
// Logic steps a click's target must keep still.
constexpr int kSTILL_STEPS = 5;
// Windows leaving behind one that came to rest still take the pointer.
constexpr float kLEAVING_SECONDS = 0.6f;
// The windows the helpers wait for, by the game's own names.
constexpr const char* kFADE = game::GG_WINDOW_NAME::kFADE;
constexpr const char* kPACKS = game::GG_WINDOW_NAME::kPACKS;
constexpr const char* kGAME_MENU = game::GG_WINDOW_NAME::kGAME_MENU;
constexpr const char* kSHOP = game::GG_WINDOW_NAME::kSHOP;

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
        const fs::path png = GlScreen::fScreensFolder() / (gShot + ".png");
        fs::create_directories(png.parent_path());
        KEL::kcRENDER->fSaveFrame(png.string());
        gShot.clear();
    }
    return result;
}

// "a -> b c" as a file name: "a-to-b_c".
std::string fFileName(std::string name) {
    for (const auto& [from, to] : {std::pair<std::string, std::string>{" -> ", "-to-"}, {" ", "_"}})
        for (size_t at = name.find(from); at != std::string::npos; at = name.find(from, at + to.size()))
            name.replace(at, from.size(), to);
    return name;
}

}  // namespace

void WholeGame::SetUp() {
    if (!fs::exists(kBUILT / "game.xml")) GTEST_SKIP() << "the default content is not built";
    // The screen-change benchmark times every scenario on the GL device.
    if (const char* all = std::getenv("NONOGRAM_WHOLE_GAME_PICTURES"); all && std::string(all) == "1") mPictures = true;
    if (mPictures) {
        mScreen = host::fMakeWindow();
        ASSERT_TRUE(mScreen->fCreate("whole game", 1024, 768, false));
    }
    mWindow = std::make_unique<FakeWindowScope>(1024, 768);
    mInput = std::make_unique<InputDriver>(**mWindow, [this] {
        fNotePress();
        fRunUntil([this] { return fQueue().mQueue.empty(); });
        fFrames(1);
    });
    // The process stands in its own "Resources" folder. Whatever an earlier
    // test changed there (an archive unpacked into a folder of its name, a
    // file removed) goes before the fresh copy.
    KEL::KC_FILESYSTEM::fGetInstance();
    for (const fs::directory_entry& entry : fs::directory_iterator(kBUILT))
        fs::remove_all(fs::current_path() / entry.path().filename());
    fs::copy(kBUILT, fs::current_path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void WholeGame::TearDown() {
    if (mGame && KEL::kcGAME == mGame.get()) fEnd();
    game::GG_SETTINGS::fGetInstance().fReset();
}

void WholeGame::fUseEdition(const std::string& edition) {
    const fs::path file = fs::current_path() / "game.xml";
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    std::string xml = text.str();
    const std::string key = "<edition value=\"";
    const size_t at = xml.find(key);
    ASSERT_NE(at, std::string::npos) << "game.xml names no edition";
    const size_t end = xml.find('"', at + key.size());
    xml.replace(at + key.size(), end - at - key.size(), edition);
    std::ofstream(file) << xml;
}

int32_t WholeGame::fBoot() {
    mGame = std::make_unique<KEL::KC_GAME>();
    if (mPictures) {
        void* screen = mScreen->fNativeHandle();
        mGame->mDeviceFactory = [screen] { return new KC_OFFSCREEN_DEVICE(screen); };
    } else {
        mGame->mDeviceFactory = [] { return new host::RecordingDevice; };
    }
    KEL::kcGAME = mGame.get();
    game::fRegisterCallbacks();
    if (mPictures) {
        gGameDraw = KEL::kcbDRAW;
        KEL::kcbDRAW = KEL::KC_CALLBACK::fCreate(&fDrawThenShoot, "whole_game_draw", nullptr);
    }
    const int32_t result = mGame->fInit(game::kSTART_TITLE);
    mGame->mRunning = result == KEL::KS_RESULT::kOK ? 1 : 0;
    return result;
}

void WholeGame::fStart() {
    ASSERT_EQ(fBoot(), KEL::KS_RESULT::kOK);
    ASSERT_TRUE(
        fRunUntil([this] { return game::fGetState() == game::kSTATE_RUNNING && fShown(GG_WINDOW_NAME::kTITLE); }));
}

void WholeGame::fQuit() {
    fQueue().fPush(host::kMsgClose);
    ASSERT_TRUE(fRunUntil([this] { return !mGame->mRunning; }, true));
    fEnd();
}

void WholeGame::fRestart() {
    ASSERT_NO_FATAL_FAILURE(fQuit());
    ASSERT_NO_FATAL_FAILURE(fStart());
}

void WholeGame::fEnd() {
    if (mPictures) {
        delete KEL::kcbDRAW;
        KEL::kcbDRAW = gGameDraw;
        gGameDraw = nullptr;
    }
    KEL::KC_CALLBACK::fCall(KEL::kcbAFTER_LOOP);
    KEL::kcGAME = nullptr;
    mGame.reset();
    game::GG_SETTINGS::fGetInstance().fReset();
}

void WholeGame::fFrame() {
    const bool shooting = !gShot.empty();
    const Clock::time_point start = Clock::now();
    mGame->fFrame();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    // The frame that saved a shot is the test's cost, not the game's.
    if (shooting && gShot.empty()) return;
    mWorstFrame = std::max(mWorstFrame, ms);
    mChangeWorst = std::max(mChangeWorst, ms);
}

void WholeGame::fFrames(int count) {
    for (int i = 0; i < count && mGame->mRunning; ++i) fFrame();
}

void WholeGame::fStep() {
    const float before = KEL::kcTIMER ? KEL::kcTIMER->mTotal : 0.0f;
    fRunUntil([&] { return !KEL::kcTIMER || KEL::kcTIMER->mTotal != before; });
}

bool WholeGame::fRunUntil(const std::function<bool()>& done, bool evenStopped) {
    const Clock::time_point end = Clock::now() + kHANG_BOUND;
    while (Clock::now() < end) {
        if (done()) return true;
        if (!mGame->mRunning && !evenStopped) return false;
        fFrame();
        std::this_thread::yield();
    }
    return false;
}

namespace {

bool fAnyMoving(KEL::G_WINDOW_MANAGER& windows) {
    for (const KEL::G_WINDOW* window : windows.fGetOpenWindows())
        if (window->fIsAnimating()) return true;
    return false;
}

}  // namespace

bool WholeGame::fSettle() {
    return fRunUntil([this] { return !fWindows().fIsOpen(kFADE) && !fAnyMoving(fWindows()); });
}

void WholeGame::fWait(float seconds) {
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

void WholeGame::fClickAt(KEL::KS_VEC2 at) { mInput->fClick(at, mApproach); }

void WholeGame::fClickSteady(const std::function<KEL::KS_VEC2()>& place) {
    fRunUntil([this] { return !fAnyMoving(fWindows()); });
    // Still over logic steps, not frames: a frame whose step is not due
    // yet moves nothing, and a window's slide lands a step after the window
    // says it is at rest.
    KEL::KS_VEC2 last = place();
    int32_t step = mGame->mUpdateCount;
    int still = 0;
    fRunUntil([&] {
        if (mGame->mUpdateCount != step) {
            step = mGame->mUpdateCount;
            const KEL::KS_VEC2 now = place();
            still = now == last ? still + 1 : 0;
            last = now;
        }
        return still >= kSTILL_STEPS;
    });
    fClickAt(last);
}

namespace {

KEL::KC_GUI_OBJECT* fFindWidget(KEL::G_WINDOW_MANAGER& windows, const std::string& window, int32_t id) {
    KEL::G_WINDOW* found = windows.fFindOpenWindow(window);
    EXPECT_NE(found, nullptr) << window << " is not open";
    KEL::KC_GUI_OBJECT* widget = found && found->fGetGui() ? found->fGetGui()->fFindChild(id) : nullptr;
    EXPECT_TRUE(!found || widget) << window << " has no widget " << id;
    return widget;
}

KEL::KS_VEC2 fPlace(const KEL::KC_GUI_OBJECT& widget) { return widget.fGetTransform().fGetAbsolute().fGetPos2(); }

}  // namespace

KEL::KS_VEC2 WholeGame::fWhere(const std::string& window, int32_t id) {
    KEL::KC_GUI_OBJECT* widget = fFindWidget(fWindows(), window, id);
    return widget ? fPlace(*widget) : KEL::KS_VEC2{0.0f, 0.0f};
}

void WholeGame::fClickWidget(const std::string& window, int32_t id) {
    if (KEL::KC_GUI_OBJECT* widget = fFindWidget(fWindows(), window, id)) fClickWidget(*widget);
}

void WholeGame::fClickWidget(const KEL::KC_GUI_OBJECT& widget) {
    fClickSteady([&widget] { return fPlace(widget); });
}

bool WholeGame::fShown(const std::string& name) {
    KEL::G_WINDOW* window = fWindows().fFindOpenWindow(name);
    return window && !window->fIsAnimating() && !fWindows().fIsOpen(kFADE);
}

std::vector<std::string> WholeGame::fOpenModals() {
    std::vector<std::string> names;
    for (const KEL::G_WINDOW* window : fWindows().fGetOpenWindows())
        if (window->fIsModal()) names.push_back(window->fGetName());
    return names;
}

void WholeGame::fOpenBy(const std::function<void()>& click, const std::string& window) {
    click();
    ASSERT_TRUE(fRunUntil([&] { return fShown(window); })) << window << " never came";
    fWait(kLEAVING_SECONDS);
}

void WholeGame::fOpenBy(const std::string& change, const std::function<void()>& click, const std::string& window) {
    ASSERT_NO_FATAL_FAILURE(fTimed(change, click, window));
    fWait(kLEAVING_SECONDS);
}

void WholeGame::fCloseBy(const std::function<void()>& click, const std::string& window) {
    click();
    ASSERT_TRUE(fRunUntil([&] { return !fWindows().fIsOpen(window); })) << window << " never left";
    fWait(kLEAVING_SECONDS);
}

void WholeGame::fCloseBy(const std::string& change, const std::function<void()>& click, const std::string& window) {
    ASSERT_NO_FATAL_FAILURE(fTimedClose(change, click, window));
    fWait(kLEAVING_SECONDS);
}

void WholeGame::fTimed(const std::string& change, const std::function<void()>& click, const std::string& screen) {
    fTimed(change, click, [this, screen] { return fShown(screen); });
}

void WholeGame::fTimedClose(const std::string& change, const std::function<void()>& click, const std::string& leaving) {
    fTimed(change, click, [this, leaving] { return !fWindows().fIsOpen(leaving); });
}

void WholeGame::fTimed(const std::string& change, const std::function<void()>& click,
                       const std::function<bool()>& done) {
    // A click's approach and the wait for its target to keep still come
    // before its press, which restarts the clock.
    mPressed = Clock::now();
    mChangeWorst = 0.0;
    mTiming = true;
    click();
    mTiming = false;
    ASSERT_TRUE(fRunUntil(done)) << change << " never ended";
    fKeepTime(change, std::chrono::duration<double, std::milli>(Clock::now() - mPressed).count(), mChangeWorst);
    fShoot(fFileName(change));
}

void WholeGame::fNotePress() {
    if (!mTiming || fQueue().mQueue.empty()) return;
    const uint32_t message = fQueue().mQueue.back().mMessage;
    if (message == host::kMsgLButtonDown || message == host::kMsgRButtonDown || message == host::kMsgMButtonDown ||
        message == host::kMsgKeyDown) {
        mPressed = Clock::now();
        mChangeWorst = 0.0;
    }
}

void WholeGame::fKeepTime(const std::string& change, double ms, double worstFrame) {
    mTimings.push_back({change, ms, worstFrame});
    std::printf("[ %s ] %-32s %7.1f ms  worst frame %6.1f ms\n", mPrefix.c_str(), change.c_str(), ms, worstFrame);
}

void WholeGame::fPrintWorstFrame() {
    std::printf("[ %s ] %-32s %7.1f ms\n", mPrefix.c_str(), "worst frame", mWorstFrame);
}

void WholeGame::fShoot(const std::string& name) {
    if (!mPictures) return;
    gShot = mPrefix + "-" + name;
    fRunUntil([] { return gShot.empty(); });
}

void WholeGame::fNamePlayer(const std::string& name) {
    namespace NAME = game::GG_WINDOW_NAME;
    const auto changeLine = [this] {
        const KEL::KS_TRANSFORM3 strip = fWindows().fFindWindow(NAME::kTITLE_TOP)->fGetTransform().fGetAbsolute();
        return KEL::KS_VEC2{strip.mPosition.x, strip.mPosition.y + 110.0f};
    };
    fTimed(
        "title -> players", [&] { fClickSteady(changeLine); }, NAME::kPLAYERS);
    fTimed(
        "players -> name entry", [&] { fClickWidget(NAME::kPLAYERS, game::GG_WINDOW_PLAYERS::kNEW); },
        NAME::kPLAYER_NAME);
    fInput().fType(name);
    fTimedClose(
        "name entry -> players", [&] { fClickWidget(NAME::kPLAYER_NAME, KEL::G_WINDOW_EDITBOX::kOK); },
        NAME::kPLAYER_NAME);
}

void WholeGame::fOpenPack(int32_t packIndex) {
    if (!fShown(kPACKS)) {
        ASSERT_NO_FATAL_FAILURE(fTimed(
            "title -> packs", [&] { fClickWidget(GG_WINDOW_NAME::kTITLE, game::GG_WINDOW_TITLE::kPLAY); }, kPACKS));
    }
    auto* packs = dynamic_cast<game::GG_WINDOW_PACK*>(fWindows().fFindWindow(kPACKS));
    ASSERT_NE(packs, nullptr);
    game::gPackItem* card = packs->fGetPackPages()->fGetPackItem(packIndex);
    ASSERT_NE(card, nullptr) << "pack card " << packIndex;
    const auto place = [card] { return fPlace(card->fGetGui()->fGetRootWidget()); };
    ASSERT_NO_FATAL_FAILURE(fTimed(
        "packs -> levels", [&] { fClickSteady(place); }, GG_WINDOW_NAME::kLEVELS));
    // The pack list takes the pointer while it eases out.
    ASSERT_TRUE(fRunUntil([&] { return !fWindows().fIsOpen(kPACKS); }));
}

void WholeGame::fPlayLevel(int32_t levelIndex) {
    auto* levels = dynamic_cast<game::GG_WINDOW_LEVEL*>(fWindows().fFindWindow(GG_WINDOW_NAME::kLEVELS));
    ASSERT_NE(levels, nullptr);
    game::gLevel_Item* card = levels->fGetLevelPages()->fGetLevelItem(levelIndex);
    ASSERT_NE(card, nullptr) << "level card " << levelIndex;
    ASSERT_NE(card->fGetState(), game::GG_PAGE_ITEM::kLOCKED) << "level card " << levelIndex;
    const auto place = [card] { return card->fGetBackground()->fGetTransform()->fGetAbsolute().fGetPos2(); };
    ASSERT_NO_FATAL_FAILURE(fTimed(
        "levels -> picture", [&] { fClickSteady(place); },
        [&] {
            return fBoard() && fBoard()->fIsRunning() && !fWindows().fIsOpen(kFADE) &&
                   !fWindows().fIsOpen(GG_WINDOW_NAME::kLEVELS);
        }));
}

void WholeGame::fLeaveLevel() {
    ASSERT_NE(fBoard(), nullptr);
    const auto pause = [this] { fClickSteady([this] { return fPausePlace(); }); };
    ASSERT_NO_FATAL_FAILURE(fTimed("picture -> menu", pause, kGAME_MENU));
    const std::string question = game::GG_WINDOW_NAME::kLEAVE_QUESTION;
    ASSERT_NO_FATAL_FAILURE(fTimed(
        "menu -> leave question", [&] { fClickWidget(kGAME_MENU, game::GG_WINDOW_GAME_MENU::kLEAVE); }, question));
    // The menu still takes the pointer while it eases out.
    ASSERT_NO_FATAL_FAILURE(fTimed(
        "leave question -> levels", [&] { fClickWidget(question, KEL::G_WINDOW_CONFIRM::kYES); },
        [&] { return fShown(GG_WINDOW_NAME::kLEVELS) && !fWindows().fIsOpen(kGAME_MENU); }));
}

game::GG_GAMEPLAY* WholeGame::fShowLevel(int32_t pack, int32_t level) {
    EXPECT_TRUE(fGameObject().fShowLevel(pack, level)) << "pack " << pack << " level " << level;
    game::GG_GAMEPLAY* board = fBoard();
    EXPECT_NE(board, nullptr);
    const bool running = board && fRunUntil([&] { return board->fIsRunning() && !fWindows().fIsOpen(kFADE); });
    EXPECT_TRUE(running) << "the picture never ran";
    return running ? board : nullptr;
}

void WholeGame::fPauseLevel() {
    game::GG_GAMEPLAY* board = fBoard();
    ASSERT_NE(board, nullptr);
    game::GG_TUTORIAL& tutorial = fGameObject().fGetTutorial();
    if (tutorial.fIsRunning()) tutorial.fStop();
    const auto pause = [this] { fClickSteady([this] { return fPausePlace(); }); };
    ASSERT_NO_FATAL_FAILURE(fOpenBy("picture -> menu", pause, kGAME_MENU));
    ASSERT_TRUE(board->fIsPaused());
}

KEL::KS_VEC2 WholeGame::fPausePlace() {
    return fBoard()->fGetControls().fGetPause().fGetTransform().fGetAbsolute().fGetPos2();
}

game::gPages_Shop_Item* WholeGame::fShopCard(const std::string& offer) {
    auto* shop = dynamic_cast<game::GG_WINDOW_SHOP*>(fWindows().fFindWindow(kSHOP));
    if (!shop) return nullptr;
    for (int32_t i = 0; i < shop->fGetPages()->fGetItemCount(); ++i) {
        auto* card = dynamic_cast<game::gPages_Shop_Item*>(shop->fGetPages()->fGetItem(i));
        if (card && card->fGetOfferName() == offer) return card;
    }
    return nullptr;
}

KEL::G_WINDOW_MANAGER& WholeGame::fWindows() { return *game::gGame::fGetWindowManager(); }
game::gGame& WholeGame::fGameObject() { return *game::gGame::fGetGame(); }
game::GG_GAMEPLAY* WholeGame::fBoard() { return fGameObject().fGetGameplay(); }
game::GG_PLAYER* WholeGame::fPlayer() { return fGameObject().fGetCurrentPlayer(); }

}  // namespace testsupport
