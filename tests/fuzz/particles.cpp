// Fuzzes the particle description reader, then emits, steps, draws and
// writes the system back out.
#include <cstdint>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_RANDOM.h"
#include "engine/scene/KC_PARTICLE_SYSTEM_EX.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::fScene();
    static KEL::KC_RANDOM random(7);
    KEL::kcRANDOM = &random;
    pugi::xml_document document;
    if (!fuzzsupport::fParse(data, size, document)) return 0;
    KEL::KC_PARTICLE_SYSTEM_EX system(nullptr);
    system.fRead(document.document_element());
    system.fSetDuration(0.5f);
    system.fStart();
    fuzzsupport::fBeginFrame();
    for (float dt : {0.016f, 0.1f, 0.3f}) {
        KEL::kfFRAME_DELTA = dt;
        for (int i = 0; i < 6; ++i) system.fUpdate();
        system.fDraw();
    }
    fuzzsupport::fEndFrame();
    system.fStartAt(100.0f, 100.0f);
    system.fMoveArea(5.0f, -5.0f);
    system.fUpdate();
    pugi::xml_document written;
    system.fWrite(written, "spark.png");
    return 0;
}
