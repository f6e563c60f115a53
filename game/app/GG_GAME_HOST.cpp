#include "game/app/GG_GAME_HOST.h"

#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "game/app/gGame.h"
#include "game/product/GG_SETTINGS.h"
#include "game/progress/KC_SHOP_ITEM.h"
#include "game/progress/KC_TROPHIES.h"
#include "game/progress/KS_TROPHY_VALUE.h"
#include "game/screens/GG_WINDOW_FINISH.h"
#include "game/services/KC_STORE.h"

namespace game {

GG_PLAYER* GG_GAME_HOST::fGetCurrentPlayer() { return mGame.fGetCurrentPlayer(); }
GG_PACK_INFO* GG_GAME_HOST::fGetCurrentPack() { return mGame.fGetCurrentPack(); }
GG_LEVEL_RECORD* GG_GAME_HOST::fGetCurrentLevel() { return mGame.fGetCurrentLevel(); }
GG_PACK_INFO* GG_GAME_HOST::fFindPack(int32_t id) { return const_cast<GG_PACK_INFO*>(mGame.fFindPack(id)); }
const GG_EDITION& GG_GAME_HOST::fGetEdition() { return mGame.fGetEdition(); }

KEL::KC_SOUND_LIST* GG_GAME_HOST::fGetSound() { return gGame::fGetSound(); }
KEL::KC_FONT_LIST* GG_GAME_HOST::fGetFonts() { return gGame::fGetFonts(); }
KEL::KC_STRING_TABLE* GG_GAME_HOST::fGetStrings() { return gGame::fGetStrings(); }
KEL::G_WINDOW_MANAGER* GG_GAME_HOST::fGetWindowManager() { return gGame::fGetWindowManager(); }

void GG_GAME_HOST::fRestartLevel() { mGame.fRestartLevel(); }
void GG_GAME_HOST::fLeaveLevel(bool thenShop) { mGame.fLeaveLevel(thenShop); }
void GG_GAME_HOST::fUpdateHealth() { mGame.fUpdateHealth(); }
void GG_GAME_HOST::fSave() { mGame.fSave(); }
void GG_GAME_HOST::fHoldTrophies(float seconds) { mGame.fHoldTrophies(seconds); }

void GG_GAME_HOST::fFeedTrophy(const std::string& key, float value) {
    KEL::KC_TROPHIES* trophies = gGame::fGetTrophies();
    if (trophies && trophies->fUpdateValue(key, KEL::KS_TROPHY_VALUE::fFromFloat(key, value)))
        mGame.fCheckAllTrophies(trophies->fFind(key));
}

// The leaderboards take the player's totals, which already hold the level.
void GG_GAME_HOST::fSubmitScore(int32_t, int32_t) { mGame.fSubmitScore(); }

bool GG_GAME_HOST::fPurchase(const std::string& item) {
    if (gGame::fGetSettings().fHasInApp()) return KEL::KC_STORE::fGetInstance().fPurchase(item);
    return item == KEL::kITEM_SECOND_CHANCE && mGame.fBuySecondChanceWithScore();
}

void GG_GAME_HOST::fShowPrice(KEL::G_WINDOW& window, const std::string& item) {
    auto* question = dynamic_cast<KEL::G_WINDOW_CONFIRM*>(&window);
    const KEL::KC_SHOP_ITEM* offer = mGame.fStoreQuery(item);
    if (question && offer) question->fFormatMessage(offer->fGetPrice());
}

// The result window's class hands the result to its own widgets.
void GG_GAME_HOST::fShowResult(KEL::G_WINDOW& window, const GG_LEVEL_RESULT& result) {
    if (auto* finish = dynamic_cast<GG_WINDOW_FINISH*>(&window)) finish->fShowResult(result);
}

}  // namespace game
