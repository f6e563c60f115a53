// Track sliders: the value range and its steps, dragging, the end buttons,
// the poll-driven state machine, and the filled slider's fill.
#include "WidgetFixture.h"

#include <cmath>

#include "engine/gui/KC_GUI_SLIDER12.h"
#include "engine/gui/KC_GUI_SLIDER13.h"
#include "engine/platform/KC_INPUT.h"

using namespace KEL;

namespace {

int32_t gChanged = 0;
int32_t fCountChanged(void*) {
    ++gChanged;
    return 1;
}

// A track from (100, 100) to (400, 100) with the default radius 20 and
// button distance 1.5: the knob's range runs from x 130 to 370, 2.4 pixels
// per unit of 0..100.
class SliderTest : public guitest::WidgetFixture {
protected:
    template <class T = KC_GUI_SLIDER12>
    T* fSlider(float minimum = 0, float maximum = 100, float step = 5, KS_VEC2 end = {400, 100}) {
        auto* slider = fAdd<T>(8, std::is_same_v<T, KC_GUI_SLIDER12> ? "strip12.png" : "strip13.png", KS_VEC2{100, 100},
                               end, 20.0f, 1.5f, minimum, maximum, step, 0.0f);
        mRoot->fReloadResources();
        return slider;
    }
    // Grabs the knob where it is and drags it to x.
    int32_t fDragKnobTo(KC_BASESLIDER& slider, int32_t x, int32_t y = 100) {
        const KS_VEC2 knob = slider.fGetPartTransform(KC_BASESLIDER::kKNOB).fGetAbsolute().fGetPos2();
        fMove(int32_t(knob.x), int32_t(knob.y));
        EXPECT_EQ(fCode(fPress()), KS_GUI_EVENT::kPRESSED);
        return fCode(fMove(x, y));
    }
    float fKnobX(KC_BASESLIDER& slider) {
        return slider.fGetPartTransform(KC_BASESLIDER::kKNOB).fGetAbsolute().mPosition.x;
    }
};

TEST_F(SliderTest, ADraggedValueTakesTheEndWithinAStepAndSnapsBetween) {
    KC_GUI_SLIDER12* slider = fSlider();
    EXPECT_FLOAT_EQ(fKnobX(*slider), 130.0f);
    EXPECT_EQ(fDragKnobTo(*slider, 364), KS_GUI_EVENT::kVALUE_CHANGED) << "97.5 units along";
    EXPECT_EQ(slider->fGetValue(), 100.0f);
    EXPECT_FLOAT_EQ(fKnobX(*slider), 370.0f);
    fMove(360, 100);  // 95.8: just below the maximum's step
    EXPECT_EQ(slider->fGetValue(), 95.0f);
    fMove(137, 100);  // 2.9
    EXPECT_EQ(slider->fGetValue(), 0.0f);
    EXPECT_FLOAT_EQ(fKnobX(*slider), 130.0f);
    fMove(145, 100);  // 6.25
    EXPECT_EQ(slider->fGetValue(), 5.0f);
    fMove(245, 100);  // 47.9
    EXPECT_EQ(slider->fGetValue(), 45.0f);
    EXPECT_FLOAT_EQ(fKnobX(*slider), 245.0f) << "the knob stays under the pointer while dragged";
    EXPECT_EQ(fCode(fRelease()), KS_GUI_EVENT::kVALUE_CHANGED);
    EXPECT_FLOAT_EQ(fKnobX(*slider), 238.0f) << "and goes to the value's place when let go";
    EXPECT_FALSE(slider->fIsHeld());
}

TEST_F(SliderTest, TheEndButtonsStepAndTheEndsClamp) {
    KC_GUI_SLIDER12* slider = fSlider();
    slider->fSetValue(100);
    fMove(400, 100);
    EXPECT_EQ(slider->fGetState(KC_BASESLIDER::kEND_BUTTON), KC_BASESLIDER::kHOVERED);
    EXPECT_EQ(fCode(fPress()), KS_GUI_EVENT::kPRESSED);
    EXPECT_EQ(fCode(fRelease()), KS_GUI_EVENT::kVALUE_CHANGED);
    EXPECT_EQ(slider->fGetValue(), 100.0f);
    fStep();
    fMove(100, 100);
    fPress();
    fRelease();
    EXPECT_EQ(slider->fGetValue(), 95.0f);
    slider->fSetValue(-20);
    EXPECT_EQ(slider->fGetValue(), 0.0f);
    slider->fSetValue(1000);
    EXPECT_EQ(slider->fGetValue(), 100.0f);
}

TEST_F(SliderTest, LeavingTheTrackWhileDraggingEndsTheDrag) {
    KC_GUI_SLIDER12* slider = fSlider();
    fDragKnobTo(*slider, 245);
    EXPECT_EQ(fCode(fMove(245, 300)), KS_GUI_EVENT::kVALUE_CHANGED);
    EXPECT_FALSE(slider->fIsHeld());
    EXPECT_FALSE(slider->fIsActive());
    EXPECT_FLOAT_EQ(fKnobX(*slider), 238.0f);
    fMove(300, 100);
    EXPECT_FLOAT_EQ(fKnobX(*slider), 238.0f) << "the knob no longer follows";
    EXPECT_EQ(slider->fGetValue(), 45.0f);
}

TEST_F(SliderTest, EqualEndsOfTheRangeKeepTheKnobAtTheStart) {
    KC_GUI_SLIDER12* slider = fSlider(7, 7, 5);
    EXPECT_FLOAT_EQ(fKnobX(*slider), 130.0f);
    fDragKnobTo(*slider, 300);
    EXPECT_EQ(slider->fGetValue(), 7.0f);
    EXPECT_FLOAT_EQ(fKnobX(*slider), 130.0f);
    fRelease();
    fStep();
    fMove(400, 100);
    fPress();
    fRelease();
    EXPECT_EQ(slider->fGetValue(), 7.0f);
}

TEST_F(SliderTest, StepsBelowOneAreNotSnappedTo) {
    KC_GUI_SLIDER12* slider = fSlider(0, 100, 0);
    fDragKnobTo(*slider, 245);
    EXPECT_EQ(slider->fGetValue(), 47.0f);
    fMove(372, 100);
    EXPECT_EQ(slider->fGetValue(), 100.0f);
    fRelease();
    fStep();
    mRoot->fRemoveChild(slider);
    KC_GUI_SLIDER12* half = fSlider(0, 100, 0.5f);
    fDragKnobTo(*half, 245);
    EXPECT_EQ(half->fGetValue(), 47.0f);
    fMove(369, 100);  // 99.6: whole units below the last half step
    EXPECT_EQ(half->fGetValue(), 99.0f);
    fMove(371, 100);
    EXPECT_EQ(half->fGetValue(), 100.0f);
}

TEST_F(SliderTest, AZeroLengthTrackLiesAlongXAndStaysAtItsMinimum) {
    KC_GUI_SLIDER12* slider = fSlider(0, 100, 5, {100, 100});
    EXPECT_EQ(slider->fGetDirection(), (KS_VEC2{1, 0}));
    EXPECT_FALSE(std::isnan(fKnobX(*slider)));
    fMove(130, 100);
    fPress();
    fMove(200, 100);
    EXPECT_EQ(slider->fGetValue(), 0.0f);
    EXPECT_FALSE(std::isnan(slider->fGetWidth()));
}

TEST_F(SliderTest, ThePollAloneDrivesTheSlider) {
    KC_GUI_SLIDER12* slider = fSlider();
    mInput->fOnMouseMove(100, 100);
    EXPECT_EQ(fCode(mRoot->fPollEvent()), KS_GUI_EVENT::kENTERED);
    mInput->fOnKeyDown(KEL::KC_INPUT::kMOUSE_LEFT);
    EXPECT_EQ(fCode(mRoot->fPollEvent()), KS_GUI_EVENT::kPRESSED);
    fStep();
    const KS_MOUSE_RESULT held = mRoot->fPollEvent();
    EXPECT_TRUE(held.fTaken()) << "a pressed button holds the poll";
    EXPECT_EQ(fCode(held), 0);
    mInput->fOnKeyUp(KEL::KC_INPUT::kMOUSE_LEFT);
    EXPECT_EQ(fCode(mRoot->fPollEvent()), KS_GUI_EVENT::kVALUE_CHANGED);
    EXPECT_EQ(slider->fGetValue(), 0.0f);
    EXPECT_EQ(slider->fGetPiece(kPIECE_START_BUTTON)->mVertices[0].u, 1.0f / 12.0f) << "hovered cell";
    fStep();
    mInput->fOnMouseMove(130, 300);
    EXPECT_FALSE(mRoot->fPollEvent().fTaken()) << "far from the track";
}

TEST_F(SliderTest, TheFillRunsFromTheRangeStartToTheKnob) {
    auto* slider = fAdd<KC_GUI_SLIDER13>(8, "strip13.png", KS_VEC2{100, 100}, KS_VEC2{400, 100}, 20.0f, 1.5f, 0.0f,
                                         100.0f, 5.0f, 0.0f);
    slider->fSetValueChangedScript(std::make_unique<KC_CALLBACK>(&fCountChanged, "changed", nullptr));
    gChanged = 0;
    slider->fSetValue(50);
    EXPECT_EQ(gChanged, 1);
    EXPECT_EQ(slider->fGetWidth(), 0.0f);
    mRoot->fReloadResources();
    EXPECT_FLOAT_EQ(slider->fGetFillLength(), 120.0f) << "a value set before the build";
    slider->fSetValue(0);
    EXPECT_FLOAT_EQ(slider->fGetFillLength(), 0.0f);
    slider->fSetValue(100);
    EXPECT_FLOAT_EQ(slider->fGetFillLength(), 240.0f);
    EXPECT_EQ(slider->fGetFill()->fGetWidth(), 20.0f) << "one cell of the strip";
    EXPECT_NEAR(slider->fGetFill()->mVertices[0].u, 12.0f / 13.0f, 1e-6);
    EXPECT_EQ(slider->fGetWidth(), 300.0f);
    EXPECT_EQ(fDrawnQuads([&] { slider->fDraw(); }), 7u);

    gChanged = 0;
    fDragKnobTo(*slider, 245);
    EXPECT_EQ(gChanged, 0) << "not while dragging";
    EXPECT_FLOAT_EQ(slider->fGetFillLength(), 115.0f);
    fRelease();
    EXPECT_EQ(gChanged, 1);
    mRoot->fReleaseResources();
    EXPECT_EQ(fUses("strip13.png"), 0);
}

}  // namespace
