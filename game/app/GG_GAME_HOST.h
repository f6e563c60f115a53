#pragma once

#include "game/board/GG_GAMEPLAY_HOST.h"

namespace game {

class gGame;

// What the board asks of the game, answered by the game object and its
// services. Main thread only; the board only keeps the pointer while it is
// built on the loader thread.
class GG_GAME_HOST final : public GG_GAMEPLAY_HOST {
public:
    explicit GG_GAME_HOST(gGame& game) : mGame(game) {}

    GG_PLAYER* fGetCurrentPlayer() override;
    GG_PACK_INFO* fGetCurrentPack() override;
    GG_LEVEL_RECORD* fGetCurrentLevel() override;
    GG_PACK_INFO* fFindPack(int32_t id) override;
    const GG_EDITION& fGetEdition() override;

    KEL::KC_SOUND_LIST* fGetSound() override;
    KEL::KC_FONT_LIST* fGetFonts() override;
    KEL::KC_STRING_TABLE* fGetStrings() override;
    KEL::G_WINDOW_MANAGER* fGetWindowManager() override;

    void fRestartLevel() override;
    void fLeaveLevel(bool thenShop) override;
    void fUpdateHealth() override;
    void fSave() override;
    void fHoldTrophies(float seconds) override;
    void fFeedTrophy(const std::string& key, float value) override;
    void fSubmitScore(int32_t score, int32_t stars) override;
    bool fPurchase(const std::string& item) override;
    void fShowPrice(KEL::G_WINDOW& window, const std::string& item) override;
    void fShowResult(KEL::G_WINDOW& window, const GG_LEVEL_RESULT& result) override;

private:
    gGame& mGame;
};

}  // namespace game
