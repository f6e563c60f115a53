#pragma once

#include <cstdint>
#include <string>

#include "engine/gui/KS_MOUSE_RESULT.h"

namespace KEL {

// What the engine knows of a level being played: the game's board object
// implements these operations and the game object drives it through them,
// frame by frame and event by event. Main thread only.
class G_GAMEPLAY {
public:
    G_GAMEPLAY() = default;
    G_GAMEPLAY(const G_GAMEPLAY&) = delete;
    G_GAMEPLAY& operator=(const G_GAMEPLAY&) = delete;
    virtual ~G_GAMEPLAY() = default;

    // Reads the level file (a repository name) and starts it; false leaves
    // the object stopped.
    virtual bool fLoad(const std::string& levelFile) = 0;
    // Ends the level and forgets it; false when none runs.
    virtual bool fStop() = 0;
    // Every frame; -1 while stopped or paused, else 0.
    virtual int32_t fUpdate() = 0;
    virtual void fDraw() = 0;
    // Mouse buttons arrive as their KC_INPUT key codes; keyboard keys
    // arrive here too. Taken when the board used the event.
    virtual KS_MOUSE_RESULT fOnMouseUp(int32_t button) = 0;
    virtual KS_MOUSE_RESULT fOnMouseDown(int32_t button) = 0;
    virtual void fOnMouseMove() = 0;
    virtual void fPause() = 0;
    virtual void fResume() = 0;
    // The same level from its start.
    virtual void fRestart() = 0;
    virtual void fLoadResources() = 0;
    virtual void fReleaseResources() = 0;

    bool fIsRunning() const { return mRunning != 0; }
    bool fIsPaused() const { return mPaused != 0; }

protected:
    uint8_t mRunning = 0;
    uint8_t mPaused = 0;
};

}  // namespace KEL
