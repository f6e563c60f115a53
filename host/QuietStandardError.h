#pragma once

// While one of these lives, standard error goes nowhere. Sound and display
// libraries report every backend they probe on standard error; the caller
// reports the outcome once instead. Implemented in host/posix/QuietStandardError.cpp.
// During start-up only: standard error is the whole process's, so output of
// every other thread meanwhile is lost too.
namespace host {

class QuietStandardError {
public:
    QuietStandardError();
    ~QuietStandardError();
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int mSaved = -1;  // the real standard error, restored on destruction
};

}  // namespace host
