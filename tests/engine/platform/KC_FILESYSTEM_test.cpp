#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/resources/KC_RESOURCE.h"
#include "engine/resources/TestArchives.h"
#include "host/Files.h"
#include "support/TestEnvironment.h"

using namespace KEL;
using testsupport::TestEnvironment;

namespace {

const std::string kTen = "0123456789";

std::string fPattern(size_t size) {
    std::string text;
    for (size_t i = 0; text.size() < size; ++i) text += "line " + std::to_string(i % 97) + " of the test text\n";
    text.resize(size);
    return text;
}

// Loads one record and hands back result, size and bytes.
struct KS_LOADED {
    int32_t mResult;
    uint32_t mSize;
    std::string mBytes;
    uint32_t mKind;
};

KS_LOADED fLoadOne(const std::string& location, const std::string& name, const std::string& password = "") {
    KC_RESOURCE record;
    record.mName = name;
    record.mLocation = location;
    record.mPassword = password;
    KS_LOADED out{KC_FILESYSTEM::fGetInstance().fLoad(&record), record.mSize, {}, record.mKind};
    if (record.mData) out.mBytes.assign(static_cast<const char*>(record.mData), record.mSize);
    record.fUnload();
    return out;
}

// Builds the archives every archive test reads, once per process.
class ArchiveLoads : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        KC_FILESYSTEM::fGetInstance();
        TestEnvironment::fWriteFile("src/ten.txt", kTen);
        TestEnvironment::fWriteFile("src/big.txt", fPattern(20000));
        TestEnvironment::fWriteFile("src/empty.txt", "");
        TestEnvironment::fWriteFile("src/sub/inner.xml", "<a/>");
        TestEnvironment::fWriteFile("src/plain.txt", "plain entry");
        ASSERT_TRUE(testsupport::fZip("Resources/stored", "src", "ten.txt big.txt empty.txt sub/inner.xml", "-0"));
        ASSERT_TRUE(testsupport::fZip("Resources/deflated", "src", "ten.txt big.txt empty.txt sub/inner.xml"));
        ASSERT_TRUE(testsupport::fZip("Resources/locked0", "src", "ten.txt big.txt empty.txt", "-0 -P pw"));
        ASSERT_TRUE(testsupport::fZip("Resources/locked", "src", "ten.txt big.txt empty.txt", "-P pw"));
        // One archive mixing encrypted entries with a plain one added later.
        ASSERT_TRUE(testsupport::fZip("Resources/mixed", "src", "ten.txt big.txt", "-P pw"));
        ASSERT_TRUE(testsupport::fZip("Resources/mixed", "src", "plain.txt"));
    }
};

}  // namespace

TEST(KC_FILESYSTEM, MakesAndEntersResourcesAtStart) {
    const std::string root = TestEnvironment::fRoot().string();
    KC_FILESYSTEM& files = KC_FILESYSTEM::fGetInstance();
    EXPECT_EQ(files.fGetRootPath(), root + "/");
    EXPECT_EQ(files.fGetResourcesPath(), root + "/Resources/");
    EXPECT_EQ(fFileExists(root + "/Resources"), KEL::KE_PATH_KIND::kFOLDER);
    EXPECT_EQ(fGetCurrentDir(), root + "/Resources");
    EXPECT_EQ(&files, &KC_FILESYSTEM::fGetInstance());
}

TEST(KC_FILESYSTEM, ReportsWhenResourcesCannotBeMade) {
    // A file named "Resources" stands where the folder should go.
    const std::string start = host::fCurrentFolder();
    TestEnvironment::fWriteFile("blocked/Resources", "not a folder");
    ASSERT_TRUE(host::fSetCurrentFolder((TestEnvironment::fRoot() / "blocked").string()));
    fErrorText().clear();
    KC_FILESYSTEM files;
    EXPECT_EQ(fErrorText(), "Cant create \"Resources\"directory");
    host::fSetCurrentFolder(start);
}

TEST(KC_FILESYSTEM, FolderFilesGetATrailingZeroByte) {
    KC_FILESYSTEM::fGetInstance();
    TestEnvironment::fWriteFile("Resources/data/ten.txt", kTen);
    TestEnvironment::fWriteFile("Resources/top.txt", "top");

    KS_LOADED ten = fLoadOne("data", "ten.txt");
    EXPECT_EQ(ten.mResult, 1);
    EXPECT_EQ(ten.mSize, 11u);
    EXPECT_EQ(ten.mBytes, kTen + std::string(1, '\0'));
    EXPECT_EQ(ten.mKind, KC_RESOURCE::kBytes);

    EXPECT_EQ(fLoadOne("", "top.txt").mBytes, std::string("top\0", 4)) << "the resources folder itself";
    EXPECT_EQ(fLoadOne("data", "missing.txt").mResult, -108);
    EXPECT_EQ(fLoadOne("nowhere", "ten.txt").mResult, -1);
    EXPECT_EQ(fLoadOne("data\\", "ten.txt").mResult, 1) << "back slashes are separators";
}

TEST_F(ArchiveLoads, StoredAndDeflatedEntriesLoadExactly) {
    for (const char* archive : {"stored", "deflated", "locked0", "locked"}) {
        SCOPED_TRACE(archive);
        const std::string password = archive[0] == 'l' ? "pw" : "";
        KS_LOADED ten = fLoadOne(archive, "ten.txt", password);
        EXPECT_EQ(ten.mResult, 1);
        EXPECT_EQ(ten.mSize, 10u) << "archive entries get no extra byte in their size";
        EXPECT_EQ(ten.mBytes, kTen);
        EXPECT_EQ(fLoadOne(archive, "big.txt", password).mBytes, fPattern(20000));
        KS_LOADED empty = fLoadOne(archive, "empty.txt", password);
        EXPECT_EQ(empty.mResult, 1);
        EXPECT_EQ(empty.mSize, 0u);
    }
    EXPECT_EQ(fLoadOne("deflated", "sub/inner.xml").mBytes, "<a/>") << "names keep their folder part";
}

TEST_F(ArchiveLoads, MissingEntriesAndEmptyNames) {
    EXPECT_EQ(fLoadOne("deflated", "absent.txt").mResult, -108) << "never the archive's last entry";
    EXPECT_EQ(fLoadOne("deflated", "inner.xml").mResult, -108);
    KS_LOADED none = fLoadOne("deflated", "");
    EXPECT_EQ(none.mResult, 1);
    EXPECT_EQ(none.mKind, KC_RESOURCE::kNothing) << "an empty name loads nothing";
}

TEST_F(ArchiveLoads, PasswordsAreCheckedNeverGivingGarbage) {
    for (const char* archive : {"locked0", "locked"}) {
        SCOPED_TRACE(archive);
        EXPECT_EQ(fLoadOne(archive, "ten.txt", "wrong").mResult, -109);
        EXPECT_EQ(fLoadOne(archive, "big.txt", "wrong").mResult, -109);
        EXPECT_EQ(fLoadOne(archive, "ten.txt", "").mResult, -109);
    }
    EXPECT_EQ(fLoadOne("mixed", "plain.txt", "pw").mBytes, "plain entry") << "plain entries ignore the password";
    EXPECT_EQ(fLoadOne("mixed", "plain.txt").mBytes, "plain entry");
    EXPECT_EQ(fLoadOne("mixed", "big.txt", "pw").mBytes, fPattern(20000));
    EXPECT_EQ(fLoadOne("stored", "ten.txt", "pw").mBytes, kTen);
}

TEST_F(ArchiveLoads, StreamedEncryptedEntryUsesTheTimeCheckByte) {
    // Input from a pipe makes zip write a data descriptor (flag bit 3).
    const std::string target = (TestEnvironment::fRoot() / "Resources/piped").string();
    const std::string command = "printf 'from a pipe' | zip -q -P pw '" + target + "' - >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    if (fFileExists(target) == KEL::KE_PATH_KIND::kNONE) std::rename((target + ".zip").c_str(), target.c_str());
    EXPECT_EQ(fLoadOne("piped", "-", "pw").mBytes, "from a pipe");
    EXPECT_EQ(fLoadOne("piped", "-", "wrong").mResult, -109);
}

TEST_F(ArchiveLoads, CorruptedBytesFailTheCrc) {
    const std::filesystem::path source = TestEnvironment::fRoot() / "Resources/stored";
    const std::filesystem::path damaged = TestEnvironment::fRoot() / "Resources/damaged";
    std::ifstream in(source, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t at = bytes.find(kTen);
    ASSERT_NE(at, std::string::npos);
    bytes[at + 3] = 'X';
    TestEnvironment::fWriteFile("Resources/damaged", bytes);
    EXPECT_EQ(fLoadOne("damaged", "ten.txt").mResult, -109);
    EXPECT_EQ(fLoadOne("damaged", "empty.txt").mResult, 1) << "other entries still load";
}

TEST_F(ArchiveLoads, ReloadsAnArchiveThatChanged) {
    std::filesystem::copy_file(TestEnvironment::fRoot() / "Resources/stored",
                               TestEnvironment::fRoot() / "Resources/changing");
    EXPECT_EQ(fLoadOne("changing", "ten.txt").mBytes, kTen);
    std::filesystem::remove(TestEnvironment::fRoot() / "Resources/changing");
    ASSERT_TRUE(testsupport::fZip("Resources/changing", "src", "plain.txt"));
    EXPECT_EQ(fLoadOne("changing", "ten.txt").mResult, -108);
    EXPECT_EQ(fLoadOne("changing", "plain.txt").mBytes, "plain entry");
}

TEST_F(ArchiveLoads, ListsEntriesInArchiveOrderOnlyForArchives) {
    KC_FILESYSTEM& files = KC_FILESYSTEM::fGetInstance();
    std::vector<std::string> names;
    files.fListArchive(files.fGetResourcesPath() + "deflated", names);
    EXPECT_EQ(names, (std::vector<std::string>{"ten.txt", "big.txt", "empty.txt", "sub/inner.xml"}));

    TestEnvironment::fWriteFile("Resources/notzip", "PK\x04 not an archive");
    TestEnvironment::fWriteFile("Resources/fake", "PK\x03\x04 broken");
    names.clear();
    files.fListArchive(files.fGetResourcesPath() + "notzip", names);
    files.fListArchive(files.fGetResourcesPath() + "fake", names);
    files.fListArchive(files.fGetResourcesPath() + "none", names);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(KC_FILESYSTEM::fFileType(files.fGetResourcesPath() + "fake"), 0x00034B50);
    EXPECT_EQ(KC_FILESYSTEM::fFileType(files.fGetResourcesPath() + "notzip"), 0);
    EXPECT_EQ(KC_FILESYSTEM::fFileType(files.fGetResourcesPath() + "none"), -1);
    EXPECT_EQ(fLoadOne("fake", "x").mResult, -1) << "a broken archive cannot be opened";
}

TEST(KC_FILESYSTEM, PathHelpers) {
    const std::string root = TestEnvironment::fRoot().string();
    EXPECT_TRUE(fCreateDirectories(root + "/deep/a/b/c"));
    EXPECT_EQ(fFileExists(root + "/deep/a/b/c"), KEL::KE_PATH_KIND::kFOLDER);
    EXPECT_TRUE(fCreateDirectories(root + "/deep/a/b/c/")) << "existing folders are fine";
    TestEnvironment::fWriteFile("deep/file", "x");
    EXPECT_EQ(fFileExists(root + "/deep/file"), KEL::KE_PATH_KIND::kFILE);
    EXPECT_EQ(fFileExists(root + "/deep/none"), KEL::KE_PATH_KIND::kNONE);
    EXPECT_FALSE(fCreateDirectories(root + "/deep/file/below")) << "a file blocks the path";
    EXPECT_FALSE(fCreateDirectories(""));

    // A relative path is made below the current folder.
    const std::string start = host::fCurrentFolder();
    host::fSetCurrentFolder(root);
    EXPECT_TRUE(fCreateDirectories("rel/x"));
    EXPECT_EQ(fFileExists(root + "/rel/x"), KEL::KE_PATH_KIND::kFOLDER);
    host::fSetCurrentFolder(start);

    TestEnvironment::fWriteFile("deep/a/b/c/leaf.txt", "leaf");
    TestEnvironment::fWriteFile("keep/kept.txt", "kept");
    std::filesystem::create_directory_symlink(TestEnvironment::fRoot() / "keep",
                                              TestEnvironment::fRoot() / "deep/a/link");
    EXPECT_TRUE(fDeleteTree(root + "/deep"));
    EXPECT_EQ(fFileExists(root + "/deep"), KEL::KE_PATH_KIND::kNONE);
    EXPECT_EQ(fFileExists(root + "/keep/kept.txt"), KEL::KE_PATH_KIND::kFILE) << "links are removed, not followed";

    EXPECT_EQ(std::string(fGetAppDataPath()), root + "/xdg");
}

TEST(KC_FILESYSTEM, ListsFolderFilesSorted) {
    TestEnvironment::fWriteFile("listing/b", "");
    TestEnvironment::fWriteFile("listing/a", "");
    TestEnvironment::fMakeFolder("listing/dir");
    std::vector<std::string> names;
    fListFolder((TestEnvironment::fRoot() / "listing").string(), names, false);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
    names.clear();
    fListFolder((TestEnvironment::fRoot() / "listing").string(), names, true, "*");
    EXPECT_EQ(names, (std::vector<std::string>{"dir"}));
}
