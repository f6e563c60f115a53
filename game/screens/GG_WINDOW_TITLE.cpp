#include "game/screens/GG_WINDOW_TITLE.h"

#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"
#include "game/screens/GG_WINDOW_NAMES.h"

namespace game {

using KEL::Closure;

void GG_WINDOW_TITLE::fOnClick(int32_t widgetId) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!game) return;
    const bool hasPlayer = game->fGetCurrentPlayer() != nullptr;
    switch (widgetId) {
        case kPLAY:
            if (hasPlayer) fPlay();
            else mNewPlayer.fStart(mManager, Closure<void()>::fBind<&GG_WINDOW_TITLE::fPlay>(this));
            break;
        case kOPTIONS:
            if (hasPlayer) fOpenOptions();
            else mNewPlayer.fStart(mManager, Closure<void()>::fBind<&GG_WINDOW_TITLE::fOpenOptions>(this));
            break;
        case kEXIT:
            fAsk(mManager, GG_WINDOW_NAME::kEXIT_QUESTION,
                 Closure<void()>::fBind<&GG_WINDOW_TITLE::fOnExitAnswer>(this));
            break;
        default: break;
    }
}

void GG_WINDOW_TITLE::fPlay() { fFadeThen(mManager, Closure<void()>::fBind<&GG_WINDOW_TITLE::fOnPlayFaded>(this)); }

void GG_WINDOW_TITLE::fOnPlayFaded() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (game) {
        game->fCloseTitle();
        game->fOpenPacks(true);
    }
    fEndFade(mManager);
}

void GG_WINDOW_TITLE::fOpenOptions() {
    if (GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet()) game->fOpenOptions();
}

// Only a yes quits; no and close leave the title as it was.
void GG_WINDOW_TITLE::fOnExitAnswer(int32_t answer) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (answer == KEL::G_WINDOW_CONFIRM::kANSWER_YES && game) game->fQuit();
}

}  // namespace game
