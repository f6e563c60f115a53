// Resident memory across the screens: started in this process over the
// built content (run from the build folder, under Xvfb or with
// SDL_VIDEODRIVER=offscreen), it waits for the title, notes the resident
// size, then opens and closes every window the manager knows, each left to
// finish its animation, for a number of rounds, and notes the size again.
// Prints both, the growth, what each window added after the first round,
// and the slowest frame. Arguments: [rounds] [window names to leave out...]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "bench/BenchResident.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_MAIN.h"
#include "game/app/gGame.h"

namespace {

using Clock = std::chrono::steady_clock;

using bench::fResidentMb;

// Decoded pictures the repository holds, as the textures' pixels.
double fPicturesMb() {
    return KEL::kcREPOSITORY ? double(KEL::kcREPOSITORY->fGetTextureBytes()) / (1024.0 * 1024.0) : 0.0;
}

KEL::G_WINDOW_MANAGER& fWindows() { return *game::gGame::fGetWindowManager(); }

// Frames the engine, keeping the slowest frame in milliseconds.
struct Runner {
    KEL::KC_GAME& engine;
    double worstMs = 0.0;

    template <typename Done>
    bool fUntil(Done done, double seconds) {
        const auto end = Clock::now() + std::chrono::duration<double>(seconds);
        while (Clock::now() < end && engine.mRunning) {
            if (done()) return true;
            const auto start = Clock::now();
            engine.fFrame();
            worstMs = std::max(worstMs, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        return done();
    }
    void fFor(double seconds) {
        fUntil([] { return false; }, seconds);
    }
};

bool fResting(const std::string& name) {
    KEL::G_WINDOW* window = fWindows().fFindOpenWindow(name);
    return window && !window->fIsAnimating() && !fWindows().fIsOpen("Fade_Transition");
}

bool fAtTitle() { return game::fGetState() == game::kSTATE_RUNNING && fResting("Title"); }

// Every window the game loaded, less the title under them all, the fade
// that drives itself and those named on the command line.
std::vector<std::string> fScreens(const std::set<std::string>& leftOut) {
    std::vector<std::string> names;
    for (int32_t i = 0; i < fWindows().fGetWindowCount(); ++i) {
        const KEL::G_WINDOW* window = fWindows().fGetWindow(i);
        if (!window) continue;
        const std::string& name = window->fGetName();
        if (name == "Title" || name == "Fade_Transition" || leftOut.count(name)) continue;
        names.push_back(name);
    }
    return names;
}

// Opens one window, lets it come to rest, closes it and lets it go.
bool fOpenAndClose(Runner& run, const std::string& name) {
    if (!fWindows().fShowWindow(name)) return false;
    const bool came = run.fUntil([&] { return fResting(name); }, 5.0);
    fWindows().fHideWindow(name);
    const bool left = run.fUntil([&] { return !fWindows().fIsOpen(name); }, 5.0);
    run.fUntil([] { return fAtTitle(); }, 5.0);
    return came && left;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const std::set<std::string> leftOut(argv + std::min(argc, 2), argv + argc);
    KEL::KC_GAME engine;
    KEL::kcGAME = &engine;
    game::fRegisterCallbacks();
    if (engine.fInit("") != 1) return 1;
    engine.mRunning = 1;
    Runner run{engine};
    if (!run.fUntil(&fAtTitle, 60.0)) return 1;
    run.fFor(0.5);
    const std::vector<std::string> screens = fScreens(leftOut);
    const double start = fResidentMb();
    const double startPictures = fPicturesMb();
    run.worstMs = 0.0;
    std::map<std::string, double> added;
    std::set<std::string> stuck;
    double firstRound = start;
    // The first round loads what each window needs; only later rounds count
    // per window.
    for (int round = 0; round < rounds && engine.mRunning; ++round) {
        for (const std::string& name : screens) {
            const double before = fResidentMb();
            if (!fOpenAndClose(run, name)) stuck.insert(name);
            if (round > 0) added[name] += fResidentMb() - before;
        }
        if (round == 0) firstRound = fResidentMb();
        std::printf("round %d: %.1f MB (pictures %.1f MB)\n", round + 1, fResidentMb(), fPicturesMb());
        std::fflush(stdout);
    }
    run.fFor(0.5);
    const double end = fResidentMb();
    for (const auto& [name, mb] : added)
        std::printf("  %-28s %+7.2f MB%s\n", name.c_str(), mb,
                    stuck.count(name) ? " (did not open or close in time)" : "");
    std::printf("screens %zu, rounds %d\n", screens.size(), rounds);
    std::printf("resident at the title    %.1f MB (pictures %.1f MB)\n", start, startPictures);
    std::printf("resident after round 1   %.1f MB\n", firstRound);
    std::printf("resident after the walk  %.1f MB (pictures %.1f MB, budget %.1f MB)\n", end, fPicturesMb(),
                double(fWindows().fGetPictureBudget()) / (1024.0 * 1024.0));
    std::printf("growth                   %+.1f MB\n", end - start);
    std::printf("slowest frame            %.2f ms\n", run.worstMs);
    KEL::KC_CALLBACK::fCall(KEL::kcbAFTER_LOOP);
    return 0;
}
