// System clock over POSIX.
// Provides: the default host::IClock (CLOCK_MONOTONIC in 32-bit ms, sleep,
// time()), and the clock switch tests use.
// Does not provide: timer-resolution changes (Linux sleeps are fine-grained).
#include <ctime>
#include <thread>

#include "host/IClock.h"

namespace host {

namespace {

class PosixClock final : public IClock {
public:
    uint32_t fTimeMs() override {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
        return static_cast<uint32_t>(ms);
    }
    void fSleep(uint32_t ms) override {
        if (ms == 0) {
            std::this_thread::yield();
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    int64_t fDateSeconds() override { return static_cast<int64_t>(std::time(nullptr)); }
};

PosixClock gSystemClock;
IClock* gClock = nullptr;

}  // namespace

IClock& fClock() { return gClock ? *gClock : gSystemClock; }

void fSetClock(IClock* clock) { gClock = clock; }

}  // namespace host
