#include <gtest/gtest.h>

#include "support/TestEnvironment.h"
#include "host/Files.h"

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
