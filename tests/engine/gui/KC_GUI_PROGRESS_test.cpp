// Progress bars, the animation bar and the simple slider.
#include "WidgetFixture.h"

#include "engine/gui/KC_GUI_ANIMATION_BAR.h"
#include "engine/gui/KC_GUI_PROGRESS_BAR.h"
#include "engine/gui/KC_GUI_SIMPLE_SLIDER.h"

using namespace KEL;

namespace {

int32_t gFilled = 0;
int32_t fCountFilled(void*) {
    ++gFilled;
    return 1;
}

class ProgressTest : public guitest::WidgetFixture {
protected:
    void SetUp() override {
        WidgetFixture::SetUp();
        gFilled = 0;
    }
    template <class T>
    void fCountFills(T& bar) {
        bar.fSetFilledScript(std::make_unique<KC_CALLBACK>(&fCountFilled, "filled", nullptr));
    }
};

TEST_F(ProgressTest, FilledRunsOnceForEachRiseToFull) {
    auto* bar = fAdd<KC_GUI_PROGRESS_BAR>(5, "bar.png");
    fCountFills(*bar);
    mRoot->fReloadResources();
    bar->fSetPercent(150);
    EXPECT_TRUE(bar->fIsFull());
    EXPECT_EQ(bar->fGetValue(), 100.0f);
    EXPECT_EQ(gFilled, 1);
    bar->fSetPercent(100);
    EXPECT_EQ(gFilled, 1);
    bar->fSetPercent(99);
    bar->fAddPercent(1);
    EXPECT_EQ(gFilled, 2);
    bar->fSetValue(50);
    EXPECT_FLOAT_EQ(bar->fGetRatio(), 0.5f);
}

TEST_F(ProgressTest, TheFillCropsTheFullHalfFromTheLeftEdge) {
    auto* bar = fAdd<KC_GUI_PROGRESS_BAR>(5, "bar.png");
    bar->fSetPosition(300, 100, 0);
    mRoot->fReloadResources();
    EXPECT_EQ(bar->fGetBarWidth(), 100);
    bar->fSetPercent(-5);
    EXPECT_EQ(bar->fGetFill()->fGetWidth(), 0.0f);
    bar->fSetPercent(40);
    const KC_QUAD* fill = bar->fGetFill();
    EXPECT_EQ(fill->fGetWidth(), 40.0f);
    EXPECT_FLOAT_EQ(fill->mVertices[0].u, 0.5f);
    EXPECT_FLOAT_EQ(fill->mVertices[1].u, 0.7f);
    KS_VEC2 c0, c1, c2, c3;
    fill->fGetCorners(c0, c1, c2, c3);
    EXPECT_FLOAT_EQ(c0.x, 250.0f) << "the bar's left edge";
    EXPECT_FLOAT_EQ(c1.x, 290.0f);
}

TEST_F(ProgressTest, ASizeGivenBeforeTheBuildIsKept) {
    auto* bar = fAdd<KC_GUI_PROGRESS_BAR>(5, "bar.png");
    bar->fSetSize(160, 12);
    bar->fSetPercent(50);
    mRoot->fReloadResources();
    EXPECT_EQ(bar->fGetBackground()->fGetWidth(), 160.0f);
    EXPECT_EQ(bar->fGetFill()->fGetWidth(), 80.0f);
    mRoot->fReleaseResources();
    EXPECT_EQ(fUses("bar.png"), 0);
}

TEST_F(ProgressTest, AnAnimationBarShowsTheCellOfItsRatio) {
    auto* bar = fAdd<KC_GUI_ANIMATION_BAR>(6, "grid.png", 5, 2, 10);
    fCountFills(*bar);
    EXPECT_EQ(bar->fGetWidth(), 20.0f);
    bar->fSetPercent(95);
    EXPECT_EQ(bar->fGetFrame(), 8);
    bar->fSetPercent(100);
    EXPECT_EQ(bar->fGetFrame(), 9);
    EXPECT_EQ(gFilled, 1);
    EXPECT_FLOAT_EQ(bar->fGetSprite()->mVertices[0].v, 0.5f) << "second row of cells";
}

TEST_F(ProgressTest, AnAnimationBarWithoutColumnsOrFramesStaysOnTheSheet) {
    auto* empty = fAdd<KC_GUI_ANIMATION_BAR>(6, "grid.png", 0, 0, 0);
    empty->fSetPercent(100);
    EXPECT_EQ(empty->fGetFrame(), 0);
    auto* many = fAdd<KC_GUI_ANIMATION_BAR>(7, "grid.png", 2, 1, 40);
    many->fSetPercent(100);
    EXPECT_EQ(many->fGetFrame(), 1);
}

class SimpleSliderTest : public guitest::WidgetFixture {
protected:
    // A 100-pixel bar at (300, 100) with a 20-pixel runner: the track runs
    // from x 260 to 340.
    KC_GUI_SIMPLE_SLIDER* fSlider(const char* runner = "runner.png") {
        auto* slider = fAdd<KC_GUI_SIMPLE_SLIDER>(9, "bar.png", runner);
        slider->fSetPosition(300, 100, 0);
        mRoot->fReloadResources();
        return slider;
    }
};

TEST_F(SimpleSliderTest, DraggingPastEitherEndGivesExactlyZeroOrOne) {
    KC_GUI_SIMPLE_SLIDER* slider = fSlider();
    EXPECT_EQ(slider->fGetTrack(), 80.0f);
    fMove(260, 100);
    EXPECT_EQ(fCode(fPress()), KS_GUI_EVENT::kPRESSED);
    EXPECT_EQ(fCode(fMove(500, 100)), KS_GUI_EVENT::kDRAG);
    EXPECT_EQ(slider->fGetValue(), 1.0f);
    EXPECT_EQ(fCode(fMove(501, 130)), KS_GUI_EVENT::kDRAG) << "reported even when nothing changed";
    EXPECT_EQ(fCode(fMove(0, 100)), KS_GUI_EVENT::kDRAG);
    EXPECT_EQ(slider->fGetValue(), 0.0f);
    fMove(280, 100);
    EXPECT_FLOAT_EQ(slider->fGetValue(), 0.25f);
    EXPECT_EQ(fCode(fRelease()), KS_GUI_EVENT::kCLICK);
    EXPECT_EQ(fCode(fMove(320, 100)), 0);
}

TEST_F(SimpleSliderTest, ValuesPlaceTheRunnerAndAnyKeyGrabsIt) {
    KC_GUI_SIMPLE_SLIDER* slider = fSlider();
    slider->fSetValue(0.5f);
    EXPECT_FLOAT_EQ(slider->fGetValue(), 0.5f);
    fMove(300, 100);
    EXPECT_EQ(fCode(fPress('A')), KS_GUI_EVENT::kPRESSED);
    EXPECT_TRUE(slider->fIsHeld());
    EXPECT_EQ(fCode(fRelease('A')), KS_GUI_EVENT::kCLICK);
    EXPECT_EQ(fDrawnQuads([&] { slider->fDraw(); }), 3u);
}

TEST_F(SimpleSliderTest, ARunnerAsWideAsTheBarHasNoTrack) {
    fWrite("wide.png", "100 20");
    fMount();
    KC_GUI_SIMPLE_SLIDER* slider = fSlider("wide.png");
    EXPECT_EQ(slider->fGetTrack(), 0.0f);
    fMove(300, 100);
    fPress();
    fMove(340, 100);
    EXPECT_EQ(slider->fGetValue(), 0.0f);
    slider->fSetValue(0.7f);
    EXPECT_EQ(slider->fGetValue(), 0.0f);
}

}  // namespace
