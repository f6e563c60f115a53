// Start-up timing of the game against two neighbours, run by hand under one
// X server (Xvfb started with -noreset; DISPLAY names it):
//   bench_startup <game> <floor> [runs]
// Alternating runs of: the game, the floor program (exec to its first
// presented frame, from its milestone) and sgt-pattern (exec to its window
// being mapped, polled with xwininfo). The game is timed twice over:
//  - from its own milestones: exec to the first drawn frame, to the loading
//    screen's first picture and to the title taking input;
//  - from outside, as a player meets it: its window (found by _NET_WM_PID)
//    mapped and its middle row no longer black, polled with XGetImage a few
//    ms apart; and the title's Play button showing its hover look with
//    nothing over it, the pointer parked on the button through XTest from
//    the moment the window maps and nudged by a pixel every frame. Hover is
//    what the button does once input reaches it: the splash passes no moves
//    on and the modal fade keeps them from the windows behind it, so a
//    clicked-and-ignored press never enters the figure. The hover look is
//    read first in a run not counted: the button's top-left part, with the
//    pointer on the title at rest away from it and then on it; the game's
//    own cursor is drawn right of and below its tip, off that part.
// Both title figures also after the first frame, beside the content's own
// start-up animation. Prints medians and ratios, and the game's resident
// memory once the title is shown. Each program starts in a fresh folder
// below /tmp with its own user folder.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// Last: its macros (None, Bool, Status) stay out of the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

extern char** environ;
namespace fs = std::filesystem;

namespace {

// The default content's own start-up animation: one splash of 0.5 s, then
// "Fade_Transition" shown and hidden in 0.25 s each (screen_loading.xml,
// window_fade.xml). The title may take input no later than this plus 100 ms
// after the first frame.
constexpr double kCONTENT_ANIMATION_MS = 1000.0;
constexpr double kALLOWANCE_MS = 100.0;

long long fNowMicros() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}

pid_t fSpawn(const std::string& program, const std::string& folder, const std::vector<std::string>& extra) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    env.insert(env.end(), extra.begin(), extra.end());
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string name = program;
    char* argv[] = {name.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 1, 0);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : pid;
}

// Microseconds of the milestone, or -1 when it never came.
long long fMilestone(const fs::path& file, const std::string& name, long long deadline) {
    while (fNowMicros() < deadline) {
        std::ifstream in(file);
        std::string key;
        long long at = 0;
        while (in >> key >> at)
            if (key == name) return at;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return -1;
}

long long fResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atoll(line.c_str() + 6);
    return -1;
}

void fStop(pid_t pid) {
    // Never -1 or 0: those would signal every process or the whole group.
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

double fMedian(std::vector<double> values) {
    if (values.empty()) return -1.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// --- Seen from outside, through the X server --------------------------------

constexpr int kGAME_WIDTH = 1024;
constexpr int kGAME_HEIGHT = 768;
// The title's Play button, 96 x 96 about (512, 424) in game space. The
// pointer rests on its lower right; the part compared lies above and left
// of the pointer's tip, clear of the game's cursor.
constexpr int kPOINTER_X = 530, kPOINTER_Y = 440;
constexpr int kPART_LEFT = 468, kPART_TOP = 380, kPART_RIGHT = 524, kPART_BOTTOM = 434;
constexpr long long kPOLL_MICROS = 2000;
constexpr long long kNUDGE_MICROS = 16000;

int fIgnoreXErrors(Display*, XErrorEvent*) { return 0; }

struct KS_PLACE {
    Window window = 0;
    int rootX = 0, rootY = 0, width = 0, height = 0;
    // Game space to window pixels: the picture scaled to fit and centred.
    double scale = 1.0;
    int offsetX = 0, offsetY = 0;
    int fX(int x) const { return offsetX + int(x * scale + 0.5); }
    int fY(int y) const { return offsetY + int(y * scale + 0.5); }
};

struct KS_PIXELS {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
};

long fWindowPid(Display* display, Window window, Atom pidAtom) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
            Success &&
        data && format == 32 && count == 1)
        pid = long(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return pid;
}

// The viewable window the process named, under a window manager's frame
// or straight under the root.
Window fFindWindow(Display* display, Window parent, Atom pidAtom, pid_t pid, int depth = 0) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        if (fWindowPid(display, children[i], pidAtom) == long(pid)) {
            XWindowAttributes a{};
            if (XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable && a.width >= 64)
                found = children[i];
        }
        if (!found && depth < 3) found = fFindWindow(display, children[i], pidAtom, pid, depth + 1);
    }
    if (children) XFree(children);
    return found;
}

bool fPlace(Display* display, Window window, KS_PLACE& place) {
    XWindowAttributes a{};
    Window child = 0;
    if (!XGetWindowAttributes(display, window, &a) ||
        !XTranslateCoordinates(display, window, a.root, 0, 0, &place.rootX, &place.rootY, &child))
        return false;
    place.window = window;
    place.width = a.width;
    place.height = a.height;
    place.scale = std::min(double(a.width) / kGAME_WIDTH, double(a.height) / kGAME_HEIGHT);
    place.offsetX = int((a.width - kGAME_WIDTH * place.scale) / 2);
    place.offsetY = int((a.height - kGAME_HEIGHT * place.scale) / 2);
    return true;
}

bool fGrab(Display* display, const KS_PLACE& place, int x, int y, int width, int height, KS_PIXELS& out) {
    XImage* image = XGetImage(display, place.window, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image) return false;
    out.width = width;
    out.height = height;
    out.rgb.resize(size_t(width) * size_t(height));
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            out.rgb[size_t(row) * size_t(width) + size_t(column)] = uint32_t(XGetPixel(image, column, row)) & 0xFFFFFFu;
    XDestroyImage(image);
    return true;
}

// The middle row painted: nine in ten of its pixels are not black (before
// its first frame a window shows black or whatever lay under it).
bool fFramePainted(Display* display, const KS_PLACE& place) {
    KS_PIXELS row;
    if (!fGrab(display, place, 0, place.height / 2, place.width, 1, row)) return false;
    const auto lit = std::count_if(row.rgb.begin(), row.rgb.end(), [](uint32_t p) { return p != 0; });
    return lit * 10 >= long(row.rgb.size()) * 9;
}

bool fGrabPart(Display* display, const KS_PLACE& place, KS_PIXELS& out) {
    const int left = place.fX(kPART_LEFT), top = place.fY(kPART_TOP);
    return fGrab(display, place, left, top, place.fX(kPART_RIGHT) - left, place.fY(kPART_BOTTOM) - top, out);
}

// Pixels of the two pictures that differ by more than a few steps in a
// channel: rounding passes, a fade's last frames over the button do not.
long fDiffering(const KS_PIXELS& a, const KS_PIXELS& b) {
    if (a.rgb.size() != b.rgb.size()) return long(std::max(a.rgb.size(), b.rgb.size()));
    long count = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8) {
            const int d = int((a.rgb[i] >> shift) & 0xFF) - int((b.rgb[i] >> shift) & 0xFF);
            if (d > 4 || d < -4) {
                ++count;
                break;
            }
        }
    return count;
}

bool fLooksLike(const KS_PIXELS& a, const KS_PIXELS& b) {
    return !b.rgb.empty() && fDiffering(a, b) * 100 <= long(b.rgb.size());
}

class KC_OUTSIDE {
public:
    KC_OUTSIDE() {
        mDisplay = XOpenDisplay(nullptr);
        if (!mDisplay) return;
        XSetErrorHandler(&fIgnoreXErrors);
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(mDisplay, &event, &error, &major, &minor)) {
            XCloseDisplay(mDisplay);
            mDisplay = nullptr;
            return;
        }
        mPidAtom = XInternAtom(mDisplay, "_NET_WM_PID", False);
    }
    ~KC_OUTSIDE() {
        if (mDisplay) XCloseDisplay(mDisplay);
    }
    bool fReady() const { return mDisplay != nullptr; }
    Display* fDisplay() const { return mDisplay; }

    bool fFind(pid_t pid, KS_PLACE& place) {
        const Window window = fFindWindow(mDisplay, DefaultRootWindow(mDisplay), mPidAtom, pid);
        return window && fPlace(mDisplay, window, place);
    }
    // The pointer to a point of game space, nudged right by `nudge` pixels.
    void fPoint(const KS_PLACE& place, int x, int y, int nudge = 0) {
        XTestFakeMotionEvent(mDisplay, -1, place.rootX + place.fX(x) + nudge, place.rootY + place.fY(y), 0);
        XFlush(mDisplay);
    }

private:
    Display* mDisplay = nullptr;
    Atom mPidAtom = 0;
};

struct KS_OUTSIDE_RUN {
    long long frame = -1;  // microseconds of the monotonic clock, -1 unseen
    long long title = -1;
};

// Polls one start of the game from its spawn: the first frame seen, then,
// with the pointer parked on Play, the hover look seen (when one is given).
KS_OUTSIDE_RUN fWatch(KC_OUTSIDE& outside, pid_t pid, const KS_PIXELS& hover, long long deadline) {
    KS_OUTSIDE_RUN run;
    KS_PLACE place;
    bool found = false;
    long long nudged = 0;
    int nudge = 0;
    Display* display = outside.fDisplay();
    while (fNowMicros() < deadline) {
        if (!found) {
            found = outside.fFind(pid, place);
            if (found) outside.fPoint(place, kPOINTER_X, kPOINTER_Y);
        }
        if (found && run.frame < 0 && fFramePainted(display, place)) run.frame = fNowMicros();
        if (run.frame >= 0) {
            if (hover.rgb.empty()) break;
            KS_PIXELS part;
            if (fGrabPart(display, place, part) && fLooksLike(part, hover)) {
                run.title = fNowMicros();
                break;
            }
            if (fNowMicros() - nudged >= kNUDGE_MICROS) {
                nudge = 1 - nudge;
                outside.fPoint(place, kPOINTER_X, kPOINTER_Y, nudge);
                nudged = fNowMicros();
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(kPOLL_MICROS));
    }
    return run;
}

bool fPatternMapped() {
    FILE* pipe = popen("xwininfo -root -tree 2>/dev/null | grep -ci pattern", "r");
    int count = 0;
    if (pipe) {
        if (fscanf(pipe, "%d", &count) != 1) count = 0;
        pclose(pipe);
    }
    return count > 0;
}

fs::path fPrepareFolder(const fs::path& resources, const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::create_directory_symlink(resources, folder / "Resources");
    return folder;
}

std::vector<std::string> fGameEnvironment(const fs::path& folder) {
    return {"NONOGRAM_MILESTONES=" + (folder / "milestones.txt").string(),
            "XDG_DATA_HOME=" + (folder / "xdg").string()};
}

// The top-left part of Play in its hover look, read from one start that is
// not counted: with the title at rest, first with the pointer off the
// button, then on it. Empty, with the reason, when no hover look shows.
KS_PIXELS fReadHover(KC_OUTSIDE& outside, const std::string& game, const fs::path& resources, std::string& why) {
    const fs::path folder = fPrepareFolder(resources, "startup_bench_hover");
    const pid_t pid = fSpawn(game, folder.string(), fGameEnvironment(folder));
    const long long deadline = fNowMicros() + 60000000LL;
    KS_PLACE place;
    while (pid > 0 && !outside.fFind(pid, place) && fNowMicros() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    KS_PIXELS normal, hover, again;
    const auto settle = [&](int x, int y) {
        for (int i = 0; i < 20; ++i) {
            outside.fPoint(place, x, y, i % 2);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    };
    if (!place.window) {
        why = "the game's window never showed";
    } else if (fMilestone(folder / "milestones.txt", "title", deadline) < 0) {
        why = "the title never took input";
    } else {
        settle(kGAME_WIDTH / 2, kGAME_HEIGHT - 8);
        fGrabPart(outside.fDisplay(), place, normal);
        settle(kPOINTER_X, kPOINTER_Y);
        fGrabPart(outside.fDisplay(), place, hover);
        settle(kPOINTER_X, kPOINTER_Y);
        fGrabPart(outside.fDisplay(), place, again);
        if (hover.rgb.empty() || !fLooksLike(again, hover)) why = "the button's look does not hold still";
        else if (fDiffering(normal, hover) * 20 < long(hover.rgb.size())) why = "the button shows no hover look";
        else
            std::printf("window %dx%d at %d,%d; Play's hover look read\n", place.width, place.height, place.rootX,
                        place.rootY);
    }
    fStop(pid);
    fs::remove_all(folder);
    if (!why.empty()) hover = KS_PIXELS();
    return hover;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <game> <floor> [runs]\n", argv[0]);
        return 2;
    }
    const std::string game = fs::absolute(argv[1]).string();
    const std::string floor = fs::absolute(argv[2]).string();
    const int runs = argc > 3 ? std::atoi(argv[3]) : 7;
    const fs::path resources = fs::path(game).parent_path() / "Resources";
    KC_OUTSIDE outside;
    std::string why;
    KS_PIXELS hover;
    if (!outside.fReady()) why = "no X server with XTest in DISPLAY";
    else hover = fReadHover(outside, game, resources, why);
    if (!why.empty()) std::printf("not seen from outside: %s\n", why.c_str());
    std::vector<double> gameFrame, gameSplash, gameTitle, titleAfterFrame, floorFrame, pattern, rss;
    std::vector<double> seenFrame, seenTitle, seenAfterFrame;
    for (int run = 0; run < runs; ++run) {
        const fs::path folder = fPrepareFolder(resources, "startup_bench_" + std::to_string(run));
        const fs::path marks = folder / "milestones.txt";
        const std::vector<std::string> env = fGameEnvironment(folder);

        long long start = fNowMicros();
        pid_t pid = fSpawn(game, folder.string(), env);
        if (outside.fReady() && pid > 0) {
            const KS_OUTSIDE_RUN seen = fWatch(outside, pid, hover, start + 60000000LL);
            if (seen.frame > 0) seenFrame.push_back((seen.frame - start) / 1000.0);
            if (seen.title > 0) seenTitle.push_back((seen.title - start) / 1000.0);
            if (seen.frame > 0 && seen.title > 0) seenAfterFrame.push_back((seen.title - seen.frame) / 1000.0);
        }
        const long long frame = fMilestone(marks, "frame", start + 60000000LL);
        const long long title = fMilestone(marks, "title", start + 60000000LL);
        // Marked before the title: already in the file.
        const long long splash = fMilestone(marks, "splash", fNowMicros() + 100000LL);
        if (frame > 0) gameFrame.push_back((frame - start) / 1000.0);
        if (frame > 0 && splash > 0) gameSplash.push_back((splash - frame) / 1000.0);
        if (title > 0) gameTitle.push_back((title - start) / 1000.0);
        if (frame > 0 && title > 0) titleAfterFrame.push_back((title - frame) / 1000.0);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        rss.push_back(fResidentKb(pid) / 1024.0);
        fStop(pid);

        fs::remove(marks);
        start = fNowMicros();
        pid = fSpawn(floor, folder.string(), env);
        const long long floorAt = fMilestone(marks, "frame", start + 60000000LL);
        if (floorAt > 0) floorFrame.push_back((floorAt - start) / 1000.0);
        int status = 0;
        if (pid > 0) waitpid(pid, &status, 0);

        start = fNowMicros();
        pid = fSpawn("/usr/games/sgt-pattern", folder.string(), {});
        if (pid > 0) {
            while (!fPatternMapped() && fNowMicros() < start + 60000000LL) {
            }
            pattern.push_back((fNowMicros() - start) / 1000.0);
            fStop(pid);
        }
        fs::remove_all(folder);
    }
    const double floorMs = fMedian(floorFrame);
    std::printf("runs %d (medians, ms)\n", runs);
    std::printf("floor: first frame               milestone %8.1f\n", floorMs);
    const auto line = [floorMs](const char* what, const char* how, const std::vector<double>& values) {
        if (values.empty()) return std::printf("game:  %-25s %-9s        -\n", what, how), void();
        std::printf("game:  %-25s %-9s %8.1f  (floor + %.1f, %.2f x floor)\n", what, how, fMedian(values),
                    fMedian(values) - floorMs, fMedian(values) / floorMs);
    };
    const auto afterLine = [](const char* how, const std::vector<double>& values) {
        if (values.empty()) return std::printf("game:  title after the first frame, %-9s -\n", how), void();
        const double after = fMedian(values);
        std::printf(
            "game:  title after the first frame, %-9s %6.1f  (content's animation %.0f + %.1f; at most + %.0f)\n", how,
            after, kCONTENT_ANIMATION_MS, after - kCONTENT_ANIMATION_MS, kALLOWANCE_MS);
    };
    line("first frame", "milestone", gameFrame);
    line("first frame", "outside", seenFrame);
    std::printf("game:  loading screen shown %8.1f  after the first frame (milestones)\n", fMedian(gameSplash));
    line("title taking input", "milestone", gameTitle);
    line("title taking input", "outside", seenTitle);
    afterLine("milestone", titleAfterFrame);
    afterLine("outside", seenAfterFrame);
    std::printf("sgt-pattern: window shown %8.1f  (%.2f x floor)\n", fMedian(pattern), fMedian(pattern) / floorMs);
    std::printf("game:  resident after the title %.1f MB\n", fMedian(rss));
    return 0;
}
