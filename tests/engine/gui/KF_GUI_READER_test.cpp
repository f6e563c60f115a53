// The layout reader: tags, the common keys and their value forms, scripts,
// and hostile layouts that must end in nothing built rather than a crash.
#include "GuiFixture.h"

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/gui/KC_GUI_CHECKBOX5.h"
#include "engine/gui/KC_GUI_CHECKBOX_IOS.h"
#include "engine/gui/KC_GUI_IMAGE.h"
#include "engine/gui/KC_GUI_LABEL.h"
#include "engine/gui/KC_GUI_PANEL.h"
#include "engine/gui/KC_GUI_PANEL9.h"
#include "engine/gui/KF_GUI_READER.h"

using namespace KEL;

namespace {

class KF_GUI_READER : public guitest::GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        fWrite("font.xml", R"(<font><common lineHeight="10"/><chars>
            <char id="65" x="0" y="0" width="8" height="10" xoffset="0" yoffset="0" xadvance="9"/></chars></font>)");
        fMount();
        fErrorText().clear();
    }
};

}  // namespace

TEST_F(KF_GUI_READER, EveryTagIsCreatedWhateverItsCaseAndUnknownOnesAreSkipped) {
    fRead(R"(<LABEL ID="1" TEXTURE="pic.png" FONT="font.xml" TEXT="A"/>
             text between widgets
             <image ID="2" TEXTURE="pic.png"/>
             <Button5 ID="3" TEXTURE="strip5.png"/>
             <BUTTON2 ID="4" TEXTURE="strip2.png"/>
             <PANEL ID="5" TEXTURE="panel.png"/>
             <PANEL9 ID="6"/>
             <CHECKBOX ID="7" TEXTURE="strip5.png"/>
             <checkbox_ios ID="8" TX_PANEL="panel.png" TX_BTN="knob.png"/>
             <TEXTBOX ID="20" TEXTURE="pic.png"/>
             <VBOX ID="21"/>
             <IMAGE ID="22"/>
             <BUTTON ID="23" TEXTURE="strip5.png"/>)");
    EXPECT_EQ(fCount(), 8);
    fGet<KC_GUI_LABEL>(1);
    fGet<KC_GUI_IMAGE>(2);
    fGet<KC_GUI_BUTTON5>(3);
    fGet<KC_GUI_PANEL>(5);
    fGet<KC_GUI_PANEL9>(6);
    fGet<KC_GUI_CHECKBOX5>(7);
    fGet<KC_GUI_CHECKBOX_IOS>(8);
    EXPECT_EQ(mRoot->fFindChild(4)->fGetType(), KC_GUI_OBJECT::kTYPE_BUTTON);
    EXPECT_TRUE(fErrorText().empty()) << "unknown tags and missing keys are skipped silently";

    // Reading again replaces what was there.
    fRead(R"(<IMAGE ID="9" TEXTURE="pic.png"/>)");
    EXPECT_EQ(fCount(), 1);
    EXPECT_EQ(fUses("strip5.png"), 0) << "the old widgets gave their textures back";
}

TEST_F(KF_GUI_READER, ANamedLayoutIsChosenByItsNameWhateverTheCase) {
    ASSERT_TRUE(mDoc.load_string(R"(<ALL><SET NAME="FIRST"><IMAGE ID="1" TEXTURE="pic.png"/></SET>
        <SET NAME="SECOND"><IMAGE ID="2" TEXTURE="pic.png"/><IMAGE ID="3" TEXTURE="pic.png"/></SET></ALL>)"));
    fReadGuiLayout(*mRoot, mDoc.child("ALL"), "second");
    EXPECT_EQ(fCount(), 2);
    fReadGuiLayout(*mRoot, mDoc.child("ALL"), "third");
    EXPECT_EQ(fCount(), 1) << "no match reads the first child";
    EXPECT_NE(mRoot->fFindChild(1), nullptr);
}

TEST_F(KF_GUI_READER, CommonKeysApplyInOrderWithEveryValueForm) {
    fRead(R"(<IMAGE ID="12abc" TEXTURE="pic.png" ENABLE="no" VISIBLE="Yes" HOT_SPOT="HS_UL">
               <TRANSFORM>10  20 0	5 5 0
                 0 0 0.5 2 2 1</TRANSFORM>
               <SIZE>80 10</SIZE><POSITION>30 40 99</POSITION>
               <CONTEXT><PANEL ID="13" TEXTURE="panel.png" MOVABLE="0"><POSITION>1</POSITION></PANEL>
                        <IMAGE ID="14"/></CONTEXT></IMAGE>
             <IMAGE ID="15" TEXTURE="pic.png" HOT_SPOT="hs_ul"><TRANSFORM>1 2 3 4 5 6 7 8 9 10 11</TRANSFORM>
               <transform>1 2 3 4 5 6 7 8 9 10 11 12</transform></IMAGE>)");
    auto* image = fGet<KC_GUI_IMAGE>(12);
    EXPECT_FALSE(image->fIsEnabled());
    EXPECT_TRUE(image->fIsVisible());
    const KS_TRANSFORM3& t = image->fGetTransform();
    EXPECT_EQ(t.mPosition.x, 30.0f) << "POSITION comes after TRANSFORM";
    EXPECT_EQ(t.mPosition.y, 40.0f);
    EXPECT_FLOAT_EQ(t.mRotation.z, 0.5f);
    EXPECT_EQ(t.mScale.x, 2.0f);
    EXPECT_EQ(image->fGetWidth(), 80.0f) << "SIZE before the build is kept";
    EXPECT_EQ(t.mPivot.x, 0.0f) << "the upper-left anchor is set by the build";

    auto* panel = fGet<KC_GUI_PANEL>(13);
    EXPECT_EQ(panel->fGetParent(), image);
    EXPECT_FALSE(panel->fIsMovable());
    EXPECT_EQ(panel->fGetTransform().mPosition.x, 0.0f) << "a POSITION of one number is (0, 0)";
    EXPECT_EQ(image->fGetChildCount(), 1) << "the IMAGE without TEXTURE inside CONTEXT is skipped";

    auto* other = fGet<KC_GUI_IMAGE>(15);
    EXPECT_EQ(other->fGetTransform().mPosition.x, 0.0f) << "eleven numbers are ignored; names are exact";
    EXPECT_EQ(other->fGetTransform().mPivot.x, 20.0f) << "an anchor name in lower case is the centre";
}

TEST_F(KF_GUI_READER, TheTransformPivotIsAddedToThePivotTheWidgetSet) {
    ASSERT_TRUE(mDoc.load_string(R"(<IMAGE ID="1" TEXTURE="pic.png">
        <TRANSFORM>10 20 0 5 5 0 0 0 0 1 1 1</TRANSFORM></IMAGE>)"));
    auto image = std::make_unique<KC_GUI_IMAGE>(1, "pic.png");
    image->fGetTransform().mPivot.fSet(16.0f, 16.0f, 0.0f);
    ASSERT_TRUE(fReadGuiObject(*image, mDoc.child("IMAGE")));
    EXPECT_EQ(image->fGetTransform().mPivot.x, 21.0f);
    EXPECT_EQ(image->fGetTransform().mPivot.y, 21.0f);
    EXPECT_EQ(image->fGetTransform().mPosition.y, 20.0f);
}

TEST_F(KF_GUI_READER, ScriptsBecomeNamedHooksOfTheirSlots) {
    fRead(R"(<PANEL ID="1" TEXTURE="panel.png"><SCRIPTS>
               <S EVENT="down">onDown</S><S EVENT="Up">first</S><S EVENT="UP">second</S>
               <S EVENT="grab">onGrab</S><S>no event</S><S EVENT="VALUE_CHANGED">x</S></SCRIPTS></PANEL>
             <IMAGE ID="2" TEXTURE="pic.png"><SCRIPTS><S EVENT="GRAB">ignored</S></SCRIPTS></IMAGE>)");
    auto* panel = fGet<KC_GUI_PANEL>(1);
    ASSERT_NE(panel->fGetScript(KC_GUI_OBJECT::KE_SCRIPT::kDOWN), nullptr);
    EXPECT_EQ(panel->fGetScript(KC_GUI_OBJECT::KE_SCRIPT::kDOWN)->mName, "onDown");
    EXPECT_EQ(panel->fGetScript(KC_GUI_OBJECT::KE_SCRIPT::kDOWN)->mUser, panel);
    EXPECT_EQ(panel->fGetScript(KC_GUI_OBJECT::KE_SCRIPT::kUP)->mName, "second") << "a later record replaces";
    EXPECT_EQ(panel->fGetScript(KC_GUI_OBJECT::KE_SCRIPT::kENTER), nullptr);
    ASSERT_NE(panel->fGetGrabScript(), nullptr);
    EXPECT_EQ(panel->fGetGrabScript()->mName, "onGrab");

    // Hooks without a function run as no-ops.
    EXPECT_EQ(fCode(fMove(0, 0)), KS_GUI_EVENT::kENTERED);
    EXPECT_EQ(fCode(fPress()), KS_GUI_EVENT::kPRESSED);
}

TEST_F(KF_GUI_READER, ColoursBoolsAndTheDisabledButton) {
    uint32_t color = 7;
    EXPECT_TRUE(fGuiArgb("300 0 0 0", color));
    EXPECT_EQ(color, 0x2C000000u) << "each number modulo 256";
    EXPECT_TRUE(fGuiArgb(" 255\t255  255\n-1 ", color));
    EXPECT_EQ(color, 0xFFFFFFFFu);
    EXPECT_FALSE(fGuiArgb("255 255 255", color));
    EXPECT_EQ(fGuiHexColor("FF102030"), 0xFF102030u);
    EXPECT_TRUE(fGuiBool("yes"));
    EXPECT_TRUE(fGuiBool("1"));
    EXPECT_FALSE(fGuiBool("f"));
    EXPECT_FALSE(fGuiBool(""));
    EXPECT_EQ(fGuiInt("0x10"), 0) << "decimal only";
    KS_VEC2 v{9.0f, 9.0f};
    EXPECT_FALSE(fGuiVec2("3", v));
    EXPECT_EQ(v.x, 9.0f);

    fRead(R"(<BUTTON5 ID="1" TEXTURE="strip5.png" ENABLE="f"/>
             <LABEL ID="2" TEXTURE="pic.png" FONT="font.xml" TEXT="A" FONT_COLOR="255 16 32 48"/>
             <LABEL ID="3" TEXTURE="pic.png" FONT="missing.xml" TEXT="A" FONT_COLOR="1 2 3"/>)");
    auto* button = fGet<KC_GUI_BUTTON5>(1);
    EXPECT_EQ(button->fGetState(), KC_GUI_BUTTON5::kDISABLED);
    EXPECT_FALSE(button->fIsEnabled());
    EXPECT_EQ(fGet<KC_GUI_LABEL>(2)->fGetFont()->fGetQuad()->fGetVertexColor(0), 0xFF102030u);
    EXPECT_EQ(fGet<KC_GUI_LABEL>(3)->fGetFont()->fGetGlyphCount(), 0) << "built without a font: draws nothing";
    EXPECT_EQ(fUses("font.xml"), 0) << "the font document is given back once read";
    EXPECT_EQ(fUses("pic.png"), 2) << "each label holds its page texture";
}

TEST_F(KF_GUI_READER, HostileLayoutsBuildNothingAndSayWhy) {
    fRead(R"(<IMAGE ID="3" TEXTURE="pic.png"><TRANSFORM>nan 0 0 0 0 0 0 0 0 1 1 1</TRANSFORM></IMAGE>
             <IMAGE ID="1" TEXTURE="pic.png"><SIZE>-5 10</SIZE></IMAGE>
             <PANEL9 ID="2"><SIZE>2000000000 2000000000</SIZE></PANEL9>
             <PANEL9 ID="4"><SIZE>0 0</SIZE></PANEL9>
             <IMAGE ID="5" TEXTURE="pic.png"><SIZE>16384 16384</SIZE></IMAGE>)");
    EXPECT_EQ(fCount(), 2);
    EXPECT_NE(fErrorText().find("SIZE out of range"), std::string::npos) << fErrorText();
    EXPECT_EQ(fGet<KC_GUI_PANEL9>(4)->fGetWidth(), 32.0f) << "a zero size is raised to the (default) corners";

    // Nesting deep enough to exhaust the stack is cut off.
    std::string deep, close;
    for (int i = 0; i < 5000; ++i) {
        deep += "<PANEL9 ID=\"" + std::to_string(i) + "\"><CONTEXT>";
        close = "</CONTEXT></PANEL9>" + close;
    }
    fErrorText().clear();
    fRead(deep + close);
    EXPECT_EQ(fCount(), 1);
    EXPECT_NE(fErrorText().find("nested too deep"), std::string::npos);
    int32_t depth = 0;
    for (const KC_GUI_OBJECT* w = &mRoot->fGetRootWidget(); w->fGetChildCount() > 0; w = w->fGetChild(0)) ++depth;
    EXPECT_EQ(depth, 64);
}
