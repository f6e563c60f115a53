// A window's reading, placements, show and hide transitions frame by frame,
// callbacks that re-enter their own window, and the road of a click.
#include <gtest/gtest.h>

#include "WindowsFixture.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/util/Closure.h"

using KEL::Closure;
using KEL::G_WINDOW;
using KEL::KS_GUI_EVENT;
using KEL::KS_VEC3;
using windowstest::KC_LOG_WINDOW;
using windowstest::WindowsTest;

namespace {
std::vector<std::string> gSounds;
void fPlay(const std::string& sound) { gSounds.push_back(sound); }

float fY(const G_WINDOW& window) { return window.fGetTransform().mPosition.y; }
}  // namespace

TEST_F(WindowsTest, ReadsItsXmlAndPlacesItsTransitionsOffScreen) {
    auto plain = fMake("");
    EXPECT_EQ(plain->fGetName(), "gWidnow");
    EXPECT_EQ(plain->fGetOpenType(), G_WINDOW::kSH_MOVE_DOWN);
    EXPECT_FALSE(plain->fIsActive()) << "no focus until the manager gives it";
    EXPECT_EQ(plain->fGetStartPlacement().mPosition, KS_VEC3(512, -384, 0)) << "slides down from above";
    EXPECT_EQ(plain->fGetHidePlacement().mPosition, KS_VEC3(512, 1152, 0)) << "and leaves past the bottom";
    EXPECT_EQ(plain->fGetTransform().mPosition, KS_VEC3(512, -384, 0));

    auto up = fMake("_name='Up' _typeOpen='SH_MOVE_UP' _typeClose='SH_MOVE_UP' _timeShow='2' layer='7' _modal='1'");
    EXPECT_EQ(up->fGetStartPlacement().mAutoY, 1.5f);
    EXPECT_EQ(up->fGetHidePlacement().mAutoY, -0.5f);
    EXPECT_EQ(up->fGetShowTime(), 2.0f);
    EXPECT_EQ(up->fGetHideTime(), 2.0f) << "the show time sets both";
    EXPECT_EQ(up->fGetLayer(), 7);
    EXPECT_TRUE(up->fIsModal());

    auto momental = fMake("_typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL' _timeShow='3' _timeHide='4'");
    EXPECT_EQ(momental->fGetShowTime(), 0.5f) << "no times without an animation";
    EXPECT_EQ(momental->fGetHideTime(), 0.5f);
    auto later = fMake("_typeOpen='SH_FADE' _typeClose='SH_FADE' _timeHide='4' _timeShow='3' _delayShow='1'");
    EXPECT_EQ(later->fGetHideTime(), 4.0f) << "the hide time wins whatever the attribute order";
    EXPECT_EQ(later->fGetShowDelay(), 1.0f);

    // Pixels: the slide comes from beyond the left edge, not the corner.
    auto pixels = fMake(
        "_typePos='POS_IN_PIX' _position='256 192' _typeOpen='SH_MOVE_RIGHT' _typeClose='SH_MOVE_LEFT'");
    EXPECT_EQ(pixels->fGetShownPlacement().mPosition, KS_VEC3(256, 192, 0));
    EXPECT_EQ(pixels->fGetStartPlacement().mPosition, KS_VEC3(-256, 192, 0));
    EXPECT_EQ(pixels->fGetHidePlacement().mPosition, KS_VEC3(-256, 192, 0));
    auto fractions = fMake("_typePos='ANY' _position='0.25 0.75' _typeOpen='SH_MOVE_LEFT' _typeClose='SH_OTHER'");
    EXPECT_EQ(fractions->fGetStartPlacement().mPosition, KS_VEC3(768, 576, 0));
    EXPECT_EQ(fractions->fGetHidePlacement().mPosition, KS_VEC3(256, 576, 0)) << "other kinds stay put";
    EXPECT_EQ(fractions->fGetCloseType(), G_WINDOW::kSH_OTHER);

    auto sounds = fMake("", "<sounds><item id='3' sound='yes'/><item id='3' sound='again'/>"
                            "<item id='4' sound='no'/></sounds><bots/>");
    EXPECT_EQ(sounds->fGetSound(3), "yes") << "the first item of an id wins";
    EXPECT_EQ(sounds->fGetSound(4), "no");
    EXPECT_EQ(sounds->fGetSound(5), "");

    // The layout hangs on the window's transform.
    auto laid = fMake("_typeOpen='SH_MOMENTAL'", "<GUI><IMAGE ID='3' TEXTURE='data none.png'><POSITION>10 20</POSITION>"
                                                 "</IMAGE><NOT_A_TAG ID='4'/></GUI>");
    const KEL::KC_GUI_OBJECT* image = laid->fGetGui()->fFindChild(3);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(laid->fGetGui()->fFindChild(4), nullptr);
    laid->fShow();
    fFrames(*laid, 1);
    EXPECT_EQ(image->fGetTransform().fGetAbsolute().mPosition, KS_VEC3(522, 404, 0));
}

TEST_F(WindowsTest, AWholeLifeFollowsItsPlacementsFrameByFrame) {
    auto window = fMake("_name='W'");
    for (int slot = 0; slot < G_WINDOW::kCALLBACK_COUNT; ++slot)
        window->fSetCallback(slot, Closure<void()>::fBind<&KC_LOG_WINDOW::fCallback>(window.get()));
    windowstest::KC_PROBE* button = window->fAddProbe(3);
    button->mUpCode = KS_GUI_EVENT::kCLICK;

    window->fLoad();
    EXPECT_EQ(button->mReloads, 1);
    window->fLoad();
    EXPECT_EQ(button->mReloads, 1) << "loaded once";
    EXPECT_EQ(fTake(), std::vector<std::string>{"W:load"});

    window->fShow();
    EXPECT_EQ(fTake(), (std::vector<std::string>{"W:showStart", "W:cb 0", "W:show", "W:cb 0"}));
    EXPECT_TRUE(window->fIsOpen());
    EXPECT_TRUE(window->fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT).mKind == KEL::KS_MOUSE_RESULT::KE_KIND::kANIMATING);
    window->fShow();
    EXPECT_TRUE(fTake().empty()) << "showing an open window does nothing";

    // A half-second slide of 768 pixels in eighths of a second.
    std::vector<float> ys;
    for (int frame = 0; frame < 6; ++frame) {
        fFrames(*window, 1);
        ys.push_back(fY(*window));
        if (frame == 2) {
            EXPECT_TRUE(window->fIsAnimating());
        }
    }
    EXPECT_EQ(ys, (std::vector<float>{-384, -192, 0, 192, 384, 384}));
    EXPECT_EQ(fTake(), (std::vector<std::string>{"W:shown", "W:cb 0"}));
    EXPECT_FALSE(window->fIsAnimating());
    EXPECT_TRUE(window->fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT).fHasEvent());
    fTake();

    window->fHide();
    EXPECT_EQ(fTake(), (std::vector<std::string>{"W:hideStart", "W:cb 0", "W:hide", "W:cb 0"}));
    ys.clear();
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_EQ(window->fUpdate(), G_WINDOW::kUPDATE_GOING) << frame;
        ys.push_back(fY(*window));
    }
    EXPECT_EQ(ys, (std::vector<float>{384, 576, 768}));
    EXPECT_EQ(window->fUpdate(), G_WINDOW::kUPDATE_HIDDEN) << "the hide ends after its time";
    EXPECT_EQ(fTake(), (std::vector<std::string>{"W:second", "W:hidden", "W:cb 0"})) << "one second in 8 frames";
    EXPECT_FALSE(window->fIsOpen());
    EXPECT_EQ(window->fGetTransform().mPosition, KS_VEC3(512, -384, 0)) << "back at the start";
    window->fHide();
    EXPECT_TRUE(fTake().empty()) << "hiding a closed window does nothing";

    window->fUnload();
    EXPECT_EQ(button->mReleases, 1);
    EXPECT_FALSE(window->fIsLoaded());
    window->fLoad();
    EXPECT_EQ(button->mReloads, 2) << "reloaded";
    EXPECT_EQ(fTake(), (std::vector<std::string>{"W:unload", "W:load"}));

    // Shown again, from the start.
    window->fShow();
    fFrames(*window, 2);
    EXPECT_EQ(fY(*window), -192);

    // Every slide passes half way at the third frame and rests centred.
    struct KS_SLIDE {
        const char* mType;
        KS_VEC3 mHalfWay;
    };
    for (const KS_SLIDE& slide : {KS_SLIDE{"SH_MOVE_UP", {512, 768, 0}}, KS_SLIDE{"SH_MOVE_LEFT", {1024, 384, 0}},
                                  KS_SLIDE{"SH_MOVE_RIGHT", {0, 384, 0}}, KS_SLIDE{"SH_BOUNCE", {512, 384, 0}}}) {
        auto slider = fMake(std::string("_typeOpen='") + slide.mType + "'");
        slider->fShow();
        fFrames(*slider, 3);
        EXPECT_EQ(slider->fGetTransform().mPosition, slide.mHalfWay) << slide.mType;
        fFrames(*slider, 3);
        EXPECT_EQ(slider->fGetTransform().mPosition, KS_VEC3(512, 384, 0)) << slide.mType;
    }
}

TEST_F(WindowsTest, FadesMomentalWindowsAndSkipsPlaceAtTheRightFrame) {
    fWrite("dim.png", "4 4");
    fMount();
    auto fade = fMake("_name='F' _typeOpen='SH_FADE' _typeClose='SH_FADE'",
                      "<background START_COLOR='0 0 0 0' END_COLOR='255 0 0 0' SIZE='1024 768'>data dim.png"
                      "</background>");
    KEL::G_SPRITE* background = fade->fGetBackground();
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->fGetWidth(), 1024);
    EXPECT_EQ(background->fGetTransform()->mPosition, KS_VEC3(512, 384, 0));
    fade->fLoad();
    fade->fShow();
    std::vector<uint32_t> alphas;
    for (int frame = 0; frame < 6; ++frame) {
        fFrames(*fade, 1);
        alphas.push_back(background->mVertices[0].color >> 24);
        EXPECT_EQ(fade->fGetTransform().mPosition, KS_VEC3(512, 384, 0)) << "a fade does not move";
    }
    EXPECT_EQ(alphas, (std::vector<uint32_t>{0, 63, 127, 191, 255, 255}));
    fade->fHide(true);
    EXPECT_EQ(fade->fUpdate(), G_WINDOW::kUPDATE_HIDDEN) << "a skipped hide ends in the next frame";
    EXPECT_EQ(background->mVertices[0].color >> 24, 0u) << "the background faded back";

    // A skipped slide waits off screen for its delay, then is in place.
    auto left = fMake("_name='L' _typeOpen='SH_MOVE_LEFT' _delayShow='0.25'");
    left->fShow(true);
    EXPECT_EQ(left->fGetTransform().mPosition, KS_VEC3(-1000, -1000, 0));
    fFrames(*left, 1);
    EXPECT_EQ(left->fGetTransform().mPosition, KS_VEC3(-1000, -1000, 0));
    EXPECT_TRUE(left->fIsAnimating());
    fFrames(*left, 1);
    EXPECT_EQ(left->fGetTransform().mPosition, KS_VEC3(512, 384, 0));
    EXPECT_FALSE(left->fIsAnimating()) << "finished after the delay alone";

    // A momental window with a hide delay stays in place until it has passed.
    auto still = fMake("_name='M' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL' _delayHide='0.25'");
    still->fShow();
    fFrames(*still, 1);
    EXPECT_EQ(still->fGetTransform().mPosition, KS_VEC3(512, 384, 0));
    still->fSetTime(false, 0.375f);
    still->fHide();
    EXPECT_EQ(still->fUpdate(), G_WINDOW::kUPDATE_GOING);
    EXPECT_EQ(still->fUpdate(), G_WINDOW::kUPDATE_GOING);
    EXPECT_EQ(still->fGetTransform().mPosition, KS_VEC3(512, 384, 0));
    EXPECT_EQ(still->fUpdate(), G_WINDOW::kUPDATE_HIDDEN);
}

TEST_F(WindowsTest, AnUnloadDuringAHideWaitsForItsEnd) {
    auto window = fMake("_name='U'");
    window->fLoad();
    window->fShow(true);
    fFrames(*window, 1);
    window->fHide();
    fTake();
    window->fUnload();
    EXPECT_TRUE(window->fIsLoaded());
    EXPECT_TRUE(window->fIsUnloadPending());
    fFrames(*window, 4);
    EXPECT_FALSE(window->fIsLoaded());
    EXPECT_EQ(fTake(), (std::vector<std::string>{"U:hidden", "U:unload"}));

    window->fLoad();
    window->fShow();
    window->fUnload(true);
    EXPECT_FALSE(window->fIsLoaded()) << "forced";
}

namespace {
// Callback targets that re-enter their own window.
struct KS_REENTRY {
    G_WINDOW* mWindow = nullptr;
    int mShows = 0;
    void fShowAgain() {
        ++mShows;
        mWindow->fShow();
    }
    void fHideNow() { mWindow->fHide(); }
    void fClearShown() { mWindow->fSetCallback(G_WINDOW::kCB_SHOWN, {}); }
};
}  // namespace

TEST_F(WindowsTest, CallbacksMayShowAndHideTheirOwnWindow) {
    auto window = fMake("_name='R'");
    KS_REENTRY reentry{window.get()};
    window->fSetCallback(G_WINDOW::kCB_HIDDEN, Closure<void()>::fBind<&KS_REENTRY::fShowAgain>(&reentry));
    window->fShow(true);
    fFrames(*window, 1);
    window->fHide();
    fFrames(*window, 3);
    EXPECT_EQ(window->fUpdate(), G_WINDOW::kUPDATE_GOING) << "shown again inside its own hide's end";
    EXPECT_EQ(reentry.mShows, 1);
    EXPECT_TRUE(window->fIsOpen());
    EXPECT_EQ(fY(*window), -384) << "the new show's animators start in the next frame";
    fFrames(*window, 2);
    EXPECT_EQ(fY(*window), -192);
    fFrames(*window, 4);
    EXPECT_EQ(fY(*window), 384);
    EXPECT_FALSE(window->fIsAnimating());

    fTake();
    // The fade pattern: hide from the shown callback, then clear it.
    auto fade = fMake("_name='T' _typeOpen='SH_FADE' _typeClose='SH_FADE' _timeShow='0.25'");
    KS_REENTRY hider{fade.get()};
    fade->fSetCallback(G_WINDOW::kCB_SHOWN, Closure<void()>::fBind<&KS_REENTRY::fHideNow>(&hider));
    fade->fSetCallback(G_WINDOW::kCB_HIDE_STARTED, Closure<void()>::fBind<&KS_REENTRY::fClearShown>(&hider));
    fade->fShow();
    fFrames(*fade, 2);
    EXPECT_EQ(fTake(), (std::vector<std::string>{"T:showStart", "T:show", "T:shown", "T:hideStart", "T:hide"}));
    EXPECT_TRUE(fade->fIsAnimating());
    EXPECT_EQ(fade->fUpdate(), G_WINDOW::kUPDATE_GOING);
    EXPECT_EQ(fade->fUpdate(), G_WINDOW::kUPDATE_HIDDEN);
    fade->fShow();
    fFrames(*fade, 3);
    EXPECT_TRUE(fade->fIsOpen()) << "the cleared callback hides nothing";
}

TEST_F(WindowsTest, AClickPlaysItsSoundThenReachesTheWindowThenItsHandler) {
    auto window = fMake("_name='C'", "<sounds><item id='3' sound='click'/></sounds>");
    window->fSetSoundHandler(&fPlay);
    window->fSetEventHandler(8, Closure<void()>::fBind<&KC_LOG_WINDOW::fOnHandler>(window.get()));
    window->fSetEventHandler(7, Closure<void()>::fBind<&KC_LOG_WINDOW::fCallback>(window.get()));
    windowstest::KC_PROBE* loud = window->fAddProbe(3);
    windowstest::KC_PROBE* quiet = window->fAddProbe(4);
    window->fShow(true);
    fFrames(*window, 1);
    fTake();
    gSounds.clear();

    loud->mUpCode = KS_GUI_EVENT::kCLICK;
    const KEL::KS_MOUSE_RESULT up = window->fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT);
    EXPECT_EQ(up.mEvent, (KS_GUI_EVENT{3, KS_GUI_EVENT::kCLICK}));
    EXPECT_EQ(window->fGetLastEvent().mEvent, up.mEvent);
    EXPECT_EQ(gSounds, std::vector<std::string>{"click"});
    EXPECT_EQ(fTake(), (std::vector<std::string>{"C:click 3", "C:handler 3"}));

    loud->mUpCode = 0;
    quiet->mUpCode = KS_GUI_EVENT::kCLICK;
    window->fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT);
    EXPECT_EQ(gSounds.size(), 1u) << "no sound item, no sound";
    EXPECT_EQ(fTake(), (std::vector<std::string>{"C:click 4", "C:handler 4"}));

    quiet->mUpCode = 0;
    quiet->mDownCode = KS_GUI_EVENT::kCLICK;
    window->fOnMouseDown(KEL::KC_INPUT::kMOUSE_LEFT);
    EXPECT_EQ(fTake(), (std::vector<std::string>{"C:click 4"})) << "a press click reaches only the window";
    quiet->mDownCode = KS_GUI_EVENT::kPRESSED;
    EXPECT_TRUE(window->fOnMouseDown(KEL::KC_INPUT::kMOUSE_LEFT).fHasEvent());
    EXPECT_TRUE(fTake().empty());

    window->fActivate();
    EXPECT_TRUE(window->fIsActive());
    EXPECT_EQ(loud->mMoves, 1) << "focus refreshes the hover states";
    window->fDeactivate();
    EXPECT_EQ(fTake(), (std::vector<std::string>{"C:activated", "C:deactivated"}));
}
