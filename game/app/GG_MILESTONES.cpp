#include "game/app/GG_MILESTONES.h"

#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <set>

namespace game {

void GG_MILESTONES::fReach(const char* name) {
    static const char* const path = std::getenv(kVARIABLE);
    static std::set<std::string> reached;
    if (!path || !*path || !reached.insert(name).second) return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long micros = static_cast<long long>(now.tv_sec) * 1000000LL + now.tv_nsec / 1000;
    if (FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "%s %lld\n", name, micros);
        std::fclose(file);
    }
}

}  // namespace game
