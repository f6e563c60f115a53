// Idle cost of the game as a player leaves it: started in this process over
// the built content (run from the build folder, under Xvfb), it runs the
// real main loop's frames, waits for the title to come to rest, then for a
// number of seconds notes the share of a core the process uses, the frames
// the loop drew and those the GL device left on screen unchanged, and the
// resident memory; then the same in the first 20 x 20 picture of pack 3,
// left alone, while the pointer drags across its board, and while its
// rows are filled by drags along their runs of full cells until it is
// solved and its win has played: frame times, the worst, and the frames
// over two slots of a 60 Hz screen. Beside each figure it prints the floor
// a still window would reach.
// Arguments: [seconds per measure]
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "bench/BenchResident.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/render/KC_RENDER.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_MAIN.h"
#include "game/app/gGame.h"
#include "game/board/GG_AMBIENT.h"
#include "game/board/GG_ELEMENT.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/board/GG_PROCESS.h"
#include "host/gl/GlDevice.h"

namespace {

using Clock = std::chrono::steady_clock;

using bench::fResidentMb;

double fCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool fRunUntil(KEL::KC_GAME& engine, bool (*done)(), double seconds) {
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < end && engine.mRunning) {
        if (done && done()) return true;
        engine.fFrame();
    }
    return !done;
}

bool fAtTitle() {
    KEL::G_WINDOW_MANAGER* windows = game::gGame::fGetWindowManager();
    KEL::G_WINDOW* title = windows ? windows->fFindOpenWindow("Title") : nullptr;
    return game::fGetState() == game::kSTATE_RUNNING && title && !title->fIsAnimating() &&
           !windows->fIsOpen("Fade_Transition");
}

host::GlDevice* fDevice() { return dynamic_cast<host::GlDevice*>(KEL::kcRENDER->fGetDevice()); }

struct Measure {
    double core = 0, fps = 0, drawnPerSecond = 0, p50 = 0, p99 = 0, max = 0, rss = 0;
    // Frames whose own work, or whose wait since the frame shown before,
    // took more than two slots of a 60 Hz screen.
    int32_t over = 0, gapsOver = 0;
    double gapMax = 0, worstAt = 0;
};

constexpr double kTWO_SLOTS_MS = 34.0;

// Runs the loop for `seconds`, calling `act` before each frame with the
// seconds gone; frame times are those of frames whose logic step ran.
template <typename Act>
Measure fMeasure(KEL::KC_GAME& engine, double seconds, Act act) {
    host::GlDevice* device = fDevice();
    const int64_t drawn = device ? device->fFramesDrawn() : 0;
    const int64_t kept = device ? device->fFramesKept() : 0;
    const double cpu = fCpuSeconds();
    const auto start = Clock::now();
    std::vector<double> frames;
    Measure m;
    auto shown = start;
    while (engine.mRunning) {
        const double gone = std::chrono::duration<double>(Clock::now() - start).count();
        if (gone >= seconds) break;
        act(gone);
        const int64_t before = device ? device->fFramesDrawn() + device->fFramesKept() : 0;
        const auto t = Clock::now();
        engine.fFrame();
        if (device && device->fFramesDrawn() + device->fFramesKept() != before) {
            const auto now = Clock::now();
            const double work = std::chrono::duration<double, std::milli>(now - t).count();
            const double gap = std::chrono::duration<double, std::milli>(now - shown).count();
            shown = now;
            frames.push_back(work);
            if (work > m.max) {
                m.max = work;
                m.worstAt = gone;
            }
            m.over += work > kTWO_SLOTS_MS;
            m.gapsOver += gap > kTWO_SLOTS_MS;
            m.gapMax = std::max(m.gapMax, gap);
        }
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    m.core = 100.0 * (fCpuSeconds() - cpu) / wall;
    if (device) {
        m.fps = double(device->fFramesDrawn() + device->fFramesKept() - drawn - kept) / wall;
        m.drawnPerSecond = double(device->fFramesDrawn() - drawn) / wall;
    }
    std::sort(frames.begin(), frames.end());
    if (!frames.empty()) {
        m.p50 = frames[frames.size() / 2];
        m.p99 = frames[std::min(frames.size() - 1, frames.size() * 99 / 100)];
    }
    m.rss = fResidentMb();
    return m;
}

void fPrint(const char* what, const Measure& m) {
    std::printf("%-22s core %6.1f %%  frames %5.1f/s  drawn %5.1f/s  frame p50 %5.2f p99 %5.2f ms  rss %6.1f MB\n",
                what, m.core, m.fps, m.drawnPerSecond, m.p50, m.p99, m.rss);
    std::printf("%-22s frame max %6.2f ms at %.2f s, over %.0f ms: %d; between shown frames max %6.2f ms, over: %d\n",
                "", m.max, m.worstAt, kTWO_SLOTS_MS, m.over, m.gapMax, m.gapsOver);
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 5.0;
    KEL::KC_GAME engine;
    KEL::kcGAME = &engine;
    game::fRegisterCallbacks();
    if (engine.fInit("") != 1) return 1;
    engine.mRunning = 1;
    if (!fRunUntil(engine, &fAtTitle, 60.0)) return 1;
    fRunUntil(engine, nullptr, 1.0);
    const Measure title = fMeasure(engine, seconds, [](double) {});
    game::gGame& game = *game::gGame::fGetGame();
    // As the level list does: the title's screens go, then the level starts
    // and the windows it does not use are given back.
    KEL::G_WINDOW_MANAGER* windows = game::gGame::fGetWindowManager();
    if (windows) windows->fHideAll();
    fRunUntil(engine, nullptr, 1.5);
    const bool shown = game.fShowLevel(3, 1);
    if (windows) windows->fUnloadAll(false);
    fRunUntil(engine, nullptr, 3.0);
    const Measure level = fMeasure(engine, seconds, [](double) {});
    // The pointer sweeps the middle of the screen with the button held,
    // back and forth, as a player filling rows.
    bool held = false;
    const Measure drag = fMeasure(engine, seconds, [&](double gone) {
        const double phase = gone * 0.5 - double(int(gone * 0.5));
        const int32_t x = int32_t(300 + 420 * (phase < 0.5 ? phase * 2 : 2 - phase * 2));
        const int32_t y = 250 + int32_t(gone * 0.5) % 10 * 40;
        if (!KEL::kcINPUT) return;
        KEL::kcINPUT->fOnMouseMove(x, y);
        if (!held) {
            KEL::kcINPUT->fOnKeyDown(1);
            held = true;
        }
    });
    if (KEL::kcINPUT && held) {
        KEL::kcINPUT->fOnKeyUp(1);
        held = false;
    }
    fRunUntil(engine, nullptr, 0.5);
    // Then the picture is filled as a player who knows it: each row's runs
    // of full cells, one drag each, from the top.
    struct Run {
        KEL::KS_VEC2 from, to;
    };
    std::vector<Run> runs;
    if (game::GG_GAMEPLAY* gameplay = game.fGetGameplay()) {
        std::vector<std::pair<int32_t, int32_t>> full;
        for (const game::GG_ELEMENT* cell : gameplay->fGetProcess().fGetFullCells())
            full.emplace_back(cell->fGetRow(), cell->fGetColumn());
        std::sort(full.begin(), full.end());
        for (size_t i = 0; i < full.size();) {
            size_t end = i + 1;
            while (end < full.size() && full[end].first == full[i].first &&
                   full[end].second == full[end - 1].second + 1)
                ++end;
            runs.push_back({gameplay->fGetAmbient().fGetCellCentre(full[i].first, full[i].second),
                            gameplay->fGetAmbient().fGetCellCentre(full[end - 1].first, full[end - 1].second)});
            i = end;
        }
    }
    constexpr double kRUN_SECONDS = 0.4;
    // The whole picture, then its win.
    const double fillSeconds = std::max(seconds, double(runs.size()) * kRUN_SECONDS + 4.0);
    const Measure fill = fMeasure(engine, fillSeconds, [&](double gone) {
        const size_t index = size_t(gone / kRUN_SECONDS);
        if (!KEL::kcINPUT || index >= runs.size()) return;
        const Run& run = runs[index];
        const double along = std::min(1.0, (gone - double(index) * kRUN_SECONDS) / (kRUN_SECONDS * 0.75));
        KEL::kcINPUT->fOnMouseMove(int32_t(run.from.x + (run.to.x - run.from.x) * float(along)), int32_t(run.from.y));
        if (!held && along < 1.0) {
            KEL::kcINPUT->fOnKeyDown(1);
            held = true;
        } else if (held && along >= 1.0) {
            KEL::kcINPUT->fOnKeyUp(1);
            held = false;
        }
    });
    if (KEL::kcINPUT && held) KEL::kcINPUT->fOnKeyUp(1);
    std::printf("measured over %.0f s each; a still window's floor: core ~0 %%, drawn 0/s\n", seconds);
    fPrint("title, left alone", title);
    fPrint(shown ? "20x20 level, alone" : "level did not start", level);
    fPrint("20x20 level, dragging", drag);
    fPrint("20x20 level, filling", fill);
    if (game::GG_GAMEPLAY* gameplay = game.fGetGameplay())
        std::printf("filled %zu of %zu full cells in %zu drags, %d mistakes\n",
                    gameplay->fGetProcess().fGetRevealedFull().size(), gameplay->fGetProcess().fGetFullCells().size(),
                    std::min(runs.size(), size_t(fillSeconds / kRUN_SECONDS) + 1), gameplay->fGetErrors());
    else std::printf("filled in %zu drags; the picture has ended\n", runs.size());
    KEL::KC_CALLBACK::fCall(KEL::kcbAFTER_LOOP);
    return 0;
}
