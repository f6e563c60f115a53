#include "game/screens/GG_WINDOW_HEALTH.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/util/KF_SMALL_HELPERS.h"
#include "engine/util/KF_UTF8.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"
#include "game/screens/GG_WINDOW_NAMES.h"

namespace game {

GG_WINDOW_HEALTH::GG_WINDOW_HEALTH(const pugi::xml_node& node)
    : G_WINDOW(node),
      mCountdown(fFindWidget<KEL::KC_GUI_WLABEL>(*this, kCOUNTDOWN)),
      mCount(fFindWidget<KEL::KC_GUI_WLABEL>(*this, kCOUNT)) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (mCountdown && game) mIdleText = game->fGetString(KEL::fToUtf8(mCountdown->fGetText()));
}

void GG_WINDOW_HEALTH::fUpdateCounter() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    const GG_PLAYER* player = game ? game->fGetCurrentPlayer() : nullptr;
    if (!player) return;
    const GG_HEALTH& health = player->fGetHealth();
    if (mCount) mCount->fSetText(std::to_wstring(health.fGetCount()));
    if (!mCountdown) return;
    if (health.fGetCountdown() > 0.0) mCountdown->fSetText(KEL::fTimeToString(health.fGetCountdown()));
    else mCountdown->fSetText(mIdleText);
}

void GG_WINDOW_HEALTH::fOnFrame() {
    mAccumulator += KEL::kfFRAME_DELTA;
    if (mAccumulator < kREFRESH) return;
    mAccumulator = 0.0f;
    fUpdateCounter();
}

void GG_WINDOW_HEALTH::fOnClick(int32_t) {
    if (!mManager) return;
    KEL::G_WINDOW* feedback = mManager->fFindWindow(GG_WINDOW_NAME::kHEART_FEEDBACK);
    if (!feedback) return;
    feedback->fSetCallback(kCB_SHOWN, KEL::Closure<void()>::fBind<&GG_WINDOW_HEALTH::fOnFeedbackShown>(this));
    mManager->fShowWindow(GG_WINDOW_NAME::kHEART_FEEDBACK);
}

void GG_WINDOW_HEALTH::fOnFeedbackShown() {
    if (!mManager) return;
    if (KEL::G_WINDOW* feedback = mManager->fFindWindow(GG_WINDOW_NAME::kHEART_FEEDBACK))
        feedback->fSetCallback(kCB_SHOWN, KEL::Closure<void()>());
    mManager->fHideWindow(GG_WINDOW_NAME::kHEART_FEEDBACK);
}

}  // namespace game
