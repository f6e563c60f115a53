#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace testsupport {

namespace {
std::filesystem::path gRoot;

void fPointUserFolders() {
    setenv("XDG_DATA_HOME", (gRoot / "xdg").c_str(), 1);
    setenv("HOME", gRoot.c_str(), 1);
}

void fEnter(const std::filesystem::path& folder) {
    if (chdir(folder.c_str()) != 0) throw std::runtime_error("cannot enter " + folder.string());
}

class SuiteReset final : public ::testing::EmptyTestEventListener {
    void OnTestSuiteStart(const ::testing::TestSuite&) override { TestEnvironment::fReset(); }
    // Saves and settings go to the user folder; every test starts without
    // them, and with the folder named again (a test may have unset it).
    void OnTestStart(const ::testing::TestInfo&) override {
        fPointUserFolders();
        TestEnvironment::fEmptyFolder("xdg");
    }
};
}  // namespace

const std::filesystem::path& TestEnvironment::fRoot() { return gRoot; }

std::filesystem::path TestEnvironment::fMakeFolder(const std::string& name) {
    std::filesystem::path p = gRoot / name;
    std::filesystem::create_directories(p);
    return p;
}

void TestEnvironment::fEmptyFolder(const std::string& relative) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(gRoot / relative, ec))
        std::filesystem::remove_all(entry.path());
}

std::filesystem::path TestEnvironment::fWriteFile(const std::string& relative, const std::string& bytes) {
    std::filesystem::path p = gRoot / relative;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
}

void TestEnvironment::fSetUp() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "nonogram-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("cannot create a temporary folder");
    gRoot = std::filesystem::canonical(tmpl);
    std::filesystem::create_directories(gRoot / "xdg");
    fPointUserFolders();
    fEnter(gRoot);
    ::testing::UnitTest::GetInstance()->listeners().Append(new SuiteReset);  // gtest owns it
}

void TestEnvironment::fReset() {
    if (gRoot.empty()) return;
    std::error_code ec;
    const std::filesystem::path resources = gRoot / "Resources";
    const std::filesystem::path current = std::filesystem::current_path(ec);
    const auto [end, at] = std::mismatch(resources.begin(), resources.end(), current.begin(), current.end());
    const bool inResources = !ec && end == resources.end();
    for (const auto& entry : std::filesystem::directory_iterator(gRoot)) std::filesystem::remove_all(entry.path());
    std::filesystem::create_directories(gRoot / "xdg");
    if (inResources) std::filesystem::create_directories(resources);
    fEnter(inResources ? resources : gRoot);
}

void TestEnvironment::fTearDown() {
    if (gRoot.empty()) return;
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
    if (!std::getenv("NONOGRAM_KEEP_TEST_FOLDER")) std::filesystem::remove_all(gRoot, ec);
    gRoot.clear();
}

}  // namespace testsupport
