#include "TestEnvironment.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace testsupport {

namespace {
std::filesystem::path gRoot;
}

const std::filesystem::path& TestEnvironment::fRoot() { return gRoot; }

std::filesystem::path TestEnvironment::fMakeFolder(const std::string& name) {
    std::filesystem::path p = gRoot / name;
    std::filesystem::create_directories(p);
    return p;
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
    gRoot = tmpl;
    std::filesystem::create_directories(gRoot / "xdg");
    setenv("XDG_DATA_HOME", (gRoot / "xdg").c_str(), 1);
    setenv("HOME", gRoot.c_str(), 1);
    if (chdir(gRoot.c_str()) != 0) throw std::runtime_error("cannot enter the temporary folder");
}

void TestEnvironment::fTearDown() {
    if (gRoot.empty()) return;
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
    if (!std::getenv("NONOGRAM_KEEP_TEST_FOLDER")) std::filesystem::remove_all(gRoot, ec);
    gRoot.clear();
}

}  // namespace testsupport
