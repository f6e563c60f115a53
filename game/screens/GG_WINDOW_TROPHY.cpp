#include "game/screens/GG_WINDOW_TROPHY.h"

#include <memory>

#include "game/screens/pages/gPages_Trophy.h"

namespace game {

GG_WINDOW_TROPHY::GG_WINDOW_TROPHY(const pugi::xml_node& node)
    : GG_WINDOW_PAGED(node, {.mPrevious = kPREVIOUS, .mNext = kNEXT}) {
    fBuild(node, std::make_unique<gPages_Trophy>());
}

void GG_WINDOW_TROPHY::fOnRefresh() {
    if (mPages) mPages->fRefresh();
}

gPages_Trophy* GG_WINDOW_TROPHY::fGetTrophyPages() const { return static_cast<gPages_Trophy*>(mPages.get()); }

}  // namespace game
