#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "SERVICE/KC_GAME.h"
#include "engine/util/KS_VEC2.h"
#include "host/IWindow.h"
#include "support/FakeHost.h"

namespace KEL {
class G_WINDOW;
class G_WINDOW_MANAGER;
}  // namespace KEL

namespace game {
class gGame;
class GG_GAMEPLAY;
class GG_PLAYER;
}  // namespace game

namespace testsupport {

// The real game object over the built default content, run frame by frame
// in the test's own folder and driven only by messages through the host's
// event queue, as a player drives it. The game draws on an offscreen
// window; shots of it go to <build>/screens/<name>.png.
//
// Every wait has a bound against a hang only: a loaded machine draws
// slowly, never wrongly. The user folder lives as long as the test
// process, so a restart finds what the game saved.
class WholeGame : public ::testing::Test {
public:
    using Clock = std::chrono::steady_clock;
    // A screen change and the milliseconds from its click to its rest.
    using Timing = std::pair<std::string, double>;

protected:
    void SetUp() override;
    void TearDown() override;

    // The edition game.xml names for the next start ("pc", "pc_inapp").
    void fUseEdition(const std::string& edition);

    // A start up to the title at rest, as the program makes it.
    void fStart();
    // The window's close button, then the end of the program.
    void fQuit();
    // Quit and start again on the same user folder.
    void fRestart();

    void fFrame();
    void fFrames(int count);
    // Frames until game time has gone on: a frame that only waited for its
    // turn moves nothing, so counting it as a frame would see still
    // windows where a slide is half done.
    void fStep();
    // Frames until done answers true; false on the hang bound or when the
    // game stopped running (unless evenStopped).
    bool fRunUntil(const std::function<bool()>& done, bool evenStopped = false);
    // Frames until no open window moves and the fade is down.
    bool fSettle();

    // Messages wait in the window's queue until the game's loop pumps them.
    void fSend(uint32_t message, uint32_t key = 0, int32_t x = 0, int32_t y = 0);
    // The pointer comes from aside, so buttons see it enter.
    void fClickAt(float x, float y);
    // Once the place has stayed put for a few steps of game time: windows
    // ease their widgets in after they stand, and a slide reaches its end a
    // step after its window reports it shown.
    void fClickSteady(const std::function<KEL::KS_VEC2()>& place);
    // Once no window moves (one moving in front would refuse the click)
    // and the widget has come to rest.
    void fClickWidget(const std::string& window, int32_t id);
    // Press at one point, move to the other, release there.
    void fDrag(KEL::KS_VEC2 from, KEL::KS_VEC2 to);
    void fKey(uint32_t key);
    void fType(const std::string& text);
    // Where a widget of an open window sits; (0, 0) and a failure when not.
    KEL::KS_VEC2 fWhere(const std::string& window, int32_t id);

    // Open, at rest and not behind the fade.
    bool fShown(const std::string& name);
    // The open modal windows, front first.
    std::vector<std::string> fOpenModals();

    // Clicks, then waits for the screen to be shown, keeping the time.
    void fTimed(const std::string& change, const std::function<void()>& click, const std::string& screen);
    // The same, for a screen already open behind the one that leaves.
    void fTimedClose(const std::string& change, const std::function<void()>& click, const std::string& leaving);
    void fTimed(const std::string& change, const std::function<void()>& click, const std::function<bool()>& done);
    // Keeps a time measured elsewhere and prints it.
    void fKeepTime(const std::string& change, double ms);
    // The next frame as a picture, <build>/screens/<prefix><name>.png.
    void fShoot(const std::string& name);

    KEL::G_WINDOW_MANAGER& fWindows();
    game::gGame& fGameObject();
    game::GG_GAMEPLAY* fBoard();
    game::GG_PLAYER* fPlayer();

    // Prefix of this test's pictures and printed lines.
    std::string mPrefix = "walk";
    std::vector<Timing> mTimings;
    double mWorstFrame = 0.0;

private:
    void fAfterLoop();

    std::unique_ptr<host::IWindow> mScreen;  // made before the fake windows
    std::unique_ptr<FakeWindowScope> mWindow;
    MessageBoxCatcher mBoxes;
    std::unique_ptr<KEL::KC_GAME> mGame;
};

}  // namespace testsupport
