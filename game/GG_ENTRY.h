#pragma once

#include <cstdint>

// Temporary start-up module: opens the engine with a 1024 x 768 window and
// runs the loop until the window is asked to close.
namespace game {

// The program entry (registered from a static initialiser): 100500 after a
// normal run, -100500 when the engine could not start.
int32_t fEntry(void* argument);
int32_t fOnInit(void* argument);
int32_t fOnClose(void* argument);
int32_t fOnAfterLoop(void* argument);

}  // namespace game
