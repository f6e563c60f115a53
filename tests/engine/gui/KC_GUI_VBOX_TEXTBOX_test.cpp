// The widgets no layout creates: the column layout, the text box and the
// scroll bar.
#include "WidgetFixture.h"

#include "engine/gui/KC_GUI_IMAGE.h"
#include "engine/gui/KC_GUI_SCROLL_BAR12.h"
#include "engine/gui/KC_GUI_TEXTBOX.h"
#include "engine/gui/KC_GUI_VBOX_LAYOUT.h"

using namespace KEL;

namespace {

using ColumnTest = guitest::WidgetFixture;

std::unique_ptr<KC_GUI_IMAGE> fImage(const char* name) {
    auto image = std::make_unique<KC_GUI_IMAGE>(2, name);
    image->fReloadResources();
    return image;
}

TEST_F(ColumnTest, AColumnSpreadsItsChildrenDownAndAnchorsThemAcross) {
    auto* column = static_cast<KC_GUI_VBOX_LAYOUT*>(
        mRoot->fAddChild(std::make_unique<KC_GUI_VBOX_LAYOUT>(1, 120.0f, 200.0f, 0, true)));
    KC_GUI_OBJECT* first = column->fAddChild(fImage("panel.png"), 0.0f, 4);
    KC_GUI_OBJECT* second = column->fAddChild(fImage("pic.png"), 0.0f, 0);
    // Even spacing: gap = (200 - 60 - 20) / 3 = 40.
    EXPECT_FLOAT_EQ(first->fGetTransform().mPosition.y, -30.0f);
    EXPECT_FLOAT_EQ(first->fGetTransform().mPosition.x, 0.0f);
    EXPECT_FLOAT_EQ(second->fGetTransform().mPosition.y, 50.0f);
    EXPECT_FLOAT_EQ(second->fGetTransform().mPosition.x, -40.0f) << "anchored to the left";
    EXPECT_EQ(column->fAddChild(fImage("listpanel.png"), 0.0f, 4), nullptr) << "wider than the box";

    auto* up = static_cast<KC_GUI_VBOX_LAYOUT*>(
        mRoot->fAddChild(std::make_unique<KC_GUI_VBOX_LAYOUT>(3, 120.0f, 200.0f, 7, false)));
    up->fAddChild(fImage("pic.png"), 5.0f, 4)->fSetVisible(false);
    KC_GUI_OBJECT* shown = up->fAddChild(fImage("pic.png"), 10.0f, 2);
    EXPECT_FLOAT_EQ(shown->fGetTransform().mPosition.y, -(-100.0f + 10.0f + 10.0f)) << "from the bottom";
    EXPECT_FLOAT_EQ(shown->fGetTransform().mPosition.x, 40.0f);
}

class TextboxTest : public guitest::WidgetFixture {
protected:
    // 100 x 30 at (200, 100): left edge at 150.
    KC_GUI_TEXTBOX* fBox(uint32_t maxLength) {
        auto* box = fAdd<KC_GUI_TEXTBOX>(5, "box.png", "page.png", "font.xml", maxLength);
        box->fSetPosition(200, 100, 0);
        mRoot->fReloadResources();
        return box;
    }
};

TEST_F(TextboxTest, TypesAtTheCaretPlacedByTheClick) {
    KC_GUI_TEXTBOX* box = fBox(10);
    box->fSetCharMetrics(10, 0);
    EXPECT_EQ(box->fGetVisibleChars(), 8) << "(100 - 2 x 10) / 10";
    fMove(200, 100);
    EXPECT_EQ(fCode(fPress()), KS_GUI_EVENT::kPRESSED);
    EXPECT_EQ(fCode(fRelease()), KS_GUI_EVENT::kCLICK);
    fStep();
    for (int32_t key : {'A', 'B', 'C'}) EXPECT_EQ(fKey(key), KS_GUI_EVENT::kVALUE_CHANGED);
    EXPECT_EQ(box->fGetText(), L"abc");
    fClick(161, 100);
    EXPECT_EQ(box->fGetCaret(), 1u);
    fKey('X');
    fKey(8);
    fKey(46);
    EXPECT_EQ(box->fGetText(), L"ac");
    box->fSetText(L"gr\u00FC\u00DF");
    EXPECT_STREQ(box->fGetTextNarrow(), "gr\xC3\xBC\xC3\x9F");
    fClick(400, 400);
    EXPECT_FALSE(box->fHasFocus());
    EXPECT_EQ(fKey('D'), 0);
}

TEST_F(TextboxTest, ZeroPitchAndZeroLengthDivideSafely) {
    KC_GUI_TEXTBOX* box = fBox(0);
    box->fSetCharMetrics(0, 0);
    EXPECT_EQ(box->fGetVisibleChars(), 0);
    box->fSetSize(0, 0);
    EXPECT_EQ(box->fGetWidth(), 100.0f) << "0 keeps the size";
    fClick(200, 100);
    EXPECT_EQ(fKey('A'), 0);
    EXPECT_TRUE(box->fGetText().empty());
}

TEST_F(TextboxTest, TheScrollBarShowsTheStateOfEachPart) {
    auto* bar = fAdd<KC_GUI_SCROLL_BAR12>(6, "strip12.png", KS_VEC2{100, 300}, KS_VEC2{400, 300});
    mRoot->fReloadResources();
    EXPECT_EQ(fCode(fMove(100, 300)), KS_GUI_EVENT::kENTERED);
    EXPECT_EQ(fCode(fPress()), KS_GUI_EVENT::kPRESSED);
    EXPECT_EQ(bar->fGetState(KC_GUI_SCROLL_BAR12::kSTART_BUTTON), 2);
    EXPECT_EQ(fCode(fRelease()), KS_GUI_EVENT::kCLICK);
    EXPECT_EQ(fCode(fMove(250, 300)), KS_GUI_EVENT::kLEFT);
    EXPECT_EQ(fDrawnQuads([&] { bar->fDraw(); }), 6u);
}

}  // namespace
