#pragma once

#include <cstdint>
#include <string>

#include "engine/util/KS_POINT.h"

namespace KEL {
class KC_FONT_LIST;
class KC_GUI_OBJECT;
class KC_SHOP_ITEM;
class KC_TROPHIES;
}  // namespace KEL

namespace game {

class GG_PLAYER;

// What the options, shop, trophy and help windows ask of the game: the
// current player and its settings, the screen mode, texts and fonts, the
// shop's offers, the running level and the trophies. The windows reach the
// game only through the instance installed here, so a test can stand in
// for the whole game. Main thread only, apart from window construction on
// the loader thread, which reads fonts, texts and trophies only.
class GG_SIDE_SCREENS_GAME {
public:
    virtual ~GG_SIDE_SCREENS_GAME() = default;

    // The installed game; null before one is installed.
    static GG_SIDE_SCREENS_GAME* fGet();
    // Not owned; null uninstalls.
    static void fInstall(GG_SIDE_SCREENS_GAME* game);

    // Players.
    virtual GG_PLAYER* fGetCurrentPlayer() = 0;
    // Applies the player's volumes, cursor and screen mode.
    virtual void fSetCurrentPlayer(GG_PLAYER* player) = 0;
    virtual void fSave() = 0;

    // Platform and screen.
    virtual bool fIsMobilePlatform() = 0;
    virtual bool fIsFullscreen() = 0;
    virtual void fSetFullscreen(bool fullscreen) = 0;
    // (0, 0) when unknown.
    virtual KEL::KS_POINT fGetDesktopSize() = 0;

    // Texts and fonts.
    // The string table's text of the key (its fallback for unknown keys).
    virtual std::wstring fGetString(const std::string& key) = 0;
    // Every wide-text label of the tree shows the text of the key it holds.
    virtual void fLocalize(KEL::KC_GUI_OBJECT* widget) = 0;
    virtual KEL::KC_FONT_LIST* fGetFonts() = 0;

    // Shop.
    virtual bool fHasInApp() = 0;
    // The offer of that name for the current player; null without one.
    virtual const KEL::KC_SHOP_ITEM* fStoreQuery(const std::string& name) = 0;

    // The running level.
    virtual bool fIsLevelRunning() = 0;
    // The level has no hint left and the player owns start hints.
    virtual bool fCanRefillHints() = 0;
    // The running level hears of a purchase: (kind, item).
    virtual void fOnLevelPurchase(const std::string& kind, const std::string& item) = 0;
    virtual void fResumeLevel() = 0;

    // Trophies; null without a list.
    virtual KEL::KC_TROPHIES* fGetTrophies() = 0;
};

}  // namespace game
