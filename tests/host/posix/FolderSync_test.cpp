// A replaced file survives a power cut only once its folder is synced too:
// fsync is watched here by standing in for the C library's own.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "host/Files.h"
#include "support/TestEnvironment.h"

namespace {

struct KS_SYNCED {
    dev_t device;
    ino_t inode;
    bool folder;
};
std::vector<KS_SYNCED> gSynced;

bool fWasSynced(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    for (const KS_SYNCED& s : gSynced)
        if (s.device == info.st_dev && s.inode == info.st_ino) return true;
    return false;
}

}  // namespace

extern "C" int fsync(int handle) {
    using KF_FSYNC = int (*)(int);
    static const auto real = reinterpret_cast<KF_FSYNC>(dlsym(RTLD_NEXT, "fsync"));
    struct stat info {};
    if (::fstat(handle, &info) == 0) gSynced.push_back({info.st_dev, info.st_ino, S_ISDIR(info.st_mode)});
    return real(handle);
}

TEST(FolderSync, AReplacedFileAndTheFolderHoldingItAreSynced) {
    const std::filesystem::path folder = testsupport::TestEnvironment::fMakeFolder("sync/saves");
    const std::string target = (folder / "players.save").string();
    std::FILE* file = std::fopen((target + ".tmp").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("new", file);
    gSynced.clear();
    EXPECT_TRUE(host::fSyncFile(file));
    std::fclose(file);
    ASSERT_TRUE(host::fReplaceFile(target + ".tmp", target));
    EXPECT_TRUE(fWasSynced(target)) << "the file's bytes";
    EXPECT_TRUE(fWasSynced(folder)) << "the folder's entry";
    EXPECT_FALSE(fWasSynced(folder.parent_path())) << "only the folder that changed";

    // A bare name lives in the current folder.
    std::ofstream("bare.tmp") << "x";
    gSynced.clear();
    ASSERT_TRUE(host::fReplaceFile("bare.tmp", "bare"));
    EXPECT_TRUE(fWasSynced(std::filesystem::current_path()));

    gSynced.clear();
    EXPECT_FALSE(host::fReplaceFile(target + ".missing", target));
    EXPECT_TRUE(gSynced.empty()) << "nothing renamed, nothing to sync";
}
