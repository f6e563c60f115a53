#include "engine/util/KF_UTF8.h"

#include "engine/resources/KC_STRING_TABLE.h"

namespace KEL {

std::wstring fFromUtf8(const std::string& text) { return KC_STRING_TABLE::fWiden(text); }

std::string fToUtf8(const std::wstring& text) {
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
