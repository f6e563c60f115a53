#include "game/screens/GG_SCREENS_GAME.h"

namespace game {

namespace {
// Main thread; installed before the first window is made.
GG_SCREENS_GAME* gInstalled = nullptr;
}  // namespace

GG_SCREENS_GAME* GG_SCREENS_GAME::fGet() { return gInstalled; }

void GG_SCREENS_GAME::fInstall(GG_SCREENS_GAME* game) { gInstalled = game; }

}  // namespace game
