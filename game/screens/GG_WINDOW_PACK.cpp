#include "game/screens/GG_WINDOW_PACK.h"

#include <memory>

#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/pages/gPages_Pack.h"

namespace game {

GG_WINDOW_PACK::GG_WINDOW_PACK(const pugi::xml_node& node)
    : GG_WINDOW_PAGED(node, {.mPrevious = kPREVIOUS,
                             .mNext = kNEXT,
                             .mTitleWindow = GG_WINDOW_NAME::kPACK_TITLE,
                             .mHideArrowsOnOnePage = true}) {
    fBuild(node, std::make_unique<gPages_Pack>(this));
}

void GG_WINDOW_PACK::fOnShowStart() {
    GG_WINDOW_PAGED::fOnShowStart();
    fOnRefresh();
}

void GG_WINDOW_PACK::fOnRefresh() {
    if (mPages) mPages->fRefresh();
}

gPages_Pack* GG_WINDOW_PACK::fGetPackPages() const { return static_cast<gPages_Pack*>(mPages.get()); }

}  // namespace game
