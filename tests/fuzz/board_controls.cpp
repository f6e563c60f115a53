// Fuzzes the readers of the buttons beside the board: the input is read as
// the pause button, the hint button, the drag's reset target and the store
// button; each that reads is given its pictures, played as the board plays
// it (counts, presses, slides), drawn and let go.
#include <cstdint>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "game/board/GG_HINT_BUTTON.h"
#include "game/board/GG_PAUSE.h"
#include "game/board/GG_RESET_SELECTION.h"
#include "game/board/GG_STORE_BUTTON.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

// What every control shares: pictures in, the mouse over it, a few frames.
void fPlay(game::GG_BASE_CONTROL& control) {
    control.fLoadResources();
    control.fOnResize();
    for (int i = 0; i < 3; ++i) {
        control.fUpdate();
        control.fOnMouseMove();
        control.fOnMouseDown(1);
        control.fOnMouseUp(1);
    }
    control.fSetBlocked(true);
    control.fOnMouseDown(1);
    fuzzsupport::fBeginFrame();
    control.fDraw();
    fuzzsupport::fEndFrame();
    control.fReleaseResources();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::fScene();
    pugi::xml_document document;
    if (!fuzzsupport::fParse(data, size, document)) return 0;
    const pugi::xml_node node = document.document_element();
    KEL::kfFRAME_DELTA = 0.25f;

    game::GG_PAUSE pause;
    if (pause.fLoad(node)) fPlay(pause);
    game::GG_HINT_BUTTON hint;
    if (hint.fLoad(node)) {
        for (int32_t count : {3, 0, 9, -1}) hint.fSetHintCount(count);
        fPlay(hint);
    }
    game::GG_RESET_SELECTION reset;
    if (reset.fLoad(node)) {
        reset.fArm();
        fPlay(reset);
        reset.fDisarm();
    }
    game::GG_STORE_BUTTON store;
    if (store.fLoad(node)) {
        for (int32_t count : {0, 2, 0}) store.fSetCount(count);
        fPlay(store);
    }
    return 0;
}
