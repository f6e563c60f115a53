#pragma once

#include <cstdint>

// The game's start-up module: registers the program entry, fills the
// engine's callback slots, mounts the resources, loads the game behind the
// loading screen on the loader thread, hands the frame over to the game
// object, follows focus and close requests, and releases everything after
// the loop. Every function here runs on the main thread except fLoadGame,
// the loader thread's body.
namespace game {

class G_LOADER_SCREEN;
class GG_GAMEPLAY;

// What owns the frame: the loading screen, then the game.
inline constexpr int32_t kSTATE_LOADING = 0;
inline constexpr int32_t kSTATE_RUNNING = 1;
// Volumes without a player to take them from.
inline constexpr float kDEFAULT_VOLUME = 80.0f;

// The window's title from the moment it opens, before anything is loaded
// (a message box may come first); the string table's "window_title",
// the same text in the default content, takes its place once loaded.
inline constexpr const char* kSTART_TITLE = "Picture Logic";

// The program entry: 100500 after a normal run, -100500 when the engine
// could not start.
int32_t fMain(void* argument);

// Fills the engine's callback slots with the functions below.
void fRegisterCallbacks();

// The engine's callback slots.
int32_t fOnUpdate(void* argument);
int32_t fOnFrame(void* argument);
// The window shows its first (cleared) frame: the start-up milestone.
int32_t fOnFirstPresent(void* argument);
// Before the first frame: the loading screen's pictures start decoding.
int32_t fOnPrepare(void* argument);
int32_t fOnInit(void* argument);
int32_t fOnKeyDown(void* key);
int32_t fOnKeyUp(void* key);
int32_t fOnMouseMove(void* argument);
int32_t fOnRelease(void* argument);
int32_t fOnClose(void* argument);
int32_t fOnDeactivate(void* argument);
int32_t fOnActivate(void* argument);
int32_t fOnDisplayLost(void* argument);

// The loader thread's body: everything the game loads, with progress 10,
// 40, 70 and 100; 1, or -112 at the first step that fails.
uint32_t fLoadGame(void* loader);
// The hand-over on the main thread: the current player, the music and the
// window title.
int32_t fOnLoaded();

int32_t fGetState();
G_LOADER_SCREEN* fGetLoaderScreen();
GG_GAMEPLAY* fGetGameplay();

}  // namespace game
