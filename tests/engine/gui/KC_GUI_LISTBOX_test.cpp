// The list box: rows, selection by click and arrow keys, and what is drawn.
#include "WidgetFixture.h"

#include "engine/gui/KC_GUI_LISTBOX.h"

using namespace KEL;

namespace {

constexpr int32_t kUP = 38, kDOWN = 40;

class ListboxTest : public guitest::WidgetFixture {
protected:
    // A 200 x 90 panel at (300, 200): three rows of 30, from y 155.
    KC_GUI_LISTBOX* fList() {
        auto* list = fAdd<KC_GUI_LISTBOX>(4, "selected.png", "listpanel.png", "strip12.png", "page.png", "font.xml");
        list->fSetPosition(300, 200, 0);
        mRoot->fReloadResources();
        return list;
    }
};

TEST_F(ListboxTest, AnEmptyListSelectsNothingWhateverTheKeys) {
    KC_GUI_LISTBOX* list = fList();
    EXPECT_EQ(list->fGetSelection(), 0) << "a new list starts on its first row";
    EXPECT_EQ(list->fGetSelected(), nullptr);
    fMove(300, 200);
    for (int32_t key : {kUP, kDOWN, kDOWN, kUP}) {
        fKey(key);
        EXPECT_EQ(list->fGetSelected(), nullptr) << key;
    }
    EXPECT_EQ(fCode(fPress(1)), KS_GUI_EVENT::kPRESSED);
    EXPECT_EQ(list->fGetSelection(), -1);
    EXPECT_EQ(list->fGetSelected(), nullptr);
    EXPECT_EQ(list->fGetItem(-1), L"");
    EXPECT_EQ(list->fGetItem(0), L"");
}

TEST_F(ListboxTest, ClicksSelectRowsAndBelowAShortListTheLast) {
    KC_GUI_LISTBOX* list = fList();
    list->fAddItem("Ann");
    list->fAddItem("B\xC3\xB8rk");
    fMove(300, 160);
    EXPECT_EQ(fCode(fPress(1)), KS_GUI_EVENT::kPRESSED);
    EXPECT_EQ(*list->fGetSelected(), L"Ann");
    fRelease(1);
    fStep();
    fMove(300, 240);
    fPress(1);
    EXPECT_EQ(*list->fGetSelected(), L"B\u00F8rk") << "UTF-8 rows are decoded";
    fRelease(1);
    fStep();
    fMove(300, 300);
    EXPECT_EQ(fCode(fPress(1)), 0) << "outside the panel";
}

TEST_F(ListboxTest, ArrowKeysMovePastTheDrawnRowsButNotPastTheList) {
    KC_GUI_LISTBOX* list = fList();
    for (const char* name : {"a", "b", "c", "d", "e"}) list->fAddItem(name);
    fMove(300, 200);
    for (int i = 0; i < 6; ++i) fKey(kDOWN);
    EXPECT_EQ(list->fGetSelection(), 4);
    for (int i = 0; i < 6; ++i) fKey(kUP);
    EXPECT_EQ(list->fGetSelection(), 0);
    fMove(600, 600);
    fKey(kDOWN);
    EXPECT_EQ(list->fGetSelection(), 0) << "keys count only over the list";
    EXPECT_EQ(fDrawnQuads([&] { list->fDraw(); }), 1u + 1u + 3u) << "panel, highlight, three rows";
}

TEST_F(ListboxTest, ClearingSelectingByTextAndTheRowLimit) {
    KC_GUI_LISTBOX* list = fList();
    list->fSetMaxRows(3);
    for (const char* name : {"x", "y", "x", "z"}) list->fAddItem(name);
    EXPECT_EQ(list->fGetCount(), 3);
    list->fSelectText(L"x");
    EXPECT_EQ(list->fGetSelection(), 2) << "the later of equal rows";
    list->fSelectText(L"none");
    EXPECT_EQ(list->fGetSelection(), 2);
    list->fClear();
    EXPECT_EQ(list->fGetSelection(), -1);
    EXPECT_EQ(list->fGetSelected(), nullptr);
}

TEST_F(ListboxTest, NoVisibleRowsOrASizeOfNoHeightDividesSafely) {
    KC_GUI_LISTBOX* list = fList();
    list->fAddItem("a");
    list->fSetVisibleRows(0);
    EXPECT_GE(list->fGetRowHeight(), 1);
    list->fSetSize(200, 0);
    EXPECT_GE(list->fGetRowHeight(), 1);
    list->fSetSize(200, 90);
    fMove(300, 200);
    fPress(1);
    EXPECT_EQ(list->fGetSelection(), 0);
    EXPECT_EQ(fDrawnQuads([&] { list->fDraw(); }), 1u) << "no row is drawn";
    list->fSetRowTexture("row.png", 0);
    EXPECT_EQ(list->fGetVisibleRows(), KC_GUI_LISTBOX::kALL_ROWS);
}

TEST_F(ListboxTest, RowSpritesSetTheRowHeightAndColoursFollowTheSelection) {
    auto* list = fAdd<KC_GUI_LISTBOX>(4, "selected.png", "listpanel.png", "strip12.png", "page.png", "font.xml");
    list->fSetRowTexture("row.png", 2);
    list->fSetColor(0xFF0000FFu);
    list->fSetSelectedColor(0xFFFF0000u);
    mRoot->fReloadResources();
    EXPECT_EQ(list->fGetRowHeight(), 30);
    list->fAddItemW(L"one");
    list->fAddItemW(L"two");
    list->fAddItemW(L"three");
    EXPECT_EQ(fDrawnQuads([&] { list->fDraw(); }), 1u + 2u + 1u + 3u + 3u) << "panel, row sprites, highlight, text";
    EXPECT_EQ(list->fGetFont()->fGetQuad()->fGetVertexColor(0), 0xFF0000FFu) << "the last row drawn is not selected";
    EXPECT_EQ(fUses("font.xml"), 0);
    mRoot->fReleaseResources();
    EXPECT_EQ(fUses("row.png"), 0);
    EXPECT_EQ(fUses("listpanel.png"), 0);
    EXPECT_EQ(fUses("page.png"), 0);
}

}  // namespace
