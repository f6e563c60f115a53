#pragma once

#include <cstdint>

namespace KEL {

// The result codes every engine and game function answers with. Callers
// compare against these names, never against the bare numbers.
namespace KS_RESULT {
inline constexpr int32_t kOK = 1;          // success
inline constexpr int32_t kNOTHING = 0;     // nothing done, or failure
inline constexpr int32_t kFAILED = -1;     // missing object or generic failure
inline constexpr int32_t kMISSING = -108;  // missing callback, file or entry
// Stop here, nothing further is tried: the frame does not run (the game has
// stopped), a bot ends the manager's pass, a page item took the mouse event
// so no later item sees it, a reader gives up on an entry it cannot read, a
// message box was ended by a request to end the game.
inline constexpr int32_t kSTOP = -109;
inline constexpr int32_t kDEVICE_RESET = -110;   // device reset this frame, or list already mounted
inline constexpr int32_t kSTART_FAILED = -112;   // open or start failure
inline constexpr int32_t kFINISHED = -113;       // finished (bots, threads)
inline constexpr int32_t kRUN_ENDED = 100500;    // the program's result after a normal run
inline constexpr int32_t kRUN_FAILED = -100500;  // the program's result after a failed start
}  // namespace KS_RESULT

}  // namespace KEL
