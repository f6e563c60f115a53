#include "engine/util/KC_WSTRING.h"

#include <cwchar>
#include <cwctype>
#include <string>

#include "engine/util/KF_UTF8.h"

namespace KEL {

int32_t KC_WSTRING::fCapacityFor(int32_t n) { return static_cast<int32_t>((n + 30) + n * 0.25) + 1; }

KC_WSTRING::KC_WSTRING() {
    mCapacity = fCapacityFor(0);
    mBuffer = new wchar_t[mCapacity]();
}

KC_WSTRING::KC_WSTRING(const wchar_t* text) : KC_WSTRING() { *this = text; }

KC_WSTRING::KC_WSTRING(const KC_WSTRING& other) : KC_WSTRING() { *this = other; }

KC_WSTRING::~KC_WSTRING() { delete[] mBuffer; }

void KC_WSTRING::fAssign(const wchar_t* text, int32_t length) {
    // The source may live in our own buffer: copy before letting it go.
    if (length + 1 > mCapacity) {
        const int32_t capacity = fCapacityFor(length + 10);
        auto* buffer = new wchar_t[capacity];
        std::wmemcpy(buffer, text, length);
        delete[] mBuffer;
        mBuffer = buffer;
        mCapacity = capacity;
    } else {
        std::wmemmove(mBuffer, text, length);
    }
    mLength = length;
    mBuffer[mLength] = 0;
}

void KC_WSTRING::fAppend(const wchar_t* text, int32_t length) {
    const int32_t total = mLength + length;
    if (total + 1 > mCapacity) {
        const int32_t capacity = fCapacityFor(total);
        auto* buffer = new wchar_t[capacity];
        std::wmemcpy(buffer, mBuffer, mLength);
        std::wmemcpy(buffer + mLength, text, length);
        delete[] mBuffer;
        mBuffer = buffer;
        mCapacity = capacity;
    } else {
        std::wmemmove(mBuffer + mLength, text, length);
    }
    mLength = total;
    mBuffer[mLength] = 0;
}

KC_WSTRING& KC_WSTRING::operator=(const KC_WSTRING& other) {
    if (this != &other) fAssign(other.mBuffer, other.mLength);
    return *this;
}

KC_WSTRING& KC_WSTRING::operator=(const wchar_t* text) {
    if (!text) text = L"";
    fAssign(text, static_cast<int32_t>(std::wcslen(text)));
    return *this;
}

KC_WSTRING& KC_WSTRING::operator+=(const KC_WSTRING& other) {
    fAppend(other.mBuffer, other.mLength);
    return *this;
}

KC_WSTRING& KC_WSTRING::operator+=(const wchar_t* text) {
    if (text) fAppend(text, static_cast<int32_t>(std::wcslen(text)));
    return *this;
}

KC_WSTRING KC_WSTRING::operator+(const KC_WSTRING& other) const {
    KC_WSTRING result(*this);
    result += other;
    return result;
}

KC_WSTRING KC_WSTRING::operator+(const wchar_t* text) const {
    KC_WSTRING result(*this);
    result += text;
    return result;
}

bool KC_WSTRING::operator==(const wchar_t* text) const {
    if (!text) return false;
    return wcscasecmp(mBuffer, text) == 0;
}

int32_t KC_WSTRING::fFind(const wchar_t* text, int32_t start) const {
    if (!text || start < 0 || start > mLength) return -1;
    const wchar_t* found = std::wcsstr(mBuffer + start, text);
    return found ? static_cast<int32_t>(found - mBuffer) : -1;
}

int32_t KC_WSTRING::fFind(const KC_WSTRING& text, int32_t start) const { return fFind(text.mBuffer, start); }

int32_t KC_WSTRING::fFindChar(wchar_t character, int32_t start) const {
    if (start < 0 || start >= mLength) return -1;
    const wchar_t* found = std::wmemchr(mBuffer + start, character, static_cast<size_t>(mLength - start));
    return found ? static_cast<int32_t>(found - mBuffer) : -1;
}

char* KC_WSTRING::fToNarrow() const {
    const std::string out = fToUtf8(std::wstring(mBuffer, static_cast<size_t>(mLength)));
    auto* narrow = new char[out.size() + 1];
    out.copy(narrow, out.size());
    narrow[out.size()] = 0;
    return narrow;
}

}  // namespace KEL
