// Fuzzes image decoding from memory, as textures are loaded.
#include <cstdint>

#include "host/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    host::GImage image;
    host::fDecodeImage(data, size, image);
    return 0;
}
