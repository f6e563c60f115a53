// The pack and level screens and their side menu, driven by clicks: packs
// open and locked by stars or by purchase, pages turned with the dots in
// step, levels open, newest and locked, hearts, and a level's start.
#include "ScreensFixture.h"

#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "game/profile/GG_LEVEL_RECORD.h"
#include "game/screens/GG_WINDOW_LEVEL.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/GG_WINDOW_PACK.h"
#include "game/screens/GG_WINDOW_PACK_MENU.h"
#include "game/screens/pages/gLevel_Item.h"
#include "game/screens/pages/gPackItem.h"
#include "game/screens/pages/gPages_Level.h"
#include "game/screens/pages/gPages_Pack.h"

using namespace screenstest;
using game::GG_PAGE_ITEM;
using game::gPackItem;
using KEL::G_WINDOW_CONFIRM;
using KEL::KC_GUI_BUTTON5;

namespace {

class PackTest : public ScreensTest {
protected:
    game::GG_WINDOW_PACK* fPacks() { return fWindow<game::GG_WINDOW_PACK>(GG_WINDOW_NAME::kPACKS); }
    game::GG_WINDOW_LEVEL* fLevels() { return fWindow<game::GG_WINDOW_LEVEL>(GG_WINDOW_NAME::kLEVELS); }
    gPackItem* fPack(int32_t index) { return fPacks()->fGetPackPages()->fGetPackItem(index); }
    game::gLevel_Item* fLevel(int32_t index) { return fLevels()->fGetLevelPages()->fGetLevelItem(index); }
    void fOpenPacks() {
        mGame->fOpenPacks(false);
        ASSERT_TRUE(fSettle());
    }
    void fClickPack(int32_t index) {
        const KEL::KS_TRANSFORM3 place = fPack(index)->fGetGui()->fGetRootWidget().fGetTransform().fGetAbsolute();
        fInput().fClick(fAt(int32_t(place.mPosition.x), int32_t(place.mPosition.y)));
    }
    void fClickLevel(int32_t index) {
        const KEL::KS_TRANSFORM3 place = fLevel(index)->fGetBackground()->fGetTransform()->fGetAbsolute();
        fInput().fClick(fAt(int32_t(place.mPosition.x), int32_t(place.mPosition.y)));
    }
    bool fShown(gPackItem* item, int32_t id) { return item->fGetGui()->fFindChild(id)->fIsVisible(); }
    std::wstring fPackText(gPackItem* item, int32_t id) {
        return dynamic_cast<KEL::KC_GUI_WLABEL*>(item->fGetGui()->fFindChild(id))->fGetText();
    }
    int32_t fArrow(const std::string& window, int32_t id) {
        auto* arrow = dynamic_cast<KC_GUI_BUTTON5*>(mManager->fFindWindow(window)->fGetGui()->fFindChild(id));
        return arrow->fIsVisible() ? arrow->fGetState() : -1;
    }
    // Levels open up to and including count.
    void fOpenLevelsUpTo(game::GG_PLAYER* player, int32_t pack, int32_t count) {
        for (const auto& level : player->fFindPack(pack)->fGetLevels())
            level->fSetLock(level->fGetIndex() < count ? 0 : 1);
    }
    std::vector<int32_t> fStates() {
        std::vector<int32_t> states;
        for (int32_t i = 0; i < fLevels()->fGetLevelPages()->fGetItemCount(); ++i)
            states.push_back(fLevel(i)->fGetState());
        return states;
    }
};

}  // namespace

TEST_F(PackTest, OpenAndLockedPacksShowApartAndPagesTurnWithTheDotsInStep) {
    game::GG_PLAYER* player = fMakePlayer(L"Eve");
    player->fFindLevel(0, 1)->fSetStars(2);
    fOpenPacks();
    fShot(GG_WINDOW_NAME::kPACKS);
    ASSERT_EQ(fPacks()->fGetPackPages()->fGetItemCount(), 4);
    gPackItem* first = fPack(0);
    EXPECT_TRUE(first->fIsOpen());
    EXPECT_TRUE(fShown(first, gPackItem::kOPEN_MARK));
    EXPECT_FALSE(fShown(first, gPackItem::kLOCK));
    EXPECT_TRUE(fShown(first, gPackItem::kNEWEST_MARK)) << "the last open pack before the locked ones";
    EXPECT_EQ(fPackText(first, gPackItem::kSTARS), L"2/36");
    for (int32_t i = 1; i < 4; ++i) {
        EXPECT_FALSE(fPack(i)->fIsOpen()) << i;
        EXPECT_TRUE(fShown(fPack(i), gPackItem::kLOCK)) << i;
        EXPECT_FALSE(fShown(fPack(i), gPackItem::kNEWEST_MARK)) << i;
        EXPECT_FALSE(fShown(fPack(i), gPackItem::kHIDDEN_MARK)) << i;
    }
    EXPECT_EQ(fPackText(fPack(1), gPackItem::kNAME), L"Garden and Home");

    // Two pages: the arrows and dots follow the turns the list takes.
    KEL::G_PAGES_DOTS* dots = fPacks()->fGetDots();
    ASSERT_EQ(dots->fGetCount(), 2u);
    EXPECT_EQ(fArrow(GG_WINDOW_NAME::kPACKS, game::GG_WINDOW_PAGED::kPREVIOUS), KC_GUI_BUTTON5::kDISABLED);
    EXPECT_EQ(fArrow(GG_WINDOW_NAME::kPACKS, game::GG_WINDOW_PAGED::kNEXT), KC_GUI_BUTTON5::kNORMAL);
    fClickWidget(GG_WINDOW_NAME::kPACKS, game::GG_WINDOW_PAGED::kNEXT);
    EXPECT_TRUE(fPacks()->fGetPages()->fIsTurning());
    EXPECT_FALSE(fPacks()->fIsAtRest()) << "what lies under the pointer is still sliding";
    fClickWidget(GG_WINDOW_NAME::kPACKS, game::GG_WINDOW_PAGED::kNEXT);
    fClickWidget(GG_WINDOW_NAME::kPACKS, game::GG_WINDOW_PAGED::kPREVIOUS);
    EXPECT_EQ(dots->fGetCurrent(), 1u) << "clicks during the slide are refused, and the dots stay";
    ASSERT_TRUE(fSettle());
    fFrames(6);
    EXPECT_EQ(fPacks()->fGetPages()->fGetCurrentPage(), 1);
    EXPECT_TRUE(fPacks()->fIsAtRest());
    EXPECT_EQ(fArrow(GG_WINDOW_NAME::kPACKS, game::GG_WINDOW_PAGED::kNEXT), KC_GUI_BUTTON5::kDISABLED);
    EXPECT_EQ(fArrow(GG_WINDOW_NAME::kPACKS, game::GG_WINDOW_PAGED::kPREVIOUS), KC_GUI_BUTTON5::kHOVER)
        << "enabled, and still lit under the pointer that clicked it";
    fClickWidget(GG_WINDOW_NAME::kPACKS, game::GG_WINDOW_PAGED::kNEXT);
    EXPECT_EQ(dots->fGetCurrent(), 1u);
    fClickWidget(GG_WINDOW_NAME::kPACKS, game::GG_WINDOW_PAGED::kPREVIOUS);
    fFrames(6);
    EXPECT_EQ(dots->fGetCurrent(), 0u);
    EXPECT_EQ(fPacks()->fGetPages()->fGetCurrentPage(), 0);
}

TEST_F(PackTest, APackBoughtWithPointsOpensAtItsFirstLevelAndTooFewPointsBuyNothing) {
    game::GG_PLAYER* player = fMakePlayer(L"Eve");
    player->fGetStatistic().mScore = 499;
    fOpenPacks();
    fClickPack(1);
    ASSERT_TRUE(fSettle());
    ASSERT_TRUE(fIsOpen(GG_WINDOW_NAME::kPACK_BUY));
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kPACK_BUY, 2), L"Open this pack for 500 points?");
    fShot(GG_WINDOW_NAME::kPACK_BUY);
    fClickWidget(GG_WINDOW_NAME::kPACK_BUY, G_WINDOW_CONFIRM::kYES);
    ASSERT_TRUE(fSettle());
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kNO_MONEY));
    EXPECT_EQ(player->fGetStatistic().mScore, 499);
    EXPECT_FALSE(player->fPackHasOpenLevel(1));
    fClickWidget(GG_WINDOW_NAME::kNO_MONEY, G_WINDOW_CONFIRM::kYES);
    ASSERT_TRUE(fSettle());

    player->fGetStatistic().mScore = 500;
    fClickPack(1);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kPACK_BUY, G_WINDOW_CONFIRM::kYES);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(player->fGetStatistic().mScore, 0);
    EXPECT_TRUE(player->fFindLevel(1, 1)->fIsOpen());
    EXPECT_TRUE(fPack(1)->fIsOpen()) << "every window was refreshed";
    EXPECT_TRUE(fShown(fPack(1), gPackItem::kNEWEST_MARK));
    EXPECT_FALSE(fShown(fPack(0), gPackItem::kNEWEST_MARK));
    EXPECT_EQ(mGame->fTake(), (std::vector<std::string>{"open packs", "save"}));

    fClickPack(1);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(mGame->fTake(), std::vector<std::string>{"open levels 1"});
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kPACKS));
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kLEVELS));
}

TEST_F(PackTest, APackMissingFromTheSaveIsNeverSoldAndAFreeEditionAsksForStarsOrTheStore) {
    pugi::xml_document document;
    ASSERT_TRUE(
        document.load_string("<player name='Old'><packs><pack id='0'><level id='1' lock='0' file='a'/></pack>"
                             "<pack id='1' lock='1' InAppKey='pack_one'><level id='1' lock='1' file='a'/></pack>"
                             "<pack id='2' lock='0'><level id='1' lock='1' file='a'/></pack></packs>"
                             "<statisctic score='5000'/></player>"));
    game::GG_SAVE_LAYOUT inApp;
    inApp.mInApp = true;
    auto old = std::make_unique<game::GG_PLAYER>(inApp);
    ASSERT_TRUE(old->fLoadXml(document.document_element()));
    game::GG_PLAYER* player = old.get();
    ASSERT_TRUE(mGame->mPlayers.fAddPlayer(std::move(old)));
    mGame->mPlayers.fSetCurrent(player);
    fOpenPacks();
    fFrames(1);
    fClickWidget(GG_WINDOW_NAME::kPACKS, game::GG_WINDOW_PAGED::kNEXT);
    ASSERT_TRUE(fSettle());
    fFrames(6);
    fClickPack(3);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kPACK_BUY, G_WINDOW_CONFIRM::kYES);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(player->fGetStatistic().mScore, 5000) << "no record, nothing taken";
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kNO_MONEY));

    mGame->mEdition.mFree = 1;
    fClickWidget(GG_WINDOW_NAME::kPACKS, game::GG_WINDOW_PAGED::kPREVIOUS);
    ASSERT_TRUE(fSettle());
    fFrames(6);
    fClickPack(1);
    ASSERT_TRUE(fSettle());
    ASSERT_TRUE(fIsOpen(GG_WINDOW_NAME::kPACK_NEED_BUY));
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kPACK_NEED_BUY, 2), L"Collect 20 stars\nto open this pack");
    fClickWidget(GG_WINDOW_NAME::kPACK_NEED_BUY, G_WINDOW_CONFIRM::kYES);
    ASSERT_TRUE(fSettle());
    fClickPack(1);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kPACK_NEED_BUY, G_WINDOW_CONFIRM::kNO);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(mGame->fTake(), (std::vector<std::string>{"open packs", "purchase pack_one", "store provider"}));

    fClickWidget(GG_WINDOW_NAME::kPACKS, game::GG_WINDOW_PAGED::kNEXT);
    ASSERT_TRUE(fSettle());
    fFrames(6);
    fClickPack(2);
    ASSERT_TRUE(fSettle());
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kPACK_LOCKED)) << "open, but no level open in it";
}

TEST_F(PackTest, LevelsShowOpenNewestAndLockedAndAFirstLevelLockedStaysShut) {
    game::GG_PLAYER* player = fMakePlayer(L"Eve");
    mGame->fOpenLevels(0, false);
    ASSERT_TRUE(fSettle());
    std::vector<int32_t> expected(12, GG_PAGE_ITEM::kLOCKED);
    expected[0] = GG_PAGE_ITEM::kNEWEST;
    EXPECT_EQ(fStates(), expected) << "only the first open: it is the newest";

    fOpenLevelsUpTo(player, 0, 5);
    player->fFindLevel(0, 1)->fSetStars(3);
    player->fFindLevel(0, 2)->fSetStars(1);
    fLevels()->fSetPack(*player->fFindPack(0));
    expected = std::vector<int32_t>(12, GG_PAGE_ITEM::kLOCKED);
    for (int i = 0; i < 4; ++i) expected[size_t(i)] = GG_PAGE_ITEM::kOPEN;
    expected[4] = GG_PAGE_ITEM::kNEWEST;
    EXPECT_EQ(fStates(), expected);
    EXPECT_EQ(fLevel(0)->fGetStars(), 3);
    EXPECT_EQ(fLevel(1)->fGetStars(), 1);
    fFrames(2);
    fShot(GG_WINDOW_NAME::kLEVELS);

    // A refresh follows the record of the game's pack.
    fOpenLevelsUpTo(player, 0, 6);
    mManager->fRefreshWindow(GG_WINDOW_NAME::kLEVELS);
    EXPECT_EQ(fLevel(5)->fGetState(), GG_PAGE_ITEM::kNEWEST);
    EXPECT_EQ(fLevel(4)->fGetState(), GG_PAGE_ITEM::kOPEN);

    fOpenLevelsUpTo(player, 0, 12);
    fLevels()->fSetPack(*player->fFindPack(0));
    EXPECT_EQ(fStates(), std::vector<int32_t>(12, GG_PAGE_ITEM::kOPEN)) << "all open: none is the newest";

    fOpenLevelsUpTo(player, 0, 0);
    fLevels()->fSetPack(*player->fFindPack(0));
    EXPECT_EQ(fStates(), std::vector<int32_t>(12, GG_PAGE_ITEM::kLOCKED));
    mGame->fTake();
    fClickLevel(0);
    ASSERT_TRUE(fSettle());
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kFADE));
    EXPECT_TRUE(mGame->fTake().empty()) << "a locked first level never starts";
    EXPECT_EQ(fArrow(GG_WINDOW_NAME::kLEVELS, game::GG_WINDOW_PAGED::kNEXT), -1) << "one page: no arrows";
}

TEST_F(PackTest, AClickedLevelStartsOnceBehindTheFadeOrTheListReturns) {
    fMakePlayer(L"Eve");
    mGame->fOpenLevels(0, false);
    ASSERT_TRUE(fSettle());
    mGame->fTake();
    fClickLevel(0);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(mGame->fTake(), std::vector<std::string>{"show level 0 1"});
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kLEVELS));
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kPACKS_MENU));
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kFADE));
    EXPECT_FALSE(mManager->fFindWindow(GG_WINDOW_NAME::kLEVELS)->fIsLoaded()) << "the menus gave their pictures back";
    fFrames(10);
    EXPECT_TRUE(mGame->fTake().empty()) << "no second start";

    // Every closing screen calling back still starts the level once.
    mGame->mThenFromEveryWindow = true;
    mGame->fOpenLevels(0, false);
    ASSERT_TRUE(fSettle());
    mGame->fTake();
    fClickLevel(0);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(mGame->fTake(), std::vector<std::string>{"show level 0 1"});
    mGame->mThenFromEveryWindow = false;
    // The started level leaves no start behind on any closing screen, so a
    // later hide of one of them cannot start a level by itself.
    for (const char* name : {GG_WINDOW_NAME::kBACK, GG_WINDOW_NAME::kPACKS_MENU, GG_WINDOW_NAME::kSTARS,
                             GG_WINDOW_NAME::kSUMIE, GG_WINDOW_NAME::kHEART, GG_WINDOW_NAME::kLEVELS})
        EXPECT_EQ(mManager->fFindWindow(name)->fGetCallback(KEL::G_WINDOW::kCB_HIDDEN), KEL::Closure<void()>()) << name;

    mGame->mLevelsStart = false;
    mGame->fOpenLevels(0, false);
    ASSERT_TRUE(fSettle());
    mGame->fTake();
    fClickLevel(0);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(mGame->fTake(), (std::vector<std::string>{"show level 0 1", "open levels 0"}));
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kLEVELS));
}

TEST_F(PackTest, WithoutHeartsALevelOffersTheShopOnlyInAnEditionWithHearts) {
    game::GG_PLAYER* player = fMakePlayer(L"Eve");
    player->fGetHealth().fSetCount(0);
    mGame->fOpenLevels(0, false);
    ASSERT_TRUE(fSettle());
    mGame->fTake();
    fClickLevel(0);
    ASSERT_TRUE(fSettle());
    ASSERT_TRUE(fIsOpen(GG_WINDOW_NAME::kNO_HEALTH));
    fShot(GG_WINDOW_NAME::kNO_HEALTH);
    fClickWidget(GG_WINDOW_NAME::kNO_HEALTH, G_WINDOW_CONFIRM::kNO);
    ASSERT_TRUE(fSettle());
    fClickLevel(5);
    ASSERT_TRUE(fSettle());
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kNO_HEALTH)) << "even on a locked level";
    fClickWidget(GG_WINDOW_NAME::kNO_HEALTH, G_WINDOW_CONFIRM::kNO);
    ASSERT_TRUE(fSettle());
    EXPECT_TRUE(mGame->fTake().empty());

    mGame->mEdition.mHeart = 0;
    fClickLevel(0);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(mGame->fTake(), std::vector<std::string>{"show level 0 1"});
}

TEST_F(PackTest, TheSideMenuGoesBackFromLevelsToPacksAndFromPacksToTheTitle) {
    fMakePlayer(L"Eve");
    mGame->fOpenLevels(0, false);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kPACKS_MENU, game::GG_WINDOW_PACK_MENU::kBACK);
    ASSERT_TRUE(fSettle());
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kLEVELS));
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kLEVEL_TITLE));
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kPACKS));
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kPACK_TITLE));
    fClickWidget(GG_WINDOW_NAME::kPACKS_MENU, game::GG_WINDOW_PACK_MENU::kBACK);
    ASSERT_TRUE(fSettle());
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kPACKS));
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kPACKS_MENU));
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kFADE));
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kTITLE));
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kTITLE_TOP));
}
