// The controls beside the board, read from the built content and used with
// the engine input: the tool switch, the reset target, the pause and store
// buttons, and the delegates told which control was used.
#include "game/board/GameplayFixture.h"

#include "engine/gui/KC_GUI_CHECKBOX_INTERFACE.h"
#include "engine/platform/KC_INPUT.h"
#include "game/screens/GG_WINDOW_NAMES.h"

using gameplaytest::GameplayFixture;

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

const std::vector<std::string> kHEART = {".#.#.", "#####", "#####", ".###.", "..#.."};

struct Delegate : game::cControlDelegate {
    void fOnStoreUsed() override { mLog += "store "; }
    void fOnHintUsed() override { mLog += "hint "; }
    void fOnToolSwitched() override { mLog += "tool "; }
    void fOnPauseUsed() override { mLog += "pause "; }
    void fOnResetSelectionUsed() override { mLog += "reset "; }
    std::string mLog;
};

class GG_CONTROLS_TEST : public GameplayFixture {
protected:
    // Where a control's widget or sprite stands on the screen.
    static KEL::KS_VEC2 fPlace(const KEL::KS_TRANSFORM3& t) { return t.fGetAbsolute().fGetPos2(); }
};

}  // namespace

TEST_F(GG_CONTROLS_TEST, EveryControlOfTheContentLoads) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    game::GG_CONTROLS& c = g.fGetControls();
    EXPECT_TRUE(c.fHas(c.fGetHint()));
    EXPECT_TRUE(c.fHas(c.fGetPause()));
    EXPECT_TRUE(c.fHas(c.fGetStore()));
    EXPECT_TRUE(c.fHas(c.fGetReset()));
    ASSERT_NE(c.fGetSwitch(), nullptr);
    EXPECT_EQ(c.fGetSwitch()->fGetType(), KEL::KC_GUI_OBJECT::kTYPE_CHECKBOX_IOS);
}

TEST_F(GG_CONTROLS_TEST, WithTheSwitchAtCrossTheLeftButtonCrossesAndTheRightFills) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    Delegate delegate;
    g.fSetControlDelegate(&delegate);
    g.fSetControlDelegate(&delegate);  // told once all the same
    KEL::KC_GUI_CHECKBOX_INTERFACE* toggle = g.fGetControls().fGetSwitch();
    const KEL::KS_VEC2 at = fPlace(toggle->fGetTransform());
    fMoveTo(at.x, at.y);
    fDown();
    fUp();
    EXPECT_FALSE(g.fGetControls().fGetTool());
    EXPECT_EQ(delegate.mLog, "tool ");
    fFrames(30);      // the knob slides; a second toggle would wait for it
    fClick(0, 0);     // left: the cross, right on an empty cell
    fClick(1, 0, 2);  // right: the fill, right on a full cell
    EXPECT_EQ(g.fGetErrors(), 0);
    EXPECT_EQ(g.fGetProcess().fGetCell(0, 0)->fGetShownState(), game::GG_ELEMENT::kEMPTY);
    // The switch is polled every frame: it toggles back after its slide.
    fMoveTo(at.x, at.y);
    fDown();
    fUp();
    EXPECT_TRUE(g.fGetControls().fGetTool());
    EXPECT_EQ(delegate.mLog, "tool tool ");
    // A restart puts it back on fill at once.
    fFrames(30);
    fMoveTo(at.x, at.y);
    fDown();
    fUp();
    g.fRestart();
    EXPECT_TRUE(g.fGetControls().fGetTool());
}

TEST_F(GG_CONTROLS_TEST, ADragDroppedOnTheResetTargetOpensNothing) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    Delegate delegate;
    g.fSetControlDelegate(&delegate);
    game::GG_RESET_SELECTION& reset = g.fGetControls().fGetReset();
    const KEL::KS_VEC2 target = fPlace(*reset.fGetSprite().fGetTransform());
    fMoveTo(1, 0);
    fDown();
    EXPECT_TRUE(reset.fIsArmed());
    fMoveTo(1, 4);
    fMoveTo(target.x, target.y);
    EXPECT_TRUE(reset.fIsHovered());
    fUp();
    EXPECT_FALSE(g.fIsPressed());
    EXPECT_FALSE(reset.fIsArmed());
    for (int c = 0; c < 5; ++c) EXPECT_FALSE(g.fGetProcess().fGetCell(1, c)->fIsRevealed()) << c;
    EXPECT_EQ(delegate.mLog, "reset ");
    // Without a drag the target only explains itself.
    KEL::G_WINDOW* feedback = fAddWindow(GG_WINDOW_NAME::kRESET_FEEDBACK);
    fDown();
    fUp();
    EXPECT_EQ(delegate.mLog, "reset ");
    EXPECT_TRUE(feedback->fIsOpen());
}

TEST_F(GG_CONTROLS_TEST, PauseAndStoreButtonsPauseAndOpenTheirWindows) {
    KEL::G_WINDOW* menu = fAddWindow(GG_WINDOW_NAME::kGAME_MENU);
    KEL::G_WINDOW* shop = fAddWindow(GG_WINDOW_NAME::kSHOP);
    mHost.mPlayer.fSetItemCount("start_hint", 0);
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    Delegate delegate;
    g.fSetControlDelegate(&delegate);
    fFrames(60);
    KEL::KC_GUI_OBJECT* pause = g.fGetControls().fGetPause().fGetWidgets().fGetRootWidget().fGetChild(0);
    const KEL::KS_VEC2 p = fPlace(pause->fGetTransform());
    fMoveTo(p.x + 1.0f, p.y);
    fMoveTo(p.x, p.y);
    fDown();
    fUp();
    EXPECT_TRUE(g.fIsPaused());
    EXPECT_TRUE(menu->fIsOpen());
    g.fResume();
    fFrame();  // the keys age: a press right after a release would not count
    ASSERT_TRUE(g.fGetControls().fGetStore().fIsInView()) << "no hint held";
    KEL::KC_GUI_OBJECT* store = g.fGetControls().fGetStore().fGetWidgets().fGetRootWidget().fGetChild(0);
    const KEL::KS_VEC2 s = fPlace(store->fGetTransform());
    fMoveTo(s.x + 1.0f, s.y);
    fMoveTo(s.x, s.y);
    fDown();
    fUp();
    EXPECT_TRUE(g.fIsPaused());
    EXPECT_TRUE(shop->fIsOpen());
    EXPECT_EQ(delegate.mLog, "pause store ");
}

// The board takes no moves while paused: a pointer brought over the pause
// button then rests there when play resumes, and the button still takes
// the first click.
TEST_F(GG_CONTROLS_TEST, APauseButtonUnderAPointerThatCameWhilePausedTakesTheFirstClick) {
    KEL::G_WINDOW* menu = fAddWindow(GG_WINDOW_NAME::kGAME_MENU);
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    fFrames(60);
    KEL::KC_GUI_OBJECT* pause = g.fGetControls().fGetPause().fGetWidgets().fGetRootWidget().fGetChild(0);
    const KEL::KS_VEC2 p = fPlace(pause->fGetTransform());
    fMoveTo(1.0f, 1.0f);
    g.fPause();
    fFrames(2);
    fMoveTo(p.x, p.y);
    g.fResume();
    fFrames(2);
    fDown();
    fUp();
    EXPECT_TRUE(g.fIsPaused());
    EXPECT_TRUE(menu->fIsOpen());
}

TEST_F(GG_CONTROLS_TEST, TheHintButtonShowsItsCountAndTakesNoPressWithNone) {
    mHost.mPlayer.fSetItemCount("start_hint", 7);
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    game::GG_HINT_BUTTON& hint = g.fGetControls().fGetHint();
    EXPECT_EQ(hint.fGetCount(), 7);
    fFrames(60);
    EXPECT_FALSE(hint.fIsBusy());
    hint.fSetHintCount(0);
    fFrames(60);
    const KEL::KS_VEC2 at = fPlace(*hint.fGetButton().fGetTransform());
    fMoveTo(at.x, at.y);
    EXPECT_FALSE(hint.fOnMouseDown(KEL::KC_INPUT::kMOUSE_LEFT).fTaken());
    hint.fSetBlocked(true);
    hint.fSetHintCount(2);
    fFrames(60);
    const KEL::KS_VEC2 shown = fPlace(*hint.fGetButton().fGetTransform());
    fMoveTo(shown.x, shown.y);
    EXPECT_FALSE(hint.fOnMouseDown(KEL::KC_INPUT::kMOUSE_LEFT).fTaken()) << "blocked";
    hint.fSetBlocked(false);
    EXPECT_FALSE(hint.fOnMouseDown(KEL::KC_INPUT::kMOUSE_RIGHT).fTaken()) << "the right button";
    EXPECT_TRUE(hint.fOnMouseDown(KEL::KC_INPUT::kMOUSE_LEFT).fTaken());
}
