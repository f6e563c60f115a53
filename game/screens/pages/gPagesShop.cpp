#include "game/screens/pages/gPagesShop.h"

#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/profile/GG_PLAYER.h"
#include "game/progress/KC_SHOP_ITEM.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/pages/gPages_Shop_Item.h"

namespace game {

namespace {

// Hearts back to the player's maximum at once, nothing left to wait for.
void fFillHearts(GG_PLAYER& player) {
    GG_HEALTH& hearts = player.fGetHealth();
    hearts.fClearQueue();
    const int32_t max = player.fGetItemCount(KEL::kITEM_HEALTH);
    if (hearts.fGetCount() < max) hearts.fSetCount(max);
    hearts.fUpdate();
}

}  // namespace

std::unique_ptr<KEL::KC_BASE> gPagesShop::fCreateItem(const pugi::xml_node& element, int32_t) {
    return std::make_unique<gPages_Shop_Item>(this, element);
}

void gPagesShop::fOnItemClicked(KEL::KC_BASE* item) {
    if (auto* card = dynamic_cast<gPages_Shop_Item*>(item)) fBuy(*card);
}

void gPagesShop::fApplyAffordability(int32_t score) {
    for (int32_t i = 0; i < fGetItemCount(); ++i)
        if (auto* card = dynamic_cast<gPages_Shop_Item*>(fGetItem(i))) card->fApplyAffordability(score);
}

bool gPagesShop::fBuy(const gPages_Shop_Item& card) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    const KEL::KC_SHOP_ITEM* offer = game ? game->fStoreQuery(card.fGetOfferName()) : nullptr;
    GG_PLAYER* player = game ? game->fGetCurrentPlayer() : nullptr;
    if (!offer || !player) return false;
    if (game->fHasInApp()) return game->fPurchase(offer->fGetInAppKey());
    if (offer->fGetPrice() > player->fGetStatistic().mScore) return false;
    fBuyWithScore(*player, offer->fGetName(), offer->fGetPrice());
    return true;
}

// What the item gives is what the same purchase from the store gives: more
// hearts come at once, and the running level hears of the rest.
void gPagesShop::fBuyWithScore(GG_PLAYER& player, const std::string& item, int32_t price) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    player.fSetItemCount(item, player.fGetItemCount(item) + 1);
    player.fGetStatistic().fAddScore(-price);
    if (item == KEL::kITEM_HEALTH || item == KEL::kITEM_REFILL_HEALTH) fFillHearts(player);
    game->fOnLevelPurchase("buy", item);
    game->fSave();
    if (KEL::G_WINDOW_MANAGER* manager = mWindow.fGetManager()) manager->fRefreshAll();
}

}  // namespace game
