// The trophy gallery follows the trophies won; its arrows turn only an idle
// list; the pop-up keeps the bonus format its label had the first time.
#include <gtest/gtest.h>

#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/gui/KC_GUI_IMAGE.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "game/progress/KS_TROPHY_VALUE.h"
#include "game/screens/GG_WINDOW_TROPHY.h"
#include "game/screens/GG_WINDOW_TROPHY_GET.h"
#include "game/screens/pages/gItem_Trophy.h"
#include "game/screens/pages/gPages_Trophy.h"
#include "tests/game/screens/WindowsFromTextFixture.h"

using game::GG_WINDOW_TROPHY;
using game::GG_WINDOW_TROPHY_GET;
using game::gItem_Trophy;

namespace {

std::string fTrophy(const std::string& name, int bonus) {
    return "<trophy name='" + name + "' desc='" + name +
           "_desc' image_open='data open.png' "
           "image_close='data closed.png' bonus='" +
           std::to_string(bonus) +
           "'>"
           "<condition name='" +
           name + "' value_type='bool' value='true' operator='=='/></trophy>";
}

class TrophyTest : public windowsfromtexttest::WindowsFromTextTest {
protected:
    void SetUp() override {
        WindowsFromTextTest::SetUp();
        pugi::xml_document trophies;
        trophies.load_string(
            ("<trophies>" + fTrophy("first", 100) + fTrophy("second", 200) + fTrophy("third", 300) + "</trophies>")
                .c_str());
        ASSERT_TRUE(mGame.mTrophies.fRead(trophies.document_element()));
        fWrite("open.png", "100 90");
        fWrite("closed.png", "96 96");
        fWrite("trophy_pages.xml",
               "<t cols='1' rows='1' turn_type='SLIDE_HORIZONTAL' turn_time='1' turn_offset='640 0'>"
               "<e name_tr='first'/><e name_tr='second'/><e name_tr='third'/><e name_tr='unknown'/></t>");
        fMount();
    }
    GG_WINDOW_TROPHY& fGallery() {
        auto* gallery = static_cast<GG_WINDOW_TROPHY*>(mManager.fAddWindow(std::make_unique<GG_WINDOW_TROPHY>(
            fNode("<window _type='GG_WINDOW_TROPHY' _name='Trophy' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL'>"
                  "<gPages file='data trophy_pages.xml'/><settings page_number='data dots.png' pos='0 200'/>"
                  "<GUI><BUTTON5 ID='1' TEXTURE='b.png'/><BUTTON5 ID='2' TEXTURE='b.png'/></GUI></window>"))));
        mManager.fShowWindow("Trophy");
        fFrames(1);
        return *gallery;
    }
    gItem_Trophy& fEntry(GG_WINDOW_TROPHY& gallery, int32_t index) {
        return *static_cast<gItem_Trophy*>(gallery.fGetPages()->fGetItem(index));
    }
    void fWin(const std::string& name) {
        mGame.mTrophies.fUpdateValue(name, KEL::KS_TROPHY_VALUE::fFromBool(name, true));
    }
    bool fEnabled(KEL::G_WINDOW& window, int32_t id) {
        auto* button = dynamic_cast<KEL::KC_GUI_BUTTON5*>(window.fGetGui()->fFindChild(id));
        return button && button->fGetState() != KEL::KC_GUI_BUTTON5::kDISABLED;
    }
};

}  // namespace

TEST_F(TrophyTest, EntriesReadTheirTrophyAndMeasureTheLargerPicture) {
    GG_WINDOW_TROPHY& gallery = fGallery();
    ASSERT_EQ(gallery.fGetPages()->fGetItemCount(), 4);
    gItem_Trophy& first = fEntry(gallery, 0);
    EXPECT_EQ(first.fGetTitle(), L"[first]");
    EXPECT_EQ(first.fGetDescription(), L"[first_desc]");
    EXPECT_EQ(first.fGetBonus(), 100);
    EXPECT_EQ(first.fMessage(KEL::G_PAGES_ITEM::kMSG_WIDTH, 0, 0, 0, nullptr), 100);
    EXPECT_EQ(first.fMessage(KEL::G_PAGES_ITEM::kMSG_HEIGHT, 0, 0, 0, nullptr), 96);
    EXPECT_EQ(fEntry(gallery, 3).fGetTitle(), L"") << "a trophy the list does not know shows nothing";
}

TEST_F(TrophyTest, ATrophyWonWhileTheGalleryIsOpenShowsAfterTheNextRefresh) {
    GG_WINDOW_TROPHY& gallery = fGallery();
    EXPECT_FALSE(fEntry(gallery, 1).fIsUnlocked());
    fWin("second");
    EXPECT_FALSE(fEntry(gallery, 1).fIsUnlocked());
    mManager.fRefreshAll();
    EXPECT_TRUE(fEntry(gallery, 1).fIsUnlocked());
    EXPECT_FALSE(fEntry(gallery, 0).fIsUnlocked());
    // Drawing the page in its passes asks nothing more of a won trophy.
    gallery.fGetPages()->fDraw();
}

TEST_F(TrophyTest, ArrowsTurnOnlyAnIdleListAndTheDotsFollowOnlyRealTurns) {
    GG_WINDOW_TROPHY& gallery = fGallery();
    game::gPages_Trophy& pages = *gallery.fGetTrophyPages();
    EXPECT_FALSE(fEnabled(gallery, GG_WINDOW_TROPHY::kPREVIOUS));
    EXPECT_TRUE(fEnabled(gallery, GG_WINDOW_TROPHY::kNEXT));

    gallery.fOnClick(GG_WINDOW_TROPHY::kNEXT);
    ASSERT_TRUE(pages.fIsTurning());
    gallery.fOnClick(GG_WINDOW_TROPHY::kNEXT);
    EXPECT_EQ(pages.fGetTargetPage(), 1) << "a second press during the slide does nothing";
    EXPECT_EQ(gallery.fGetDots()->fGetCurrent(), 1u);

    fFrames(10);
    ASSERT_FALSE(pages.fIsTurning());
    for (int i = 0; i < 3; ++i) {
        gallery.fOnClick(GG_WINDOW_TROPHY::kNEXT);
        fFrames(10);
    }
    EXPECT_EQ(pages.fGetCurrentPage(), 3);
    EXPECT_EQ(gallery.fGetDots()->fGetCurrent(), 3u);
    EXPECT_FALSE(fEnabled(gallery, GG_WINDOW_TROPHY::kNEXT));
    EXPECT_TRUE(fEnabled(gallery, GG_WINDOW_TROPHY::kPREVIOUS));
}

TEST_F(TrophyTest, ThePopUpKeepsTheBonusFormatItsLabelHadFirst) {
    auto* popup = static_cast<GG_WINDOW_TROPHY_GET*>(mManager.fAddWindow(std::make_unique<GG_WINDOW_TROPHY_GET>(fNode(
        "<window _type='GG_WINDOW_TROPHY_GET' _name='Trophy_Get' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL'>"
        "<GUI><IMAGE ID='2' TEXTURE='data closed.png'/>"
        "<WLABEL ID='3' FONT='f.xml' FONT_TEXTURE='f.png' TEXT='+%i points %s'/>"
        "<BUTTON5 ID='1' TEXTURE='b.png'/></GUI></window>"))));
    auto* bonus = dynamic_cast<KEL::KC_GUI_WLABEL*>(popup->fGetGui()->fFindChild(GG_WINDOW_TROPHY_GET::kBONUS));
    auto* picture = dynamic_cast<KEL::KC_GUI_IMAGE*>(popup->fGetGui()->fFindChild(GG_WINDOW_TROPHY_GET::kPICTURE));
    ASSERT_NE(bonus, nullptr);
    ASSERT_NE(picture, nullptr);

    popup->fShow(mGame.mTrophies.fFind("second"));
    EXPECT_EQ(bonus->fGetText(), L"+200 points ") << "a conversion without its kind of value writes nothing";
    EXPECT_EQ(picture->fGetTextureName(), "data open.png");
    EXPECT_EQ(popup->fGetTitle(), L"[second]");
    popup->fShow(mGame.mTrophies.fFind("third"));
    EXPECT_EQ(bonus->fGetText(), L"+300 points ");
    EXPECT_EQ(popup->fGetDescription(), L"[third_desc]");
    popup->fShow(nullptr);
    EXPECT_EQ(popup->fGetTitle(), L"[third]");

    mManager.fShowWindow("Trophy_Get");
    fFrames(1);
    popup->fOnClick(GG_WINDOW_TROPHY_GET::kCLOSE);
    fFrames(1);
    EXPECT_FALSE(mManager.fIsOpen("Trophy_Get"));
}
