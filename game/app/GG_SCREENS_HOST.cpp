#include "game/app/GG_SCREENS_HOST.h"

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "game/app/GG_WINDOW_FACTORY.h"
#include "game/app/gGame.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/product/GG_SETTINGS.h"
#include "game/services/KC_STORE.h"

namespace game {

GG_PLAYER* GG_SCREENS_HOST::fGetCurrentPlayer() { return mGame.fGetCurrentPlayer(); }
void GG_SCREENS_HOST::fSetCurrentPlayer(GG_PLAYER* player) { mGame.fSetCurrentPlayer(player); }
void GG_SCREENS_HOST::fSave() { mGame.fSave(); }
bool GG_SCREENS_HOST::fIsMobilePlatform() { return gGame::fGetSettings().fIsMobilePlatform(); }
KEL::KC_FONT_LIST* GG_SCREENS_HOST::fGetFonts() { return gGame::fGetFonts(); }

std::wstring GG_SCREENS_HOST::fGetString(const std::string& key) {
    KEL::KC_STRING_TABLE* strings = gGame::fGetStrings();
    return strings ? strings->fGetString(key) : std::wstring();
}

void GG_SCREENS_HOST::fLocalize(KEL::KC_GUI_OBJECT* widget) { fLocalizeTree(widget); }
void GG_SCREENS_HOST::fResumeLevel() { mGame.fResumeLevel(); }

KEL::KT_PLAYERS* GG_SCREENS_HOST::fGetPlayers() { return gGame::fGetPlayers(); }
GG_PLAYER* GG_SCREENS_HOST::fCreatePlayer(const std::wstring& name) { return mGame.fCreatePlayer(name); }
GG_PLAYER* GG_SCREENS_HOST::fGetDefaultPlayer() { return mGame.fGetTemplate(); }
const GG_EDITION& GG_SCREENS_HOST::fGetEdition() { return mGame.fGetEdition(); }
void GG_SCREENS_HOST::fOpenTitle() { mGame.fOpenTitle(); }
void GG_SCREENS_HOST::fCloseTitle() { mGame.fCloseTitle(); }
void GG_SCREENS_HOST::fOpenPacks(bool skip) { mGame.fOpenPacks(skip); }
void GG_SCREENS_HOST::fOpenLevels(int32_t packId, bool skip) { mGame.fOpenLevels(packId, skip); }
void GG_SCREENS_HOST::fCloseLevels() { mGame.fCloseLevels(); }
void GG_SCREENS_HOST::fCloseLevelsThen(const KEL::Closure<void()>& then) { mGame.fCloseLevelsThen(then); }
void GG_SCREENS_HOST::fOpenTrophies() { mGame.fOpenTrophies(); }
void GG_SCREENS_HOST::fCloseTrophies(bool skip) { mGame.fCloseTrophies(skip); }
void GG_SCREENS_HOST::fOpenOptions() { mGame.fOpenOptions(); }
const GG_PACK_INFO* GG_SCREENS_HOST::fFindPack(int32_t packId) { return mGame.fFindPack(packId); }
std::wstring GG_SCREENS_HOST::fGetPackName(int32_t packId) { return mGame.fGetPackName(packId); }
std::wstring GG_SCREENS_HOST::fGetPackStarsText(int32_t packId) { return mGame.fGetPackStarsText(packId); }
bool GG_SCREENS_HOST::fShowLevel(int32_t packId, int32_t levelId) { return mGame.fShowLevel(packId, levelId); }
void GG_SCREENS_HOST::fStopLevel() { mGame.fStopLevel(); }
void GG_SCREENS_HOST::fEndLevel() { mGame.fEndLevel(); }
void GG_SCREENS_HOST::fPauseLevel() { mGame.fPauseLevel(); }
void GG_SCREENS_HOST::fRestartLevel() { mGame.fRestartLevel(); }
void GG_SCREENS_HOST::fUpdateHealth() { mGame.fUpdateHealth(); }

int32_t GG_SCREENS_HOST::fGetCurrentPackId() {
    return mGame.fGetCurrentPack() ? mGame.fGetCurrentPack()->fGetId() : -1;
}

GG_LEVEL_RECORD* GG_SCREENS_HOST::fGetCurrentLevel() { return mGame.fGetCurrentLevel(); }

void GG_SCREENS_HOST::fQuit() {
    if (KEL::kcGAME) KEL::kcGAME->mRunning = 0;
}

std::string GG_SCREENS_HOST::fGetStorePrice(const std::string& productId) {
    const KEL::KC_STORE& store = KEL::KC_STORE::fGetInstance();
    const KEL::KS_STORE_PRODUCT* product = store.fGetProduct(store.fFindByProductId(productId));
    return product ? product->mPriceText : std::string();
}

bool GG_SCREENS_HOST::fPurchase(const std::string& product) { return KEL::KC_STORE::fGetInstance().fPurchase(product); }
void GG_SCREENS_HOST::fStoreProviderPass() { KEL::KC_STORE::fGetInstance().fProviderSlot4(); }

bool GG_SCREENS_HOST::fIsFullscreen() { return gGame::fGetSettings().fIsFullscreen(); }

void GG_SCREENS_HOST::fSetFullscreen(bool fullscreen) {
    gGame::fGetSettings().fSetFullscreen(fullscreen);
    mGame.fInitScreen();
}

KEL::KS_POINT GG_SCREENS_HOST::fGetDesktopSize() {
    return KEL::kcGAME ? KEL::kcGAME->mDesktopSize : KEL::KS_POINT(gGame::kWIDTH, gGame::kHEIGHT);
}

bool GG_SCREENS_HOST::fHasInApp() { return gGame::fGetSettings().fHasInApp(); }
const KEL::KC_SHOP_ITEM* GG_SCREENS_HOST::fStoreQuery(const std::string& name) { return mGame.fStoreQuery(name); }

bool GG_SCREENS_HOST::fIsLevelRunning() { return mGame.fGetGameplay() && mGame.fGetGameplay()->fIsRunning(); }

bool GG_SCREENS_HOST::fCanRefillHints() {
    GG_GAMEPLAY* board = mGame.fGetGameplay();
    return board && board->fCanRefillHints();
}

void GG_SCREENS_HOST::fOnLevelPurchase(const std::string& kind, const std::string& item) {
    mGame.fOnLevelPurchase(kind, item);
}

KEL::KC_TROPHIES* GG_SCREENS_HOST::fGetTrophies() { return gGame::fGetTrophies(); }

}  // namespace game
