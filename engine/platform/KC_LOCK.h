#pragma once

#include <mutex>

namespace KEL {

// A re-entrant lock: its holder may take it again (the audio pump restarts a
// sound while holding the audio lock, and that restart locks once more).
class KC_LOCK {
public:
    KC_LOCK() = default;
    KC_LOCK(const KC_LOCK&) = delete;
    KC_LOCK& operator=(const KC_LOCK&) = delete;

    // Tries first, then waits.
    void fLock();
    void fUnlock();

    // Holds a lock for one scope.
    class KS_SCOPE {
    public:
        explicit KS_SCOPE(KC_LOCK& lock) : mLock(lock) { mLock.fLock(); }
        ~KS_SCOPE() { mLock.fUnlock(); }
        KS_SCOPE(const KS_SCOPE&) = delete;
        KS_SCOPE& operator=(const KS_SCOPE&) = delete;

    private:
        KC_LOCK& mLock;
    };

private:
    std::recursive_mutex mMutex;
};

}  // namespace KEL
