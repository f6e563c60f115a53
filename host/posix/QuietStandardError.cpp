// POSIX backend: standard error sent to /dev/null for a while.
// Provides: host::QuietStandardError (see host/QuietStandardError.h).
// Does not provide: capture of what was written.
#include "host/QuietStandardError.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace host {

QuietStandardError::QuietStandardError() {
    std::fflush(stderr);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0) return;
    mSaved = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (mSaved >= 0 && dup2(null, STDERR_FILENO) < 0) {
        close(mSaved);
        mSaved = -1;
    }
    close(null);
}

QuietStandardError::~QuietStandardError() {
    if (mSaved < 0) return;
    std::fflush(stderr);
    dup2(mSaved, STDERR_FILENO);
    close(mSaved);
}

}  // namespace host
