// Fuzzes the sprite description reader (file, hot spot, position, transform,
// colour, size), then copies, moves and draws the sprite.
#include <cstdint>

#include "engine/scene/G_SPRITE.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::fScene();
    pugi::xml_document document;
    if (!fuzzsupport::fParse(data, size, document)) return 0;
    KEL::G_SPRITE sprite(document.document_element());
    KEL::G_SPRITE copy(sprite);
    copy.fRead(document.document_element());
    if (KEL::KS_TRANSFORM3* transform = copy.fGetTransform()) transform->fMove(3.0f, 4.0f);
    copy.fHitTest();
    fuzzsupport::fBeginFrame();
    sprite.fDrawWith();
    copy.fDrawWith();
    fuzzsupport::fEndFrame();
    return 0;
}
