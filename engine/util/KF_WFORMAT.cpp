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

}  // namespace

int32_t fWFormatV(wchar_t* destination, uint32_t capacity, const wchar_t* format, va_list arguments) {
    if (!destination || capacity == 0 || !format) return 0;
    KS_WRITER out(destination, capacity);
    if (out.fFull()) return out.fEnd();

    for (const wchar_t* p = format; *p;) {
        if (*p != L'%') {
            if (!out.fPut(*p++)) return out.fEnd();
            continue;
        }
        ++p;
        if (*p == L'%') {
            if (!out.fPut(L'%')) return out.fEnd();
            ++p;
            continue;
        }
        bool zero = false;
        if (*p == L'0') {
            zero = true;
            ++p;
        }
        int64_t width = 0;
        while (*p >= L'0' && *p <= L'9') width = std::min<int64_t>(width * 10 + (*p++ - L'0'), kMAX_WIDTH);
        bool hasPrecision = false;
        int64_t precision = 0;
        if (*p == L'.') {
            hasPrecision = true;
            ++p;
            while (*p >= L'0' && *p <= L'9') precision = std::min<int64_t>(precision * 10 + (*p++ - L'0'), 64);
        }
        while (*p == L'l' || *p == L'h') ++p;  // sizes: every integer here is 32-bit

        const wchar_t conversion = *p;
        if (conversion == 0) break;
        ++p;
        bool more = true;
        switch (conversion) {
        case L's': {
            const wchar_t* text = va_arg(arguments, const wchar_t*);
            if (!text) {
                out.fEnd();
                return 0;
            }
            const size_t length = std::wcslen(text);
            more = out.fPad(L' ', width - static_cast<int64_t>(length)) && out.fText(text, length);
            break;
        }
        case L'i':
        case L'd': {
            const int64_t value = va_arg(arguments, int32_t);
            more = fNumber(out, value < 0, static_cast<uint64_t>(value < 0 ? -value : value), zero, width);
            break;
        }
        case L'u':
            more = fNumber(out, false, va_arg(arguments, uint32_t), zero, width);
            break;
        case L'f': {
            const double value = va_arg(arguments, double);
            wchar_t conversion[32];
            if (hasPrecision)
                std::swprintf(conversion, 32, zero ? L"%%0%lld.%lldf" : L"%%%lld.%lldf", static_cast<long long>(width),
                              static_cast<long long>(precision));
            else
                std::swprintf(conversion, 32, zero ? L"%%0%lldf" : L"%%%lldf", static_cast<long long>(width));
            // Room for the widest double, its precision and the largest width.
            wchar_t text[kMAX_WIDTH + 400];
            const int length = std::swprintf(text, kMAX_WIDTH + 400, conversion, value);
            if (length > 0) more = out.fText(text, static_cast<size_t>(length));
            break;
        }
        // Conversions not rendered here still take their argument, so the
        // ones after them stay in step; the letter is written as text.
        case L'c':
        case L'x':
        case L'X':
        case L'o':
            (void)va_arg(arguments, unsigned int);
            more = out.fPut(conversion);
            break;
        case L'e':
        case L'E':
        case L'g':
        case L'G':
        case L'a':
        case L'A':
            (void)va_arg(arguments, double);
            more = out.fPut(conversion);
            break;
        case L'p':
        case L'n':
        case L'S':
            (void)va_arg(arguments, void*);
            more = out.fPut(conversion);
            break;
        default:
            more = out.fPut(conversion);
            break;
        }
        if (!more) return out.fEnd();
    }
    return out.fEnd();
}

int32_t fWFormat(wchar_t* destination, uint32_t capacity, const wchar_t* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int32_t written = fWFormatV(destination, capacity, format, arguments);
    va_end(arguments);
    return written;
}

}  // namespace KEL
