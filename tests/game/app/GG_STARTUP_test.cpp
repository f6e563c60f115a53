// The game's start-up inside this process, over the built content: the
// loading screen hands over to the title, the player and the window title
// are set, focus and close requests at every stage keep the saves, and
// damaged data stops the start with a message naming what is wrong.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/audio/KC_SOUND_LIST.h"
#include "engine/audio/KS_SOUND_GROUP.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/resources/TestArchives.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_MAIN.h"
#include "game/app/G_LOADER_SCREEN.h"
#include "game/app/gGame.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/product/GG_SETTINGS.h"
#include "game/profile/GG_PLAYER.h"
#include "game/profile/KT_PLAYERS.h"
#include "game/progress/KC_TROPHIES.h"
#include "game/progress/KC_TROPHY.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/GG_WINDOW_PAGED.h"
#include "game/screens/GG_WINDOW_TROPHY_GET.h"
#include "host/IClock.h"
#include "host/IGraphicsDevice.h"
#include "host/sdl/X11ErrorWatch.h"
#include "support/FakeHost.h"
#include "support/TestEnvironment.h"
#include "support/WholeGame.h"

namespace fs = std::filesystem;
using game::gGame;

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

const fs::path kSTAGED = fs::path(NONOGRAM_BINARY_DIR) / "content" / "archives" / "data" / "share" / "main" / "other";
constexpr const char* kOTHER = "data/share/main/other";

std::string fRead(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void fWrite(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A board with no host that runs until paused, reads no level file and
// records what the game asked of it.
class KC_FAKE_LEVEL : public game::GG_GAMEPLAY {
public:
    KC_FAKE_LEVEL() : GG_GAMEPLAY(nullptr) { mRunning = 1; }
    bool fLoad(const std::string& file) override {
        mFile = file;
        return true;
    }
    bool fStop() override { return true; }
    int32_t fUpdate() override { return 0; }
    void fDraw() override {}
    KEL::KS_MOUSE_RESULT fOnMouseUp(int32_t) override { return KEL::KS_MOUSE_RESULT::fNotTaken(); }
    KEL::KS_MOUSE_RESULT fOnMouseDown(int32_t) override {
        ++mDowns;
        return KEL::KS_MOUSE_RESULT::fNotTaken();
    }
    void fOnMouseMove() override {}
    void fPause() override { mPaused = 1; }
    void fResume() override { mPaused = 0; }
    void fRestart() override {}
    void fLoadResources() override {}
    void fReleaseResources() override {}

    std::string mFile;
    int mDowns = 0;
};


bool fAtTitle() {
    KEL::G_WINDOW_MANAGER* windows = gGame::fGetWindowManager();
    return game::fGetState() == game::kSTATE_RUNNING && windows && windows->fIsOpen(GG_WINDOW_NAME::kTITLE) &&
           !windows->fIsOpen(GG_WINDOW_NAME::kFADE);
}

class StartupTest : public testsupport::WholeGame {
protected:
    StartupTest() { mPictures = false; }

    // The packed folder as a plain folder the test may change (the game
    // reads a folder of that name as it reads the archive).
    static fs::path fUnpackOther() {
        const fs::path folder = fs::current_path() / kOTHER;
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::copy(kSTAGED, folder, fs::copy_options::recursive);
        return folder;
    }
    // One file of the packed folder changed by edit, the folder unpacked.
    static void fEditOther(const std::string& file, const std::function<void(std::string&)>& edit) {
        const fs::path path = fUnpackOther() / file;
        std::string text = fRead(path);
        edit(text);
        fWrite(path, text);
    }
    static fs::path fUserFile(const std::string& name) {
        return fs::path(std::getenv("XDG_DATA_HOME")) / "Oakhurst" / "PictureLogic" / name;
    }
    static float fGain(const char* group) {
        KEL::KS_SOUND_GROUP* found = gGame::fGetSound() ? gGame::fGetSound()->fGetGroup(group) : nullptr;
        return found ? found->mGain : -1.0f;
    }
};

}  // namespace

TEST_F(StartupTest, AFreshStartReachesTheTitleWithThePlayerAndSavesOnClose) {
    ASSERT_EQ(fBoot(), KEL::KS_RESULT::kOK);
    EXPECT_EQ(fQueue().mTitle, game::kSTART_TITLE) << "the window has its title before anything is loaded";
    EXPECT_EQ(game::fGetState(), game::kSTATE_LOADING);
    ASSERT_NE(game::fGetLoaderScreen(), nullptr);
    EXPECT_EQ(game::fGetLoaderScreen()->fGetSplashCount(), 1u) << "the studio card exists as a file";
    EXPECT_EQ(game::fOnKeyDown(KEL::fKeyArgument(32)), KEL::KS_RESULT::kOK);
    EXPECT_EQ(game::fGetLoaderScreen()->fGetSplashIndex(), 1) << "a key skips the splash";
    ASSERT_TRUE(fRunUntil(fAtTitle));
    EXPECT_EQ(game::fGetLoaderScreen(), nullptr);
    EXPECT_TRUE(gGame::fGetWindowManager()->fIsOpen(GG_WINDOW_NAME::kTITLE_TOP));
    EXPECT_EQ(fQueue().mTitle, game::kSTART_TITLE) << "the string table's title is the one the window opened with";
    ASSERT_EQ(gGame::fGetPlayers()->fGetCount(), 1u);
    ASSERT_NE(gGame::fGetPlayers()->fGetCurrent(), nullptr);
    EXPECT_EQ(gGame::fGetPlayers()->fGetCurrent()->fGetName(), L"player");
    EXPECT_FALSE(fs::exists(fUserFile("players.save"))) << "nothing is saved before it must be";

    game::fOnClose(nullptr);
    EXPECT_EQ(fEngine().mRunning, 0);
    fEnd();
    EXPECT_EQ(KEL::kcWINDOW, nullptr);
    EXPECT_NE(fRead(fUserFile("players.save")).find("player"), std::string::npos);
    EXPECT_NE(fRead(fUserFile("game.xml")).find("65792"), std::string::npos);
    EXPECT_TRUE(mBoxes.mBoxes.empty()) << (mBoxes.mBoxes.empty() ? "" : mBoxes.mBoxes[0].second);
}

TEST_F(StartupTest, AGoodSaveComesBackUnchanged) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    fEnd();
    const std::string first = fRead(fUserFile("players.save"));
    ASSERT_FALSE(first.empty());

    ASSERT_NO_FATAL_FAILURE(fStart());
    EXPECT_EQ(gGame::fGetPlayers()->fGetCount(), 1u) << "the saved player, not a second one";
    fEnd();
    EXPECT_EQ(fRead(fUserFile("players.save")), first);
}

TEST_F(StartupTest, ADamagedSaveIsKeptAsideAndTheGameStartsWithTheTemplate) {
    const std::string damaged = std::string("\x01\xff\xff\xff\x7f garbage", 13);
    fWrite(fUserFile("players.save"), damaged);
    ASSERT_NO_FATAL_FAILURE(fStart());
    ASSERT_NE(gGame::fGetPlayers()->fGetCurrent(), nullptr);
    EXPECT_EQ(gGame::fGetPlayers()->fGetCurrent()->fGetName(), L"player");
    fEnd();
    EXPECT_EQ(fRead(fUserFile("players.save.1.bak")), damaged);
    EXPECT_NE(fRead(fUserFile("players.save")), damaged);
}

TEST_F(StartupTest, TwoDamagedStartsInARowAreToldInWordsAndKeepBothOriginals) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    ASSERT_TRUE(fGameObject().fCreatePlayer(L"Ann"));
    ASSERT_TRUE(fGameObject().fCreatePlayer(L"Bob"));
    fEnd();
    std::vector<std::string> originals;
    for (const char* told : {"2 players were recovered", "1 player was recovered"}) {
        std::string bytes = fRead(fUserFile("players.save"));
        bytes.pop_back();
        originals.push_back(bytes);
        fWrite(fUserFile("players.save"), bytes);
        mBoxes.mBoxes.clear();
        ASSERT_NO_FATAL_FAILURE(fStart());
        const std::string kept = fUserFile("players.save." + std::to_string(originals.size()) + ".bak").string();
        ASSERT_EQ(mBoxes.mBoxes.size(), 1u) << "told once";
        EXPECT_EQ(mBoxes.mBoxes[0].second, std::string("The players file was damaged: ") + told +
                                               ".\nThe original is kept as \"" + kept + "\".");
        fEnd();
    }
    EXPECT_EQ(fRead(fUserFile("players.save.1.bak")), originals[0]);
    EXPECT_EQ(fRead(fUserFile("players.save.2.bak")), originals[1]);
}

TEST_F(StartupTest, SavesThatCannotBeWrittenAreToldOnceAndTheFirstThatCanWritesEverything) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    fEnd();
    // The folder takes no new file: the save's temporary name is a folder.
    const fs::path blocker = fUserFile("players.save.tmp");
    fs::create_directories(blocker / "inside");
    ASSERT_NO_FATAL_FAILURE(fStart());
    ASSERT_TRUE(fGameObject().fCreatePlayer(L"Zed"));
    game::fOnDeactivate(nullptr);
    game::fOnActivate(nullptr);
    fGameObject().fSave();
    ASSERT_EQ(mBoxes.mBoxes.size(), 1u) << "told once a session";
    EXPECT_EQ(mBoxes.mBoxes[0].second, "The game could not save your progress to \"" +
                                           fUserFile("players.save").string() +
                                           "\"\n(is the disk full, or the folder read-only?).\nIt goes on and tries "
                                           "again at every save.");
    EXPECT_EQ(fRead(fUserFile("players.save")).find("Zed"), std::string::npos);
    fs::remove_all(blocker);
    game::fOnDeactivate(nullptr);
    EXPECT_NE(fRead(fUserFile("players.save")).find("Zed"), std::string::npos);
    fEnd();
    EXPECT_EQ(mBoxes.mBoxes.size(), 1u);
}

TEST_F(StartupTest, AMalformedUserSettingsFileIsKeptAsideBeforeTheDefaultsAreWritten) {
    const std::string malformed = "<game><fullscreen value=\"true\"";
    fWrite(fUserFile("game.xml"), malformed);
    ASSERT_NO_FATAL_FAILURE(fStart());
    fEnd();
    EXPECT_EQ(fRead(fUserFile("game.xml.1.bak")), malformed);
    EXPECT_NE(fRead(fUserFile("game.xml")).find("<version value=\"65792\" />"), std::string::npos);
}

TEST_F(StartupTest, CloseRequestsWhileLoadingAndDuringTheFadeKeepThePreviousSaves) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    fEnd();
    const std::string before = fRead(fUserFile("players.save"));
    ASSERT_FALSE(before.empty());
    for (int stage = 0; stage < 2; ++stage) {
        ASSERT_EQ(fBoot(), KEL::KS_RESULT::kOK);
        if (stage == 1) {
            ASSERT_TRUE(fRunUntil([] {
                KEL::G_WINDOW_MANAGER* windows = gGame::fGetWindowManager();
                return game::fGetState() == game::kSTATE_LOADING && game::fGetLoaderScreen()->fHasSeenLoaded() &&
                       windows->fIsOpen(GG_WINDOW_NAME::kFADE);
            })) << "the fade shows before the hand-over";
        }
        game::fOnClose(nullptr);
        EXPECT_EQ(fEngine().fFrame(), KEL::KS_RESULT::kSTOP);
        fEnd();
        EXPECT_EQ(fRead(fUserFile("players.save")), before) << "stage " << stage;
        EXPECT_TRUE(mBoxes.mBoxes.empty()) << (mBoxes.mBoxes.empty() ? "" : mBoxes.mBoxes[0].second);
    }
}

TEST_F(StartupTest, ACloseRequestWhileALevelRunsEndsItAndKeepsThePlayer) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    gGame& game = *gGame::fGetGame();
    ASSERT_NE(game.fGetGameplay(), nullptr) << "the loader built the board";
    ASSERT_TRUE(game.fShowLevel(0, 1));
    ASSERT_TRUE(fRunUntil([&] { return game.fGetGameplay()->fIsRunning(); }));
    fFrames(10);
    game::fOnClose(nullptr);
    fEnd();
    const std::string save = fRead(fUserFile("players.save"));
    EXPECT_NE(save.find("player"), std::string::npos);
    EXPECT_NE(save.find("level01.xml"), std::string::npos) << "the player's records are all there";
}

TEST_F(StartupTest, FocusChangesNothingWhileLoadingAndPausesARunningLevelAfterwards) {
    ASSERT_EQ(fBoot(), KEL::KS_RESULT::kOK);
    EXPECT_EQ(game::fOnDeactivate(nullptr), KEL::KS_RESULT::kOK);
    EXPECT_EQ(game::fOnActivate(nullptr), KEL::KS_RESULT::kOK);
    EXPECT_FALSE(fs::exists(fUserFile("players.save"))) << "loading ignores focus";
    ASSERT_TRUE(fRunUntil(fAtTitle));
    const float music = gGame::fGetPlayers()->fGetCurrent()->fGetMusicVolume();

    KC_FAKE_LEVEL level;
    gGame::fGetGame()->fSetGameplay(&level);
    fQueue().fPush(host::kMsgActivate, 0);
    fQueue().fPush(host::kMsgKillFocus);
    ASSERT_TRUE(fRunUntil([this] { return fQueue().mQueue.empty(); }));
    EXPECT_TRUE(level.fIsPaused());
    EXPECT_EQ(fGain("music"), 0.0f);
    EXPECT_EQ(fGain("sounds"), 0.0f);
    EXPECT_TRUE(fs::exists(fUserFile("players.save"))) << "losing focus saves";

    fQueue().fPush(host::kMsgActivate, 1);
    fQueue().fPush(host::kMsgSetFocus);
    ASSERT_TRUE(fRunUntil([this] { return fQueue().mQueue.empty(); }));
    EXPECT_FLOAT_EQ(fGain("music"), music / 100.0f);
    EXPECT_TRUE(level.fIsPaused()) << "the player resumes from the menu";

    // Without a player the volumes are 80 of 100.
    gGame::fGetGame()->fSetGameplay(nullptr);
    gGame::fGetGame()->fSetCurrentPlayer(nullptr);
    game::fOnActivate(nullptr);
    EXPECT_FLOAT_EQ(fGain("sounds"), 0.8f);
}

namespace {
// Spends hearts as if it had been done that long ago.
void fSpendHeartsAgo(game::GG_PLAYER& player, int count, int64_t secondsAgo) {
    testsupport::FakeClock clock;
    clock.mDate = static_cast<int64_t>(std::time(nullptr)) - secondsAgo;
    for (int i = 0; i < count; ++i) ASSERT_TRUE(player.fGetHealth().fUseHeart());
}
}  // namespace

TEST_F(StartupTest, HeartsThatCameBackWhileTheGameWasClosedCountAtLoadAndAtTheTitle) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    gGame& game = *gGame::fGetGame();
    game::GG_PLAYER* first = gGame::fGetPlayers()->fGetCurrent();
    ASSERT_NE(first, nullptr);
    game::GG_PLAYER* other = game.fCreatePlayer(L"other");
    ASSERT_NE(other, nullptr);
    const int32_t full = first->fGetHealth().fGetCount();
    const int32_t refill = first->fGetHealth().fGetTimeRefill();
    ASSERT_GT(refill, 0);
    // Both refills are due by now; the stored countdowns say otherwise.
    for (game::GG_PLAYER* player : {first, other}) {
        ASSERT_NO_FATAL_FAILURE(fSpendHeartsAgo(*player, 2, 3 * int64_t(refill)));
        ASSERT_EQ(player->fGetHealth().fGetCount(), full - 2);
        ASSERT_TRUE(player->fGetHealth().fGetIncrement());
    }
    fEnd();

    ASSERT_NO_FATAL_FAILURE(fStart());
    game::GG_PLAYER* back = gGame::fGetPlayers()->fFind(L"other");
    ASSERT_NE(back, nullptr);
    ASSERT_NE(back, gGame::fGetPlayers()->fGetCurrent());
    EXPECT_EQ(back->fGetHealth().fGetCount(), full) << "a player not even chosen has its hearts back";
    EXPECT_FALSE(back->fGetHealth().fGetIncrement());
    EXPECT_TRUE(back->fGetHealth().fGetQueue().empty());
    EXPECT_EQ(gGame::fGetPlayers()->fGetCurrent()->fGetHealth().fGetCount(), full);

    // A stay in the menus: the title counts what came due meanwhile, not
    // only the countdown the frames ran down.
    game::GG_PLAYER* current = gGame::fGetPlayers()->fGetCurrent();
    ASSERT_NO_FATAL_FAILURE(fSpendHeartsAgo(*current, 1, 0));
    ASSERT_EQ(current->fGetHealth().fGetCount(), full - 1);
    {
        testsupport::FakeClock later;
        later.mDate = static_cast<int64_t>(std::time(nullptr)) + refill;
        gGame::fGetGame()->fCloseTitle();
        gGame::fGetGame()->fOpenTitle();
        EXPECT_EQ(current->fGetHealth().fGetCount(), full);
        EXPECT_FALSE(current->fGetHealth().fGetIncrement());
    }
}

TEST_F(StartupTest, PackAndLevelListsOpenAtTheirFirstPageAlsoForAnotherPlayer) {
    // Level cards one row a page, so that a pack's levels take pages.
    fEditOther("pages_levels.xml",
               [](std::string& cards) { cards.replace(cards.find("rows=\"3\""), 8, "rows=\"1\""); });
    ASSERT_NO_FATAL_FAILURE(fStart());
    gGame& game = *gGame::fGetGame();
    KEL::G_WINDOW_MANAGER& windows = *gGame::fGetWindowManager();
    auto* packs = dynamic_cast<game::GG_WINDOW_PAGED*>(windows.fFindWindow(GG_WINDOW_NAME::kPACKS));
    auto* levels = dynamic_cast<game::GG_WINDOW_PAGED*>(windows.fFindWindow(GG_WINDOW_NAME::kLEVELS));
    ASSERT_NE(packs, nullptr);
    ASSERT_NE(levels, nullptr);
    const auto turnNext = [&](game::GG_WINDOW_PAGED& list) {
        list.fOnClick(game::GG_WINDOW_PAGED::kNEXT);
        ASSERT_TRUE(fRunUntil([&] { return list.fGetPages()->fGetCurrentPage() == 1; }));
        ASSERT_EQ(list.fGetDots()->fGetCurrent(), 1u);
    };
    const auto atFirstPage = [](game::GG_WINDOW_PAGED& list) {
        return list.fGetPages()->fGetCurrentPage() == 0 && list.fGetDots()->fGetCurrent() == 0u;
    };

    // The level list comes back at its first page, for the same pack too.
    game.fCloseTitle();
    game.fOpenLevels(0, true);
    ASSERT_TRUE(fRunUntil([&] { return windows.fIsOpen(GG_WINDOW_NAME::kLEVELS) && !levels->fIsAnimating(); }));
    ASSERT_GT(levels->fGetPages()->fGetPageCount(), 1);
    ASSERT_NO_FATAL_FAILURE(turnNext(*levels));
    game.fCloseLevels();
    ASSERT_TRUE(fRunUntil([&] { return !windows.fIsOpen(GG_WINDOW_NAME::kLEVELS); }));
    game.fOpenLevels(0, true);
    EXPECT_TRUE(atFirstPage(*levels));
    ASSERT_NO_FATAL_FAILURE(turnNext(*levels));

    // The pack list keeps its page for the same player (options applied
    // again, say) and starts at the first for another one.
    game.fCloseLevels();
    game.fOpenPacks(true);
    ASSERT_TRUE(fRunUntil([&] { return windows.fIsOpen(GG_WINDOW_NAME::kPACKS) && !packs->fIsAnimating(); }));
    ASSERT_GT(packs->fGetPages()->fGetPageCount(), 1);
    ASSERT_NO_FATAL_FAILURE(turnNext(*packs));
    game::GG_PLAYER* first = gGame::fGetPlayers()->fGetCurrent();
    game.fSetCurrentPlayer(first);
    EXPECT_EQ(packs->fGetPages()->fGetCurrentPage(), 1);
    game::GG_PLAYER* other = game.fCreatePlayer(L"other");
    ASSERT_NE(other, nullptr);
    game.fSetCurrentPlayer(other);
    EXPECT_TRUE(atFirstPage(*packs));
    EXPECT_TRUE(atFirstPage(*levels));

    // The first player of an emptied list is made current by the list
    // itself before the game hears of it; it starts at the first page too.
    ASSERT_NO_FATAL_FAILURE(turnNext(*packs));
    game.fSetCurrentPlayer(nullptr);
    ASSERT_NO_FATAL_FAILURE(turnNext(*packs));
    ASSERT_TRUE(gGame::fGetPlayers()->fRemovePlayer(L"other"));
    ASSERT_TRUE(gGame::fGetPlayers()->fRemovePlayer(L"player"));
    game::GG_PLAYER* fresh = game.fCreatePlayer(L"fresh");
    ASSERT_EQ(gGame::fGetPlayers()->fGetCurrent(), fresh);
    game.fSetCurrentPlayer(fresh);
    EXPECT_TRUE(atFirstPage(*packs));
}

TEST_F(StartupTest, AWindowMissingFromTheWindowListIsSkipped) {
    fEditOther("scenes.xml", [](std::string& scenes) {
        scenes.replace(scenes.find("<window "), 0, "<window file=\"data/share/main/other no_such_window.xml\"/>\n  ");
    });
    ASSERT_NO_FATAL_FAILURE(fStart());
    EXPECT_EQ(gGame::fGetWindowManager()->fFindWindow("no_such_window"), nullptr);
    EXPECT_TRUE(mBoxes.mBoxes.empty()) << (mBoxes.mBoxes.empty() ? "" : mBoxes.mBoxes[0].second);
}

TEST_F(StartupTest, AFileTheLoaderNeedsMissingEndsTheRunWithAMessage) {
    fs::remove(fUnpackOther() / "trophies.xml");
    ASSERT_EQ(fBoot(), KEL::KS_RESULT::kOK);
    EXPECT_FALSE(fRunUntil([] { return false; })) << "the run ends by itself";
    EXPECT_EQ(fEngine().mRunning, 0);
    ASSERT_EQ(mBoxes.mBoxes.size(), 1u);
    EXPECT_EQ(mBoxes.mBoxes[0].second,
              "The game cannot start: its file \"data/share/main/other trophies.xml\" is missing or damaged.");
}

TEST_F(StartupTest, AnArchiveWithAnotherPasswordStopsTheStartWithAMessage) {
    fs::remove(fs::current_path() / kOTHER);
    const fs::path staged = testsupport::TestEnvironment::fRoot() / "staged";
    fs::remove_all(staged);
    fs::copy(kSTAGED, staged, fs::copy_options::recursive);
    ASSERT_TRUE(testsupport::fZip("Resources/" + std::string(kOTHER), "staged", "*", "-P NotThePassword"));
    EXPECT_EQ(fBoot(), KEL::KS_RESULT::kSTART_FAILED);
    ASSERT_EQ(mBoxes.mBoxes.size(), 1u);
    EXPECT_EQ(mBoxes.mBoxes[0].second,
              "The game cannot start: its file \"data/share/main/other editions.xml\" is missing or damaged.");
    fEnd();
}

TEST_F(StartupTest, LevelsAreShownOnlyWithABoardAPackAndALevelRecord) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    gGame& game = *gGame::fGetGame();
    game.fSetGameplay(nullptr);
    EXPECT_FALSE(game.fShowLevel(0, 1)) << "no board object";
    KC_FAKE_LEVEL level;
    game.fSetGameplay(&level);
    EXPECT_FALSE(game.fShowLevel(99, 1));
    EXPECT_FALSE(game.fShowLevel(0, 999));
    EXPECT_EQ(game.fGetCurrentLevel(), nullptr);
    ASSERT_TRUE(game.fShowLevel(0, 1));
    EXPECT_EQ(level.mFile, "data/share/levels/pack0 level01.xml");
    ASSERT_NE(game.fGetCurrentLevel(), nullptr);
    EXPECT_EQ(game.fGetCurrentLevel()->fGetId(), 1);
    EXPECT_EQ(game.fGetCurrentPack()->fGetId(), 0);
    EXPECT_EQ(game.fGetPackStarsText(0), L"0/36");
    EXPECT_EQ(game.fGetPackStarsText(42), L"");

    // While a purchase runs, presses reach neither the board nor the windows.
    game.fOnPurchaseStarted();
    game.fOnKeyDown(1);
    EXPECT_EQ(level.mDowns, 0);
    game.fOnPurchaseResult(nullptr, 1);
    // Nor through the failure's notice, modal over the board.
    KEL::G_WINDOW_MANAGER& windows = *gGame::fGetWindowManager();
    ASSERT_TRUE(windows.fIsOpen(GG_WINDOW_NAME::kPURCHASE_FAIL));
    game.fOnKeyDown(1);
    EXPECT_EQ(level.mDowns, 0);
    windows.fHideWindow(GG_WINDOW_NAME::kPURCHASE_FAIL, true);
    ASSERT_TRUE(fRunUntil([&] { return !windows.fIsOpen(GG_WINDOW_NAME::kPURCHASE_FAIL); }));
    game.fOnKeyDown(1);
    EXPECT_EQ(level.mDowns, 1);
    game.fSetGameplay(nullptr);
}

namespace {
// Titles of the trophies the pop-up announced, in order.
struct KS_ANNOUNCED {
    game::GG_WINDOW_TROPHY_GET* mWindow = nullptr;
    std::vector<std::wstring> mTitles;
    void fOnShown() { mTitles.push_back(mWindow->fGetTitle()); }
};
}  // namespace

TEST_F(StartupTest, WonTrophiesShowOneAtATimeLatestFirstAfterTheHold) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    gGame& game = *gGame::fGetGame();
    KEL::G_WINDOW_MANAGER& windows = *gGame::fGetWindowManager();
    KS_ANNOUNCED announced;
    announced.mWindow = dynamic_cast<game::GG_WINDOW_TROPHY_GET*>(windows.fFindWindow(GG_WINDOW_NAME::kTROPHY_GET));
    ASSERT_NE(announced.mWindow, nullptr);
    announced.mWindow->fSetCallback(KEL::G_WINDOW::kCB_SHOWN,
                                    KEL::Closure<void()>::fBind<&KS_ANNOUNCED::fOnShown>(&announced));
    KEL::KC_TROPHIES& trophies = *gGame::fGetTrophies();
    ASSERT_GE(trophies.fGetCount(), 2u);
    KEL::KC_TROPHY* first = trophies.fGetTrophy(0);
    KEL::KC_TROPHY* second = trophies.fGetTrophy(1);
    const std::wstring firstTitle = gGame::fGetStrings()->fGetString(first->fGetName());
    const std::wstring secondTitle = gGame::fGetStrings()->fGetString(second->fGetName());
    ASSERT_NE(firstTitle, secondTitle);
    KC_FAKE_LEVEL level;
    game.fSetGameplay(&level);

    game.fHoldTrophies(0.5f);
    game.fCheckAllTrophies(first);
    game.fCheckAllTrophies(second);
    const size_t queued = game.fGetQueuedTrophies();
    ASSERT_GE(queued, 2u);
    game.fUpdate();
    EXPECT_FALSE(windows.fIsOpen(GG_WINDOW_NAME::kTROPHY_GET)) << "held while the level's end shows";
    ASSERT_TRUE(fRunUntil([&] { return !announced.mTitles.empty(); }));
    EXPECT_EQ(announced.mTitles[0], secondTitle) << "the latest first";
    EXPECT_EQ(game.fGetQueuedTrophies(), queued - 1) << "one at a time";
    EXPECT_TRUE(level.fIsPaused()) << "the pop-up pauses the running level";

    auto close = [&] {
        const size_t before = announced.mTitles.size();
        windows.fHideWindow(GG_WINDOW_NAME::kTROPHY_GET, true);
        return fRunUntil(
            [&] { return !windows.fIsOpen(GG_WINDOW_NAME::kTROPHY_GET) || announced.mTitles.size() > before; });
    };
    while (windows.fIsOpen(GG_WINDOW_NAME::kTROPHY_GET)) ASSERT_TRUE(close());
    ASSERT_GE(announced.mTitles.size(), 2u);
    EXPECT_EQ(announced.mTitles[1], firstTitle);
    EXPECT_FALSE(level.fIsPaused()) << "hiding resumes what the pop-up paused";

    // Over a level the player paused, the pop-up leaves the level paused.
    level.fPause();
    game.fCheckAllTrophies(first);
    const size_t shown = announced.mTitles.size();
    ASSERT_TRUE(fRunUntil([&] { return announced.mTitles.size() > shown; }));
    while (windows.fIsOpen(GG_WINDOW_NAME::kTROPHY_GET)) ASSERT_TRUE(close());
    EXPECT_TRUE(level.fIsPaused());
    game.fSetGameplay(nullptr);
}

TEST_F(StartupTest, TheDesktopsShapeChoosesTheBarsAndASmallOneForcesFullScreen) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    gGame& game = *gGame::fGetGame();
    fEngine().mDesktopSize = KEL::KS_POINT(1280, 1024);
    game.fInitScreen();
    EXPECT_TRUE(game.fHasTopBottomBars());
    EXPECT_FALSE(game.fHasSideBars());
    EXPECT_FALSE(gGame::fGetSettings().fIsFullscreen());
    fEngine().mDesktopSize = KEL::KS_POINT(1024, 768);
    game.fInitScreen();
    EXPECT_TRUE(game.fHasTopBottomBars()) << "bars of height 0";
    EXPECT_FALSE(gGame::fGetSettings().fIsFullscreen());
    // The bars fill what the letterbox leaves, in game pixels; a desktop
    // smaller than the game but of its shape leaves nothing to fill.
    EXPECT_EQ(gGame::fTopBottomBarHeight(KEL::KS_POINT(1280, 1024)), 25);
    EXPECT_EQ(gGame::fTopBottomBarHeight(KEL::KS_POINT(1024, 768)), 0);
    EXPECT_EQ(gGame::fTopBottomBarHeight(KEL::KS_POINT(800, 600)), 0);
    EXPECT_EQ(gGame::fTopBottomBarHeight(KEL::KS_POINT(640, 480)), 0);
    fEngine().mDesktopSize = KEL::KS_POINT(1920, 1080);
    game.fInitScreen();
    EXPECT_TRUE(game.fHasSideBars());
    EXPECT_FALSE(game.fHasTopBottomBars());
    fEngine().mDesktopSize = KEL::KS_POINT(800, 600);
    game.fInitScreen();
    EXPECT_TRUE(gGame::fGetSettings().fIsFullscreen());
    EXPECT_TRUE(fQueue().mFullscreen);
    game.fDrawSideBars();
    fEngine().mDesktopSize = KEL::KS_POINT(0, 0);
    game.fInitScreen();
    game.fDrawSideBars();
}

// The title as a player first sees it, drawn through the real renderer on an
// offscreen window and kept as <build>/screens/Title.png.
class StartupPicture : public testsupport::WholeGame {};

TEST_F(StartupPicture, TheTitleIsDrawnOverItsPicture) {
    ASSERT_NO_FATAL_FAILURE(fStart());

    KEL::KC_RENDER* render = KEL::kcRENDER;
    ASSERT_EQ(render->fBeginFrame(), 1);
    game::fOnFrame(nullptr);
    render->fFlush();
    std::vector<uint8_t> pixels;
    int32_t width = 0, height = 0;
    ASSERT_TRUE(render->fGetDevice()->fReadBackBuffer(pixels, width, height));
    const fs::path png = fs::path(NONOGRAM_BINARY_DIR) / "screens" / "Title.png";
    fs::create_directories(png.parent_path());
    EXPECT_TRUE(render->fSaveFrame(png.string()));
    render->fEndFrame();
    ASSERT_EQ(width, 1024);
    ASSERT_EQ(height, 768);
    // Top left shows the title picture's sky, not the clear colour.
    const size_t corner = (size_t(height - 5) * width + 5) * 4;
    EXPECT_FALSE(pixels[corner] == 0x44 && pixels[corner + 1] == 0x44 && pixels[corner + 2] == 0x44);
}

namespace {

// What a child process wrote to standard error and how it ended.
struct KS_CHILD_END {
    int mStatus = -1;
    std::string mErrors;
};

// Runs body in a forked child whose standard error comes back; the child
// must end itself (a body that returns ends with status 77).
KS_CHILD_END fRunInChild(const std::function<void()>& body) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        dup2(pipeEnds[1], STDERR_FILENO);
        body();
        _exit(77);
    }
    close(pipeEnds[1]);
    KS_CHILD_END end;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) end.mErrors.append(buffer, size_t(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    end.mStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return end;
}

// The frame callback the game registered, and when to leave from inside it.
KEL::KC_CALLBACK* gGameFrame = nullptr;
std::function<bool()> gLeaveWhen;
std::function<void()> gLeave;

int32_t fFrameThenMaybeLeave(void* argument) {
    const int32_t result = KEL::KC_CALLBACK::fCall(gGameFrame, argument);
    if (gLeaveWhen()) gLeave();
    return result;
}

}  // namespace

// Xlib ends a program whose display went away by calling exit(1) from
// wherever it stands; the sanitizers see every destructor that then runs.
TEST_F(StartupTest, AnExitFromInsideTheFrameTouchesNoFreedMemory) {
    struct Case {
        const char* mWhen;
        std::function<bool()> mLeaveWhen;
        std::function<void()> mLeave;
        const char* mSays;
    };
    int frames = 0;
    constexpr unsigned long kGAME_WINDOW = 0x200006;
    const Case cases[] = {
        {"on the first loading frame", [&] { return ++frames >= 1; }, [] { std::exit(1); }, ""},
        {"at the title", fAtTitle, [] { host::X11ErrorWatch::fOnIoError(nullptr); }, "lost its connection"},
        {"with the window destroyed from outside", fAtTitle,
         [] {
             host::X11ErrorWatch::fWatchWindow(kGAME_WINDOW);
             XErrorEvent refused{};
             refused.resourceid = kGAME_WINDOW;
             refused.error_code = BadWindow;
             host::X11ErrorWatch::fOnError(nullptr, &refused);
         },
         "destroyed from outside"},
    };
    for (const Case& c : cases) {
        fs::remove(fUserFile("players.save"));
        const KS_CHILD_END end = fRunInChild([&] {
            fBoot();
            gGameFrame = KEL::kcbDRAW;
            KEL::kcbDRAW = KEL::KC_CALLBACK::fCreate(&fFrameThenMaybeLeave, "", nullptr);
            gLeaveWhen = c.mLeaveWhen;
            gLeave = c.mLeave;
            fRunUntil([] { return false; });
        });
        EXPECT_EQ(end.mStatus, 1) << c.mWhen << "\n" << end.mErrors;
        EXPECT_NE(end.mErrors.find(c.mSays), std::string::npos) << c.mWhen << "\n" << end.mErrors;
        if (*c.mSays) {
            EXPECT_TRUE(fs::exists(fUserFile("players.save"))) << c.mWhen << ": the players are saved first";
        }
        for (const char* report : {"Sanitizer", "runtime error"})
            EXPECT_EQ(end.mErrors.find(report), std::string::npos) << c.mWhen << "\n" << end.mErrors;
    }
}

namespace {

// Frames of software drawing under load: every reading of this clock is a
// later moment, so a frame (the loop's pacing and the frame timer each read
// it once) lasts two readings.
class KC_SLOW_FRAMES_CLOCK final : public host::IClock {
public:
    static constexpr uint32_t kREADING_MS = 30;

    explicit KC_SLOW_FRAMES_CLOCK(uint32_t now) : mNow(now) { host::fSetClock(this); }
    ~KC_SLOW_FRAMES_CLOCK() override { host::fSetClock(nullptr); }

    uint32_t fTimeMs() override { return mNow.fetch_add(kREADING_MS) + kREADING_MS; }
    void fSleep(uint32_t ms) override { mNow.fetch_add(ms); }
    int64_t fDateSeconds() override { return static_cast<int64_t>(std::time(nullptr)); }
    float fSeconds() const { return static_cast<float>(mNow.load()) / 1000.0f; }

private:
    std::atomic<uint32_t> mNow;
};

}  // namespace

TEST_F(StartupTest, SlowFramesKeepTheStartUpToItsOwnTimeAndTheUsualClampComesBackAtTheTitle) {
    ASSERT_EQ(fBoot(), KEL::KS_RESULT::kOK);
    game::G_LOADER_SCREEN* loader = game::fGetLoaderScreen();
    ASSERT_NE(loader, nullptr);
    // Loading is not what is timed here: it ends first, in real time.
    const Clock::time_point end = Clock::now() + std::chrono::seconds(120);
    while (loader->fGetProgress() < 100 && Clock::now() < end) std::this_thread::yield();
    ASSERT_EQ(loader->fGetProgress(), 100);
    const float content = loader->fGetTimePerSplash() * static_cast<float>(loader->fGetSplashCount()) +
                          2.0f * gGame::fGetWindowManager()->fFindWindow(GG_WINDOW_NAME::kFADE)->fGetShowTime();

    KC_SLOW_FRAMES_CLOCK clock(host::fClock().fTimeMs());
    ASSERT_TRUE(fRunUntil([loader] { return loader->fIsShown(); }));
    const float shown = clock.fSeconds();
    ASSERT_TRUE(fRunUntil([] {
        return fAtTitle() && !gGame::fGetWindowManager()->fFindOpenWindow(GG_WINDOW_NAME::kTITLE)->fIsAnimating();
    }));
    const float slowFrame = 2.0f * KC_SLOW_FRAMES_CLOCK::kREADING_MS / 1000.0f;
    EXPECT_LE(clock.fSeconds() - shown, content + 4.0f * slowFrame)
        << "frames of " << slowFrame << " s count whole while the start-up plays";
    EXPECT_GE(clock.fSeconds() - shown, content - slowFrame);

    // Playing, a slow frame is clamped again.
    fStep();
    EXPECT_LT(KEL::kcTIMER->mStep, 1.0f / 30.0f + 1e-6f);
}
