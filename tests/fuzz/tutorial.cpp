// Fuzzes the tutorial script reader: steps per level, then looked up and
// forgotten.
#include <cstdint>

#include "engine/util/KF_XML.h"
#include "game/board/GG_TUTORIAL.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::fScene();
    pugi::xml_document document;
    if (!fuzzsupport::fParse(data, size, document)) return 0;
    // The game reads the "tutorial" element inside the script's root.
    const pugi::xml_node script = KEL::fFindElement(document).child("tutorial");
    if (!script) return 0;
    game::GG_TUTORIAL tutorial;
    tutorial.fLoadXml(script);
    tutorial.fLoadXml(script);
    for (int32_t id = -1; id < 4; ++id) tutorial.fHasSteps(id);
    tutorial.fStart(1);
    tutorial.fClear();
    return 0;
}
