// Help pages turn on the arrows, never past either end, also when the
// page file slides.
#include <gtest/gtest.h>

#include "engine/gui/KC_GUI_BUTTON5.h"
#include "game/screens/GG_WINDOW_HELP.h"
#include "game/screens/pages/gPages_Help.h"
#include "tests/game/screens/WindowsFromTextFixture.h"

using game::GG_WINDOW_HELP;

namespace {

class HelpTest : public windowsfromtexttest::WindowsFromTextTest {
protected:
    GG_WINDOW_HELP& fHelp(const std::string& turn, int pages) {
        std::string file = "<h cols='1' rows='1' " + turn + ">";
        for (int i = 0; i < pages; ++i)
            file += "<p size='560 360'><GUI><IMAGE ID='1' TEXTURE='data picture.png'/></GUI></p>";
        fWrite("picture.png", "360 200");
        fWrite("help_pages.xml", file + "</h>");
        fMount();
        auto* help = static_cast<GG_WINDOW_HELP*>(mManager.fAddWindow(std::make_unique<GG_WINDOW_HELP>(fNode(
            "<window _type='GG_WINDOW_HELP' _name='Help' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL'>"
            "<gPages file='data help_pages.xml' pos_x='0' pos_y='-10'/>"
            "<IOS_PAGE_NUMBER file='data dots.png'><TRANSFORM>0 196 0 0 0 0 0 0 0 1 1 1</TRANSFORM></IOS_PAGE_NUMBER>"
            "<GUI><BUTTON5 ID='2' TEXTURE='b.png'/><BUTTON5 ID='3' TEXTURE='b.png'/><BUTTON5 ID='4' TEXTURE='b.png'/>"
            "</GUI></window>"))));
        mManager.fShowWindow("Help");
        fFrames(1);
        return *help;
    }
    bool fEnabled(KEL::G_WINDOW& window, int32_t id) {
        auto* button = dynamic_cast<KEL::KC_GUI_BUTTON5*>(window.fGetGui()->fFindChild(id));
        return button && button->fGetState() != KEL::KC_GUI_BUTTON5::kDISABLED;
    }
};

}  // namespace

TEST_F(HelpTest, PagesStopAtBothEndsWithTheDotsAndArrows) {
    GG_WINDOW_HELP& help = fHelp("turn_type='MOMENTAL'", 3);
    ASSERT_EQ(help.fGetPages()->fGetPageCount(), 3);
    EXPECT_FALSE(fEnabled(help, GG_WINDOW_HELP::kPREVIOUS));
    EXPECT_TRUE(fEnabled(help, GG_WINDOW_HELP::kNEXT));

    help.fOnClick(GG_WINDOW_HELP::kPREVIOUS);
    EXPECT_EQ(help.fGetPages()->fGetCurrentPage(), 0);
    EXPECT_EQ(help.fGetDots()->fGetCurrent(), 0u);
    for (int i = 0; i < 4; ++i) help.fOnClick(GG_WINDOW_HELP::kNEXT);
    EXPECT_EQ(help.fGetPages()->fGetCurrentPage(), 2);
    EXPECT_EQ(help.fGetDots()->fGetCurrent(), 2u);
    EXPECT_FALSE(fEnabled(help, GG_WINDOW_HELP::kNEXT));
    EXPECT_TRUE(fEnabled(help, GG_WINDOW_HELP::kPREVIOUS));
    for (int i = 0; i < 4; ++i) help.fOnClick(GG_WINDOW_HELP::kPREVIOUS);
    EXPECT_EQ(help.fGetPages()->fGetCurrentPage(), 0);
    EXPECT_EQ(help.fGetDots()->fGetCurrent(), 0u);

    help.fOnClick(GG_WINDOW_HELP::kCLOSE);
    fFrames(1);
    EXPECT_FALSE(mManager.fIsOpen("Help"));
}

TEST_F(HelpTest, OnePageGreysBothArrows) {
    GG_WINDOW_HELP& help = fHelp("turn_type='MOMENTAL'", 1);
    EXPECT_FALSE(fEnabled(help, GG_WINDOW_HELP::kPREVIOUS));
    EXPECT_FALSE(fEnabled(help, GG_WINDOW_HELP::kNEXT));
}

TEST_F(HelpTest, ASlidingTurnRunsToItsEndSoTheNextOneCanStart) {
    GG_WINDOW_HELP& help = fHelp("turn_type='SLIDE_HORIZONTAL' turn_time='0.5' turn_offset='640 0'", 3);
    help.fOnClick(GG_WINDOW_HELP::kNEXT);
    fFrames(6);
    EXPECT_EQ(help.fGetPages()->fGetCurrentPage(), 1);
    EXPECT_FALSE(help.fGetPages()->fIsTurning());
    help.fOnClick(GG_WINDOW_HELP::kNEXT);
    fFrames(6);
    EXPECT_EQ(help.fGetPages()->fGetCurrentPage(), 2);
    EXPECT_EQ(help.fGetDots()->fGetCurrent(), 2u);
}

TEST_F(HelpTest, WithoutAPageFileTheArrowsAreGreyAndNothingTurns) {
    auto* help = static_cast<GG_WINDOW_HELP*>(mManager.fAddWindow(std::make_unique<GG_WINDOW_HELP>(
        fNode("<window _type='GG_WINDOW_HELP' _name='Help' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL'>"
              "<GUI><BUTTON5 ID='3' TEXTURE='b.png'/><BUTTON5 ID='4' TEXTURE='b.png'/></GUI></window>"))));
    mManager.fShowWindow("Help");
    fFrames(1);
    help->fOnClick(GG_WINDOW_HELP::kNEXT);
    EXPECT_EQ(help->fGetPages(), nullptr);
    EXPECT_FALSE(fEnabled(*help, GG_WINDOW_HELP::kNEXT));
}
