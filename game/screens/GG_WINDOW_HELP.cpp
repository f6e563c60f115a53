#include "game/screens/GG_WINDOW_HELP.h"

#include <memory>

#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/screens/pages/gPages_Help.h"

namespace game {

GG_WINDOW_HELP::GG_WINDOW_HELP(const pugi::xml_node& node)
    : GG_WINDOW_PAGED(node, {.mPrevious = kPREVIOUS, .mNext = kNEXT, .mListTakesMouse = false}) {
    fBuild(node, std::make_unique<gPages_Help>());
}

void GG_WINDOW_HELP::fOnClick(int32_t widgetId) {
    if (widgetId == kCLOSE && mManager) mManager->fHideWindow(mName);
    GG_WINDOW_PAGED::fOnClick(widgetId);
}

gPages_Help* GG_WINDOW_HELP::fGetHelpPages() const { return static_cast<gPages_Help*>(mPages.get()); }

}  // namespace game
