// Fuzzes the wide formatter with a hostile format (as translated texts are)
// over typed arguments, into buffers of several sizes.
#include <cstdint>
#include <vector>

#include "engine/util/KF_WFORMAT.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Two input bytes make one wide character, so any code can appear.
    std::vector<wchar_t> format;
    for (size_t i = 0; i + 1 < size; i += 2) format.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    format.push_back(0);
    const wchar_t* none = nullptr;
    for (uint32_t capacity : {1u, 7u, 600u}) {
        std::vector<wchar_t> out(capacity);
        KEL::fWFormatTyped(out.data(), capacity, format.data(), 2147483647, -2147483647 - 1, 4294967295u, 1.0e38f, -0.0,
                           L"wide text", none, true, int64_t{-1} << 63);
        KEL::fWFormatTyped(out.data(), capacity, format.data());
    }
    return 0;
}
