// Fuzzes image decoding from memory, as textures are loaded: whole, or by
// the declared size first and the pixels when the picture is first drawn.
#include <cstdint>
#include <cstdlib>

#include "host/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t width = 0, height = 0;
    const bool sized = host::fReadImageSize(data, size, width, height);
    host::GImage image;
    const bool decoded = host::fDecodeImage(data, size, image);
    // A picture waiting for its first draw was made at the declared size.
    if (decoded && (!sized || image.width != width || image.height != height)) std::abort();
    return 0;
}
