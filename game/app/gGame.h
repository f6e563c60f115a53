#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/scene/G_ANIMATION.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/scene/KC_CURSOR.h"
#include "engine/util/Closure.h"
#include "game/board/GG_TUTORIAL.h"
#include "game/progress/GG_PROGRESS.h"
#include "game/services/KC_ADS.h"
#include "game/services/cAdDelegate.h"

namespace KEL {
class G_WINDOW;
class G_WINDOW_MANAGER;
class KC_FONT_LIST;
class KC_LEADERBOARD_LIST;
class KC_SHOP_ITEMS;
class KC_SOUND_LIST;
class KC_STRING_TABLE;
class KC_TROPHIES;
class KC_TROPHY;
class KT_PLAYERS;
}  // namespace KEL

namespace game {

struct GG_EDITION;
class GG_GAMEPLAY;
class GG_SETTINGS;

// The game as a whole: it creates and owns the game-wide services (sounds,
// shop items, strings, players, fonts, windows, trophies, leaderboards),
// loads everything the game needs, opens and closes the screens, starts,
// pauses and leaves levels, shows won trophies one at a time, keeps the
// purchase overlay, draws the board, the windows, the cursor and the side
// bars, and saves.
//
// Threads: fInit and everything after the hand-over run on the main thread.
// fLoadResources and fPreloadMenus run on the loader thread while the main
// thread only draws the loading screen; the main thread touches the
// services again only after the loader has published its last progress.
class gGame : public GG_PROGRESS {
public:
    static constexpr int32_t kWIDTH = 1024;
    static constexpr int32_t kHEIGHT = 768;
    // The store key the in-app provider is started with.
    static constexpr const char* kIN_APP_KEY = "4f1c7b2e9a0d5386c2e7f41b9d03a6e58c7b2f10";
    static constexpr const char* kSOUND_FILE = "data/share/main/other sound.xml";
    static constexpr const char* kFONTS_FILE = "data/share/font fonts.xml";
    static constexpr const char* kSTRINGS_FILE = "strings.xml";
    static constexpr const char* kCURSOR_FILE = "data/share/main/other gCursor.xml";
    static constexpr const char* kDATA_FILE = "data data.xml";

    // Creates the services and the game object, reads the product settings
    // and sets the screen up; false (nothing left behind) when the settings
    // cannot be read.
    static bool fInit(const std::string& productFile);
    // Leaves the game (which saves) and deletes the services and the game
    // object in the reverse order of their making. Safe to call without fInit.
    static void fRelease();
    static gGame* fGetGame();
    static KEL::KC_SOUND_LIST* fGetSound();
    static KEL::KC_SHOP_ITEMS* fGetShopItems();
    static KEL::KC_STRING_TABLE* fGetStrings();
    static KEL::KT_PLAYERS* fGetPlayers();
    static KEL::KC_FONT_LIST* fGetFonts();
    static KEL::G_WINDOW_MANAGER* fGetWindowManager();
    static KEL::KC_TROPHIES* fGetTrophies();
    static KEL::KC_LEADERBOARD_LIST* fGetLeaderboards();
    static GG_SETTINGS& fGetSettings();

    gGame(KEL::KT_PLAYERS& players, KEL::KC_TROPHIES& trophies, KEL::KC_SHOP_ITEMS& shop,
          const KEL::KC_LEADERBOARD_LIST& leaderboards);
    ~gGame() override;

    // Loader thread, in this order: everything the game reads, then the
    // windows the menus need at once. False at the first step that fails.
    bool fLoadResources();
    bool fPreloadMenus();
    // The resource the last failed load could not read; written by the
    // loader before it publishes its end.

    // The board object (not owned); null detaches it.
    void fSetGameplay(GG_GAMEPLAY* gameplay);
    GG_GAMEPLAY* fGetGameplay() const { return mGameplay; }

    // Per frame, main thread.
    int32_t fUpdate();
    void fDraw();
    void fDrawSideBars();
    // The height in game pixels of the bar above and below the picture on a
    // desktop taller than the game's shape, as the letterbox leaves it; 0 on
    // a desktop of the game's shape.
    static int32_t fTopBottomBarHeight(const KEL::KS_POINT& desktop);
    int32_t fOnKeyDown(int32_t key);
    int32_t fOnKeyUp(int32_t key);
    int32_t fOnMouseMove();

    // The player whose volumes, cursor and trophies apply; null for none.
    void fSetCurrentPlayer(GG_PLAYER* player);
    void fSetMusic();
    void fInitScreen();
    bool fHasSideBars() const { return mSideBars != 0; }
    bool fHasTopBottomBars() const { return mTopBottomBars != 0; }
    const GG_EDITION& fGetEdition() const;
    KEL::KC_CURSOR& fGetCursor() { return mCursor; }

    // Screens.
    void fOpenTitle();
    void fCloseTitle();
    void fOpenPacks(bool skip);
    void fOpenPacksMenu();
    void fOpenLevels(int32_t packId, bool skip);
    void fCloseLevels();
    void fCloseLevelsThen(const KEL::Closure<void()>& then);
    void fOpenTrophies();
    void fCloseTrophies(bool skip);
    void fOpenOptions();
    void fCloseMenus();

    // Packs and levels.
    GG_PACK_INFO* fSelectPack(int32_t packId);
    GG_PACK_INFO* fGetCurrentPack() const { return mCurrentPack; }
    GG_LEVEL_RECORD* fGetCurrentLevel() const { return mCurrentLevel; }
    // "stars/most stars" of the current player's record of the pack; empty
    // without one.
    std::wstring fGetPackStarsText(int32_t packId) const;
    // Loads and starts that level of that pack; false (current level
    // cleared) without a board object, pack, level record or level file.
    bool fShowLevel(int32_t packId, int32_t levelId);
    void fStopLevel();
    void fPauseLevel();
    void fResumeLevel();
    void fEndLevel();
    void fRestartLevel();
    // Guides the current level when the player has not passed the
    // tutorial and the script has steps for it.
    void fStartTutorial();
    GG_TUTORIAL& fGetTutorial() { return mTutorial; }
    // A purchase made during the level reaches the board: (kind, item),
    // e.g. ("buy", "errors").
    void fOnLevelPurchase(const std::string& kind, const std::string& item) { fTellLevel(kind, item); }
    // Stops and ends the level, opens the current pack's level list and,
    // with thenShop, the shop.
    void fLeaveLevel(bool thenShop);
    // The user's settings, then the players; nothing before the players
    // were loaded, so a failed start never overwrites what it did not read.
    // A save that wrote nothing is told to the player once a session.
    void fSave() override;
    // What the players file has to tell the player (a damaged file kept
    // aside, saves that fail), in a message box, and what the user's
    // settings file had, on standard error. Main thread only: the box
    // waits for the player.
    void fTellFileProblems();
    void fLeaveGame();

    // The overlay's animation runs from its first frame while a purchase
    // is in progress.
    void fOnPurchaseStarted() override;
    void fOnPurchaseResult(const KEL::KS_STORE_PRODUCT* product, int32_t flag) override;
    const KEL::G_ANIMATION& fGetPurchaseAnimation() const { return mPurchaseAnimation; }

    // Won trophies wait for their window; the queue holds back for this
    // long (frame time), e.g. while a level's end is being shown.
    void fHoldTrophies(float seconds);
    size_t fGetQueuedTrophies() const { return mTrophyQueue.size(); }
    float fGetTrophyHold() const { return mTrophyHold; }

protected:
    void fQueueTrophy(KEL::KC_TROPHY* trophy) override;
    void fShowWindow(const std::string& name) override;
    void fRefreshWindow(const std::string& name) override;
    void fRefreshAllWindows() override;
    void fTellLevel(const std::string& kind, const std::string& item) override;
    void fAskSecondChance() override;
    void fGiveSecondChance() override;

private:
    // A modal window (a question, a menu, a thanks) stands over the board.
    bool fIsModalWindowOpen() const;
    bool fLoadPlayersAndTexts();
    bool fLoadEditionFiles();
    bool fLoadInApp();
    bool fLoadSounds();
    bool fLoadPurchaseOverlay();
    // Reports the file through the game's error channel; false.
    bool fFailLoad(const std::string& name);
    void fUpdateTrophyQueue();
    void fArmTrophyWindow(KEL::G_WINDOW& window);
    void fDrawOverlay();
    void fShow(const char* name, bool skip = false);
    void fHide(const char* name, bool skip = false);

    KEL::KC_CURSOR mCursor;
    std::vector<KEL::KC_TROPHY*> mTrophyQueue;  // main thread only
    float mTrophyHold = 0.0f;
    GG_PACK_INFO* mCurrentPack = nullptr;
    GG_LEVEL_RECORD* mCurrentLevel = nullptr;
    // The player the pack and level lists were last paged for; only
    // compared, never followed.
    const GG_PLAYER* mListsPlayer = nullptr;
    std::wstring mHealthNotification;
    GG_GAMEPLAY* mGameplay = nullptr;
    GG_TUTORIAL mTutorial;
    KEL::G_ANIMATION mPurchaseAnimation;
    KEL::G_SPRITE mPurchaseBackground;
    KEL::KC_ADS mAds;
    cAdDelegate mAdDelegate;
    uint8_t mSideBars = 0;
    uint8_t mTopBottomBars = 0;
};

}  // namespace game
