// Fuzzes the animation description reader, then plays the animation through
// its loop, ping-pong and one-shot endings and draws its frames.
#include <cstdint>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/scene/G_ANIMATION.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::fScene();
    pugi::xml_document document;
    if (!fuzzsupport::fParse(data, size, document)) return 0;
    for (pugi::xml_node node = document.document_element(); node; node = node.next_sibling()) {
        KEL::G_ANIMATION animation(node);
        KEL::G_ANIMATION copy;
        copy = animation;
        copy.fPlay(0.0f);
        fuzzsupport::fBeginFrame();
        for (float dt : {0.016f, 0.5f, 3.0f, 1000.0f}) {
            KEL::kfFRAME_DELTA = dt;
            for (int i = 0; i < 8; ++i) {
                copy.fUpdate();
                animation.fUpdate();
            }
            copy.fDrawWith();
        }
        fuzzsupport::fEndFrame();
        copy.fShowFrame(copy.fGetFrames() - 1);
    }
    return 0;
}
