#include <gtest/gtest.h>

#include "PagesFixture.h"
#include "engine/platform/KC_INPUT.h"
#include "support/FuzzFindings.h"

using KEL::KS_MOUSE_RESULT;
using KEL::KS_VEC3;
using pagestest::fPageFile;
using pagestest::KC_TEST_PAGES;
using pagestest::PagesTest;

TEST_F(PagesTest, PageCountsFollowItemsAndCells) {
    KC_TEST_PAGES seven, six, none, noCells;
    fWrite("seven.xml", fPageFile("cols=\"3\" rows=\"2\"", 7));
    fWrite("six.xml", fPageFile("cols=\"3\" rows=\"2\"", 6));
    fWrite("none.xml", fPageFile("cols=\"3\" rows=\"2\"", 0));
    fWrite("nocells.xml", fPageFile("", 4));
    fMount();
    seven.fLoad("data seven.xml");
    six.fLoad("data six.xml");
    none.fLoad("data none.xml");
    noCells.fLoad("data nocells.xml");
    EXPECT_EQ(seven.fGetPageCount(), 2);
    EXPECT_EQ(six.fGetPageCount(), 1);
    EXPECT_EQ(none.fGetPageCount(), 0);
    EXPECT_EQ(noCells.fGetPageCount(), 0) << "no cells, no pages";
    EXPECT_EQ(noCells.fGetItemCount(), 4);

    KC_TEST_PAGES missing;
    missing.fLoad("data absent.xml");
    EXPECT_EQ(missing.fGetItemCount(), 0);
    EXPECT_EQ(missing.fGetPageStep(), KEL::KS_VEC2(0, 0)) << "nothing read";
}

TEST_F(PagesTest, SettingsAndSkippedChildren) {
    KC_TEST_PAGES pages;
    fLoad(pages, "<pages cols='2' rows='1' turn_type='SLIDE_VERTICAL' turn_speed='50' turn_time='0.5'>"
                 "<item n='0'/><gEXAMPLE n='77'/><!-- a note --><skip/><item n='1'/><gEXAMPLE n='78'/>"
                 "<item n='2'/></pages>");
    EXPECT_EQ(pages.fGetTurnType(), KEL::gPages::kSLIDE_VERTICAL);
    EXPECT_EQ(pages.fGetTurnTime(), 0.5f);
    EXPECT_EQ(pages.fGetTurnSpeed(), 0.0f) << "a turn time clears the speed";
    EXPECT_EQ(pages.fGetPageStep(), KEL::KS_VEC2(1024, 768)) << "the logical screen by default";
    EXPECT_EQ(pages.mIndices, (std::vector<int32_t>{0, 1, 1, 2})) << "a skipped child takes no index";
    EXPECT_EQ(pages.mExample, 77);
    ASSERT_EQ(pages.fGetItemCount(), 3);
    EXPECT_EQ(pages.fGetPageCount(), 2);

    EXPECT_EQ(KEL::gPages::fTurnTypeFromName("slide_horizontal"), KEL::gPages::kUNKNOWN_TURN);
    EXPECT_EQ(KEL::gPages::fTurnTypeFromName("SLIDE_TO_POINT"), KEL::gPages::kSLIDE_TO_POINT);
}

TEST_F(PagesTest, ItemsKeepDocumentOrderAndShareCellPositions) {
    KC_TEST_PAGES pages;
    fLoad(pages, fPageFile("cols='3' rows='2' interval_x='10' interval_y='20'", 7));
    fFrames(pages, 3, 0.1f);
    EXPECT_EQ(pages.fGetBlockWidth(), 320);
    EXPECT_EQ(pages.fGetBlockHeight(), 120);
    pages.fSetPosition(500, 400);
    pages.fDraw();
    EXPECT_EQ(pages.mLog.mDrawn, (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(pages.mLog.mDrawnAt[0], KS_VEC3(500 - 110, 400 - 35, 0));
    EXPECT_EQ(pages.mLog.mDrawnAt[4], KS_VEC3(500, 400 + 35, 0));
    EXPECT_EQ(pages.mLog.mAnchors, std::vector<intptr_t>(7, 4));

    pages.mLog = {};
    pages.fDrawPage(1);
    pages.fDrawPage(2);
    pages.fDrawPage(-1);
    EXPECT_EQ(pages.mLog.mDrawn, std::vector<int32_t>{6});
    EXPECT_EQ(pages.mLog.mDrawnAt[0], KS_VEC3(500 - 110, 400 - 35, 0)) << "the next page starts at the first cell";
}

TEST_F(PagesTest, SlidesLastTheirDistanceOverTheSpeedAndEndAtRest) {
    KC_TEST_PAGES pages;
    fLoad(pages, fPageFile("cols='1' rows='1' turn_type='SLIDE_HORIZONTAL' turn_speed='512' "
                           "turn_offset='1024 768'",
                           3));
    pages.fSetPosition(200, 300);
    ASSERT_TRUE(pages.fTurnNext());
    EXPECT_TRUE(pages.fIsTurning());
    fFrames(pages, 4, 0.25f);  // one second of two
    pages.fDraw();
    ASSERT_EQ(pages.mLog.mDrawn, (std::vector<int32_t>{0, 1}));
    EXPECT_NEAR(pages.mLog.mDrawnAt[0].x, 200 - 512, 1e-3) << "half way";
    EXPECT_NEAR(pages.mLog.mDrawnAt[1].x, 200 - 512 + 1024, 1e-3) << "the next page one step right";

    fFrames(pages, 3, 0.25f);
    EXPECT_EQ(pages.fGetCurrentPage(), 0);
    fFrames(pages, 1, 0.25f);
    EXPECT_EQ(pages.fGetCurrentPage(), 1);
    EXPECT_EQ(pages.fGetStrip().mPosition, KS_VEC3(200, 300, 0)) << "back at rest, exactly";
    fFrames(pages, 1, 0.25f);
    EXPECT_FALSE(pages.fIsTurning());
    EXPECT_EQ(pages.fGetStrip().mPosition, KS_VEC3(200, 300, 0));

    // Back again, vertically: 768 / 512 = 1.5 seconds.
    KC_TEST_PAGES vertical;
    fWrite("v.xml", fPageFile("cols='1' rows='1' turn_type='SLIDE_VERTICAL' turn_speed='512'", 2));
    fMount();
    vertical.fLoad("data v.xml");
    ASSERT_TRUE(vertical.fTurnNext());
    fFrames(vertical, 5, 0.25f);
    EXPECT_EQ(vertical.fGetCurrentPage(), 0);
    fFrames(vertical, 1, 0.25f);
    EXPECT_EQ(vertical.fGetCurrentPage(), 1);
}

TEST_F(PagesTest, TurnsDuringATurnAndPastTheEndsAreRefused) {
    KC_TEST_PAGES pages;
    fLoad(pages, fPageFile("cols='1' rows='1' turn_type='SLIDE_HORIZONTAL' turn_time='1'", 2));
    EXPECT_FALSE(pages.fTurnPrev()) << "no page before the first";
    ASSERT_TRUE(pages.fTurnNext());
    EXPECT_FALSE(pages.fHasNextPage()) << "answers for the target page";
    EXPECT_TRUE(pages.fHasPrevPage());
    fFrames(pages, 2, 0.25f);
    EXPECT_FALSE(pages.fTurnNext());
    EXPECT_FALSE(pages.fTurnPrev()) << "no queueing, either way";
    fFrames(pages, 3, 0.25f);
    EXPECT_FALSE(pages.fIsTurning());
    EXPECT_EQ(pages.fGetCurrentPage(), 1);
    EXPECT_FALSE(pages.fTurnNext()) << "no page after the last";
    EXPECT_TRUE(pages.fTurnPrev());
}

TEST_F(PagesTest, ResetDuringATurnLeavesAnIdleFirstPage) {
    KC_TEST_PAGES pages;
    fLoad(pages, fPageFile("cols='1' rows='1' turn_type='SLIDE_TO_POINT' turn_time='1' turn_offset='30 40'", 3));
    pages.fSetPosition(10, 10);
    ASSERT_TRUE(pages.fTurnNext());
    fFrames(pages, 2, 0.25f);
    EXPECT_NE(pages.fGetStrip().mPosition, KS_VEC3(10, 10, 0));
    pages.fResetPage();
    EXPECT_FALSE(pages.fIsTurning());
    EXPECT_EQ(pages.fGetStrip().mPosition, KS_VEC3(10, 10, 0));
    fFrames(pages, 8, 0.25f);
    EXPECT_EQ(pages.fGetCurrentPage(), 0) << "the dropped turn writes nothing later";
    EXPECT_EQ(pages.fGetStrip().mPosition, KS_VEC3(10, 10, 0));
    EXPECT_TRUE(pages.fTurnNext());
}

TEST_F(PagesTest, ASlideWithoutTimeOrSpeedStillEnds) {
    KC_TEST_PAGES pages;
    fLoad(pages, fPageFile("cols='2' rows='1' turn_type='SLIDE_HORIZONTAL'", 3));
    ASSERT_TRUE(pages.fTurnNext());
    fFrames(pages, 5, 0.25f);
    EXPECT_FALSE(pages.fIsTurning()) << "the mover's own second";
    EXPECT_EQ(pages.fGetCurrentPage(), 1);
    EXPECT_EQ(pages.fGetStrip().mPosition, KS_VEC3(0, 0, 0));
}

TEST_F(PagesTest, JumpsClampAndReportWhetherThePageChanged) {
    KC_TEST_PAGES pages, empty;
    fLoad(pages, fPageFile("cols='2' rows='2' turn_type='NOT_A_TYPE'", 5));
    EXPECT_TRUE(pages.fTurnNext());
    EXPECT_EQ(pages.fGetCurrentPage(), 1);
    EXPECT_FALSE(pages.fIsTurning());
    EXPECT_FALSE(pages.fTurnNext()) << "the last page stays";
    EXPECT_EQ(pages.fGetCurrentPage(), 1);
    EXPECT_TRUE(pages.fTurnPrev());
    EXPECT_FALSE(pages.fTurnPrev());

    fWrite("empty.xml", fPageFile("cols='2' rows='2'", 0));
    fMount();
    empty.fLoad("data empty.xml");
    EXPECT_FALSE(empty.fTurnNext());
    EXPECT_FALSE(empty.fTurnPrev());
    EXPECT_EQ(empty.fGetCurrentPage(), 0) << "never page -1";
    empty.fDraw();
    EXPECT_FALSE(empty.fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT).fTaken());
}

TEST_F(PagesTest, ClicksGoToTheCurrentPageUntilOneIsTaken) {
    KC_TEST_PAGES pages;
    fLoad(pages, "<pages cols='3' rows='1'><item n='0'/><item n='1' takes='1'/><item n='2' takes='1'/>"
                 "<item n='3' takes='1'/></pages>");
    const KS_MOUSE_RESULT up = pages.fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT);
    EXPECT_EQ(pages.mLog.mAsked, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(pages.mClicked, std::vector<int32_t>{1});
    ASSERT_TRUE(up.fHasEvent());
    EXPECT_EQ(up.mEvent, (KEL::KS_GUI_EVENT{1, KEL::KS_GUI_EVENT::kCLICK}));

    const KS_MOUSE_RESULT down = pages.fOnMouseDown(KEL::KC_INPUT::kMOUSE_RIGHT);
    EXPECT_EQ(down.mEvent, (KEL::KS_GUI_EVENT{1, KEL::KS_GUI_EVENT::kPRESSED}));
    EXPECT_EQ(pages.mClicked.size(), 1u) << "a press clicks nothing";

    pages.mLog.mAsked.clear();
    EXPECT_FALSE(pages.fOnMouseUp(KEL::KC_INPUT::kMOUSE_MIDDLE).fTaken());
    EXPECT_FALSE(pages.fOnMouseDown(65).fTaken());
    EXPECT_TRUE(pages.mLog.mAsked.empty()) << "only the left and right buttons";

    ASSERT_TRUE(pages.fTurnNext());
    EXPECT_TRUE(pages.fOnMouseUp(KEL::KC_INPUT::kMOUSE_LEFT).fTaken());
    EXPECT_EQ(pages.mLog.mAsked, std::vector<int32_t>{3}) << "only the current page";
    EXPECT_FALSE(pages.fOnMouseMove().fTaken());
}

TEST_F(PagesTest, HostileNumbersAreRefusedWithAnErrorAndLoadNothing) {
    std::vector<std::string> texts = {
        fPageFile("cols='65536' rows='65536'", 5),
        fPageFile("cols='2147483647' rows='2'", 5),
        fPageFile("cols='-3' rows='-3'", 5),
        fPageFile("cols='2' rows='99999999999'", 5),
        fPageFile("cols='2' rows='2' interval_x='2147483647'", 5),
        fPageFile("cols='2' rows='2' interval_y='-2147483648'", 5),
        fPageFile("cols='2' rows='2' turn_time='nan'", 5),
        fPageFile("cols='2' rows='2' turn_speed='inf'", 5),
        testsupport::fFinding("pages-cells-overflow.xml"),
        testsupport::fFinding("pages-int-max.xml"),
    };
    for (size_t i = 0; i < texts.size(); ++i) fWrite("hostile" + std::to_string(i) + ".xml", texts[i]);
    fMount();
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string name = "data hostile" + std::to_string(i) + ".xml";
        KEL::fErrorText().clear();
        KC_TEST_PAGES pages;
        pages.fLoad(name);
        pages.fReloadResources();
        EXPECT_EQ(pages.fGetItemCount(), 0) << texts[i];
        EXPECT_EQ(pages.fGetPageCount(), 0) << texts[i];
        EXPECT_EQ(pages.fGetPerPage(), 0) << texts[i];
        EXPECT_NE(KEL::fErrorText().find("Page file " + name), std::string::npos) << texts[i];
        EXPECT_FALSE(pages.fTurnNext());
        pages.fDraw();
    }
}

TEST_F(PagesTest, TheLargestSettingsAndHugeItemsLayOutWithoutOverflow) {
    KC_TEST_PAGES pages;
    std::string text = "<pages cols='1024' rows='1024' interval_x='16384' interval_y='-16384'>";
    for (int i = 0; i < 3; ++i) text += "<item n='" + std::to_string(i) + "' w='2147483647' h='2147483647'/>";
    fLoad(pages, text + "</pages>");
    EXPECT_EQ(pages.fGetPerPage(), 1024 * 1024);
    EXPECT_EQ(pages.fGetPageCount(), 1);
    EXPECT_EQ(pages.fGetBlockWidth(), INT32_MAX) << "held at the largest width";
    pages.fDraw();
    ASSERT_EQ(pages.mLog.mDrawnAt.size(), 3u);
    EXPECT_LT(pages.mLog.mDrawnAt[0].x, pages.mLog.mDrawnAt[1].x) << "cells still run left to right";

    pages.fSetCols(65536);
    pages.fSetRows(65536);
    EXPECT_EQ(pages.fGetPerPage(), INT32_MAX);
    pages.fSetRows(-1);
    EXPECT_EQ(pages.fGetPerPage(), 0);
}
