#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_INPUT.h"

using KEL::KC_INPUT;

namespace {

std::vector<int32_t> gKeysDown;
std::vector<int32_t> gKeysUp;
int32_t gMoves = 0;

int32_t fOnDown(void* a) {
    gKeysDown.push_back(KEL::fKeyFromArgument(a));
    return 1;
}
int32_t fOnUp(void* a) {
    gKeysUp.push_back(KEL::fKeyFromArgument(a));
    return 1;
}
int32_t fOnMove(void*) {
    ++gMoves;
    return 1;
}

std::wstring fTyped(const KC_INPUT& input) { return std::wstring(input.mTypedText); }

}  // namespace

TEST(KC_INPUT, RegistersItselfAndAgesAHeldKeyThroughItsWholeCycle) {
    {
        KC_INPUT input;
        EXPECT_EQ(KEL::kcINPUT, &input);
        EXPECT_EQ(KEL::kpMOUSE_POSITION, &input.mMousePos);

        input.fOnKeyDown('A');
        EXPECT_TRUE(input.fIsKeyPressed('A'));
        EXPECT_EQ(input.mLastKey, 'A');
        input.fUpdate();
        EXPECT_EQ(input.fGetKey('A'), 2);
        EXPECT_EQ(input.mLastKey, 0) << "ageing clears the last key";
        EXPECT_EQ(input.mTypedText[0], 0) << "and the typed text";
        for (int i = 3; i <= 125; ++i) {
            input.fUpdate();
            ASSERT_EQ(input.fGetKey('A'), i);
        }
        input.fUpdate();
        EXPECT_EQ(input.fGetKey('A'), 2) << "126 wraps back to 2";

        input.fOnKeyUp('A');
        EXPECT_TRUE(input.fIsKeyReleased('A'));
        input.fUpdate();
        EXPECT_EQ(input.fGetKey('A'), 0);
        input.fUpdate();
        EXPECT_EQ(input.fGetKey('A'), 0) << "an idle key stays idle";
    }
    EXPECT_EQ(KEL::kcINPUT, nullptr);
    EXPECT_EQ(KEL::kpMOUSE_POSITION, nullptr);
}

TEST(KC_INPUT, PressAndReleaseWithinOneStepAndPressWhileReleased) {
    KC_INPUT input;
    input.fOnKeyDown(1);
    input.fOnKeyUp(1);
    EXPECT_EQ(input.fGetKey(1), 255) << "the press within the step is lost";
    input.fUpdate();
    EXPECT_EQ(input.fGetKey(1), 0);

    input.fOnKeyDown(2);
    input.fUpdate();
    input.fOnKeyUp(2);
    input.fOnKeyDown(2);
    EXPECT_EQ(input.fGetKey(2), 0) << "a key down while the key reads 255 leaves it at 0";

    // Auto-repeat keeps counting; from 121 up a repeat starts over at 2.
    input.fOnKeyDown('B');
    input.fOnKeyDown('B');
    EXPECT_EQ(input.fGetKey('B'), 2);
    input.mKeys['B'] = 121;
    input.fOnKeyDown('B');
    EXPECT_EQ(input.fGetKey('B'), 2);
    input.mKeys['B'] = 120;
    input.fOnKeyDown('B');
    EXPECT_EQ(input.fGetKey('B'), 121);
}

TEST(KC_INPUT, ShiftMarksState20WhichNeverAges) {
    KC_INPUT input;
    input.fOnKeyDown(16);
    EXPECT_EQ(input.fGetKey(16), 1);
    EXPECT_EQ(input.fGetKey(20), 1);
    for (int i = 0; i < 200; ++i) {
        input.fUpdate();
        ASSERT_EQ(input.fGetKey(20), 1);
    }
    EXPECT_GE(input.fGetKey(16), 2);
    input.fOnKeyUp(16);
    EXPECT_EQ(input.fGetKey(16), 255);
    EXPECT_EQ(input.fGetKey(20), 255);
    input.fUpdate();
    EXPECT_EQ(input.fGetKey(16), 0);
    EXPECT_EQ(input.fGetKey(20), 0);
}

TEST(KC_INPUT, TypedTextFollowsTheEngineShiftStates) {
    KC_INPUT input;
    input.fOnKeyDown('A');
    EXPECT_EQ(fTyped(input), L"a");
    input.fOnKeyUp('A');
    input.fUpdate();

    input.fOnKeyDown(16);
    input.fOnKeyDown('A');
    EXPECT_EQ(fTyped(input), L"A") << "held shift types upper case";
    input.fOnKeyDown('1');
    EXPECT_EQ(fTyped(input), L"1") << "held shift leaves digits alone";

    // A key without text after a letter in the same step types nothing.
    input.fOnKeyDown('B');
    input.fOnKeyDown(0x70);
    EXPECT_EQ(fTyped(input), L"");
    input.fOnKeyDown('C');
    input.fOnKeyDown(13);
    EXPECT_EQ(fTyped(input), L"") << "special keys convert nothing and clear the text";
}

TEST(KC_INPUT, SlotsSeeTheUpdatedStateAndTheKeyCode) {
    gKeysDown.clear();
    gKeysUp.clear();
    gMoves = 0;
    KEL::kcbKEY_DOWN = KEL::KC_CALLBACK::fCreate(&fOnDown, "", nullptr);
    KEL::kcbKEY_UP = KEL::KC_CALLBACK::fCreate(&fOnUp, "", nullptr);
    KEL::kcbMOUSE_MOVE = KEL::KC_CALLBACK::fCreate(&fOnMove, "", nullptr);
    {
        KC_INPUT input;
        input.fOnKeyDown(38);
        input.fOnKeyUp(38);
        input.fOnMouseMove(10, 20);
        input.fOnMouseMove(30, 40);
        EXPECT_EQ(input.mPrevMousePos, KEL::KS_POINT(10, 20));
        EXPECT_EQ(input.mMousePos, KEL::KS_POINT(30, 40));
        float x = 0, y = 0;
        EXPECT_EQ(input.fGetTouchPosition(0, x, y), 1);
        EXPECT_EQ(x, 30.0f);
        EXPECT_EQ(input.fGetTouchPosition(1, x, y), -1);
        input.fOnKeyDown(-1);
        input.fOnKeyUp(256);
        EXPECT_EQ(input.fGetKey(300), 0);
    }
    EXPECT_EQ(gKeysDown, std::vector<int32_t>{38});
    EXPECT_EQ(gKeysUp, std::vector<int32_t>{38});
    EXPECT_EQ(gMoves, 2);
    for (KEL::KC_CALLBACK** slot : {&KEL::kcbKEY_DOWN, &KEL::kcbKEY_UP, &KEL::kcbMOUSE_MOVE}) {
        delete *slot;
        *slot = nullptr;
    }
}

TEST(KC_INPUT, SpecialKeys) {
    for (int32_t k : {8, 13, 16, 17, 27, 35, 36, 37, 38, 39, 40, 45, 46}) EXPECT_TRUE(KC_INPUT::fIsSpecialKey(k)) << k;
    for (int32_t k : {1, 9, 20, 32, 34, 41, 44, 65, 0x70}) EXPECT_FALSE(KC_INPUT::fIsSpecialKey(k)) << k;
}
