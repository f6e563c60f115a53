#include "SERVICE/KC_GAME.h"

#include <pugixml.hpp>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/audio/KC_AUDIO.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/platform/KC_LOCK.h"
#include "engine/platform/KC_RANDOM.h"
#include "engine/platform/KC_THREAD.h"
#include "engine/platform/KC_WINDOW.h"
#include "engine/platform/KF_SYSTEM.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KC_RESOURCE.h"
#include "host/QuietStandardError.h"

namespace KEL {

namespace {

int32_t fFrameSlot(void* game) { return game ? static_cast<KC_GAME*>(game)->fFrame() : -1; }

// Without a game handler the close request ends the process at once.
int32_t fDefaultClose(void*) { std::exit(1); }

}  // namespace

KC_GAME::KC_GAME() {
    // The file system fixes the resources folder as the current directory
    // before anything reads a file.
    KC_FILESYSTEM::fGetInstance();
}

KC_GAME* KC_GAME::fGetGame() {
    // Never destroyed: an exit() from inside a library may come in the
    // middle of its frame, with its threads still running.
    static KC_GAME& game = *new KC_GAME();
    return &game;
}

int32_t KC_GAME::fInit(const std::string& title) {
    if (!kcGAME) {
        fShowMessageBox(nullptr, "SERVICE/KC_GAME_SERVICE_ONE",
                        "KC_GAME not exist. Need do some kcGAME = KC_GAME::fGetGame();");
        return KS_RESULT::kFAILED;
    }
    mGameName = title;

    new KC_INPUT();  // registers itself as the global input

    const int32_t opened = fOpenWindowAndRenderer();
    if (opened != KS_RESULT::kOK) return opened;

    kcTIMER = new KC_TIMER();
    kcTIMER->mOutput = &kfFRAME_DELTA;

    new KC_RANDOM(0);  // registers itself as the global generator

    kcREPOSITORY = new KC_REPOSITORY();

    delete kcbRELEASE_RESOURCE;
    kcbRELEASE_RESOURCE = KC_CALLBACK::fCreate(&KC_GAME::fOnReleaseResource, "", nullptr);
    delete kcbFRAME;
    kcbFRAME = KC_CALLBACK::fCreate(&fFrameSlot, "", this);

    // The first frame's present and the work after it then overlap what
    // the game starts here.
    KC_CALLBACK::fCall(kcbPREPARE);
    fPresentClearedFrame();
    fStartAudio();
    return KC_CALLBACK::fCall(kcbINIT);
}

int32_t KC_GAME::fOpenWindowAndRenderer() {
    kcWINDOW = new KC_WINDOW();
    kcWINDOW->mWidth = mResolution.x;
    kcWINDOW->mHeight = mResolution.y;
    // The window follows the requested mode, so that the mouse mapping and
    // the renderer's picture agree from the first frame.
    kcWINDOW->mFullscreen = mFullscreen;
    kcWINDOW->mScaleToScreen = mScaleToScreen;
    if (kcWINDOW->fCreate(mGameName) != KS_RESULT::kOK) {
        kcWINDOW->fMessageBox("Error", kcWINDOW->fGetFailure());
        return KS_RESULT::kSTART_FAILED;
    }

    fGetDesktopSize(mDesktopSize);

    kcRENDER = new KC_RENDER();
    if (mDeviceFactory) kcRENDER->fSetDevice(mDeviceFactory());
    if (kcRENDER->fInit(kcWINDOW->fGetHandle(), 0.1f, 0.0f) != KS_RESULT::kOK) {
        kcWINDOW->fMessageBox("Error", "The game cannot draw: no OpenGL 3.3 context can be made on this display.");
        return KS_RESULT::kSTART_FAILED;
    }
    kcRENDER->fSetVideoMode(mResolution.x, mResolution.y, mFullscreen != 0, mScaleToScreen != 0);
    return KS_RESULT::kOK;
}

void KC_GAME::fPresentClearedFrame() {
    if (kcRENDER->fBeginFrame() != KS_RESULT::kOK) return;
    kcRENDER->fEndFrame();
    KC_CALLBACK::fCall(kcbFIRST_PRESENT);
}

void KC_GAME::fStartAudio() {
    kcAUDIO = new KC_AUDIO();
    mAudioLockHeld.store(false);
    mAudioOpening = KC_THREAD::fCreate(&KC_GAME::fOpenAudio, this);
    if (!mAudioOpening) {
        fOpenAudio(this);
        return;
    }
    // Only until the thread holds the lock: a fraction of a millisecond.
    while (!mAudioLockHeld.load()) std::this_thread::yield();
}

uint32_t KC_GAME::fOpenAudio(void* argument) {
    auto* game = static_cast<KC_GAME*>(argument);
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    game->mAudioLockHeld.store(true);
    // The sound libraries name every backend they try; one line says it.
    host::QuietStandardError quiet;
    return static_cast<uint32_t>(game->mAudioOpen ? game->mAudioOpen() : kcAUDIO->fInit());
}

void KC_GAME::fCheckAudioOpened() {
    if (mAudioOpening && KC_THREAD::fGetExitCode(mAudioOpening) != KC_THREAD::kSTILL_ACTIVE) fAwaitAudio();
}

void KC_GAME::fAwaitAudio() {
    if (!mAudioOpening) return;
    // Not asked to stop: that would take the place of the open's result.
    while (KC_THREAD::fGetExitCode(mAudioOpening) == KC_THREAD::kSTILL_ACTIVE)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    const int32_t opened = KC_THREAD::fGetExitCode(mAudioOpening);
    KC_THREAD::fTerminate(mAudioOpening);
    mAudioOpening = nullptr;
    if (opened != KS_RESULT::kOK && kcWINDOW)
        kcWINDOW->fMessageBox("Warning", "No sound device has been detected. The game will continue without audio.");
}

void KC_GAME::fRun() {
    if (!kcINPUT || !kcRENDER || !kcRANDOM) return;
    if (kcAUDIO && !mAudioThread) mAudioThread = KC_THREAD::fCreate(&KC_AUDIO::fThreadPump, kcAUDIO);
    mRunning = 1;
    KC_CALLBACK::fCall(kcbBEFORE_LOOP);
    if (fGetPlatformFlag() || fGetDeviceKind() == 1) return;
    while (fFrame() == KS_RESULT::kOK) {
    }
    KC_CALLBACK::fCall(kcbAFTER_LOOP);
}

int32_t KC_GAME::fFrame() {
    if (!mRunning) return KS_RESULT::kSTOP;
    const bool logicRan = fLogicStep();
    if (!mRunning) return KS_RESULT::kSTOP;
    // Game time follows real time: a frame whose logic step only slept has
    // no new delta, and drawing it would advance the game a second time.
    if (logicRan) fDrawStep();
    return KS_RESULT::kOK;
}

bool KC_GAME::fLogicStep() {
    mUpdateAccumulator += mTimer.fTick();
    if (mUpdateCap != 0) {
        const float target = static_cast<float>(mUpdateCount + 1) / static_cast<float>(mUpdateCap);
        if (target > mUpdateAccumulator) {
            fSleep(static_cast<uint32_t>((target - mUpdateAccumulator) * 1000.0f));
            return false;
        }
    }
    ++mUpdateCount;
    if (mUpdateAccumulator >= 1.0f) {
        mUpdateRate = mUpdateCount;
        mUpdateAccumulator = 0.0f;
        mUpdateCount = 0;
    }
    if (kcTIMER) kcTIMER->fTick();
    fCheckAudioOpened();
    KC_CALLBACK::fCall(kcbUPDATE);
    if (kcINPUT) kcINPUT->fUpdate();
    fPumpMessages(kcINPUT, kcWINDOW);
    return true;
}

int32_t KC_GAME::fDrawStep() {
    mDrawAccumulator += kfFRAME_DELTA;
    if (mDrawCap != 0) {
        // Half a slot early counts as due: deltas come in whole
        // milliseconds, so at a 60 Hz cap the first 16 ms after each
        // second's restart falls short of 16.7 and the screen would keep
        // one frame for two slots every second.
        const float target = (static_cast<float>(mDrawCount) + 0.5f) / static_cast<float>(mDrawCap);
        if (mDrawAccumulator < target) return KS_RESULT::kNOTHING;
    }
    if (kcRENDER) {
        const int32_t begun = kcRENDER->fBeginFrame();
        if (begun != KS_RESULT::kOK) return begun;
    }
    ++mDrawCount;
    if (mDrawAccumulator >= 1.0f) {
        mDrawRate = mDrawCount;
        mDrawAccumulator = 0.0f;
        mDrawCount = 0;
    }
    KC_CALLBACK::fCall(kcbDRAW);
    if (kcRENDER) kcRENDER->fEndFrame();
    return KS_RESULT::kOK;
}

int32_t KC_GAME::fSetResolution(int32_t width, int32_t height, bool fullscreen, bool scaleToScreen) {
    if (width == mResolution.x && height == mResolution.y && fullscreen == (mFullscreen != 0) &&
        scaleToScreen == (mScaleToScreen != 0)) {
        return KS_RESULT::kNOTHING;
    }
    mResolution = KS_POINT(width, height);
    mFullscreen = fullscreen ? 1 : 0;
    mScaleToScreen = scaleToScreen ? 1 : 0;
    if (kcWINDOW) kcWINDOW->fSetMode(width, height, fullscreen, scaleToScreen);
    if (!kcRENDER) return KS_RESULT::kOK;
    return kcRENDER->fSetVideoMode(width, height, fullscreen, scaleToScreen);
}

void KC_GAME::fSetUpdateRate(int32_t cap) {
    mUpdateCap = fGetPlatformFlag() ? 0 : cap;
    mUpdateAccumulator = 0.0f;
    mUpdateCount = 0;
}

std::string KC_GAME::fGetConfigFolder() const {
    return std::string(fGetAppDataPath()) + "/" + mCompanyName + "/" + mGameName;
}

int32_t KC_GAME::fSaveConfig() {
    const std::string folder = fGetConfigFolder();
    if (!fCreateDirectories(folder)) return KS_RESULT::kSTART_FAILED;
    pugi::xml_document document;
    pugi::xml_node root = document.append_child("vantrel_settings");
    root.append_child("game_name").text().set(mGameName.c_str());
    root.append_child("company_name").text().set(mCompanyName.c_str());
    root.append_child("resolution").text().set(mResolution.fToString());
    return document.save_file((folder + "/config.xml").c_str()) ? KS_RESULT::kOK : KS_RESULT::kSTART_FAILED;
}

int32_t KC_GAME::fLoadConfig() {
    const std::string path = fGetConfigFolder() + "/config.xml";
    if (fFileExists(path) != KE_PATH_KIND::kFILE && fSaveConfig() != KS_RESULT::kOK) return KS_RESULT::kSTART_FAILED;
    pugi::xml_document document;
    if (!document.load_file(path.c_str())) return KS_RESULT::kSTART_FAILED;
    const pugi::xml_node root = document.child("vantrel_settings");
    if (!root) return KS_RESULT::kSTART_FAILED;
    // Absent values keep the current settings.
    if (const pugi::xml_node n = root.child("game_name")) mGameName = n.text().get();
    if (const pugi::xml_node n = root.child("company_name")) mCompanyName = n.text().get();
    if (const pugi::xml_node n = root.child("resolution")) mResolution.fFromString(n.text().get());
    return KS_RESULT::kOK;
}

int32_t KC_GAME::fRelease() {
    fAwaitAudio();
    if (mAudioThread) {
        KC_THREAD::fTerminate(mAudioThread);
        mAudioThread = nullptr;
    }
    delete kcINPUT;
    kcINPUT = nullptr;
    delete kcRENDER;
    kcRENDER = nullptr;
    delete kcWINDOW;
    kcWINDOW = nullptr;
    delete kcTIMER;
    kcTIMER = nullptr;
    delete kcRANDOM;
    kcRANDOM = nullptr;
    delete kcAUDIO;
    kcAUDIO = nullptr;
    // The repository frees only its own memory, so it may go last.
    delete kcREPOSITORY;
    kcREPOSITORY = nullptr;
    delete kcbRELEASE_RESOURCE;
    kcbRELEASE_RESOURCE = nullptr;
    delete kcbFRAME;
    kcbFRAME = nullptr;
    return KS_RESULT::kOK;
}

int32_t KC_GAME::fOnReleaseResource(void* key) {
    if (!kcREPOSITORY || !key) return KS_RESULT::kNOTHING;
    const KC_RESOURCE* record = kcREPOSITORY->fFindByKey(key);
    if (!record) return KS_RESULT::kNOTHING;
    switch (record->mKind) {
        case KC_RESOURCE::kXml: kcREPOSITORY->fReleaseXml(static_cast<const pugi::xml_document*>(key)); break;
        case KC_RESOURCE::kRaw: kcREPOSITORY->fReleaseRaw(key); break;
        case KC_RESOURCE::kTexture: kcREPOSITORY->fReleaseTexture(static_cast<const KC_TEXTURE*>(key)); break;
        default: break;
    }
    return KS_RESULT::kNOTHING;
}

KC_GAME_ENTRY::KC_GAME_ENTRY(KF_CALLBACK entry, const char* first, const char* second)
    : mFirst(first ? first : ""), mSecond(second ? second : "") {
    kcbENTRY = KC_CALLBACK::fCreate(entry, "", nullptr);
    kcbCLOSE = KC_CALLBACK::fCreate(&fDefaultClose, "", nullptr);
}

}  // namespace KEL
