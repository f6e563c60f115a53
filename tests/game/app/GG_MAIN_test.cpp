#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_WINDOW.h"
#include "game/app/GG_MAIN.h"
#include "host/IGraphicsDevice.h"
#include "host/recording/RecordingDevice.h"
#include "support/FakeHost.h"
#include "support/TestEnvironment.h"

extern char** environ;

namespace {

// Starts the built game with its standard error going to errorFile; each
// "NAME=value" replaces an inherited entry of that name, a bare "NAME"
// removes it. -1 on failure.
pid_t fSpawnGame(const std::vector<std::string>& changes, const std::string& errorFile,
                 const std::string& folder = std::string()) {
    const std::string program = std::string(NONOGRAM_BINARY_DIR) + "/nonogram";
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        bool changed = false;
        for (const std::string& change : changes) {
            const std::string name = change.substr(0, change.find('='));
            changed |= entry.compare(0, name.size() + 1, name + "=") == 0;
        }
        if (!changed) env.push_back(entry);
    }
    for (const std::string& change : changes)
        if (change.find('=') != std::string::npos) env.push_back(change);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string name = program;
    char* argv[] = {name.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

std::string fReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
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

namespace {

namespace fs = std::filesystem;

const fs::path kBUILT = fs::path(NONOGRAM_BINARY_DIR) / "Resources";

// A folder to start the game in: a copy of the built content as its
// "Resources", its own user folder and milestone file.
struct KS_GAME_FOLDER {
    fs::path mRoot;
    fs::path fResources() const { return mRoot / "Resources"; }
    fs::path fUser(const std::string& name) const { return mRoot / "xdg" / "Oakhurst" / "PictureLogic" / name; }
    fs::path fMilestones() const { return mRoot / "milestones.txt"; }
    fs::path fErrors() const { return mRoot / "stderr.txt"; }
    std::vector<std::string> fEnvironment() const {
        return {"SDL_VIDEODRIVER=offscreen", "XDG_DATA_HOME=" + (mRoot / "xdg").string(),
                "NONOGRAM_MILESTONES=" + fMilestones().string()};
    }
};

KS_GAME_FOLDER fMakeGameFolder(const std::string& name) {
    KS_GAME_FOLDER folder{testsupport::TestEnvironment::fMakeFolder(name)};
    fs::copy(kBUILT, folder.fResources(), fs::copy_options::recursive);
    return folder;
}

// Waits until the game marks the milestone; false when it ended first.
bool fWaitForMilestone(pid_t pid, const fs::path& file, const std::string& name) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (std::chrono::steady_clock::now() < end) {
        std::istringstream lines(fReadAll(file.string()));
        for (std::string line; std::getline(lines, line);)
            if (line.rfind(name + " ", 0) == 0) return true;
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

// Starts the game in the folder, waits for the title, asks it to close;
// the exit status and what it wrote to standard error.
void fRunToTitleAndClose(const KS_GAME_FOLDER& folder, const std::vector<std::string>& more, int& exitStatus,
                         std::string& errors) {
    if (!fs::exists(kBUILT / "game.xml")) GTEST_SKIP() << "the default content is not built";
    std::unique_ptr<host::IGraphicsDevice> device(host::fCreateGraphicsDevice());
    if (!device) GTEST_SKIP() << "no graphics device backend is built yet";
    device.reset();

    std::vector<std::string> changes = folder.fEnvironment();
    changes.insert(changes.end(), more.begin(), more.end());
    const pid_t pid = fSpawnGame(changes, folder.fErrors().string(), folder.mRoot.string());
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(fWaitForMilestone(pid, folder.fMilestones(), "title")) << fReadAll(folder.fErrors().string());
    ASSERT_EQ(kill(pid, SIGTERM), 0);
    const int status = fWaitFor(pid, std::chrono::seconds(60));
    ASSERT_NE(status, -1) << "the game did not end after the close request";
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    exitStatus = WEXITSTATUS(status);
    errors = fReadAll(folder.fErrors().string());
}

}  // namespace

TEST(GameExecutable, ReachesTheTitleAndACloseRequestEndsWithStatusZeroAndTheSaves) {
    const KS_GAME_FOLDER folder = fMakeGameFolder("fresh");
    int status = -1;
    std::string errors;
    fRunToTitleAndClose(folder, {}, status, errors);
    if (IsSkipped()) return;
    EXPECT_EQ(status, 0);
    EXPECT_EQ(errors, "") << "a start with a display and sound says nothing";
    EXPECT_NE(fReadAll(folder.fUser("players.save").string()).find("player"), std::string::npos);
    EXPECT_NE(fReadAll(folder.fUser("game.xml").string()).find("<version value=\"65792\" />"), std::string::npos);
    const std::string milestones = fReadAll(folder.fMilestones().string());
    EXPECT_LT(milestones.find("frame "), milestones.find("splash ")) << milestones;
    EXPECT_LT(milestones.find("splash "), milestones.find("fade ")) << milestones;
    EXPECT_LT(milestones.find("fade "), milestones.find("title ")) << milestones;
}

TEST(GameExecutable, AFifoOrADeviceAsTheSaveNeitherHoldsTheStartNorTheExit) {
    for (const char* kind : {"fifo", "device"}) {
        const KS_GAME_FOLDER folder = fMakeGameFolder(std::string("save-") + kind);
        const fs::path save = folder.fUser("players.save");
        fs::create_directories(save.parent_path());
        if (kind[0] == 'f') ASSERT_EQ(mkfifo(save.c_str(), 0644), 0);
        else fs::create_symlink("/dev/zero", save);
        int status = -1;
        std::string errors;
        const auto start = std::chrono::steady_clock::now();
        fRunToTitleAndClose(folder, {}, status, errors);
        if (IsSkipped()) return;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60)) << kind;
        EXPECT_EQ(status, 0) << kind;
        const std::string kept = folder.fUser("players.save.1.bak").string();
        EXPECT_EQ(errors, "Warning: The players file is not a regular file: no player was recovered.\n"
                          "The original is kept as \"" +
                              kept + "\".\n")
            << kind;
        EXPECT_TRUE(kind[0] == 'f' ? fs::is_fifo(kept) : fs::is_symlink(kept)) << kind;
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(save))) << "the exit saved in its place";
    }
}

TEST(GameExecutable, WithoutASoundDeviceSaysSoInOneLineAndPlays) {
    const KS_GAME_FOLDER folder = fMakeGameFolder("silent");
    int status = -1;
    std::string errors;
    fRunToTitleAndClose(folder, {"ALSOFT_DRIVERS=no-such-driver"}, status, errors);
    if (IsSkipped()) return;
    EXPECT_EQ(status, 0);
    EXPECT_EQ(errors, "Warning: No sound device has been detected. The game will continue without audio.\n");
}

TEST(GameExecutable, ADamagedArchiveIsNamedAndEndsWithStatusOne) {
    if (!fs::exists(kBUILT / "game.xml")) GTEST_SKIP() << "the default content is not built";
    const KS_GAME_FOLDER folder = fMakeGameFolder("damaged");
    {
        std::ofstream archive(folder.fResources() / "data" / "share" / "main" / "other",
                              std::ios::binary | std::ios::trunc);
        archive << "PK\x03\x04 this archive was cut short";
    }
    const pid_t pid = fSpawnGame(folder.fEnvironment(), folder.fErrors().string(), folder.mRoot.string());
    ASSERT_GT(pid, 0);
    const int status = fWaitFor(pid, std::chrono::seconds(60));
    ASSERT_NE(status, -1);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(fReadAll(folder.fErrors().string()),
              "Error: The game cannot start: its file \"data/share/main/other editions.xml\" is missing or damaged.\n");
    EXPECT_FALSE(fs::exists(folder.fUser("players.save"))) << "a failed start saves nothing";
}

TEST(GameExecutable, FailedStartEndsWithStatusOne) {
    const std::string errorFile = (testsupport::TestEnvironment::fRoot() / "stderr.txt").string();
    // Without a desktop, so that the reason goes to standard error, not to a
    // box nobody answers.
    const pid_t pid = fSpawnGame({"SDL_VIDEODRIVER=no-such-driver", "DISPLAY", "WAYLAND_DISPLAY"}, errorFile);
    ASSERT_GT(pid, 0);
    const int status = fWaitFor(pid, std::chrono::seconds(60));
    ASSERT_NE(status, -1);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(fReadAll(errorFile).find("no-such-driver"), std::string::npos) << fReadAll(errorFile);
}

TEST(GameExecutable, WithoutADisplaySaysSoAndEndsWithStatusOne) {
    // A graphics card this process may open is a display of its own (the
    // console); the game would rightly run on it.
    for (const char* card : {"/dev/dri/card0", "/dev/dri/card1"}) {
        if (access(card, R_OK | W_OK) == 0) GTEST_SKIP() << card << " is a display";
    }
    const std::string errorFile = (testsupport::TestEnvironment::fRoot() / "stderr.txt").string();
    const pid_t pid = fSpawnGame({"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}, errorFile);
    ASSERT_GT(pid, 0);
    const int status = fWaitFor(pid, std::chrono::seconds(60));
    ASSERT_NE(status, -1) << "the game ran on without a display";
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(fReadAll(errorFile), "Error: No display: the game needs a desktop to open its window on "
                                   "(DISPLAY and WAYLAND_DISPLAY are not set).\n");
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
    gFrames = 0;
    if (!fs::exists(kBUILT / "game.xml")) GTEST_SKIP() << "the default content is not built";
    // The process stands in its own "Resources" folder.
    KEL::KC_FILESYSTEM::fGetInstance();
    fs::copy(kBUILT, fs::current_path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    testsupport::MessageBoxCatcher boxes;
    KEL::KC_GAME game;
    game.mDeviceFactory = [] { return new host::RecordingDevice; };
    KEL::kcGAME = &game;
    KEL::kcbINIT = KEL::KC_CALLBACK::fCreate(&game::fOnInit, "", nullptr);
    KEL::KC_CALLBACK* registeredClose = KEL::kcbCLOSE;
    KEL::kcbCLOSE = KEL::KC_CALLBACK::fCreate(&game::fOnClose, "", nullptr);
    KEL::kcbAFTER_LOOP = KEL::KC_CALLBACK::fCreate(&game::fOnRelease, "", nullptr);
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

namespace {
// The program's entry itself, in this process, over a real (offscreen) SDL
// window, with no sound device and every box answered by a request to end.
int32_t fRunEntryAskedToEnd(testsupport::MessageBoxCatcher& boxes) {
    KEL::KC_GAME& game = *KEL::KC_GAME::fGetGame();
    game.mDeviceFactory = [] { return new host::RecordingDevice; };
    game.mAudioOpen = [] { return KEL::KS_RESULT::kFAILED; };
    boxes.mAnswer = host::MessageBoxAnswer::kEndRequested;
    const int32_t result = game::fMain(nullptr);
    game.mDeviceFactory = nullptr;
    game.mAudioOpen = nullptr;
    KEL::kcGAME = nullptr;
    return result;
}
}  // namespace

TEST(GameLoop, ARequestToEndDuringAMessageBoxEndsTheRunAsAfterTheStartItFollows) {
    if (!fs::exists(kBUILT / "game.xml")) GTEST_SKIP() << "the default content is not built";
    KEL::KC_FILESYSTEM::fGetInstance();
    fs::copy(kBUILT, fs::current_path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    {
        testsupport::MessageBoxCatcher boxes;
        EXPECT_EQ(fRunEntryAskedToEnd(boxes), KEL::KS_RESULT::kRUN_ENDED) << "the start was fine: a normal end";
        ASSERT_EQ(boxes.mBoxes.size(), 1u);
        EXPECT_EQ(boxes.mBoxes[0].first, "Warning");
    }
    {
        std::ofstream(fs::current_path() / "game.xml", std::ios::trunc) << "<game";
        testsupport::MessageBoxCatcher boxes;
        testing::internal::CaptureStderr();
        EXPECT_EQ(fRunEntryAskedToEnd(boxes), KEL::KS_RESULT::kRUN_FAILED) << "a failed start stays a failure";
        const std::string errors = testing::internal::GetCapturedStderr();
        ASSERT_EQ(boxes.mBoxes.size(), 1u) << "the game is ending: no box follows the warning";
        EXPECT_EQ(boxes.mBoxes[0].first, "Warning");
        EXPECT_EQ(errors, "Error: The game cannot start: its file \"game.xml\" is missing or damaged.\n");
    }
    fs::copy_file(kBUILT / "game.xml", fs::current_path() / "game.xml", fs::copy_options::overwrite_existing);
}
