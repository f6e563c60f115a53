#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>

#include <sys/stat.h>

#include "PlayerFixture.h"
#include "engine/resources/KC_BIN_FILE.h"
#include "game/profile/KT_PLAYERS.h"
#include "support/FakeHost.h"
#include "support/FuzzFindings.h"
#include "support/TestEnvironment.h"

namespace fs = std::filesystem;
using game::GG_PLAYER;
using game::GG_SAVE_LAYOUT;
using KEL::KT_PLAYERS;
using namespace playertest;

namespace {

const GG_SAVE_LAYOUT kPLAIN{false, GG_SAVE_LAYOUT::kVERSION};
const GG_SAVE_LAYOUT kINAPP{true, GG_SAVE_LAYOUT::kVERSION};

std::string fNewFolder() {
    static int count = 0;
    return testsupport::TestEnvironment::fMakeFolder("user" + std::to_string(++count)).string() + "/";
}

struct SaveFolder {
    testsupport::FakeClock clock;
    std::string folder = fNewFolder();
    fs::path file = fs::path(folder) / "players.save";
    fs::path kept = fs::path(folder) / "players.save.1.bak";

    // Three full players saved with the layout, the second one current.
    std::vector<std::string> fSaveThree(const GG_SAVE_LAYOUT& layout) {
        KT_PLAYERS list;
        list.fSetLayout(layout);
        list.fLoad(folder);
        std::vector<std::string> dumps;
        for (int i = 0; i < 3; ++i) {
            auto player = fFullPlayer(i == 1 ? "J\xC3\xBCrgen" : "p" + std::to_string(i), i, layout);
            dumps.push_back(fDump(*player));
            EXPECT_TRUE(list.fAddPlayer(std::move(player)));
        }
        EXPECT_TRUE(list.fSelect(L"J\u00FCrgen"));
        EXPECT_TRUE(list.fSave(folder));
        return dumps;
    }
    std::vector<std::string> fLoadDumps(KT_PLAYERS& list) const {
        std::vector<std::string> dumps;
        for (const auto& player : list.fGetPlayers()) dumps.push_back(fDump(*player));
        return dumps;
    }
};

}  // namespace

TEST(KT_PLAYERS, SeveralFullPlayersRoundTripInBothLayouts) {
    for (const GG_SAVE_LAYOUT& layout : {kPLAIN, kINAPP}) {
        SaveFolder f;
        const std::vector<std::string> saved = f.fSaveThree(layout);
        KT_PLAYERS back;
        back.fSetLayout(layout);
        ASSERT_TRUE(back.fLoad(f.folder));
        EXPECT_EQ(f.fLoadDumps(back), saved) << "in-app " << layout.mInApp;
        ASSERT_NE(back.fGetCurrent(), nullptr);
        EXPECT_EQ(back.fGetCurrent()->fGetName(), L"J\u00FCrgen");
        EXPECT_FALSE(back.fWasDamaged());
        EXPECT_FALSE(fs::exists(f.kept));
        EXPECT_EQ(back.fGetCurrent()->fGetHealth().fGetOwner(), back.fGetCurrent());
    }
}

TEST(KT_PLAYERS, PackRecordsCarryPurchasesOnlyInTheInAppLayout) {
    SaveFolder f;
    KT_PLAYERS plain, inApp;
    plain.fSetLayout(kPLAIN);
    inApp.fSetLayout(kINAPP);
    plain.fLoad(f.folder);
    inApp.fLoad(f.folder);
    plain.fAddPlayer(fFullPlayer("a", 0, kPLAIN));
    inApp.fAddPlayer(fFullPlayer("a", 0, kINAPP));
    ASSERT_TRUE(plain.fSave(f.folder));
    const size_t plainSize = fReadBytes(f.file).size();
    ASSERT_TRUE(inApp.fSave(f.folder));
    // pack 0: paid byte + empty key; packs 1 and 2: paid, lock and "pack_N".
    EXPECT_EQ(fReadBytes(f.file).size(), plainSize + (1 + 4) + 2 * (1 + 1 + 4 + 6));
    const GG_PLAYER* read = inApp.fFind(L"a");
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->fFindPacks("pack_1").size(), 1u);
    EXPECT_TRUE(read->fFindPack(1)->fIsPaid());
    EXPECT_EQ(read->fFindPack(1)->fGetLock(), 1);
    EXPECT_FALSE(read->fFindPack(0)->fIsPaid());
}

TEST(KT_PLAYERS, NoCurrentPlayerIsOneZeroByteAndAnEmptyListFiveBytes) {
    SaveFolder f;
    KT_PLAYERS list;
    ASSERT_FALSE(list.fLoad(f.folder)) << "no file yet";
    ASSERT_TRUE(list.fIsLoaded());
    ASSERT_TRUE(list.fSave(f.folder));
    EXPECT_EQ(fReadBytes(f.file), std::string("\0\0\0\0\0", 5));
}

TEST(KT_PLAYERS, OldSettingsVersionReadsWithoutTheBestScore) {
    SaveFolder f;
    {
        // One player with no items, no hearts queue and no packs, old layout.
        KEL::KC_BIN_FILE file;
        ASSERT_TRUE(file.fOpenSave(f.file.string()));
        file.fWrite1(0);
        file.fWrite4b(1);
        file.fWriteString("old");
        file.fWrite4c(40.0f);
        file.fWrite4c(60.0f);
        file.fWrite1(1);
        file.fWrite1(1);
        file.fWrite4b(0);
        file.fWrite1(0);
        file.fWrite4a(3);
        file.fWrite8(0.0);
        file.fWrite4a(600);
        file.fWrite4b(0);
        for (int32_t v : {1, 750, 2, 3, 4, 5, 6, 7, 8}) file.fWrite4a(v);
        file.fWrite4c(33.0f);
        file.fWrite4b(0);
        ASSERT_TRUE(file.fCommit());
    }
    for (uint32_t running : {GG_SAVE_LAYOUT::kOLD_VERSION, GG_SAVE_LAYOUT::kVERSION}) {
        KT_PLAYERS list;
        list.fSetLayout({false, running});
        ASSERT_TRUE(list.fLoad(f.folder)) << running;
        const GG_PLAYER* p = list.fFind(L"old");
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->fGetStatistic().mScore, 750);
        EXPECT_EQ(p->fGetStatistic().mMaxScore, 750);
        EXPECT_EQ(p->fGetStatistic().mMinLevelTime, 33.0f);
        EXPECT_EQ(list.fGetCurrent(), p) << "the first player added becomes current";
        EXPECT_FALSE(fs::exists(f.kept));
    }
}

TEST(KT_PLAYERS, AFileOfTheOtherEditionIsStillRead) {
    SaveFolder f;
    const std::vector<std::string> saved = f.fSaveThree(kINAPP);
    KT_PLAYERS plain;
    plain.fSetLayout(kPLAIN);
    ASSERT_TRUE(plain.fLoad(f.folder));
    ASSERT_EQ(plain.fGetCount(), 3u);
    EXPECT_FALSE(plain.fWasDamaged());
    ASSERT_TRUE(plain.fSave(f.folder)) << "and written back in the running layout";
    KT_PLAYERS again;
    again.fSetLayout(kPLAIN);
    EXPECT_TRUE(again.fLoad(f.folder));
    EXPECT_EQ(f.fLoadDumps(again), f.fLoadDumps(plain));
}

TEST(KT_PLAYERS, AFileCutAtAnyByteKeepsWholePlayersAndIsKeptAside) {
    SaveFolder f;
    const std::vector<std::string> saved = f.fSaveThree(kPLAIN);
    const std::string good = fReadBytes(f.file);
    for (size_t cut = 0; cut < good.size(); ++cut) {
        fWriteBytes(f.file, good.substr(0, cut));
        fs::remove(f.kept);
        KT_PLAYERS list;
        EXPECT_FALSE(list.fLoad(f.folder)) << cut;
        EXPECT_TRUE(list.fWasDamaged());
        const std::vector<std::string> read = f.fLoadDumps(list);
        ASSERT_LE(read.size(), saved.size());
        for (size_t i = 0; i < read.size(); ++i) EXPECT_EQ(read[i], saved[i]) << "cut " << cut;
        EXPECT_EQ(list.fGetKeptPath(), f.kept.string());
        EXPECT_EQ(fReadBytes(f.kept), good.substr(0, cut)) << cut;
        ASSERT_TRUE(list.fSave(f.folder));
        KT_PLAYERS again;
        EXPECT_TRUE(again.fLoad(f.folder)) << "the new save reads clean, cut " << cut;
    }
}

TEST(KT_PLAYERS, BytesInMemoryReadAndSaveAsTheFileDoesAndTouchNoFile) {
    SaveFolder f;
    const std::vector<std::string> saved = f.fSaveThree(kINAPP);
    const std::string good = fReadBytes(f.file);

    KT_PLAYERS list;
    list.fSetLayout(kINAPP);
    ASSERT_TRUE(list.fLoadBytes(good));
    EXPECT_FALSE(list.fWasDamaged());
    EXPECT_EQ(f.fLoadDumps(list), saved);
    EXPECT_EQ(list.fGetCurrent(), list.fFind(L"J\u00FCrgen"));
    EXPECT_EQ(list.fSaveBytes(), good);
    EXPECT_FALSE(list.fIsLoaded()) << "bytes in hand give no leave to overwrite a file";
    EXPECT_FALSE(list.fSave(f.folder));

    // Damaged bytes keep whole players and leave the folder as it was.
    KT_PLAYERS cut;
    cut.fSetLayout(kINAPP);
    EXPECT_FALSE(cut.fLoadBytes(good.substr(0, good.size() - 1)));
    EXPECT_TRUE(cut.fWasDamaged());
    EXPECT_EQ(cut.fGetCount(), 2u);
    EXPECT_FALSE(fs::exists(f.kept));
    EXPECT_EQ(fReadBytes(f.file), good);

    KT_PLAYERS renamed;
    EXPECT_FALSE(renamed.fLoadBytes(testsupport::fFinding("players-duplicate-names.save")));
    EXPECT_TRUE(renamed.fWasDamaged());
    KT_PLAYERS back;
    EXPECT_TRUE(back.fLoadBytes(renamed.fSaveBytes()));
    EXPECT_EQ(back.fGetNames(), renamed.fGetNames());
}

TEST(KT_PLAYERS, HostileCountsAndLengthsEndAtTheFilesEnd) {
    SaveFolder f;
    f.fSaveThree(kPLAIN);
    const std::string good = fReadBytes(f.file);
    // Every 4-byte window in turn set to a huge count or length.
    for (size_t at = 0; at + 4 <= good.size(); at += 3) {
        for (uint32_t hostile : {0xFFFFFFFFu, 0x7FFFFFF0u, 0x00100000u}) {
            std::string bad = good;
            std::memcpy(&bad[at], &hostile, 4);
            fWriteBytes(f.file, bad);
            KT_PLAYERS list;
            list.fLoad(f.folder);
            EXPECT_LE(list.fGetCount(), 3u);
            if (list.fWasDamaged()) {
                EXPECT_EQ(fReadBytes(list.fGetKeptPath()), bad);
            }
        }
    }
}

TEST(KT_PLAYERS, DuplicateAndUndecodableNamesLoseNobodyAcrossASave) {
    SaveFolder f;
    // Stored names: two equal, two invalid UTF-8 ones that decode alike, and
    // a name the first rename would take.
    const std::vector<std::string> written{"Dup_A", "Dup_B", "Bad_1", "Bad_2", "Dup_A (2)"};
    const std::vector<std::pair<std::string, std::string>> patches{{"Dup_B", "Dup_A"},
                                                                   {"Bad_1", "Bad_\xFF"},
                                                                   {"Bad_2", "Bad_\xFE"}};
    {
        KT_PLAYERS list;
        list.fLoad(f.folder);
        for (size_t i = 0; i < written.size(); ++i)
            ASSERT_TRUE(list.fAddPlayer(fFullPlayer(written[i], int(i), kPLAIN)));
        ASSERT_TRUE(list.fSave(f.folder));
    }
    std::string bytes = fReadBytes(f.file);
    for (const auto& [from, to] : patches) bytes.replace(bytes.find(from), from.size(), to);
    fWriteBytes(f.file, bytes);

    const std::vector<std::wstring> names{L"Dup_A", L"Dup_A (2)", L"Bad_", L"Bad_ (2)", L"Dup_A (2) (2)"};
    std::vector<std::string> expected;
    for (size_t i = 0; i < names.size(); ++i) {
        auto player = fFullPlayer("", int(i), kPLAIN);
        player->fSetName(names[i]);
        expected.push_back(fDump(*player));
    }
    KT_PLAYERS list;
    EXPECT_FALSE(list.fLoad(f.folder)) << "a rename is damage";
    EXPECT_TRUE(list.fWasDamaged());
    EXPECT_EQ(fReadBytes(f.kept), bytes) << "the file as written is kept";
    EXPECT_EQ(list.fGetNames(), names);
    EXPECT_EQ(f.fLoadDumps(list), expected);
    ASSERT_TRUE(list.fSave(f.folder));
    const std::string saved = fReadBytes(f.file);

    KT_PLAYERS again;
    EXPECT_TRUE(again.fLoad(f.folder)) << "nobody is renamed twice";
    EXPECT_FALSE(again.fWasDamaged());
    EXPECT_EQ(f.fLoadDumps(again), expected);
    ASSERT_TRUE(again.fSave(f.folder));
    EXPECT_EQ(fReadBytes(f.file), saved);
}

TEST(KT_PLAYERS, AFileWithDuplicatesFromFuzzingKeepsEveryone) {
    SaveFolder f;
    const std::string bytes = testsupport::fFinding("players-duplicate-names.save");
    ASSERT_FALSE(bytes.empty());
    fWriteBytes(f.file, bytes);
    KT_PLAYERS list;
    EXPECT_FALSE(list.fLoad(f.folder));
    EXPECT_EQ(list.fGetNames(), (std::vector<std::wstring>{L"Ann", L"Ann (2)", L"Bad", L"Bad (2)"}));
    EXPECT_EQ(list.fGetCurrent(), list.fFind(L"Ann"));
    EXPECT_EQ(fReadBytes(f.kept), bytes);
    ASSERT_TRUE(list.fSave(f.folder));
    KT_PLAYERS again;
    EXPECT_TRUE(again.fLoad(f.folder));
    EXPECT_EQ(again.fGetNames(), list.fGetNames());
}

TEST(KT_PLAYERS, AFileOfManyEqualNamesReadsInLinearTime) {
    // One stored player repeated: every copy after the first needs a new
    // name. Trying each suffix from 2 again for every copy, or walking the
    // list for every player added, made this a hang for large files.
    KT_PLAYERS one;
    ASSERT_TRUE(one.fAddPlayer(std::make_unique<GG_PLAYER>(kPLAIN)));
    one.fGetPlayers().front()->fSetName(L"A");
    one.fSetCurrent(nullptr);
    const std::string single = one.fSaveBytes();
    const std::string record = single.substr(5);
    constexpr uint32_t kCOPIES = 5000;
    std::string bytes(1, '\0');
    bytes.append(reinterpret_cast<const char*>(&kCOPIES), 4);
    for (uint32_t i = 0; i < kCOPIES; ++i) bytes += record;

    KT_PLAYERS list;
    EXPECT_FALSE(list.fLoadBytes(bytes)) << "renames are damage";
    ASSERT_EQ(list.fGetCount(), kCOPIES);
    const std::vector<std::wstring> names = list.fGetNames();
    EXPECT_EQ(names[0], L"A");
    EXPECT_EQ(names[1], L"A (2)");
    EXPECT_EQ(names[kCOPIES - 1], L"A (" + std::to_wstring(kCOPIES) + L")");
    KT_PLAYERS back;
    EXPECT_TRUE(back.fLoadBytes(list.fSaveBytes()));
    EXPECT_EQ(back.fGetNames(), names);

    // The file fuzzing found: 3000 players named "A".
    KT_PLAYERS found;
    EXPECT_FALSE(found.fLoadBytes(testsupport::fFinding("players-many-equal-names.save")));
    ASSERT_EQ(found.fGetCount(), 3000u);
    EXPECT_EQ(found.fGetNames().back(), L"A (3000)");
}

TEST(KT_PLAYERS, SavesOnlyOnceLoadedAndAFailedWriteKeepsTheOldFile) {
    SaveFolder f;
    f.fSaveThree(kPLAIN);
    const std::string good = fReadBytes(f.file);
    KT_PLAYERS notLoaded;
    notLoaded.fAddPlayer(fFullPlayer("x", 1, kPLAIN));
    EXPECT_FALSE(notLoaded.fSave(f.folder));
    EXPECT_EQ(fReadBytes(f.file), good);

    KT_PLAYERS list;
    ASSERT_TRUE(list.fLoad(f.folder));
    list.fRemovePlayer(L"p0");
    fs::create_directory(f.file.string() + ".tmp");
    for (int save = 0; save < 2; ++save) {
        EXPECT_FALSE(list.fSave(f.folder));
        list.fNoteSaveFailed(f.folder);
        EXPECT_EQ(list.fTakeNotice().empty(), save == 1) << "told once";
    }
    EXPECT_EQ(fReadBytes(f.file), good);
    fs::remove(f.file.string() + ".tmp");
    EXPECT_TRUE(list.fSave(f.folder));
    EXPECT_NE(fReadBytes(f.file), good);
}

TEST(KT_PLAYERS, NamesNoPlayerCouldTypeAreMendedInPlayAndKeptAsTheyWere) {
    SaveFolder f;
    const std::wstring mega(1 << 20, L'x');
    const std::vector<std::wstring> stored{L"", mega, mega + L"y",
                                           L"a/b\\c\x07"
                                           L"d\x85",
                                           L"Bad_1"};
    {
        KT_PLAYERS list;
        list.fLoad(f.folder);
        for (size_t i = 0; i < stored.size(); ++i) {
            auto player = fFullPlayer("p" + std::to_string(i), int(i), kPLAIN);
            player->fSetName(stored[i]);
            list.fAddPlayer(std::move(player));
        }
        list.fSelect(mega);
        ASSERT_TRUE(list.fSave(f.folder));
    }
    std::string bytes = fReadBytes(f.file);
    bytes.replace(bytes.find("Bad_1"), 5, "Bad_\xFF");
    fWriteBytes(f.file, bytes);

    KT_PLAYERS list;
    EXPECT_FALSE(list.fLoad(f.folder));
    const std::wstring x15(15, L'x');
    EXPECT_EQ(list.fGetNames(),
              (std::vector<std::wstring>{L"player", x15, std::wstring(11, L'x') + L" (2)", L"abcd", L"Bad_"}));
    EXPECT_EQ(list.fGetCurrent(), list.fFind(x15)) << "the current player is found by the mended name";
    EXPECT_EQ(fReadBytes(f.kept), bytes) << "the original keeps its bytes";
    EXPECT_NE(list.fTakeNotice().find("5 players were recovered"), std::string::npos);
    ASSERT_TRUE(list.fSave(f.folder));
    KT_PLAYERS again;
    EXPECT_TRUE(again.fLoad(f.folder)) << "mended names read clean";
    EXPECT_EQ(again.fGetNames(), list.fGetNames());
}

TEST(KT_PLAYERS, WhatIsNoRegularFileIsMovedAsideUnreadAndEveryDamagedOriginalIsKept) {
    SaveFolder f;
    f.fSaveThree(kPLAIN);
    const std::string good = fReadBytes(f.file);
    const auto fLoadQuickly = [&f](KT_PLAYERS& list) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(list.fLoad(f.folder));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << "nothing blocks";
    };
    // A FIFO, and a link to a device that reads without end.
    for (int kind = 0; kind < 2; ++kind) {
        fs::remove(f.file);
        if (kind == 0) ASSERT_EQ(mkfifo(f.file.c_str(), 0644), 0);
        else fs::create_symlink("/dev/zero", f.file);
        KT_PLAYERS list;
        fLoadQuickly(list);
        EXPECT_TRUE(list.fWasDamaged());
        const fs::path kept = list.fGetKeptPath();
        EXPECT_EQ(kept, fs::path(f.folder) / ("players.save." + std::to_string(kind + 1) + ".bak"));
        EXPECT_TRUE(kind == 0 ? fs::is_fifo(kept) : fs::is_symlink(kept)) << "the node itself is kept";
        EXPECT_EQ(list.fTakeNotice(), "The players file is not a regular file: no player was recovered.\n"
                                      "The original is kept as \"" +
                                          kept.string() + "\".");
        EXPECT_TRUE(list.fSave(f.folder));
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(f.file)));
    }

    // Two damaged starts in a row keep both originals; the same damage
    // again keeps no second copy.
    for (const size_t cut : {good.size() - 1, good.size() - 2, good.size() - 2}) {
        fWriteBytes(f.file, good.substr(0, cut));
        KT_PLAYERS list;
        fLoadQuickly(list);
    }
    EXPECT_EQ(fReadBytes(fs::path(f.folder) / "players.save.3.bak"), good.substr(0, good.size() - 1));
    EXPECT_EQ(fReadBytes(fs::path(f.folder) / "players.save.4.bak"), good.substr(0, good.size() - 2));
    EXPECT_FALSE(fs::exists(fs::path(f.folder) / "players.save.5.bak"));
}

TEST(KT_PLAYERS, ALinkStaysALinkAndAFolderInTheFilesPlaceHoldsSavesUntilItIsGone) {
    SaveFolder f;
    const fs::path target = fs::path(f.folder) / "elsewhere" / "mine.save";
    fs::create_directories(target.parent_path());
    fs::create_symlink("elsewhere/mine.save", f.file);
    KT_PLAYERS linked;
    EXPECT_FALSE(linked.fLoad(f.folder));
    EXPECT_NE(linked.fTakeNotice().find("which is missing"), std::string::npos);
    linked.fAddPlayer(fFullPlayer("Ann", 1, kPLAIN));
    ASSERT_TRUE(linked.fSave(f.folder));
    EXPECT_TRUE(fs::is_symlink(f.file)) << "not replaced";
    EXPECT_NE(fReadBytes(target).find("Ann"), std::string::npos);
    KT_PLAYERS through;
    EXPECT_TRUE(through.fLoad(f.folder));

    fs::remove(f.file);
    fs::create_directories(f.file / "inside");
    KT_PLAYERS list;
    EXPECT_FALSE(list.fLoad(f.folder));
    EXPECT_NE(list.fTakeNotice().find("is a folder"), std::string::npos);
    list.fAddPlayer(fFullPlayer("Bob", 2, kPLAIN));
    EXPECT_FALSE(list.fSave(f.folder));
    list.fNoteSaveFailed(f.folder);
    EXPECT_EQ(list.fTakeNotice(), "") << "the start said saves wait";
    EXPECT_TRUE(fs::exists(f.file / "inside"));
    fs::remove_all(f.file);
    EXPECT_TRUE(list.fSave(f.folder));
    EXPECT_NE(fReadBytes(f.file).find("Bob"), std::string::npos);
}

TEST(KT_PLAYERS, AnOriginalThatCannotBeKeptHoldsSavesAndEachSaveTriesAgain) {
    SaveFolder f;
    f.fSaveThree(kPLAIN);
    // A folder whose path leaves room for "players.save.tmp" but not for
    // "players.save.1.bak": the copy fails even where permissions do not.
    std::string deep = f.folder;
    while (deep.size() + 200 < 4070) deep += std::string(190, 'd') + "/";
    deep += std::string(4079 - deep.size() - 1, 'e') + "/";
    ASSERT_EQ(deep.size(), 4079u);
    fs::create_directories(deep);
    const std::string cut = fReadBytes(f.file).substr(0, 40);
    fWriteBytes(deep + "players.save", cut);
    KT_PLAYERS list;
    EXPECT_FALSE(list.fLoad(deep));
    EXPECT_EQ(list.fGetKeptPath(), "");
    EXPECT_NE(list.fTakeNotice().find("could not be kept aside,\nso nothing is saved until it can be"),
              std::string::npos);
    EXPECT_FALSE(list.fSave(deep));
    EXPECT_EQ(fReadBytes(deep + "players.save"), cut);
    // The same folder by a shorter path: now there is room.
    const fs::path near = fs::path(f.folder) / "near";
    fs::create_directory_symlink(deep, near);
    list.fAddPlayer(fFullPlayer("Cy", 3, kPLAIN));
    ASSERT_TRUE(list.fSave(near.string() + "/"));
    EXPECT_EQ(fReadBytes(near / "players.save.1.bak"), cut);
    EXPECT_NE(list.fTakeNotice().find("now kept as"), std::string::npos);
    EXPECT_NE(fReadBytes(near / "players.save").find("Cy"), std::string::npos);
}

TEST(KT_PLAYERS, ListRules) {
    KT_PLAYERS list;
    ASSERT_TRUE(list.fAddPlayer(fFullPlayer("a", 0, kPLAIN)));
    EXPECT_EQ(list.fGetCurrent(), list.fFind(L"a")) << "the first player becomes current";
    EXPECT_FALSE(list.fAddPlayer(fFullPlayer("a", 1, kPLAIN))) << "names are unique";
    EXPECT_TRUE(list.fAddPlayer(fFullPlayer("A", 1, kPLAIN))) << "and compared exactly";
    EXPECT_EQ(list.fGetNames(), (std::vector<std::wstring>{L"a", L"A"}));
    EXPECT_FALSE(list.fSelect(L"b"));
    EXPECT_TRUE(list.fSelect(L"A"));
    EXPECT_TRUE(list.fRemovePlayer(L"A"));
    EXPECT_EQ(list.fGetCurrent(), nullptr) << "removing the current player leaves nobody current";
    EXPECT_FALSE(list.fRemovePlayer(L"A"));
    EXPECT_TRUE(list.fSetCurrent(list.fFind(L"a")));
    EXPECT_FALSE(list.fSetCurrent(nullptr));
    EXPECT_EQ(list.fGetCurrent(), nullptr);
}

TEST(GG_PLAYER, CopiesAreDeepAndTheirHeartsBelongToTheCopy) {
    testsupport::FakeClock clock;
    auto original = fFullPlayer("t", 0, kPLAIN);
    GG_PLAYER copy(*original);
    EXPECT_EQ(fDump(copy), fDump(*original));
    EXPECT_EQ(copy.fGetHealth().fGetOwner(), &copy);
    copy.fFindLevel(0, 1)->fSetStars(3);
    EXPECT_NE(original->fFindLevel(0, 1)->fGetStars(), 3);
    // The copy refills up to its own maximum.
    copy.fSetItemCount("health", 20);
    copy.fGetHealth().fClearQueue();
    while (copy.fGetHealth().fAddHeart()) {
    }
    EXPECT_EQ(copy.fGetHealth().fGetCount(), 20);
}

TEST(GG_PLAYER, XmlKeepsDefaultsForAbsentKeysAndDropsPacksWithoutLevelIds) {
    pugi::xml_document d;
    d.load_string(
        "<player name=\"n\"><packs><pack id=\"0\"><level id=\"1\"/><level id=\"2\" lock=\"0\"/></pack>"
        "<pack id=\"1\"><level stars=\"2\"/></pack><pack id=\"2\" lock=\"1\" InAppKey=\"k\"/></packs></player>");
    GG_PLAYER player(kINAPP);
    player.fLoadXml(d.document_element());
    EXPECT_EQ(player.fGetSoundVolume(), 50.0f);
    EXPECT_TRUE(player.fGetGameCursor());
    ASSERT_EQ(player.fGetPacks().size(), 2u);
    const game::GG_LEVEL_RECORD* first = player.fFindLevel(0, 1);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->fIsOpen()) << "an absent lock keeps the level locked";
    EXPECT_TRUE(player.fFindLevel(0, 2)->fIsOpen());
    EXPECT_EQ(player.fFindLevel(0, 2)->fGetIndex(), 1);
    EXPECT_EQ(player.fFindPack(1), nullptr);
    EXPECT_TRUE(player.fFindPack(2)->fIsPaid());
    EXPECT_FALSE(player.fFindPack(0)->fIsPaid());
}

TEST(GG_PLAYER, DefaultTemplatesGiveEveryPackAndAnOpenFirstLevel) {
    for (const char* name : {"player.xml", "player_inapp.xml"}) {
        const std::string path = std::string(NONOGRAM_SOURCE_DIR) + "/content/data/share/main/other/" + name;
        pugi::xml_document d;
        ASSERT_TRUE(d.load_file(path.c_str())) << path;
        GG_PLAYER player(std::string(name) == "player.xml" ? kPLAIN : kINAPP);
        player.fLoadXml(d.document_element());
        EXPECT_EQ(player.fGetName(), L"player");
        ASSERT_EQ(player.fGetPacks().size(), 4u);
        for (const auto& pack : player.fGetPacks()) EXPECT_EQ(pack->fGetLevels().size(), 12u);
        EXPECT_TRUE(player.fFindLevel(0, 1)->fIsOpen());
        EXPECT_FALSE(player.fFindLevel(0, 2)->fIsOpen());
        EXPECT_GT(player.fGetItemCount("errors"), 0);
        EXPECT_GT(player.fGetHealth().fGetCount(), 0);
        EXPECT_EQ(player.fGetHealth().fGetCount(), player.fGetItemCount("health"));
    }
}
