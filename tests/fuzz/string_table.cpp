// Fuzzes the string table: a spreadsheet document read into keyed texts,
// each looked up and widened from UTF-8.
#include <cstdint>

#include "engine/resources/KC_STRING_TABLE.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pugi::xml_document document;
    if (!fuzzsupport::fParse(data, size, document)) return 0;
    KEL::KC_STRING_TABLE table;
    table.fRead(KEL::KC_STRING_TABLE::fFirstRow(document));
    for (const KEL::KC_STRING_TABLE::KS_ENTRY* entry : table.fGetEntries()) table.fGetString(entry->mKey);
    // The widening alone, on the raw bytes.
    KEL::KC_STRING_TABLE::fWiden(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
