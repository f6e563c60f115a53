#include "game/screens/GG_WINDOW_GAME_MENU.h"

#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/product/GG_EDITION.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"
#include "game/screens/GG_WINDOW_NAMES.h"

namespace game {

using KEL::Closure;

void GG_WINDOW_GAME_MENU::fOnShowStart() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!game) return;
    const GG_PLAYER* player = game->fGetCurrentPlayer();
    const bool hearts = !game->fGetEdition().mHeart || (player && player->fGetHealth().fGetCount() > 0);
    fEnableButton(fFindWidget<KEL::KC_GUI_BUTTON5>(*this, kRESTART), hearts);
}

void GG_WINDOW_GAME_MENU::fOnClick(int32_t widgetId) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!game || !mManager) return;
    switch (widgetId) {
        case kRESUME:
            fClose();
            game->fResumeLevel();
            break;
        case kRESTART: {
            const auto answer = Closure<void()>::fBind<&GG_WINDOW_GAME_MENU::fOnRestartAnswer>(this);
            if (!mManager->fFindWindow(GG_WINDOW_NAME::kRESTART_QUESTION))
                fAsk(mManager, GG_WINDOW_NAME::kRESTART_IN_FINISH_QUESTION, answer);
            else fAsk(mManager, GG_WINDOW_NAME::kRESTART_QUESTION, answer);
            break;
        }
        case kLEAVE:
            fAsk(mManager, GG_WINDOW_NAME::kLEAVE_QUESTION,
                 Closure<void()>::fBind<&GG_WINDOW_GAME_MENU::fOnLeaveAnswer>(this));
            break;
        case kOPTIONS: game->fOpenOptions(); break;
        case kSHOP: mManager->fShowWindow(GG_WINDOW_NAME::kSHOP); break;
        default: break;
    }
}

void GG_WINDOW_GAME_MENU::fClose() {
    if (mManager) mManager->fHideWindow(fGetName());
}

void GG_WINDOW_GAME_MENU::fOnRestartAnswer(int32_t answer) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (answer != KEL::G_WINDOW_CONFIRM::kANSWER_YES || !game) return;
    game->fUpdateHealth();
    game->fRestartLevel();
    fClose();
}

void GG_WINDOW_GAME_MENU::fOnLeaveAnswer(int32_t answer) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (answer != KEL::G_WINDOW_CONFIRM::kANSWER_YES || !game) return;
    game->fUpdateHealth();
    fFadeThen(mManager, Closure<void()>::fBind<&GG_WINDOW_GAME_MENU::fOnLeaveFaded>(this));
}

void GG_WINDOW_GAME_MENU::fOnLeaveFaded() {
    fClose();
    if (GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet()) {
        const int32_t packId = game->fGetCurrentPackId();
        game->fStopLevel();
        game->fEndLevel();
        game->fOpenLevels(packId, true);
    }
    fEndFade(mManager);
}

}  // namespace game
