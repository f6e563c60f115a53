#include "game/progress/GG_PROGRESS.h"

#include "engine/resources/KC_REPOSITORY.h"
#include "engine/util/KF_XML.h"
#include "game/product/GG_SETTINGS.h"
#include "game/profile/KT_PLAYERS.h"
#include "game/progress/KC_SHOP_ITEMS.h"
#include "game/progress/KC_TROPHIES.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/services/KC_LEADERBOARD.h"
#include "game/services/KC_LEADERBOARD_LIST.h"
#include "game/services/KS_STORE_PRODUCT.h"

namespace game {

namespace {

constexpr const char* kPACKS_FILE = "data/share/main/other packs_description.xml";
constexpr const char* kALL_TROPHIES = "tr_all_trophy";
const char* const kPC_SET[] = {"pc_tr_without_hint", "tr_without_error", "pc_tr_hint_use",
                               "tr_stars_1",         "tr_stars_2",       "tr_stars_3"};
const char* const kMOBILE_SET[] = {"m_tr_without_error", "m_tr_lifes", "m_tr_time",
                                   "tr_stars_1",         "tr_stars_2", "tr_stars_3"};

bool fStartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

std::string fPackTrophy(size_t ordinal) { return "tr_pack_" + std::to_string(ordinal + 1); }

}  // namespace

using KEL::KS_TROPHY_VALUE;

GG_PROGRESS::GG_PROGRESS(const GG_SETTINGS& settings, KEL::KT_PLAYERS& players, KEL::KC_TROPHIES& trophies,
                         KEL::KC_SHOP_ITEMS& shop, const KEL::KC_LEADERBOARD_LIST* leaderboards)
    : mSettings(settings), mPlayers(players), mTrophies(trophies), mShop(shop), mLeaderboards(leaderboards) {}

GG_PROGRESS::~GG_PROGRESS() = default;

GG_SAVE_LAYOUT GG_PROGRESS::fGetLayout() const {
    return GG_SAVE_LAYOUT{mSettings.fHasInApp(), mSettings.fGetVersion()};
}

GG_PLAYER* GG_PROGRESS::fGetCurrentPlayer() const { return mPlayers.fGetCurrent(); }

float GG_PROGRESS::fGetSoundVolume() const {
    const KEL::gPlayer* player = fGetCurrentPlayer() ? fGetCurrentPlayer() : mTemplate.get();
    return player ? player->fGetSoundVolume() : KEL::gPlayer().fGetSoundVolume();
}

float GG_PROGRESS::fGetMusicVolume() const {
    const KEL::gPlayer* player = fGetCurrentPlayer() ? fGetCurrentPlayer() : mTemplate.get();
    return player ? player->fGetMusicVolume() : KEL::gPlayer().fGetMusicVolume();
}

bool GG_PROGRESS::fUpdateHealth() {
    GG_PLAYER* player = fGetCurrentPlayer();
    if (!mSettings.fGetEdition().mHeart || !player || !player->fGetHealth().fUseHeart()) return false;
    fSave();
    return true;
}

bool GG_PROGRESS::fSaveFiles() const {
    const std::string folder = mSettings.fGetUserFolder();
    // Nothing before the list was loaded; the player list hears of a save
    // that wrote nothing, so the player is told.
    if (!mPlayers.fMaySave(folder)) {
        mPlayers.fNoteSaveFailed(folder);
        return false;
    }
    // The settings name the layout the players file is read with, so they go first.
    const bool settings = mSettings.fSaveSettings();
    const bool players = mPlayers.fSave(folder);
    if (!settings || !players) mPlayers.fNoteSaveFailed(folder);
    return settings && players;
}

void GG_PROGRESS::fLoadTemplate(const pugi::xml_node& player) {
    mTemplate = std::make_unique<GG_PLAYER>(fGetLayout());
    mTemplate->fLoadXml(player);
}

GG_PLAYER* GG_PROGRESS::fCreatePlayer(const std::wstring& name) {
    if (!mTemplate) return nullptr;
    auto player = std::make_unique<GG_PLAYER>(*mTemplate);
    player->fSetName(name);
    player->fSetLayout(fGetLayout());
    GG_PLAYER* added = player.get();
    return mPlayers.fAddPlayer(std::move(player)) ? added : nullptr;
}

bool GG_PROGRESS::fLoadPacksDescription(KEL::KC_REPOSITORY& repository, const KEL::KC_STRING_TABLE* strings) {
    pugi::xml_document* document = repository.fGetXml(kPACKS_FILE);
    if (!document) return false;
    fReadPacksDescription(KEL::fFindElement(*document), strings);
    repository.fReleaseXml(document);
    return true;
}

void GG_PROGRESS::fReadPacksDescription(const pugi::xml_node& packs, const KEL::KC_STRING_TABLE* strings) {
    mPacks.clear();
    for (pugi::xml_node child : packs.children()) {
        if (!KEL::fIsElement(child)) continue;
        auto pack = std::make_unique<GG_PACK_INFO>();
        if (pack->fRead(child, strings)) mPacks.push_back(std::move(pack));
    }
}

const GG_PACK_INFO* GG_PROGRESS::fFindPack(int32_t id) const {
    for (const auto& pack : mPacks)
        if (pack->fGetId() == id) return pack.get();
    return nullptr;
}

std::wstring GG_PROGRESS::fGetPackName(int32_t id) const {
    const GG_PACK_INFO* pack = fFindPack(id);
    return pack ? pack->fGetDisplayName() : std::wstring();
}

void GG_PROGRESS::fFeed(const std::string& name, const KS_TROPHY_VALUE& value) { mTrophies.fUpdateValue(name, value); }

void GG_PROGRESS::fFeedStatistics(const GG_PLAYER& player) {
    const GG_STATISTIC& s = player.fGetStatistic();
    fFeed("pc_tr_without_hint", KS_TROPHY_VALUE::fFromInt("pc_tr_without_hint", s.mWithoutHintMax));
    fFeed("tr_without_error", KS_TROPHY_VALUE::fFromInt("tr_without_error", s.mWithoutErrorMax));
    fFeed("m_tr_without_error", KS_TROPHY_VALUE::fFromInt("m_tr_without_error", s.mWithoutErrorMax));
    fFeed("pc_tr_hint_use", KS_TROPHY_VALUE::fFromInt("pc_tr_hint_use", s.mHintUse));
    fFeed("m_tr_time", KS_TROPHY_VALUE::fFromFloat("m_tr_time", s.mMinLevelTime));
    fFeed("m_tr_lifes", KS_TROPHY_VALUE::fFromInt("m_tr_lifes", player.fGetItemCount(KEL::kITEM_HEALTH)));
    const int32_t perfect = player.fCountPerfectLevels();
    for (const char* name : {"tr_stars_1", "tr_stars_2", "tr_stars_3"})
        fFeed(name, KS_TROPHY_VALUE::fFromInt(name, perfect));
    for (const char* name : {"tr_bronze_coin", "tr_silver_coin", "tr_gold_coin"})
        fFeed(name, KS_TROPHY_VALUE::fFromInt(name, s.mMaxScore));
}

void GG_PROGRESS::fUpdateTrophies(const GG_PLAYER* player) {
    if (!player) return;
    mTrophies.fLockAll();
    for (size_t i = 0; i < mPacks.size(); ++i) {
        // A player without a record of the pack has no progress to feed.
        const GG_PACK_RECORD* record = player->fFindPack(static_cast<int32_t>(i));
        if (record) fFeed(fPackTrophy(i), KS_TROPHY_VALUE::fFromFloat(fPackTrophy(i), record->fGetProgress()));
    }
    fFeedStatistics(*player);
    fFeed(kALL_TROPHIES, KS_TROPHY_VALUE::fFromBool(kALL_TROPHIES, fAllTrophiesUnlocked()));
}

bool GG_PROGRESS::fAllTrophiesUnlocked() const {
    for (size_t i = 0; i < mPacks.size(); ++i)
        if (!mTrophies.fIsUnlocked(fPackTrophy(i))) return false;
    const auto& set = mSettings.fIsMobilePlatform() ? kMOBILE_SET : kPC_SET;
    for (const char* name : set)
        if (!mTrophies.fIsUnlocked(name)) return false;
    return true;
}

void GG_PROGRESS::fCheckAllTrophies(KEL::KC_TROPHY* trophy) {
    if (!trophy) return;
    if (GG_PLAYER* player = fGetCurrentPlayer()) {
        player->fGetStatistic().fAddScore(trophy->fGetBonus());
        fSubmitScore();
    }
    fQueueTrophy(trophy);
    KEL::KC_TROPHY* all = mTrophies.fFind(kALL_TROPHIES);
    if (!all || all->fIsUnlocked()) return;
    if (all->fUpdateValue(KS_TROPHY_VALUE::fFromBool(kALL_TROPHIES, fAllTrophiesUnlocked()))) fCheckAllTrophies(all);
}

const KEL::KC_SHOP_ITEM* GG_PROGRESS::fStoreQuery(const std::string& key) const {
    const GG_PLAYER* player = fGetCurrentPlayer();
    return player ? mShop.fFind(key, player->fGetItemCount(key)) : nullptr;
}

void GG_PROGRESS::fSubmitScore() const {
    const GG_PLAYER* player = fGetCurrentPlayer();
    if (!player) return;
    auto id = [&](const char* name) { return mLeaderboards ? mLeaderboards->fGetId(name) : std::string(); };
    KEL::KC_LEADERBOARD::fGetInstance().fSubmit(id("Score"), player->fGetStatistic().mScore, 0);
    KEL::KC_LEADERBOARD::fGetInstance().fSubmit(id("Stars"), player->fGetTotalStars(), 0);
}

void GG_PROGRESS::fOnProductsReady() { fRefreshWindow(GG_WINDOW_NAME::kSHOP); }

void GG_PROGRESS::fOnPurchaseStarted() {
    mOverlayUp = true;
    mPurchaseSucceeded = false;
}

void GG_PROGRESS::fOnPurchaseResult(const KEL::KS_STORE_PRODUCT* product, int32_t flag) {
    mOverlayUp = false;
    if (product && flag == 0 && product->mName == KEL::kITEM_SECOND_CHANCE) fAskSecondChance();
    if (!mPurchaseSucceeded) fShowWindow(GG_WINDOW_NAME::kPURCHASE_FAIL);
}

void GG_PROGRESS::fRefillHearts(GG_PLAYER& player) {
    GG_HEALTH& hearts = player.fGetHealth();
    hearts.fClearQueue();
    const int32_t max = player.fGetItemCount(KEL::kITEM_HEALTH);
    if (hearts.fGetCount() < max) hearts.fSetCount(max);
    hearts.fUpdate();
}

void GG_PROGRESS::fSetItemFromShop(GG_PLAYER& player, const char* item) {
    const KEL::KC_SHOP_ITEM* offer = fStoreQuery(item);
    if (!offer) return;
    player.fSetItemCount(item, offer->fGetValue());
    if (std::string(item) == KEL::kITEM_HEALTH) fRefillHearts(player);
    fTellLevel("buy", item);
}

void GG_PROGRESS::fOnPurchaseSuccess(const KEL::KS_STORE_PRODUCT& product) {
    GG_PLAYER* player = fGetCurrentPlayer();
    if (!player) return;
    const std::string& key = product.mName;
    if (fStartsWith(key, "pack"))
        for (GG_PACK_RECORD* pack : player->fFindPacks(key)) pack->fUnlock();
    if (fStartsWith(key, KEL::kITEM_HEALTH)) {
        fSetItemFromShop(*player, KEL::kITEM_HEALTH);
        const int32_t hearts = player->fGetItemCount(KEL::kITEM_HEALTH);
        if (mTrophies.fUpdateValue("m_tr_lifes", KS_TROPHY_VALUE::fFromInt("m_tr_lifes", hearts)))
            fCheckAllTrophies(mTrophies.fFind("m_tr_lifes"));
    }
    if (fStartsWith(key, KEL::kITEM_ERRORS)) fSetItemFromShop(*player, KEL::kITEM_ERRORS);
    if (key == KEL::kITEM_REFILL_HEALTH) fRefillHearts(*player);
    // A hint bought from the store is one more, as bought with the score.
    if (key == KEL::kITEM_START_HINT || key == KEL::kITEM_REFILL_HINT) {
        player->fSetItemCount(key, player->fGetItemCount(key) + 1);
        fTellLevel("buy", key);
    }
    if (key == KEL::kITEM_SECOND_CHANCE) fGrantSecondChance(*player);
    mPurchaseSucceeded = true;
    fShowWindow(GG_WINDOW_NAME::kPURCHASE_SUCCESS);
    fRefreshAllWindows();
    fSave();
}

// The picture goes on where it stopped, and the heart its loss took is back.
void GG_PROGRESS::fGrantSecondChance(GG_PLAYER& player) {
    fGiveSecondChance();
    player.fGetHealth().fAddHeart();
}

bool GG_PROGRESS::fBuySecondChanceWithScore() {
    GG_PLAYER* player = fGetCurrentPlayer();
    const KEL::KC_SHOP_ITEM* offer = fStoreQuery(KEL::kITEM_SECOND_CHANCE);
    if (!player || !offer || offer->fGetPrice() > player->fGetStatistic().mScore) return false;
    player->fGetStatistic().fAddScore(-offer->fGetPrice());
    fGrantSecondChance(*player);
    fRefreshAllWindows();
    fSave();
    return true;
}

}  // namespace game
