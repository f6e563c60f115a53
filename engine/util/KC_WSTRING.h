#pragma once

#include <cstdint>

namespace KEL {

// A growable wide string. Capacity counts characters including the
// terminator and grows by a quarter plus 30 beyond what is needed.
class KC_WSTRING {
public:
    KC_WSTRING();
    KC_WSTRING(const wchar_t* text);
    KC_WSTRING(const KC_WSTRING& other);
    ~KC_WSTRING();

    int32_t fLength() const { return mLength; }
    int32_t fCapacity() const { return mCapacity; }
    const wchar_t* fData() const { return mBuffer; }

    // A new UTF-8 copy, always terminated; the caller frees it with delete[].
    char* fToNarrow() const;
    // Index of the first occurrence at or after start, -1 when absent.
    int32_t fFind(const wchar_t* text, int32_t start = 0) const;
    int32_t fFind(const KC_WSTRING& text, int32_t start = 0) const;
    int32_t fFindChar(wchar_t character, int32_t start = 0) const;

    // Case-insensitive comparison with a wide text.
    bool operator==(const wchar_t* text) const;
    bool operator!=(const wchar_t* text) const { return !(*this == text); }

    KC_WSTRING& operator=(const KC_WSTRING& other);
    KC_WSTRING& operator=(const wchar_t* text);
    KC_WSTRING& operator+=(const KC_WSTRING& other);
    KC_WSTRING& operator+=(const wchar_t* text);
    KC_WSTRING operator+(const KC_WSTRING& other) const;
    KC_WSTRING operator+(const wchar_t* text) const;

    // Capacity needed for n characters.
    static int32_t fCapacityFor(int32_t n);

private:
    void fAssign(const wchar_t* text, int32_t length);
    void fAppend(const wchar_t* text, int32_t length);

    wchar_t* mBuffer = nullptr;
    int32_t mLength = 0;
    int32_t mCapacity = 0;
};

}  // namespace KEL
