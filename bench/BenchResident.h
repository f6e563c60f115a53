#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

namespace bench {

// This process's resident size in MB, as the kernel counts it; -1 where it
// cannot be read.
inline double fResidentMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return -1.0;
}

}  // namespace bench
