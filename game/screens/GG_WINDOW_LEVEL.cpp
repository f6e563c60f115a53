#include "game/screens/GG_WINDOW_LEVEL.h"

#include <memory>

#include "game/profile/GG_PACK_RECORD.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/pages/gPages_Level.h"

namespace game {

GG_WINDOW_LEVEL::GG_WINDOW_LEVEL(const pugi::xml_node& node)
    : GG_WINDOW_PAGED(node, {.mPrevious = kPREVIOUS,
                             .mNext = kNEXT,
                             .mTitleWindow = GG_WINDOW_NAME::kLEVEL_TITLE,
                             .mHideArrowsOnOnePage = true}) {
    fBuild(node, std::make_unique<gPages_Level>(this));
}

void GG_WINDOW_LEVEL::fSetPack(const GG_PACK_RECORD& pack) {
    gPages_Level* pages = fGetLevelPages();
    if (!pages) return;
    pages->fFill(pack);
    fToFirstPage();
}

void GG_WINDOW_LEVEL::fOnRefresh() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    GG_PLAYER* player = game ? game->fGetCurrentPlayer() : nullptr;
    const int32_t packId = game ? game->fGetCurrentPackId() : -1;
    const GG_PACK_RECORD* pack = player ? player->fFindPack(packId) : nullptr;
    gPages_Level* pages = fGetLevelPages();
    if (!pack || !pages) return;
    if (pages->fGetPackId() != packId) return fSetPack(*pack);
    pages->fFill(*pack);
}

gPages_Level* GG_WINDOW_LEVEL::fGetLevelPages() const { return static_cast<gPages_Level*>(mPages.get()); }

}  // namespace game
