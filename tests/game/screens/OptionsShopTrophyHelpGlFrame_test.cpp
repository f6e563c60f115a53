// The options, shop, trophy and help windows drawn headless on the OpenGL
// device with the default content, built from the edition's window list by
// the window factory; each is saved as <build>/screens/<window name>.png.
// Pointer messages travel through the engine's input to the window manager.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_WINDOW_FACTORY.h"
#include "game/progress/KS_TROPHY_VALUE.h"
#include "game/screens/GG_WINDOW_HELP.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/GG_WINDOW_OPTIONS.h"
#include "game/screens/GG_WINDOW_SHOP.h"
#include "game/screens/GG_WINDOW_TROPHY.h"
#include "game/screens/GG_WINDOW_TROPHY_GET.h"
#include "game/screens/pages/gPagesShop.h"
#include "game/screens/pages/gPages_Help.h"
#include "game/screens/pages/gPages_Trophy.h"
#include "support/ContentScreenTest.h"
#include "support/TestEnvironment.h"
#include "tests/game/screens/WindowsFromTextFixture.h"

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

constexpr int32_t kCX = 512, kCY = 384;

// The fake game with the content's texts and fonts.
class KC_CONTENT_GAME : public windowsfromtexttest::KC_FAKE_GAME {
public:
    KC_CONTENT_GAME(const KEL::KC_STRING_TABLE& strings, KEL::KC_FONT_LIST& fonts) : mStrings(strings), mFonts(fonts) {}
    std::wstring fGetString(const std::string& key) override { return mStrings.fGetString(key); }
    void fLocalize(KEL::KC_GUI_OBJECT* widget) override { game::fLocalizeTree(widget, mStrings); }
    KEL::KC_FONT_LIST* fGetFonts() override { return &mFonts; }

private:
    const KEL::KC_STRING_TABLE& mStrings;
    KEL::KC_FONT_LIST& mFonts;
};

class OptionsShopTrophyHelpGlFrame : public testsupport::ContentScreenTest {
protected:
    void TearDown() override {
        game::GG_SCREENS_GAME::fInstall(nullptr);
        game::fSetWindowServices(nullptr, nullptr);
        ContentScreenTest::TearDown();
    }
    void fFrames(KEL::G_WINDOW_MANAGER& manager, int count) {
        KEL::kfFRAME_DELTA = 0.05f;
        for (int i = 0; i < count; ++i) manager.fUpdate();
    }
    // Draws every open window and saves the frame under the window's name.
    void fSnap(KEL::G_WINDOW_MANAGER& manager, const std::string& name) {
        ASSERT_TRUE(fScreen().fBeginFrame());
        manager.fDrawAll();
        ASSERT_TRUE(fScreen().fShoot(name + ".png"));
    }
    void fOpenAlone(KEL::G_WINDOW_MANAGER& manager, const std::vector<std::string>& names) {
        manager.fHideAll();
        fFrames(manager, 20);
        for (const std::string& name : names) manager.fShowWindow(name);
        fFrames(manager, 20);
    }
    // A press at one point and a release at another, relative to the screen
    // centre, with the pointer moving in steps between them.
    void fDrag(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        fInput().fMove(fAt(x0, y0));
        fInput().fPress();
        fMessages().fStep();
        for (int step = 1; step <= 4; ++step) fInput().fMove(fAt(x0 + (x1 - x0) * step / 4, y0 + (y1 - y0) * step / 4));
        fInput().fRelease();
        fMessages().fStep();
    }
    static KEL::KS_VEC2 fAt(int32_t x, int32_t y) { return KEL::KS_VEC2(float(kCX + x), float(kCY + y)); }
    void fClick(int32_t x, int32_t y) { fDrag(x, y, x, y); }
};

}  // namespace

TEST_F(OptionsShopTrophyHelpGlFrame, EveryWindowIsDrawnFromTheDefaultContent) {
    ASSERT_TRUE(fOpen("options shop trophy help"));
    ASSERT_TRUE(fOpenMessages());
    ASSERT_TRUE(fContent().fMountLocked({"data/share/main/other", "data/share/image/gui"}));
    ASSERT_TRUE(fContent().fMount({"data/share/font"}));
    KEL::KC_REPOSITORY& repository = fRepository();
    KEL::KC_FONT_LIST fonts;
    ASSERT_EQ(fonts.fRead("data/share/font fonts.xml"), 1);
    pugi::xml_document sheet;
    ASSERT_TRUE(sheet.load_file((testsupport::TestEnvironment::fRoot() / "Resources/data/en/strings.xml").c_str()));
    KEL::KC_STRING_TABLE strings;
    ASSERT_GT(strings.fRead(KEL::KC_STRING_TABLE::fFirstRow(sheet)), 0u);

    // A player with a heart on its way back and points to spend, in a
    // running level that has run out of hints.
    KC_CONTENT_GAME fake(strings, fonts);
    game::GG_PLAYER player;
    pugi::xml_document playerXml;
    playerXml.load_string("<player name='Ann' sound_volume='40' music_volume='70'><playeritems>"
                          "<item name='health' count='5'/><item name='errors' count='5'/>"
                          "<item name='start_hint' count='3'/></playeritems>"
                          "<health count='5' time_refill_heart='600'/><statisctic score='280'/></player>");
    player.fLoadXml(playerXml.document_element());
    player.fGetHealth().fUseHeart();
    fake.mPlayer = &player;
    fake.mLevelRunning = fake.mCanRefill = true;
    ASSERT_TRUE(fake.mShop.fLoad(repository, "data/share/main/other store.xml"));
    ASSERT_TRUE(fake.mTrophies.fLoad(repository, "data/share/main/other trophies.xml"));
    fake.mTrophies.fUpdateValue("tr_pack_1", KEL::KS_TROPHY_VALUE::fFromFloat("tr_pack_1", 1.0));
    game::GG_SCREENS_GAME::fInstall(&fake);
    game::fSetWindowServices(&strings, nullptr);

    auto manager = std::make_unique<KEL::G_WINDOW_MANAGER>();
    KEL::G_WINDOW_MANAGER* windows = manager.get();
    fMessages().fRoute([windows](int32_t) { windows->fOnMouseMove(); },
                       [windows](int32_t key) { windows->fOnMouseDown(key); },
                       [windows](int32_t key) { windows->fOnMouseUp(key); });
    game::fRegisterWindowClasses(*manager);
    ASSERT_TRUE(manager->fLoadWindows("data/share/main/other scenes.xml"));
    auto* options = dynamic_cast<game::GG_WINDOW_OPTIONS*>(manager->fFindWindow(GG_WINDOW_NAME::kOPTIONS));
    auto* shop = dynamic_cast<game::GG_WINDOW_SHOP*>(manager->fFindWindow(GG_WINDOW_NAME::kSHOP));
    auto* trophy = dynamic_cast<game::GG_WINDOW_TROPHY*>(manager->fFindWindow(GG_WINDOW_NAME::kTROPHY));
    auto* trophyGet = dynamic_cast<game::GG_WINDOW_TROPHY_GET*>(manager->fFindWindow(GG_WINDOW_NAME::kTROPHY_GET));
    auto* help = dynamic_cast<game::GG_WINDOW_HELP*>(manager->fFindWindow(GG_WINDOW_NAME::kHELP));
    ASSERT_TRUE(options && shop && trophy && trophyGet && help);
    ASSERT_NE(manager->fFindWindow(GG_WINDOW_NAME::kCREDITS), nullptr);
    for (const char* name : {GG_WINDOW_NAME::kOPTIONS, GG_WINDOW_NAME::kSHOP, GG_WINDOW_NAME::kHELP,
                             GG_WINDOW_NAME::kCREDITS, GG_WINDOW_NAME::kTROPHY_GET})
        EXPECT_TRUE(manager->fFindWindow(name)->fIsModal()) << name;

    // Options over a dark screen: the panel's paper shows at the centre.
    fOpenAlone(*manager, {GG_WINDOW_NAME::kOPTIONS});
    fSnap(*manager, GG_WINDOW_NAME::kOPTIONS);
    EXPECT_EQ(fScreen().fPixel(kCX - 150, kCY + 120), 0xFFFBF0u);

    // The music knob dragged past the right end and kept: 100, saved. Then
    // the sound knob dragged to the left end and cancelled: back to 40.
    // The knob sits at 70 % of a 284-pixel track centred 90 right of the
    // window's centre and 60 above it.
    fDrag(90 - 142 + 198, -60, 400, -60);
    EXPECT_FLOAT_EQ(player.fGetMusicVolume(), 100.0f);
    fClick(170, 160);
    fFrames(*manager, 20);
    EXPECT_FALSE(manager->fIsOpen(GG_WINDOW_NAME::kOPTIONS));
    EXPECT_EQ(fake.mSaves, 1);
    fOpenAlone(*manager, {GG_WINDOW_NAME::kOPTIONS});
    fDrag(90 - 142 + 113, -130, -300, -130);
    EXPECT_FLOAT_EQ(player.fGetSoundVolume(), 0.0f);
    fClick(250, 160);
    fFrames(*manager, 20);
    // The sound slider was read on whole pixels when the music was kept.
    EXPECT_NEAR(player.fGetSoundVolume(), 40.0f, 0.5f);
    EXPECT_FLOAT_EQ(player.fGetMusicVolume(), 100.0f);
    EXPECT_EQ(fake.mSaves, 1);

    fOpenAlone(*manager, {GG_WINDOW_NAME::kCREDITS});
    fSnap(*manager, GG_WINDOW_NAME::kCREDITS);

    // The shop: five cards; the hint refill is on sale in this level, the
    // bought-up offers are veiled.
    fOpenAlone(*manager, {GG_WINDOW_NAME::kSHOP});
    ASSERT_EQ(shop->fGetPages()->fGetItemCount(), 5);
    fSnap(*manager, GG_WINDOW_NAME::kSHOP);
    // A click on the hint refill's buy button (first card, upper left) buys
    // it for the level; the extra heart (third card) is now too dear.
    fClick(-154 + 80, 10 - 122 + 32);
    EXPECT_EQ(fake.mLevelHeard, std::vector<std::string>{"buy refill_hint"});
    EXPECT_EQ(player.fGetStatistic().mScore, 180);
    fClick(-154 + 80, 10 + 32);
    EXPECT_EQ(player.fGetItemCount("health"), 5);
    EXPECT_EQ(player.fGetStatistic().mScore, 180);

    // The gallery with one trophy won, and the pop-up for it.
    manager->fRefreshAll();
    fOpenAlone(*manager, {GG_WINDOW_NAME::kTROPHY_TITLE, GG_WINDOW_NAME::kTROPHY});
    EXPECT_GT(trophy->fGetPages()->fGetPageCount(), 1);
    fSnap(*manager, GG_WINDOW_NAME::kTROPHY);
    trophyGet->fShow(fake.mTrophies.fFind("tr_pack_1"));
    fOpenAlone(*manager, {GG_WINDOW_NAME::kTROPHY_GET});
    fSnap(*manager, GG_WINDOW_NAME::kTROPHY_GET);

    // Help on its second page.
    fOpenAlone(*manager, {GG_WINDOW_NAME::kHELP});
    ASSERT_EQ(help->fGetPages()->fGetPageCount(), 4);
    help->fOnClick(game::GG_WINDOW_HELP::kNEXT);
    fFrames(*manager, 2);
    fSnap(*manager, GG_WINDOW_NAME::kHELP);

    manager->fHideAll();
    manager->fUnloadAll(true);
    manager.reset();
    fonts.fDeleteAll();
}
