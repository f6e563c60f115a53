#pragma once

#include <cstdint>
#include <memory>

#include <pugixml.hpp>

#include "engine/windows/gPages.h"

namespace KEL {
class G_WINDOW;
}

namespace game {

class GG_PACK_RECORD;
class GG_PLAYER;
class gPackItem;

// The pack list: one card per pack description, open packs with their
// stars, locked ones with their names and a lock, and a mark on the card
// before the first locked one. A click opens the pack, or asks what it
// takes to open it: stars or an in-app purchase in a free edition, points
// otherwise.
class gPages_Pack : public KEL::gPages {
public:
    // The window whose manager the questions open in (not owned).
    explicit gPages_Pack(KEL::G_WINDOW* window) : mWindow(window) {}

    std::unique_ptr<KEL::KC_BASE> fCreateItem(const pugi::xml_node& element, int32_t index) override;
    void fRefresh() override;
    void fOnItemClicked(KEL::KC_BASE* item) override;

    // The answers: buying with points (1 yes), and the in-app store
    // (1 or more buys, a negative answer asks the store's provider).
    void fOnBuyAnswer(int32_t answer);
    void fOnStoreAnswer(int32_t answer);

    uint16_t fGetChosenPack() const { return mChosenPack; }
    gPackItem* fGetPackItem(int32_t index) const;

private:
    void fRefreshItem(gPackItem& item, const GG_PLAYER& player, bool& markedNewest, gPackItem* previous);
    void fOpenPack();
    GG_PACK_RECORD* fChosenRecord() const;

    KEL::G_WINDOW* mWindow;
    uint16_t mChosenPack = 0;
};

}  // namespace game
