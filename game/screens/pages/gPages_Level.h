#pragma once

#include <cstdint>
#include <memory>

#include <pugixml.hpp>

#include "engine/windows/gPages.h"

namespace KEL {
class G_WINDOW;
}

namespace KEL {
class G_WINDOW_MANAGER;
}

namespace game {

class GG_PACK_RECORD;
class gLevel_Item;

// The levels of one pack: open cards with their stars, the newest open one
// marked, the rest locked. A click on an open card, with a heart to spend
// in an edition with hearts, fades to the level; without hearts it offers
// the shop.
class gPages_Level : public KEL::gPages {
public:
    explicit gPages_Level(KEL::G_WINDOW* window) : mWindow(window) {}

    std::unique_ptr<KEL::KC_BASE> fCreateItem(const pugi::xml_node& element, int32_t index) override;
    void fOnItemClicked(KEL::KC_BASE* item) override;

    // The cards take the states and stars of the pack record's levels.
    void fFill(const GG_PACK_RECORD& pack);
    gLevel_Item* fGetLevelItem(int32_t index) const;
    int32_t fGetPackId() const { return mPackId; }
    int32_t fGetChosenLevel() const { return mChosenLevel; }

    // The steps of a level's start: the fade has covered the screen, the
    // level screens have gone, and the shop question's answer.
    void fOnLevelChosen();
    void fStartLevel();
    void fOnShopAnswer(int32_t answer);

private:
    void fForgetStartOnHide(KEL::G_WINDOW_MANAGER& manager);
    KEL::G_WINDOW* mWindow;
    int32_t mPackId = -1;
    int32_t mChosenLevel = -1;
    // Set when the fade has covered a chosen level, cleared by its start,
    // so a level starts once however often the closing screens call back.
    bool mStartPending = false;
};

}  // namespace game
