#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "engine/resources/KC_REPOSITORY.h"

namespace testsupport {

// The default content the build made (<build>/Resources), copied into the
// test's own folder and mounted as the game mounts it, through a repository
// published as kcREPOSITORY while this lives.
class BuiltContent {
public:
    // The password of the content's locked archives.
    static constexpr const char* kPASSWORD = "PlumtreeByOakhurst";

    // Whether the build made the content; tests skip without it.
    static bool fIsBuilt();

    // Copies the content (over an earlier copy) and mounts its root.
    BuiltContent();
    ~BuiltContent();
    BuiltContent(const BuiltContent&) = delete;
    BuiltContent& operator=(const BuiltContent&) = delete;

    // Mounts plain folders, then locked archives; names the first refused.
    ::testing::AssertionResult fMount(std::initializer_list<const char*> folders);
    ::testing::AssertionResult fMountLocked(std::initializer_list<const char*> archives);

    KEL::KC_REPOSITORY& fRepository() { return mRepository; }

private:
    KEL::KC_REPOSITORY mRepository;
};

}  // namespace testsupport
