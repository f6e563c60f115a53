#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_WINDOW.h"
#include "game/GG_ENTRY.h"
#include "host/IGraphicsDevice.h"
#include "host/recording/RecordingDevice.h"
#include "support/FakeHost.h"

extern char** environ;

namespace {

// Starts the built game with extra environment entries; -1 on failure.
pid_t fSpawnGame(const std::vector<std::string>& extraEnv) {
    const std::string program = std::string(NONOGRAM_BINARY_DIR) + "/nonogram";
    // The given entries replace inherited ones of the same name.
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const std::string& extra : extraEnv) {
            replaced |= entry.compare(0, extra.find('=') + 1, extra, 0, extra.find('=') + 1) == 0;
        }
        if (!replaced) env.push_back(entry);
    }
    for (const std::string& e : extraEnv) env.push_back(e);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string name = program;
    char* argv[] = {name.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return -1;
    return pid;
}

// The wait status, or -1 when the process has not ended within the time.
int fWaitFor(pid_t pid, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < end) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

}  // namespace

TEST(GameExecutable, EndsWithStatusZeroOnACloseRequest) {
    std::unique_ptr<host::IGraphicsDevice> device(host::fCreateGraphicsDevice());
    if (!device) GTEST_SKIP() << "no graphics device backend is built yet";
    device.reset();

    const pid_t pid = fSpawnGame({"SDL_VIDEODRIVER=offscreen"});
    ASSERT_GT(pid, 0);
    // Let it open the window and run frames, then ask it to close.
    std::this_thread::sleep_for(std::chrono::seconds(3));
    ASSERT_EQ(kill(pid, SIGTERM), 0);
    const int status = fWaitFor(pid, std::chrono::seconds(60));
    ASSERT_NE(status, -1) << "the game did not end after the close request";
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(GameExecutable, FailedStartEndsWithStatusOne) {
    const pid_t pid = fSpawnGame({"SDL_VIDEODRIVER=no-such-driver"});
    ASSERT_GT(pid, 0);
    const int status = fWaitFor(pid, std::chrono::seconds(60));
    ASSERT_NE(status, -1);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

namespace {
int32_t gFrames = 0;
int32_t fUpdateThenTerminate(void*) {
    if (++gFrames == 3) raise(SIGTERM);
    return 1;
}
}  // namespace

// The start-up module's slots over a real (offscreen) SDL window: a
// termination signal arrives as a close request and ends the loop cleanly.
TEST(GameLoop, TerminationSignalEndsTheLoopThroughTheCloseSlot) {
    testsupport::MessageBoxCatcher boxes;
    KEL::KC_GAME game;
    game.mDeviceFactory = [] { return new host::RecordingDevice; };
    KEL::kcGAME = &game;
    KEL::kcbINIT = KEL::KC_CALLBACK::fCreate(&game::fOnInit, "", nullptr);
    KEL::KC_CALLBACK* registeredClose = KEL::kcbCLOSE;
    KEL::kcbCLOSE = KEL::KC_CALLBACK::fCreate(&game::fOnClose, "", nullptr);
    KEL::kcbAFTER_LOOP = KEL::KC_CALLBACK::fCreate(&game::fOnAfterLoop, "", nullptr);
    KEL::kcbUPDATE = KEL::KC_CALLBACK::fCreate(&fUpdateThenTerminate, "", nullptr);

    ASSERT_EQ(game.fInit(""), 1);
    EXPECT_EQ(game.mUpdateCap, 60);
    EXPECT_EQ(game.mDrawCap, 60);
    ASSERT_NE(KEL::kcWINDOW->fGetHandle(), nullptr);
    game.fRun();

    EXPECT_EQ(gFrames, 3) << "the close request came with the pump of the third step";
    EXPECT_EQ(game.mRunning, 0);
    EXPECT_EQ(KEL::kcWINDOW, nullptr) << "the after-loop slot released the engine";
    EXPECT_EQ(KEL::kcbINIT, nullptr);
    EXPECT_EQ(KEL::kcbAFTER_LOOP, nullptr);
    delete KEL::kcbUPDATE;
    KEL::kcbUPDATE = nullptr;
    KEL::kcbCLOSE = registeredClose;
    KEL::kcGAME = nullptr;
}
