#pragma once

#include <cstdint>
#include <memory>

#include <pugixml.hpp>

#include "engine/windows/gPages.h"

namespace KEL {
class G_WINDOW;
}

namespace game {

class GG_PLAYER;
class gPages_Shop_Item;

// The shop's offer cards (gPages_Shop_Item). A release on a card's buy
// button buys its offer: through the in-app store in editions that have
// one, otherwise with the player's score.
class gPagesShop : public KEL::gPages {
public:
    // The window whose manager refreshes every window after a purchase.
    explicit gPagesShop(KEL::G_WINDOW& window) : mWindow(window) {}

    std::unique_ptr<KEL::KC_BASE> fCreateItem(const pugi::xml_node& element, int32_t index) override;
    void fOnItemClicked(KEL::KC_BASE* item) override;

    // Every card's button follows the score (outside in-app editions).
    void fApplyAffordability(int32_t score);
    // Buys the card's offer; false when nothing was bought or asked for.
    bool fBuy(const gPages_Shop_Item& card);

private:
    void fBuyWithScore(GG_PLAYER& player, const std::string& item, int32_t price);

    KEL::G_WINDOW& mWindow;
};

}  // namespace game
