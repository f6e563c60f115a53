#pragma once

// GL backend: where each field lies in the two vertex formats the renderer
// streams (kFVF_VERTEX and kFVF_POINT of host/IGraphicsDevice.h), in bytes
// from the start of a vertex, and a reader for the floats among them.
// Provides: the offsets the attribute pointers, the texel-alignment and
// depth tests and the damage boxes read vertices by.
// Does not provide: any other layout; a stride comes from the draw.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace host::layout {

// The 36-byte vertex: position x, y, z; normal x, y, z; colour as B, G, R,
// A bytes; u, v.
namespace vertex {
inline constexpr size_t kNORMAL = 12, kCOLOUR = 24, kUV = 28, kBYTES = 36;
}
// The 20-byte point: position x, y, z; size in pixels; colour as B, G, R, A.
namespace point {
inline constexpr size_t kSIZE = 12, kCOLOUR = 16, kBYTES = 20;
}
// Every vertex starts with its position; alpha is a colour's fourth byte.
inline constexpr size_t kPOSITION = 0, kPOSITION_BYTES = 12;
inline constexpr size_t kALPHA = 3;

// The N floats `offset` bytes into a vertex; vertices are bytes of a
// stream and need not be aligned for floats.
template <size_t N>
std::array<float, N> fFloatsAt(const uint8_t* vertex, size_t offset) {
    std::array<float, N> values;
    std::memcpy(values.data(), vertex + offset, sizeof values);
    return values;
}

}  // namespace host::layout
