#pragma once

#include <cstdint>

namespace KEL {

// The result codes every engine and game function answers with. Callers
// compare against these names, never against the bare numbers.
namespace KS_RESULT {
inline constexpr int32_t kOK = 1;               // success
inline constexpr int32_t kNOTHING = 0;          // nothing done, or failure
inline constexpr int32_t kFAILED = -1;          // missing object or generic failure
inline constexpr int32_t kMISSING = -108;       // missing callback, file or entry
inline constexpr int32_t kNOT_NOW = -109;       // not now, or already taken; stops a bot pass
inline constexpr int32_t kUNREADABLE = -109;    // readers: present but cannot be read
inline constexpr int32_t kEND_REQUESTED = -109; // a message box ended by a request to end the game
inline constexpr int32_t kDEVICE_RESET = -110;  // device reset this frame, or list already mounted
inline constexpr int32_t kSTART_FAILED = -112;  // open or start failure
inline constexpr int32_t kFINISHED = -113;      // finished (bots, threads)
inline constexpr int32_t kRUN_ENDED = 100500;   // the program's result after a normal run
inline constexpr int32_t kRUN_FAILED = -100500; // the program's result after a failed start
}  // namespace KS_RESULT

}  // namespace KEL
