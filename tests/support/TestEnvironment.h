#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// Every test process runs inside a fresh temporary folder (its current
// directory), with XDG_DATA_HOME and HOME pointed into it, so no test touches
// the real user folder or the source tree. Every test suite starts with that
// folder emptied again, so no suite sees what an earlier one left behind,
// whichever order they run in; tests of one suite keep their own files apart.
// The user folder (XDG_DATA_HOME) is emptied, and XDG_DATA_HOME and HOME
// set again, before every test.
class TestEnvironment {
public:
    // The temporary folder of this test process.
    static const std::filesystem::path& fRoot();
    // A new empty folder below the root, for tests that need several.
    static std::filesystem::path fMakeFolder(const std::string& name);
    // Removes everything inside a folder below the root, keeping the folder
    // (the process may stand in it); for fixtures whose cases share a folder.
    static void fEmptyFolder(const std::string& relative);
    // Writes a file below the root (parent folders are created).
    static std::filesystem::path fWriteFile(const std::string& relative, const std::string& bytes);

    // Empties the root; a process that had entered the root's "Resources"
    // folder (the file system does at its start) is put back into a new one.
    static void fReset();

    static void fSetUp();
    static void fTearDown();
};

}  // namespace testsupport
