#pragma once

#include <string>

#include "game/product/GG_EDITION.h"
#include "game/screens/GG_SCREENS_GAME.h"

namespace screenstest {

// The game as the screens see it, answering every question with nothing:
// no players, no offers, no level, every request ignored. Fakes override
// what their screens ask.
class KC_SCREENS_GAME_STUB : public game::GG_SCREENS_GAME {
public:
    KEL::KT_PLAYERS* fGetPlayers() override { return nullptr; }
    game::GG_PLAYER* fGetCurrentPlayer() override { return nullptr; }
    game::GG_PLAYER* fCreatePlayer(const std::wstring&) override { return nullptr; }
    void fSetCurrentPlayer(game::GG_PLAYER*) override {}
    game::GG_PLAYER* fGetDefaultPlayer() override { return nullptr; }
    void fSave() override {}

    const game::GG_EDITION& fGetEdition() override { return mStubEdition; }
    bool fIsMobilePlatform() override { return false; }
    bool fIsFullscreen() override { return false; }
    void fSetFullscreen(bool) override {}
    KEL::KS_POINT fGetDesktopSize() override { return KEL::KS_POINT(0, 0); }
    KEL::KC_FONT_LIST* fGetFonts() override { return nullptr; }
    std::wstring fGetString(const std::string&) override { return std::wstring(); }
    void fLocalize(KEL::KC_GUI_OBJECT*) override {}

    void fOpenTitle() override {}
    void fCloseTitle() override {}
    void fOpenPacks(bool) override {}
    void fOpenLevels(int32_t, bool) override {}
    void fCloseLevels() override {}
    void fCloseLevelsThen(const KEL::Closure<void()>&) override {}
    void fOpenTrophies() override {}
    void fCloseTrophies(bool) override {}
    void fOpenOptions() override {}

    const game::GG_PACK_INFO* fFindPack(int32_t) override { return nullptr; }
    std::wstring fGetPackName(int32_t) override { return std::wstring(); }
    std::wstring fGetPackStarsText(int32_t) override { return std::wstring(); }

    bool fShowLevel(int32_t, int32_t) override { return false; }
    void fStopLevel() override {}
    void fEndLevel() override {}
    void fPauseLevel() override {}
    void fResumeLevel() override {}
    void fRestartLevel() override {}
    void fUpdateHealth() override {}
    int32_t fGetCurrentPackId() override { return -1; }
    game::GG_LEVEL_RECORD* fGetCurrentLevel() override { return nullptr; }
    bool fIsLevelRunning() override { return false; }
    bool fCanRefillHints() override { return false; }
    void fOnLevelPurchase(const std::string&, const std::string&) override {}

    bool fHasInApp() override { return false; }
    const KEL::KC_SHOP_ITEM* fStoreQuery(const std::string&) override { return nullptr; }
    std::string fGetStorePrice(const std::string&) override { return std::string(); }
    bool fPurchase(const std::string&) override { return false; }
    void fStoreProviderPass() override {}

    KEL::KC_TROPHIES* fGetTrophies() override { return nullptr; }

    void fQuit() override {}

private:
    game::GG_EDITION mStubEdition;
};

}  // namespace screenstest
