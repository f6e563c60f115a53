// The shop: cards follow the offers, the score, the level and the hearts;
// buying with the score pays, gives what the store would give and tells
// the running level; closing lets the level go on.
#include <gtest/gtest.h>

#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/windows/G_WINDOW_SIMPLE.h"
#include "game/screens/GG_WINDOW_SHOP.h"
#include "game/screens/pages/gPagesShop.h"
#include "game/screens/pages/gPages_Shop_Item.h"
#include "tests/game/screens/WindowsFromTextFixture.h"

using game::GG_WINDOW_SHOP;
using game::gPages_Shop_Item;

namespace {

const char* const kSTORE =
    "<store>"
    "<item name='start_hint' price='150' annotation='start_hint_note' image='hint.png' endless='true' value='0'/>"
    "<item name='refill_hint' price='100' annotation='refill_hint_note' image='refill.png' endless='true' value='0'/>"
    "<item name='health' price='300' annotation='health_note' image='heart.png' endless='false' value='6'/>"
    "<item name='health' price='300' annotation='health_note' image='heart.png' endless='false' value='7'/>"
    "<item name='refill_health' price='200' annotation='refill_health_note' image='refill.png' endless='true' value='0'/>"
    "</store>";

std::string fCard(const std::string& type, bool gameplayOnly) {
    return "<item type='" + type + "' gameplayonly='" + (gameplayOnly ? "true" : "false") +
           "' size='296 112'><GUI>"
           "<IMAGE ID='5' TEXTURE='default.png'/><IMAGE ID='6' TEXTURE='veil.png' VISIBLE='0'/>"
           "<WLABEL ID='2' FONT='f.xml' FONT_TEXTURE='f.png' TEXT=''/><WLABEL ID='3' FONT='f.xml' FONT_TEXTURE='f.png' TEXT='sold_out'/><WLABEL ID='4' FONT='f.xml' FONT_TEXTURE='f.png' TEXT=''/>"
           "<BUTTON5 ID='1' TEXTURE='buy.png'/></GUI></item>";
}

class ShopTest : public windowsfromtexttest::WindowsFromTextTest {
protected:
    void SetUp() override {
        WindowsFromTextTest::SetUp();
        pugi::xml_document store;
        store.load_string(kSTORE);
        mGame.mShop.fLoad(store.document_element());
        fWrite("shop_pages.xml", "<shop cols='2' rows='3'>" + fCard("start_hint", false) + fCard("refill_hint", true) +
                                     fCard("health", false) + fCard("refill_health", false) + "</shop>");
        fMount();
        mShop = static_cast<GG_WINDOW_SHOP*>(mManager.fAddWindow(std::make_unique<GG_WINDOW_SHOP>(fNode(
            "<window _type='GG_WINDOW_SHOP' _name='Shop' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL'>"
            "<gPages file='data shop_pages.xml' pos_x='0' pos_y='10'/>"
            "<settings><pair id='1' item='health'/><pair id='1' item='errors'/></settings>"
            "<GUI><WLABEL ID='2' FONT='f.xml' FONT_TEXTURE='f.png' TEXT=''/><BUTTON5 ID='1' TEXTURE='close.png'/></GUI></window>"))));
        ASSERT_NE(mShop->fGetPages(), nullptr);
        ASSERT_EQ(mShop->fGetPages()->fGetItemCount(), 4);
    }
    gPages_Shop_Item& fCardOf(int32_t index) {
        return *static_cast<gPages_Shop_Item*>(mShop->fGetPages()->fGetItem(index));
    }
    bool fBuyable(int32_t index) {
        auto* buy = dynamic_cast<KEL::KC_GUI_BUTTON5*>(fCardOf(index).fGetGui()->fFindChild(gPages_Shop_Item::kBUY));
        return buy && buy->fGetState() != KEL::KC_GUI_BUTTON5::kDISABLED;
    }
    std::wstring fText(int32_t index, int32_t id) {
        auto* label = dynamic_cast<KEL::KC_GUI_WLABEL*>(fCardOf(index).fGetGui()->fFindChild(id));
        return label ? label->fGetText() : L"?";
    }
    void fShow() {
        mManager.fShowWindow("Shop");
        fFrames(1);
    }

    GG_WINDOW_SHOP* mShop = nullptr;
    static constexpr int32_t kSTART_HINT = 0, kREFILL_HINT = 1, kHEALTH = 2, kREFILL_HEALTH = 3;
};

}  // namespace

TEST_F(ShopTest, CardsShowTheirOffersAndTheWindowTheScore) {
    fShow();
    EXPECT_EQ(fText(kHEALTH, gPages_Shop_Item::kTITLE), L"[health]");
    EXPECT_EQ(fText(kHEALTH, gPages_Shop_Item::kANNOTATION), L"[health_note]");
    EXPECT_EQ(fText(kHEALTH, gPages_Shop_Item::kPRICE), L"300");
    auto* score = dynamic_cast<KEL::KC_GUI_WLABEL*>(mShop->fGetGui()->fFindChild(GG_WINDOW_SHOP::kSCORE));
    ASSERT_NE(score, nullptr);
    EXPECT_EQ(score->fGetText(), L"1000");
    EXPECT_EQ(mShop->fGetPairs().at(1), "errors") << "a later pair of the same id replaces the name";
}

TEST_F(ShopTest, OffersDisappearOnceBoughtUp) {
    fShow();
    ASSERT_TRUE(fBuyable(kHEALTH));
    EXPECT_TRUE(mShop->fGetShopPages()->fBuy(fCardOf(kHEALTH)));
    EXPECT_EQ(mPlayer.fGetItemCount("health"), 6);
    EXPECT_EQ(fScore(), 700);
    EXPECT_TRUE(fCardOf(kHEALTH).fIsAvailable()) << "the next heart is on sale";
    EXPECT_TRUE(mShop->fGetShopPages()->fBuy(fCardOf(kHEALTH)));
    EXPECT_EQ(mPlayer.fGetItemCount("health"), 7);
    EXPECT_EQ(fScore(), 400);

    // Bought up: the card shows its own note, the veil and no price, and
    // its button is greyed at once.
    EXPECT_FALSE(fCardOf(kHEALTH).fIsAvailable());
    EXPECT_FALSE(fBuyable(kHEALTH));
    EXPECT_TRUE(fCardOf(kHEALTH).fGetGui()->fFindChild(gPages_Shop_Item::kNOT_OFFERED)->fIsVisible());
    EXPECT_EQ(fText(kHEALTH, gPages_Shop_Item::kANNOTATION), L"[sold_out]");
    EXPECT_EQ(fText(kHEALTH, gPages_Shop_Item::kPRICE), L"");
    EXPECT_FALSE(mShop->fGetShopPages()->fBuy(fCardOf(kHEALTH)));
    EXPECT_EQ(fScore(), 400);
    EXPECT_EQ(mGame.mSaves, 2);
}

TEST_F(ShopTest, AHeartBoughtWithScoreFillsTheHeartsAsTheStoreWould) {
    mPlayer.fGetHealth().fUseHeart();
    mPlayer.fGetHealth().fUseHeart();
    fShow();
    ASSERT_TRUE(mShop->fGetShopPages()->fBuy(fCardOf(kHEALTH)));
    EXPECT_EQ(mPlayer.fGetHealth().fGetCount(), 6);
    EXPECT_TRUE(mPlayer.fGetHealth().fGetQueue().empty());
}

TEST_F(ShopTest, TheButtonFollowsTheScoreToThePoint) {
    mPlayer.fGetStatistic().mScore = 150;
    fShow();
    EXPECT_TRUE(fBuyable(kSTART_HINT));
    mPlayer.fGetStatistic().mScore = 149;
    mManager.fRefreshAll();
    EXPECT_FALSE(fBuyable(kSTART_HINT));
    EXPECT_FALSE(mShop->fGetShopPages()->fBuy(fCardOf(kSTART_HINT)));
    EXPECT_EQ(mPlayer.fGetItemCount("start_hint"), 2);
}

TEST_F(ShopTest, HintRefillsOnlyDuringALevelThatHasRunOut) {
    fShow();
    EXPECT_FALSE(fBuyable(kREFILL_HINT)) << "only during a level";
    mGame.mLevelRunning = true;
    mManager.fRefreshAll();
    EXPECT_FALSE(fBuyable(kREFILL_HINT)) << "hints left";
    mGame.mCanRefill = true;
    mManager.fRefreshAll();
    EXPECT_TRUE(fBuyable(kREFILL_HINT));
}

TEST_F(ShopTest, HeartRefillsOnlyWhileAHeartIsComingBack) {
    fShow();
    EXPECT_FALSE(fBuyable(kREFILL_HEALTH)) << "hearts full";
    mPlayer.fGetHealth().fUseHeart();
    mManager.fRefreshAll();
    ASSERT_TRUE(fBuyable(kREFILL_HEALTH));
    ASSERT_TRUE(mShop->fGetShopPages()->fBuy(fCardOf(kREFILL_HEALTH)));
    EXPECT_EQ(mPlayer.fGetHealth().fGetCount(), 5);
    EXPECT_EQ(fScore(), 800);
    EXPECT_FALSE(fBuyable(kREFILL_HEALTH)) << "every window was refreshed";
}

TEST_F(ShopTest, APurchaseDuringALevelReachesItAndLastsUntilTheShopCloses) {
    mGame.mLevelRunning = mGame.mCanRefill = true;
    fShow();
    ASSERT_TRUE(mShop->fGetShopPages()->fBuy(fCardOf(kREFILL_HINT)));
    EXPECT_EQ(mGame.mLevelHeard, std::vector<std::string>{"buy refill_hint"});
    EXPECT_EQ(mPlayer.fGetItemCount("refill_hint"), 1);
    EXPECT_EQ(fScore(), 900);

    mManager.fHideWindow("Shop");
    fFrames(1);
    EXPECT_EQ(mGame.mResumes, 1);
    EXPECT_EQ(mPlayer.fGetItemCount("refill_hint"), 0);
}

TEST_F(ShopTest, ClosingOverTheLevelMenuLeavesTheLevelPaused) {
    mManager.fAddWindow(std::make_unique<KEL::G_WINDOW_SIMPLE>(
        fNode("<window _type='G_WINDOW_SIMPLE' _name='GP_Menu' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL'/>")));
    mManager.fShowWindow("GP_Menu");
    fShow();
    mShop->fOnClick(GG_WINDOW_SHOP::kCLOSE);
    fFrames(1);
    EXPECT_FALSE(mManager.fIsOpen("Shop"));
    EXPECT_EQ(mGame.mResumes, 0);
}

TEST_F(ShopTest, InAnInAppEditionTheStoreSellsAndTheScoreStays) {
    mGame.mInApp = true;
    fShow();
    EXPECT_EQ(fText(kHEALTH, gPages_Shop_Item::kPRICE), L"") << "an offer without an in-app key has no price text";
    EXPECT_FALSE(fBuyable(kHEALTH)) << "a buy button that cannot buy is greyed";
    EXPECT_FALSE(fBuyable(kSTART_HINT));
    EXPECT_FALSE(mShop->fGetShopPages()->fBuy(fCardOf(kHEALTH))) << "the store does not list the product";
    EXPECT_EQ(fScore(), 1000);
    EXPECT_TRUE(mGame.mLevelHeard.empty());
}
