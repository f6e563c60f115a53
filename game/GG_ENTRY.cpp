#include "game/GG_ENTRY.h"

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/platform/KC_TIMER.h"
#include "engine/render/KC_RENDER.h"

namespace game {

namespace {

KEL::KC_GAME_ENTRY gEntry(&fEntry, "", "");

void fFreeSlot(KEL::KC_CALLBACK*& slot) {
    delete slot;
    slot = nullptr;
}

}  // namespace

int32_t fOnInit(void*) {
    KEL::kcGAME->fSetUpdateRate(60);
    KEL::kcGAME->mDrawCap = 60;
    if (KEL::kcTIMER) KEL::kcTIMER->mMaxStep = 1.0f / 30.0f;
    return KEL::KS_RESULT::kOK;
}

int32_t fOnClose(void*) {
    if (KEL::kcGAME) KEL::kcGAME->mRunning = 0;
    return KEL::KS_RESULT::kOK;
}

int32_t fOnAfterLoop(void*) {
    fFreeSlot(KEL::kcbINIT);
    fFreeSlot(KEL::kcbCLOSE);
    fFreeSlot(KEL::kcbAFTER_LOOP);
    KEL::kcGAME->fRelease();
    return KEL::KS_RESULT::kOK;
}

int32_t fEntry(void*) {
    KEL::kcGAME = KEL::KC_GAME::fGetGame();
    KEL::kcGAME->mResolution = KEL::KS_POINT(1024, 768);
    fFreeSlot(KEL::kcbINIT);
    KEL::kcbINIT = KEL::KC_CALLBACK::fCreate(&fOnInit, "", nullptr);
    fFreeSlot(KEL::kcbCLOSE);
    KEL::kcbCLOSE = KEL::KC_CALLBACK::fCreate(&fOnClose, "", nullptr);
    fFreeSlot(KEL::kcbAFTER_LOOP);
    KEL::kcbAFTER_LOOP = KEL::KC_CALLBACK::fCreate(&fOnAfterLoop, "", nullptr);
    if (KEL::kcGAME->fInit("") < 0) return KEL::KS_RESULT::kRUN_FAILED;
    KEL::kcRENDER->fSetClearColor(0xFF444444u);
    KEL::kcGAME->fRun();
    return KEL::KS_RESULT::kRUN_ENDED;
}

}  // namespace game
