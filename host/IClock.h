#pragma once

#include <cstdint>

// Time for the engine: a millisecond counter that wraps like a 32-bit
// multimedia timer, a sleep, and the calendar date. Tests install their own.
namespace host {

class IClock {
public:
    virtual ~IClock() = default;
    // Monotonic milliseconds; only differences mean anything.
    virtual uint32_t fTimeMs() = 0;
    virtual void fSleep(uint32_t ms) = 0;
    // Seconds since 1970.
    virtual int64_t fDateSeconds() = 0;
};

// The clock in use (the system clock unless a test installed another).
IClock& fClock();
// Installs a clock; null restores the system clock. The caller keeps ownership.
void fSetClock(IClock* clock);

}  // namespace host
