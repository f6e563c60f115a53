#include "support/WholeGame.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_TIMER.h"
#include "engine/render/KC_RENDER.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_MAIN.h"
#include "game/app/gGame.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/product/GG_SETTINGS.h"
#include "host/gl/GlDevice.h"
#include "support/GlScreen.h"

namespace fs = std::filesystem;

namespace testsupport {

namespace {

const fs::path kBUILT = fs::path(NONOGRAM_BINARY_DIR) / "Resources";
constexpr std::chrono::seconds kHANG_BOUND{120};

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
    mScreen = host::fMakeWindow();
    ASSERT_TRUE(mScreen->fCreate("whole game", 1024, 768, false));
    mWindow = std::make_unique<FakeWindowScope>(1024, 768);
    KEL::KC_FILESYSTEM::fGetInstance();
    fs::copy(kBUILT, fs::current_path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void WholeGame::TearDown() {
    if (mGame && KEL::kcGAME == mGame.get()) fAfterLoop();
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

void WholeGame::fStart() {
    mGame = std::make_unique<KEL::KC_GAME>();
    void* screen = mScreen->fNativeHandle();
    mGame->mDeviceFactory = [screen] { return new KC_OFFSCREEN_DEVICE(screen); };
    KEL::kcGAME = mGame.get();
    game::fRegisterCallbacks();
    gGameDraw = KEL::kcbDRAW;
    KEL::kcbDRAW = KEL::KC_CALLBACK::fCreate(&fDrawThenShoot, "whole_game_draw", nullptr);
    ASSERT_EQ(mGame->fInit(""), 1);
    mGame->mRunning = 1;
    ASSERT_TRUE(fRunUntil([this] { return game::fGetState() == game::kSTATE_RUNNING && fShown("Title"); }));
}

void WholeGame::fQuit() {
    (*mWindow)->fPush(host::kMsgClose);
    ASSERT_TRUE(fRunUntil([this] { return !mGame->mRunning; }, true));
    fAfterLoop();
}

void WholeGame::fRestart() {
    ASSERT_NO_FATAL_FAILURE(fQuit());
    ASSERT_NO_FATAL_FAILURE(fStart());
}

void WholeGame::fAfterLoop() {
    delete KEL::kcbDRAW;
    KEL::kcbDRAW = gGameDraw;
    gGameDraw = nullptr;
    KEL::KC_CALLBACK::fCall(KEL::kcbAFTER_LOOP);
    KEL::kcGAME = nullptr;
    mGame.reset();
    game::GG_SETTINGS::fGetInstance().fReset();
}

void WholeGame::fFrame() {
    const Clock::time_point start = Clock::now();
    mGame->fFrame();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    mWorstFrame = std::max(mWorstFrame, ms);
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

bool WholeGame::fSettle() {
    return fRunUntil([this] {
        if (fWindows().fIsOpen("Fade_Transition")) return false;
        for (const KEL::G_WINDOW* window : fWindows().fGetOpenWindows())
            if (window->fIsAnimating()) return false;
        return true;
    });
}

void WholeGame::fSend(uint32_t message, uint32_t key, int32_t x, int32_t y) {
    (*mWindow)->fPush(message, key, x, y);
    fRunUntil([this] { return (*mWindow)->mQueue.empty(); });
    fFrames(1);
}

void WholeGame::fClickAt(float x, float y) {
    fSend(host::kMsgMouseMove, 0, int32_t(x) + 2, int32_t(y));
    fSend(host::kMsgMouseMove, 0, int32_t(x), int32_t(y));
    fSend(host::kMsgLButtonDown);
    fSend(host::kMsgLButtonUp);
}

namespace {

KEL::KC_GUI_OBJECT* fFindWidget(KEL::G_WINDOW_MANAGER& windows, const std::string& window, int32_t id) {
    KEL::G_WINDOW* found = windows.fFindOpenWindow(window);
    EXPECT_NE(found, nullptr) << window << " is not open";
    KEL::KC_GUI_OBJECT* widget = found && found->fGetGui() ? found->fGetGui()->fFindChild(id) : nullptr;
    EXPECT_TRUE(!found || widget) << window << " has no widget " << id;
    return widget;
}

}  // namespace

KEL::KS_VEC2 WholeGame::fWhere(const std::string& window, int32_t id) {
    KEL::KC_GUI_OBJECT* widget = fFindWidget(fWindows(), window, id);
    return widget ? widget->fGetTransform().fGetAbsolute().fGetPos2() : KEL::KS_VEC2{0.0f, 0.0f};
}

void WholeGame::fClickWidget(const std::string& window, int32_t id) {
    // A window still moving anywhere in front refuses the click, so wait
    // as a player waits for the screen to stop.
    fRunUntil([this] {
        for (const KEL::G_WINDOW* open : fWindows().fGetOpenWindows())
            if (open->fIsAnimating()) return false;
        return true;
    });
    if (KEL::KC_GUI_OBJECT* widget = fFindWidget(fWindows(), window, id))
        fClickSteady([widget] { return widget->fGetTransform().fGetAbsolute().fGetPos2(); });
}

void WholeGame::fClickSteady(const std::function<KEL::KS_VEC2()>& place) {
    constexpr int kSTILL_STEPS = 3;
    KEL::KS_VEC2 last = place();
    int still = 0;
    for (int step = 0; step < 600 && still < kSTILL_STEPS && mGame->mRunning; ++step) {
        fStep();
        const KEL::KS_VEC2 now = place();
        still = now == last ? still + 1 : 0;
        last = now;
    }
    fClickAt(last.x, last.y);
}

void WholeGame::fDrag(KEL::KS_VEC2 from, KEL::KS_VEC2 to) {
    fSend(host::kMsgMouseMove, 0, int32_t(from.x), int32_t(from.y));
    fSend(host::kMsgLButtonDown);
    fSend(host::kMsgMouseMove, 0, int32_t(to.x), int32_t(to.y));
    fSend(host::kMsgLButtonUp);
}

void WholeGame::fKey(uint32_t key) {
    fSend(host::kMsgKeyDown, key);
    fSend(host::kMsgKeyUp, key);
}

void WholeGame::fType(const std::string& text) {
    for (char c : text) fKey(uint32_t(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
}

bool WholeGame::fShown(const std::string& name) {
    KEL::G_WINDOW* window = fWindows().fFindOpenWindow(name);
    return window && !window->fIsAnimating() && !fWindows().fIsOpen("Fade_Transition");
}

std::vector<std::string> WholeGame::fOpenModals() {
    std::vector<std::string> names;
    for (const KEL::G_WINDOW* window : fWindows().fGetOpenWindows())
        if (window->fIsModal()) names.push_back(window->fGetName());
    return names;
}

void WholeGame::fTimed(const std::string& change, const std::function<void()>& click, const std::string& screen) {
    fTimed(change, click, [this, screen] { return fShown(screen); });
}

void WholeGame::fTimedClose(const std::string& change, const std::function<void()>& click,
                            const std::string& leaving) {
    fTimed(change, click, [this, leaving] { return !fWindows().fIsOpen(leaving); });
}

void WholeGame::fTimed(const std::string& change, const std::function<void()>& click,
                       const std::function<bool()>& done) {
    const Clock::time_point start = Clock::now();
    click();
    ASSERT_TRUE(fRunUntil(done)) << change << " never ended";
    fKeepTime(change, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    fShoot(fFileName(change));
}

void WholeGame::fKeepTime(const std::string& change, double ms) {
    mTimings.emplace_back(change, ms);
    std::printf("[ %s ] %-32s %7.1f ms\n", mPrefix.c_str(), change.c_str(), ms);
}

void WholeGame::fShoot(const std::string& name) {
    gShot = mPrefix + "-" + name;
    fRunUntil([] { return gShot.empty(); });
}

KEL::G_WINDOW_MANAGER& WholeGame::fWindows() { return *game::gGame::fGetWindowManager(); }
game::gGame& WholeGame::fGameObject() { return *game::gGame::fGetGame(); }
game::GG_GAMEPLAY* WholeGame::fBoard() { return dynamic_cast<game::GG_GAMEPLAY*>(fGameObject().fGetGameplay()); }
game::GG_PLAYER* WholeGame::fPlayer() { return fGameObject().fGetCurrentPlayer(); }

}  // namespace testsupport
