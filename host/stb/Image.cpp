// stb backend of host/Image.h: decodes PNG through stb_image and writes PNG
// through stb_image_write. Every other format is refused before any decoder
// sees it: the game's images are PNG, and stb's other decoders mishandle
// hostile files (huge allocations, writes past their own tables, inputs of a
// few bytes that take seconds). PNG dimensions are checked before decoding.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 16384
// The library's own code is not held to our warning set.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb_image.h>
#include <stb_image_write.h>
#pragma GCC diagnostic pop

#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "host/Image.h"

namespace host {

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

bool fRefuse(const char* why) {
    std::fprintf(stderr, "image refused: %s\n", why);
    return false;
}

uint32_t fBigEndian(const stbi_uc* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// Walks the chunks up to the end chunk: each must lie inside the bytes, and
// no image-data chunk may be empty (stb copies those from a null buffer).
bool fChunksSound(const stbi_uc* bytes, size_t size) {
    size_t at = sizeof kPngSignature;
    while (size - at >= 12) {
        const uint32_t length = fBigEndian(bytes + at);
        if (length > size - at - 12) return false;
        const stbi_uc* type = bytes + at + 4;
        if (std::memcmp(type, "IEND", 4) == 0) return true;
        if (std::memcmp(type, "IDAT", 4) == 0 && length == 0) return false;
        at += 12 + size_t(length);
    }
    return false;
}

}  // namespace

// Refuses, with the reason on standard error, anything but a PNG whose
// chunks are sound and whose declared size is within the image limits.
bool fReadImageSize(const void* bytes, size_t size, int32_t& width, int32_t& height) {
    if (!bytes || size == 0 || size > size_t(INT_MAX)) return fRefuse("no bytes, or more than 2 GiB");
    const auto* data = static_cast<const stbi_uc*>(bytes);
    if (size < sizeof kPngSignature || std::memcmp(data, kPngSignature, sizeof kPngSignature) != 0)
        return fRefuse("not a PNG file");
    if (!fChunksSound(data, size)) return fRefuse("damaged PNG chunks");
    int w = 0, h = 0, channels = 0;
    if (!stbi_info_from_memory(data, int(size), &w, &h, &channels)) return fRefuse("damaged PNG header");
    if (w <= 0 || h <= 0 || w > kMaxImageSide || h > kMaxImageSide || int64_t(w) * h > kMaxImagePixels)
        return fRefuse("PNG dimensions beyond the image limits");
    width = w;
    height = h;
    return true;
}

bool fDecodeImage(const void* bytes, size_t size, GImage& out) {
    int32_t declaredWidth = 0, declaredHeight = 0;
    if (!fReadImageSize(bytes, size, declaredWidth, declaredHeight)) return false;
    const auto* data = static_cast<const stbi_uc*>(bytes);
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(data, int(size), &width, &height, &channels, 4);
    if (!pixels) return fRefuse(stbi_failure_reason());
    out.width = width;
    out.height = height;
    out.rgba.assign(pixels, pixels + size_t(width) * size_t(height) * 4);
    stbi_image_free(pixels);
    return true;
}

bool fDecodeImageFile(const std::string& path, GImage& out) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return fRefuse("file cannot be opened");
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return fDecodeImage(bytes.data(), bytes.size(), out);
}

bool fWritePng(const std::string& path, const uint8_t* rgba, int32_t width, int32_t height) {
    if (!rgba || width <= 0 || height <= 0) return false;
    return stbi_write_png(path.c_str(), width, height, 4, rgba, width * 4) != 0;
}

}  // namespace host
