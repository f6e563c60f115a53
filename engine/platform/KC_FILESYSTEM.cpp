#include "engine/platform/KC_FILESYSTEM.h"

#include <cstdio>
#include <memory>
#include <mutex>
#include <new>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/resources/KC_RESOURCE.h"
#include "host/Files.h"
#include "host/UserPaths.h"

namespace KEL {

namespace {

std::string fJoin(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (name.empty()) return folder;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// Reads a whole file into a buffer with a 0 byte after the content.
int32_t fReadFolderFile(const std::string& path, uint8_t*& data, uint32_t& size) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return KS_RESULT::kMISSING;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, &std::fclose);
    if (std::fseek(file, 0, SEEK_END) != 0) return KS_RESULT::kSTOP;
    const long length = std::ftell(file);
    if (length < 0 || static_cast<unsigned long>(length) >= 0xFFFFFFFFul) return KS_RESULT::kSTOP;
    if (std::fseek(file, 0, SEEK_SET) != 0) return KS_RESULT::kSTOP;
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[static_cast<size_t>(length) + 1]);
    if (!buffer) return KS_RESULT::kSTOP;
    if (length > 0 && std::fread(buffer.get(), 1, static_cast<size_t>(length), file) != static_cast<size_t>(length))
        return KS_RESULT::kSTOP;
    buffer[length] = 0;
    data = buffer.release();
    size = static_cast<uint32_t>(length) + 1;
    return KS_RESULT::kOK;
}

// These statics are never destroyed: the loader thread may still use them
// while exit() runs.
std::mutex& fCurrentDirLock() {
    static std::mutex& lock = *new std::mutex();
    return lock;
}

std::string& fLastCurrentDir() {
    static std::string& path = *new std::string();
    return path;
}

}  // namespace

std::string fNormalisePath(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

KC_FILESYSTEM& KC_FILESYSTEM::fGetInstance() {
    static KC_FILESYSTEM& instance = *new KC_FILESYSTEM();  // never destroyed, see above
    return instance;
}

KC_FILESYSTEM::KC_FILESYSTEM() {
    const std::string start = fNormalisePath(host::fCurrentFolder());
    const std::string base = (!start.empty() && start.back() == '/') ? start : start + "/";
    mRootPath = base;
    mResourcesPath = base + "Resources/";
    if (fFileExists(mResourcesPath) != KE_PATH_KIND::kFOLDER && !fCreateDirectories(mResourcesPath)) {
        fRaiseError("Cant create \"Resources\"directory");
    }
    fSetCurrentDir(mResourcesPath);
    mCurrentDir = mResourcesPath;
}

int32_t KC_FILESYSTEM::fFileType(const std::string& path) { return KC_ZIP_READER::fFileType(path); }

void KC_FILESYSTEM::fListArchive(const std::string& path, std::vector<std::string>& names) {
    KC_ZIP_READER::fList(path, names);
}

int32_t KC_FILESYSTEM::fLoad(KC_RESOURCE* record) {
    if (!record) return KS_RESULT::kFAILED;
    const std::string location = fJoin(mResourcesPath, fNormalisePath(record->mLocation));
    const KE_PATH_KIND kind = fFileExists(location);
    if (kind == KE_PATH_KIND::kNONE) return KS_RESULT::kFAILED;

    uint8_t* data = nullptr;
    uint32_t size = 0;
    int32_t result;
    if (kind == KE_PATH_KIND::kFILE) {
        if (record->mName.empty()) return KS_RESULT::kOK;
        result = mArchives.fRead(location, record->mName, record->mPassword, data, size);
    } else {
        result = fReadFolderFile(fJoin(location, record->mName), data, size);
    }
    if (result != KS_RESULT::kOK) return result;
    // Whatever the record held before is its owner's business; only plain
    // loaded bytes can be replaced here.
    if (record->mKind == KC_RESOURCE::kBytes && !record->mLoaded) delete[] static_cast<uint8_t*>(record->mData);
    record->mData = data;
    record->mSize = size;
    record->mKind = KC_RESOURCE::kBytes;
    return KS_RESULT::kOK;
}

void fListFolder(const std::string& path, std::vector<std::string>& names, bool folders, const std::string& pattern) {
    host::fListFolder(fNormalisePath(path), pattern, folders, names);
}

std::string fGetCurrentDir() { return fNormalisePath(host::fCurrentFolder()); }

bool fSetCurrentDir(const std::string& path) {
    std::lock_guard<std::mutex> guard(fCurrentDirLock());
    if (host::fSetCurrentFolder(fNormalisePath(path))) fLastCurrentDir() = fNormalisePath(path);
    return false;
}

const char* fGetAppDataPath() {
    static const std::string path = host::fUserDataPath();
    return path.c_str();
}

KE_PATH_KIND fFileExists(const std::string& path) { return host::fPathKind(fNormalisePath(path)); }

bool fCreateDirectories(const std::string& path) {
    const std::string full = fNormalisePath(path);
    if (full.empty()) return false;
    size_t start = 0;
    bool made = true;
    while (start <= full.size()) {
        size_t slash = full.find('/', start);
        if (slash == std::string::npos) slash = full.size();
        const std::string prefix = full.substr(0, slash);
        // An absolute path begins with an empty piece; "a//b" has one too.
        if (slash > start && !prefix.empty() && prefix != "." && fFileExists(prefix) != KE_PATH_KIND::kFOLDER) {
            made = host::fMakeFolder(prefix);
            if (!made) return false;
        }
        start = slash + 1;
    }
    return made && fFileExists(full) == KE_PATH_KIND::kFOLDER;
}

bool fDeleteTree(const std::string& path) {
    const std::string folder = fNormalisePath(path);
    if (host::fIsLink(folder)) return host::fRemoveFile(folder);
    if (fFileExists(folder) != KE_PATH_KIND::kFOLDER) return false;
    std::vector<std::string> files, folders;
    host::fListFolder(folder, "*", false, files);
    host::fListFolder(folder, "*", true, folders);
    bool good = true;
    for (const std::string& name : files) good = host::fRemoveFile(fJoin(folder, name)) && good;
    for (const std::string& name : folders) {
        // A link is removed, never followed into what it points at.
        const std::string sub = fJoin(folder, name);
        good = (host::fIsLink(sub) ? host::fRemoveFile(sub) : fDeleteTree(sub)) && good;
    }
    return host::fRemoveFolder(folder) && good;
}

}  // namespace KEL
