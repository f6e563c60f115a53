#include "engine/platform/KC_LOCK.h"

namespace KEL {

void KC_LOCK::fLock() {
    if (!mMutex.try_lock()) mMutex.lock();
}

void KC_LOCK::fUnlock() { mMutex.unlock(); }

}  // namespace KEL
