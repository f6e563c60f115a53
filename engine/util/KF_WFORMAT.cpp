#include "engine/util/KF_WFORMAT.h"

#include <algorithm>
#include <cwchar>

namespace KEL {

namespace {

// Writes into the destination until its last usable position.
class KS_WRITER {
public:
    KS_WRITER(wchar_t* destination, uint32_t capacity) : mOut(destination), mLast(capacity - 1) { mOut[0] = 0; }
    // False once the buffer is full.
    bool fPut(wchar_t c) {
        if (mAt >= mLast) return false;
        mOut[mAt++] = c;
        return mAt < mLast;
    }
    bool fFull() const { return mAt >= mLast; }
    bool fPad(wchar_t c, int64_t count) {
        for (int64_t i = 0; i < count; ++i)
            if (!fPut(c)) return false;
        return !fFull();
    }
    bool fText(const wchar_t* text, size_t length) {
        for (size_t i = 0; i < length; ++i)
            if (!fPut(text[i])) return false;
        return !fFull();
    }
    int32_t fEnd() {
        mOut[mAt] = 0;
        return static_cast<int32_t>(mAt);
    }

private:
    wchar_t* mOut;
    uint32_t mLast;
    uint32_t mAt = 0;
};

constexpr int64_t kMAX_WIDTH = 4096;

// One conversion as written: "%", flag, width, precision, size letters, letter.
struct KS_CONVERSION {
    bool mZero = false;
    int64_t mWidth = 0;
    bool mHasPrecision = false;
    int64_t mPrecision = 0;
    wchar_t mLetter = 0;
};

// Reads what follows a single "%"; answers the position after the letter
// (at the terminator when the format ends first, mLetter then 0).
const wchar_t* fParseConversion(const wchar_t* p, KS_CONVERSION& conv) {
    if (*p == L'0') {
        conv.mZero = true;
        ++p;
    }
    while (*p >= L'0' && *p <= L'9') conv.mWidth = std::min<int64_t>(conv.mWidth * 10 + (*p++ - L'0'), kMAX_WIDTH);
    if (*p == L'.') {
        conv.mHasPrecision = true;
        ++p;
        while (*p >= L'0' && *p <= L'9') conv.mPrecision = std::min<int64_t>(conv.mPrecision * 10 + (*p++ - L'0'), 64);
    }
    while (*p == L'l' || *p == L'h') ++p;  // sizes: every integer here is 32-bit
    conv.mLetter = *p;
    return *p ? p + 1 : p;
}

bool fIsRendered(wchar_t letter) {
    return letter == L's' || letter == L'd' || letter == L'i' || letter == L'u' || letter == L'f';
}

// printf letters that are not rendered here but still take their argument,
// so that the conversions after them stay in step.
bool fIsConsumedOnly(wchar_t letter) { return std::wcschr(L"cxXoeEgGaApnS", letter) != nullptr; }

enum class KE_TAKE { kGOT, kMISSING, kSTOP };

// Where the arguments come from.
class KI_ARGUMENTS {
public:
    virtual KE_TAKE fTake(wchar_t letter, KS_FORMAT_ARG& out) = 0;

protected:
    ~KI_ARGUMENTS() = default;
};

// A C argument list: the letter says what to read.
class KC_VA_ARGUMENTS final : public KI_ARGUMENTS {
public:
    explicit KC_VA_ARGUMENTS(va_list arguments) { va_copy(mArguments, arguments); }
    ~KC_VA_ARGUMENTS() { va_end(mArguments); }

    KE_TAKE fTake(wchar_t letter, KS_FORMAT_ARG& out) override {
        switch (letter) {
            case L's': {
                const wchar_t* text = va_arg(mArguments, const wchar_t*);
                if (!text) return KE_TAKE::kSTOP;
                out = KS_FORMAT_ARG::fOf(text);
                return KE_TAKE::kGOT;
            }
            case L'd':
            case L'i': out = KS_FORMAT_ARG::fOf(va_arg(mArguments, int32_t)); return KE_TAKE::kGOT;
            case L'u':
            case L'c':
            case L'x':
            case L'X':
            case L'o': out = KS_FORMAT_ARG::fOf(va_arg(mArguments, uint32_t)); return KE_TAKE::kGOT;
            case L'p':
            case L'n':
            case L'S':
                (void)va_arg(mArguments, void*);
                out = KS_FORMAT_ARG{};
                return KE_TAKE::kGOT;
            default: out = KS_FORMAT_ARG::fOf(va_arg(mArguments, double)); return KE_TAKE::kGOT;
        }
    }

private:
    va_list mArguments;
};

// A typed list: handed out in order, whatever the letter asks for.
class KC_LIST_ARGUMENTS final : public KI_ARGUMENTS {
public:
    KC_LIST_ARGUMENTS(const KS_FORMAT_ARG* arguments, size_t count) : mArguments(arguments), mCount(count) {}

    KE_TAKE fTake(wchar_t, KS_FORMAT_ARG& out) override {
        if (!mArguments || mNext >= mCount) return KE_TAKE::kMISSING;
        out = mArguments[mNext++];
        return KE_TAKE::kGOT;
    }

private:
    const KS_FORMAT_ARG* mArguments;
    size_t mCount;
    size_t mNext = 0;
};

// Decimal digits of value (no sign) into the end of digits; answers the count.
int fDigits(uint64_t value, wchar_t (&digits)[24]) {
    int count = 0;
    do {
        digits[23 - count++] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value);
    return count;
}

bool fNumber(KS_WRITER& out, bool negative, uint64_t magnitude, bool zero, int64_t width) {
    wchar_t digits[24];
    const int count = fDigits(magnitude, digits);
    const int64_t length = count + (negative ? 1 : 0);
    if (zero) {
        if (negative && !out.fPut(L'-')) return false;
        if (!out.fPad(L'0', width - length)) return false;
    } else {
        if (!out.fPad(L' ', width - length)) return false;
        if (negative && !out.fPut(L'-')) return false;
    }
    return out.fText(digits + 24 - count, static_cast<size_t>(count));
}

// The C library renders the real; the result is cut to the buffer.
bool fReal(KS_WRITER& out, const KS_CONVERSION& conv, double value) {
    wchar_t conversion[32];
    if (conv.mHasPrecision)
        std::swprintf(conversion, 32, conv.mZero ? L"%%0%lld.%lldf" : L"%%%lld.%lldf",
                      static_cast<long long>(conv.mWidth), static_cast<long long>(conv.mPrecision));
    else std::swprintf(conversion, 32, conv.mZero ? L"%%0%lldf" : L"%%%lldf", static_cast<long long>(conv.mWidth));
    // Room for the widest double, its precision and the largest width.
    wchar_t text[kMAX_WIDTH + 400];
    const int length = std::swprintf(text, kMAX_WIDTH + 400, conversion, value);
    return length > 0 ? out.fText(text, static_cast<size_t>(length)) : true;
}

// One rendered conversion; an argument of another kind writes nothing.
// False once the buffer is full.
bool fRender(KS_WRITER& out, const KS_CONVERSION& conv, const KS_FORMAT_ARG& arg) {
    using KE_KIND = KS_FORMAT_ARG::KE_KIND;
    switch (conv.mLetter) {
        case L's':
            if (arg.mKind != KE_KIND::kTEXT) return true;
            return out.fPad(L' ', conv.mWidth - static_cast<int64_t>(arg.mLength)) && out.fText(arg.mText, arg.mLength);
        case L'f': return arg.mKind != KE_KIND::kREAL || fReal(out, conv, arg.mReal);
        default:
            return arg.mKind != KE_KIND::kINTEGER ||
                   fNumber(out, arg.mNegative, arg.mMagnitude, conv.mZero, conv.mWidth);
    }
}

int32_t fFormat(wchar_t* destination, uint32_t capacity, const wchar_t* format, KI_ARGUMENTS& arguments) {
    if (!destination || capacity == 0 || !format) return 0;
    KS_WRITER out(destination, capacity);
    if (out.fFull()) return out.fEnd();

    for (const wchar_t* p = format; *p;) {
        if (*p != L'%' || p[1] == L'%') {
            if (!out.fPut(*p)) return out.fEnd();
            p += *p == L'%' ? 2 : 1;
            continue;
        }
        KS_CONVERSION conv;
        p = fParseConversion(p + 1, conv);
        if (conv.mLetter == 0) break;
        bool more = true;
        if (fIsRendered(conv.mLetter) || fIsConsumedOnly(conv.mLetter)) {
            KS_FORMAT_ARG arg;
            const KE_TAKE taken = arguments.fTake(conv.mLetter, arg);
            if (taken == KE_TAKE::kSTOP) {
                out.fEnd();
                return 0;
            }
            if (fIsConsumedOnly(conv.mLetter)) more = out.fPut(conv.mLetter);
            else if (taken == KE_TAKE::kGOT) more = fRender(out, conv, arg);
        } else {
            more = out.fPut(conv.mLetter);
        }
        if (!more) return out.fEnd();
    }
    return out.fEnd();
}

}  // namespace

int32_t fWFormatV(wchar_t* destination, uint32_t capacity, const wchar_t* format, va_list arguments) {
    KC_VA_ARGUMENTS source(arguments);
    return fFormat(destination, capacity, format, source);
}

int32_t fWFormat(wchar_t* destination, uint32_t capacity, const wchar_t* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int32_t written = fWFormatV(destination, capacity, format, arguments);
    va_end(arguments);
    return written;
}

int32_t fWFormatArgs(wchar_t* destination, uint32_t capacity, const wchar_t* format, const KS_FORMAT_ARG* arguments,
                     size_t count) {
    KC_LIST_ARGUMENTS source(arguments, count);
    return fFormat(destination, capacity, format, source);
}

}  // namespace KEL
