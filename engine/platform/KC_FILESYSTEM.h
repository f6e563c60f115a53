#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/resources/KC_ZIP_READER.h"
#include "host/Files.h"

namespace KEL {

class KC_RESOURCE;

// Where the program reads its data: the "Resources" folder of the start-up
// directory, created when missing and made the current directory. Loads
// resource records from archive entries or folder files.
class KC_FILESYSTEM {
public:
    // The one instance, built on first use (that first use enters "Resources").
    static KC_FILESYSTEM& fGetInstance();

    // Builds from the current directory: makes and enters its "Resources".
    KC_FILESYSTEM();

    const std::string& fGetRootPath() const { return mRootPath; }
    const std::string& fGetResourcesPath() const { return mResourcesPath; }

    // Loads the record's bytes from its location (an archive or a folder
    // under the resources path). 1 loaded (or nothing to load); -1 location
    // missing or not readable; -108 no such entry or file; -109 read failed,
    // wrong or missing password, or damaged entry.
    int32_t fLoad(KC_RESOURCE* record);

    // Appends the archive's entry names in archive order; nothing when the
    // file is not an archive.
    void fListArchive(const std::string& path, std::vector<std::string>& names);

    // 0x00034B50 for a file that starts like a zip archive, 0 for another
    // file, -1 when it cannot be opened.
    static int32_t fFileType(const std::string& path);

private:
    std::string mRootPath;
    std::string mResourcesPath;
    std::string mCurrentDir;
    std::string mReserved;
    KC_ZIP_READER mArchives;
};

// Names of the files (folders false) or sub-folders (folders true) in the
// folder that match the pattern, sorted by name.
void fListFolder(const std::string& path, std::vector<std::string>& names, bool folders,
                 const std::string& pattern = "*");
std::string fGetCurrentDir();
// Makes the path the current directory and remembers it. Answers false
// whatever happened; callers must not read it.
bool fSetCurrentDir(const std::string& path);
// The user's application-data folder; never null, never empty.
const char* fGetAppDataPath();
// What the path names: nothing, a file or a folder.
using KE_PATH_KIND = host::KE_PATH_KIND;
KE_PATH_KIND fFileExists(const std::string& path);
// Creates every missing folder along the path; false when one cannot be made.
bool fCreateDirectories(const std::string& path);
// Deletes the folder's files and sub-folders, then the folder.
bool fDeleteTree(const std::string& path);
// Turns back slashes into "/".
std::string fNormalisePath(std::string path);

}  // namespace KEL
