#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace testsupport {

// The bytes of an input that once broke one of the readers of outside input
// (tests/data/fuzz-findings); empty when the file is missing.
inline std::string fFinding(const std::string& name) {
    std::ifstream file(std::string(NONOGRAM_SOURCE_DIR) + "/tests/data/fuzz-findings/" + name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

}  // namespace testsupport
