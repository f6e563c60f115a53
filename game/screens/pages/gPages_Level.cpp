#include "game/screens/pages/gPages_Level.h"

#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/product/GG_EDITION.h"
#include "game/profile/GG_PACK_RECORD.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/pages/gLevel_Item.h"

namespace game {

using KEL::Closure;

std::unique_ptr<KEL::KC_BASE> gPages_Level::fCreateItem(const pugi::xml_node& element, int32_t index) {
    return std::make_unique<gLevel_Item>(this, element, index);
}

gLevel_Item* gPages_Level::fGetLevelItem(int32_t index) const { return dynamic_cast<gLevel_Item*>(fGetItem(index)); }

// Open cards take the level's stars; the open card just before the first
// locked one is the newest. A locked first card stays locked, and cards
// past the pack's levels are locked.
void gPages_Level::fFill(const GG_PACK_RECORD& pack) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!game || !game->fGetCurrentPlayer()) {
        mPackId = -1;
        return;
    }
    mPackId = pack.fGetId();
    bool newestDone = false;
    gLevel_Item* previous = nullptr;
    for (int32_t i = 0; i < fGetItemCount(); ++i) {
        gLevel_Item* item = fGetLevelItem(i);
        if (!item) continue;
        const GG_LEVEL_RECORD* level = pack.fGetLevel(item->fGetOrdinal());
        item->fSetStars(0);
        item->fSetState(GG_PAGE_ITEM::kLOCKED);
        if (level && level->fIsOpen()) {
            item->fSetState(GG_PAGE_ITEM::kOPEN);
            item->fSetStars(level->fGetStars());
        } else if (level && !newestDone) {
            newestDone = true;
            if (previous && previous->fGetState() == GG_PAGE_ITEM::kOPEN) previous->fSetState(GG_PAGE_ITEM::kNEWEST);
        }
        previous = item;
    }
}

void gPages_Level::fOnItemClicked(KEL::KC_BASE* base) {
    auto* item = dynamic_cast<gLevel_Item*>(base);
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    GG_PLAYER* player = game ? game->fGetCurrentPlayer() : nullptr;
    if (!item || !player || !mWindow) return;
    KEL::G_WINDOW_MANAGER* manager = mWindow->fGetManager();
    if (game->fGetEdition().mHeart && player->fGetHealth().fGetCount() <= 0) {
        fAsk(manager, GG_WINDOW_NAME::kNO_HEALTH, Closure<void()>::fBind<&gPages_Level::fOnShopAnswer>(this));
        return;
    }
    if (item->fGetState() == GG_PAGE_ITEM::kLOCKED) return;
    mChosenLevel = item->fGetOrdinal();
    fFadeThen(manager, Closure<void()>::fBind<&gPages_Level::fOnLevelChosen>(this));
}

void gPages_Level::fOnShopAnswer(int32_t answer) {
    KEL::G_WINDOW_MANAGER* manager = mWindow ? mWindow->fGetManager() : nullptr;
    if (answer == KEL::G_WINDOW_CONFIRM::kANSWER_YES && manager) manager->fShowWindow(GG_WINDOW_NAME::kSHOP);
}

void gPages_Level::fOnLevelChosen() {
    KEL::G_WINDOW_MANAGER* manager = mWindow ? mWindow->fGetManager() : nullptr;
    if (KEL::G_WINDOW* fade = manager ? manager->fFindWindow(GG_WINDOW_NAME::kFADE) : nullptr)
        fade->fSetCallback(KEL::G_WINDOW::kCB_SHOWN, Closure<void()>());
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    mStartPending = true;
    if (game) game->fCloseLevelsThen(Closure<void()>::fBind<&gPages_Level::fStartLevel>(this));
}

// The level is found in the template, which holds every pack and level.
// A level that cannot start brings the level list back rather than
// leaving an empty screen.
void gPages_Level::fStartLevel() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    KEL::G_WINDOW_MANAGER* manager = mWindow ? mWindow->fGetManager() : nullptr;
    if (!game || !manager || !mStartPending) return;
    mStartPending = false;
    GG_PLAYER* templ = game->fGetDefaultPlayer();
    GG_PACK_RECORD* pack = templ ? templ->fFindPack(mPackId) : nullptr;
    GG_LEVEL_RECORD* level = pack ? pack->fGetLevel(mChosenLevel) : nullptr;
    const bool started = level && game->fShowLevel(mPackId, level->fGetId());
    fEndFade(manager);
    if (!started) {
        game->fOpenLevels(mPackId, true);
        return;
    }
    manager->fUnloadAll(false);
    fForgetStartOnHide(*manager);
}

// Every level screen was handed the start as its hidden callback; the level
// has started, so a later hide of any of them must not start it again.
void gPages_Level::fForgetStartOnHide(KEL::G_WINDOW_MANAGER& manager) {
    const Closure<void()> start = Closure<void()>::fBind<&gPages_Level::fStartLevel>(this);
    for (const char* name : GG_WINDOW_NAME::kLEVEL_SCREEN) {
        KEL::G_WINDOW* window = manager.fFindWindow(name);
        if (window && window->fGetCallback(KEL::G_WINDOW::kCB_HIDDEN) == start)
            window->fSetCallback(KEL::G_WINDOW::kCB_HIDDEN, Closure<void()>());
    }
}

}  // namespace game
