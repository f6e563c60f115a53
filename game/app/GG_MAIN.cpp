#include "game/app/GG_MAIN.h"

#include <memory>
#include <string>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/audio/KC_SOUND_LIST.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/platform/KC_THREAD.h"
#include "engine/platform/KC_TIMER.h"
#include "engine/platform/KC_WINDOW.h"
#include "engine/platform/KF_SYSTEM.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_GAME_HOST.h"
#include "game/app/GG_MILESTONES.h"
#include "game/app/G_LOADER_SCREEN.h"
#include "game/app/gGame.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/product/GG_ERROR.h"
#include "game/product/GG_SETTINGS.h"
#include "game/product/GG_SOUND_GROUP.h"
#include "game/profile/KT_PLAYERS.h"
#include "game/screens/GG_WINDOW_NAMES.h"

namespace game {

namespace {

using KEL::KS_RESULT::kOK;

KEL::KC_GAME_ENTRY gEntry(&fMain, "", "");

// The module's state. Main thread only; the loader thread reaches the
// loading screen through its argument and hands the board object over
// through the game object before it publishes progress 100.
struct KS_MODULE {
    int32_t mState = kSTATE_LOADING;
    // The game could not load what it needs; the run ends as a failure.
    bool mFailed = false;
    std::unique_ptr<G_LOADER_SCREEN> mLoader;
    // What the board asks of the game; outlives the board.
    std::unique_ptr<GG_GAME_HOST> mHost;
    std::unique_ptr<GG_GAMEPLAY> mGameplay;
    // Until the first screens take input: steps are clamped only at stalls.
    bool mStartingUp = true;
    // The title has come to rest once: the start-up's garbage is given back.
    bool mTitleReached = false;
    // fOnPrepare ran for the start-up fOnInit is to finish.
    bool mPrepared = false;
};
// Never destroyed: fOnRelease empties it, and an exit() from inside a
// library mid-frame must not run its members' destructors after the engine
// statics they need are gone.
KS_MODULE& gModule = *new KS_MODULE();

constexpr float kMAX_STEP = 1.0f / 30.0f;
// While the start-up plays (splashes, the fade to the first screens) a step
// is clamped only where it is a real stall: drawing by software under load
// takes 40 to 80 ms a frame there, and clamping those at 1/30 s stretched
// the content's second of start-up by half. A stall still never jumps the
// fades by more than this; the usual clamp is back once the first screens
// take input.
constexpr float kSTART_UP_MAX_STEP = 0.1f;
constexpr int32_t kRATE = 60;
constexpr uint32_t kCLEAR_COLOR = 0xFF444444u;
constexpr const char* kMOUNTED[] = {"", "data", "data/share/main/other", "data/share/image/gui"};
constexpr const char* kUNMOUNT_ORDER[] = {"data/share/main/other", "data/share/image/gui", "data", ""};
constexpr const char* kICON = "data/share/image/gui icon.png";
// What the product settings read, in reading order.
constexpr const char* kPRODUCT_FILES[] = {"game.xml", "data/share/main/other editions.xml", "data data.xml"};

void fSetSlot(KEL::KC_CALLBACK*& slot, KEL::KF_CALLBACK function) {
    delete slot;
    slot = KEL::KC_CALLBACK::fCreate(function, "", nullptr);
}

void fFreeSlot(KEL::KC_CALLBACK*& slot) {
    delete slot;
    slot = nullptr;
}

}  // namespace

void fRegisterCallbacks() {
    fSetSlot(KEL::kcbUPDATE, &fOnUpdate);
    fSetSlot(KEL::kcbDRAW, &fOnFrame);
    fSetSlot(KEL::kcbFIRST_PRESENT, &fOnFirstPresent);
    fSetSlot(KEL::kcbPREPARE, &fOnPrepare);
    fSetSlot(KEL::kcbINIT, &fOnInit);
    fSetSlot(KEL::kcbKEY_DOWN, &fOnKeyDown);
    fSetSlot(KEL::kcbKEY_UP, &fOnKeyUp);
    fSetSlot(KEL::kcbMOUSE_MOVE, &fOnMouseMove);
    fSetSlot(KEL::kcbAFTER_LOOP, &fOnRelease);
    fSetSlot(KEL::kcbCLOSE, &fOnClose);
    fSetSlot(KEL::kcbFOCUS_LOST, &fOnDeactivate);
    fSetSlot(KEL::kcbFOCUS_GAINED, &fOnActivate);
    fSetSlot(KEL::kcbDISPLAY_LOST, &fOnDisplayLost);
}

namespace {

void fFreeSlots() {
    for (KEL::KC_CALLBACK** slot :
         {&KEL::kcbUPDATE, &KEL::kcbDRAW, &KEL::kcbFIRST_PRESENT, &KEL::kcbPREPARE, &KEL::kcbINIT, &KEL::kcbKEY_DOWN,
          &KEL::kcbKEY_UP, &KEL::kcbMOUSE_MOVE, &KEL::kcbAFTER_LOOP, &KEL::kcbCLOSE, &KEL::kcbFOCUS_LOST,
          &KEL::kcbFOCUS_GAINED, &KEL::kcbDISPLAY_LOST})
        fFreeSlot(*slot);
}

void fSetVolumes(float music, float sounds) {
    if (KEL::KC_SOUND_LIST* list = gGame::fGetSound()) {
        list->fSetGroupVolume(GG_SOUND_GROUP::kMUSIC, music);
        list->fSetGroupVolume(GG_SOUND_GROUP::kSOUNDS, sounds);
    }
}

// Tells the player why the game cannot go on, naming the file the game's
// error channel holds; the run then ends as a failure.
int32_t fStartFailed() {
    const std::string resource = GG_ERROR::fFile();
    gModule.mFailed = true;
    // The audio device's warning, if any, comes first; and standard error
    // is quiet while the device opens.
    if (KEL::kcGAME) KEL::kcGAME->fAwaitAudio();
    const std::string what = resource.empty() ? std::string("its data") : "its file \"" + resource + "\"";
    if (KEL::kcWINDOW)
        KEL::kcWINDOW->fMessageBox("Error", "The game cannot start: " + what + " is missing or damaged.");
    return KEL::KS_RESULT::kSTART_FAILED;
}

// The first product file the repository cannot give; empty when all read.
std::string fUnreadableProductFile() {
    for (const char* name : kPRODUCT_FILES) {
        pugi::xml_document* document = KEL::kcREPOSITORY->fGetXml(name);
        if (!document) return name;
        KEL::kcREPOSITORY->fReleaseXml(document);
    }
    return std::string();
}

void fSetWindowIcon() {
    uint32_t size = 0;
    uint8_t* bytes = KEL::kcREPOSITORY->fGetRaw(kICON, &size);
    if (!bytes) return;
    if (KEL::kcWINDOW) KEL::kcWINDOW->fSetIcon(bytes, size);
    KEL::kcREPOSITORY->fReleaseRaw(bytes);
}

// The loading screen is gone and the game owns the frame from now on.
void fHandOver() {
    if (gModule.mLoader->fGetResult() < 0) {
        if (KEL::kcGAME) KEL::kcGAME->mRunning = 0;
        gGame* game = gGame::fGetGame();
        if (!game) GG_ERROR::fClear();
        fStartFailed();
    }
    fOnLoaded();
    gModule.mState = kSTATE_RUNNING;
    gModule.mLoader->fReleaseTextures();
    gModule.mLoader.reset();
    // Loading decoded large pictures; the heap keeps their freed pages.
    KEL::fReturnFreeMemory();
}

// Whether the running level's picture is still to be finished. Input
// refused is no end: it is refused while a hint flies, too. A level whose
// end is already being handled (won, or lost and asking) is left to that.
bool fLevelUnfinished(GG_GAMEPLAY& board) { return !board.fIsEndHandled() && board.fGetProcess().fGetProgress() < 1.0; }

}  // namespace

int32_t fGetState() { return gModule.mState; }
G_LOADER_SCREEN* fGetLoaderScreen() { return gModule.mLoader.get(); }
GG_GAMEPLAY* fGetGameplay() { return gModule.mGameplay.get(); }

int32_t fMain(void*) {
    KEL::kcGAME = KEL::KC_GAME::fGetGame();
    fRegisterCallbacks();
    if (KEL::kcGAME->fInit(kSTART_TITLE) < 0) {
        // Whatever started is given back, so the devices close cleanly.
        fOnRelease(nullptr);
        return KEL::KS_RESULT::kRUN_FAILED;
    }
    KEL::kcRENDER->fSetClearColor(kCLEAR_COLOR);
    KEL::kcGAME->fRun();
    return gModule.mFailed ? KEL::KS_RESULT::kRUN_FAILED : KEL::KS_RESULT::kRUN_ENDED;
}

int32_t fOnUpdate(void*) { return kOK; }

// Before the first frame is shown: the loading screen's pictures decode
// while that frame is presented and the game's settings are read, so that
// the splash shows as soon as it can and no part of its time comes after.
int32_t fOnPrepare(void*) {
    gModule = KS_MODULE();
    // A failed start names what this start-up could not read, nothing older.
    GG_ERROR::fClear();
    for (int32_t i = 0; i < 4; ++i) KEL::kcREPOSITORY->fLoad(kMOUNTED[i], i < 2 ? "" : GG_SETTINGS::kARCHIVE_PASSWORD);
    gModule.mLoader = std::make_unique<G_LOADER_SCREEN>(&fLoadGame);
    gModule.mLoader->fAcquireTextures();
    gModule.mPrepared = true;
    return kOK;
}

int32_t fOnInit(void*) {
    // An engine that raised no prepare slot has the pictures started here.
    if (!gModule.mPrepared) fOnPrepare(nullptr);
    gModule.mPrepared = false;
    KEL::kcGAME->fSetUpdateRate(kRATE);
    KEL::kcGAME->mDrawCap = kRATE;
    if (KEL::kcTIMER) KEL::kcTIMER->mMaxStep = kSTART_UP_MAX_STEP;
    fSetWindowIcon();
    if (!gGame::fInit("game.xml")) {
        GG_ERROR::fFailFile(fUnreadableProductFile());
        return fStartFailed();
    }
    if (!gGame::fGetSettings().fMountResources(*KEL::kcREPOSITORY)) {
        GG_ERROR::fFailFile(GG_SETTINGS::kRESOURCE_LIST);
        return fStartFailed();
    }
    gModule.mHost = std::make_unique<GG_GAME_HOST>(*gGame::fGetGame());
    gGame::fGetGame()->fGetTutorial().fSetHost(gModule.mHost.get());
    gModule.mLoader->fStart();
    return kOK;
}

uint32_t fLoadGame(void* argument) {
    auto* loader = static_cast<G_LOADER_SCREEN*>(argument);
    gGame* game = gGame::fGetGame();
    auto fail = [loader] {
        loader->fFinish(KEL::KS_RESULT::kSTART_FAILED);
        return static_cast<uint32_t>(KEL::KS_RESULT::kSTART_FAILED);
    };
    if (!loader || !game) return fail();
    loader->fSetProgress(10);
    // A close request while loading stops the loader between its steps.
    if (KEL::KC_THREAD::fStopRequested() || !game->fLoadResources()) return fail();
    loader->fSetProgress(40);
    // The board reads its own files here and nothing the main thread uses.
    gModule.mGameplay = std::make_unique<GG_GAMEPLAY>(gModule.mHost.get());
    game->fSetGameplay(gModule.mGameplay.get());
    if (KEL::KC_THREAD::fStopRequested() || !game->fPreloadMenus()) return fail();
    loader->fSetProgress(70);
    // The windows are refreshed and the first screens opened by the main
    // thread once it has seen the end of loading.
    loader->fFinish(kOK);
    return kOK;
}

// The first screens take input once nothing covers them any more; the
// start-up is over then.
void fNoteTitle() {
    KEL::G_WINDOW_MANAGER* windows = gGame::fGetWindowManager();
    if (!windows || windows->fIsOpen(GG_WINDOW_NAME::kFADE)) return;
    if (gModule.mStartingUp) {
        gModule.mStartingUp = false;
        if (KEL::kcTIMER) KEL::kcTIMER->mMaxStep = kMAX_STEP;
    }
    KEL::G_WINDOW* title = windows->fFindOpenWindow(GG_WINDOW_NAME::kTITLE);
    if (!title || title->fIsAnimating()) return;
    GG_MILESTONES::fReach(GG_MILESTONES::kTITLE);
    if (!gModule.mTitleReached) {
        gModule.mTitleReached = true;
        // The splash, the fade and the title's slide-in freed what they used.
        KEL::fReturnFreeMemory();
    }
}

int32_t fOnFirstPresent(void*) {
    GG_MILESTONES::fReach(GG_MILESTONES::kFIRST_FRAME);
    return kOK;
}

int32_t fOnFrame(void*) {
    // Marked here only when the engine could not show its cleared frame.
    GG_MILESTONES::fReach(GG_MILESTONES::kFIRST_FRAME);
    if (gModule.mState == kSTATE_LOADING && gModule.mLoader) {
        gModule.mLoader->fUpdate();
        gModule.mLoader->fDraw();
        if (gModule.mLoader->fStartFade()) fHandOver();
    } else if (gGame* game = gGame::fGetGame()) {
        game->fUpdate();
        if (KEL::KC_SOUND_LIST* list = gGame::fGetSound()) list->fStep();
        game->fDraw();
        fNoteTitle();
    }
    if (gGame* game = gGame::fGetGame()) game->fDrawSideBars();
    return kOK;
}

int32_t fOnLoaded() {
    gGame* game = gGame::fGetGame();
    if (!game) return kOK;
    game->fSetCurrentPlayer(gGame::fGetPlayers() ? gGame::fGetPlayers()->fGetCurrent() : nullptr);
    game->fSetMusic();
    if (KEL::kcWINDOW && gGame::fGetStrings()) KEL::kcWINDOW->fSetTitle(gGame::fGetStrings()->fGet("window_title"));
    // What the loader found wrong with the saved players, told here on
    // the main thread.
    game->fTellFileProblems();
    return kOK;
}

int32_t fOnKeyDown(void* key) {
    if (gModule.mState == kSTATE_LOADING) {
        if (gModule.mLoader) gModule.mLoader->fNextSplash();
    } else if (gGame* game = gGame::fGetGame()) {
        game->fOnKeyDown(KEL::fKeyFromArgument(key));
    }
    return kOK;
}

int32_t fOnKeyUp(void* key) {
    if (gModule.mState == kSTATE_RUNNING)
        if (gGame* game = gGame::fGetGame()) game->fOnKeyUp(KEL::fKeyFromArgument(key));
    return kOK;
}

int32_t fOnMouseMove(void*) {
    if (gModule.mState == kSTATE_RUNNING)
        if (gGame* game = gGame::fGetGame()) game->fOnMouseMove();
    return kOK;
}

int32_t fOnClose(void*) {
    if (KEL::kcGAME) KEL::kcGAME->mRunning = 0;
    return kOK;
}

int32_t fOnDeactivate(void*) {
    gGame* game = gGame::fGetGame();
    if (!game) return KEL::KS_RESULT::kNOTHING;
    if (gModule.mState == kSTATE_LOADING) return kOK;
    fSetVolumes(0.0f, 0.0f);
    GG_GAMEPLAY* gameplay = game->fGetGameplay();
    if (gameplay && gameplay->fIsRunning() && !gameplay->fIsPaused() && fLevelUnfinished(*gameplay)) {
        game->fPauseLevel();
        if (KEL::G_WINDOW_MANAGER* windows = gGame::fGetWindowManager())
            windows->fShowWindow(GG_WINDOW_NAME::kGAME_MENU);
    }
    game->fSave();
    return KEL::KS_RESULT::kNOTHING;
}

// The window is gone and the process ends: what the player did since the
// last save is written now, while the loader is not writing players.
int32_t fOnDisplayLost(void*) {
    gGame* game = gGame::fGetGame();
    if (!game || gModule.mState == kSTATE_LOADING) return KEL::KS_RESULT::kNOTHING;
    game->fSave();
    return kOK;
}

int32_t fOnActivate(void*) {
    gGame* game = gGame::fGetGame();
    if (!game) return KEL::KS_RESULT::kNOTHING;
    if (gModule.mState == kSTATE_LOADING) return kOK;
    if (GG_PLAYER* player = game->fGetCurrentPlayer()) {
        fSetVolumes(player->fGetMusicVolume(), player->fGetSoundVolume());
        player->fGetHealth().fUpdate();
    } else {
        fSetVolumes(kDEFAULT_VOLUME, kDEFAULT_VOLUME);
    }
    return KEL::KS_RESULT::kNOTHING;
}

int32_t fOnRelease(void*) {
    // The loader is stopped and joined before anything it fills goes away.
    gModule.mLoader.reset();
    if (gGame* game = gGame::fGetGame()) game->fSetGameplay(nullptr);
    gModule.mGameplay.reset();
    gGame::fRelease();
    gModule.mHost.reset();
    if (KEL::kcREPOSITORY) {
        KEL::KC_REPOSITORY& repository = *KEL::kcREPOSITORY;
        repository.fCountLoaded();
        gGame::fGetSettings().fUnmountResources(repository);
        repository.fCountLoaded();
        for (const char* name : kUNMOUNT_ORDER) repository.fUnloadGroup(name);
    }
    const bool failed = gModule.mFailed;
    gModule = KS_MODULE();
    gModule.mFailed = failed;
    fFreeSlots();
    if (KEL::kcGAME) KEL::kcGAME->fRelease();
    return kOK;
}

}  // namespace game
