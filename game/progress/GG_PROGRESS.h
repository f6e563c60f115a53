#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "game/product/GG_PACK_INFO.h"
#include "game/profile/GG_PLAYER.h"
#include "game/profile/GG_SAVE_LAYOUT.h"
#include "game/progress/KS_TROPHY_VALUE.h"
#include "game/services/KC_IGP_DELEGATE.h"

namespace KEL {
class KC_LEADERBOARD_LIST;
class KC_REPOSITORY;
class KC_SHOP_ITEM;
class KC_SHOP_ITEMS;
class KC_STRING_TABLE;
class KC_TROPHY;
class KC_TROPHIES;
class KT_PLAYERS;
}  // namespace KEL

namespace game {

class GG_SETTINGS;

// The rules that tie the players to the packs, trophies and shop: new
// players from the template, the pack descriptions, the trophies a player's
// records have earned, what the shop offers a player, what each purchase
// gives and the scores sent to the leaderboards.
//
// The current player is always the player list's. What the rules make the
// rest of the game do (windows, the running level, saving) goes through the
// protected hooks, which the game object overrides; by default they do
// nothing. Main thread only, apart from loading on the loader thread before
// the main thread uses any of it.
class GG_PROGRESS : public KEL::KC_IGP_DELEGATE {
public:
    GG_PROGRESS(const GG_SETTINGS& settings, KEL::KT_PLAYERS& players, KEL::KC_TROPHIES& trophies,
                KEL::KC_SHOP_ITEMS& shop, const KEL::KC_LEADERBOARD_LIST* leaderboards = nullptr);
    ~GG_PROGRESS() override;
    GG_PROGRESS(const GG_PROGRESS&) = delete;
    GG_PROGRESS& operator=(const GG_PROGRESS&) = delete;

    // The stored form the running edition and settings call for.
    GG_SAVE_LAYOUT fGetLayout() const;

    // The template every new player copies (the player element).
    void fLoadTemplate(const pugi::xml_node& player);
    GG_PLAYER* fGetTemplate() const { return mTemplate.get(); }
    // A copy of the template under the name, added to the list; null (and
    // nothing added) for a name already taken or without a template.
    GG_PLAYER* fCreatePlayer(const std::wstring& name);
    GG_PLAYER* fGetCurrentPlayer() const;
    // Volumes for the sound groups: the current player's, else the template's.
    float fGetSoundVolume() const;
    float fGetMusicVolume() const;

    // A lost or left level: in an edition with hearts the current player
    // spends one, and the game saves when one was spent.
    bool fUpdateHealth();
    // Writes the user's settings, then the players; nothing before the
    // player list was loaded. False when either write failed.
    bool fSaveFiles() const;

    bool fLoadPacksDescription(KEL::KC_REPOSITORY& repository, const KEL::KC_STRING_TABLE* strings);
    // One pack per element child; malformed packs are skipped.
    void fReadPacksDescription(const pugi::xml_node& packs, const KEL::KC_STRING_TABLE* strings);
    const GG_PACK_INFO* fFindPack(int32_t id) const;
    std::wstring fGetPackName(int32_t id) const;
    const std::vector<std::unique_ptr<GG_PACK_INFO>>& fGetPacks() const { return mPacks; }

    // Works every trophy out again from the player's records (nothing is
    // queued for display).
    void fUpdateTrophies(const GG_PLAYER* player);
    // A trophy just won: its bonus, the display queue, and the trophy for
    // winning all the others.
    void fCheckAllTrophies(KEL::KC_TROPHY* trophy);
    bool fAllTrophiesUnlocked() const;

    // The shop's offer of that name for the current player; null without one.
    const KEL::KC_SHOP_ITEM* fStoreQuery(const std::string& key) const;
    void fSubmitScore() const;

    void fOnProductsReady() override;
    void fOnPurchaseStarted() override;
    void fOnPurchaseResult(const KEL::KS_STORE_PRODUCT* product, int32_t flag) override;
    void fOnPurchaseSuccess(const KEL::KS_STORE_PRODUCT& product) override;
    // Without the in-app store the second chance is paid with the score,
    // as the shop's offers are; it gives what the store's purchase gives.
    // False, and nothing spent, when the score does not reach its price.
    bool fBuySecondChanceWithScore();
    bool fIsPurchaseOverlayUp() const { return mOverlayUp; }

protected:
    virtual void fQueueTrophy(KEL::KC_TROPHY*) {}
    virtual void fShowWindow(const std::string&) {}
    virtual void fRefreshWindow(const std::string&) {}
    virtual void fRefreshAllWindows() {}
    // The running level hears of a purchase: (kind, item), e.g. ("buy", "health").
    virtual void fTellLevel(const std::string&, const std::string&) {}
    virtual void fAskSecondChance() {}
    virtual void fGiveSecondChance() {}
    virtual void fSave() {}

private:
    void fFeed(const std::string& name, const KEL::KS_TROPHY_VALUE& value);
    void fFeedStatistics(const GG_PLAYER& player);
    void fSetItemFromShop(GG_PLAYER& player, const char* item);
    void fGrantSecondChance(GG_PLAYER& player);
    static void fRefillHearts(GG_PLAYER& player);

    const GG_SETTINGS& mSettings;
    KEL::KT_PLAYERS& mPlayers;
    KEL::KC_TROPHIES& mTrophies;
    KEL::KC_SHOP_ITEMS& mShop;
    const KEL::KC_LEADERBOARD_LIST* mLeaderboards;
    std::unique_ptr<GG_PLAYER> mTemplate;
    std::vector<std::unique_ptr<GG_PACK_INFO>> mPacks;
    bool mOverlayUp = false;
    bool mPurchaseSucceeded = false;
};

}  // namespace game
