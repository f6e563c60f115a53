#include "game/screens/GG_WINDOW_PACK_MENU.h"

#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"
#include "game/screens/GG_WINDOW_NAMES.h"

namespace game {

namespace {
constexpr const char* kMENU_SCREENS[] = {GG_WINDOW_NAME::kPACK_TITLE, GG_WINDOW_NAME::kPACKS,
                                         GG_WINDOW_NAME::kLEVEL_TITLE, GG_WINDOW_NAME::kLEVELS,
                                         GG_WINDOW_NAME::kTRAINING};
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
            if (mManager->fIsOpen(GG_WINDOW_NAME::kPACKS)) break;
            fCloseMenuScreens(false);
            fShow(GG_WINDOW_NAME::kPACKS);
            break;
        case kTROPHIES:
            if (mManager->fIsOpen(GG_WINDOW_NAME::kTROPHY)) break;
            fCloseMenuScreens(false);
            game->fOpenTrophies();
            break;
        case kOPTIONS: fShow(GG_WINDOW_NAME::kOPTIONS); break;
        case kBACK: fBack(); break;
        case kSHOP: fShow(GG_WINDOW_NAME::kSHOP); break;
        case kTRAINING:
            if (mManager->fIsOpen(GG_WINDOW_NAME::kTRAINING)) break;
            fCloseMenuScreens(false);
            fShow(GG_WINDOW_NAME::kTRAINING);
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
    if (mManager->fIsOpen(GG_WINDOW_NAME::kLEVELS)) {
        mManager->fHideWindow(GG_WINDOW_NAME::kLEVELS);
        fShow(GG_WINDOW_NAME::kPACKS);
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
