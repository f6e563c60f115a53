// The window manager: the window list, the open list's order, input routed
// front to back with modal windows, focus, the queue, and windows opened and
// closed from inside the manager's own passes.
#include <gtest/gtest.h>

#include <algorithm>

#include "WindowsFixture.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/util/Closure.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "engine/windows/G_WINDOW_SIMPLE.h"

using KEL::Closure;
using KEL::G_WINDOW;
using KEL::G_WINDOW_MANAGER;
using KEL::KS_GUI_EVENT;
using windowstest::KC_LOG_WINDOW;
using windowstest::KC_PROBE;

namespace {

class WindowManagerTest : public windowstest::WindowsTest {
protected:
    KC_LOG_WINDOW* fAdd(const std::string& attributes) {
        return static_cast<KC_LOG_WINDOW*>(mManager.fAddWindow(fMake(attributes)));
    }
    void fFrames(int count) {
        KEL::kfFRAME_DELTA = kDT;
        for (int i = 0; i < count; ++i) mManager.fUpdate();
    }
    std::vector<std::string> fOpenNames() const {
        std::vector<std::string> names;
        for (const G_WINDOW* window : mManager.fGetOpenWindows()) names.push_back(window->fGetName());
        return names;
    }
    std::vector<std::string> fOnly(const std::string& word) {
        std::vector<std::string> kept;
        for (const std::string& line : fTake())
            if (line.find(word) != std::string::npos) kept.push_back(line);
        return kept;
    }

    G_WINDOW_MANAGER mManager;
};

}  // namespace

TEST_F(WindowManagerTest, BuildsTheWindowListThroughRegisteredClasses) {
    fWrite("simple.xml", "<w _type='G_WINDOW_SIMPLE' _name='Plain' layer='2'/>");
    fWrite("logged.xml", "<w _type='LOGGED' _name='Logged'/>");
    fWrite("unknown.xml", "<w _type='GG_NOT_YET' _name='Later'/>");
    fWrite("nameless.xml", "<w _type='G_WINDOW_SIMPLE'/>");
    fWrite("scenes.xml", "<scenes><window file='data simple.xml'/><!-- note --><window/>"
                         "<window file='data unknown.xml'/><window file='data nameless.xml'/>"
                         "<window file='data absent.xml'/><window file='data logged.xml'/></scenes>");
    fMount();
    mManager.fRegisterClass("G_WINDOW_SIMPLE",
                            [](const pugi::xml_node& node) { return std::make_unique<KEL::G_WINDOW_SIMPLE>(node); });
    mManager.fRegisterClass("LOGGED",
                            [this](const pugi::xml_node& node) { return std::make_unique<KC_LOG_WINDOW>(node, mLog); });
    EXPECT_FALSE(mManager.fLoadWindows("data missing.xml"));
    ASSERT_TRUE(mManager.fLoadWindows("data scenes.xml"));
    ASSERT_EQ(mManager.fGetWindowCount(), 2);
    EXPECT_EQ(mManager.fGetWindow(0)->fGetName(), "Plain");
    EXPECT_EQ(mManager.fGetWindow(1)->fGetName(), "Logged");
    EXPECT_EQ(mManager.fGetWindow(0)->fGetManager(), &mManager);
    EXPECT_EQ(mManager.fGetWindow(0)->fGetLayer(), 2);
    EXPECT_EQ(fUses("data scenes.xml"), 0) << "the list is given back";
    EXPECT_EQ(fUses("data simple.xml"), 0) << "so is every window file";

    EXPECT_EQ(mManager.fFindWindow("plain"), nullptr) << "names match exactly";
    EXPECT_EQ(mManager.fShowWindow("Absent"), nullptr);
    EXPECT_EQ(mManager.fSendMessage("Logged", 3, 4), 304);
    EXPECT_EQ(mManager.fSendMessage("Absent", 3, 4), 0);
}

TEST_F(WindowManagerTest, LayersOrderTheOpenListAndEqualLayersKeepShowOrder) {
    fAdd("_name='Top' layer='5'");
    KC_LOG_WINDOW* first = fAdd("_name='First'");
    fAdd("_name='Second'");
    fAdd("_name='Back' layer='-1'");
    mManager.fShowWindow("Top", true);
    mManager.fShowWindow("First", true);
    mManager.fShowWindow("Back", true);
    mManager.fShowWindow("Second", true);
    EXPECT_EQ(fOpenNames(), (std::vector<std::string>{"Top", "Second", "First", "Back"}));
    EXPECT_TRUE(first->fIsLoaded()) << "loaded on its first show";

    fFrames(1);
    fTake();
    EXPECT_EQ(mManager.fShowWindow("First"), first);
    EXPECT_EQ(fOpenNames(), (std::vector<std::string>{"Top", "Second", "First", "Back"})) << "no re-sort";
    EXPECT_TRUE(fTake().empty()) << "nor a new show";

    for (int i = 0; i < 20; ++i) fAdd("_name='Many" + std::to_string(i) + "' layer='1'");
    for (int i = 0; i < 20; ++i) mManager.fShowWindow("Many" + std::to_string(i), true);
    const std::vector<std::string> open = fOpenNames();
    ASSERT_EQ(open.size(), 24u);
    EXPECT_EQ(open[1], "Many19");
    EXPECT_EQ(open[20], "Many0") << "equal layers keep their order beyond sixteen windows";

    mManager.fDrawAll();
    const std::vector<std::string> draws = fOnly("draw");
    ASSERT_EQ(draws.size(), 24u);
    EXPECT_EQ(draws.front(), "Back:draw");
    EXPECT_EQ(draws.back(), "Top:draw") << "the front window is drawn last";
}

TEST_F(WindowManagerTest, AModalWindowTakesInputAndFocusFromThoseBehind) {
    KC_LOG_WINDOW* back = fAdd("_name='Back'");
    KC_LOG_WINDOW* behind = fAdd("_name='Behind' layer='-1'");
    fAdd("_name='Modal' _modal='1' layer='3' _timeShow='0.25'");
    KC_PROBE* button = back->fAddProbe(3);
    button->mUpCode = KS_GUI_EVENT::kCLICK;
    mManager.fShowWindow("Back", true);
    mManager.fShowWindow("Behind", true);
    fFrames(1);
    EXPECT_EQ(mManager.fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT).mEvent, (KS_GUI_EVENT{3, KS_GUI_EVENT::kCLICK}));
    fTake();

    mManager.fShowWindow("Modal");
    EXPECT_TRUE(mManager.fFindWindow("Modal")->fIsActive());
    EXPECT_FALSE(back->fIsActive());
    EXPECT_FALSE(behind->fIsActive());
    EXPECT_EQ(mManager.fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT).mKind, KEL::KS_MOUSE_RESULT::KE_KIND::kANIMATING)
        << "a window that animates stops the pass";
    fFrames(2);
    EXPECT_FALSE(mManager.fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT).fTaken())
        << "nothing behind a modal window hears the click";
    EXPECT_TRUE(fOnly("click").empty());

    mManager.fHideWindow("Modal", true);
    fFrames(1);
    EXPECT_FALSE(mManager.fIsOpen("Modal"));
    EXPECT_TRUE(back->fIsActive()) << "focus comes back when it leaves";
    EXPECT_TRUE(behind->fIsActive());
    EXPECT_TRUE(mManager.fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT).fHasEvent());
}

TEST_F(WindowManagerTest, QueuedWindowsShowOneAfterAnother) {
    for (const char* name : {"One", "Two", "Three"}) fAdd(std::string("_name='") + name + "' _timeShow='0.25'");
    EXPECT_EQ(mManager.fQueueWindow("Absent"), nullptr);
    mManager.fQueueWindow("One");
    mManager.fQueueWindow("Two");
    mManager.fQueueWindow("Three");
    EXPECT_EQ(fOpenNames(), std::vector<std::string>{"One"});
    EXPECT_EQ(mManager.fGetQueueLength(), 3);
    fFrames(3);
    mManager.fHideWindow("One", true);
    fFrames(1);
    EXPECT_EQ(fOpenNames(), std::vector<std::string>{"Two"}) << "the next one in the update the first left";
    EXPECT_TRUE(mManager.fIsQueueHead(mManager.fFindWindow("Two")));
    mManager.fHideWindow("Two", true);
    fFrames(1);
    EXPECT_EQ(fOpenNames(), std::vector<std::string>{"Three"});
    mManager.fHideAll();
    fFrames(4);
    EXPECT_TRUE(fOpenNames().empty());
    EXPECT_EQ(mManager.fGetQueueLength(), 0);
}

namespace {
// Opens and closes windows from inside the manager's passes.
struct KS_DIRECTOR {
    G_WINDOW_MANAGER* mManager = nullptr;
    void fOnClick(int32_t id) {
        if (id == 3) mManager->fShowWindow("Confirm");
    }
    void fOnFaded() {
        mManager->fHideWindow("Old", true);
        mManager->fShowWindow("NewA", true);
        mManager->fShowWindow("NewB", true);
        mManager->fHideWindow("Fade", true);
        mManager->fFindWindow("Fade")->fSetCallback(G_WINDOW::kCB_SHOWN, {});
    }
};
}  // namespace

TEST_F(WindowManagerTest, HandlersOpenAndCloseWindowsDuringPasses) {
    KS_DIRECTOR director{&mManager};
    KC_LOG_WINDOW* menu = fAdd("_name='Menu'");
    KC_LOG_WINDOW* confirm = fAdd("_name='Confirm' _modal='1' layer='2'");
    menu->fAddProbe(3)->mUpCode = KS_GUI_EVENT::kCLICK;
    menu->fSetEventHandler(KS_GUI_EVENT::kCLICK, Closure<void()>::fBind<&KS_DIRECTOR::fOnClick>(&director));
    mManager.fShowWindow("Menu", true);
    fFrames(1);
    EXPECT_TRUE(mManager.fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT).fHasEvent());
    EXPECT_EQ(fOpenNames(), (std::vector<std::string>{"Confirm", "Menu"})) << "opened by the click handler";
    EXPECT_TRUE(confirm->fIsActive());
    EXPECT_FALSE(menu->fIsActive());
    EXPECT_EQ(mManager.fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT).mKind, KEL::KS_MOUSE_RESULT::KE_KIND::kANIMATING);
    mManager.fHideWindow("Confirm", true);
    fFrames(1);

    // A fade whose shown callback swaps the screens and hides the fade.
    KC_LOG_WINDOW* fade = fAdd("_name='Fade' _typeOpen='SH_FADE' _typeClose='SH_FADE' _timeShow='0.25' layer='9'");
    KC_LOG_WINDOW* old = fAdd("_name='Old'");
    KC_LOG_WINDOW* newA = fAdd("_name='NewA'");
    KC_LOG_WINDOW* newB = fAdd("_name='NewB'");
    mManager.fShowWindow("Old", true);
    fade->fSetCallback(G_WINDOW::kCB_SHOWN, Closure<void()>::fBind<&KS_DIRECTOR::fOnFaded>(&director));
    mManager.fShowWindow("Fade");
    for (KC_LOG_WINDOW* window : {fade, old, newA, newB, menu}) window->mUpdates = 0;
    fFrames(2);
    EXPECT_EQ(fade->mUpdates, 2);
    EXPECT_EQ(old->mUpdates, 2) << "updated once per frame although the list changed under the pass";
    EXPECT_EQ(newA->mUpdates, 0) << "windows opened in a pass wait for the next one";
    fFrames(1);
    EXPECT_EQ(newA->mUpdates, 0) << "the pass ends with the window that left";
    fFrames(1);
    EXPECT_EQ(newA->mUpdates, 1);
    EXPECT_EQ(newB->mUpdates, 1);
    fFrames(2);
    const std::vector<std::string> open = fOpenNames();
    EXPECT_EQ(open, (std::vector<std::string>{"NewB", "NewA", "Menu"}));
    for (const std::string& name : open)
        EXPECT_EQ(std::count(open.begin(), open.end(), name), 1) << name << " is listed twice";
}

TEST_F(WindowManagerTest, AWindowShownAgainAsItLeavesStaysListedOnce) {
    KC_LOG_WINDOW* window = fAdd("_name='Again' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL'");
    struct KS_AGAIN {
        G_WINDOW_MANAGER* mManager;
        void fShow() { mManager->fShowWindow("Again"); }
    } again{&mManager};
    mManager.fShowWindow("Again");
    fFrames(1);
    window->fSetCallback(G_WINDOW::kCB_HIDDEN, Closure<void()>::fBind<&KS_AGAIN::fShow>(&again));
    mManager.fHideWindow("Again");
    fFrames(1);
    EXPECT_EQ(fOpenNames(), std::vector<std::string>{"Again"});
    EXPECT_TRUE(window->fIsOpen());
    window->fSetCallback(G_WINDOW::kCB_HIDDEN, {});
    mManager.fHideWindow("Again");
    fFrames(1);
    EXPECT_TRUE(fOpenNames().empty());

    mManager.fShowWindow("Again");
    EXPECT_EQ(mManager.fUnloadAll(false), mManager.fUnloadAll(false));
    EXPECT_TRUE(window->fIsUnloadPending()) << "an animating window unloads at the end of its hide";
    mManager.fUnloadAll(true);
    EXPECT_FALSE(window->fIsLoaded());
}

TEST_F(WindowManagerTest, ALeaveInAFrontWindowStillLetsTheMoveReachTheWindowsBehind) {
    KC_LOG_WINDOW* front = fAdd("_name='Front' layer='2'");
    KC_LOG_WINDOW* back = fAdd("_name='Back'");
    KC_LOG_WINDOW* modal = fAdd("_name='Modal' _modal='1' layer='1'");
    KC_PROBE* left = front->fAddProbe(3);
    KC_PROBE* entered = back->fAddProbe(4);
    mManager.fShowWindow("Front", true);
    mManager.fShowWindow("Back", true);
    fFrames(1);

    left->mMoveCode = KS_GUI_EVENT::kLEFT;
    entered->mMoveCode = KS_GUI_EVENT::kENTERED;
    EXPECT_EQ(mManager.fOnMouseMove().mEvent, (KS_GUI_EVENT{4, KS_GUI_EVENT::kENTERED}));
    entered->mMoveCode = 0;
    EXPECT_EQ(mManager.fOnMouseMove().mEvent, (KS_GUI_EVENT{3, KS_GUI_EVENT::kLEFT})) << "a leave alone is reported";

    // An enter still ends the pass.
    left->mMoveCode = KS_GUI_EVENT::kENTERED;
    const int moves = entered->mMoves;
    EXPECT_EQ(mManager.fOnMouseMove().mEvent, (KS_GUI_EVENT{3, KS_GUI_EVENT::kENTERED}));
    EXPECT_EQ(entered->mMoves, moves);

    // Nothing passes a modal window, a leave there included.
    KC_PROBE* inModal = modal->fAddProbe(5);
    mManager.fShowWindow("Modal", true);
    fFrames(1);
    inModal->mMoveCode = KS_GUI_EVENT::kLEFT;
    left->mMoveCode = 0;
    entered->mMoveCode = KS_GUI_EVENT::kENTERED;
    EXPECT_EQ(mManager.fOnMouseMove().mEvent, (KS_GUI_EVENT{5, KS_GUI_EVENT::kLEFT}));
}
