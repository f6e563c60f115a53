// The game's real executable on a private X server, with openbox where a
// case says, driven only through the X test extension and judged by what
// the server shows and by what the game saved. Pictures are compared in the
// game's 1024x768 space: the window's place and the letterbox (the picture
// scaled to fit and centred) map it onto the screen. Every case leaves its
// pictures as <build>/screens/desktop-<case>-<moment>.png.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "desktop/support/Desktop.h"
#include "support/TestEnvironment.h"

namespace {

namespace fs = std::filesystem;
using desktop::Desktop;
using desktop::Picture;
using desktop::Rect;
using desktop::Seconds;

constexpr int kGAME_W = 1024, kGAME_H = 768;
constexpr const char* kWINDOW_CLASS = "VANTREL";
constexpr const char* kWINDOW_TITLE = "Picture Logic";
// The user folder below XDG_DATA_HOME: company and product of game.xml.
constexpr const char* kUSER_FOLDER = "Oakhurst/PictureLogic";

// Where the default content draws what the cases click, in game pixels.
struct Point {
    int x, y;
};
// Those of the windows are their layouts' positions from the middle of the
// screen (content/data/share/main/other/window_*.xml).
constexpr Point kPLAY{512, 424}, kOPTIONS{372, 584}, kEXIT{652, 584};
constexpr Point kFULL_SCREEN_BOX{262, 394}, kKEEP{682, 544};
constexpr Point kYES{432, 444};  // of the question before the game ends
constexpr Point kFIRST_PACK{357, 364}, kFIRST_LEVEL{325, 262};
// Where the pointer waits while pictures are compared: on no widget, so that
// the game's own cursor sits at the same place in every picture.
constexpr Point kREST{1008, 752};
// The full-screen box changes its look when ticked.
const Rect kBOX_AREA{224, 352, 80, 96};

std::string fRead(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// What a start needs beyond the defaults.
struct Start {
    int width = 1280, height = 1024;
    bool windowManager = false;
    // ALSOFT_DRIVERS: "null" opens a device that plays nothing; a driver
    // that does not exist leaves the game without a sound device.
    std::string sound = "null";
    bool fullscreenFlag = false;      // the user's game.xml asks for full screen
    bool withoutProductFile = false;  // Resources without game.xml: a failed start
};

class DesktopCase : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef NONOGRAM_DESKTOP_SKIP
        GTEST_SKIP() << NONOGRAM_DESKTOP_SKIP;
#endif
    }

    void TearDown() override {
        for (Run& run : mRuns) {
            mOn = &run;
            if (mOn->game.fRunning()) {
                fShoot("left-running");
                ADD_FAILURE() << "the game was still running at the end; its output:\n" << fLog();
            }
            mOn->game.fKill();
            EXPECT_TRUE(mOn->game.fWaitGroupGone(Seconds(30))) << "a process of the game is left behind";
            mOn->desktop.reset();
        }
    }

    // The desktop up and the game started on it.
    void fLaunch(const Start& start) {
        mOn->desktop = std::make_unique<Desktop>(start.width, start.height, start.windowManager);
        ASSERT_TRUE(mOn->desktop->fReady()) << mOn->desktop->fFailure();
        const std::string tag = mOn == &mRuns[0] ? "" : "-reference";
        const fs::path root = testsupport::TestEnvironment::fRoot();
        const fs::path run = testsupport::TestEnvironment::fMakeFolder("run" + tag);
        const fs::path xdg = testsupport::TestEnvironment::fMakeFolder("xdg" + tag);
        const fs::path resources(NONOGRAM_BINARY_DIR "/Resources");
        // The game reads ./Resources and writes only to its user folder.
        if (start.withoutProductFile) {
            fs::create_directories(run / "Resources");
            for (const auto& entry : fs::directory_iterator(resources))
                if (entry.path().filename() != "game.xml")
                    fs::create_directory_symlink(entry.path(), run / "Resources" / entry.path().filename());
        } else {
            fs::create_directory_symlink(resources, run / "Resources");
        }
        mOn->user = xdg / kUSER_FOLDER;
        if (start.fullscreenFlag) {
            fs::create_directories(mOn->user);
            std::ofstream(mOn->user / "game.xml")
                << "<game><fullscreen value=\"true\"/><version value=\"1\"/></game>\n";
        }
        mOn->milestones = root / ("milestones" + tag + ".txt");
        mOn->log = root / ("game" + tag + ".log");
        ASSERT_TRUE(mOn->game.fStart({NONOGRAM_BINARY_DIR "/nonogram"},
                                     {{"DISPLAY", mOn->desktop->fName()},
                                      {"SDL_VIDEODRIVER", "x11"},
                                      {"ALSOFT_DRIVERS", start.sound},
                                      {"XDG_DATA_HOME", xdg.string()},
                                      {"HOME", root.string()},
                                      {"NONOGRAM_MILESTONES", mOn->milestones.string()}},
                                     run, mOn->log));
    }

    std::string fLog() const { return fRead(mOn->log); }

    // Whether the game still runs; its end, unless the case waits for it,
    // fails the case once, with what the game wrote.
    bool fAlive() {
        if (mOn->game.fRunning()) return true;
        if (!mOn->endExpected && !mOn->endReported) {
            mOn->endReported = true;
            ADD_FAILURE() << "the game ended; its output:\n" << fLog();
        }
        return false;
    }

    bool fReached(const std::string& milestone) const {
        std::istringstream lines(fRead(mOn->milestones));
        for (std::string line; std::getline(lines, line);)
            if (line.rfind(milestone + " ", 0) == 0) return true;
        return false;
    }

    unsigned long fWindow() const { return mOn->desktop->fFindByClass(kWINDOW_CLASS); }
    Rect fPlace() const { return mOn->desktop->fPlaceOf(fWindow()); }
    bool fCoversDesktop() const { return fPlace() == Rect{0, 0, mOn->desktop->fWidth(), mOn->desktop->fHeight()}; }
    bool fWindowed() const {
        const Rect r = fPlace();
        return r.w == kGAME_W && r.h == kGAME_H;
    }

    // Full screen letterboxes the game's picture (scaled to fit and centred);
    // a window sized otherwise than asked shows it stretched over itself.
    struct Fit {
        double sx, sy, ox, oy;
    };
    Fit fFit(const Rect& r) const {
        if (mStretched) return {double(r.w) / kGAME_W, double(r.h) / kGAME_H, 0.0, 0.0};
        const double s = std::min(double(r.w) / kGAME_W, double(r.h) / kGAME_H);
        return {s, s, (r.w - kGAME_W * s) / 2.0, (r.h - kGAME_H * s) / 2.0};
    }
    Point fToScreen(Point game) const {
        const Rect r = fPlace();
        const Fit f = fFit(r);
        return {r.x + int(std::floor(f.ox + (game.x + 0.5) * f.sx)),
                r.y + int(std::floor(f.oy + (game.y + 0.5) * f.sy))};
    }

    // The game's picture as the screen shows it, back in the game's space.
    Picture fPicture() const {
        const Picture shot = mOn->desktop->fShot();
        const Rect r = fPlace();
        Picture p;
        if (shot.rgb.empty() || r.w <= 0) return p;
        p.width = kGAME_W;
        p.height = kGAME_H;
        p.rgb.assign(size_t(kGAME_W) * kGAME_H * 3, 0);
        const Fit f = fFit(r);
        for (int y = 0; y < kGAME_H; ++y)
            for (int x = 0; x < kGAME_W; ++x) {
                const int sx = r.x + int(f.ox + (x + 0.5) * f.sx), sy = r.y + int(f.oy + (y + 0.5) * f.sy);
                if (sx < 0 || sy < 0 || sx >= shot.width || sy >= shot.height) continue;
                std::copy_n(shot.fAt(sx, sy), 3, &p.rgb[(size_t(y) * kGAME_W + size_t(x)) * 3]);
            }
        return p;
    }

    // Pictures until two in a row match: the game has come to rest.
    Picture fStill() {
        Picture last = fPicture();
        desktop::Difference d;
        const bool still = desktop::fWaitFor(
            [&] {
                if (!fAlive()) return true;
                std::this_thread::sleep_for(Seconds(0.3));
                Picture now = fPicture();
                d = desktop::fCompare(last, now);
                last = std::move(now);
                return d.mean < 1.0 && d.changedShare < 0.005;
            },
            desktop::kCHANGE_BOUND);
        if (!fAlive()) return last;
        if (!still) {
            fShoot("restless");
            ADD_FAILURE() << "the game's picture never came to rest: mean " << d.mean << ", blocks changed "
                          << d.changedShare;
        }
        return last;
    }

    // Pictures until the screen is another than before, then at rest.
    bool fChangedFrom(const Picture& before, const std::vector<Rect>& leftOut = {}) {
        const bool changed = desktop::fWaitFor(
            [&] { return !fAlive() || !desktop::fSameScreen(desktop::fCompare(before, fPicture(), leftOut)); },
            desktop::kCHANGE_BOUND);
        if (!fAlive()) return false;
        if (changed) fStill();
        return changed;
    }

    void fRestPointer() const {
        const Point at = fToScreen(kREST);
        mOn->desktop->fMove(at.x, at.y);
    }

    // A click as a player makes it: the pointer there, the button held until
    // the game shows it (a press and release read in one step would be lost).
    void fClick(Point game) {
        if (!fAlive()) return;
        fStill();
        const Point at = fToScreen(game);
        mOn->desktop->fMove(at.x, at.y);
        const Picture before = fStill();
        mOn->desktop->fButton(true);
        desktop::fWaitFor([&] { return !desktop::fSameScreen(desktop::fCompare(before, fPicture())); }, Seconds(2));
        mOn->desktop->fButton(false);
    }

    // A click, then the screen that follows at rest, the pointer back at rest.
    bool fClickTo(Point game) {
        fRestPointer();
        const Picture before = fStill();
        fClick(game);
        fRestPointer();
        return fChangedFrom(before);
    }

    void fPress(const char* keysym) {
        mOn->desktop->fKey(keysym, true);
        std::this_thread::sleep_for(Seconds(0.5));
        mOn->desktop->fKey(keysym, false);
    }

    // The whole screen, <build>/screens/desktop-<case>-<moment>.png.
    void fShoot(const std::string& moment) const {
        if (!mOn->desktop || !mOn->desktop->fReady()) return;
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test->test_suite_name()) + "-" + test->name() +
                           (mOn == &mRuns[0] ? "" : "-reference");
        std::replace(name.begin(), name.end(), '/', '-');
        mOn->desktop->fShot().fSave(fs::path(NONOGRAM_BINARY_DIR) / "screens" /
                                    ("desktop-" + name + "-" + moment + ".png"));
    }

    // The title at rest, the pointer resting.
    void fWaitTitle() {
        ASSERT_TRUE(
            desktop::fWaitFor([&] { return fReached("title") || !mOn->game.fRunning(); }, desktop::kSTART_BOUND))
            << "no title on the bound; the game's output:\n"
            << fLog();
        ASSERT_TRUE(fAlive()) << "the game ended before its title";
        ASSERT_TRUE(desktop::fWaitFor([&] { return fWindow() != 0; }, desktop::kCHANGE_BOUND));
        fRestPointer();
        fStill();
    }

    // Ends with that status within the bound, leaving no process behind.
    void fExpectEnd(int status) {
        mOn->endExpected = true;
        const std::optional<int> ended = mOn->game.fWaitExit(desktop::kCHANGE_BOUND);
        ASSERT_TRUE(ended.has_value()) << "the game did not end; its output:\n" << fLog();
        EXPECT_EQ(*ended, status) << "its output:\n" << fLog();
        EXPECT_TRUE(mOn->game.fWaitGroupGone(Seconds(30))) << "a process of the game outlived it";
    }

    // Exit on the title, yes to the question: the game ends well.
    void fQuit() {
        ASSERT_TRUE(fClickTo(kEXIT)) << "Exit does not answer";
        fClick(kYES);
        fExpectEnd(0);
    }

    // The game's full-screen flag as the user's game.xml holds it.
    std::string fSavedFullscreen() const {
        const std::string text = fRead(mOn->user / "game.xml");
        const size_t at = text.find("<fullscreen value=\"");
        if (at == std::string::npos) return "";
        const size_t from = at + std::strlen("<fullscreen value=\"");
        return text.substr(from, text.find('"', from) - from);
    }

    // The message box of that caption, at rest, over the game window with
    // its title (any, when the start failed before the game's texts).
    unsigned long fWaitMessageBox(const std::string& caption, const std::string& title = kWINDOW_TITLE) {
        unsigned long box = 0;
        EXPECT_TRUE(
            desktop::fWaitFor([&] { return (box = mOn->desktop->fFindByName(caption)) != 0 || !mOn->game.fRunning(); },
                              desktop::kSTART_BOUND))
            << "no \"" << caption << "\" box; the game's output:\n"
            << fLog();
        if (!box) {
            ADD_FAILURE() << "no \"" << caption << "\" box; the game's output:\n" << fLog();
            return 0;
        }
        std::this_thread::sleep_for(Seconds(1));
        fShoot("box");
        const unsigned long window = fWindow();
        EXPECT_NE(window, 0u) << "no game window under the box";
        if (window) {
            const std::string name = mOn->desktop->fNameOf(window);
            EXPECT_FALSE(name.empty()) << "the game window has no title yet";
            if (!title.empty()) {
                EXPECT_EQ(name, title);
            }
            const Rect g = mOn->desktop->fPlaceOf(window), b = mOn->desktop->fPlaceOf(box);
            EXPECT_NEAR(b.x + b.w / 2, g.x + g.w / 2, 40) << "the box is not centred on the game window";
            EXPECT_NEAR(b.y + b.h / 2, g.y + g.h / 2, 40) << "the box is not centred on the game window";
        }
        return box;
    }

    // The box's one button: the box's lower part, the button's middle found
    // as the middle of the rows and columns that differ from the box's own
    // colour there.
    Point fButtonOf(unsigned long box) const {
        const Rect b = mOn->desktop->fPlaceOf(box);
        const Picture shot = mOn->desktop->fShot();
        const uint8_t* plain = shot.fAt(b.x + 2, b.y + b.h - 2);
        int left = b.x + b.w, right = b.x, top = b.y + b.h, bottom = b.y;
        for (int y = b.y + b.h / 2; y < b.y + b.h - 1; ++y)
            for (int x = b.x + 1; x < b.x + b.w - 1; ++x) {
                const uint8_t* p = shot.fAt(x, y);
                if (std::abs(p[0] - plain[0]) + std::abs(p[1] - plain[1]) + std::abs(p[2] - plain[2]) < 30) continue;
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        return {(left + right) / 2, (top + bottom) / 2};
    }

    // A desktop and the game on it: the case's own, and a reference where
    // a case compares with the game's windowed picture.
    struct Run {
        std::unique_ptr<Desktop> desktop;
        desktop::Process game;
        fs::path user, milestones, log;
        bool endExpected = false, endReported = false;
    };
    Run mRuns[2];
    Run* mOn = &mRuns[0];
    bool mStretched = false;  // the window was sized from outside

    // Runs the steps on the reference game, then turns back to the case's own.
    void fOnReference(const std::function<void()>& steps) {
        struct Back {
            Run*& on;
            Run* was;
            ~Back() { on = was; }
        } back{mOn, mOn};
        mOn = &mRuns[1];
        steps();
    }
};

// ------------------------------------------------------------ starts

TEST_F(DesktopCase, NullSoundDeviceStartsAtTheTitle) {
    ASSERT_NO_FATAL_FAILURE(fLaunch({}));
    ASSERT_NO_FATAL_FAILURE(fWaitTitle());
    fShoot("title");
    EXPECT_EQ(mOn->desktop->fFindByName("Warning"), 0u) << "a sound warning over a null device";
    EXPECT_TRUE(fWindowed());
    EXPECT_EQ(mOn->desktop->fNameOf(fWindow()), kWINDOW_TITLE);
    fQuit();
}

// Without a sound device the warning comes first; once answered, the title.
class WithoutSoundDevice : public DesktopCase, public ::testing::WithParamInterface<bool> {};

TEST_P(WithoutSoundDevice, WarnsThenShowsTheTitle) {
    const bool byClick = GetParam();
    // Clicked on a bare server, where it once ignored clicks; Return under openbox.
    ASSERT_NO_FATAL_FAILURE(fLaunch({.windowManager = !byClick, .sound = "no-such-driver"}));
    const unsigned long box = fWaitMessageBox("Warning");
    ASSERT_NE(box, 0u);
    if (byClick) {
        const Point ok = fButtonOf(box);
        mOn->desktop->fMove(ok.x, ok.y);
        std::this_thread::sleep_for(Seconds(0.5));
        mOn->desktop->fButton(true);
        std::this_thread::sleep_for(Seconds(0.5));
        mOn->desktop->fButton(false);
    } else {
        fPress("Return");
    }
    ASSERT_NO_FATAL_FAILURE(fWaitTitle());
    EXPECT_EQ(mOn->desktop->fFindByName("Warning"), 0u) << "the warning stayed";
    fShoot("title");
    fQuit();
}

INSTANTIATE_TEST_SUITE_P(Desktop, WithoutSoundDevice, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "OkClicked" : "ReturnPressed"; });

// ------------------------------------------------------------ full screen

struct Screen {
    int width, height;
    bool windowManager;
    friend void PrintTo(const Screen& s, std::ostream* out) {
        *out << s.width << "x" << s.height << (s.windowManager ? " with openbox" : "");
    }
};

class FullScreen : public DesktopCase, public ::testing::WithParamInterface<Screen> {
protected:
    // The bars beside or above and below the picture are drawn, not left black.
    void fExpectBars() {
        const Rect r = fPlace();
        const Fit f = fFit(r);
        const int barW = int(f.ox), barH = int(f.oy);
        const Rect bar = barW > 0 ? Rect{0, 0, barW, r.h} : Rect{0, 0, r.w, barH};
        if (bar.w <= 0 || bar.h <= 0) return;
        const Picture shot = mOn->desktop->fShot();
        double sum = 0.0;
        for (int y = bar.y; y < bar.y + bar.h; ++y)
            for (int x = bar.x; x < bar.x + bar.w; ++x)
                sum += shot.fAt(x, y)[0] + shot.fAt(x, y)[1] + shot.fAt(x, y)[2];
        EXPECT_GT(sum / (double(bar.w) * bar.h), 30.0) << "the side bars are black";
    }

    // Ticks or unticks the box in Options and waits for the mode.
    void fToggle(bool toFullScreen) {
        fClick(kFULL_SCREEN_BOX);
        fRestPointer();
        EXPECT_TRUE(
            desktop::fWaitFor([&] { return !mOn->game.fRunning() || (toFullScreen ? fCoversDesktop() : fWindowed()); },
                              desktop::kCHANGE_BOUND))
            << (toFullScreen ? "the window never covered the desktop" : "the window never came back");
        ASSERT_TRUE(fAlive()) << "the game ended at the switch";
        fRestPointer();
    }
};

TEST_P(FullScreen, FillsTheDesktopAndComesBack) {
    const Screen screen = GetParam();
    ASSERT_NO_FATAL_FAILURE(
        fLaunch({.width = screen.width, .height = screen.height, .windowManager = screen.windowManager}));
    ASSERT_NO_FATAL_FAILURE(fWaitTitle());
    const Picture title = fStill();
    ASSERT_TRUE(fClickTo(kOPTIONS)) << "Options did not open in the window";
    const Picture options = fStill();
    fShoot("windowed");

    ASSERT_NO_FATAL_FAILURE(fToggle(true));
    const Picture full = fStill();
    fShoot("full");
    const desktop::Difference d = desktop::fCompare(options, full, {kBOX_AREA});
    EXPECT_TRUE(desktop::fSameScreen(d)) << "the letterboxed picture is not the windowed one: mean " << d.mean
                                         << ", blocks changed " << d.changedShare;
    fExpectBars();
    // Clicks land on what is drawn in full screen.
    ASSERT_TRUE(fClickTo(kKEEP));
    EXPECT_TRUE(desktop::fSameScreen(desktop::fCompare(title, fStill()))) << "Keep did not lead back to the title";
    EXPECT_EQ(fSavedFullscreen(), "true");
    ASSERT_TRUE(fClickTo(kOPTIONS)) << "Options did not open in full screen";

    ASSERT_NO_FATAL_FAILURE(fToggle(false));
    fShoot("back");
    EXPECT_TRUE(desktop::fSameScreen(desktop::fCompare(options, fStill(), {kBOX_AREA})));
    ASSERT_TRUE(fClickTo(kKEEP));
    EXPECT_EQ(fSavedFullscreen(), "false");
    fQuit();
}

INSTANTIATE_TEST_SUITE_P(Desktop, FullScreen,
                         ::testing::Values(Screen{1280, 1024, true}, Screen{1920, 1080, true},
                                           Screen{1280, 1024, false}, Screen{1920, 1080, false}),
                         [](const auto& info) {
                             return (info.param.windowManager ? "Openbox" : "Bare") + std::to_string(info.param.width) +
                                    "x" + std::to_string(info.param.height);
                         });

TEST_F(DesktopCase, TenFullScreenTogglesInARow) {
    ASSERT_NO_FATAL_FAILURE(fLaunch({.width = 1920, .height = 1080, .windowManager = true}));
    ASSERT_NO_FATAL_FAILURE(fWaitTitle());
    const Picture title = fStill();
    ASSERT_TRUE(fClickTo(kOPTIONS));
    for (int i = 0; i < 10; ++i) {
        const bool toFull = i % 2 == 0;
        fClick(kFULL_SCREEN_BOX);
        fRestPointer();
        ASSERT_TRUE(desktop::fWaitFor(
            [&] { return !mOn->game.fRunning() || (toFull ? fCoversDesktop() : fWindowed()); }, desktop::kCHANGE_BOUND))
            << "toggle " << i + 1 << " did not take effect";
        ASSERT_TRUE(fAlive()) << "the game ended at toggle " << i + 1;
    }
    fShoot("after");
    // Still drawing and answering: Keep leads to the title.
    ASSERT_TRUE(fClickTo(kKEEP));
    EXPECT_TRUE(desktop::fSameScreen(desktop::fCompare(title, fStill())));
    fQuit();
}

TEST_F(DesktopCase, FullScreenFlagStartsInFullScreen) {
    ASSERT_NO_FATAL_FAILURE(fLaunch({.width = 1920, .height = 1080, .windowManager = false, .fullscreenFlag = true}));
    ASSERT_NO_FATAL_FAILURE(fWaitTitle());
    fShoot("title");
    EXPECT_TRUE(fCoversDesktop()) << "the start with the flag is not in full screen";
    ASSERT_TRUE(fClickTo(kOPTIONS)) << "Options did not open in full screen";
    const Picture full = fStill();
    // The same screen in the window: the full-screen picture was the game's.
    fClick(kFULL_SCREEN_BOX);
    fRestPointer();
    ASSERT_TRUE(desktop::fWaitFor([&] { return !mOn->game.fRunning() || fWindowed(); }, desktop::kCHANGE_BOUND));
    const Picture windowed = fStill();
    EXPECT_TRUE(desktop::fSameScreen(desktop::fCompare(full, windowed, {kBOX_AREA})));
    ASSERT_TRUE(fClickTo(kKEEP));
    fQuit();
}

// ------------------------------------------------------------ small screens

class SmallScreen : public DesktopCase, public ::testing::WithParamInterface<Screen> {};

TEST_P(SmallScreen, ShowsTheWholeTitleScaledToFit) {
    const Screen screen = GetParam();
    ASSERT_NO_FATAL_FAILURE(
        fLaunch({.width = screen.width, .height = screen.height, .windowManager = screen.windowManager}));
    fOnReference([&] { fLaunch({}); });
    Picture windowed;
    fOnReference([&] {
        ASSERT_NO_FATAL_FAILURE(fWaitTitle());
        windowed = fStill();
        fQuit();
    });
    ASSERT_NO_FATAL_FAILURE(fWaitTitle());
    fShoot("title");
    EXPECT_TRUE(fCoversDesktop()) << "a desktop smaller than the game is not filled";
    const Picture title = fStill();
    const desktop::Difference d = desktop::fCompare(windowed, title);
    EXPECT_TRUE(desktop::fSameScreen(d)) << "the title is not the whole title scaled to fit: mean " << d.mean
                                         << ", blocks changed " << d.changedShare;
    // The buttons of the title's lowest row, where they are drawn.
    ASSERT_TRUE(fClickTo(kOPTIONS)) << "Options does not answer";
    ASSERT_TRUE(fClickTo(kKEEP));
    EXPECT_TRUE(desktop::fSameScreen(desktop::fCompare(title, fStill())));
    fQuit();
}

INSTANTIATE_TEST_SUITE_P(Desktop, SmallScreen, ::testing::Values(Screen{640, 480, false}, Screen{800, 600, true}),
                         [](const auto& info) {
                             return (info.param.windowManager ? "Openbox" : "Bare") + std::to_string(info.param.width) +
                                    "x" + std::to_string(info.param.height);
                         });

// ------------------------------------------------------------ the window

// As a tiling manager does: the whole screen, against the size hints. The
// test itself is that manager: openbox keeps to the hints.
TEST_F(DesktopCase, WindowResizedAgainstItsHintsTakesClicksWhereItDraws) {
    ASSERT_NO_FATAL_FAILURE(fLaunch({.width = 1280, .height = 1024}));
    ASSERT_NO_FATAL_FAILURE(fWaitTitle());
    const Picture title = fStill();
    mOn->desktop->fResize(fWindow(), {0, 0, 1280, 1024});
    mStretched = true;
    ASSERT_TRUE(desktop::fWaitFor([&] { return !fAlive() || fCoversDesktop(); }, desktop::kCHANGE_BOUND))
        << "the window was not resized";
    ASSERT_TRUE(fAlive());
    fRestPointer();
    const Picture resized = fStill();
    fShoot("resized");
    const desktop::Difference d = desktop::fCompare(title, resized);
    EXPECT_TRUE(desktop::fSameScreen(d)) << "the resized window does not show the title over itself: mean " << d.mean
                                         << ", blocks changed " << d.changedShare;
    ASSERT_TRUE(fClickTo(kOPTIONS)) << "Options does not answer in the resized window";
    ASSERT_TRUE(fClickTo(kKEEP));
    fQuit();
}

TEST_F(DesktopCase, FocusGivenToAnotherWindowPausesARunningPicture) {
    ASSERT_NO_FATAL_FAILURE(fLaunch({.width = 1920, .height = 1080, .windowManager = true}));
    ASSERT_NO_FATAL_FAILURE(fWaitTitle());
    ASSERT_TRUE(fClickTo(kPLAY));
    ASSERT_TRUE(fClickTo(kFIRST_PACK));
    ASSERT_TRUE(fClickTo(kFIRST_LEVEL));
    const Picture running = fStill();
    fShoot("picture");
    const fs::path save = mOn->user / "players.save";
    std::error_code ec;
    const auto savedBefore = fs::last_write_time(save, ec);
    // Away from the game's window, so that only the game changes its picture.
    mOn->desktop->fFocusOwnWindow({0, 0, 120, 120});
    EXPECT_TRUE(fChangedFrom(running)) << "the picture did not pause";
    fShoot("paused");
    EXPECT_TRUE(fs::exists(save) &&
                (!savedBefore.time_since_epoch().count() || fs::last_write_time(save) != savedBefore))
        << "the game did not save when it lost the focus";
    mOn->desktop->fSendClose(fWindow());
    fExpectEnd(0);
}

// ------------------------------------------------------------ ending

TEST_F(DesktopCase, CloseRequestAtTheTitleEnds) {
    ASSERT_NO_FATAL_FAILURE(fLaunch({}));
    ASSERT_NO_FATAL_FAILURE(fWaitTitle());
    mOn->desktop->fSendClose(fWindow());
    fExpectEnd(0);
}

TEST_F(DesktopCase, CloseRequestInAPictureEnds) {
    ASSERT_NO_FATAL_FAILURE(fLaunch({.windowManager = true}));
    ASSERT_NO_FATAL_FAILURE(fWaitTitle());
    ASSERT_TRUE(fClickTo(kPLAY));
    ASSERT_TRUE(fClickTo(kFIRST_PACK));
    ASSERT_TRUE(fClickTo(kFIRST_LEVEL));
    fShoot("picture");
    mOn->desktop->fSendClose(fWindow());
    fExpectEnd(0);
}

TEST_F(DesktopCase, CloseRequestDuringAWindowAnimationEnds) {
    ASSERT_NO_FATAL_FAILURE(fLaunch({}));
    ASSERT_NO_FATAL_FAILURE(fWaitTitle());
    // Options slides in: the request comes while it moves.
    fClick(kOPTIONS);
    mOn->desktop->fSendClose(fWindow());
    fShoot("sliding");
    fExpectEnd(0);
}

// A message box up: a close request on the game's window or SIGTERM ends the
// game, with success after the warning and failure after a failed start.
struct BoxEnding {
    bool failedStart;
    bool byClose;
    friend void PrintTo(const BoxEnding& e, std::ostream* out) {
        *out << (e.failedStart ? "failed start" : "warning") << (e.byClose ? ", close request" : ", SIGTERM");
    }
};

class EndingUnderAMessageBox : public DesktopCase, public ::testing::WithParamInterface<BoxEnding> {};

TEST_P(EndingUnderAMessageBox, EndsWithItsStatus) {
    const BoxEnding ending = GetParam();
    Start start;
    start.sound = ending.failedStart ? "null" : "no-such-driver";
    start.withoutProductFile = ending.failedStart;
    ASSERT_NO_FATAL_FAILURE(fLaunch(start));
    ASSERT_NE(fWaitMessageBox(ending.failedStart ? "Error" : "Warning", ending.failedStart ? "" : kWINDOW_TITLE), 0u);
    mOn->endExpected = true;
    if (ending.byClose) mOn->desktop->fSendClose(fWindow());
    else mOn->game.fSignal(SIGTERM);
    const std::optional<int> ended = mOn->game.fWaitExit(desktop::kCHANGE_BOUND);
    ASSERT_TRUE(ended.has_value()) << "the game did not end under its box; its output:\n" << fLog();
    if (ending.failedStart) EXPECT_NE(*ended, 0);
    else EXPECT_EQ(*ended, 0) << "its output:\n" << fLog();
    EXPECT_TRUE(mOn->game.fWaitGroupGone(Seconds(30))) << "a process of the game outlived it";
}

INSTANTIATE_TEST_SUITE_P(Desktop, EndingUnderAMessageBox,
                         ::testing::Values(BoxEnding{false, true}, BoxEnding{false, false}, BoxEnding{true, true},
                                           BoxEnding{true, false}),
                         [](const auto& info) {
                             return std::string(info.param.failedStart ? "FailedStart" : "Warning") +
                                    (info.param.byClose ? "CloseRequest" : "Sigterm");
                         });

}  // namespace
