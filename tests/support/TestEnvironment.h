#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// Every test process runs inside a fresh temporary folder (its current
// directory), with XDG_DATA_HOME and HOME pointed into it, so no test touches
// the real user folder or the source tree.
class TestEnvironment {
public:
    // The temporary folder of this test process.
    static const std::filesystem::path& fRoot();
    // A new empty folder below the root, for tests that need several.
    static std::filesystem::path fMakeFolder(const std::string& name);
    // Writes a file below the root (parent folders are created).
    static std::filesystem::path fWriteFile(const std::string& relative, const std::string& bytes);

    static void fSetUp();
    static void fTearDown();
};

}  // namespace testsupport
