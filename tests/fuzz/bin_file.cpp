// Fuzzes the binary file reader: the input is the file, and its own bytes
// choose which kinds of value are read from it next. The same bytes are
// read from a file and from memory; both must read the same values, fail at
// the same step and end with the same bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/resources/KC_BIN_FILE.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

template <typename T>
void fKeep(std::string& seen, const T& value) {
    seen.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Reads as the input's bytes direct; answers every value read, in order.
std::string fDrive(KEL::KC_BIN_FILE& file) {
    std::string seen;
    for (int step = 0; step < 4096 && !file.fFailed(); ++step) {
        uint8_t kind = 0;
        file.fRead1(kind);
        switch (kind % 7) {
            case 0: {
                int32_t v;
                file.fRead4a(v);
                fKeep(seen, v);
                break;
            }
            case 1: {
                uint32_t v;
                file.fRead4b(v);
                fKeep(seen, v);
                break;
            }
            case 2: {
                float v;
                file.fRead4c(v);
                uint32_t bits;
                std::memcpy(&bits, &v, 4);
                fKeep(seen, bits);
                break;
            }
            case 3: {
                bool v;
                file.fRead4d(v);
                fKeep(seen, v);
                break;
            }
            case 4: {
                double v;
                file.fRead8(v);
                uint64_t bits;
                std::memcpy(&bits, &v, 8);
                fKeep(seen, bits);
                break;
            }
            case 5: {
                std::string v;
                file.fReadString(v);
                seen += v;
                break;
            }
            default: {
                // A write between reads, as a save being rewritten does.
                if (kind == 0xFF) file.fWrite4a(step);
                break;
            }
        }
        fKeep(seen, file.fFailed());
    }
    return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzzsupport::fScratchFile(data, size);
    KEL::KC_BIN_FILE file;
    if (!file.fOpen(path)) return 0;
    const std::string fromFile = fDrive(file);
    file.fClose();
    KEL::KC_BIN_FILE memory;
    memory.fOpenMemory(std::string(reinterpret_cast<const char*>(data), size));
    if (fDrive(memory) != fromFile) std::abort();
    std::string written;
    if (!KEL::KC_BIN_FILE::fReadWhole(path, written) || written != memory.fGetMemory()) std::abort();
    return 0;
}
