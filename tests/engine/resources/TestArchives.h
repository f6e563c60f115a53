#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TestEnvironment.h"

namespace testsupport {

// Packs files of a folder below the test root into an archive with Info-ZIP's
// zip. `options` are zip's own ("-0" stored, "-P secret" encrypted).
inline bool fZip(const std::string& archive, const std::string& folder, const std::string& files,
                 const std::string& options = "") {
    const std::filesystem::path root = TestEnvironment::fRoot();
    const std::filesystem::path target = root / archive;
    // zip insists on a ".zip" name; the engine's archives have none.
    const std::filesystem::path work = target.string() + ".zip";
    std::filesystem::create_directories(target.parent_path());
    if (std::filesystem::exists(target)) std::filesystem::rename(target, work);
    const std::string command = "cd '" + (root / folder).string() + "' && zip -q -X " + options + " '" + work.string() +
                                "' " + files + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return false;
    std::filesystem::rename(work, target);
    return std::filesystem::exists(target);
}

}  // namespace testsupport
