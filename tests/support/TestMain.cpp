#include <gtest/gtest.h>

#include "TestEnvironment.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    testsupport::TestEnvironment::fSetUp();
    int result = RUN_ALL_TESTS();
    testsupport::TestEnvironment::fTearDown();
    return result;
}
