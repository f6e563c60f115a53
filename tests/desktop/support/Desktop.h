#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Xlib's names stay in the driver's source: its macros (None, Status, Bool)
// clash with GoogleTest's.
typedef struct _XDisplay Display;

namespace desktop {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

// Every wait has a bound against a hang only: the game under the sanitizers
// on a loaded machine starts and draws slowly, never wrongly.
constexpr Seconds kSTART_BOUND{180.0};
constexpr Seconds kCHANGE_BOUND{60.0};

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const Rect&) const = default;
};

// A picture of RGB pixels.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;

    const uint8_t* fAt(int x, int y) const { return &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3]; }
    bool fSave(const std::filesystem::path& png) const;
};

// How far two pictures of the game's 1024x768 space lie apart, compared in
// blocks of 16x16 pixels so that a picture drawn at another scale (its edges
// filtered otherwise) still matches: the mean difference of the blocks'
// colours (0 to 255) and the share of blocks that differ plainly.
struct Difference {
    double mean = 0.0;
    double changedShare = 0.0;
};
// Blocks wholly inside a left-out rectangle are not compared.
Difference fCompare(const Picture& a, const Picture& b, const std::vector<Rect>& leftOut = {});
// The same screen: only filtering and a moving detail differ.
bool fSameScreen(const Difference& d);

// A child process in a process group of its own, killed with its group when
// the handle goes (and when the test process dies).
class Process {
public:
    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    // Starts the program with the environment given (name -> value; an empty
    // value removes the name), standard output and error into log.
    bool fStart(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment,
                const std::filesystem::path& folder, const std::filesystem::path& log, int keepFd = -1);
    pid_t fPid() const { return mPid; }
    bool fRunning();
    // The exit status (a signal's number as 128 + number), or none on the bound.
    std::optional<int> fWaitExit(Seconds bound);
    void fSignal(int signal);
    // Whether any process of its group is left (a helper it forked).
    bool fGroupAlive() const;
    // Waits until no process of the group is left; false on the bound.
    bool fWaitGroupGone(Seconds bound) const;
    void fKill();

private:
    pid_t mPid = -1;
    std::optional<int> mStatus;
};

// A private X server of a given size, optionally with openbox on it, and a
// connection to it that drives input through the test extension.
class Desktop {
public:
    Desktop(int width, int height, bool windowManager);
    ~Desktop();

    bool fReady() const { return mDisplay != nullptr; }
    const std::string& fFailure() const { return mFailure; }
    const std::string& fName() const { return mName; }
    Display* fDisplay() const { return mDisplay; }
    int fWidth() const { return mWidth; }
    int fHeight() const { return mHeight; }
    bool fHasWindowManager() const { return mWindowManager; }

    // The whole screen as the X server shows it.
    Picture fShot() const;

    // Pointer and buttons through the test extension.
    void fMove(int x, int y) const;
    void fButton(bool down) const;
    void fKey(const char* keysym, bool down) const;

    // Top-level windows: the viewable window of that WM_CLASS class, the
    // largest when several; 0 when none.
    unsigned long fFindByClass(const std::string& windowClass) const;
    // A viewable window whose name (WM_NAME or _NET_WM_NAME) is that text.
    unsigned long fFindByName(const std::string& name) const;
    std::string fNameOf(unsigned long window) const;
    // The window's drawing area in screen coordinates; empty when gone.
    Rect fPlaceOf(unsigned long window) const;
    // A close request as a window manager sends it (WM_DELETE_WINDOW).
    void fSendClose(unsigned long window) const;

    // Places and sizes a window as a window manager does, whatever its size
    // hints say (only without a manager: one would redirect the request).
    void fResize(unsigned long window, const Rect& place) const;

    // A plain window of its own, mapped and given the keyboard focus.
    unsigned long fFocusOwnWindow(const Rect& place);

    // Xvfb's and openbox's standard error, for a failure's message.
    std::string fLogs() const;

private:
    bool fStartServer();
    bool fStartWindowManager();

    int mWidth, mHeight;
    bool mWindowManager;
    std::filesystem::path mFolder;
    std::string mName;
    std::string mFailure;
    Display* mDisplay = nullptr;
    Process mServer;
    Process mManager;
};

// Waits until done answers true, looking again every tenth of a second.
bool fWaitFor(const std::function<bool()>& done, Seconds bound);

}  // namespace desktop
