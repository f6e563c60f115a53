#pragma once

#include <string>

// UTF-8 to and from the engine's wide text (one wchar_t per code point).
namespace KEL {

// A malformed byte becomes U+FFFD.
std::wstring fFromUtf8(const std::string& text);
// A unit outside Unicode (or a lone surrogate) becomes U+FFFD.
std::string fToUtf8(const std::wstring& text);

}  // namespace KEL
