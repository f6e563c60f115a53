#pragma once

#include <cstdint>
#include <string>

#include "engine/util/Closure.h"
#include "engine/util/KS_POINT.h"

namespace KEL {
class KC_FONT_LIST;
class KC_GUI_OBJECT;
class KC_SHOP_ITEM;
class KC_TROPHIES;
class KT_PLAYERS;
}  // namespace KEL

namespace game {

struct GG_EDITION;
class GG_LEVEL_RECORD;
class GG_PACK_INFO;
class GG_PLAYER;

// What the screens ask of the game: the players, the edition, the screen
// mode, texts and fonts, opening and closing whole screens, running levels,
// the shop's offers, the in-app store and the trophies. The screens reach
// the game only through the instance installed here, so a test can stand in
// for the whole game. Main thread only, apart from window construction on
// the loader thread, which reads fonts, texts, trophies and the edition
// only.
class GG_SCREENS_GAME {
public:
    virtual ~GG_SCREENS_GAME() = default;

    // The installed game; null before one is installed.
    static GG_SCREENS_GAME* fGet();
    // Not owned; null uninstalls.
    static void fInstall(GG_SCREENS_GAME* game);

    // Players.
    virtual KEL::KT_PLAYERS* fGetPlayers() = 0;
    virtual GG_PLAYER* fGetCurrentPlayer() = 0;
    // A new player from the template; null for a name taken or refused.
    virtual GG_PLAYER* fCreatePlayer(const std::wstring& name) = 0;
    // Applies the player's volumes, cursor and screen mode; null makes
    // nobody current.
    virtual void fSetCurrentPlayer(GG_PLAYER* player) = 0;
    // The template that holds every pack and level.
    virtual GG_PLAYER* fGetDefaultPlayer() = 0;
    virtual void fSave() = 0;

    // Edition, texts and fonts.
    virtual const GG_EDITION& fGetEdition() = 0;
    virtual bool fIsMobilePlatform() = 0;
    virtual bool fIsFullscreen() = 0;
    virtual void fSetFullscreen(bool fullscreen) = 0;
    // (0, 0) when unknown.
    virtual KEL::KS_POINT fGetDesktopSize() = 0;
    virtual KEL::KC_FONT_LIST* fGetFonts() = 0;
    // The string table's text of the key (its fallback for unknown keys).
    virtual std::wstring fGetString(const std::string& key) = 0;
    // Every wide-text label of the tree shows the text of the key it holds.
    virtual void fLocalize(KEL::KC_GUI_OBJECT* widget) = 0;

    // Whole screens.
    virtual void fOpenTitle() = 0;
    virtual void fCloseTitle() = 0;
    virtual void fOpenPacks(bool skip) = 0;
    virtual void fOpenLevels(int32_t packId, bool skip) = 0;
    virtual void fCloseLevels() = 0;
    // Closes the level screens and calls then once they have gone.
    virtual void fCloseLevelsThen(const KEL::Closure<void()>& then) = 0;
    virtual void fOpenTrophies() = 0;
    virtual void fCloseTrophies(bool skip) = 0;
    virtual void fOpenOptions() = 0;

    // Packs.
    virtual const GG_PACK_INFO* fFindPack(int32_t packId) = 0;
    virtual std::wstring fGetPackName(int32_t packId) = 0;
    virtual std::wstring fGetPackStarsText(int32_t packId) = 0;

    // Levels.
    // False when the level cannot start.
    virtual bool fShowLevel(int32_t packId, int32_t levelId) = 0;
    virtual void fStopLevel() = 0;
    virtual void fEndLevel() = 0;
    virtual void fPauseLevel() = 0;
    virtual void fResumeLevel() = 0;
    // Starts the running level again, then its tutorial.
    virtual void fRestartLevel() = 0;
    // In an edition with hearts, the current player pays one heart.
    virtual void fUpdateHealth() = 0;
    // -1 without a current pack.
    virtual int32_t fGetCurrentPackId() = 0;
    virtual GG_LEVEL_RECORD* fGetCurrentLevel() = 0;
    virtual bool fIsLevelRunning() = 0;
    // The level has no hint left and the player owns start hints.
    virtual bool fCanRefillHints() = 0;
    // The running level hears of a purchase: (kind, item).
    virtual void fOnLevelPurchase(const std::string& kind, const std::string& item) = 0;

    // The shop and the in-app store.
    virtual bool fHasInApp() = 0;
    // The offer of that name for the current player; null without one.
    virtual const KEL::KC_SHOP_ITEM* fStoreQuery(const std::string& name) = 0;
    // The store's price text of the in-app product; empty while unknown.
    virtual std::string fGetStorePrice(const std::string& productId) = 0;
    // False when the store refuses to start the purchase.
    virtual bool fPurchase(const std::string& product) = 0;
    virtual void fStoreProviderPass() = 0;

    // Trophies; null without a list.
    virtual KEL::KC_TROPHIES* fGetTrophies() = 0;

    virtual void fQuit() = 0;
};

}  // namespace game
