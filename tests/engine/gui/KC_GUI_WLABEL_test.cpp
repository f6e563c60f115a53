// The wide-text label: its font's life cycle, its measures and its text
// drawn as it is.
#include "WidgetFixture.h"

#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/scene/KC_QUAD.h"

using namespace KEL;

namespace {

using WLabelTest = guitest::WidgetFixture;

TEST_F(WLabelTest, MeasuresNothingUntilItsFontIsBuilt) {
    auto* label = fAdd<KC_GUI_WLABEL>(3, "font.xml", "page.png", L"Hello");
    EXPECT_EQ(label->fGetWidth(), 0.0f);
    EXPECT_EQ(label->fGetHeight(), 0.0f);
    EXPECT_EQ(label->fGetFont(), nullptr);
    mRoot->fReloadResources();
    EXPECT_EQ(label->fGetWidth(), 50.0f);
    EXPECT_EQ(label->fGetHeight(), 20.0f);
    EXPECT_EQ(fUses("font.xml"), 0);
    EXPECT_EQ(fUses("page.png"), 1);
}

TEST_F(WLabelTest, DrawsFormatLookalikesAsTheyAre) {
    auto* label = fAdd<KC_GUI_WLABEL>(3, "font.xml", "page.png", L"%s%n%d%%");
    mRoot->fReloadResources();
    EXPECT_EQ(fDrawnQuads([&] { label->fDraw(); }), 8u) << "one glyph per character";
    EXPECT_EQ(label->fGetWidth(), 80.0f);
    // Longer than any buffer the font was built with.
    label->fSetText(std::wstring(700, L'w'));
    EXPECT_EQ(fDrawnQuads([&] { label->fDraw(); }), 700u);
    label->fSetText(L"");
    EXPECT_TRUE(label->fIsEmpty());
    EXPECT_EQ(fDrawnQuads([&] { label->fDraw(); }), 0u);
}

TEST_F(WLabelTest, SettingsMadeBeforeTheBuildReachTheFont) {
    auto* label = fAdd<KC_GUI_WLABEL>(3, "font.xml", "page.png", L"abc");
    label->fSetLetterSpace(2);
    label->fSetLineSpace(5);
    label->fSetColor(0xFF2E2A5Au);
    mRoot->fReloadResources();
    EXPECT_EQ(label->fGetFont()->fGetSpacing(), 2);
    EXPECT_EQ(label->fGetFont()->fGetLineSpacing(), 5);
    EXPECT_EQ(label->fGetFont()->fGetQuad()->fGetVertexColor(0), 0xFF2E2A5Au);
    EXPECT_EQ(label->fGetWidth(), 36.0f);
    label->fSetLetterSpace(0);
    EXPECT_EQ(label->fGetWidth(), 30.0f);
    label->fSetScale(2.0f);
    EXPECT_EQ(label->fGetWidth(), 60.0f);
}

TEST_F(WLabelTest, AMissingDescriptionLeavesItFontlessAndHoldingNothing) {
    auto* label = fAdd<KC_GUI_WLABEL>(3, "nofont.xml", "page.png", L"abc");
    mRoot->fReloadResources();
    mRoot->fReloadResources();
    EXPECT_EQ(label->fGetFont(), nullptr);
    EXPECT_EQ(fUses("page.png"), 0);
    EXPECT_EQ(fDrawnQuads([&] { label->fDraw(); }), 0u);
}

TEST_F(WLabelTest, ReleaseSwapsInTheDefaultTextureAndReloadTakesItBack) {
    auto* label = fAdd<KC_GUI_WLABEL>(3, "font.xml", "page.png", L"abc");
    mRoot->fReloadResources();
    KC_FONT* font = label->fGetFont();
    mRoot->fReleaseResources();
    EXPECT_EQ(fUses("page.png"), 0);
    EXPECT_EQ(font->fGetTexture(), mRender.fGetDefaultTexture());
    mRoot->fReloadResources();
    EXPECT_EQ(label->fGetFont(), font) << "the font lives on";
    EXPECT_EQ(fUses("page.png"), 1);
    EXPECT_NE(font->fGetTexture(), mRender.fGetDefaultTexture());
}

}  // namespace
