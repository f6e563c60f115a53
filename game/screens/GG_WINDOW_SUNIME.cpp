#include "game/screens/GG_WINDOW_SUNIME.h"

#include <string>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"

namespace game {

void GG_WINDOW_SUNIME::fOnShowStart() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    const GG_PLAYER* player = game ? game->fGetCurrentPlayer() : nullptr;
    if (!player) return;
    if (auto* stars = fFindWidget<KEL::KC_GUI_WLABEL>(*this, kSTARS))
        stars->fSetText(std::to_wstring(player->fGetTotalStars()));
    mScore = fFindWidget<KEL::KC_GUI_WLABEL>(*this, kSCORE);
    fUpdateScore();
}

void GG_WINDOW_SUNIME::fUpdateScore() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    const GG_PLAYER* player = game ? game->fGetCurrentPlayer() : nullptr;
    if (player && mScore) mScore->fSetText(std::to_wstring(player->fGetStatistic().mScore));
}

void GG_WINDOW_SUNIME::fOnFrame() {
    mAccumulator += KEL::kfFRAME_DELTA;
    if (mAccumulator < kREFRESH) return;
    mAccumulator = 0.0f;
    fUpdateScore();
}

}  // namespace game
