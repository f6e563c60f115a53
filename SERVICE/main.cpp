#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"

// The game's start-up module fills the entry slot from a static initialiser.
// The entry answers 100500 after a normal run and -100500 after a failed
// start; the process reports them as 0 and 1.
int main() {
    const int32_t result = KEL::KC_CALLBACK::fCall(KEL::kcbENTRY);
    return result == KEL::KS_RESULT::kRUN_ENDED ? 0 : 1;
}
