#pragma once

#include <pugixml.hpp>

#include "game/screens/GG_WINDOW_PAGED.h"

namespace game {

class gPages_Pack;

// The pack screen "Packs": the pack list, refreshed whenever it opens so a
// pack opened elsewhere shows at once, with its title "Pack_Title".
class GG_WINDOW_PACK : public GG_WINDOW_PAGED {
public:
    explicit GG_WINDOW_PACK(const pugi::xml_node& node);

    void fOnShowStart() override;
    void fOnRefresh() override;
    gPages_Pack* fGetPackPages() const;
};

}  // namespace game
