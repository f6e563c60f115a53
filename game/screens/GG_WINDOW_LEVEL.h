#pragma once

#include <pugixml.hpp>

#include "game/screens/GG_WINDOW_PAGED.h"

namespace game {

class GG_PACK_RECORD;
class gPages_Level;

// The level screen "Levels": the levels of one pack, with its title
// "Level_Title". The game fills it with a pack each time it opens it.
class GG_WINDOW_LEVEL : public GG_WINDOW_PAGED {
public:
    explicit GG_WINDOW_LEVEL(const pugi::xml_node& node);

    // The cards follow the pack record; back to the first page.
    void fSetPack(const GG_PACK_RECORD& pack);
    // The cards follow the player's record of the game's current pack; back
    // to the first page only when the pack changed.
    void fOnRefresh() override;
    gPages_Level* fGetLevelPages() const;
};

}  // namespace game
