// stb backend of host/Image.h: decodes PNG, JPEG, TGA, BMP, GIF and PSD
// through stb_image and writes PNG through stb_image_write. No DDS.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
// The library's own code is not held to our warning set.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#include <stb_image.h>
#include <stb_image_write.h>
#pragma GCC diagnostic pop

#include <climits>
#include <cstring>

#include "host/Image.h"

namespace host {

namespace {
bool fTake(stbi_uc* pixels, int width, int height, GImage& out) {
    if (!pixels) return false;
    out.width = width;
    out.height = height;
    out.rgba.assign(pixels, pixels + size_t(width) * size_t(height) * 4);
    stbi_image_free(pixels);
    return true;
}
}  // namespace

bool fDecodeImage(const void* bytes, size_t size, GImage& out) {
    if (!bytes || size == 0 || size > size_t(INT_MAX)) return false;
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(static_cast<const stbi_uc*>(bytes), int(size), &width, &height,
                                            &channels, 4);
    return fTake(pixels, width, height, out);
}

bool fDecodeImageFile(const std::string& path, GImage& out) {
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
    return fTake(pixels, width, height, out);
}

bool fWritePng(const std::string& path, const uint8_t* rgba, int32_t width, int32_t height) {
    if (!rgba || width <= 0 || height <= 0) return false;
    return stbi_write_png(path.c_str(), width, height, 4, rgba, width * 4) != 0;
}

}  // namespace host
