#include "desktop/support/Desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "host/Image.h"
#include "support/TestEnvironment.h"

extern char** environ;

namespace desktop {

namespace fs = std::filesystem;

namespace {

void fPause(double seconds) { std::this_thread::sleep_for(Seconds(seconds)); }

std::string fRead(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A window id read from the tree may be gone by the time it is asked about.
int fIgnoreError(Display*, XErrorEvent*) { return 0; }

}  // namespace

bool Picture::fSave(const fs::path& png) const {
    std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4);
    for (size_t i = 0, n = size_t(width) * size_t(height); i < n; ++i) {
        std::memcpy(&rgba[i * 4], &rgb[i * 3], 3);
        rgba[i * 4 + 3] = 255;
    }
    fs::create_directories(png.parent_path());
    return host::fWritePng(png.string(), rgba.data(), width, height);
}

Difference fCompare(const Picture& a, const Picture& b, const std::vector<Rect>& leftOut) {
    constexpr int kBLOCK = 16;
    Difference d;
    if (a.width != b.width || a.height != b.height || a.width < kBLOCK || a.height < kBLOCK) {
        d.mean = 255.0;
        d.changedShare = 1.0;
        return d;
    }
    double sum = 0.0;
    int blocks = 0, changed = 0;
    for (int by = 0; by + kBLOCK <= a.height; by += kBLOCK) {
        for (int bx = 0; bx + kBLOCK <= a.width; bx += kBLOCK) {
            const bool skipped = std::any_of(leftOut.begin(), leftOut.end(), [&](const Rect& r) {
                return bx >= r.x && by >= r.y && bx + kBLOCK <= r.x + r.w && by + kBLOCK <= r.y + r.h;
            });
            if (skipped) continue;
            double worst = 0.0;
            for (int c = 0; c < 3; ++c) {
                double ca = 0.0, cb = 0.0;
                for (int y = by; y < by + kBLOCK; ++y)
                    for (int x = bx; x < bx + kBLOCK; ++x) {
                        ca += a.fAt(x, y)[c];
                        cb += b.fAt(x, y)[c];
                    }
                const double diff = std::fabs(ca - cb) / (kBLOCK * kBLOCK);
                sum += diff / 3.0;
                worst = std::max(worst, diff);
            }
            ++blocks;
            if (worst > 24.0) ++changed;
        }
    }
    d.mean = blocks ? sum / blocks : 0.0;
    d.changedShare = blocks ? double(changed) / blocks : 0.0;
    return d;
}

bool fSameScreen(const Difference& d) { return d.mean < 4.0 && d.changedShare < 0.02; }

bool fWaitFor(const std::function<bool()>& done, Seconds bound) {
    const Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(bound);
    while (!done()) {
        if (Clock::now() > end) return false;
        fPause(0.1);
    }
    return true;
}

// ---------------------------------------------------------------- Process

Process::~Process() { fKill(); }

bool Process::fStart(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment,
                     const fs::path& folder, const fs::path& log, int keepFd) {
    std::map<std::string, std::string> merged;
    for (char** e = environ; *e; ++e) {
        const char* eq = std::strchr(*e, '=');
        if (eq) merged[std::string(*e, size_t(eq - *e))] = eq + 1;
    }
    for (const auto& [name, value] : environment) {
        if (value.empty()) merged.erase(name);
        else merged[name] = value;
    }
    std::vector<std::string> envText;
    for (const auto& [name, value] : merged) envText.push_back(name + "=" + value);
    std::vector<char*> envp, args;
    for (auto& e : envText) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> argText = argv;
    for (auto& a : argText) args.push_back(a.data());
    args.push_back(nullptr);

    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0) return false;
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) {
        close(out);
        return false;
    }
    if (pid == 0) {
        setpgid(0, 0);
        // Nothing outlives a test process that is itself killed.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
        dup2(out, 1);
        dup2(out, 2);
        const int null = open("/dev/null", O_RDONLY);
        if (null >= 0) dup2(null, 0);
        if (keepFd >= 0) fcntl(keepFd, F_SETFD, 0);
        if (chdir(folder.c_str()) != 0) _exit(127);
        execvpe(args[0], args.data(), envp.data());
        _exit(127);
    }
    close(out);
    setpgid(pid, pid);  // also from here, so that the group exists before any signal
    mPid = pid;
    mStatus.reset();
    return true;
}

bool Process::fRunning() {
    if (mPid <= 0 || mStatus) return false;
    int status = 0;
    const pid_t done = waitpid(mPid, &status, WNOHANG);
    if (done == 0) return true;
    if (done == mPid) mStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    else mStatus = -1;
    return false;
}

std::optional<int> Process::fWaitExit(Seconds bound) {
    if (mPid <= 0) return std::nullopt;
    fWaitFor([this] { return !fRunning(); }, bound);
    return mStatus;
}

void Process::fSignal(int signal) {
    if (mPid > 0 && fRunning()) kill(mPid, signal);
}

bool Process::fGroupAlive() const {
    if (mPid <= 0) return false;
    // Zombies of the group (the leader, reaped by this process only when it
    // waits) answer as well: the leader has been waited for by now.
    return kill(-mPid, 0) == 0 || errno != ESRCH;
}

bool Process::fWaitGroupGone(Seconds bound) const {
    return fWaitFor([this] { return !fGroupAlive(); }, bound);
}

void Process::fKill() {
    if (mPid <= 0) return;
    kill(-mPid, SIGKILL);
    if (!mStatus) {
        int status = 0;
        if (waitpid(mPid, &status, 0) == mPid)
            mStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    mPid = -1;
}

// ---------------------------------------------------------------- Desktop

Desktop::Desktop(int width, int height, bool windowManager)
    : mWidth(width), mHeight(height), mWindowManager(windowManager) {
    static int made = 0;
    mFolder = testsupport::TestEnvironment::fMakeFolder("desktop-" + std::to_string(++made));
    if (!fStartServer()) return;
    if (windowManager && !fStartWindowManager()) {
        XCloseDisplay(mDisplay);
        mDisplay = nullptr;
    }
}

Desktop::~Desktop() {
    if (mDisplay) XCloseDisplay(mDisplay);
    mManager.fKill();
    mServer.fKill();
}

bool Desktop::fStartServer() {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        mFailure = "no pipe for Xvfb";
        return false;
    }
    const std::string size = std::to_string(mWidth) + "x" + std::to_string(mHeight) + "x24";
    const bool started = mServer.fStart({"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-screen", "0", size,
                                         "-nolisten", "tcp", "-noreset"},
                                        {}, mFolder, mFolder / "xvfb.log", pipeFds[1]);
    close(pipeFds[1]);
    if (!started) {
        close(pipeFds[0]);
        mFailure = "Xvfb cannot start";
        return false;
    }
    // Xvfb writes the number of the display it took once it listens.
    std::string number;
    const Clock::time_point end = Clock::now() + std::chrono::seconds(60);
    while (Clock::now() < end) {
        pollfd p{pipeFds[0], POLLIN, 0};
        if (poll(&p, 1, 200) <= 0) {
            if (!mServer.fRunning()) break;
            continue;
        }
        char c = 0;
        if (read(pipeFds[0], &c, 1) != 1) break;
        if (c == '\n') break;
        number += c;
    }
    close(pipeFds[0]);
    if (number.empty()) {
        mFailure = "Xvfb gave no display: " + fRead(mFolder / "xvfb.log");
        return false;
    }
    mName = ":" + number;
    mDisplay = XOpenDisplay(mName.c_str());
    if (!mDisplay) {
        mFailure = "no connection to Xvfb at " + mName;
        return false;
    }
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(mDisplay, &event, &error, &major, &minor)) {
        mFailure = "Xvfb has no XTEST";
        return false;
    }
    XSetErrorHandler(&fIgnoreError);
    return true;
}

bool Desktop::fStartWindowManager() {
    if (!mManager.fStart({"openbox", "--sm-disable"}, {{"DISPLAY", mName}}, mFolder, mFolder / "openbox.log")) {
        mFailure = "openbox cannot start";
        return false;
    }
    // Running once its check window names itself.
    const Atom check = XInternAtom(mDisplay, "_NET_SUPPORTING_WM_CHECK", False);
    auto checkOf = [&](::Window w) -> ::Window {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, left = 0;
        unsigned char* data = nullptr;
        ::Window found = 0;
        if (XGetWindowProperty(mDisplay, w, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &left, &data) ==
                Success &&
            data && type == XA_WINDOW && format == 32 && count == 1)
            found = *reinterpret_cast<::Window*>(data);
        if (data) XFree(data);
        return found;
    };
    const bool running = fWaitFor(
        [&] {
            const ::Window child = checkOf(DefaultRootWindow(mDisplay));
            return child != 0 && checkOf(child) == child;
        },
        Seconds(60));
    if (!running) mFailure = "openbox did not start: " + fRead(mFolder / "openbox.log");
    return running;
}

std::string Desktop::fLogs() const {
    return "Xvfb: " + fRead(mFolder / "xvfb.log") +
           (mWindowManager ? "\nopenbox: " + fRead(mFolder / "openbox.log") : "");
}

Picture Desktop::fShot() const {
    Picture p;
    XImage* image = XGetImage(mDisplay, DefaultRootWindow(mDisplay), 0, 0, unsigned(mWidth), unsigned(mHeight),
                              AllPlanes, ZPixmap);
    if (!image) return p;
    p.width = mWidth;
    p.height = mHeight;
    p.rgb.resize(size_t(mWidth) * size_t(mHeight) * 3);
    for (int y = 0; y < mHeight; ++y)
        for (int x = 0; x < mWidth; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            uint8_t* o = &p.rgb[(size_t(y) * size_t(mWidth) + size_t(x)) * 3];
            o[0] = uint8_t((pixel & image->red_mask) >> __builtin_ctzl(image->red_mask));
            o[1] = uint8_t((pixel & image->green_mask) >> __builtin_ctzl(image->green_mask));
            o[2] = uint8_t((pixel & image->blue_mask) >> __builtin_ctzl(image->blue_mask));
        }
    XDestroyImage(image);
    return p;
}

void Desktop::fMove(int x, int y) const {
    XTestFakeMotionEvent(mDisplay, -1, x, y, CurrentTime);
    XSync(mDisplay, False);
}

void Desktop::fButton(bool down) const {
    XTestFakeButtonEvent(mDisplay, 1, down ? True : False, CurrentTime);
    XSync(mDisplay, False);
}

void Desktop::fKey(const char* keysym, bool down) const {
    const KeyCode code = XKeysymToKeycode(mDisplay, XStringToKeysym(keysym));
    XTestFakeKeyEvent(mDisplay, code, down ? True : False, CurrentTime);
    XSync(mDisplay, False);
}

namespace {

bool fViewable(Display* display, ::Window w, XWindowAttributes& attributes) {
    return XGetWindowAttributes(display, w, &attributes) && attributes.map_state == IsViewable;
}

// Every window below root, depth first: the clients of a window manager sit
// inside its frames.
void fWalk(Display* display, ::Window from, const std::function<void(::Window)>& visit) {
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, from, &root, &parent, &children, &count)) return;
    std::vector<::Window> list(children, children + count);
    if (children) XFree(children);
    for (::Window w : list) {
        visit(w);
        fWalk(display, w, visit);
    }
}

}  // namespace

unsigned long Desktop::fFindByClass(const std::string& windowClass) const {
    XSync(mDisplay, False);
    ::Window best = 0;
    long bestArea = -1;
    fWalk(mDisplay, DefaultRootWindow(mDisplay), [&](::Window w) {
        XClassHint hint{};
        if (!XGetClassHint(mDisplay, w, &hint)) return;
        const bool named = (hint.res_class && windowClass == hint.res_class) ||
                           (hint.res_name && windowClass == hint.res_name);
        if (hint.res_name) XFree(hint.res_name);
        if (hint.res_class) XFree(hint.res_class);
        XWindowAttributes a{};
        if (!named || !fViewable(mDisplay, w, a)) return;
        const long area = long(a.width) * a.height;
        if (area > bestArea) {
            best = w;
            bestArea = area;
        }
    });
    return best;
}

std::string Desktop::fNameOf(unsigned long window) const {
    std::string name;
    const Atom netName = XInternAtom(mDisplay, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(mDisplay, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(mDisplay, window, netName, 0, 1024, False, utf8, &type, &format, &count, &left, &data) ==
            Success &&
        data && type == utf8 && format == 8)
        name.assign(reinterpret_cast<char*>(data), count);
    if (data) XFree(data);
    if (!name.empty()) return name;
    char* plain = nullptr;
    if (XFetchName(mDisplay, window, &plain) && plain) {
        name = plain;
        XFree(plain);
    }
    return name;
}

unsigned long Desktop::fFindByName(const std::string& name) const {
    XSync(mDisplay, False);
    ::Window found = 0;
    fWalk(mDisplay, DefaultRootWindow(mDisplay), [&](::Window w) {
        XWindowAttributes a{};
        if (!found && fNameOf(w) == name && fViewable(mDisplay, w, a)) found = w;
    });
    return found;
}

Rect Desktop::fPlaceOf(unsigned long window) const {
    XWindowAttributes a{};
    if (!window || !fViewable(mDisplay, window, a)) return {};
    int x = 0, y = 0;
    ::Window child = 0;
    if (!XTranslateCoordinates(mDisplay, window, DefaultRootWindow(mDisplay), 0, 0, &x, &y, &child)) return {};
    return {x, y, a.width, a.height};
}

void Desktop::fSendClose(unsigned long window) const {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(mDisplay, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(mDisplay, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(mDisplay, window, False, NoEventMask, &event);
    XSync(mDisplay, False);
}

void Desktop::fResize(unsigned long window, const Rect& place) const {
    XMoveResizeWindow(mDisplay, window, place.x, place.y, unsigned(place.w), unsigned(place.h));
    XSync(mDisplay, False);
}

unsigned long Desktop::fFocusOwnWindow(const Rect& place) {
    const int screen = DefaultScreen(mDisplay);
    const ::Window w = XCreateSimpleWindow(mDisplay, DefaultRootWindow(mDisplay), place.x, place.y, unsigned(place.w),
                                           unsigned(place.h), 0, BlackPixel(mDisplay, screen),
                                           WhitePixel(mDisplay, screen));
    XStoreName(mDisplay, w, "other");
    XSelectInput(mDisplay, w, StructureNotifyMask);
    XMapRaised(mDisplay, w);
    XSync(mDisplay, False);
    XWindowAttributes a{};
    fWaitFor([&] { return fViewable(mDisplay, w, a); }, Seconds(30));
    // With a manager, ask it as a pager does; without, take the focus.
    if (mWindowManager) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = w;
        event.xclient.message_type = XInternAtom(mDisplay, "_NET_ACTIVE_WINDOW", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = 2;
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(mDisplay, DefaultRootWindow(mDisplay), False, SubstructureRedirectMask | SubstructureNotifyMask,
                   &event);
    } else {
        XSetInputFocus(mDisplay, w, RevertToParent, CurrentTime);
    }
    XSync(mDisplay, False);
    return w;
}

}  // namespace desktop
