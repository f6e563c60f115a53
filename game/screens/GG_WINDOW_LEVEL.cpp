#include "game/screens/GG_WINDOW_LEVEL.h"

#include <memory>

#include "game/screens/gPages_Level.h"

namespace game {

GG_WINDOW_LEVEL::GG_WINDOW_LEVEL(const pugi::xml_node& node) : GG_WINDOW_PAGED(node, kTITLE) {
    fBuild(node, std::make_unique<gPages_Level>(this));
}

void GG_WINDOW_LEVEL::fSetPack(const GG_PACK_RECORD& pack) {
    gPages_Level* pages = fGetLevelPages();
    if (!pages) return;
    pages->fFill(pack);
    pages->fResetPage();
    if (mDots) mDots->fReset();
    fUpdateArrows();
}

gPages_Level* GG_WINDOW_LEVEL::fGetLevelPages() const { return static_cast<gPages_Level*>(mPages.get()); }

}  // namespace game
