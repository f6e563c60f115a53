#pragma once

#include <atomic>

#include "SERVICE/KS_ENGINE_GLOBALS.h"

namespace testsupport {

// Sets the global frame delta the way the frame timer does: the audio
// thread reads it while a test runs, so a plain write would race with it.
inline void fSetFrameDelta(float seconds) {
    std::atomic_ref<float>(KEL::kfFRAME_DELTA).store(seconds, std::memory_order_relaxed);
}

}  // namespace testsupport
