#pragma once

#include <cstdint>
#include <string>

namespace KEL {

// The leaderboard service. No service exists on this platform, so every
// operation does nothing; the calls stay so a platform layer can answer them.
class KC_LEADERBOARD {
public:
    static KC_LEADERBOARD& fGetInstance();

    void fSubmit(const std::string& leaderboardId, int64_t value, int64_t extra);
    void fShow(const std::string& leaderboardId);
};

}  // namespace KEL
