#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "SERVICE/KS_RESULT.h"

namespace KEL {

// A thread function: one untyped argument, the thread's exit code as result.
using KF_THREAD = uint32_t (*)(void* argument);

// One thread beside the main loop, kept in a global list in creation order.
// Threads are never killed: a looping thread polls fStopRequested() and ends
// itself; fTerminate asks it to stop and joins it. A thread that ends after
// such a request reads the exit code -113. At exit() every listed thread
// is asked to stop and joined before the libraries it uses are torn down.
class KC_THREAD {
public:
    static constexpr int32_t kSTILL_ACTIVE = 259;
    static constexpr int32_t kSTOPPED = KS_RESULT::kFINISHED;

    // Starts a thread running function(argument) at once.
    static KC_THREAD* fCreate(KF_THREAD function, void* argument);
    // Stops and joins the thread, then removes its record from the list and
    // frees it. False (record kept) for a null record or when called from the
    // thread itself, which cannot join itself.
    static bool fTerminate(KC_THREAD* record);
    // Asks the thread to stop and waits for it; the record stays. False when
    // called from the thread itself or with a null record.
    static bool fStop(KC_THREAD* record);
    // 259 while the thread runs, then its exit code; -1 for a null record.
    static int32_t fGetExitCode(const KC_THREAD* record);
    // Inside a thread made here: whether it has been asked to stop.
    static bool fStopRequested();
    // Snapshot of the live records, in creation order.
    static std::vector<KC_THREAD*> fList();

    uint32_t fGetId() const { return mId; }
    std::thread::native_handle_type fNativeHandle() { return mThread.native_handle(); }

private:
    KC_THREAD() = default;
    ~KC_THREAD();
    static void fTrampoline(KC_THREAD* record);

    uint32_t mId = 0;
    std::thread mThread;
    KF_THREAD mFunction = nullptr;
    void* mArgument = nullptr;
    std::atomic<int32_t> mExitCode{kSTILL_ACTIVE};
    std::atomic<bool> mStop{false};
};

}  // namespace KEL
