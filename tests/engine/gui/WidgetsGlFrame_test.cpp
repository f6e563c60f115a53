// The sample layout of the default content drawn on the OpenGL device and
// saved as a picture, then driven with window messages that go through the
// engine's message pump and input into the widget tree, the way a window
// routes them.
#include <gtest/gtest.h>

#include "GuiGlFrame.h"
#include "engine/gui/KC_GUI_CHECKBOX5.h"
#include "engine/gui/KC_GUI_CHECKBOX_IOS.h"

using namespace KEL;
using E = KS_GUI_EVENT;

namespace {

class WidgetsGlFrame : public guitest::GuiGlFrame {
protected:
    KS_MOUSE_RESULT fMove(int32_t x, int32_t y) { return fSendMessage(host::kMsgMouseMove, 0, kCX + x, kCY + y); }
    KS_MOUSE_RESULT fDown() { return fSendMessage(host::kMsgLButtonDown); }
    KS_MOUSE_RESULT fUp() { return fSendMessage(host::kMsgLButtonUp); }
    void fStep() { fMessages().fStep(); }
};

::testing::AssertionResult fIs(const KS_MOUSE_RESULT& result, int32_t id, int32_t code) {
    if (result.fHasEvent() && result.mEvent == E{id, code}) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << (result.fHasEvent() ? "" : "no event ") << "{"
                                         << result.mEvent.mId << ", " << result.mEvent.mCode << "}";
}

}  // namespace

TEST_F(WidgetsGlFrame, TheSampleLayoutDrawsAndAnswersTheMouse) {
    // The GL window first; message windows made after this are fakes.
    ASSERT_TRUE(fOpen("widgets"));
    ASSERT_TRUE(fOpenMessages());
    ASSERT_TRUE(fContent().fMountLocked({"data/share/main/other", "data/share/image/gui"}));
    ASSERT_TRUE(fContent().fMount({"data/share/font", "data/share/main/GameProcess"}));

    // Built and drawn as a window does: the root rests at the screen centre.
    ASSERT_TRUE(fReadLayout("data/share/main/other widget_sample.xml"));
    KC_GUI_ROOT* root = mRoot.get();
    for (int32_t id : {1, 2, 3, 4, 5, 6, 7, 8, 9, 40, 50, 90}) EXPECT_NE(root->fFindChild(id), nullptr) << id;
    fPlace();
    ASSERT_TRUE(fShoot("widgets.png"));

    const uint32_t blue = fScreen().fPixel(kCX - 150 - 90, kCY - 110);
    const uint32_t green = fScreen().fPixel(kCX + 150 + 90, kCY - 110);
    const uint32_t panel = fScreen().fPixel(kCX - 280, kCY + 40);
    EXPECT_GT(blue & 0xFF, (blue >> 16) & 0xFF) << std::hex << blue << " is not the blue button";
    EXPECT_GT((green >> 8) & 0xFF, (green >> 16) & 0xFF) << std::hex << green << " is not the green button";
    EXPECT_GT((panel >> 16) & 0xFF, 0xC0u) << std::hex << panel << " is not the panel's light inside";
    EXPECT_EQ(fScreen().fPixel(20, 20), 0x444444u) << "outside the panel";

    fRouteToRoot();

    // The blue button: hover, press, drag off, release outside: no click.
    EXPECT_TRUE(fIs(fMove(-150, -110), 4, E::kENTERED));
    EXPECT_TRUE(fIs(fDown(), 4, E::kPRESSED));
    fStep();
    EXPECT_TRUE(fIs(fMove(-150, -20), 4, E::kLEFT));
    EXPECT_FALSE(fUp().fTaken());
    fStep();
    // Back over it, press and release inside: a click.
    EXPECT_TRUE(fIs(fMove(-140, -100), 4, E::kENTERED));
    EXPECT_TRUE(fIs(fDown(), 4, E::kPRESSED));
    fStep();
    EXPECT_TRUE(fIs(fUp(), 4, E::kCLICK));
    EXPECT_EQ(root->fGetEventId(), 4);
    fStep();
    // Straight onto the green button: leaving the blue one does not hide
    // the move from it.
    EXPECT_TRUE(fIs(fMove(150, -110), 5, E::kENTERED));
    EXPECT_FALSE(fMove(151, -110).fTaken());

    // The check box and the switch toggle; the picture reports its press
    // and release.
    EXPECT_TRUE(fIs(fMove(-120, 10), 7, E::kENTERED));
    EXPECT_TRUE(fIs(fDown(), 7, E::kPRESSED));
    fStep();
    EXPECT_TRUE(fIs(fUp(), 7, E::kCLICK));
    EXPECT_TRUE(static_cast<KC_GUI_CHECKBOX5*>(root->fFindChild(7))->fIsChecked());
    fStep();
    fMove(20, 10);
    EXPECT_TRUE(fIs(fDown(), 8, E::kCLICK));
    EXPECT_FALSE(static_cast<KC_GUI_CHECKBOX_IOS*>(root->fFindChild(8))->fIsChecked());
    fStep();
    fUp();
    fStep();
    fMove(120, 10);
    EXPECT_TRUE(fIs(fDown(), 3, E::kPRESSED));
    fStep();
    EXPECT_TRUE(fIs(fUp(), 3, E::kCLICK));
    fStep();

    // The heart keeps its click for the poll until the next press pass.
    EXPECT_TRUE(fIs(root->fPollEvent(), 3, E::kCLICK));
    EXPECT_TRUE(fIs(root->fPollEvent(), 3, E::kCLICK));

    // The two-frame star works from the poll alone.
    fMove(-230, 10);
    fDown();
    EXPECT_TRUE(fIs(root->fPollEvent(), 6, E::kPRESSED));
    fStep();
    fUp();
    EXPECT_TRUE(fIs(root->fPollEvent(), 6, E::kCLICK));
    EXPECT_FALSE(root->fPollEvent().fTaken()) << "the press over the star cleared the heart's click";

    // Disabled decorations take nothing.
    fStep();
    EXPECT_FALSE(fMove(0, 150).fTaken());
    EXPECT_FALSE(fDown().fTaken());
}
