// The question window: what each button hands to each handler, through
// integer and byte targets, and a question opened by a click and answered
// through the window manager.
#include <gtest/gtest.h>

#include "WindowsFixture.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/util/Closure.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"

using KEL::Closure;
using KEL::G_WINDOW_CONFIRM;
using KEL::KS_GUI_EVENT;
using windowstest::KC_PROBE;

namespace {

// Answer targets of every kind.
struct KS_LISTENER {
    std::vector<int32_t> mInts, mInts2;
    std::vector<uint8_t> mBytes;
    std::vector<bool> mBools;
    int mBare = 0;
    void fOnInt(int32_t answer) { mInts.push_back(answer); }
    void fOnInt2(int32_t answer) { mInts2.push_back(answer); }
    void fOnByte(uint8_t answer) { mBytes.push_back(answer); }
    void fOnBool(bool answer) { mBools.push_back(answer); }
    void fOnBare() { ++mBare; }
};

class ConfirmTest : public windowstest::WindowsTest {
protected:
    std::unique_ptr<G_WINDOW_CONFIRM> fConfirm() {
        auto confirm = std::make_unique<G_WINDOW_CONFIRM>(
            fNode("<w _name='Confirm_Exit' _type='G_WINDOW_CONFIRM' _modal='1' _typeOpen='SH_MOMENTAL' "
                  "_typeClose='SH_MOMENTAL'/>"));
        return confirm;
    }
};

}  // namespace

TEST_F(ConfirmTest, EachButtonHandsItsAnswersToBothHandlersThenHides) {
    KS_LISTENER listener;
    auto confirm = fConfirm();
    confirm->fSetAnswerHandler(Closure<void()>::fBind<&KS_LISTENER::fOnInt>(&listener));
    EXPECT_TRUE(confirm->fSetAnswerHandler2(Closure<void()>::fBind<&KS_LISTENER::fOnInt2>(&listener)));
    for (int32_t button : {G_WINDOW_CONFIRM::kYES, G_WINDOW_CONFIRM::kNO, G_WINDOW_CONFIRM::kCLOSE}) {
        confirm->fShow(true);
        fFrames(*confirm, 1);
        confirm->fOnAnswer(button);
        EXPECT_TRUE(confirm->fIsAnimating()) << "hiding after button " << button;
        fFrames(*confirm, 1);
        EXPECT_FALSE(confirm->fIsOpen());
    }
    const int32_t yes = G_WINDOW_CONFIRM::kANSWER_YES, no = G_WINDOW_CONFIRM::kANSWER_NO;
    const int32_t close = G_WINDOW_CONFIRM::kANSWER_CLOSE;
    EXPECT_EQ(listener.mInts, (std::vector<int32_t>{yes, close, close}));
    EXPECT_EQ(listener.mInts2, (std::vector<int32_t>{yes, no, close})) << "no and close differ only here";

    confirm->fShow(true);
    fFrames(*confirm, 1);
    confirm->fOnAnswer(2);
    confirm->fOnAnswer(6);
    EXPECT_FALSE(confirm->fIsAnimating()) << "other widgets neither answer nor hide";
    EXPECT_EQ(listener.mInts.size(), 3u);
}

TEST_F(ConfirmTest, ByteTargetsHearOnlyTheFirstHandlersAnswers) {
    KS_LISTENER listener;
    auto confirm = fConfirm();
    confirm->fSetAnswerHandler(Closure<void()>::fBind<&KS_LISTENER::fOnByte>(&listener));
    EXPECT_FALSE(confirm->fSetAnswerHandler2(Closure<void()>::fBind<&KS_LISTENER::fOnBool>(&listener)))
        << "a byte target would read no as yes";
    EXPECT_FALSE(confirm->fSetAnswerHandler2(Closure<void()>::fBind<&KS_LISTENER::fOnByte>(&listener)));
    EXPECT_TRUE(confirm->fSetAnswerHandler2(Closure<void()>::fBind<&KS_LISTENER::fOnBare>(&listener)));
    for (int32_t button : {4, 3}) {
        confirm->fShow(true);
        fFrames(*confirm, 1);
        confirm->fOnAnswer(button);
        fFrames(*confirm, 1);
    }
    EXPECT_EQ(listener.mBytes, (std::vector<uint8_t>{0, 1}));
    EXPECT_TRUE(listener.mBools.empty());
    EXPECT_EQ(listener.mBare, 2);

    // Without handlers the buttons still close the question.
    auto bare = fConfirm();
    bare->fShow(true);
    fFrames(*bare, 1);
    bare->fOnAnswer(5);
    fFrames(*bare, 1);
    EXPECT_FALSE(bare->fIsOpen());
}

namespace {
// A menu whose button asks a question through the manager.
struct KS_MENU {
    KEL::G_WINDOW_MANAGER* mManager = nullptr;
    KS_LISTENER* mListener = nullptr;
    void fOnClick(int32_t id) {
        if (id != 7) return;
        auto* confirm = static_cast<G_WINDOW_CONFIRM*>(mManager->fShowWindow("Confirm_Exit"));
        confirm->fSetAnswerHandler2(Closure<void()>::fBind<&KS_LISTENER::fOnInt2>(mListener));
    }
};
}  // namespace

TEST_F(ConfirmTest, AClickOpensAModalQuestionThatTakesTheNextClicks) {
    KEL::G_WINDOW_MANAGER manager;
    KS_LISTENER listener;
    KS_MENU menuTarget{&manager, &listener};
    auto* menu = static_cast<windowstest::KC_LOG_WINDOW*>(manager.fAddWindow(fMake("_name='Menu'")));
    auto* confirm = static_cast<G_WINDOW_CONFIRM*>(manager.fAddWindow(fConfirm()));
    KC_PROBE* quit = menu->fAddProbe(7);
    auto no = std::make_unique<KC_PROBE>(4);
    KC_PROBE* noButton = no.get();
    confirm->fGetGui()->fAddChild(std::move(no));
    menu->fSetEventHandler(KS_GUI_EVENT::kCLICK, Closure<void()>::fBind<&KS_MENU::fOnClick>(&menuTarget));

    manager.fShowWindow("Menu", true);
    fFrames(*menu, 1);
    quit->mUpCode = KS_GUI_EVENT::kCLICK;
    noButton->mUpCode = KS_GUI_EVENT::kCLICK;
    EXPECT_EQ(manager.fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT).mEvent.mId, 7);
    ASSERT_TRUE(manager.fIsOpen("Confirm_Exit"));
    KEL::kfFRAME_DELTA = kDT;
    manager.fUpdate();
    EXPECT_FALSE(menu->fIsActive());

    EXPECT_EQ(manager.fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT).mEvent.mId, 4) << "the question takes the click";
    EXPECT_EQ(listener.mInts2, std::vector<int32_t>{G_WINDOW_CONFIRM::kANSWER_NO});
    manager.fUpdate();
    EXPECT_FALSE(manager.fIsOpen("Confirm_Exit"));
    EXPECT_TRUE(menu->fIsActive());
    EXPECT_EQ(manager.fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT).mEvent.mId, 7) << "the menu hears clicks again";
}

TEST_F(ConfirmTest, FormatsItsQuestionFromTheLayoutTextEveryTime) {
    G_WINDOW_CONFIRM confirm(fNode("<w _name='Q'><GUI><WLABEL ID='2' FONT='data f.xml' FONT_TEXTURE='data f.png' "
                                   "TEXT='Delete %s? %d left, 100%%'/></GUI></w>"));
    KEL::KC_GUI_WLABEL* label = confirm.fGetMessageLabel();
    ASSERT_NE(label, nullptr);
    confirm.fFormatMessage(L"Ann", 3);
    EXPECT_EQ(label->fGetText(), L"Delete Ann? 3 left, 100%");
    confirm.fFormatMessage(std::wstring(L"Bob"), 2);
    EXPECT_EQ(label->fGetText(), L"Delete Bob? 2 left, 100%") << "the layout text stays the format";

    confirm.fFormatMessage(7);
    EXPECT_EQ(label->fGetText(), L"Delete ?  left, 100%") << "a number for %s and nothing for %d write nothing";
    confirm.fFormatMessage(L"Cy", 1, L"extra", 2.5);
    EXPECT_EQ(label->fGetText(), L"Delete Cy? 1 left, 100%") << "values beyond the format are left out";
    confirm.fFormatMessage(std::wstring(2000, L'x'));
    EXPECT_EQ(label->fGetText().size(), G_WINDOW_CONFIRM::kMESSAGE_CAPACITY - 1) << "cut, never overrun";

    // A widget 2 of another kind counts as missing.
    G_WINDOW_CONFIRM image(fNode("<w><GUI><IMAGE ID='2' TEXTURE='data none.png'/></GUI></w>"));
    EXPECT_EQ(image.fGetMessageLabel(), nullptr);
    image.fFormatMessage(L"Ann");
}
