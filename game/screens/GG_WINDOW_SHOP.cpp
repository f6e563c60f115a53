#include "game/screens/GG_WINDOW_SHOP.h"

#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/profile/GG_PLAYER.h"
#include "game/services/KC_STORE.h"
#include "game/screens/GG_SIDE_SCREENS_GAME.h"
#include "game/screens/GG_SIDE_STEPS.h"
#include "game/screens/pages/gPagesShop.h"

namespace game {

GG_WINDOW_SHOP::GG_WINDOW_SHOP(const pugi::xml_node& node) : G_WINDOW(node) {
    for (const pugi::xml_node pair : node.child("settings").children("pair"))
        mPairs[pair.attribute("id").as_int(0)] = pair.attribute("item").as_string("");
    const pugi::xml_node pages = node.child("gPages");
    if (!pages) return;
    mPages = std::make_unique<gPagesShop>(*this);
    mPages->fLoad(pages.attribute("file").as_string(""));
    // The cards hang under the window, so they slide in with it.
    mPages->fSetParent(&mTransform);
    const pugi::xml_attribute x = pages.attribute("pos_x"), y = pages.attribute("pos_y");
    if (x && y) mPages->fSetPosition(float(x.as_int(0)), float(y.as_int(0)));
}

GG_WINDOW_SHOP::~GG_WINDOW_SHOP() = default;

void GG_WINDOW_SHOP::fRefreshCards() {
    if (!mPages) return;
    GG_SIDE_SCREENS_GAME* game = GG_SIDE_SCREENS_GAME::fGet();
    GG_PLAYER* player = game ? game->fGetCurrentPlayer() : nullptr;
    const int32_t score = player ? player->fGetStatistic().mScore : 0;
    mPages->fRefresh();
    mPages->fApplyAffordability(score);
    if (auto* label = fFindIn<KEL::KC_GUI_WLABEL>(*this, kSCORE)) label->fSetText(std::to_wstring(score));
}

void GG_WINDOW_SHOP::fOnShowStart() { fRefreshCards(); }

void GG_WINDOW_SHOP::fOnRefresh() { fRefreshCards(); }

void GG_WINDOW_SHOP::fOnClick(int32_t widgetId) {
    GG_SIDE_SCREENS_GAME* game = GG_SIDE_SCREENS_GAME::fGet();
    if (widgetId == kCLOSE && mManager) mManager->fHideWindow(mName);
    if (widgetId == kPROVIDER && game && game->fHasInApp()) KEL::KC_STORE::fGetInstance().fProviderSlot4();
}

// A refill of hints lasts only as long as the shop that sold it.
void GG_WINDOW_SHOP::fOnHidden() {
    GG_SIDE_SCREENS_GAME* game = GG_SIDE_SCREENS_GAME::fGet();
    if (!game) return;
    if (!mManager || !mManager->fIsOpen(kGAME_MENU)) game->fResumeLevel();
    GG_PLAYER* player = game->fGetCurrentPlayer();
    if (game->fIsLevelRunning() && player && player->fGetItemCount(KEL::kITEM_REFILL_HINT) > 0)
        player->fSetItemCount(KEL::kITEM_REFILL_HINT, 0);
}

void GG_WINDOW_SHOP::fOnDraw() {
    if (mPages) mPages->fDraw();
}

void GG_WINDOW_SHOP::fOnLoad() {
    if (mPages) mPages->fReloadResources();
}

void GG_WINDOW_SHOP::fOnUnload() {
    if (mPages) mPages->fReleaseResources();
}

KEL::KS_MOUSE_RESULT GG_WINDOW_SHOP::fOnMouseDown(int32_t button) {
    const KEL::KS_MOUSE_RESULT result = G_WINDOW::fOnMouseDown(button);
    if (result.fTaken() || !mPages) return result;
    return mPages->fOnMouseDown(button);
}

KEL::KS_MOUSE_RESULT GG_WINDOW_SHOP::fOnMouseUp(int32_t button) {
    const KEL::KS_MOUSE_RESULT result = G_WINDOW::fOnMouseUp(button);
    if (result.fTaken() || !mPages) return result;
    return mPages->fOnMouseUp(button);
}

KEL::KS_MOUSE_RESULT GG_WINDOW_SHOP::fOnMouseMove() {
    const KEL::KS_MOUSE_RESULT result = G_WINDOW::fOnMouseMove();
    if (result.fTaken() || !mPages) return result;
    return mPages->fOnMouseMove();
}

}  // namespace game
