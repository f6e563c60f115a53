#include "game/screens/GG_SIDE_SCREENS_GAME.h"

namespace game {

namespace {
// Main thread; installed before the first window is made.
GG_SIDE_SCREENS_GAME* gInstalled = nullptr;
}  // namespace

GG_SIDE_SCREENS_GAME* GG_SIDE_SCREENS_GAME::fGet() { return gInstalled; }

void GG_SIDE_SCREENS_GAME::fInstall(GG_SIDE_SCREENS_GAME* game) { gInstalled = game; }

}  // namespace game
