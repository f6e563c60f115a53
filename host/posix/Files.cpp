// POSIX files and folders behind host/Files.h: stat, opendir/readdir with
// fnmatch patterns, mkdir, unlink, rmdir, getcwd/chdir, fsync, rename (with
// the folder synced after it) and read-only mmap.
// Does not provide: file locking, permissions beyond 0755, or wide-character
// paths (names are UTF-8 bytes as the file system stores them).
#include "host/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host {

KE_PATH_KIND fPathKind(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return KE_PATH_KIND::kNONE;
    return S_ISDIR(info.st_mode) ? KE_PATH_KIND::kFOLDER : KE_PATH_KIND::kFILE;
}

bool fFileStamp(const std::string& path, uint64_t& size, int64_t& modifiedNs) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    size = static_cast<uint64_t>(info.st_size);
    modifiedNs = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return true;
}

bool fListFolder(const std::string& path, const std::string& pattern, bool folders,
                 std::vector<std::string>& names) {
    DIR* dir = ::opendir(path.empty() ? "." : path.c_str());
    if (!dir) return false;
    std::vector<std::string> found;
    const std::string prefix = path.empty() ? std::string() : (path.back() == '/' ? path : path + "/");
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (!pattern.empty() && ::fnmatch(pattern.c_str(), name.c_str(), 0) != 0) continue;
        bool isFolder = false;
        if (entry->d_type == DT_DIR) {
            isFolder = true;
        } else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            isFolder = fPathKind(prefix + name) == KE_PATH_KIND::kFOLDER;
        }
        if (isFolder == folders) found.push_back(name);
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end());
    names.insert(names.end(), found.begin(), found.end());
    return true;
}

bool fIsLink(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool fMakeFolder(const std::string& path) {
    if (path.empty()) return false;
    if (::mkdir(path.c_str(), 0755) == 0) return true;
    return errno == EEXIST && fPathKind(path) == KE_PATH_KIND::kFOLDER;
}

bool fRemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool fRemoveFolder(const std::string& path) { return ::rmdir(path.c_str()) == 0; }

std::string fCurrentFolder() {
    std::string buffer(4096, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) return std::string();
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    return buffer;
}

bool fSetCurrentFolder(const std::string& path) { return !path.empty() && ::chdir(path.c_str()) == 0; }

const uint8_t* fMapFile(const std::string& path, uint64_t& size) {
    size = 0;
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    struct stat info {};
    void* view = MAP_FAILED;
    if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        view = ::mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_SHARED, descriptor, 0);
    ::close(descriptor);
    if (view == MAP_FAILED) return nullptr;
    size = static_cast<uint64_t>(info.st_size);
    return static_cast<const uint8_t*>(view);
}

void fUnmapFile(const uint8_t* data, uint64_t size) {
    if (data && size) ::munmap(const_cast<uint8_t*>(data), static_cast<size_t>(size));
}

namespace {

// The fuzzing build writes scratch files thousands of times a second and
// needs none of them to survive a power cut.
#ifdef NONOGRAM_NO_FSYNC
constexpr bool kSYNC = false;
#else
constexpr bool kSYNC = true;
#endif

// The folder's entries to the disk, so a rename in it survives a power cut.
// File systems that cannot sync a folder answer EINVAL: nothing more to do.
bool fSyncFolderOf(const std::string& path) {
    if (!kSYNC) return true;
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return false;
    const bool synced = ::fsync(handle) == 0 || errno == EINVAL;
    ::close(handle);
    return synced;
}

}  // namespace

bool fSyncFile(std::FILE* file) {
    if (!file || std::fflush(file) != 0) return false;
    return !kSYNC || ::fsync(::fileno(file)) == 0;
}

bool fReplaceFile(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) return false;
    if (fSyncFolderOf(to)) return true;
    std::fprintf(stderr, "%s is saved but its folder could not be synced to the disk\n", to.c_str());
    return true;
}

}  // namespace host
