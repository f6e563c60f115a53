// POSIX files and folders behind host/Files.h: stat, opendir/readdir with
// fnmatch patterns, mkdir, unlink, rmdir, getcwd/chdir, fsync, rename (with
// the folder synced after it), read-only mmap, bounded reads of regular
// files only, readlink chains, and copies or moves aside that never
// overwrite (O_EXCL, renameat2 without replace).
// Does not provide: file locking, permissions beyond 0755, or wide-character
// paths (names are UTF-8 bytes as the file system stores them).
#include "host/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <functional>
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

bool fListFolder(const std::string& path, const std::string& pattern, bool folders, std::vector<std::string>& names) {
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

FileRead fReadRegularFile(const std::string& path, uint64_t limit, std::string& bytes) {
    bytes.clear();
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT) return FileRead::kUNREADABLE;
        return fIsLink(path) ? FileRead::kDANGLING_LINK : FileRead::kMISSING;
    }
    if (S_ISDIR(info.st_mode)) return FileRead::kFOLDER;
    if (!S_ISREG(info.st_mode)) return FileRead::kNOT_REGULAR;
    if (static_cast<uint64_t>(info.st_size) > limit) return FileRead::kTOO_LARGE;
    // Non-blocking, and checked again once open: the path may have been
    // swapped for a FIFO since the look above.
    const int handle = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (handle < 0) return FileRead::kUNREADABLE;
    FileRead answer = FileRead::kREAD;
    if (::fstat(handle, &info) != 0) answer = FileRead::kUNREADABLE;
    else if (!S_ISREG(info.st_mode)) answer = FileRead::kNOT_REGULAR;
    char buffer[16384];
    while (answer == FileRead::kREAD) {
        const ssize_t got = ::read(handle, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno != EINTR) answer = FileRead::kUNREADABLE;
            continue;
        }
        if (bytes.size() + static_cast<uint64_t>(got) > limit) answer = FileRead::kTOO_LARGE;
        else bytes.append(buffer, static_cast<size_t>(got));
    }
    ::close(handle);
    if (answer != FileRead::kREAD) bytes.clear();
    return answer;
}

std::string fFollowLinks(const std::string& path) {
    std::string at = path;
    // The kernel's own bound on a chain of links.
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(at.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return at;
        std::string target(4096, '\0');
        const ssize_t length = ::readlink(at.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<size_t>(length) >= target.size()) return std::string();
        target.resize(static_cast<size_t>(length));
        const size_t slash = at.rfind('/');
        if (target.front() != '/' && slash != std::string::npos) target = at.substr(0, slash + 1) + target;
        at = target;
    }
    return std::string();
}

namespace {

// Kept names are numbered from 1; past this many the folder is not ours to fill.
constexpr int kMAX_KEPT = 9999;

std::string fKeptName(const std::string& path, int number) { return path + "." + std::to_string(number) + ".bak"; }

// Anything there, or a look that fails for another reason than absence,
// counts as taken; a name too long is left for the write to refuse.
bool fTaken(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 || (errno != ENOENT && errno != ENAMETOOLONG);
}

bool fWriteNew(const std::string& path, const std::string& bytes) {
    const int handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (handle < 0) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(handle, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) break;
        done += static_cast<size_t>(wrote);
    }
    const bool written = done == bytes.size() && ::fsync(handle) == 0;
    if (::close(handle) != 0 || !written) {
        ::unlink(path.c_str());
        return false;
    }
    return true;
}

// Renames without replacing; file systems without that flag get a look
// first instead.
bool fMoveNew(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    if (fTaken(to)) {
        errno = EEXIST;
        return false;
    }
    return std::rename(from.c_str(), to.c_str()) == 0;
}

int fFirstFreeNumber(const std::string& path) {
    int number = 1;
    while (number <= kMAX_KEPT && fTaken(fKeptName(path, number))) ++number;
    return number;
}

// Puts the file under the first number from there that put does not find
// taken; the kept name, or empty with the reason on standard error.
std::string fKeepAtFreeNumber(const std::string& path, int number, const std::function<bool(const std::string&)>& put) {
    for (; number <= kMAX_KEPT; ++number) {
        const std::string name = fKeptName(path, number);
        if (put(name)) return name;
        if (errno != EEXIST) break;
    }
    std::fprintf(stderr, "%s could not be kept aside: %s\n", path.c_str(), std::strerror(errno));
    return std::string();
}

}  // namespace

std::string fKeepCopy(const std::string& path, const std::string& bytes) {
    const int number = fFirstFreeNumber(path);
    if (number > 1) {
        std::string last;
        const std::string lastName = fKeptName(path, number - 1);
        if (fReadRegularFile(lastName, bytes.size(), last) == FileRead::kREAD && last == bytes) return lastName;
    }
    return fKeepAtFreeNumber(path, number, [&bytes](const std::string& name) { return fWriteNew(name, bytes); });
}

std::string fKeepByMove(const std::string& path) {
    return fKeepAtFreeNumber(path, fFirstFreeNumber(path),
                             [&path](const std::string& name) { return fMoveNew(path, name); });
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
