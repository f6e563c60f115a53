#pragma once

#include <pugixml.hpp>

#include "game/screens/GG_WINDOW_PAGED.h"

namespace game {

class gPages_Trophy;

// "Trophy": the gallery of every trophy as a paged list with dots, turned
// by arrows 1 (previous) and 2 (next); every entry re-reads whether it is
// earned when the window refreshes.
class GG_WINDOW_TROPHY : public GG_WINDOW_PAGED {
public:
    explicit GG_WINDOW_TROPHY(const pugi::xml_node& node);

    void fOnRefresh() override;
    gPages_Trophy* fGetTrophyPages() const;
};

}  // namespace game
