#pragma once

#include <string>

namespace game {

// Marks moments of the start-up for the programs that measure or drive it
// from outside (the start-up tests and benchmark): when the environment
// names a file in NONOGRAM_MILESTONES, each milestone appends one line
// "<name> <microseconds of the monotonic clock>" the first time it is
// reached. Without that variable nothing is written. Main thread only.
class GG_MILESTONES {
public:
    static constexpr const char* kVARIABLE = "NONOGRAM_MILESTONES";
    static constexpr const char* kFIRST_FRAME = "frame";
    // The loading screen's pictures are first drawn.
    static constexpr const char* kSPLASH = "splash";
    static constexpr const char* kFADE = "fade";
    static constexpr const char* kTITLE = "title";

    static void fReach(const char* name);
};

}  // namespace game
