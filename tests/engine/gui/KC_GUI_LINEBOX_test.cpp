// The line box driven as the window drives it: clicks give it the keyboard,
// key-downs edit its text through the input's key-to-text conversion.
#include "WidgetFixture.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_LINEBOX.h"

using namespace KEL;

namespace {

constexpr int32_t kSHIFT = 16, kBACKSPACE = 8, kLEFT = 37, kRIGHT = 39, kDELETE = 46;

class LineboxTest : public guitest::WidgetFixture {
protected:
    // A 100 x 30 box at (200, 100): with the default margins its input
    // area is 92 wide, room for 8 characters (one more must fit twice).
    KC_GUI_LINEBOX* fBox() {
        auto* box = fAdd<KC_GUI_LINEBOX>(2, "box.png", "page.png", "font.xml");
        box->fSetPosition(200, 100, 0);
        mRoot->fReloadResources();
        fClick(200, 100);
        return box;
    }
    int32_t fType(const std::string& keys) {
        int32_t code = 0;
        for (char c : keys) code = fKey(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        return code;
    }
    int32_t fShifted(int32_t key) {
        mInput->fOnKeyDown(kSHIFT);
        const int32_t code = fKey(key);
        mInput->fOnKeyUp(kSHIFT);
        fStep();
        return code;
    }
};

TEST_F(LineboxTest, TypingStopsAtTheWidthAndAtTheMaximumLength) {
    KC_GUI_LINEBOX* box = fBox();
    EXPECT_TRUE(box->fIsActive());
    EXPECT_EQ(fType("abcdefgh"), KS_GUI_EVENT::kVALUE_CHANGED);
    EXPECT_EQ(box->fGetText(), L"abcdefgh");
    EXPECT_EQ(fType("i"), 0) << "the area is full";
    EXPECT_EQ(box->fGetText(), L"abcdefgh");

    box->fClear();
    box->fSetMaxChars(3);
    fType("xyz");
    EXPECT_EQ(fType("w"), 0);
    EXPECT_EQ(box->fGetText(), L"xyz");
    box->fSetMaxChars(0);
    EXPECT_EQ(box->fGetMaxChars(), KC_GUI_LINEBOX::kNO_LIMIT);
    EXPECT_EQ(fType("w"), KS_GUI_EVENT::kVALUE_CHANGED);
}

TEST_F(LineboxTest, RefusedCharactersAndKeysWithoutTextInsertNothing) {
    KC_GUI_LINEBOX* box = fBox();
    box->fSetRefused(L" \\*/");
    EXPECT_EQ(fKey(0x6A), 0) << "the keypad's *";
    EXPECT_EQ(fKey(0xDC), 0) << "backslash";
    EXPECT_EQ(fKey(0x6F), 0) << "the keypad's /";
    EXPECT_EQ(fKey(' '), 0);
    for (int32_t key : {9, 13, 27, 0x74 /* F5 */, 2 /* right button */}) EXPECT_EQ(fKey(key), 0) << key;
    EXPECT_FALSE(box->fIsAllowed(L'\x01')) << "control characters are never text";
    EXPECT_TRUE(box->fGetText().empty());
    EXPECT_EQ(fShifted('A'), KS_GUI_EVENT::kVALUE_CHANGED);

    // A text key and a key without text in the same step: one character.
    fPress('B');
    fPress(0x74);
    fStep();
    EXPECT_EQ(box->fGetText(), L"Ab");
}

// Text as the desktop's layout types it: with the key that typed it, or on
// its own (a composed letter). Every letter the font draws goes in; control
// characters, refused ones and letters without a glyph do not.
TEST_F(LineboxTest, TypedLettersOfTheFontGoInAndControlsDoNot) {
    std::string xml = fFontXml();
    std::string extra;
    for (int code : {0xE9, 0xEB, 0x141, 0x17A, 0x7F, 0x85})
        extra += "<char id=\"" + std::to_string(code) +
                 "\" x=\"0\" y=\"0\" width=\"8\" height=\"16\" xoffset=\"0\" yoffset=\"0\" xadvance=\"10\"/>";
    xml.insert(xml.find("</chars>"), extra);
    fWrite("latin.xml", xml);
    fMount();
    auto* box = fAdd<KC_GUI_LINEBOX>(2, "box.png", "page.png", "latin.xml");
    box->fSetPosition(200, 100, 0);
    mRoot->fReloadResources();
    fClick(200, 100);
    box->fSetRefused(L" \\*/");

    auto typed = [&](int32_t key, wchar_t text) {
        mInput->fOnKeyDown(key, text);
        const int32_t code = fCode(mRoot->fMouseDown());
        fRelease(key);
        fStep();
        return code;
    };
    auto composed = [&](wchar_t text) {
        mInput->fOnChar(text);
        const int32_t code = fCode(mRoot->fMouseDown());
        fStep();
        return code;
    };
    EXPECT_EQ(typed('Z', L'Z'), KS_GUI_EVENT::kVALUE_CHANGED);
    EXPECT_EQ(typed('O', L'o'), KS_GUI_EVENT::kVALUE_CHANGED);
    EXPECT_EQ(composed(L'\u00EB'), KS_GUI_EVENT::kVALUE_CHANGED) << "a letter with no key of its own";
    EXPECT_EQ(box->fGetText(), L"Zo\u00EB");
    EXPECT_EQ(typed(0xBA, L'\u0141'), KS_GUI_EVENT::kVALUE_CHANGED) << "the layout, not the key, says which";
    EXPECT_EQ(typed('Q', 0), 0) << "a key that typed nothing";
    EXPECT_EQ(box->fGetText(), L"Zo\u00EB\u0141");

    EXPECT_EQ(typed(0xBF, L'/'), 0) << "refused";
    EXPECT_EQ(composed(L'\\'), 0) << "refused";
    EXPECT_EQ(composed(L'\x7F'), 0) << "DEL, even with a glyph";
    EXPECT_EQ(composed(L'\x85'), 0) << "a C1 control, even with a glyph";
    EXPECT_EQ(composed(L'\x1B'), 0);
    EXPECT_EQ(composed(L'\u0436'), 0) << "a letter the font cannot draw";
    EXPECT_EQ(box->fGetText(), L"Zo\u00EB\u0141");

    // A composed letter right after Backspace is typed, not a second erase.
    mInput->fOnKeyDown(kBACKSPACE, 0);
    mRoot->fMouseDown();
    EXPECT_EQ(composed(L'\u017A'), KS_GUI_EVENT::kVALUE_CHANGED);
    EXPECT_EQ(box->fGetText(), L"Zo\u00EB\u017A");
}

TEST_F(LineboxTest, EditingKeysMoveAndEraseQuietlyAtBothEnds) {
    KC_GUI_LINEBOX* box = fBox();
    fType("abc");
    EXPECT_EQ(box->fGetCaret(), 3u);
    EXPECT_EQ(fKey(kDELETE), 0);
    EXPECT_EQ(fKey(kRIGHT), 0);
    EXPECT_EQ(box->fGetCaret(), 3u);
    for (int i = 0; i < 4; ++i) fKey(kLEFT);
    EXPECT_EQ(box->fGetCaret(), 0u);
    EXPECT_EQ(fKey(kBACKSPACE), 0);
    EXPECT_EQ(box->fGetText(), L"abc");
    fKey(kRIGHT);
    fType("x");
    EXPECT_EQ(box->fGetText(), L"axbc");
    EXPECT_EQ(fKey(kDELETE), 0);
    EXPECT_EQ(box->fGetText(), L"axc");
    EXPECT_EQ(fKey(kBACKSPACE), 0);
    EXPECT_EQ(box->fGetText(), L"ac");
    EXPECT_EQ(box->fGetCaret(), 1u);
    box->fSetCaret(-5);
    EXPECT_EQ(box->fGetCaret(), 0u);
    box->fSetCaret(50);
    EXPECT_EQ(box->fGetCaret(), 2u);
}

TEST_F(LineboxTest, AClickElsewhereTakesTheKeyboardAndTheCaretAway) {
    KC_GUI_LINEBOX* box = fBox();
    kfFRAME_DELTA = 0.3f;
    mRoot->fPollEvent();
    EXPECT_TRUE(box->fIsCaretVisible());
    mRoot->fPollEvent();
    mRoot->fPollEvent();
    EXPECT_FALSE(box->fIsCaretVisible()) << "the caret blinks every half second";
    fKey('A');
    EXPECT_TRUE(box->fIsCaretVisible()) << "a key shows it at once";

    fClick(400, 400);
    EXPECT_FALSE(box->fIsActive());
    EXPECT_EQ(fKey('B'), 0);
    mRoot->fPollEvent();
    EXPECT_FALSE(box->fIsCaretVisible());
    EXPECT_EQ(box->fGetText(), L"a");
}

TEST_F(LineboxTest, TextIsSetOnlyWhenBuiltAndWhenItFits) {
    auto* box = fAdd<KC_GUI_LINEBOX>(2, "box.png", "page.png", "font.xml");
    box->fSetText(L"early");
    EXPECT_TRUE(box->fGetText().empty());
    mRoot->fReloadResources();
    box->fSetText(L"abcdefghi");
    EXPECT_EQ(box->fGetText(), L"abcdefghi") << "nine characters are 90 pixels";
    box->fSetText(L"abcdefghij");
    EXPECT_EQ(box->fGetText(), L"abcdefghi") << "ten are wider than the area";
    box->fSetMaxChars(4);
    box->fSetText(L"abcde");
    EXPECT_EQ(box->fGetText(), L"abcdefghi");
    box->fSetText(L"%s%n");
    EXPECT_EQ(box->fGetText(), L"%s%n");
    EXPECT_EQ(box->fGetCaret(), 0u);
}

TEST_F(LineboxTest, MarginsPlaceTheInputAreaAndAlignmentWaitsForTheBuild) {
    auto* box = fAdd<KC_GUI_LINEBOX>(2, "box.png", "page.png", "font.xml");
    box->fSetPosition(200, 100, 0);
    box->fSetAlignment(KC_GUI_LINEBOX::kALIGN_RIGHT);
    box->fSetMargins(10, 4, 30, 4);
    mRoot->fReloadResources();
    EXPECT_EQ(box->fGetAlignment(), KC_GUI_LINEBOX::kALIGN_RIGHT);
    // The area is 60 wide, from x 160 to 220.
    const KS_HIT_AREA& area = box->fGetInputArea();
    EXPECT_TRUE(area.fContains(162, 100));
    EXPECT_TRUE(area.fContains(218, 100));
    EXPECT_FALSE(area.fContains(225, 100));
    EXPECT_FALSE(area.fContains(158, 100));
    EXPECT_FLOAT_EQ(box->fGetTextTransform().fGetAbsolute().mPosition.x, 220.0f);
    box->fSetAlignment(0);
    EXPECT_FLOAT_EQ(box->fGetTextTransform().fGetAbsolute().mPosition.x, 160.0f);
    box->fSetAlignment(9);
    EXPECT_EQ(box->fGetAlignment(), KC_GUI_LINEBOX::kALIGN_LEFT);
}

TEST_F(LineboxTest, TextColourReachesTheBuiltFontAndTheCaretIsDrawn) {
    auto* box = fAdd<KC_GUI_LINEBOX>(2, "box.png", "page.png", "font.xml");
    box->fSetTextColor(0xFF112233u);
    mRoot->fReloadResources();
    EXPECT_EQ(box->fGetFont()->fGetQuad()->fGetVertexColor(0), 0xFF112233u);
    box->fSetTextColor(0xFFFF0000u);
    EXPECT_EQ(box->fGetFont()->fGetQuad()->fGetVertexColor(0), 0xFFFF0000u);
    box->fSetText(L"ab");
    EXPECT_EQ(fDrawnQuads([&] { box->fDraw(); }), 1u + 2u + 1u) << "background, two glyphs, caret";
}

TEST_F(LineboxTest, ReleaseAndReloadGiveBackAndTakeBothTextures) {
    fAdd<KC_GUI_LINEBOX>(2, "box.png", "page.png", "font.xml");
    mRoot->fReloadResources();
    EXPECT_EQ(fUses("box.png"), 1);
    EXPECT_EQ(fUses("page.png"), 1);
    EXPECT_EQ(fUses("font.xml"), 0) << "the description is handed back";
    mRoot->fReleaseResources();
    EXPECT_EQ(fUses("box.png"), 0);
    EXPECT_EQ(fUses("page.png"), 0);
    mRoot->fReloadResources();
    EXPECT_EQ(fUses("box.png"), 1);
    EXPECT_EQ(fUses("page.png"), 1);
}

}  // namespace
