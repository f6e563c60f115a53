#include <gtest/gtest.h>

#include "host/Files.h"
#include "support/TestEnvironment.h"

#include <unistd.h>

using testsupport::TestEnvironment;

TEST(Files, ListsFilesOrFoldersSortedAndFiltered) {
    const std::string root = TestEnvironment::fMakeFolder("list").string();
    TestEnvironment::fWriteFile("list/b.xml", "b");
    TestEnvironment::fWriteFile("list/a.png", "a");
    TestEnvironment::fWriteFile("list/c.xml", "c");
    TestEnvironment::fMakeFolder("list/sub");
    TestEnvironment::fMakeFolder("list/another");

    std::vector<std::string> names{"kept"};
    ASSERT_TRUE(host::fListFolder(root, "*", false, names));
    EXPECT_EQ(names, (std::vector<std::string>{"kept", "a.png", "b.xml", "c.xml"}));

    names.clear();
    ASSERT_TRUE(host::fListFolder(root + "/", "*", true, names));
    EXPECT_EQ(names, (std::vector<std::string>{"another", "sub"}));

    names.clear();
    ASSERT_TRUE(host::fListFolder(root, "*.xml", false, names));
    EXPECT_EQ(names, (std::vector<std::string>{"b.xml", "c.xml"}));

    EXPECT_FALSE(host::fListFolder(root + "/missing", "*", false, names));
}

TEST(Files, KindsFoldersAndCurrentFolder) {
    const std::string root = TestEnvironment::fRoot().string();
    TestEnvironment::fWriteFile("kind/file", "x");
    EXPECT_EQ(host::fPathKind(root + "/kind/file"), host::KE_PATH_KIND::kFILE);
    EXPECT_EQ(host::fPathKind(root + "/kind"), host::KE_PATH_KIND::kFOLDER);
    EXPECT_EQ(host::fPathKind(root + "/kind/none"), host::KE_PATH_KIND::kNONE);
    EXPECT_EQ(host::fPathKind(""), host::KE_PATH_KIND::kNONE);

    EXPECT_TRUE(host::fMakeFolder(root + "/made"));
    EXPECT_TRUE(host::fMakeFolder(root + "/made")) << "an existing folder is fine";
    EXPECT_FALSE(host::fMakeFolder(root + "/kind/file")) << "a file in the way is not";

    ASSERT_TRUE(host::fSetCurrentFolder(root + "/made"));
    EXPECT_EQ(host::fCurrentFolder(), root + "/made");
    ASSERT_TRUE(host::fSetCurrentFolder(root));
    EXPECT_FALSE(host::fSetCurrentFolder(""));
}

TEST(Files, MapsWholeFilesReadOnly) {
    const std::string path = TestEnvironment::fWriteFile("mapped.bin", "mapped bytes").string();
    uint64_t size = 0;
    const uint8_t* view = host::fMapFile(path, size);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(view), size), "mapped bytes");
    host::fUnmapFile(view, size);

    TestEnvironment::fWriteFile("empty.bin", "");
    EXPECT_EQ(host::fMapFile(TestEnvironment::fRoot().string() + "/empty.bin", size), nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(host::fMapFile(TestEnvironment::fRoot().string() + "/none.bin", size), nullptr);
    EXPECT_EQ(host::fMapFile(TestEnvironment::fRoot().string(), size), nullptr) << "a folder";
}

TEST(Files, OnlyRegularFilesWithinTheLimitAreReadAndKeptCopiesNeverOverwrite) {
    const std::string root = TestEnvironment::fMakeFolder("regular").string() + "/";
    TestEnvironment::fWriteFile("regular/small", "abc");
    std::string bytes = "left over";
    EXPECT_EQ(host::fReadRegularFile(root + "small", 3, bytes), host::FileRead::kREAD);
    EXPECT_EQ(bytes, "abc");
    EXPECT_EQ(host::fReadRegularFile(root + "small", 2, bytes), host::FileRead::kTOO_LARGE);
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(host::fReadRegularFile(root + "none", 9, bytes), host::FileRead::kMISSING);
    EXPECT_EQ(host::fReadRegularFile(root, 9, bytes), host::FileRead::kFOLDER);
    EXPECT_EQ(host::fReadRegularFile("/dev/null", 9, bytes), host::FileRead::kNOT_REGULAR);
    ASSERT_EQ(symlink("gone/away", (root + "dangling").c_str()), 0);
    EXPECT_EQ(host::fReadRegularFile(root + "dangling", 9, bytes), host::FileRead::kDANGLING_LINK);
    EXPECT_EQ(host::fFollowLinks(root + "dangling"), root + "gone/away");
    EXPECT_EQ(host::fFollowLinks(root + "small"), root + "small");

    TestEnvironment::fWriteFile("regular/small.1.bak", "someone's");
    EXPECT_EQ(host::fKeepCopy(root + "small", "abc"), root + "small.2.bak");
    EXPECT_EQ(host::fKeepCopy(root + "small", "abc"), root + "small.2.bak") << "the same bytes are kept once";
    EXPECT_EQ(host::fKeepCopy(root + "small", "abd"), root + "small.3.bak");
    EXPECT_EQ(host::fReadRegularFile(root + "small.1.bak", 99, bytes), host::FileRead::kREAD);
    EXPECT_EQ(bytes, "someone's");
    EXPECT_EQ(host::fKeepByMove(root + "dangling"), root + "dangling.1.bak");
    EXPECT_TRUE(host::fIsLink(root + "dangling.1.bak"));
    EXPECT_EQ(host::fKeepCopy(root + std::string(250, 'n'), "x"), "") << "no name fits";
}
