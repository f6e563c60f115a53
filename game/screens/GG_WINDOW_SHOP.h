#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include <pugixml.hpp>

#include "game/screens/GG_WINDOW_PAGED.h"

namespace game {

class gPagesShop;

// "Shop": the offer cards as a paged list, the player's score in label 2, a
// close button 1 and, in in-app editions, button 7 handed to the store's
// provider. Opened over a level, it lets the level go on when it closes,
// unless the in-level menu is still open.
class GG_WINDOW_SHOP : public GG_WINDOW_PAGED {
public:
    static constexpr int32_t kCLOSE = 1;
    static constexpr int32_t kSCORE = 2;
    static constexpr int32_t kPROVIDER = 7;

    explicit GG_WINDOW_SHOP(const pugi::xml_node& node);

    void fOnClick(int32_t widgetId) override;
    void fOnShowStart() override;
    void fOnRefresh() override;
    void fOnHidden() override;

    gPagesShop* fGetShopPages() const;
    // Item names by id from the "settings" "pair" children.
    const std::map<int32_t, std::string>& fGetPairs() const { return mPairs; }

private:
    void fRefreshCards();

    std::map<int32_t, std::string> mPairs;
};

}  // namespace game
