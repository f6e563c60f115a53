// A pointer that does not move still reaches the buttons that come under
// it: windows opening, sliding in, coming back or swapping widgets under a
// resting pointer get one move pass from the manager, and an idle screen
// gets none.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "WindowsFixture.h"
#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/windows/G_WINDOW_MANAGER.h"

using KEL::KC_GUI_BUTTON5;
using KEL::KC_INPUT;
using KEL::KS_GUI_EVENT;
using KEL::KS_MOUSE_RESULT;
using windowstest::KC_LOG_WINDOW;
using windowstest::KC_PROBE;

namespace {

// Where a window placed in the middle of the screen puts a widget at 0 0.
constexpr int32_t kMIDDLE_X = 512;
constexpr int32_t kMIDDLE_Y = 384;
constexpr int32_t kSTEP = 100;  // between the two buttons of a row

// Clicking one of its two buttons greys it out and enables the other, as
// the screens swap the halves of a toggle.
class KC_TOGGLE_WINDOW : public KC_LOG_WINDOW {
public:
    using KC_LOG_WINDOW::KC_LOG_WINDOW;
    void fOnClick(int32_t id) override {
        KC_LOG_WINDOW::fOnClick(id);
        fHalf(id)->fSetDisabled();
        fHalf(id == 3 ? 4 : 3)->fSetNormal();
    }
    KC_GUI_BUTTON5* fHalf(int32_t id) { return dynamic_cast<KC_GUI_BUTTON5*>(fGetGui()->fFindChild(id)); }
};

class PointerSettleTest : public windowstest::WindowsTest {
protected:
    void SetUp() override {
        WindowsTest::SetUp();
        fWrite("strip5.png", "200 40");
        fMount();
        mInput = std::make_unique<KC_INPUT>();
    }
    void TearDown() override {
        mManager.fDeleteAll();
        mInput.reset();
        WindowsTest::TearDown();
    }

    // Two buttons in a row, 3 in the middle of the screen and 4 to its right.
    static std::string fButtons() {
        return "<GUI><BUTTON5 ID='3' TEXTURE='data strip5.png'/>"
               "<BUTTON5 ID='4' TEXTURE='data strip5.png'><POSITION>" +
               std::to_string(kSTEP) + " 0</POSITION></BUTTON5></GUI>";
    }
    KC_LOG_WINDOW* fAdd(const std::string& attributes, const std::string& children) {
        return static_cast<KC_LOG_WINDOW*>(mManager.fAddWindow(fMake(attributes, children)));
    }
    static KC_GUI_BUTTON5* fButton(KC_LOG_WINDOW* window, int32_t id) {
        return dynamic_cast<KC_GUI_BUTTON5*>(window->fGetGui()->fFindChild(id));
    }
    void fFrames(int count) {
        KEL::kfFRAME_DELTA = kDT;
        for (int i = 0; i < count; ++i) mManager.fUpdate();
    }
    // The pointer arrives, as the game routes a move.
    void fPoint(int32_t x, int32_t y) {
        mInput->fOnMouseMove(x, y);
        mManager.fOnMouseMove();
    }
    // A left click where the pointer is, without moving it: the release's
    // answer.
    KS_MOUSE_RESULT fClick() {
        mInput->fOnKeyDown(KC_INPUT::kMOUSE_LEFT);
        mManager.fOnMouseDown(KC_INPUT::kMOUSE_LEFT);
        mInput->fOnKeyUp(KC_INPUT::kMOUSE_LEFT);
        const KS_MOUSE_RESULT up = mManager.fOnMouseUp(KC_INPUT::kMOUSE_LEFT);
        mInput->fUpdate();
        return up;
    }
    static int32_t fClicked(const KS_MOUSE_RESULT& up) {
        return up.fHasEvent() && up.mEvent.mCode == KS_GUI_EVENT::kCLICK ? up.mEvent.mId : 0;
    }

    std::unique_ptr<KC_INPUT> mInput;
    KEL::G_WINDOW_MANAGER mManager;
};

}  // namespace

TEST_F(PointerSettleTest, AQuestionOpenedUnderARestingPointerHearsItsFirstClick) {
    KC_LOG_WINDOW* ask = fAdd("_name='Ask' _modal='1' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL'", fButtons());
    fPoint(kMIDDLE_X, kMIDDLE_Y);
    mManager.fShowWindow("Ask");
    fFrames(1);
    ASSERT_FALSE(ask->fIsAnimating());
    EXPECT_EQ(fButton(ask, 3)->fGetState(), KC_GUI_BUTTON5::kHOVER) << "lit without a move";
    EXPECT_EQ(fClicked(fClick()), 3);

    // Asked again with the pointer still there: the same.
    fFrames(1);
    mManager.fHideWindow("Ask");
    fFrames(2);
    ASSERT_FALSE(mManager.fIsOpen("Ask"));
    mManager.fShowWindow("Ask");
    fFrames(1);
    EXPECT_EQ(fClicked(fClick()), 3);
}

TEST_F(PointerSettleTest, AWindowSlidingInArmsTheButtonItStopsUnderThePointer) {
    KC_LOG_WINDOW* menu = fAdd("_name='Menu' _typeOpen='SH_MOVE_DOWN' _timeShow='0.5'", fButtons());
    fPoint(kMIDDLE_X + kSTEP, kMIDDLE_Y);
    mManager.fShowWindow("Menu");
    fFrames(2);
    ASSERT_TRUE(menu->fIsAnimating());
    EXPECT_EQ(fClick().mKind, KS_MOUSE_RESULT::KE_KIND::kANIMATING) << "refused while it slides";
    fFrames(10);
    ASSERT_TRUE(menu->fIsAtRest());
    EXPECT_EQ(fClicked(fClick()), 4);
    EXPECT_EQ(fButton(menu, 3)->fGetState(), KC_GUI_BUTTON5::kNORMAL);
}

// A button keeps its lit state while its window is closed; coming back under
// a pointer that moved meanwhile, it must not take a click meant for another.
TEST_F(PointerSettleTest, AButtonLeftLitWhenItsWindowClosedTakesNoClickElsewhere) {
    KC_LOG_WINDOW* menu = fAdd("_name='Menu' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL'", fButtons());
    mManager.fShowWindow("Menu");
    fFrames(1);
    fPoint(kMIDDLE_X, kMIDDLE_Y);
    EXPECT_EQ(fClicked(fClick()), 3);
    mManager.fHideWindow("Menu");
    fFrames(2);
    ASSERT_FALSE(mManager.fIsOpen("Menu"));

    fPoint(kMIDDLE_X + kSTEP, kMIDDLE_Y);
    mManager.fShowWindow("Menu");
    fFrames(1);
    EXPECT_EQ(fButton(menu, 3)->fGetState(), KC_GUI_BUTTON5::kNORMAL);
    EXPECT_EQ(fClicked(fClick()), 4);
}

TEST_F(PointerSettleTest, AClosingWindowUncoversAButtonThatHearsTheNextClick) {
    KC_LOG_WINDOW* back = fAdd("_name='Back'", fButtons());
    fAdd("_name='Front' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL'", fButtons());
    mManager.fShowWindow("Back", true);
    mManager.fShowWindow("Front");
    fFrames(1);
    fPoint(kMIDDLE_X, kMIDDLE_Y);
    EXPECT_EQ(fButton(back, 3)->fGetState(), KC_GUI_BUTTON5::kNORMAL) << "the front button took the move";
    mManager.fHideWindow("Front");
    fFrames(2);
    ASSERT_FALSE(mManager.fIsOpen("Front"));
    fTake();
    EXPECT_EQ(fClicked(fClick()), 3);
    EXPECT_EQ(fTake(), std::vector<std::string>{"Back:click 3"});
}

TEST_F(PointerSettleTest, AButtonSwappedInUnderThePointerByAClickHearsTheNext) {
    auto owned = std::make_unique<KC_TOGGLE_WINDOW>(fNode("<window _name='Sound'>" + fButtons() + "</window>"), mLog);
    KC_LOG_WINDOW* sound = static_cast<KC_LOG_WINDOW*>(mManager.fAddWindow(std::move(owned)));
    // Both halves of the toggle in one place, the second greyed out.
    fButton(sound, 4)->fSetPosition(0.0f, 0.0f, 0.0f);
    fButton(sound, 4)->fSetDisabled();
    mManager.fShowWindow("Sound", true);
    fFrames(1);
    fPoint(kMIDDLE_X, kMIDDLE_Y);
    EXPECT_EQ(fClicked(fClick()), 3);
    fFrames(1);
    EXPECT_EQ(fClicked(fClick()), 4) << "the half that came in";
    fFrames(1);
    EXPECT_EQ(fClicked(fClick()), 3);
}

TEST_F(PointerSettleTest, AnIdleScreenGetsNoMovePasses) {
    KC_LOG_WINDOW* menu = fAdd("_name='Menu' _typeOpen='SH_MOVE_DOWN' _timeShow='0.25'", "");
    KC_PROBE* probe = menu->fAddProbe(5);
    mManager.fShowWindow("Menu");
    fFrames(10);
    EXPECT_EQ(probe->mMoves, 0) << "no pass before the pointer has been seen";

    fPoint(kMIDDLE_X, kMIDDLE_Y);
    const int moves = probe->mMoves;
    fFrames(30);
    EXPECT_EQ(probe->mMoves, moves) << "nothing changed, nothing to look at again";

    fClick();
    fFrames(30);
    EXPECT_EQ(probe->mMoves, moves + 1) << "one look after a click";

    fAdd("_name='Note' _typeOpen='SH_MOVE_DOWN' _timeShow='0.25'", "");
    mManager.fShowWindow("Note");
    fFrames(30);
    EXPECT_EQ(probe->mMoves, moves + 3) << "one as the note opens, one as it comes to rest";
}
