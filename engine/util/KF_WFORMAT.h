#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

#include "engine/util/KS_FORMAT_ARG.h"

namespace KEL {

// Bounded printf-style formatting into a wide buffer of `capacity`
// characters (terminator included). Handles %s (wide text), %i/%d, %u and %f
// with an optional 0 flag and width (and a precision for %f); %% gives %.
// Every other printf conversion letter consumes its argument and is written
// as the plain letter; anything else after % is copied as text. Answers the
// characters written; 0 for a zero capacity or a null format. The result is
// always terminated.
//
// Both forms below share one formatter and differ only in where the
// arguments come from.

// The C form: each conversion reads the argument its letter names, so the
// caller must match them. A null %s argument ends the text there and the
// call answers 0.
int32_t fWFormatV(wchar_t* destination, uint32_t capacity, const wchar_t* format, va_list arguments);
int32_t fWFormat(wchar_t* destination, uint32_t capacity, const wchar_t* format, ...);

// The typed form, for formats that come from content (translated texts)
// while the values come from code: a conversion without an argument, or
// given an argument of another kind, writes nothing (and still uses that
// argument up); arguments beyond the format's conversions are ignored; a
// null wide string is empty text.
int32_t fWFormatArgs(wchar_t* destination, uint32_t capacity, const wchar_t* format, const KS_FORMAT_ARG* arguments,
                     size_t count);

template <class... A>
int32_t fWFormatTyped(wchar_t* destination, uint32_t capacity, const wchar_t* format, const A&... arguments) {
    if constexpr (sizeof...(A) == 0) {
        return fWFormatArgs(destination, capacity, format, nullptr, 0);
    } else {
        const KS_FORMAT_ARG list[] = {KS_FORMAT_ARG::fOf(arguments)...};
        return fWFormatArgs(destination, capacity, format, list, sizeof...(A));
    }
}

}  // namespace KEL
