#include "engine/util/KF_UTF8.h"

#include <cstdint>

namespace KEL {

namespace {

// The code point that starts at bytes[i] and its length in bytes; a length
// of 0 for a malformed sequence. Overlong forms, surrogates and values past
// U+10FFFF are not text.
uint32_t fDecodeOne(const unsigned char* bytes, size_t size, size_t i, size_t& length) {
    const unsigned char lead = bytes[i];
    uint32_t code = 0;
    length = 0;
    if (lead < 0x80) {
        code = lead;
        length = 1;
    } else if ((lead & 0xE0) == 0xC0) {
        code = lead & 0x1F;
        length = 2;
    } else if ((lead & 0xF0) == 0xE0) {
        code = lead & 0x0F;
        length = 3;
    } else if ((lead & 0xF8) == 0xF0) {
        code = lead & 0x07;
        length = 4;
    }
    bool good = length > 0 && i + length <= size;
    for (size_t k = 1; good && k < length; ++k) {
        if ((bytes[i + k] & 0xC0) != 0x80) good = false;
        else code = (code << 6) | (bytes[i + k] & 0x3F);
    }
    static const uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (good && (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))) good = false;
    if (!good) length = 0;
    return good ? code : 0;
}

}  // namespace

std::wstring fFromUtf8(const std::string& text) {
    std::wstring out;
    out.reserve(text.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (size_t i = 0; i < text.size();) {
        size_t length = 0;
        const uint32_t code = fDecodeOne(bytes, text.size(), i, length);
        // A malformed byte stands for itself; decoding resumes after it.
        out.push_back(static_cast<wchar_t>(length ? code : 0xFFFD));
        i += length ? length : 1;
    }
    return out;
}

std::string fToUtf8(const std::wstring& text) {
    // By hand: the result must not depend on the process locale.
    std::string out;
    out.reserve(text.size());
    for (wchar_t unit : text) {
        uint32_t c = static_cast<uint32_t>(unit);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace KEL
