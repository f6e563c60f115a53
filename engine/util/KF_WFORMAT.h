#pragma once

#include <cstdarg>
#include <cstdint>

namespace KEL {

// Bounded printf-style formatting into a wide buffer of `capacity`
// characters (terminator included). Handles %s (wide text), %i/%d, %u and %f
// with an optional 0 flag and width; %% gives %. Every other printf
// conversion letter consumes its argument and is written as the plain
// letter; anything else after % is copied as text. Answers the characters
// written; 0 for a zero capacity, a null format, or a null %s argument (the
// buffer then ends where the text stopped). The result is always terminated.
int32_t fWFormatV(wchar_t* destination, uint32_t capacity, const wchar_t* format, va_list arguments);
int32_t fWFormat(wchar_t* destination, uint32_t capacity, const wchar_t* format, ...);

}  // namespace KEL
