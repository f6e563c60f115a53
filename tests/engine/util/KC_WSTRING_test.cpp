#include <gtest/gtest.h>

#include <string>

#include "engine/util/KC_WSTRING.h"

using KEL::KC_WSTRING;

TEST(KC_WSTRING, GrowthKeepsContentsAndCapacityRule) {
    EXPECT_EQ(KC_WSTRING::fCapacityFor(0), 31);
    EXPECT_EQ(KC_WSTRING::fCapacityFor(100), 156);
    KC_WSTRING text(L"abc");
    EXPECT_EQ(text.fLength(), 3);
    EXPECT_EQ(text.fCapacity(), 31) << "short texts fit the first buffer";
    const std::wstring longer(40, L'x');
    text = longer.c_str();
    EXPECT_EQ(text.fCapacity(), KC_WSTRING::fCapacityFor(50));
    text = L"ab";
    text += L"cd";
    text += KC_WSTRING(std::wstring(60, L'y').c_str());
    EXPECT_EQ(text.fLength(), 64);
    EXPECT_EQ(std::wstring(text.fData()).substr(0, 5), L"abcdy");
    text += text;  // appending itself
    EXPECT_EQ(text.fLength(), 128);
    EXPECT_EQ(text.fData()[64], L'a');

    KC_WSTRING joined = KC_WSTRING(L"Ab") + L"C" + KC_WSTRING(L"d");
    EXPECT_TRUE(joined == L"abcD");
    EXPECT_TRUE(joined != L"abc");
    EXPECT_FALSE(joined == nullptr);
    KC_WSTRING copy(joined);
    copy = copy;
    EXPECT_EQ(std::wstring(copy.fData()), L"AbCd");
}

TEST(KC_WSTRING, FindingFromAStart) {
    KC_WSTRING text(L"one two one");
    EXPECT_EQ(text.fFind(L"one"), 0);
    EXPECT_EQ(text.fFind(L"one", 1), 8);
    EXPECT_EQ(text.fFind(KC_WSTRING(L"two")), 4);
    EXPECT_EQ(text.fFind(L"three"), -1);
    EXPECT_EQ(text.fFind(L"one", 99), -1);
    EXPECT_EQ(text.fFind(L"one", -3), -1);
    EXPECT_EQ(text.fFindChar(L'o', 1), 6);
    EXPECT_EQ(text.fFindChar(L'z'), -1);
    EXPECT_EQ(text.fFindChar(L'e', 11), -1);
}

TEST(KC_WSTRING, NarrowCopyIsTerminatedUtf8) {
    KC_WSTRING text(L"Z\u00e9\u4e2d\U0001F600");
    char* narrow = text.fToNarrow();
    EXPECT_EQ(std::string(narrow), "Z\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80");
    delete[] narrow;
    KC_WSTRING empty;
    narrow = empty.fToNarrow();
    EXPECT_EQ(narrow[0], '\0');
    delete[] narrow;
}
