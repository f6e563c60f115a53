#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/render/KC_RENDER.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/render/KS_VERTEX.h"
#include "engine/resources/KC_FONT.h"
#include "engine/scene/KC_QUAD.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "host/recording/RecordingDevice.h"
#include "support/FuzzFindings.h"

using namespace KEL;

namespace {

// A page of 128 x 64 pixels in AngelCode's XML layout. "A" and "B" have
// different offsets; "?" is the fallback; the kerning pair is not applied.
constexpr const char* kBMFONT = R"(<?xml version="1.0"?>
<font>
  <info face="Test" size="16" bold="0" italic="0" charset="" unicode="1" stretchH="100" smooth="1" aa="1" padding="0,0,0,0" spacing="1,1" outline="0"/>
  <common lineHeight="20" base="16" scaleW="128" scaleH="64" pages="1" packed="0"/>
  <pages><page id="0" file="test_0.png"/></pages>
  <chars count="4">
    <char id="65" x="0" y="0" width="10" height="12" xoffset="1" yoffset="2" xadvance="11" page="0" chnl="15"/>
    <char id="66" x="16" y="32" width="9" height="12" xoffset="0" yoffset="3" xadvance="10" page="0" chnl="15"/>
    <char id="63" x="32" y="0" width="8" height="12" xoffset="0" yoffset="2" xadvance="9" page="0" chnl="15"/>
    <char id="32" x="0" y="0" width="0" height="0" xoffset="0" yoffset="0" xadvance="5" page="0" chnl="15"/>
  </chars>
  <kernings count="1"><kerning first="65" second="66" amount="-2"/></kernings>
</font>)";

struct Rect {
    float x, y, w, h, u, v;
};

class FontTest : public ::testing::Test {
protected:
    void SetUp() override {
        mDevice = new host::RecordingDevice;
        mRender.fSetDevice(mDevice);
        ASSERT_EQ(mRender.fInit(nullptr, 0.1f, 0.0f), 1);
        kcRENDER = &mRender;
        mPage = mRender.fCreateTexture(128, 64);
        ASSERT_TRUE(mDocument.load_string(kBMFONT));
    }
    void TearDown() override { kcRENDER = nullptr; }

    KC_FONT* fFont() {
        if (!mFont) mFont = std::make_unique<KC_FONT>(mDocument.child("font"), mPage, 100);
        return mFont.get();
    }

    // The glyph rectangles one drawing call puts on screen, in order.
    template <class F>
    std::vector<Rect> fCapture(F draw) {
        EXPECT_EQ(mRender.fBeginFrame(), 1);
        mDevice->fClearLog();
        draw();
        mRender.fEndFrame();
        std::vector<Rect> rects;
        for (const auto& call : mDevice->mDraws) {
            const size_t count = call.vertices.size() / sizeof(KS_VERTEX);
            std::vector<KS_VERTEX> v(count);
            std::memcpy(v.data(), call.vertices.data(), count * sizeof(KS_VERTEX));
            for (size_t i = 0; i + 3 < count; i += 4)
                rects.push_back({v[i].x, v[i].y, v[i + 2].x - v[i].x, v[i + 2].y - v[i].y, v[i].u, v[i].v});
        }
        return rects;
    }

    host::RecordingDevice* mDevice = nullptr;
    KC_RENDER mRender;
    KC_TEXTURE* mPage = nullptr;
    pugi::xml_document mDocument;
    std::unique_ptr<KC_FONT> mFont;
};

}  // namespace

TEST_F(FontTest, LoadsGlyphsFromTheBMFontLayout) {
    KC_FONT* font = fFont();
    EXPECT_EQ(font->fGetGlyphCount(), 4);
    EXPECT_EQ(font->fGetLineHeight(), 20);
    EXPECT_EQ(font->fGetFixedWidth(), 20);
    EXPECT_EQ(font->fGetAnchor(), 0);
    EXPECT_EQ(font->fGetSpacing(), 0);
    EXPECT_EQ(font->fGetCapacity(), 600u) << "never below 600 characters";
    EXPECT_EQ(font->fGetPageWidth(), 128.0f);
    EXPECT_EQ(font->fGetTexture(), mPage);
    ASSERT_NE(font->fGetFirstGlyph(), nullptr);
    EXPECT_EQ(font->fGetFirstGlyph()->mCode, 32u);

    const KS_GLYPH* b = font->fGetGlyph('B');
    ASSERT_NE(b, nullptr);
    EXPECT_FLOAT_EQ(b->mLeft, 16.0f / 128);
    EXPECT_FLOAT_EQ(b->mTop, 32.0f / 64);
    EXPECT_FLOAT_EQ(b->mRight, 25.0f / 128);
    EXPECT_FLOAT_EQ(b->mBottom, 44.0f / 64);
    EXPECT_EQ(font->fGetGlyph('Z'), font->fGetGlyph('?')) << "a missing code falls back to ?";
    EXPECT_EQ(font->fGetAdvance('Z'), 0) << "its advance does not";
    EXPECT_EQ(font->fGetAdvance('A'), 11);

    pugi::xml_document empty;
    ASSERT_TRUE(empty.load_string("<font><common lineHeight='9'/><chars count='0'/></font>"));
    KC_FONT bare(empty.child("font"), mPage, 800);
    EXPECT_EQ(bare.fGetCapacity(), 800u);
    EXPECT_EQ(bare.fLoad(empty.child("font"), mPage), -1);
    EXPECT_EQ(bare.fGetGlyph('?'), nullptr);
    EXPECT_TRUE(fCapture([&] { bare.fDrawW(0, 0, L"AB"); }).empty()) << "a font without glyphs draws nothing";
}

TEST_F(FontTest, AnchorOffsetsFollowTheirTables) {
    KC_FONT* font = fFont();
    const wchar_t* wide = L"AB\nA";  // first line 21 wide, two lines: H = 40
    const char* narrow = "AB\nA";    // first line by glyph widths: 19
    EXPECT_EQ(font->fMeasureW(wide), 21);
    EXPECT_EQ(font->fMeasure(narrow), 19);
    EXPECT_EQ(KC_FONT::fCountLinesW(wide), 2);
    EXPECT_EQ(KC_FONT::fCountLines(""), 1);
    EXPECT_EQ(KC_FONT::fLineLength(wide), 2);

    const int xw[9] = {0, -10, -21, 0, -10, -21, 0, -10, -21};
    const int yw[9] = {0, 20, 0, -20, -20, -20, 19, 19, 19};
    const int xn[9] = {0, -9, 0, 0, -9, -19, 0, -9, -19};
    const int yn[9] = {20, 20, 0, -40, -40, -40, 0, 0, -40};
    for (int anchor = 0; anchor < 9; ++anchor) {
        font->fSetAnchor(anchor);
        EXPECT_EQ(font->fGetOffsetXW(wide), xw[anchor]) << "anchor " << anchor;
        EXPECT_EQ(font->fGetOffsetYW(wide), yw[anchor]) << "anchor " << anchor;
        EXPECT_EQ(font->fGetOffsetX(narrow), xn[anchor]) << "anchor " << anchor;
        EXPECT_EQ(font->fGetOffsetY(narrow), yn[anchor]) << "anchor " << anchor;
    }
    for (int anchor : {9, -1}) {
        font->fSetAnchor(anchor);
        EXPECT_EQ(font->fGetOffsetXW(wide) | font->fGetOffsetYW(wide) | font->fGetOffsetX(narrow) |
                      font->fGetOffsetY(narrow),
                  0);
    }
}

TEST_F(FontTest, WideTextIsPlacedByAnchorOffsetsAndAdvances) {
    KC_FONT* font = fFont();
    font->fSetAnchor(4);
    auto rects = fCapture([&] { font->fDrawW(100, 50, L"AB"); });
    ASSERT_EQ(rects.size(), 2u);
    // Half the measured width left of x, half a line above y, then offsets.
    EXPECT_FLOAT_EQ(rects[0].x, 91);
    EXPECT_FLOAT_EQ(rects[0].y, 42);
    EXPECT_FLOAT_EQ(rects[0].w, 10);
    EXPECT_FLOAT_EQ(rects[0].h, 12);
    EXPECT_FLOAT_EQ(rects[0].u, 0.0f);
    EXPECT_FLOAT_EQ(rects[1].x, 101) << "B follows A's advance; kerning is not applied";
    EXPECT_FLOAT_EQ(rects[1].y, 43);
    EXPECT_FLOAT_EQ(rects[1].v, 0.5f);

    // Each line is aligned by its own width, one line height plus the line
    // spacing below the one before.
    font->fSetAnchor(2);
    font->fSetLineSpacing(3);
    rects = fCapture([&] { font->fDrawW(0, 0, L"AB\nB"); });
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_FLOAT_EQ(rects[0].x, -21 + 1);
    EXPECT_FLOAT_EQ(rects[2].x, -10);
    EXPECT_FLOAT_EQ(rects[2].y, 20 + 3 + 3);
    EXPECT_TRUE(fCapture([&] { font->fDrawW(0, 0, L""); }).empty());
}

TEST_F(FontTest, MissingGlyphsSpacingAndScale) {
    KC_FONT* font = fFont();
    auto rects = fCapture([&] { font->fDrawW(0, 0, L"AZB"); });
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_FLOAT_EQ(rects[1].x, 11) << "? stands in for Z";
    EXPECT_FLOAT_EQ(rects[1].u, 32.0f / 128);
    EXPECT_FLOAT_EQ(rects[2].x, 20) << "and advances by the ? advance";
    EXPECT_EQ(font->fMeasureW(L"AZB"), 21) << "measuring adds nothing for Z";
    EXPECT_EQ(font->fMeasure("AZB"), 0) << "narrow measuring gives up on a missing glyph";

    font->fSetSpacing(2);
    EXPECT_EQ(font->fMeasureW(L"AB"), 25);
    EXPECT_EQ(font->fMeasure("AB"), 23);
    font->fSetSpacing(0);

    font->fGetQuad()->fGetTransform()->mScale.x = 2.0f;
    EXPECT_EQ(font->fMeasureW(L"AB"), 42);
    rects = fCapture([&] { font->fDrawW(0, 0, L"AB"); });
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_FLOAT_EQ(rects[1].x - rects[0].x, 22 - 1) << "the pen moves twice as far";
    EXPECT_FLOAT_EQ(rects[0].w, 20) << "the glyph grows with the quad's own scale";
}

TEST_F(FontTest, NarrowTextAndFormats) {
    KC_FONT* font = fFont();
    auto rects = fCapture([&] { font->fDraw(0, 0, "AB"); });
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_FLOAT_EQ(rects[0].y, 10 + 2) << "anchor 0 puts narrow text half a block low";
    EXPECT_FLOAT_EQ(rects[1].x, 11);

    rects = fCapture([&] { font->fPrint(0, 0, "A%dB", 7); });
    ASSERT_EQ(rects.size(), 3u) << "the 7 draws as ?";
    rects = fCapture([&] { font->fPrintW(0, 0, L"%s%03i", L"AB", 5); });
    EXPECT_EQ(rects.size(), 5u);
    rects = fCapture([&] { font->fPrintW(0, 0, L"%s", static_cast<const wchar_t*>(nullptr)); });
    EXPECT_TRUE(rects.empty()) << "a failed format draws nothing";
}

TEST_F(FontTest, DrawAtUsesTheTextAsItIs) {
    KC_FONT* font = fFont();
    KS_TRANSFORM3 place;
    place.mPosition.x = 200;
    place.mPosition.y = 100;
    // A player named like a format must neither crash nor be formatted.
    auto rects = fCapture([&] { font->fDrawAt(place, 0, L"A%s%i%%"); });
    ASSERT_EQ(rects.size(), 7u);
    EXPECT_FLOAT_EQ(rects[0].x, 201);
    EXPECT_FLOAT_EQ(rects[0].y, 102);
    EXPECT_EQ(font->fGetAnchor(), 0);
    EXPECT_EQ(font->fGetQuad()->fGetTransform()->mParent, nullptr) << "the parent link is restored";

    font->fSetAnchor(3);
    rects = fCapture([&] { font->fDrawAt(place, 4, L"AB"); });
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_FLOAT_EQ(rects[0].x, 200 - 10 + 1);
    EXPECT_EQ(font->fGetAnchor(), 3) << "the font's own anchor comes back";

    // A place inside a parent counts the parent once.
    KS_TRANSFORM3 parent;
    parent.mPosition.x = 1000;
    place.mParent = &parent;
    rects = fCapture([&] { font->fDrawAt(place, 0, L"A"); });
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_FLOAT_EQ(rects[0].x, 1201);
}

// Descriptions holding numbers no font has: each is refused whole, and the
// font draws nothing rather than computing positions from them.
TEST_F(FontTest, ImpossibleNumbersRefuseTheWholeDescription) {
    for (const char* name : {"font-advance.xml", "font-glyph-rect.xml", "font-lineheight.xml"}) {
        SCOPED_TRACE(name);
        pugi::xml_document hostile;
        ASSERT_TRUE(hostile.load_string(testsupport::fFinding(name).c_str()));
        KC_FONT font(hostile.child("font"), mPage, 100);
        EXPECT_EQ(font.fLoad(hostile.child("font"), mPage), -1);
        EXPECT_EQ(font.fLoadWithTexture(hostile.child("font")), -1);
        EXPECT_EQ(font.fGetGlyphCount(), 0);
        EXPECT_EQ(font.fGetLineHeight(), 0);
        EXPECT_TRUE(fCapture([&] { font.fDrawW(0, 0, L",,\n,"); }).empty());
    }
    pugi::xml_document negative;
    ASSERT_TRUE(negative.load_string("<font><common lineHeight='9'/><chars><char id='65' width='-1'/></chars></font>"));
    KC_FONT font(negative.child("font"), mPage, 100);
    EXPECT_EQ(font.fGetGlyphCount(), 0) << "a negative width is as impossible as a huge one";
}

TEST_F(FontTest, LargestNumbersMeasureAndDrawLongTextsWithoutOverflow) {
    pugi::xml_document large;
    ASSERT_TRUE(large.load_string("<font><common lineHeight='32767'/><chars>"
                                  "<char id='87' x='-32767' width='32767' height='32767' xoffset='32767' "
                                  "yoffset='-32767' xadvance='32767'/></chars></font>"));
    KC_FONT font(large.child("font"), mPage, 100);
    ASSERT_EQ(font.fGetGlyphCount(), 1);
    std::wstring wide(200000, L'W');
    EXPECT_EQ(font.fMeasureW(wide.c_str()), INT_MAX) << "the width saturates";
    std::string lines(200000, '\n');
    font.fSetAnchor(8);
    EXPECT_EQ(font.fGetOffsetY(lines.c_str()), -INT_MAX);
    std::string narrow(200000, 'W');
    EXPECT_EQ(font.fMeasure(narrow.c_str()), INT_MAX);
    EXPECT_EQ(font.fGetOffsetX(narrow.c_str()), -INT_MAX);
    EXPECT_FALSE(fCapture([&] { font.fDraw(0, 0, "WW\nWW"); }).empty());
}
