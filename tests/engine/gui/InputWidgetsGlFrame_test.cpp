// The text, list, progress and slider sample of the default content drawn
// on the OpenGL device and saved as a picture, then driven with window
// messages through the engine's pump and input: a name typed into the line
// box, the list moved through, every slider dragged to both ends.
#include <gtest/gtest.h>

#include "GuiGlFrame.h"
#include "engine/gui/KC_GUI_ANIMATION_BAR.h"
#include "engine/gui/KC_GUI_LINEBOX.h"
#include "engine/gui/KC_GUI_LISTBOX.h"
#include "engine/gui/KC_GUI_PROGRESS_BAR.h"
#include "engine/gui/KC_GUI_SIMPLE_SLIDER.h"
#include "engine/gui/KC_GUI_SLIDER12.h"
#include "engine/gui/KC_GUI_SLIDER13.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/util/KF_UTF8.h"

using namespace KEL;
using E = KS_GUI_EVENT;

namespace {

constexpr int32_t kSHIFT = 16, kDOWN = 40;

class InputWidgetsGlFrame : public guitest::GuiGlFrame {
protected:
    // One message through the pump; the code of the last pass's event.
    int32_t fSend(uint32_t message, uint32_t key = 0, int32_t x = 0, int32_t y = 0) {
        const KS_MOUSE_RESULT result = fSendMessage(message, key, x, y);
        return result.fHasEvent() ? result.mEvent.mCode : 0;
    }
    int32_t fMove(int32_t x, int32_t y) { return fSend(host::kMsgMouseMove, 0, kCX + x, kCY + y); }
    int32_t fDown() { return fSend(host::kMsgLButtonDown); }
    int32_t fUp() {
        const int32_t code = fSend(host::kMsgLButtonUp);
        fMessages().fStep();
        return code;
    }
    int32_t fKey(int32_t key) {
        const int32_t code = fSend(host::kMsgKeyDown, uint32_t(key));
        fSend(host::kMsgKeyUp, uint32_t(key));
        fMessages().fStep();
        return code;
    }
    void fClick(int32_t x, int32_t y) {
        fMove(x, y);
        fDown();
        fMessages().fStep();
        fUp();
    }
    // Presses at a widget part, drags to (x, y); the drag's code.
    int32_t fDrag(const KS_VEC2& from, int32_t x, int32_t y) {
        fMove(int32_t(from.x) - kCX, int32_t(from.y) - kCY);
        EXPECT_EQ(fDown(), E::kPRESSED);
        fMessages().fStep();
        return fMove(x, y);
    }
    static KS_VEC2 fKnob(KC_BASESLIDER& slider) {
        return slider.fGetPartTransform(KC_BASESLIDER::kKNOB).fGetAbsolute().fGetPos2();
    }
};

}  // namespace

TEST_F(InputWidgetsGlFrame, TheSampleDrawsTakesANameAndEverySliderReachesBothEnds) {
    ASSERT_TRUE(fOpen("widgets"));
    ASSERT_TRUE(fOpenMessages());
    ASSERT_TRUE(fContent().fMountLocked({"data/share/main/other", "data/share/image/gui"}));
    ASSERT_TRUE(fContent().fMount({"data/share/font"}));

    ASSERT_TRUE(fReadLayout("data/share/main/other input_sample.xml"));
    KC_GUI_ROOT* root = mRoot.get();
    for (int32_t id = 1; id <= 11; ++id) EXPECT_NE(root->fFindChild(id), nullptr) << id;
    fPlace();

    auto* box = static_cast<KC_GUI_LINEBOX*>(root->fFindChild(3));
    auto* list = static_cast<KC_GUI_LISTBOX*>(root->fFindChild(4));
    auto* bar = static_cast<KC_GUI_PROGRESS_BAR*>(root->fFindChild(5));
    auto* steps = static_cast<KC_GUI_ANIMATION_BAR*>(root->fFindChild(6));
    auto* slider12 = static_cast<KC_GUI_SLIDER12*>(root->fFindChild(7));
    auto* upright = static_cast<KC_GUI_SLIDER13*>(root->fFindChild(8));
    auto* volume = static_cast<KC_GUI_SIMPLE_SLIDER*>(root->fFindChild(9));
    auto* level = static_cast<KC_GUI_SLIDER13*>(root->fFindChild(10));
    box->fSetText(L"Player One");
    bar->fSetPercent(60);
    steps->fSetPercent(55);
    volume->fSetValue(0.75f);

    // --- the picture ---
    ASSERT_TRUE(fShoot("widgets-2.png"));

    const uint32_t filled = fScreen().fPixel(kCX + 150 - 60, kCY - 30);
    const uint32_t empty = fScreen().fPixel(kCX + 150 + 60, kCY - 30);
    EXPECT_GT((filled >> 8) & 0xFF, (filled >> 16) & 0xFF) << std::hex << filled << " is not the green fill";
    EXPECT_GT((empty >> 16) & 0xFF, 0xC0u) << std::hex << empty << " is not the empty half";
    const uint32_t chosen = fScreen().fPixel(kCX - 120 + 170, kCY + 35 - 114 + 22);
    EXPECT_GT(chosen & 0xFF, (chosen >> 16) & 0xFF) << std::hex << chosen << " is not the chosen row";

    fRouteToRoot();

    // --- a name: a capital, small letters, a refused key, a correction ---
    box->fClear();
    box->fSetRefused(L" \\*/");
    fClick(-120, -135);
    ASSERT_TRUE(box->fIsActive());
    fSend(host::kMsgKeyDown, kSHIFT);
    EXPECT_EQ(fKey('Z'), E::kVALUE_CHANGED);
    fSend(host::kMsgKeyUp, kSHIFT);
    for (int32_t key : {int32_t('O'), int32_t('E'), 0x6A /* keypad * */, int32_t('Q'), 8 /* Backspace */, int32_t('9')})
        fKey(key);
    EXPECT_EQ(box->fGetText(), L"Zoe9");
    EXPECT_EQ(fToUtf8(box->fGetText()), "Zoe9");
    for (int i = 0; i < 20; ++i) fKey('X');
    EXPECT_EQ(box->fGetText().size(), 15u) << "the layout's maximum length";

    // --- the list: moved through past its drawn rows, then clicked ---
    fClick(-120, 35 - 114 + 22);
    EXPECT_EQ(*list->fGetSelected(), L"Ann");
    EXPECT_FALSE(box->fIsActive()) << "the click elsewhere took the keyboard";
    for (int i = 0; i < 7; ++i) fKey(kDOWN);
    EXPECT_EQ(*list->fGetSelected(), L"Farid") << "the sixth row, below the five drawn";
    fClick(-120, 35 - 114 + 45 + 22);
    EXPECT_EQ(*list->fGetSelected(), L"Bj\u00F6rk");

    // --- the simple slider: past both ends ---
    const float runner = volume->fGetRunner()->fGetTransform()->fGetAbsolute().mPosition.x;
    fMove(int32_t(runner) - kCX, 190);
    EXPECT_EQ(fDown(), E::kPRESSED);
    fMessages().fStep();
    EXPECT_EQ(fMove(400, 190), E::kDRAG);
    EXPECT_EQ(volume->fGetValue(), 1.0f);
    EXPECT_EQ(fMove(-500, 190), E::kDRAG);
    EXPECT_EQ(volume->fGetValue(), 0.0f);
    EXPECT_EQ(fUp(), E::kCLICK);

    // --- the track sliders: each knob within a step of the end, then of the
    // start (a pointer over an end button hovers it instead of dragging) ---
    struct {
        KC_BASESLIDER* mSlider;
        KS_VEC2 mEnd, mStart;
    } tracks[] = {{slider12, {236, 30}, {64, 30}}, {upright, {290, 110}, {290, -140}}, {level, {280, 190}, {70, 190}}};
    for (auto& track : tracks) {
        EXPECT_EQ(fDrag(fKnob(*track.mSlider), int32_t(track.mEnd.x), int32_t(track.mEnd.y)), E::kVALUE_CHANGED);
        EXPECT_EQ(track.mSlider->fGetValue(), track.mSlider->fGetMaximum()) << track.mSlider->fGetId();
        fMove(int32_t(track.mStart.x), int32_t(track.mStart.y));
        EXPECT_EQ(track.mSlider->fGetValue(), track.mSlider->fGetMinimum()) << track.mSlider->fGetId();
        EXPECT_EQ(fUp(), E::kVALUE_CHANGED);
        EXPECT_FALSE(track.mSlider->fIsHeld());
    }
    EXPECT_FLOAT_EQ(level->fGetFillLength(), 0.0f);
    // The end buttons step.
    fClick(300, 190);
    EXPECT_EQ(level->fGetValue(), 10.0f);
}
