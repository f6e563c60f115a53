#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/platform/KC_WINDOW.h"
#include "support/FakeHost.h"

using KEL::KC_WINDOW;
using KEL::KS_POINT;
using testsupport::FakeWindowScope;

namespace {

std::vector<int> gEvents;  // 1 gained, 2 lost, 3 close, 4 key down
int32_t fGained(void*) {
    gEvents.push_back(1);
    return 1;
}
int32_t fLost(void*) {
    gEvents.push_back(2);
    return 1;
}
int32_t fClose(void*) {
    gEvents.push_back(3);
    return 1;
}
int32_t fKeyDown(void*) {
    // The input state is already counted when the slot runs.
    gEvents.push_back(KEL::kcINPUT && KEL::kcINPUT->fGetKey(KEL::KC_INPUT::kMOUSE_LEFT) == 1 ? 4 : -4);
    return 1;
}

struct Slots {
    Slots() {
        gEvents.clear();
        KEL::kcbFOCUS_GAINED = KEL::KC_CALLBACK::fCreate(&fGained, "", nullptr);
        KEL::kcbFOCUS_LOST = KEL::KC_CALLBACK::fCreate(&fLost, "", nullptr);
        KEL::kcbCLOSE = KEL::KC_CALLBACK::fCreate(&fClose, "", nullptr);
        KEL::kcbKEY_DOWN = KEL::KC_CALLBACK::fCreate(&fKeyDown, "", nullptr);
    }
    ~Slots() {
        for (KEL::KC_CALLBACK** slot :
             {&KEL::kcbFOCUS_GAINED, &KEL::kcbFOCUS_LOST, &KEL::kcbCLOSE, &KEL::kcbKEY_DOWN}) {
            delete *slot;
            *slot = nullptr;
        }
    }
};

}  // namespace

TEST(KC_WINDOW, FullScreenLetterboxScaleOffsetClipAndMouseMapping) {
    FakeWindowScope fake(1920, 1080);
    KC_WINDOW window;
    EXPECT_EQ(KC_WINDOW::msScreenWidth, 1920);
    ASSERT_EQ(window.fCreate("Nonogram"), 1);
    EXPECT_EQ(fake->mTitle, "Nonogram");
    EXPECT_FALSE(fake->mFullscreen);
    EXPECT_EQ(window.fClientToGame(KS_POINT(240, 7)), KS_POINT(240, 7)) << "windowed maps unchanged";

    window.fSetMode(1024, 768, true, true);
    EXPECT_TRUE(fake->mFullscreen);
    EXPECT_FLOAT_EQ(window.mScale, 1.40625f);
    EXPECT_FLOAT_EQ(window.mOffset.x, 240.0f);
    EXPECT_FLOAT_EQ(window.mOffset.y, 0.0f);
    ASSERT_TRUE(fake->mClipped);
    EXPECT_EQ(fake->mClip.mLeft, 240);
    EXPECT_EQ(fake->mClip.mTop, 0);
    EXPECT_EQ(fake->mClip.mRight, 1680);
    EXPECT_EQ(fake->mClip.mBottom, 1080);
    EXPECT_EQ(window.fScreenToGame(KS_POINT(240, 0)), KS_POINT(0, 0));
    EXPECT_EQ(window.fScreenToGame(KS_POINT(1679, 1079)), KS_POINT(1023, 767));
    EXPECT_EQ(window.fScreenToGame(KS_POINT(239, 0)), KS_POINT(0, 0)) << "truncated toward zero";
    EXPECT_EQ(window.fScreenToGame(KS_POINT(100, 0)), KS_POINT(-99, 0));

    window.fSetMode(1024, 768, true, false);
    EXPECT_EQ(window.fScreenToGame(KS_POINT(240, 540)), KS_POINT(128, 384))
        << "without scale to screen the picture is stretched over the desktop";
    EXPECT_EQ(window.fScreenToGameFullscreen(KS_POINT(240, 0)), KS_POINT(0, 0));

    window.fSetMode(1024, 768, false, true);
    EXPECT_FALSE(fake->mClipped) << "windowed mode frees the cursor";
    EXPECT_EQ(window.fScreenToGame(KS_POINT(300, 300)), KS_POINT(300, 300));
}

TEST(KC_WINDOW, DesktopOfGameSizeNeedsNoLetterbox) {
    FakeWindowScope fake(1024, 768);
    KC_WINDOW window;
    window.mFullscreen = 1;
    window.mScaleToScreen = 1;
    ASSERT_EQ(window.fCreate("x"), 1);
    EXPECT_TRUE(fake->mFullscreen);
    EXPECT_FLOAT_EQ(window.mScale, 1.0f);
    EXPECT_FLOAT_EQ(window.mOffset.x, 0.0f);
    EXPECT_FALSE(fake->mClipped);

    // A taller desktop: bars at top and bottom.
    FakeWindowScope tall(1280, 1024);
    KC_WINDOW other;
    other.fSetMode(1024, 768, true, true);
    EXPECT_FLOAT_EQ(other.mScale, 1.25f);
    EXPECT_FLOAT_EQ(other.mOffset.y, 32.0f);
}

TEST(KC_WINDOW, CreationFailureAndHandles) {
    FakeWindowScope fake;
    fake->mFailCreate = true;
    KC_WINDOW window;
    EXPECT_EQ(window.fCreate("x"), -112);
    EXPECT_EQ(window.fGetHandle(), nullptr);
    KEL::fPumpMessages(nullptr, &window);  // no window: nothing happens
    fake->mFailCreate = false;
    ASSERT_EQ(window.fCreate("x"), 1);
    EXPECT_NE(window.fGetHandle(), nullptr);
    EXPECT_EQ(window.fGetDrawableSize(), KS_POINT(1024, 768));
    window.fShowCursor(false);
    EXPECT_FALSE(fake->mCursorVisible);
    EXPECT_FALSE(window.fIsCursorVisible());
    window.fSetTitle("T\xC3\xA9");
    EXPECT_EQ(fake->mTitle, "T\xC3\xA9");
}

TEST(KC_WINDOW, FrameFlagsReachTheHostWindow) {
    FakeWindowScope fake;
    KC_WINDOW window;
    window.mCaption = 0;
    window.mResizable = 1;
    window.mMaximizeBox = 1;
    ASSERT_EQ(window.fCreate("x"), 1);
    EXPECT_FALSE(fake->mStyle.mCaption) << "set before the window opens";
    EXPECT_TRUE(fake->mStyle.mResizable);
    EXPECT_TRUE(fake->mStyle.mMinimizeBox);
    EXPECT_TRUE(fake->mStyle.mMaximizeBox);

    window.fSetMinimizeBox(false);
    EXPECT_FALSE(fake->mStyle.mMinimizeBox);
    window.mCaption = 1;
    window.fSetMode(800, 600, false, false);
    EXPECT_TRUE(fake->mStyle.mCaption) << "the windowed mode applies the flags as they stand";
}

TEST(KC_WINDOW, CreationFailureNamesItsCause) {
    FakeWindowScope fake;
    fake->mFailCreate = true;
    fake->mFailure = "No display: none here.";
    KC_WINDOW window;
    EXPECT_EQ(window.fCreate("x"), -112);
    EXPECT_EQ(window.fGetFailure(), "No display: none here.");
    fake->mFailure.clear();
    EXPECT_EQ(window.fCreate("x"), -112);
    EXPECT_FALSE(window.fGetFailure().empty()) << "a cause even when the platform gives none";
    fake->mFailCreate = false;
    ASSERT_EQ(window.fCreate("x"), 1);
    EXPECT_TRUE(window.fGetFailure().empty());
}

TEST(KC_WINDOW, PumpDeliversEveryMessageInOrder) {
    Slots slots;
    FakeWindowScope fake(1920, 1080);
    KEL::KC_INPUT input;
    KC_WINDOW window;
    ASSERT_EQ(window.fCreate("x"), 1);
    window.fSetMode(1024, 768, true, true);

    fake->fPush(host::kMsgLButtonDown);
    fake->fPush(host::kMsgLButtonUp);
    fake->fPush(host::kMsgRButtonDown);
    fake->fPush(host::kMsgMButtonDown);
    fake->fPush(host::kMsgMButtonUp);
    fake->fPush(host::kMsgKeyDown, 'Q');
    fake->fPush(host::kMsgKeyDown, 'Q');
    fake->fPush(host::kMsgMouseMove, 0, 381, 140);
    fake->fPush(host::kMsgActivate, 0);
    fake->fPush(host::kMsgActivate, 1);
    fake->fPush(host::kMsgActivate, 2);
    fake->fPush(host::kMsgActivate, 0x00010000);  // minimised: neither slot
    fake->fPush(host::kMsgKillFocus);
    fake->fPush(host::kMsgSetFocus);
    fake->fPush(host::kMsgClose);
    KEL::fPumpMessages(&input, &window);

    EXPECT_TRUE(fake->mQueue.empty());
    EXPECT_EQ(input.fGetKey(KEL::KC_INPUT::kMOUSE_LEFT), 255) << "press and release in one pump";
    EXPECT_EQ(input.fGetKey(KEL::KC_INPUT::kMOUSE_RIGHT), 1);
    EXPECT_EQ(input.fGetKey(KEL::KC_INPUT::kMOUSE_MIDDLE), 255);
    EXPECT_EQ(input.fGetKey('Q'), 2) << "a repeat counts further";
    EXPECT_EQ(input.mMousePos, KS_POINT(100, 99)) << "mouse goes through the letterbox";
    EXPECT_EQ((std::vector<int>{4, -4, -4, -4, -4, 2, 1, 1, 2, 1, 3}), gEvents);
}

// Drawable pixels to game pixels, letterboxed or stretched, for the sizes a
// window can end up with.
TEST(KC_WINDOW, MouseMapsFromTheDrawableToTheGamePicture) {
    struct Case {
        const char* what;
        KS_POINT drawable;
        bool letterbox;
        KS_POINT at, game;
    };
    const Case cases[] = {
        {"window of the game's size", {1024, 768}, false, {517, 300}, {517, 300}},
        {"game-size full screen", {1024, 768}, true, {1023, 767}, {1023, 767}},
        {"wide desktop: bars left and right", {1920, 1080}, true, {240, 0}, {0, 0}},
        {"wide desktop, far corner", {1920, 1080}, true, {1679, 1079}, {1023, 767}},
        {"wide desktop, on the left bar", {1920, 1080}, true, {100, 540}, {-99, 384}},
        {"tall desktop: bars top and bottom", {1280, 1024}, true, {0, 32}, {0, 0}},
        {"tall desktop, centre", {1280, 1024}, true, {640, 512}, {512, 384}},
        {"tall desktop, below the picture", {1280, 1024}, true, {640, 1000}, {512, 774}},
        {"small desktop shrinks the picture", {800, 600}, true, {400, 300}, {512, 384}},
        {"window resized by the desktop", {1280, 1024}, false, {640, 512}, {512, 384}},
        {"window squeezed flat", {2048, 384}, false, {1024, 383}, {512, 766}},
        {"pointer left of a stretched window", {2048, 1536}, false, {-3, -3}, {-1, -1}},
        {"no drawable yet", {0, 0}, true, {77, 88}, {77, 88}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KC_WINDOW::fMapToGame(c.at, c.drawable, 1024, 768, c.letterbox), c.game) << c.what;
    }
}

TEST(KC_WINDOW, ClicksLandWhereTheWindowDraws) {
    FakeWindowScope fake(1280, 1024);
    KEL::KC_INPUT input;
    KC_WINDOW window;
    ASSERT_EQ(window.fCreate("x"), 1);
    fake->fPush(host::kMsgMouseMove, 0, 600, 400);
    KEL::fPumpMessages(&input, &window);
    EXPECT_EQ(input.mMousePos, KS_POINT(600, 400)) << "a window of the game's size maps one to one";

    // A desktop that gave the window more room than asked: stretched.
    fake->mDrawableW = 1536;
    fake->mDrawableH = 1152;
    fake->fPush(host::kMsgMouseMove, 0, 900, 600);
    KEL::fPumpMessages(&input, &window);
    EXPECT_EQ(input.mMousePos, KS_POINT(600, 400));

    // Full screen on the 1280 x 1024 desktop: letterboxed, 32-pixel bars.
    fake->mDrawableW = fake->mDrawableH = 0;
    window.fSetMode(1024, 768, true, true);
    fake->fPush(host::kMsgMouseMove, 0, 640, 32);
    KEL::fPumpMessages(&input, &window);
    EXPECT_EQ(input.mMousePos, KS_POINT(512, 0));

    // Full screen the desktop left at the window's size (no one to enlarge
    // it): the drawable, not the desktop, decides.
    fake->mDrawableW = 1024;
    fake->mDrawableH = 768;
    fake->fPush(host::kMsgMouseMove, 0, 300, 200);
    KEL::fPumpMessages(&input, &window);
    EXPECT_EQ(input.mMousePos, KS_POINT(300, 200));

    // Back to a window.
    fake->mDrawableW = fake->mDrawableH = 0;
    window.fSetMode(1024, 768, false, true);
    fake->fPush(host::kMsgMouseMove, 0, 10, 20);
    KEL::fPumpMessages(&input, &window);
    EXPECT_EQ(input.mMousePos, KS_POINT(10, 20));
}

namespace {
std::vector<std::pair<int32_t, std::wstring>> gPasses;  // (last key, typed text) per key-down pass
int32_t fRecordPass(void*) {
    gPasses.emplace_back(KEL::kcINPUT->mLastKey, std::wstring(KEL::kcINPUT->mTypedText));
    return 1;
}
}  // namespace

TEST(KC_WINDOW, TypedTextRidesOnTheKeyThatTypedIt) {
    FakeWindowScope fake;
    fake->mTextInput = true;
    KEL::KC_INPUT input;
    KC_WINDOW window;
    ASSERT_EQ(window.fCreate("x"), 1);
    gPasses.clear();
    KEL::kcbKEY_DOWN = KEL::KC_CALLBACK::fCreate(&fRecordPass, "", nullptr);

    // "Zoë" as a desktop types it: shift and Z (one pass with "Z"), O with
    // "o", then an "ë" with no key the engine knows; the key table would
    // have given "Z" and "o" too, but nothing for the last.
    fake->fPush(host::kMsgKeyDown, 16);
    fake->fPush(host::kMsgKeyDown, 'Z');
    fake->fPush(host::kMsgChar, 'Z');
    fake->fPush(host::kMsgKeyUp, 'Z');
    fake->fPush(host::kMsgKeyUp, 16);
    fake->fPush(host::kMsgKeyDown, 'O');
    fake->fPush(host::kMsgChar, 'o');
    fake->fPush(host::kMsgKeyDown, 8);  // Backspace types nothing
    fake->fPush(host::kMsgChar, 0xEB);
    // A key whose text the layout makes differently (";" on a US board).
    fake->fPush(host::kMsgKeyDown, 0xBA);
    fake->fPush(host::kMsgChar, 0xF6);
    // A key that typed nothing, then a key pressed after it.
    fake->fPush(host::kMsgKeyDown, 'Q');
    fake->fPush(host::kMsgKeyDown, 'R');
    KEL::fPumpMessages(&input, &window);

    const std::vector<std::pair<int32_t, std::wstring>> expected = {
        {16, L""}, {'Z', L"Z"}, {'O', L"o"}, {8, L""}, {0, L"\u00EB"}, {0xBA, L"\u00F6"}, {'Q', L""}, {'R', L""},
    };
    EXPECT_EQ(gPasses, expected);
    EXPECT_TRUE(fake->mQueue.empty());
    EXPECT_EQ(input.fGetKey('R'), 1) << "the message read ahead still counts";

    // Without the host's text, the key table types.
    input.fUpdate();
    fake->mTextInput = false;
    gPasses.clear();
    fake->fPush(host::kMsgKeyDown, 'A');
    KEL::fPumpMessages(&input, &window);
    EXPECT_EQ(gPasses, (std::vector<std::pair<int32_t, std::wstring>>{{'A', L"a"}}));

    delete KEL::kcbKEY_DOWN;
    KEL::kcbKEY_DOWN = nullptr;
}
