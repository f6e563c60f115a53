#include <gtest/gtest.h>

#include "PagesFixture.h"
#include "engine/windows/G_PAGES_DOTS.h"

using KEL::G_PAGES_DOTS;
using pagestest::fPageFile;
using pagestest::KC_TEST_PAGES;
using pagestest::PagesTest;

TEST_F(PagesTest, DotsCountStepAndStayInRange) {
    G_PAGES_DOTS dots("dots.png");
    dots.fNext();
    EXPECT_EQ(dots.fGetCurrent(), 0u) << "no dots, nothing to move to";
    dots.fSetCount(3);
    dots.fNext();
    dots.fNext();
    dots.fNext();
    EXPECT_EQ(dots.fGetCurrent(), 2u) << "the last dot stays";
    dots.fSetCount(2);
    EXPECT_EQ(dots.fGetCurrent(), 1u);
    dots.fPrev();
    dots.fPrev();
    EXPECT_EQ(dots.fGetCurrent(), 0u);
}

TEST_F(PagesTest, DotsDrawCentredWithTheCurrentFrame) {
    fWrite("dots.png", "40 20");
    fMount();
    pugi::xml_document document;
    document.load_string("<IOS_PAGE_NUMBER file='data dots.png'><TRANSFORM>500 700 0 0 0 0 0 0 0 1 1 1"
                         "</TRANSFORM></IOS_PAGE_NUMBER>");
    G_PAGES_DOTS dots(document.first_child());
    dots.fReloadResources();
    EXPECT_EQ(dots.fGetSprite().fGetWidth(), 20.0f) << "half the strip";
    EXPECT_EQ(fUses("data dots.png"), 1);

    ASSERT_EQ(mRender.fBeginFrame(), 1);
    dots.fSetCount(1);
    dots.fDraw();
    EXPECT_EQ(mRender.fGetRequestCount(), 0) << "one dot is no row";
    dots.fSetCount(3);
    dots.fDraw();
    EXPECT_EQ(mRender.fGetRequestCount(), 3);
    EXPECT_FLOAT_EQ(mRender.fGetWorld().m[12], 500.0f - 20.0f + 2 * 20.0f) << "the last of three";
    EXPECT_FLOAT_EQ(mRender.fGetWorld().m[13], 700.0f - 10.0f) << "anchored middle left";
    EXPECT_FLOAT_EQ(dots.fGetSprite().mVertices[0].u, 0.5f) << "another page's dot";
    dots.fNext();
    dots.fNext();
    dots.fDraw();
    EXPECT_FLOAT_EQ(dots.fGetSprite().mVertices[0].u, 0.0f) << "the current page's dot";
    mRender.fEndFrame();

    dots.fReleaseResources();
    EXPECT_EQ(fUses("data dots.png"), 0);
}

// The window's arrow: the dots follow the pages only when a turn happened.
TEST_F(PagesTest, DotsMoveOnlyWhenATurnHappened) {
    KC_TEST_PAGES pages;
    fLoad(pages, fPageFile("cols='1' rows='1' turn_type='SLIDE_HORIZONTAL' turn_time='1'", 3));
    G_PAGES_DOTS dots("dots.png");
    dots.fSetCount(static_cast<uint32_t>(pages.fGetPageCount()));
    const auto next = [&] {
        if (pages.fTurnNext()) dots.fNext();
    };
    next();
    next();  // during the slide: refused
    EXPECT_EQ(dots.fGetCurrent(), 1u);
    fFrames(pages, 5, 0.25f);
    next();
    fFrames(pages, 5, 0.25f);
    next();  // past the last page: refused
    EXPECT_EQ(dots.fGetCurrent(), 2u);
    EXPECT_EQ(static_cast<int32_t>(dots.fGetCurrent()), pages.fGetCurrentPage());
}
