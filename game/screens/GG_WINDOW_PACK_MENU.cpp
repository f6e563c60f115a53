#include "game/screens/GG_WINDOW_PACK_MENU.h"

#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"

namespace game {

namespace {
constexpr const char* kPACKS_WINDOW = "Packs";
constexpr const char* kLEVELS_WINDOW = "Levels";
constexpr const char* kTROPHY_WINDOW = "Trophy";
constexpr const char* kTRAINING_WINDOW = "Training";
constexpr const char* kMENU_SCREENS[] = {"Pack_Title", kPACKS_WINDOW, "Level_Title", kLEVELS_WINDOW,
                                         kTRAINING_WINDOW};
}  // namespace

void GG_WINDOW_PACK_MENU::fOnShowStart() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!game || !game->fIsMobilePlatform()) return;
    if (KEL::KC_GUI_OBJECT* back = mGui->fFindChild(kBACK)) {
        back->fSetEnabled(false);
        back->fSetVisible(false);
    }
}

void GG_WINDOW_PACK_MENU::fOnClick(int32_t widgetId) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!game || !mManager) return;
    switch (widgetId) {
    case kPACKS:
        if (mManager->fIsOpen(kPACKS_WINDOW)) break;
        fCloseMenuScreens(false);
        fShow(kPACKS_WINDOW);
        break;
    case kTROPHIES:
        if (mManager->fIsOpen(kTROPHY_WINDOW)) break;
        fCloseMenuScreens(false);
        game->fOpenTrophies();
        break;
    case kOPTIONS: fShow("Options"); break;
    case kBACK: fBack(); break;
    case kSHOP: fShow("Shop"); break;
    case kTRAINING:
        if (mManager->fIsOpen(kTRAINING_WINDOW)) break;
        fCloseMenuScreens(false);
        fShow(kTRAINING_WINDOW);
        break;
    default: break;
    }
}

void GG_WINDOW_PACK_MENU::fShow(const char* name) {
    if (mManager) mManager->fShowWindow(name);
}

void GG_WINDOW_PACK_MENU::fCloseMenuScreens(bool skip) {
    for (const char* name : kMENU_SCREENS) mManager->fHideWindow(name, skip);
    if (GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet()) game->fCloseTrophies(skip);
}

void GG_WINDOW_PACK_MENU::fBack() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (mManager->fIsOpen(kLEVELS_WINDOW)) {
        mManager->fHideWindow(kLEVELS_WINDOW);
        fShow(kPACKS_WINDOW);
        return;
    }
    if (game->fIsMobilePlatform()) return;
    fFadeThen(mManager, KEL::Closure<void()>::fBind<&GG_WINDOW_PACK_MENU::fBackToTitle>(this));
}

void GG_WINDOW_PACK_MENU::fBackToTitle() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (mManager) fCloseMenuScreens(true);
    if (game) {
        game->fCloseLevels();
        game->fOpenTitle();
    }
    fEndFade(mManager);
}

}  // namespace game
