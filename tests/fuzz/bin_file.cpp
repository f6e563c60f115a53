// Fuzzes the binary file reader: the input is the file, and its own bytes
// choose which kinds of value are read from it next.
#include <cstdint>
#include <string>

#include "engine/resources/KC_BIN_FILE.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzzsupport::fScratchFile(data, size);
    KEL::KC_BIN_FILE file;
    if (!file.fOpen(path)) return 0;
    for (int step = 0; step < 4096 && !file.fFailed(); ++step) {
        uint8_t kind = 0;
        file.fRead1(kind);
        switch (kind % 7) {
        case 0: { int32_t v; file.fRead4a(v); break; }
        case 1: { uint32_t v; file.fRead4b(v); break; }
        case 2: { float v; file.fRead4c(v); break; }
        case 3: { bool v; file.fRead4d(v); break; }
        case 4: { double v; file.fRead8(v); break; }
        case 5: { std::string v; file.fReadString(v); break; }
        default: {
            // A write between reads, as a save being rewritten does.
            if (kind == 0xFF) file.fWrite4a(step);
            break;
        }
        }
    }
    file.fClose();
    return 0;
}
