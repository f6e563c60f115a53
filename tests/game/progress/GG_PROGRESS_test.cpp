#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include <pugixml.hpp>

#include "engine/platform/KC_FILESYSTEM.h"
#include "game/product/GG_SETTINGS.h"
#include "game/profile/KT_PLAYERS.h"
#include "game/progress/GG_PROGRESS.h"
#include "game/progress/KC_SHOP_ITEMS.h"
#include "game/progress/KC_TROPHIES.h"
#include "game/services/KC_IGP_WRAPPER_TEST.h"
#include "game/services/KC_STORE.h"
#include "support/FakeHost.h"
#include "tests/game/profile/PlayerFixture.h"

using game::GG_PLAYER;
using game::GG_PROGRESS;
using KEL::KS_STORE_PRODUCT;

namespace {

const char* const kSHOP = "<store><item name=\"health\" price=\"1\" value=\"6\" InAppKey=\"health\"/>"
                          "<item name=\"health\" price=\"2\" value=\"8\" InAppKey=\"health\"/>"
                          "<item name=\"errors\" price=\"3\" value=\"5\" InAppKey=\"errors\"/>"
                          "<item name=\"start_hint\" price=\"4\" endless=\"true\" value=\"0\"/></store>";

const char* const kTROPHIES =
    "<trophies>"
    "<trophy name=\"tr_pack_1\" bonus=\"10\"><condition name=\"tr_pack_1\" value_type=\"float\" value=\"1\" operator=\"==\"/></trophy>"
    "<trophy name=\"pc_tr_without_hint\" bonus=\"1\"><condition name=\"pc_tr_without_hint\" value_type=\"int\" value=\"2\"/></trophy>"
    "<trophy name=\"tr_without_error\" bonus=\"1\"><condition name=\"tr_without_error\" value_type=\"int\" value=\"2\"/></trophy>"
    "<trophy name=\"pc_tr_hint_use\" bonus=\"1\"><condition name=\"pc_tr_hint_use\" value_type=\"int\" value=\"1\"/></trophy>"
    "<trophy name=\"tr_stars_1\" bonus=\"1\"><condition name=\"tr_stars_1\" value_type=\"int\" value=\"1\"/></trophy>"
    "<trophy name=\"tr_stars_2\" bonus=\"1\"><condition name=\"tr_stars_2\" value_type=\"int\" value=\"1\"/></trophy>"
    "<trophy name=\"tr_stars_3\" bonus=\"1\"><condition name=\"tr_stars_3\" value_type=\"int\" value=\"2\"/></trophy>"
    "<trophy name=\"tr_gold_coin\" bonus=\"1\"><condition name=\"tr_gold_coin\" value_type=\"uint\" value=\"5000\"/></trophy>"
    "<trophy name=\"m_tr_lifes\" bonus=\"5\"><condition name=\"m_tr_lifes\" value_type=\"int\" value=\"8\"/></trophy>"
    "<trophy name=\"tr_all_trophy\" bonus=\"100\"><condition name=\"tr_all_trophy\" value_type=\"bool\" value=\"true\" operator=\"==\"/></trophy>"
    "</trophies>";

// The progress rules with every hook recorded.
struct Recorder : GG_PROGRESS {
    using GG_PROGRESS::GG_PROGRESS;
    std::vector<std::string> log;
    void fQueueTrophy(KEL::KC_TROPHY* t) override { log.push_back("queue " + t->fGetName()); }
    void fShowWindow(const std::string& n) override { log.push_back("show " + n); }
    void fRefreshWindow(const std::string& n) override { log.push_back("refresh " + n); }
    void fRefreshAllWindows() override { log.push_back("refresh all"); }
    void fTellLevel(const std::string& k, const std::string& i) override { log.push_back(k + " " + i); }
    void fAskSecondChance() override { log.push_back("ask second chance"); }
    void fGiveSecondChance() override { log.push_back("give second chance"); }
    void fSave() override { log.push_back("save"); }
};

// Settings of an edition with or without an in-app store, and everything the
// progress rules work on, with one player made from the template.
struct World {
    testsupport::FakeClock clock;
    game::GG_SETTINGS settings;
    KEL::KT_PLAYERS players;
    KEL::KC_TROPHIES trophies;
    KEL::KC_SHOP_ITEMS shop;
    Recorder progress{settings, players, trophies, shop};

    explicit World(bool inApp = true) {
        pugi::xml_document d;
        d.load_string(
            "<game><company value=\"c\"/><product value=\"p\"/><edition value=\"e\"/><lang value=\"en\"/></game>");
        EXPECT_TRUE(settings.fReadProduct(d.document_element()));
        std::string e = "<editions><edition type=\"e\"><platform type=\"PC\"/>";
        for (const char* n : {"scenes", "store", "tutorial", "trophies", "ad", "player"})
            e += std::string("<") + n + " file=\"f\"/>";
        e += std::string("<inapp file=\"") + (inApp ? "i" : "") + "\"/>";
        for (const char* n : {"heart", "pack_logic_stars", "store_button", "free", "default_player"})
            e += std::string("<") + n + " param=\"true\"/>";
        d.load_string((e + "</edition></editions>").c_str());
        EXPECT_TRUE(settings.fReadEditions(d.document_element()));
        players.fSetLayout(progress.fGetLayout());
        d.load_string(kSHOP);
        shop.fLoad(d.document_element());
        d.load_string(kTROPHIES);
        EXPECT_TRUE(trophies.fRead(d));
        d.load_string("<packs><pack id=\"0\" key=\"a\" stars2pass=\"0\" price=\"0\" path=\"p0\"/></packs>");
        progress.fReadPacksDescription(d.document_element(), nullptr);
        d.load_string(playertest::fPlayerXml("player", 0).c_str());
        progress.fLoadTemplate(d.document_element());
    }
    GG_PLAYER& fPlayer() {
        if (!players.fGetCurrent()) {
            EXPECT_NE(progress.fCreatePlayer(L"me"), nullptr);
        }
        return *players.fGetCurrent();
    }
};

KS_STORE_PRODUCT fProduct(const std::string& name) {
    KS_STORE_PRODUCT p;
    p.mName = name;
    p.mProductId = name;
    return p;
}

}  // namespace

TEST(GG_PROGRESS, NewPlayersAreDeepCopiesOfTheTemplateUnderAFreeName) {
    World w;
    GG_PLAYER* first = w.progress.fCreatePlayer(L"a");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(w.players.fGetCurrent(), first);
    EXPECT_EQ(w.progress.fCreatePlayer(L"a"), nullptr);
    EXPECT_EQ(w.players.fGetCount(), 1u);
    first->fFindLevel(0, 1)->fSetStars(3);
    EXPECT_EQ(w.progress.fGetTemplate()->fFindLevel(0, 1)->fGetStars(), 1);
    EXPECT_EQ(first->fGetHealth().fGetOwner(), first);
    EXPECT_EQ(first->fGetLayout(), w.progress.fGetLayout());
    EXPECT_EQ(first->fFindPacks("pack_1").size(), 1u) << "the in-app template keeps its keys";
}

TEST(GG_PROGRESS, ShopStopsOfferingOnceTheCountIsReached) {
    World w;
    EXPECT_EQ(w.progress.fStoreQuery("health"), nullptr) << "no player, no offer";
    GG_PLAYER& p = w.fPlayer();
    p.fSetItemCount("health", 5);
    EXPECT_EQ(w.progress.fStoreQuery("health")->fGetValue(), 6);
    p.fSetItemCount("health", 6);
    EXPECT_EQ(w.progress.fStoreQuery("health")->fGetValue(), 8);
    p.fSetItemCount("health", 8);
    EXPECT_EQ(w.progress.fStoreQuery("health"), nullptr);
    p.fSetItemCount("start_hint", 1000);
    EXPECT_NE(w.progress.fStoreQuery("start_hint"), nullptr) << "endless";
    EXPECT_EQ(w.progress.fStoreQuery("unknown"), nullptr);
}

TEST(GG_PROGRESS, TheTestProviderStartsSucceedsThenReports) {
    World w;
    w.fPlayer();
    KEL::KC_STORE store;
    store.fSetDelegate(&w.progress);  // before loading: the load reports the products
    pugi::xml_document d;
    d.load_string(
        "<products><p name=\"errors\" product_id=\"errors\" type=\"C\"/>"
        "<p name=\"pack_1\" product_id=\"pack_1\" type=\"n\"/><p name=\"x\" product_id=\"x\" type=\"q\"/></products>");
    EXPECT_FALSE(store.fPurchase("errors")) << "not available before the load";
    ASSERT_TRUE(store.fLoad(d.document_element(), std::string(40, 'a'), nullptr));
    EXPECT_EQ(w.progress.log, (std::vector<std::string>{"refresh Shop"}));
    EXPECT_EQ(store.fGetProduct(1)->mType, KS_STORE_PRODUCT::kNON_CONSUMABLE);
    EXPECT_EQ(store.fGetProduct(2)->mType, KS_STORE_PRODUCT::kUNDEFINED);
    EXPECT_EQ(store.fGetProduct(0)->mPriceText, "TEST");
    EXPECT_EQ(store.fFindByProductId("pack_1"), 1);

    w.progress.log.clear();
    ASSERT_TRUE(store.fPurchase("errors"));
    EXPECT_EQ(w.progress.log, (std::vector<std::string>{"buy errors", "show purchase_success", "refresh all", "save"}));
    EXPECT_FALSE(w.progress.fIsPurchaseOverlayUp());
    EXPECT_EQ(w.players.fGetCurrent()->fGetItemCount("errors"), 5);
    EXPECT_FALSE(store.fPurchase("nothing"));

    store.fSetDelegate(nullptr);
    w.progress.log.clear();
    EXPECT_TRUE(store.fPurchase("errors"));
    EXPECT_TRUE(w.progress.log.empty()) << "no delegate, no report";
}

TEST(GG_PROGRESS, EachPurchaseGivesWhatItSells) {
    World w;
    GG_PLAYER& p = w.fPlayer();
    p.fGetHealth().fUseHeart();
    p.fGetHealth().fUseHeart();
    w.progress.fOnPurchaseSuccess(fProduct("pack_1"));
    EXPECT_EQ(p.fFindPack(1)->fGetLock(), 0);
    EXPECT_EQ(p.fFindPack(2)->fGetLock(), 0) << "was open already";

    w.progress.fOnPurchaseSuccess(fProduct("refill_health"));
    EXPECT_EQ(p.fGetHealth().fGetCount(), 5);
    EXPECT_TRUE(p.fGetHealth().fGetQueue().empty());

    w.progress.log.clear();
    p.fSetItemCount("health", 6);
    w.progress.fOnPurchaseSuccess(fProduct("health"));
    EXPECT_EQ(p.fGetItemCount("health"), 8);
    EXPECT_EQ(p.fGetHealth().fGetCount(), 8);
    EXPECT_EQ(w.progress.log[0], "buy health");
    EXPECT_EQ(w.progress.log[1], "queue m_tr_lifes") << "eight hearts win a trophy";
    EXPECT_TRUE(w.trophies.fIsUnlocked("m_tr_lifes"));

    // Hints: one more each, and the running level hears of it.
    const int32_t hints = p.fGetItemCount("start_hint"), refills = p.fGetItemCount("refill_hint");
    w.progress.log.clear();
    w.progress.fOnPurchaseSuccess(fProduct("start_hint"));
    w.progress.fOnPurchaseSuccess(fProduct("refill_hint"));
    EXPECT_EQ(p.fGetItemCount("start_hint"), hints + 1);
    EXPECT_EQ(p.fGetItemCount("refill_hint"), refills + 1);
    EXPECT_EQ(w.progress.log[0], "buy start_hint");
    EXPECT_EQ(std::count(w.progress.log.begin(), w.progress.log.end(), "buy refill_hint"), 1);

    p.fGetHealth().fUseHeart();
    w.progress.log.clear();
    w.progress.fOnPurchaseSuccess(fProduct("second_chance"));
    EXPECT_EQ(w.progress.log.front(), "give second chance");
    EXPECT_EQ(p.fGetHealth().fGetCount(), 8);

    w.progress.log.clear();
    w.progress.fOnPurchaseStarted();
    EXPECT_TRUE(w.progress.fIsPurchaseOverlayUp());
    const KS_STORE_PRODUCT chance = fProduct("second_chance");
    w.progress.fOnPurchaseResult(&chance, 0);
    EXPECT_EQ(w.progress.log, (std::vector<std::string>{"ask second chance", "show purchase_fail"}));
}

TEST(GG_PROGRESS, TrophiesFollowThePlayersRecordsAndTheLastOneCascadesOnce) {
    World w(false);
    GG_PLAYER& p = w.fPlayer();
    for (const auto& level : p.fFindPack(0)->fGetLevels()) level->fSetStars(3);
    game::GG_STATISTIC& s = p.fGetStatistic();
    s.mWithoutHintMax = 2;
    s.mWithoutErrorMax = 2;
    s.mMaxScore = 4999;
    s.mHintUse = 0;
    w.progress.fUpdateTrophies(&p);
    EXPECT_TRUE(w.trophies.fIsUnlocked("tr_pack_1"));
    EXPECT_TRUE(w.trophies.fIsUnlocked("tr_stars_3"));
    EXPECT_FALSE(w.trophies.fIsUnlocked("tr_gold_coin"));
    EXPECT_FALSE(w.trophies.fIsUnlocked("pc_tr_hint_use"));
    EXPECT_FALSE(w.progress.fAllTrophiesUnlocked());
    EXPECT_TRUE(w.progress.log.empty()) << "nothing is queued while recomputing";

    const int32_t score = s.mScore;
    s.mHintUse = 1;
    ASSERT_TRUE(w.trophies.fUpdateValue("pc_tr_hint_use", KEL::KS_TROPHY_VALUE::fFromInt("pc_tr_hint_use", 1)));
    w.progress.fCheckAllTrophies(w.trophies.fFind("pc_tr_hint_use"));
    EXPECT_EQ(w.progress.log, (std::vector<std::string>{"queue pc_tr_hint_use", "queue tr_all_trophy"}));
    EXPECT_EQ(s.mScore, score + 1 + 100);
    w.progress.fCheckAllTrophies(nullptr);
    EXPECT_EQ(w.progress.log.size(), 2u);

    w.progress.fUpdateTrophies(&p);
    EXPECT_TRUE(w.trophies.fIsUnlocked("tr_all_trophy")) << "recomputed for the same records";
}

TEST(GG_PROGRESS, VolumesComeFromTheTemplateWithoutAPlayer) {
    World w;
    EXPECT_EQ(w.progress.fGetSoundVolume(), 10.5f);
    EXPECT_EQ(w.progress.fGetMusicVolume(), 20.0f);
    w.fPlayer().fSetSoundVolume(70.0f);
    EXPECT_EQ(w.progress.fGetSoundVolume(), 70.0f);
}

TEST(GG_PROGRESS, AHeartIsSpentAndSavedOnlyWhereHeartsExist) {
    World w;
    GG_PLAYER& p = w.fPlayer();
    const int32_t hearts = p.fGetHealth().fGetCount();
    EXPECT_TRUE(w.progress.fUpdateHealth());
    EXPECT_EQ(p.fGetHealth().fGetCount(), hearts - 1);
    EXPECT_EQ(w.progress.log, (std::vector<std::string>{"save"}));
    p.fGetHealth().fSetCount(0);
    EXPECT_FALSE(w.progress.fUpdateHealth());
    EXPECT_EQ(w.progress.log.size(), 1u);
}

TEST(GG_PROGRESS, SavesTheSettingsAndThePlayersOnlyOnceTheListWasLoaded) {
    World w;
    const std::string folder = w.settings.fGetUserFolder();
    w.fPlayer();
    EXPECT_FALSE(w.progress.fSaveFiles());
    EXPECT_EQ(KEL::fFileExists(folder + "game.xml"), KEL::KE_PATH_KIND::kNONE)
        << "nothing written before the list was read";
    w.players.fLoad(folder);
    w.fPlayer();
    ASSERT_TRUE(w.progress.fSaveFiles());
    EXPECT_EQ(KEL::fFileExists(folder + "game.xml"), KEL::KE_PATH_KIND::kFILE);
    KEL::KT_PLAYERS back;
    back.fSetLayout(w.progress.fGetLayout());
    EXPECT_TRUE(back.fLoad(folder));
    EXPECT_EQ(back.fGetCount(), 1u);
}
