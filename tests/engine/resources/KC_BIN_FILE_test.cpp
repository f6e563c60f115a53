#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "engine/resources/KC_BIN_FILE.h"
#include "support/TestEnvironment.h"

using KEL::KC_BIN_FILE;
using testsupport::TestEnvironment;

namespace {

std::string fBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string fPath(const std::string& name) { return (TestEnvironment::fRoot() / name).string(); }

}  // namespace

TEST(KC_BIN_FILE, WritesLittleEndianValuesAndReadsThemBack) {
    const std::string path = fPath("values.bin");
    {
        KC_BIN_FILE file;
        ASSERT_TRUE(file.fOpen(path)) << "a missing file is created";
        file.fWriteString("abc");
        file.fWrite1(0xFE);
        file.fWrite4a(-2);
        file.fWrite4b(0x01020304u);
        file.fWrite4c(1.5f);
        file.fWrite4d(true);
        file.fWrite8(-0.25);
        file.fWriteString("");
        file.fWriteString("ünï");
        file.fFlush();
        EXPECT_FALSE(file.fFailed());
    }
    const std::string bytes = fBytes(path);
    EXPECT_EQ(bytes.substr(0, 7), std::string("\x03\x00\x00\x00"
                                              "abc",
                                              7));
    EXPECT_EQ(bytes.substr(7, 5), std::string("\xFE\xFE\xFF\xFF\xFF", 5));
    EXPECT_EQ(bytes.substr(12, 4), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(bytes.back(), '\n');

    KC_BIN_FILE file;
    ASSERT_TRUE(file.fOpen(path));
    std::string text;
    uint8_t byte = 0;
    int32_t signedValue = 0;
    uint32_t unsignedValue = 0;
    float single = 0;
    bool truth = false;
    double twice = 0;
    file.fReadString(text);
    EXPECT_EQ(text, "abc");
    file.fRead1(byte);
    EXPECT_EQ(byte, 0xFE);
    file.fRead4a(signedValue);
    EXPECT_EQ(signedValue, -2);
    file.fRead4b(unsignedValue);
    EXPECT_EQ(unsignedValue, 0x01020304u);
    file.fRead4c(single);
    EXPECT_EQ(single, 1.5f);
    file.fRead4d(truth);
    EXPECT_TRUE(truth);
    file.fRead8(twice);
    EXPECT_EQ(twice, -0.25);
    file.fReadString(text);
    EXPECT_EQ(text, "");
    file.fReadString(text);
    EXPECT_EQ(text, "ünï");
    file.fRead1(byte);
    EXPECT_EQ(byte, 0x0A);
    EXPECT_FALSE(file.fFailed());

    // Writing after reading continues at the shared position.
    file.fWrite4a(77);
    file.fClose();
    EXPECT_EQ(fBytes(path).size(), bytes.size() + 4);
}

TEST(KC_BIN_FILE, AStreamInMemoryHoldsTheBytesAFileWould) {
    const auto write = [](KC_BIN_FILE& file) {
        file.fWriteString("abc");
        file.fWrite1(0xFE);
        file.fWrite4a(-2);
        file.fWrite8(-0.25);
        file.fWriteString("");
        file.fFlush();
    };
    const std::string path = fPath("same.bin");
    {
        KC_BIN_FILE file;
        ASSERT_TRUE(file.fOpen(path));
        write(file);
    }
    KC_BIN_FILE memory;
    ASSERT_TRUE(memory.fOpenMemory());
    write(memory);
    EXPECT_FALSE(memory.fFailed());
    EXPECT_EQ(memory.fGetMemory(), fBytes(path));
    EXPECT_FALSE(memory.fCommit()) << "no file to put it in";

    std::string whole;
    ASSERT_TRUE(KC_BIN_FILE::fReadWhole(path, whole));
    EXPECT_EQ(whole, fBytes(path));
    EXPECT_FALSE(KC_BIN_FILE::fReadWhole(fPath("missing.bin"), whole));
    EXPECT_EQ(whole, "");

    // Read back from a copy, then past its end: the same sticky failure.
    KC_BIN_FILE back;
    ASSERT_TRUE(back.fOpenMemory(fBytes(path)));
    std::string text;
    uint8_t byte = 0;
    int32_t value = 0;
    double twice = 0;
    back.fReadString(text);
    back.fRead1(byte);
    back.fRead4a(value);
    back.fRead8(twice);
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(byte, 0xFE);
    EXPECT_EQ(value, -2);
    EXPECT_EQ(twice, -0.25);
    back.fReadString(text);
    back.fRead1(byte);
    EXPECT_FALSE(back.fFailed());
    back.fRead4a(value);
    EXPECT_TRUE(back.fFailed());
    EXPECT_EQ(value, 0);
    back.fRewind();
    EXPECT_FALSE(back.fFailed()) << "a rewound stream reads again from its start";
    back.fReadString(text);
    EXPECT_EQ(text, "abc");

    KC_BIN_FILE hostile;
    hostile.fOpenMemory(std::string("\xFF\xFF\xFF\x7F"
                                    "ab",
                                    6));
    hostile.fReadString(text);
    EXPECT_EQ(text, "") << "a length beyond the bytes allocates nothing";
    EXPECT_TRUE(hostile.fFailed());
}

TEST(KC_BIN_FILE, TruncatedAndHostileFilesFailCleanly) {
    // A string claiming 4 GB, then a truncated value.
    TestEnvironment::fWriteFile("hostile.bin", std::string("\xFF\xFF\xFF\xFF"
                                                           "ab",
                                                           6));
    KC_BIN_FILE file;
    ASSERT_TRUE(file.fOpen(fPath("hostile.bin")));
    std::string text = "old";
    file.fReadString(text);
    EXPECT_EQ(text, "");
    EXPECT_TRUE(file.fFailed());
    int32_t value = 5;
    file.fRead4a(value);
    EXPECT_EQ(value, 0) << "the failure is sticky";

    TestEnvironment::fWriteFile("short.bin", std::string("\x07\x00", 2));
    ASSERT_TRUE(file.fOpen(fPath("short.bin")));
    EXPECT_FALSE(file.fFailed()) << "a new file starts clean";
    uint32_t count = 9;
    file.fRead4b(count);
    EXPECT_EQ(count, 0u);
    EXPECT_TRUE(file.fFailed());

    KC_BIN_FILE closed;
    closed.fWrite4a(1);
    closed.fRead4a(value);
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(closed.fIsOpen());
}

TEST(KC_BIN_FILE, SavesReplaceTheOldFileOnlyWhenComplete) {
    const std::string path = fPath("players.save");
    TestEnvironment::fWriteFile("players.save", "an older and longer save");
    {
        KC_BIN_FILE file;
        ASSERT_TRUE(file.fOpenSave(path));
        file.fWriteString("new");
        EXPECT_EQ(fBytes(path), "an older and longer save") << "untouched until committed";
        EXPECT_TRUE(file.fCommit());
        EXPECT_FALSE(file.fIsOpen());
    }
    EXPECT_EQ(fBytes(path), std::string("\x03\x00\x00\x00new", 7)) << "no stale tail";
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    {
        KC_BIN_FILE file;
        ASSERT_TRUE(file.fOpenSave(path));
        file.fWriteString("interrupted");
        // Destroyed without a commit, as by a failure mid-save.
    }
    EXPECT_EQ(fBytes(path), std::string("\x03\x00\x00\x00new", 7));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    KC_BIN_FILE nowhere;
    EXPECT_FALSE(nowhere.fOpenSave(fPath("no/such/folder/players.save")));
    EXPECT_FALSE(nowhere.fCommit());
}

TEST(KC_BIN_FILE, ReadingOnlyNeverCreatesOrChangesTheFile) {
    const std::string path = fPath("read_only.bin");
    KC_BIN_FILE file;
    EXPECT_FALSE(file.fOpenRead(path));
    EXPECT_FALSE(std::ifstream(path).good()) << "nothing created";
    std::ofstream(path, std::ios::binary) << std::string("\x05\x00\x00\x00", 4);
    ASSERT_TRUE(file.fOpenRead(path));
    uint32_t value = 0;
    file.fRead4b(value);
    EXPECT_EQ(value, 5u);
    file.fWrite4b(7);
    EXPECT_TRUE(file.fFailed()) << "a read-only file takes no writes";
    file.fClose();
    EXPECT_EQ(fBytes(path), std::string("\x05\x00\x00\x00", 4));
}
