#pragma once

#include <cstdint>
#include <string>

namespace KEL {
class G_WINDOW;
class G_WINDOW_MANAGER;
class KC_FONT_LIST;
class KC_SOUND_LIST;
class KC_STRING_TABLE;
}  // namespace KEL

namespace game {

class GG_LEVEL_RECORD;
class GG_PACK_INFO;
class GG_PLAYER;
struct GG_EDITION;
struct GG_LEVEL_RESULT;

// What the gameplay object needs from the game object: the level chosen,
// the game-wide services, and the steps that change screens, spend hearts,
// save and hand out trophies. The game object implements it and outlives
// the gameplay object. Main thread only (the loader thread only constructs
// the gameplay object, which reads the edition and nothing else here).
class GG_GAMEPLAY_HOST {
public:
    virtual ~GG_GAMEPLAY_HOST() = default;

    // The level the game is starting: its player, pack and level record
    // (null when there is none).
    virtual GG_PLAYER* fGetCurrentPlayer() = 0;
    virtual GG_PACK_INFO* fGetCurrentPack() = 0;
    virtual GG_LEVEL_RECORD* fGetCurrentLevel() = 0;
    // A pack's description by id; null when there is none.
    virtual GG_PACK_INFO* fFindPack(int32_t id) = 0;
    virtual const GG_EDITION& fGetEdition() = 0;

    // Game-wide services; any may be null.
    virtual KEL::KC_SOUND_LIST* fGetSound() = 0;
    virtual KEL::KC_FONT_LIST* fGetFonts() = 0;
    virtual KEL::KC_STRING_TABLE* fGetStrings() = 0;
    virtual KEL::G_WINDOW_MANAGER* fGetWindowManager() = 0;

    // The level again from its start, with its tutorial.
    virtual void fRestartLevel() = 0;
    // Stops and ends the level, shows the current pack's level list and,
    // with thenShop, the shop. Called from a window callback, never while
    // the board judges a press.
    virtual void fLeaveLevel(bool thenShop) = 0;
    // A heart spent (editions with hearts), then saved.
    virtual void fUpdateHealth() = 0;
    virtual void fSave() = 0;
    // Queued trophy windows wait this long.
    virtual void fHoldTrophies(float seconds) = 0;
    // Feeds a trophy; those it unlocks are queued for their window.
    virtual void fFeedTrophy(const std::string& key, float value) = 0;
    virtual void fSubmitScore(int32_t score, int32_t stars) = 0;
    // Starts an in-app purchase; false when it does not start.
    virtual bool fPurchase(const std::string& item) = 0;
    // Puts the price of the store item into a question window's text.
    virtual void fShowPrice(KEL::G_WINDOW& window, const std::string& item) = 0;
    // Hands the finished level to the result window.
    virtual void fShowResult(KEL::G_WINDOW& window, const GG_LEVEL_RESULT& result) = 0;
};

}  // namespace game
