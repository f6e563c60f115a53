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

// Content formats with code's values: a wrong or missing value must neither
// crash nor shift the values after it.
TEST(KF_WFORMAT_TYPED, ConversionsMatchTheirArguments) {
    using KEL::fWFormatTyped;
    wchar_t out[64];
    const std::wstring name = L"Ann";
    EXPECT_EQ(fWFormatTyped(out, 64, L"%s has %03d stars, %5.1f%%", name, 7, 2.25), 25);
    EXPECT_EQ(std::wstring(out), L"Ann has 007 stars,   2.2%");
    fWFormatTyped(out, 64, L"[%4s|%i|%u]", L"ab", int64_t(-12), 40000000000ull);
    EXPECT_EQ(std::wstring(out), L"[  ab|-12|40000000000]");
    fWFormatTyped(out, 64, L"%d %d", true, static_cast<wchar_t*>(nullptr));
    EXPECT_EQ(std::wstring(out), L"1 ") << "a null wide string is text, not a number";
}

TEST(KF_WFORMAT_TYPED, TooFewTooManyAndMismatchedArguments) {
    using KEL::fWFormatTyped;
    wchar_t out[64];
    EXPECT_EQ(fWFormatTyped(out, 64, L"a%sb%dc%fd"), 4);
    EXPECT_EQ(std::wstring(out), L"abcd") << "no arguments at all";
    fWFormatTyped(out, 64, L"%s and %s", L"one");
    EXPECT_EQ(std::wstring(out), L"one and ");
    fWFormatTyped(out, 64, L"%d", 1, 2, L"three");
    EXPECT_EQ(std::wstring(out), L"1");

    // Each wrong kind writes nothing and uses its argument up.
    fWFormatTyped(out, 64, L"<%s><%d><%f><%s>", 5, L"text", 3, L"ok");
    EXPECT_EQ(std::wstring(out), L"<><><><ok>");
    fWFormatTyped(out, 64, L"<%s><%d>", "narrow", 1.5);
    EXPECT_EQ(std::wstring(out), L"<><>");
    fWFormatTyped(out, 64, L"%x %c %s", 255, 65, L"z");
    EXPECT_EQ(std::wstring(out), L"x c z") << "unrendered letters keep the arguments in step";
    fWFormatTyped(out, 64, L"%08s|%q|%", L"x", 1);
    EXPECT_EQ(std::wstring(out), L"       x|q|");
}

TEST(KF_WFORMAT_TYPED, MessagesAreBoundedAndTerminated) {
    using KEL::fWFormatTyped;
    wchar_t out[512];
    const std::wstring longName(2000, L'n');
    EXPECT_EQ(fWFormatTyped(out, 512, L"Delete %s?", longName), 511);
    EXPECT_EQ(out[511], L'\0');
    EXPECT_EQ(std::wstring(out).substr(0, 8), L"Delete n");
    EXPECT_EQ(fWFormatTyped(out, 512, L"%4000d", 1), 511);
    EXPECT_EQ(fWFormatTyped(out, 512, L"%f%f", 1e300, 1e300), 511);
    EXPECT_EQ(fWFormatTyped(out, 512, nullptr, 1), 0);
    EXPECT_EQ(fWFormatTyped(out, 0, L"x"), 0);
}
