#include <gtest/gtest.h>

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
int32_t fGained(void*) { gEvents.push_back(1); return 1; }
int32_t fLost(void*) { gEvents.push_back(2); return 1; }
int32_t fClose(void*) { gEvents.push_back(3); return 1; }
int32_t fKeyDown(void*) {
    // The input state is already counted when the slot runs.
    gEvents.push_back(KEL::kcINPUT && KEL::kcINPUT->fGetKey(1) == 1 ? 4 : -4);
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
        for (KEL::KC_CALLBACK** slot : {&KEL::kcbFOCUS_GAINED, &KEL::kcbFOCUS_LOST, &KEL::kcbCLOSE, &KEL::kcbKEY_DOWN}) {
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
    EXPECT_EQ(window.fScreenToGame(KS_POINT(240, 0)), KS_POINT(240, 0)) << "no mapping without scale to screen";
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
    EXPECT_EQ(input.fGetKey(1), 255) << "press and release in one pump";
    EXPECT_EQ(input.fGetKey(2), 1);
    EXPECT_EQ(input.fGetKey(4), 255);
    EXPECT_EQ(input.fGetKey('Q'), 2) << "a repeat counts further";
    EXPECT_EQ(input.mMousePos, KS_POINT(100, 99)) << "mouse goes through the letterbox";
    EXPECT_EQ((std::vector<int>{4, -4, -4, -4, -4, 2, 1, 1, 2, 1, 3}), gEvents);
}
