#pragma once

#include <string>

#include "SERVICE/KC_CALLBACK.h"

// The engine's service singletons, callback slots, global frame delta and
// error text. All pointers are constant-initialised to null, so the game's
// static registration may fill a slot before any other initialiser runs.
namespace KEL {

class KC_WINDOW;
class KC_RANDOM;
class KC_TIMER;
class KC_RENDER;
class KC_INPUT;
class KC_REPOSITORY;
class KC_AUDIO;
class KC_FILESYSTEM;
class KC_GAME;

extern KC_WINDOW* kcWINDOW;
extern KC_RANDOM* kcRANDOM;
extern KC_TIMER* kcTIMER;
extern KC_RENDER* kcRENDER;
extern KC_INPUT* kcINPUT;
extern KC_REPOSITORY* kcREPOSITORY;
extern KC_AUDIO* kcAUDIO;
extern KC_FILESYSTEM* kcFILESYSTEM;
extern KC_GAME* kcGAME;

// Seconds of the last logic step, written by the global frame timer.
extern float kfFRAME_DELTA;

// Callback slots. An empty slot makes every raise answer -108.
extern KC_CALLBACK* kcbENTRY;
extern KC_CALLBACK* kcbINIT;
extern KC_CALLBACK* kcbUPDATE;
extern KC_CALLBACK* kcbDRAW;
extern KC_CALLBACK* kcbBEFORE_LOOP;
extern KC_CALLBACK* kcbAFTER_LOOP;
extern KC_CALLBACK* kcbCLOSE;
extern KC_CALLBACK* kcbFOCUS_GAINED;
extern KC_CALLBACK* kcbFOCUS_LOST;
extern KC_CALLBACK* kcbMOUSE_MOVE;
extern KC_CALLBACK* kcbKEY_UP;
extern KC_CALLBACK* kcbKEY_DOWN;
extern KC_CALLBACK* kcbDEVICE_RECREATED;
extern KC_CALLBACK* kcbERROR;
extern KC_CALLBACK* kcbRELEASE_RESOURCE;
extern KC_CALLBACK* kcbFRAME;
// Raised once by fInit when the window, renderer and repository exist and
// before the first cleared frame is shown: for what must already be under
// way while that frame is shown (the first pictures decoding on a thread).
// The first frame waits for it, so it does little itself.
extern KC_CALLBACK* kcbPREPARE;
// Raised once fInit has shown the first cleared frame in the new window.
extern KC_CALLBACK* kcbFIRST_PRESENT;
// Raised once when the display is gone for good, right before the process
// ends: the last chance to write files; no window or drawing call may be
// made in it.
extern KC_CALLBACK* kcbDISPLAY_LOST;

// The engine's one error text, set before the error slot is raised.
std::string& fErrorText();
// Sets the error text and raises the error slot; answers the slot's result.
int32_t fRaiseError(const std::string& text);

}  // namespace KEL
