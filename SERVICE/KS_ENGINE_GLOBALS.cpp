#include "SERVICE/KS_ENGINE_GLOBALS.h"

namespace KEL {

KC_WINDOW* kcWINDOW = nullptr;
KC_RANDOM* kcRANDOM = nullptr;
KC_TIMER* kcTIMER = nullptr;
KC_RENDER* kcRENDER = nullptr;
KC_INPUT* kcINPUT = nullptr;
KC_REPOSITORY* kcREPOSITORY = nullptr;
KC_AUDIO* kcAUDIO = nullptr;
KC_FILESYSTEM* kcFILESYSTEM = nullptr;
KC_GAME* kcGAME = nullptr;

float kfFRAME_DELTA = 0.0f;

KC_CALLBACK* kcbENTRY = nullptr;
KC_CALLBACK* kcbINIT = nullptr;
KC_CALLBACK* kcbUPDATE = nullptr;
KC_CALLBACK* kcbDRAW = nullptr;
KC_CALLBACK* kcbBEFORE_LOOP = nullptr;
KC_CALLBACK* kcbAFTER_LOOP = nullptr;
KC_CALLBACK* kcbCLOSE = nullptr;
KC_CALLBACK* kcbFOCUS_GAINED = nullptr;
KC_CALLBACK* kcbFOCUS_LOST = nullptr;
KC_CALLBACK* kcbMOUSE_MOVE = nullptr;
KC_CALLBACK* kcbKEY_UP = nullptr;
KC_CALLBACK* kcbKEY_DOWN = nullptr;
KC_CALLBACK* kcbDEVICE_RECREATED = nullptr;
KC_CALLBACK* kcbERROR = nullptr;
KC_CALLBACK* kcbRELEASE_RESOURCE = nullptr;
KC_CALLBACK* kcbFRAME = nullptr;
KC_CALLBACK* kcbPREPARE = nullptr;
KC_CALLBACK* kcbFIRST_PRESENT = nullptr;
KC_CALLBACK* kcbDISPLAY_LOST = nullptr;

std::string& fErrorText() {
    // Function-local so that static initialisers elsewhere may set it safely;
    // never destroyed, so an error raised while exit() runs finds it.
    static std::string& text = *new std::string();
    return text;
}

int32_t fRaiseError(const std::string& text) {
    fErrorText() = text;
    return KC_CALLBACK::fCall(kcbERROR);
}

}  // namespace KEL
