// POSIX backend: SIGINT and SIGTERM taken for a while. See EndSignalWatch.h.
#include "host/posix/EndSignalWatch.h"

#include <fcntl.h>
#include <unistd.h>

namespace host {

namespace {

volatile sig_atomic_t gCaught = 0;
volatile sig_atomic_t gWakeWrite = -1;

void fOnSignal(int signal) {
    gCaught = signal;
    const int fd = gWakeWrite;
    if (fd >= 0) {
        const char byte = 1;
        // Full or failing only when a byte is already waiting.
        [[maybe_unused]] const ssize_t written = write(fd, &byte, 1);
    }
}

// Whether the program has a handler of its own for the signal.
bool fIsHandled(const struct sigaction& action) {
    if (action.sa_flags & SA_SIGINFO) return action.sa_sigaction != nullptr;
    return action.sa_handler != SIG_DFL && action.sa_handler != SIG_IGN;
}

}  // namespace

EndSignalWatch::EndSignalWatch() {
    gCaught = 0;
    if (pipe2(mWake, O_CLOEXEC | O_NONBLOCK) != 0) mWake[0] = mWake[1] = -1;
    gWakeWrite = mWake[1];
    for (int i = 0; i < 2; ++i) {
        if (sigaction(kSIGNALS[i], nullptr, &mSaved[i]) != 0 || !fIsHandled(mSaved[i])) continue;
        struct sigaction watch = {};
        watch.sa_handler = &fOnSignal;
        sigemptyset(&watch.sa_mask);
        watch.sa_flags = SA_RESTART;
        mTaken[i] = sigaction(kSIGNALS[i], &watch, nullptr) == 0;
    }
}

EndSignalWatch::~EndSignalWatch() {
    for (int i = 0; i < 2; ++i)
        if (mTaken[i]) sigaction(kSIGNALS[i], &mSaved[i], nullptr);
    gWakeWrite = -1;
    for (int fd : mWake)
        if (fd >= 0) close(fd);
}

int EndSignalWatch::fCaught() const { return gCaught; }

}  // namespace host
