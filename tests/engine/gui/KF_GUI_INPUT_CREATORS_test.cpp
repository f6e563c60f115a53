// The layout tags of the text, list, progress and slider widgets: required
// keys, every optional key, and the order keys are applied in.
#include "WidgetFixture.h"
#include "support/FuzzFindings.h"

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_ANIMATION_BAR.h"
#include "engine/gui/KC_GUI_LINEBOX.h"
#include "engine/gui/KC_GUI_LISTBOX.h"
#include "engine/gui/KC_GUI_PROGRESS_BAR.h"
#include "engine/gui/KC_GUI_SIMPLE_SLIDER.h"
#include "engine/gui/KC_GUI_SLIDER12.h"
#include "engine/gui/KC_GUI_SLIDER13.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/gui/KF_GUI_READER.h"
#include "engine/scene/KC_QUAD.h"

using namespace KEL;

namespace {

using InputTagsTest = guitest::WidgetFixture;

TEST_F(InputTagsTest, EveryTagNeedsItsRequiredKeys) {
    fRead(R"(<wlabel ID="1" FONT="font.xml" FONT_TEXTURE="page.png"/>
        <LINEBOX ID="2" TEXTURE="box.png" FONT_TEXTURE="page.png" FONT="font.xml"/>
        <LISTBOX ID="3" LIST_TEXTURE="selected.png" PANEL_TEXTURE="listpanel.png" SLIDER12_TEXTURE="strip12.png"
                 FONT_TEXTURE="page.png" FONT="font.xml"/>
        <PROGRESS_BAR ID="4" TEXTURE="bar.png"/>
        <ANIMATION_BAR ID="5" TEXTURE="grid.png" COLUMNS="5" ROWS="2" FRAMES="10"/>
        <SLIDER12 ID="6" TEXTURE="strip12.png" START="0 0" END="100 0"/>
        <SLIDER13 ID="7" TEXTURE="strip13.png" START="0 0" END="100 0"/>
        <SimpleSlider ID="8" PROGRESS="bar.png" RUNNER="runner.png"/>
        <WLABEL ID="11" FONT="font.xml"/>
        <LINEBOX ID="12" TEXTURE="box.png" FONT="font.xml"/>
        <LISTBOX ID="13" LIST_TEXTURE="selected.png" PANEL_TEXTURE="listpanel.png" FONT_TEXTURE="page.png"
                 FONT="font.xml"/>
        <PROGRESS_BAR ID="14"/>
        <ANIMATION_BAR ID="15" TEXTURE="grid.png" COLUMNS="5" ROWS="2"/>
        <SLIDER12 ID="16" TEXTURE="strip12.png" START="0 0"/>
        <SLIDER13 ID="17" TEXTURE="strip13.png" START="0" END="100 0"/>
        <SIMPLESLIDER ID="18" PROGRESS="bar.png"/>)");
    EXPECT_EQ(fCount(), 8);
    fGet<KC_GUI_WLABEL>(1);
    fGet<KC_GUI_LINEBOX>(2);
    fGet<KC_GUI_LISTBOX>(3);
    fGet<KC_GUI_PROGRESS_BAR>(4);
    fGet<KC_GUI_ANIMATION_BAR>(5);
    fGet<KC_GUI_SLIDER12>(6);
    fGet<KC_GUI_SLIDER13>(7);
    fGet<KC_GUI_SIMPLE_SLIDER>(8);
}

TEST_F(InputTagsTest, AWideLabelTakesANumberedAnchorAHexColourAndItsScaleLast) {
    fRead(R"(<WLABEL ID="1" FONT="font.xml" FONT_TEXTURE="page.png" TEXT="Gr&#xFC;&#xDF;e %s" TEXT_ID="7"
                 LETTER_SPACE="2" LINE_SPACE="3" HOT_SPOT="4" FONT_COLOR="FF2E2A5A" FONT_SCALE="0.5"/>
             <WLABEL ID="2" FONT="font.xml" FONT_TEXTURE="page.png" HOT_SPOT="HS_UL"/>)");
    auto* label = fGet<KC_GUI_WLABEL>(1);
    EXPECT_EQ(label->fGetText(), L"Gr\u00FC\u00DFe %s");
    EXPECT_EQ(label->fGetAnchor(), 4);
    EXPECT_EQ(label->fGetColor(), 0xFF2E2A5Au);
    EXPECT_EQ(label->fGetFont()->fGetSpacing(), 2) << "the letter space reaches the built font";
    EXPECT_EQ(label->fGetFont()->fGetLineSpacing(), 3);
    EXPECT_EQ(label->fGetScale(), 0.5f);
    EXPECT_EQ(fGet<KC_GUI_WLABEL>(2)->fGetAnchor(), 0) << "names are not numbers";
}

TEST_F(InputTagsTest, LineboxKeysComeAfterTheCommonOnes) {
    fRead(R"(<LINEBOX ID="2" TEXTURE="box.png" FONT_TEXTURE="page.png" FONT="font.xml" MAXLEN="15" TEXT="early"
                 CARRY_BLINK_TIME="0.25" FONT_COLOR="255 46 42 90" ALIGNMENT="RIGHT">
               <INPUT_AREA>10 4 30 4</INPUT_AREA></LINEBOX>
             <LINEBOX ID="3" TEXTURE="box.png" FONT_TEXTURE="page.png" FONT="font.xml" ALIGNMENT="right"
                 MAXLEN="0" FONT_COLOR="1 2 3"><INPUT_AREA>1 2 3</INPUT_AREA></LINEBOX>)");
    auto* box = fGet<KC_GUI_LINEBOX>(2);
    EXPECT_EQ(box->fGetMaxChars(), 15u);
    EXPECT_TRUE(box->fGetText().empty()) << "text given before the build is ignored";
    EXPECT_EQ(box->fGetTextColor(), 0xFF2E2A5Au);
    EXPECT_EQ(box->fGetAlignment(), KC_GUI_LINEBOX::kALIGN_RIGHT);
    EXPECT_EQ(box->fGetInputArea().mSizeA, 60.0f);
    auto* other = fGet<KC_GUI_LINEBOX>(3);
    EXPECT_EQ(other->fGetAlignment(), KC_GUI_LINEBOX::kALIGN_LEFT) << "names are exact";
    EXPECT_EQ(other->fGetMaxChars(), KC_GUI_LINEBOX::kNO_LIMIT);
    EXPECT_EQ(other->fGetTextColor(), 0xFFFFFFFFu) << "three numbers are no colour";
    EXPECT_EQ(other->fGetInputArea().mSizeA, 92.0f) << "nor three margins";
}

TEST_F(InputTagsTest, ListboxItemsComeBeforeTheRowLimit) {
    fRead(R"(<LISTBOX ID="4" LIST_TEXTURE="selected.png" PANEL_TEXTURE="listpanel.png" SLIDER12_TEXTURE="x"
                 FONT_TEXTURE="page.png" FONT="font.xml" SLIDER_BTN_DIST="2" VISIBLE_COUNT="2" LEFT_MARGIN="5"
                 UPPER_MARGIN="3" FONT_COLOR="255 0 0 255" FONT_SELECTED_COLOR="255 255 0 0" SLIDER_DISTANCE="9"
                 ROW_TEXTURE="row.png" DRAW_COUNT="0" MAX_ROW="2">
               <ITEMS><I>Ann</I><I>B&#xF8;rk</I><I>Cy</I></ITEMS></LISTBOX>)");
    auto* list = fGet<KC_GUI_LISTBOX>(4);
    EXPECT_EQ(list->fGetCount(), 3);
    EXPECT_EQ(list->fGetItem(1), L"B\u00F8rk");
    list->fAddItem("Dee");
    EXPECT_EQ(list->fGetCount(), 3);
    EXPECT_EQ(list->fGetVisibleRows(), KC_GUI_LISTBOX::kALL_ROWS) << "DRAW_COUNT 0 came after VISIBLE_COUNT";
    EXPECT_EQ(list->fGetRowHeight(), 30) << "the row picture's height";
}

TEST_F(InputTagsTest, BarsReadFilledWhateverItsCaseAndRefuseAnEmptyGrid) {
    fRead(R"(<PROGRESS_BAR ID="4" TEXTURE="bar.png"><SCRIPTS><S EVENT="filled">onFull</S></SCRIPTS></PROGRESS_BAR>
             <ANIMATION_BAR ID="5" TEXTURE="grid.png" COLUMNS="5" ROWS="2" FRAMES="10">
               <TRANSFORM>10 20 0 5 5 0 0 0 0 1 1 1</TRANSFORM>
               <SCRIPTS><S EVENT="FILLED">onFull</S></SCRIPTS></ANIMATION_BAR>
             <ANIMATION_BAR ID="6" TEXTURE="grid.png" COLUMNS="0" ROWS="2" FRAMES="10"/>
             <ANIMATION_BAR ID="7" TEXTURE="grid.png" COLUMNS="5" ROWS="2" FRAMES="0"/>)");
    EXPECT_EQ(fCount(), 2);
    EXPECT_EQ(fGet<KC_GUI_PROGRESS_BAR>(4)->fGetFilledScript()->mName, "onFull");
    auto* bar = fGet<KC_GUI_ANIMATION_BAR>(5);
    EXPECT_EQ(bar->fGetFilledScript()->mName, "onFull");
    EXPECT_EQ(bar->fGetTransform().mPivot.x, 15.0f) << "added to the cell's centre";
    EXPECT_EQ(bar->fGetTransform().mPosition.y, 20.0f);
    EXPECT_FALSE(fErrorText().empty());
}

namespace {
// What lies between a document's outer tags.
std::string fInner(const std::string& document) {
    const size_t open = document.find('>'), close = document.rfind("</");
    return open == std::string::npos || close == std::string::npos ? "" : document.substr(open + 1, close - open - 1);
}
}  // namespace

TEST_F(InputTagsTest, AnAnimationBarRefusesHostileGridsAndClampsHugeFrameCounts) {
    fRead(R"(<ANIMATION_BAR ID="5" TEXTURE="grid.png" COLUMNS="65536" ROWS="65536" FRAMES="10"/>
             <ANIMATION_BAR ID="6" TEXTURE="grid.png" COLUMNS="2147483647" ROWS="1" FRAMES="1"/>
             <ANIMATION_BAR ID="7" TEXTURE="grid.png" COLUMNS="5" ROWS="2" FRAMES="2147483647"/>
             <ANIMATION_BAR ID="8" TEXTURE="grid.png" COLUMNS="1024" ROWS="1024" FRAMES="99999999999"/>)" +
          fInner(testsupport::fFinding("gui-animation-bar-grid.xml")));
    EXPECT_EQ(fCount(), 2);
    EXPECT_NE(fErrorText().find("at most 1024"), std::string::npos) << fErrorText();
    for (int32_t id : {7, 8}) {
        auto* bar = fGet<KC_GUI_ANIMATION_BAR>(id);
        bar->fSetPercent(100);
        EXPECT_EQ(bar->fGetFrame(), id == 7 ? 9 : 1024 * 1024 - 1) << "the last cell of the sheet";
        bar->fSetPercent(50);
        EXPECT_EQ(bar->fGetFrame(), id == 7 ? 9 : 1024 * 1024 - 1) << "half of a huge count is past the sheet";
        bar->fSetPercent(0);
        EXPECT_EQ(bar->fGetFrame(), 0);
    }
}

TEST_F(InputTagsTest, SlidersTakeTheirDefaultsAndAnExactValueChangedEvent) {
    fRead(R"(<SLIDER13 ID="7" TEXTURE="strip13.png" START="100 100" END="400 100">
               <SCRIPTS><S EVENT="value_changed">lower</S></SCRIPTS></SLIDER13>
             <SLIDER13 ID="8" TEXTURE="strip13.png" START="100 200" END="400 200" RADIUS="10" BTN_DISTANCE="2"
                 MIN="-10" MAX="10" STEP="2" VALUE="4"><SCRIPTS><S EVENT="VALUE_CHANGED">exact</S></SCRIPTS></SLIDER13>
             <SLIDER12 ID="9" TEXTURE="strip12.png" START="100 300" END="100 300" VALUE="50"/>
             <SLIDER12 ID="10" TEXTURE="strip12.png" START="inf 0" END="1 0"/>
             <SLIDER12 ID="11" TEXTURE="strip12.png" START="0 0" END="1 0" MAX="1e30"/>)");
    EXPECT_EQ(fCount(), 3);
    auto* plain = fGet<KC_GUI_SLIDER13>(7);
    EXPECT_EQ(plain->fGetRadius(), 20.0f);
    EXPECT_EQ(plain->fGetMaximum(), 100.0f);
    EXPECT_EQ(plain->fGetStep(), 5.0f);
    EXPECT_EQ(plain->fGetValueChangedScript(), nullptr);
    EXPECT_FLOAT_EQ(plain->fGetTransform().mPosition.x, 250.0f) << "the widget sits mid-track";
    auto* set = fGet<KC_GUI_SLIDER13>(8);
    EXPECT_EQ(set->fGetValue(), 4.0f);
    EXPECT_EQ(set->fGetMinimum(), -10.0f);
    EXPECT_EQ(set->fGetValueChangedScript()->mName, "exact");
    EXPECT_TRUE(set->fIsBuilt());
    auto* flat = fGet<KC_GUI_SLIDER12>(9);
    EXPECT_EQ(flat->fGetValue(), 50.0f);
    EXPECT_FLOAT_EQ(flat->fGetPartTransform(KC_BASESLIDER::kKNOB).fGetAbsolute().mPosition.x, 130.0f)
        << "no track, no travel";
}

}  // namespace
