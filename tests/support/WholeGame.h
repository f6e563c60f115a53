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
#include "support/InputDriver.h"

namespace KEL {
class KC_GUI_OBJECT;
class G_WINDOW;
class G_WINDOW_MANAGER;
}  // namespace KEL

namespace game {
class gGame;
class gPages_Shop_Item;
class GG_GAMEPLAY;
class GG_PLAYER;
}  // namespace game

namespace testsupport {

// The real game object over the built default content, run frame by frame
// in the test's own folder and driven only by messages through the host's
// event queue, as a player drives it. With pictures the game draws on an
// offscreen window and shots of it go to <build>/screens/<name>.png;
// without, it draws to a recording device.
//
// Every wait has a bound against a hang only: a loaded machine draws
// slowly, never wrongly. The user folder lives as long as the test
// process, so a restart finds what the game saved.
class WholeGame : public ::testing::Test {
public:
    using Clock = std::chrono::steady_clock;
    // A screen change: the milliseconds from its click to its rest, and
    // its longest frame.
    struct Timing {
        std::string mChange;
        double mMs = 0.0;
        double mWorstFrame = 0.0;
    };

protected:
    void SetUp() override;
    void TearDown() override;

    // The edition game.xml names for the next start ("pc", "pc_inapp").
    void fUseEdition(const std::string& edition);

    // The engine made and its start-up run, the loop marked running when
    // that succeeded; the start-up's result.
    int32_t fBoot();
    // A start up to the title at rest, as the program makes it.
    void fStart();
    // The window's close button, then the end of the program.
    void fQuit();
    // Quit and start again on the same user folder.
    void fRestart();
    // What the program does once its loop has ended: the after-loop slot,
    // then the engine released.
    void fEnd();

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
    // Frames until that much game time has passed: each logic step adds
    // its frame time.
    void fWait(float seconds);

    // Messages wait in the window's queue until the game's loop pumps them.
    InputDriver& fInput() { return *mInput; }
    // The window's queue itself, for messages the test delivers by hand.
    FakeWindowLog& fQueue() { return **mWindow; }
    // A click at a point, the pointer coming as mApproach says.
    void fClickAt(KEL::KS_VEC2 at);
    // Once no window moves and the point has kept still a few logic steps:
    // a window easing in its widgets, or one moving in front, would refuse
    // the click.
    void fClickSteady(const std::function<KEL::KS_VEC2()>& place);
    void fClickWidget(const std::string& window, int32_t id);
    void fClickWidget(const KEL::KC_GUI_OBJECT& widget);
    // Where a widget of an open window sits; (0, 0) and a failure when not.
    KEL::KS_VEC2 fWhere(const std::string& window, int32_t id);

    // Open, at rest and not behind the fade.
    bool fShown(const std::string& name);
    // The open modal windows, front first.
    std::vector<std::string> fOpenModals();

    // Clicks, then waits for the window to come to rest, and as long again
    // for windows leaving behind it: a window still sliding takes clicks.
    // Timed as fTimed when the change is named.
    void fOpenBy(const std::function<void()>& click, const std::string& window);
    void fOpenBy(const std::string& change, const std::function<void()>& click, const std::string& window);
    void fCloseBy(const std::function<void()>& click, const std::string& window);
    void fCloseBy(const std::string& change, const std::function<void()>& click, const std::string& window);
    // Clicks, then waits for the screen to be shown, keeping the time from
    // the last press the click made (from the call when it made none) and
    // the longest frame since.
    void fTimed(const std::string& change, const std::function<void()>& click, const std::string& screen);
    // The same, for a screen already open behind the one that leaves.
    void fTimedClose(const std::string& change, const std::function<void()>& click, const std::string& leaving);
    void fTimed(const std::string& change, const std::function<void()>& click, const std::function<bool()>& done);
    // Keeps a change's time and longest frame, and prints them.
    void fKeepTime(const std::string& change, double ms, double worstFrame);
    void fPrintWorstFrame();
    // The next frame as a picture, <build>/screens/<prefix>-<name>.png;
    // nothing without pictures.
    void fShoot(const std::string& name);

    // From the title at rest: the strip's change line, the players list,
    // a new player named so; the list is left open with the name chosen.
    void fNamePlayer(const std::string& name);

    // Title, packs and a pack's levels by clicks; from the level list
    // itself when it is already shown.
    void fOpenPack(int32_t packIndex);
    // A level card of the list shown, then the picture running.
    void fPlayLevel(int32_t levelIndex);
    // Pause, leave, yes: back at the level list.
    void fLeaveLevel();
    // A picture shown by the game object itself, running, the fade gone.
    game::GG_GAMEPLAY* fShowLevel(int32_t pack, int32_t level);
    // The running picture's guide stopped, then its pause control: the
    // level paused under its menu.
    void fPauseLevel();
    // The open shop's card of that offer; null when there is none.
    game::gPages_Shop_Item* fShopCard(const std::string& offer);

    KEL::KC_GAME& fEngine() { return *mGame; }
    KEL::G_WINDOW_MANAGER& fWindows();
    game::gGame& fGameObject();
    game::GG_GAMEPLAY* fBoard();
    game::GG_PLAYER* fPlayer();

    // Drawn on an offscreen window and shot; set before SetUp runs.
    // NONOGRAM_WHOLE_GAME_PICTURES=1 draws every scenario so.
    bool mPictures = true;
    InputDriver::Approach mApproach = InputDriver::Approach::kFROM_ASIDE;
    // Prefix of this test's pictures and printed lines.
    std::string mPrefix = "walk";
    std::vector<Timing> mTimings;
    double mWorstFrame = 0.0;
    MessageBoxCatcher mBoxes;

private:
    // Where the running picture's pause control sits.
    KEL::KS_VEC2 fPausePlace();
    // A press about to be delivered starts a timed change's clock.
    void fNotePress();

    bool mTiming = false;
    Clock::time_point mPressed;
    double mChangeWorst = 0.0;

    std::unique_ptr<host::IWindow> mScreen;  // made before the fake windows
    std::unique_ptr<FakeWindowScope> mWindow;
    std::unique_ptr<InputDriver> mInput;
    std::unique_ptr<KEL::KC_GAME> mGame;
};

}  // namespace testsupport
