#pragma once

#include <csignal>

// POSIX backend: SIGINT and SIGTERM taken for a while, as a wait that must
// end on them (a message box) needs.
// Provides: while one of these lives, either signal that the program
// handles (SDL turns both into a quit event) is caught here instead, noted
// and made readable on a descriptor a poll() can wait on; the program's
// handlers are back on destruction. A signal caught is taken: the owner
// acts on it, the program's handler never sees it.
// Does not provide: signals the program leaves to their default action or
// ignores (they keep doing so: the default ends the process at once), other
// signals, nesting (one watch at a time; main thread).
namespace host {

class EndSignalWatch {
public:
    EndSignalWatch();
    ~EndSignalWatch();
    EndSignalWatch(const EndSignalWatch&) = delete;
    EndSignalWatch& operator=(const EndSignalWatch&) = delete;

    // The signal caught since construction, or 0.
    int fCaught() const;
    // Readable once a signal was caught; -1 when no descriptor could be made
    // (fCaught() still tells).
    int fWakeDescriptor() const { return mWake[0]; }

private:
    static constexpr int kSIGNALS[] = {SIGINT, SIGTERM};
    struct sigaction mSaved[2];
    bool mTaken[2] = {false, false};
    int mWake[2] = {-1, -1};
};

}  // namespace host
