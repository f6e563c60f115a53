#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/TestEnvironment.h"

namespace testsupport {

// Ogg Vorbis bytes of a sine tone, made by a real encoder (sox) at test time
// and kept per shape for the rest of the process.
inline const std::vector<uint8_t>& fMakeOgg(double seconds, int channels, int rate = 44100) {
    static std::map<std::tuple<double, int, int>, std::vector<uint8_t>> made;
    auto key = std::make_tuple(seconds, channels, rate);
    auto it = made.find(key);
    if (it != made.end()) return it->second;
    std::ostringstream name;
    name << "tone_" << channels << "_" << rate << "_" << static_cast<int>(seconds * 1000) << ".ogg";
    const auto path = TestEnvironment::fRoot() / name.str();
    std::ostringstream command;
    command << "sox -q -n -r " << rate << " -c " << channels << " '" << path.string() << "' synth " << seconds
            << " sine 440 vol 0.5";
    std::vector<uint8_t> bytes;
    if (std::system(command.str().c_str()) == 0) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return made.emplace(key, std::move(bytes)).first->second;
}

}  // namespace testsupport
