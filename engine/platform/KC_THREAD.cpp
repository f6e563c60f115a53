#include "engine/platform/KC_THREAD.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "SERVICE/KS_RESULT.h"

namespace KEL {

namespace {

// The registry is never destroyed: a thread may be stopped from a
// destructor that runs during exit(), after function-local statics are gone.
std::mutex& fListMutex() {
    static std::mutex& mutex = *new std::mutex();
    return mutex;
}

std::vector<KC_THREAD*>& fRecords() {
    static std::vector<KC_THREAD*>& records = *new std::vector<KC_THREAD*>();
    return records;
}

std::atomic<uint32_t> gNextId{1};

// An exit() from inside a library (Xlib's, when the display goes away) ends
// the process with these threads still running; the libraries' own
// destructors would then pull their state from under them. Each is asked to
// stop and joined first: handlers registered by the program run before the
// libraries' destructors.
void fStopAllAtExit() {
    for (KC_THREAD* record : KC_THREAD::fList()) KC_THREAD::fStop(record);
}
thread_local KC_THREAD* tCurrent = nullptr;
thread_local const std::atomic<bool>* tStopFlag = nullptr;

}  // namespace

KC_THREAD::~KC_THREAD() {
    if (mThread.joinable()) mThread.join();
}

void KC_THREAD::fTrampoline(KC_THREAD* record) {
    tCurrent = record;
    tStopFlag = &record->mStop;
    const int32_t result = static_cast<int32_t>(record->mFunction(record->mArgument));
    record->mExitCode.store(record->mStop.load() ? kSTOPPED : result);
}

KC_THREAD* KC_THREAD::fCreate(KF_THREAD function, void* argument) {
    if (!function) return nullptr;
    // Registered again with every thread: exit() runs its handlers and the
    // statics' destructors in the reverse order they were registered, so
    // the stop must come after every static that a running thread may use
    // was made (a later thread may use statics made after the first).
    std::atexit(&fStopAllAtExit);
    auto* record = new KC_THREAD();
    record->mId = gNextId.fetch_add(1);
    record->mFunction = function;
    record->mArgument = argument;
    {
        std::lock_guard<std::mutex> guard(fListMutex());
        fRecords().push_back(record);
    }
    // The record is complete before the thread sees it. Raising the priority
    // needs privileges Linux rarely grants, so the thread keeps the default.
    record->mThread = std::thread(&KC_THREAD::fTrampoline, record);
    return record;
}

bool KC_THREAD::fStop(KC_THREAD* record) {
    if (!record || record == tCurrent) return false;
    record->mStop.store(true);
    if (record->mThread.joinable()) record->mThread.join();
    return true;
}

bool KC_THREAD::fTerminate(KC_THREAD* record) {
    if (!fStop(record)) return false;
    {
        std::lock_guard<std::mutex> guard(fListMutex());
        auto& records = fRecords();
        auto it = std::find_if(records.begin(), records.end(),
                               [&](const KC_THREAD* r) { return r->mId == record->mId; });
        if (it != records.end()) records.erase(it);
    }
    delete record;
    return true;
}

int32_t KC_THREAD::fGetExitCode(const KC_THREAD* record) {
    if (!record) return KS_RESULT::kFAILED;
    return record->mExitCode.load();
}

bool KC_THREAD::fStopRequested() { return tStopFlag && tStopFlag->load(); }

std::vector<KC_THREAD*> KC_THREAD::fList() {
    std::lock_guard<std::mutex> guard(fListMutex());
    return fRecords();
}

}  // namespace KEL
