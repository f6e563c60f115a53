#include <gtest/gtest.h>

#include <cstdlib>

#include "host/UserPaths.h"

using host::fResolveUserDataPath;

TEST(UserPaths, FallsBackThroughXdgHomeAndPasswd) {
    EXPECT_EQ(fResolveUserDataPath("/x/data", "/home/a", "/home/b", "/cwd"), "/x/data");
    EXPECT_EQ(fResolveUserDataPath("/x/data/", "/home/a", "/home/b", "/cwd"), "/x/data");
    EXPECT_EQ(fResolveUserDataPath("relative", "/home/a", "/home/b", "/cwd"), "/home/a/.local/share")
        << "a relative XDG value is ignored";
    EXPECT_EQ(fResolveUserDataPath("", "/home/a/", "/home/b", "/cwd"), "/home/a/.local/share");
    EXPECT_EQ(fResolveUserDataPath(nullptr, nullptr, "/home/b", "/cwd"), "/home/b/.local/share");
}

TEST(UserPaths, NeverEmptyNorTheRoot) {
    EXPECT_EQ(fResolveUserDataPath("/", "/", "/", "/cwd"), "/cwd");
    EXPECT_EQ(fResolveUserDataPath(nullptr, "", nullptr, nullptr), "/tmp");
    EXPECT_EQ(fResolveUserDataPath(nullptr, nullptr, nullptr, "/"), "/tmp");
}

TEST(UserPaths, ReadsTheEnvironment) {
    // The test harness points XDG_DATA_HOME into the test's own folder.
    EXPECT_EQ(host::fUserDataPath(), std::string(std::getenv("XDG_DATA_HOME")));
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(host::fUserDataPath(), std::string(std::getenv("HOME")) + "/.local/share");
}
