#include "game/screens/GG_WINDOW_SHOP.h"

#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/pages/gPagesShop.h"

namespace game {

GG_WINDOW_SHOP::GG_WINDOW_SHOP(const pugi::xml_node& node) : GG_WINDOW_PAGED(node, {}) {
    for (const pugi::xml_node pair : node.child("settings").children("pair"))
        mPairs[pair.attribute("id").as_int(0)] = pair.attribute("item").as_string("");
    fBuild(node, std::make_unique<gPagesShop>(*this));
}

gPagesShop* GG_WINDOW_SHOP::fGetShopPages() const { return static_cast<gPagesShop*>(mPages.get()); }

void GG_WINDOW_SHOP::fRefreshCards() {
    if (!mPages) return;
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    GG_PLAYER* player = game ? game->fGetCurrentPlayer() : nullptr;
    const int32_t score = player ? player->fGetStatistic().mScore : 0;
    mPages->fRefresh();
    fGetShopPages()->fApplyAffordability(score);
    if (auto* label = fFindWidget<KEL::KC_GUI_WLABEL>(*this, kSCORE)) label->fSetText(std::to_wstring(score));
}

void GG_WINDOW_SHOP::fOnShowStart() {
    GG_WINDOW_PAGED::fOnShowStart();
    fRefreshCards();
}

void GG_WINDOW_SHOP::fOnRefresh() { fRefreshCards(); }

void GG_WINDOW_SHOP::fOnClick(int32_t widgetId) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    GG_WINDOW_PAGED::fOnClick(widgetId);
    if (widgetId == kCLOSE && mManager) mManager->fHideWindow(mName);
    if (widgetId == kPROVIDER && game && game->fHasInApp()) game->fStoreProviderPass();
}

// A refill of hints lasts only as long as the shop that sold it.
void GG_WINDOW_SHOP::fOnHidden() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!game) return;
    if (!mManager || !mManager->fIsOpen(GG_WINDOW_NAME::kGAME_MENU)) game->fResumeLevel();
    GG_PLAYER* player = game->fGetCurrentPlayer();
    if (game->fIsLevelRunning() && player && player->fGetItemCount(KEL::kITEM_REFILL_HINT) > 0)
        player->fSetItemCount(KEL::kITEM_REFILL_HINT, 0);
}

}  // namespace game
