// Buttons and check boxes driven through the engine's input: hover, press,
// leaving and coming back, releasing inside and outside.
#include "GuiFixture.h"

#include "engine/gui/KC_GUI_BUTTON2.h"
#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/gui/KC_GUI_CHECKBOX5.h"
#include "engine/gui/KC_GUI_CHECKBOX_IOS.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/render/KC_RENDER.h"

using namespace KEL;
using E = KS_GUI_EVENT;

namespace {

class KC_GUI_BUTTONS : public guitest::GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        fMount();
    }
    // The frame a strip sprite shows, from its left texture coordinate.
    static int32_t fFrame(const KC_QUAD* sprite, int32_t frames) {
        return static_cast<int32_t>(sprite->mVertices[0].u * static_cast<float>(frames) + 0.5f);
    }
};

}  // namespace

TEST_F(KC_GUI_BUTTONS, Button5ClicksOnlyWithoutLeavingInBetween) {
    auto* button = fAdd<KC_GUI_BUTTON5>(5, "strip5.png");
    button->fSetPosition(100.0f, 100.0f, 0.0f);
    mRoot->fReloadResources();
    EXPECT_EQ(button->fGetWidth(), 40.0f) << "one frame of the strip";
    EXPECT_EQ(button->fGetHeight(), 40.0f);

    // A press under a pointer that has not moved onto the button is ignored.
    mInput->fOnMouseMove(100, 100);
    EXPECT_FALSE(fPress().fTaken());
    fRelease();
    fStep();

    EXPECT_EQ(fCode(fMove(110, 95)), E::kENTERED);
    EXPECT_EQ(fFrame(button->fGetSprite(), 5), KC_GUI_BUTTON5::kHOVER);
    EXPECT_EQ(fCode(fPress()), E::kPRESSED);
    EXPECT_EQ(fFrame(button->fGetSprite(), 5), KC_GUI_BUTTON5::kPRESSED);
    fStep();
    EXPECT_EQ(fCode(fMove(300, 100)), E::kLEFT) << "dragged off";
    EXPECT_EQ(fCode(fMove(100, 100)), E::kENTERED) << "and back";
    EXPECT_FALSE(fRelease().fTaken()) << "no click after leaving";
    fStep();

    EXPECT_EQ(fCode(fPress()), E::kPRESSED);
    fStep();
    const KS_MOUSE_RESULT click = fRelease();
    EXPECT_EQ(click.mEvent, (E{5, E::kCLICK}));
    EXPECT_EQ(button->fGetState(), KC_GUI_BUTTON5::kHOVER);
    EXPECT_EQ(fFrame(button->fGetSprite(), 5), KC_GUI_BUTTON5::kNORMAL) << "the normal frame until the next move";
    fStep();
    fMove(101, 100);
    EXPECT_EQ(fFrame(button->fGetSprite(), 5), KC_GUI_BUTTON5::kHOVER);

    // A keyboard key going down is not a press of the button.
    EXPECT_FALSE(fPress(65).fTaken());
    fStep();

    // Released outside after a press: the move out already disarmed it.
    fPress();
    fStep();
    fMove(400, 400);
    EXPECT_FALSE(fRelease().fTaken());
}

TEST_F(KC_GUI_BUTTONS, Button5DisabledAndSelectedAreInertUntilNormal) {
    auto* button = fAdd<KC_GUI_BUTTON5>(5, "strip5.png");
    mRoot->fReloadResources();
    button->fSetDisabled();
    EXPECT_EQ(fFrame(button->fGetSprite(), 5), KC_GUI_BUTTON5::kDISABLED);
    EXPECT_FALSE(fMove(0, 0).fTaken());
    EXPECT_FALSE(fPress().fTaken());
    EXPECT_FALSE(fRelease().fTaken());
    EXPECT_FALSE(fMove(500, 500).fTaken());
    EXPECT_EQ(button->fGetState(), KC_GUI_BUTTON5::kDISABLED);
    button->fSetSelected();
    EXPECT_FALSE(fMove(0, 0).fTaken());
    button->fSetNormal();
    fStep();
    EXPECT_EQ(fCode(fMove(1, 1)), E::kENTERED);

    // Enabling a button that is enabled already keeps it armed under the
    // pointer: clicked, refreshed, clicked again without a move.
    fPress();
    fStep();
    EXPECT_EQ(fCode(fRelease()), E::kCLICK);
    fStep();
    button->fSetNormal();
    EXPECT_EQ(button->fGetState(), KC_GUI_BUTTON5::kHOVER);
    EXPECT_EQ(fCode(fPress()), E::kPRESSED);
    fStep();
    EXPECT_EQ(fCode(fRelease()), E::kCLICK);
}

TEST_F(KC_GUI_BUTTONS, Button2WorksFromThePollAndClicksWhenLeftWhileHeld) {
    auto* button = fAdd<KC_GUI_BUTTON2>(2, "strip2.png");
    mRoot->fReloadResources();
    EXPECT_EQ(button->fGetWidth(), 60.0f);
    mInput->fOnMouseMove(10, 5);
    EXPECT_FALSE(mRoot->fPollEvent().fTaken());
    mInput->fOnKeyDown(KEL::KC_INPUT::kMOUSE_LEFT);
    EXPECT_EQ(fCode(mRoot->fPollEvent()), E::kPRESSED);
    EXPECT_EQ(fFrame(button->fGetSprite(), 2), 1);
    fStep();
    EXPECT_FALSE(mRoot->fPollEvent().fTaken()) << "held";
    mInput->fOnMouseMove(100, 5);
    EXPECT_EQ(fCode(mRoot->fPollEvent()), E::kCLICK) << "leaving while held clicks at once";
    EXPECT_EQ(fFrame(button->fGetSprite(), 2), 0);
    mInput->fOnKeyUp(KEL::KC_INPUT::kMOUSE_LEFT);
    EXPECT_FALSE(mRoot->fPollEvent().fTaken());
}

TEST_F(KC_GUI_BUTTONS, Checkbox5TogglesOnReleaseAndRepeatsEnterWhenChecked) {
    auto* box = fAdd<KC_GUI_CHECKBOX5>(7, "strip5.png");
    box->fSetSize(30, 30);  // before the build: kept
    mRoot->fReloadResources();
    EXPECT_EQ(box->fGetWidth(), 30.0f);

    EXPECT_EQ(fCode(fMove(14, 0)), E::kENTERED);
    EXPECT_EQ(fCode(fMove(16, 0)), E::kLEFT) << "the size given before the build made it 30 wide";
    EXPECT_EQ(fCode(fMove(0, 0)), E::kENTERED);
    EXPECT_EQ(fCode(fPress()), E::kPRESSED);
    fStep();
    fMove(200, 200);
    EXPECT_EQ(fCode(fRelease()), E::kCLICK) << "released elsewhere still checks it";
    EXPECT_TRUE(box->fIsChecked());
    fStep();

    EXPECT_EQ(fCode(fMove(1, 1)), E::kENTERED);
    EXPECT_EQ(fCode(fMove(2, 1)), E::kENTERED) << "a checked box repeats the enter";
    EXPECT_EQ(fCode(fPress()), E::kPRESSED);
    fStep();
    EXPECT_EQ(fCode(fRelease()), E::kCLICK);
    EXPECT_FALSE(box->fIsChecked());
    EXPECT_EQ(box->fGetState(), KC_GUI_CHECKBOX5::kHOVER);

    box->fSetChecked(true, false);
    EXPECT_TRUE(box->fIsChecked());
    const int64_t before = mDevice->mDrawCalls;
    ASSERT_EQ(mRender.fBeginFrame(), 1);
    mRoot->fDraw();
    mRender.fFlush();
    EXPECT_EQ(mRender.fGetRequestCount(), 2) << "box and tick";
    mRender.fEndFrame();
    EXPECT_GT(mDevice->mDrawCalls, before);
}

TEST_F(KC_GUI_BUTTONS, SwitchSlidesItsKnobAndRefusesToggleWhileSliding) {
    auto* toggle = fAdd<KC_GUI_CHECKBOX_IOS>(8, "panel.png", "knob.png");
    toggle->fSetChecked(false, true);
    EXPECT_TRUE(toggle->fIsChecked()) << "refused before the build";
    mRoot->fReloadResources();
    EXPECT_TRUE(toggle->fIsChecked());
    EXPECT_EQ(toggle->fGetKnobX(), -40.0f) << "starts checked, knob on the left";

    kfFRAME_DELTA = 0.1f;
    mInput->fOnMouseMove(30, 10);
    EXPECT_EQ(fCode(fPress()), E::kCLICK);
    EXPECT_FALSE(toggle->fIsChecked());
    EXPECT_FALSE(toggle->fIsIdle());
    mRoot->fPollEvent();
    fStep();
    EXPECT_EQ(fCode(fPress(65)), E::kCLICK) << "any key over the switch presses it, refused or not";
    EXPECT_FALSE(toggle->fIsChecked()) << "the second toggle came while the knob slid";
    for (int i = 0; i < 4; ++i) mRoot->fPollEvent();
    EXPECT_TRUE(toggle->fIsIdle());
    EXPECT_FLOAT_EQ(toggle->fGetKnobX(), 40.0f);

    fStep();
    mInput->fOnMouseMove(300, 10);
    EXPECT_FALSE(fPress().fTaken()) << "outside";
    toggle->fSetChecked(true, true);
    EXPECT_FLOAT_EQ(toggle->fGetKnobX(), -40.0f);
    EXPECT_TRUE(toggle->fIsIdle());
}

TEST_F(KC_GUI_BUTTONS, TexturesAreTakenOnReloadAndGivenBackOnRelease) {
    auto* button = fAdd<KC_GUI_BUTTON5>(1, "strip5.png");
    fAdd<KC_GUI_CHECKBOX_IOS>(2, "panel.png", "knob.png");
    EXPECT_EQ(fUses("strip5.png"), 0) << "nothing is taken before the first reload";
    mRoot->fReloadResources();
    mRoot->fReloadResources();
    EXPECT_EQ(fUses("strip5.png"), 1) << "a second reload takes nothing more";
    EXPECT_EQ(fUses("knob.png"), 1);
    mRoot->fReleaseResources();
    EXPECT_EQ(fUses("strip5.png"), 0);
    EXPECT_EQ(fUses("panel.png"), 0);
    EXPECT_EQ(button->fGetSprite()->fGetTexture(), mRender.fGetDefaultTexture());
    EXPECT_EQ(button->fGetWidth(), 40.0f) << "the size survives the release";
    mRoot->fReloadResources();
    EXPECT_NE(button->fGetSprite()->fGetTexture(), mRender.fGetDefaultTexture());
    mRoot->fClear();
    EXPECT_EQ(fUses("strip5.png"), 0) << "destruction gives the texture back";
    EXPECT_EQ(fUses("knob.png"), 0);
}
