#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "SERVICE/KC_CALLBACK.h"
#include "engine/platform/KC_TIMER.h"
#include "engine/util/KS_POINT.h"

namespace host {
class IGraphicsDevice;
}

namespace KEL {

class KC_THREAD;

// The settings part of the engine object.
class KS_GAME_SETTINGS {
public:
    uint8_t mFullscreen = 0;
    // Full screen: picture and mouse scaled and centred on the desktop.
    uint8_t mScaleToScreen = 0;
    // The main loop runs while this is non-zero.
    uint8_t mRunning = 0;
    std::string mGameName = "Vantrel Game";
    std::string mCompanyName = "Vantrel";
    KS_POINT mDesktopSize{0, 0};
    KS_POINT mResolution{1024, 768};
    int32_t mDrawRate = 0;    // draws measured in the last second
    int32_t mDrawCap = 60;    // draws per second; 0 unlimited
    int32_t mUpdateRate = 0;  // logic steps measured in the last second
    int32_t mUpdateCap = 0;   // logic steps per second; 0 unlimited
};

// The engine object: creates the services in a fixed order, runs the main
// loop with separately paced logic and draw steps, and releases it all.
class KC_GAME : public KS_GAME_SETTINGS {
public:
    KC_GAME();
    KC_GAME(const KC_GAME&) = delete;
    KC_GAME& operator=(const KC_GAME&) = delete;

    // The one engine object, built on first call.
    static KC_GAME* fGetGame();

    // Creates input, window, renderer (showing one cleared frame and
    // raising the first-present slot), frame timer, random, audio and
    // repository, then answers the init slot's result. -1 without the
    // global engine object; -112 when the window or renderer cannot be made.
    int32_t fInit(const std::string& title);
    // Runs frames until the running flag drops, between the before-loop and
    // after-loop slots. Needs input, renderer and random.
    void fRun();
    // One logic step and one draw step: KS_RESULT::kSTOP when not running, else 1.
    int32_t fFrame();
    // Nothing when all four equal the stored values (answers 0); else the
    // window's and the renderer's mode change, answering the renderer's
    // result (1 without a renderer).
    int32_t fSetResolution(int32_t width, int32_t height, bool fullscreen, bool scaleToScreen);
    void fSetUpdateRate(int32_t cap);
    void fSetGameName(const std::string& text) { mGameName = text; }
    void fSetCompanyName(const std::string& text) { mCompanyName = text; }
    // "config.xml" in the user folder / company / game: 1, or -112 when it
    // cannot be written (save) or read (load).
    int32_t fSaveConfig();
    int32_t fLoadConfig();
    // Waits until the audio device has been opened (or found missing) and
    // gives the warning for a missing one, once (a request to end the game
    // while it is up raises the close slot). Main thread.
    void fAwaitAudio();
    // Stops the audio thread and destroys every service; answers 1.
    int32_t fRelease();
    // The release-resource slot: gives a repository object back by key.
    static int32_t fOnReleaseResource(void* key);
    void fDoNothing() {}
    void fDoNothing(int32_t) {}

    // The folder of "config.xml".
    std::string fGetConfigFolder() const;

    float mDrawAccumulator = 0.0f;
    float mUpdateAccumulator = 0.0f;
    KC_TIMER mTimer;
    int32_t mDrawCount = 0;
    int32_t mUpdateCount = 0;
    KC_THREAD* mAudioThread = nullptr;
    // Opens the audio device beside the start-up; main thread only.
    KC_THREAD* mAudioOpening = nullptr;

    // Tests hand the renderer a device of their own; empty for the game's.
    std::function<host::IGraphicsDevice*()> mDeviceFactory;
    // Tests open the audio device their own way (answering as the audio's
    // fInit does); empty for the real device. Set before fInit.
    std::function<int32_t()> mAudioOpen;

private:
    // Whether the logic step of the current frame ran: a draw step consumes
    // each logic delta at most once.
    // Start-up steps of fInit: the window (a message names why it failed)
    // and the renderer on it; the audio device, a warning without one.
    int32_t fOpenWindowAndRenderer();
    // One frame in the clear colour, so the window shows at once while the
    // audio device and the game start behind it.
    void fPresentClearedFrame();
    // The audio device opens on a thread of its own while the start-up goes
    // on: it holds the audio lock from before fStartAudio returns until the
    // device is open, so whoever uses audio meanwhile waits for it.
    void fStartAudio();
    static uint32_t fOpenAudio(void* game);
    // Main thread, each logic step until it has happened: the warning once
    // the device is known missing.
    void fCheckAudioOpened();
    std::atomic<bool> mAudioLockHeld{false};  // written by the opening thread
    bool fLogicStep();
    int32_t fDrawStep();
};

// Registers the game's entry from a static initialiser of its start-up
// module: fills the entry slot and the default close handler.
class KC_GAME_ENTRY {
public:
    KC_GAME_ENTRY(KF_CALLBACK entry, const char* first, const char* second);

    std::string mFirst;
    std::string mSecond;
};

}  // namespace KEL
