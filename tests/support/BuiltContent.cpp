#include "support/BuiltContent.h"

#include <filesystem>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "support/TestEnvironment.h"

namespace fs = std::filesystem;

namespace testsupport {

namespace {

fs::path fBuilt() { return fs::path(NONOGRAM_BINARY_DIR) / "Resources"; }

::testing::AssertionResult fMountAll(KEL::KC_REPOSITORY& repository, std::initializer_list<const char*> folders,
                                     const char* password) {
    for (const char* folder : folders)
        if (repository.fLoad(folder, password) != 1) return ::testing::AssertionFailure() << folder << " not mounted";
    return ::testing::AssertionSuccess();
}

}  // namespace

bool BuiltContent::fIsBuilt() {
    return fs::is_regular_file(fBuilt() / "data/share/main/other") && fs::is_directory(fBuilt() / "data/share/levels");
}

BuiltContent::BuiltContent() {
    fs::copy(fBuilt(), TestEnvironment::fRoot() / "Resources",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    // The file system makes the copy its current folder.
    KEL::KC_FILESYSTEM::fGetInstance();
    KEL::kcREPOSITORY = &mRepository;
    mRepository.fLoad("");  // the root holds no files of its own
}

BuiltContent::~BuiltContent() {
    if (KEL::kcREPOSITORY == &mRepository) KEL::kcREPOSITORY = nullptr;
}

::testing::AssertionResult BuiltContent::fMount(std::initializer_list<const char*> folders) {
    return fMountAll(mRepository, folders, "");
}

::testing::AssertionResult BuiltContent::fMountLocked(std::initializer_list<const char*> archives) {
    return fMountAll(mRepository, archives, kPASSWORD);
}

}  // namespace testsupport
