#include <gtest/gtest.h>

#include <string>

#include "host/IKeyboard.h"

namespace {

// The text of vk under the given shift / caps / control bytes.
std::wstring fText(uint32_t vk, uint8_t shift = 0, uint8_t caps = 0, uint8_t control = 0) {
    uint8_t states[256] = {};
    states[16] = shift;
    states[20] = caps;
    states[17] = control;
    wchar_t out[6] = {L'x', L'x', L'x', L'x', L'x', L'x'};
    const int32_t n = host::fKeyToText(vk, states, out, 6);
    return std::wstring(out, out + n);
}

}  // namespace

TEST(UsKeyLayout, LettersFollowShiftHighBitXorCapsLowBit) {
    EXPECT_EQ(fText('A'), L"a");
    EXPECT_EQ(fText('Z', 0x80), L"Z");
    // The engine marks both shift bytes 1 on a press: byte 20's low bit is
    // the toggle, so a held shift (16 = 1..125) still gives upper case.
    EXPECT_EQ(fText('Q', 1, 1), L"Q");
    EXPECT_EQ(fText('Q', 0x80, 1), L"q");
    EXPECT_EQ(fText('Q', 2, 2), L"q");
}

TEST(UsKeyLayout, DigitsAndPunctuationShiftOnlyOnHighBit) {
    EXPECT_EQ(fText('1'), L"1");
    EXPECT_EQ(fText('1', 1, 1), L"1") << "a held shift (1..125) is not 'down' for punctuation";
    EXPECT_EQ(fText('1', 0xFF), L"!");
    EXPECT_EQ(fText('0', 0x80), L")");
    EXPECT_EQ(fText(0xBD), L"-");
    EXPECT_EQ(fText(0xBD, 0x80), L"_");
    EXPECT_EQ(fText(0xDE, 0x80), L"\"");
    EXPECT_EQ(fText(0x65), L"5") << "keypad";
    EXPECT_EQ(fText(0x6B), L"+");
    EXPECT_EQ(fText(32), L" ");
    EXPECT_EQ(fText(9), L"\t");
}

TEST(UsKeyLayout, KeysWithoutTextAndControlChords) {
    EXPECT_EQ(fText(0x70), L"") << "F1";
    EXPECT_EQ(fText(37), L"") << "left arrow";
    EXPECT_EQ(fText(20), L"") << "caps lock";
    EXPECT_EQ(fText(1), L"") << "mouse button";
    EXPECT_EQ(fText('A', 0, 0, 0x80), std::wstring(1, wchar_t(1)));
    EXPECT_EQ(fText('A', 0, 0, 1), L"a") << "control counts only with its high bit";
    EXPECT_EQ(fText('1', 0, 0, 0x80), L"");

    uint8_t states[256] = {};
    wchar_t out[1];
    EXPECT_EQ(host::fKeyToText('A', states, out, 0), 0);
    EXPECT_EQ(host::fKeyToText(300, states, out, 1), 0);
}
