#pragma once

#include "game/screens/GG_SCREENS_GAME.h"

namespace game {

class gGame;

// What the screens ask of the game, answered by the game object and its
// services; installed for every screen while the game object lives. Main
// thread, apart from the window construction on the loader thread, which
// only reads texts, fonts and the edition.
class GG_SCREENS_HOST final : public GG_SCREENS_GAME {
public:
    explicit GG_SCREENS_HOST(gGame& game) : mGame(game) {}

    KEL::KT_PLAYERS* fGetPlayers() override;
    GG_PLAYER* fGetCurrentPlayer() override;
    GG_PLAYER* fCreatePlayer(const std::wstring& name) override;
    void fSetCurrentPlayer(GG_PLAYER* player) override;
    GG_PLAYER* fGetDefaultPlayer() override;
    void fSave() override;

    const GG_EDITION& fGetEdition() override;
    bool fIsMobilePlatform() override;
    bool fIsFullscreen() override;
    void fSetFullscreen(bool fullscreen) override;
    KEL::KS_POINT fGetDesktopSize() override;
    KEL::KC_FONT_LIST* fGetFonts() override;
    std::wstring fGetString(const std::string& key) override;
    void fLocalize(KEL::KC_GUI_OBJECT* widget) override;

    void fOpenTitle() override;
    void fCloseTitle() override;
    void fOpenPacks(bool skip) override;
    void fOpenLevels(int32_t packId, bool skip) override;
    void fCloseLevels() override;
    void fCloseLevelsThen(const KEL::Closure<void()>& then) override;
    void fOpenTrophies() override;
    void fCloseTrophies(bool skip) override;
    void fOpenOptions() override;

    const GG_PACK_INFO* fFindPack(int32_t packId) override;
    std::wstring fGetPackName(int32_t packId) override;
    std::wstring fGetPackStarsText(int32_t packId) override;

    bool fShowLevel(int32_t packId, int32_t levelId) override;
    void fStopLevel() override;
    void fEndLevel() override;
    void fPauseLevel() override;
    void fResumeLevel() override;
    void fRestartLevel() override;
    void fUpdateHealth() override;
    int32_t fGetCurrentPackId() override;
    GG_LEVEL_RECORD* fGetCurrentLevel() override;
    bool fIsLevelRunning() override;
    bool fCanRefillHints() override;
    void fOnLevelPurchase(const std::string& kind, const std::string& item) override;

    bool fHasInApp() override;
    const KEL::KC_SHOP_ITEM* fStoreQuery(const std::string& name) override;
    std::string fGetStorePrice(const std::string& productId) override;
    bool fPurchase(const std::string& product) override;
    void fStoreProviderPass() override;

    KEL::KC_TROPHIES* fGetTrophies() override;

    void fQuit() override;

private:
    gGame& mGame;
};

}  // namespace game
