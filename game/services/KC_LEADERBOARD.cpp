#include "game/services/KC_LEADERBOARD.h"

namespace KEL {

KC_LEADERBOARD& KC_LEADERBOARD::fGetInstance() {
    static KC_LEADERBOARD instance;
    return instance;
}

void KC_LEADERBOARD::fSubmit(const std::string&, int64_t, int64_t) {}

void KC_LEADERBOARD::fShow(const std::string&) {}

}  // namespace KEL
