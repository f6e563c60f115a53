#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Image decoding and PNG writing (backend: host/stb).
namespace host {

struct GImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgba;  // R, G, B, A bytes, top row first
};

// The largest image accepted: a side of at most 16384 pixels and at most
// 4096 x 4096 pixels in all.
inline constexpr int32_t kMaxImageSide = 16384;
inline constexpr int64_t kMaxImagePixels = int64_t(4096) * 4096;

// Decodes a PNG file held in memory at its exact pixel size; trailing bytes
// after the image are accepted. Any other format, a damaged file or one
// beyond the limits above is refused (false, the reason on standard error)
// before pixels are allocated.
bool fDecodeImage(const void* bytes, size_t size, GImage& out);
// The pixel size a PNG declares, under the same checks as fDecodeImage but
// without decoding: a file accepted here may still fail to decode.
bool fReadImageSize(const void* bytes, size_t size, int32_t& width, int32_t& height);
bool fDecodeImageFile(const std::string& path, GImage& out);
// Writes R, G, B, A rows as a PNG file.
bool fWritePng(const std::string& path, const uint8_t* rgba, int32_t width, int32_t height);

}  // namespace host
