// Start-up timing of the game against two neighbours, run by hand under one
// X server (Xvfb started with -noreset; DISPLAY names it):
//   bench_startup <game> <floor> [runs]
// Alternating runs of: the game (exec to the first drawn frame, to the
// loading screen's first picture and to the title taking input, from its
// milestones; the title also after the first frame, beside the content's
// own start-up animation), the floor program (exec to its
// first presented frame) and sgt-pattern (exec to its window being mapped,
// polled with xwininfo). Prints medians and ratios, and the game's
// resident memory once the title is shown. Each program starts in a fresh
// folder below /tmp with its own user folder.
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

bool fPatternMapped() {
    FILE* pipe = popen("xwininfo -root -tree 2>/dev/null | grep -ci pattern", "r");
    int count = 0;
    if (pipe) {
        if (fscanf(pipe, "%d", &count) != 1) count = 0;
        pclose(pipe);
    }
    return count > 0;
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
    std::vector<double> gameFrame, gameSplash, gameTitle, titleAfterFrame, floorFrame, pattern, rss;
    for (int run = 0; run < runs; ++run) {
        const fs::path folder = fs::temp_directory_path() / ("startup_bench_" + std::to_string(run));
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::create_directory_symlink(resources, folder / "Resources");
        const fs::path marks = folder / "milestones.txt";
        const std::vector<std::string> env = {"NONOGRAM_MILESTONES=" + marks.string(),
                                              "XDG_DATA_HOME=" + (folder / "xdg").string()};

        long long start = fNowMicros();
        pid_t pid = fSpawn(game, folder.string(), env);
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
    std::printf("floor: first frame        %8.1f\n", floorMs);
    std::printf("game:  first frame        %8.1f  (floor + %.1f)\n", fMedian(gameFrame), fMedian(gameFrame) - floorMs);
    std::printf("game:  loading screen shown %6.1f  after the first frame\n", fMedian(gameSplash));
    std::printf("game:  title taking input %8.1f  (%.2f x floor)\n", fMedian(gameTitle), fMedian(gameTitle) / floorMs);
    const double afterFrame = fMedian(titleAfterFrame);
    std::printf("game:  title after the first frame %6.1f  (content's animation %.0f + %.1f; at most + %.0f)\n",
                afterFrame, kCONTENT_ANIMATION_MS, afterFrame - kCONTENT_ANIMATION_MS, kALLOWANCE_MS);
    std::printf("sgt-pattern: window shown %8.1f  (%.2f x floor)\n", fMedian(pattern), fMedian(pattern) / floorMs);
    std::printf("game:  resident after the title %.1f MB\n", fMedian(rss));
    return 0;
}
