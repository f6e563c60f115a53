#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

namespace KEL {

// One argument of the typed wide formatter, remembering what the caller
// really passed so that a conversion can tell whether it got the kind it
// asks for: wide text for %s, an integer for %d/%i/%u, a real for %f.
// Narrow text, pointers and anything else are of no kind a conversion
// accepts. Text is borrowed, not copied: it must outlive the format call.
struct KS_FORMAT_ARG {
    enum class KE_KIND : uint8_t { kTEXT, kINTEGER, kREAL, kOTHER };

    KE_KIND mKind = KE_KIND::kOTHER;
    const wchar_t* mText = nullptr;  // kTEXT: not necessarily terminated
    size_t mLength = 0;
    bool mNegative = false;  // kINTEGER: sign and magnitude
    uint64_t mMagnitude = 0;
    double mReal = 0.0;

    static KS_FORMAT_ARG fText(const wchar_t* text, size_t length) {
        KS_FORMAT_ARG arg;
        arg.mKind = KE_KIND::kTEXT;
        arg.mText = text;
        arg.mLength = text ? length : 0;
        return arg;
    }
    static KS_FORMAT_ARG fInteger(bool negative, uint64_t magnitude) {
        KS_FORMAT_ARG arg;
        arg.mKind = KE_KIND::kINTEGER;
        arg.mNegative = negative && magnitude != 0;
        arg.mMagnitude = magnitude;
        return arg;
    }
    static KS_FORMAT_ARG fReal(double value) {
        KS_FORMAT_ARG arg;
        arg.mKind = KE_KIND::kREAL;
        arg.mReal = value;
        return arg;
    }

    // The argument for any value: wide strings and views (a null pointer is
    // empty text), integers, booleans and enums, floating-point numbers;
    // other types give kOTHER.
    template <class T>
    static KS_FORMAT_ARG fOf(const T& value) {
        using D = std::decay_t<T>;
        if constexpr (std::is_same_v<D, const wchar_t*> || std::is_same_v<D, wchar_t*>) {
            const wchar_t* text = value;  // arrays decay here
            return text ? fText(text, std::wstring_view(text).size()) : fText(nullptr, 0);
        } else if constexpr (std::is_convertible_v<const T&, std::wstring_view>) {
            const std::wstring_view view(value);
            return fText(view.data(), view.size());
        } else if constexpr (requires {
                                 value.fData();
                                 value.fLength();
                             }) {
            return fText(value.fData(), value.fLength() > 0 ? static_cast<size_t>(value.fLength()) : 0);
        } else if constexpr (std::is_enum_v<D>) {
            return fOf(static_cast<std::underlying_type_t<D>>(value));
        } else if constexpr (std::is_integral_v<D>) {
            if constexpr (std::is_signed_v<D>) {
                const int64_t wide = value;
                return fInteger(wide < 0, wide < 0 ? 0 - static_cast<uint64_t>(wide) : static_cast<uint64_t>(wide));
            } else {
                return fInteger(false, static_cast<uint64_t>(value));
            }
        } else if constexpr (std::is_floating_point_v<D>) {
            return fReal(static_cast<double>(value));
        } else {
            return KS_FORMAT_ARG{};
        }
    }
};

}  // namespace KEL
