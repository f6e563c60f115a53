// Fuzzes sound lists: groups of named sounds with their attributes, read
// twice (a second read replaces groups), then driven as the game drives them.
#include <cstdint>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/audio/KC_SOUND_LIST.h"
#include "engine/audio/KS_SOUND_GROUP.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pugi::xml_document document;
    if (!fuzzsupport::fParse(data, size, document)) return 0;
    KEL::KC_SOUND_LIST list;
    list.fRead(document.document_element());
    list.fRead(document.document_element());
    KEL::kfFRAME_DELTA = 0.5f;
    for (pugi::xml_node group : document.document_element().children()) {
        const std::string name = group.attribute("name").as_string();
        list.fLoadGroup(name);
        list.fSetGroupVolume(name, 50.0f);
        list.fPlayGroup(name, 0.1f);
        for (pugi::xml_node sound : group.children()) {
            list.fPlaySound(name, sound.attribute("name").as_string());
            list.fGetLength(name, sound.attribute("name").as_string());
        }
        list.fStep();
        list.fUnloadGroup(name);
        list.fClearGroup(name);
    }
    return 0;
}
