#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "engine/util/KF_WFORMAT.h"

using KEL::fWFormat;

TEST(KF_WFORMAT, ConversionsWidthsAndFlags) {
    wchar_t out[64];
    EXPECT_EQ(fWFormat(out, 64, L"%03i", 7), 3);
    EXPECT_EQ(std::wstring(out), L"007");
    fWFormat(out, 64, L"%3d|%i", 7, 123456);
    EXPECT_EQ(std::wstring(out), L"  7|123456");
    fWFormat(out, 64, L"%5s|%s|%1s", L"ab", L"", L"long");
    EXPECT_EQ(std::wstring(out), L"   ab||long");
    fWFormat(out, 64, L"100%% %x", 5);
    EXPECT_EQ(std::wstring(out), L"100% x");
    fWFormat(out, 64, L"%.2f %5.1f %f %lf", 3.14159, 2.25, 0.5, 1.0);
    EXPECT_EQ(std::wstring(out), L"3.14   2.2 0.500000 1.000000");
    fWFormat(out, 64, L"%li %u %i %03i", 5, 4000000000u, INT_MIN, -7);
    EXPECT_EQ(std::wstring(out), L"5 4000000000 -2147483648 -07");
    fWFormat(out, 64, L"%i%", 1);
    EXPECT_EQ(std::wstring(out), L"1") << "a trailing percent sign ends the text";
    fWFormat(out, 64, L"%q%s", L"z");
    EXPECT_EQ(std::wstring(out), L"qz") << "an unknown letter is plain text and takes no argument";
}

TEST(KF_WFORMAT, UnrenderedConversionsStillTakeTheirArgument) {
    wchar_t out[64];
    // Without consuming, the integer would be read as the string below.
    fWFormat(out, 64, L"%c %x %g %p %s", 65, 255u, 1.5, static_cast<void*>(out), L"ok");
    EXPECT_EQ(std::wstring(out), L"c x g p ok");
}

TEST(KF_WFORMAT, BoundsAndRefusals) {
    wchar_t out[16] = L"junk";
    EXPECT_EQ(fWFormat(out, 5, L"0123456789"), 4);
    EXPECT_EQ(std::wstring(out), L"0123");
    EXPECT_EQ(fWFormat(out, 5, L"%9i", 1), 4);
    EXPECT_EQ(std::wstring(out), L"    ");
    EXPECT_EQ(fWFormat(out, 5, L"%f", 1e300), 4) << "huge doubles are cut to the buffer";
    EXPECT_EQ(fWFormat(out, 16, L"%99999999999s", L"x"), 15);
    EXPECT_EQ(fWFormat(out, 1, L"abc"), 0);
    EXPECT_EQ(out[0], L'\0');
    EXPECT_EQ(fWFormat(out, 0, L"abc"), 0);
    EXPECT_EQ(fWFormat(out, 16, nullptr), 0);

    EXPECT_EQ(fWFormat(out, 16, L"ab%scd", static_cast<const wchar_t*>(nullptr)), 0);
    EXPECT_EQ(std::wstring(out), L"ab") << "a null string stops the text, terminated";
}
