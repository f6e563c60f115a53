#include "game/app/gGame.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/audio/KC_SOUND_LIST.h"
#include "engine/platform/KC_WINDOW.h"
#include "engine/platform/KF_SYSTEM.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/scene/KE_ANCHOR.h"
#include "engine/scene/KS_TRANSFORM3_AUTO.h"
#include "engine/util/KF_XML.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_SCREENS_HOST.h"
#include "game/app/GG_WINDOW_FACTORY.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/product/GG_ERROR.h"
#include "game/product/GG_SETTINGS.h"
#include "game/product/GG_SOUND_GROUP.h"
#include "game/profile/KT_PLAYERS.h"
#include "game/progress/KC_SHOP_ITEMS.h"
#include "game/progress/KC_TROPHIES.h"
#include "game/progress/KC_TROPHY.h"
#include "game/screens/GG_WINDOW_LEVEL.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/GG_WINDOW_PAGED.h"
#include "game/screens/GG_WINDOW_TROPHY_GET.h"
#include "game/services/KC_LEADERBOARD_LIST.h"
#include "game/services/KC_STORE.h"

namespace game {

namespace {

// The game-wide services, made in this order and deleted in the reverse
// order: what is made later may use what was made before. Main thread,
// apart from the loader's filling (see gGame).
struct KS_SERVICES {
    std::unique_ptr<KEL::KC_SOUND_LIST> mSound;
    std::unique_ptr<KEL::KC_SHOP_ITEMS> mShop;
    std::unique_ptr<KEL::KC_STRING_TABLE> mStrings;
    std::unique_ptr<KEL::KT_PLAYERS> mPlayers;
    std::unique_ptr<KEL::KC_FONT_LIST> mFonts;
    std::unique_ptr<KEL::G_WINDOW_MANAGER> mWindows;
    std::unique_ptr<KEL::KC_TROPHIES> mTrophies;
    std::unique_ptr<KEL::KC_LEADERBOARD_LIST> mLeaderboards;
    std::unique_ptr<gGame> mGame;
    std::unique_ptr<GG_SCREENS_HOST> mScreens;
};

// Never destroyed, for the same reason as the start-up module's state:
// gGame::fRelease empties it.
KS_SERVICES& gServices = *new KS_SERVICES();

constexpr const char* kPACKS_FILE = "data/share/main/other packs_description.xml";
constexpr float kMUSIC_PERIOD = 2.5f;
constexpr const char* kMENU_WINDOWS[] = {
    GG_WINDOW_NAME::kTITLE,         GG_WINDOW_NAME::kTITLE_TOP, GG_WINDOW_NAME::kOPTIONS,
    GG_WINDOW_NAME::kEXIT_QUESTION, GG_WINDOW_NAME::kPLAYERS,   GG_WINDOW_NAME::kPACKS,
    GG_WINDOW_NAME::kPACKS_MENU,    GG_WINDOW_NAME::kTROPHY,    GG_WINDOW_NAME::kLEVELS,
};

KEL::KC_REPOSITORY& fRepository() { return *KEL::kcREPOSITORY; }

// Reads the repository document name with reader; false when it is missing.
template <class F>
bool fWithDocument(const std::string& name, F reader) {
    if (!KEL::kcREPOSITORY) return false;
    pugi::xml_document* document = fRepository().fGetXml(name);
    if (!document) return false;
    const bool read = reader(*document);
    fRepository().fReleaseXml(document);
    return read;
}

}  // namespace

bool gGame::fInit(const std::string& productFile) {
    if (gServices.mGame) return true;
    gServices.mSound = std::make_unique<KEL::KC_SOUND_LIST>();
    gServices.mShop = std::make_unique<KEL::KC_SHOP_ITEMS>();
    gServices.mStrings = std::make_unique<KEL::KC_STRING_TABLE>();
    gServices.mPlayers = std::make_unique<KEL::KT_PLAYERS>();
    gServices.mFonts = std::make_unique<KEL::KC_FONT_LIST>();
    gServices.mWindows = std::make_unique<KEL::G_WINDOW_MANAGER>();
    fRegisterWindowClasses(*gServices.mWindows);
    fSetWindowServices(gServices.mStrings.get(), gServices.mSound.get());
    gServices.mTrophies = std::make_unique<KEL::KC_TROPHIES>();
    gServices.mLeaderboards = std::make_unique<KEL::KC_LEADERBOARD_LIST>();
    gServices.mGame = std::make_unique<gGame>(*gServices.mPlayers, *gServices.mTrophies, *gServices.mShop,
                                              *gServices.mLeaderboards);
    gServices.mScreens = std::make_unique<GG_SCREENS_HOST>(*gServices.mGame);
    GG_SCREENS_GAME::fInstall(gServices.mScreens.get());
    if (KEL::kcGAME) KEL::kcGAME->mScaleToScreen = 1;

    // The product file is the one the settings read; its name is fixed.
    static_cast<void>(productFile);
    GG_SETTINGS& settings = fGetSettings();
    if (!KEL::kcREPOSITORY || !settings.fLoad(*KEL::kcREPOSITORY)) {
        fRelease();
        return false;
    }
    gServices.mPlayers->fSetLayout(gServices.mGame->fGetLayout());
    gServices.mGame->fInitScreen();
    return true;
}

void gGame::fRelease() {
    if (gServices.mGame) gServices.mGame->fLeaveGame();
    fSetWindowServices(nullptr, nullptr);
    GG_SCREENS_GAME::fInstall(nullptr);
    KEL::KC_STORE::fGetInstance().fSetDelegate(nullptr);
    gServices.mScreens.reset();
    gServices.mGame.reset();
    gServices.mLeaderboards.reset();
    gServices.mTrophies.reset();
    gServices.mWindows.reset();
    gServices.mFonts.reset();
    gServices.mPlayers.reset();
    gServices.mStrings.reset();
    gServices.mShop.reset();
    gServices.mSound.reset();
}

gGame* gGame::fGetGame() { return gServices.mGame.get(); }
KEL::KC_SOUND_LIST* gGame::fGetSound() { return gServices.mSound.get(); }
KEL::KC_SHOP_ITEMS* gGame::fGetShopItems() { return gServices.mShop.get(); }
KEL::KC_STRING_TABLE* gGame::fGetStrings() { return gServices.mStrings.get(); }
KEL::KT_PLAYERS* gGame::fGetPlayers() { return gServices.mPlayers.get(); }
KEL::KC_FONT_LIST* gGame::fGetFonts() { return gServices.mFonts.get(); }
KEL::G_WINDOW_MANAGER* gGame::fGetWindowManager() { return gServices.mWindows.get(); }
KEL::KC_TROPHIES* gGame::fGetTrophies() { return gServices.mTrophies.get(); }
KEL::KC_LEADERBOARD_LIST* gGame::fGetLeaderboards() { return gServices.mLeaderboards.get(); }
GG_SETTINGS& gGame::fGetSettings() { return GG_SETTINGS::fGetInstance(); }

gGame::gGame(KEL::KT_PLAYERS& players, KEL::KC_TROPHIES& trophies, KEL::KC_SHOP_ITEMS& shop,
             const KEL::KC_LEADERBOARD_LIST& leaderboards)
    : GG_PROGRESS(GG_SETTINGS::fGetInstance(), players, trophies, shop, &leaderboards), mAdDelegate(mAds) {}

gGame::~gGame() = default;

const GG_EDITION& gGame::fGetEdition() const { return fGetSettings().fGetEdition(); }

// ---------------------------------------------------------------------------
// Loading (loader thread)

bool gGame::fLoadResources() {
    if (!KEL::kcREPOSITORY) return false;
    if (!fLoadPlayersAndTexts()) return false;
    if (!fLoadInApp()) return false;
    if (!fLoadEditionFiles()) return false;
    return fLoadPurchaseOverlay();
}

// Players, fonts, strings and the player template; the first player when
// the edition makes one by itself.
bool gGame::fLoadPlayersAndTexts() {
    gServices.mPlayers->fLoad(fGetSettings().fGetUserFolder());
    // Hearts that came back while the game was closed count from the start.
    for (const auto& player : gServices.mPlayers->fGetPlayers()) player->fGetHealth().fUpdate();
    if (gServices.mFonts->fRead(kFONTS_FILE) < 1) return fFailLoad(kFONTS_FILE);
    const bool strings = fWithDocument(kSTRINGS_FILE, [](pugi::xml_document& document) {
        gServices.mStrings->fRead(KEL::KC_STRING_TABLE::fFirstRow(document));
        return true;
    });
    if (!strings) return fFailLoad(kSTRINGS_FILE);
    mHealthNotification = gServices.mStrings->fGetString("m_notification_health");
    const bool player = fWithDocument(fGetEdition().mPlayer, [this](pugi::xml_document& document) {
        fLoadTemplate(KEL::fFindElement(document));
        return true;
    });
    if (!player) return fFailLoad(fGetEdition().mPlayer);
    // Only the list learns who plays here; the screen, cursor and volumes
    // follow on the main thread at the hand-over.
    if (fGetEdition().mDefaultPlayer && gServices.mPlayers->fGetCount() == 0) {
        if (GG_PLAYER* first = fCreatePlayer(L"player")) gServices.mPlayers->fSetCurrent(first);
    }
    return true;
}

bool gGame::fLoadInApp() {
    const GG_SETTINGS& settings = fGetSettings();
    if (settings.fHasInApp()) {
        // The store may answer while loading, so its delegate comes first.
        KEL::KC_STORE& store = KEL::KC_STORE::fGetInstance();
        store.fSetDelegate(this);
        fWithDocument(fGetEdition().mInApp, [&store](pugi::xml_document& document) {
            return store.fLoad(KEL::fFindElement(document), kIN_APP_KEY,
                               KEL::kcWINDOW ? KEL::kcWINDOW->fGetHandle() : nullptr);
        });
    }
    if (fGetEdition().mFree && settings.fIsMobilePlatform()) {
        mAds.fSetDelegate(&mAdDelegate);
        fWithDocument(fGetEdition().mAd,
                      [this](pugi::xml_document& document) { return mAds.fLoad(KEL::fFindElement(document)); });
    }
    return true;
}

bool gGame::fLoadSounds() {
    const bool read = fWithDocument(kSOUND_FILE, [](pugi::xml_document& document) {
        gServices.mSound->fRead(KEL::fFindElement(document, "sound"));
        return true;
    });
    if (!read) return false;
    gServices.mSound->fLoadGroup(GG_SOUND_GROUP::kMUSIC);
    gServices.mSound->fLoadGroup(GG_SOUND_GROUP::kSOUNDS);
    return true;
}

// Tutorial, sounds, shop, trophies, leaderboards, packs, cursor, windows.
bool gGame::fLoadEditionFiles() {
    const GG_EDITION& edition = fGetEdition();
    const bool tutorial = fWithDocument(edition.mTutorial, [this](pugi::xml_document& document) {
        const pugi::xml_node script = KEL::fFindElement(document).child("tutorial");
        if (script) mTutorial.fLoadXml(script);
        return static_cast<bool>(script);
    });
    if (!tutorial) return fFailLoad(edition.mTutorial);
    if (!fLoadSounds()) return fFailLoad(kSOUND_FILE);
    if (!gServices.mShop->fLoad(fRepository(), edition.mStore)) return fFailLoad(edition.mStore);
    if (!gServices.mTrophies->fLoad(fRepository(), edition.mTrophies)) return fFailLoad(edition.mTrophies);
    if (!edition.mLeaderboard.empty()) gServices.mLeaderboards->fLoad(fRepository(), edition.mLeaderboard);
    if (!fLoadPacksDescription(fRepository(), gServices.mStrings.get())) return fFailLoad(kPACKS_FILE);
    if (!fGetSettings().fIsMobilePlatform() && !mCursor.fLoad(kCURSOR_FILE)) return fFailLoad(kCURSOR_FILE);
    if (!gServices.mWindows->fLoadWindows(edition.mScenes)) return fFailLoad(edition.mScenes);
    return true;
}

bool gGame::fLoadPurchaseOverlay() {
    if (!fGetSettings().fHasInApp()) return true;
    const bool read = fWithDocument(kDATA_FILE, [this](pugi::xml_document& document) {
        const pugi::xml_node purchase = KEL::fFindElement(document).child("purchase");
        if (!purchase) return false;
        mPurchaseAnimation.fRead(purchase.child("animation"));
        mPurchaseBackground.fRead(purchase.child("background"));
        mPurchaseAnimation.fReloadTexture();
        mPurchaseBackground.fReloadTexture();
        return true;
    });
    return read || fFailLoad(kDATA_FILE);
}

bool gGame::fFailLoad(const std::string& name) { return GG_ERROR::fFailFile(name); }

bool gGame::fPreloadMenus() {
    KEL::G_WINDOW_MANAGER& windows = *gServices.mWindows;
    windows.fUnloadAll(false);
    if (!fGetSettings().fIsMobilePlatform()) mCursor.fReloadTexture();
    // The title is drawn as soon as loading ends; the menus behind it keep
    // their pictures' files until they are first shown (decoding one menu's
    // pictures then takes a few milliseconds).
    for (const char* name : kMENU_WINDOWS) {
        const std::string_view text = name;
        KEL::KC_REPOSITORY::fSetDeferDecoding(text != GG_WINDOW_NAME::kTITLE && text != GG_WINDOW_NAME::kTITLE_TOP);
        windows.fLoadWindow(name);
    }
    KEL::KC_REPOSITORY::fSetDeferDecoding(false);
    return true;
}

// ---------------------------------------------------------------------------
// Per frame (main thread)

int32_t gGame::fUpdate() {
    if (fGetCurrentPlayer()) KEL::KC_STORE::fGetInstance().fUpdate();
    if (fIsPurchaseOverlayUp()) {
        mPurchaseAnimation.fUpdate();
        return KEL::KS_RESULT::kOK;
    }
    if (mGameplay) {
        mGameplay->fUpdate();
        mTutorial.fUpdate();
    }
    gServices.mWindows->fUpdate();
    fUpdateTrophyQueue();
    if (GG_PLAYER* player = fGetCurrentPlayer()) player->fGetHealth().fTick(KEL::kfFRAME_DELTA);
    return KEL::KS_RESULT::kOK;
}

void gGame::fDraw() {
    if (mGameplay && mGameplay->fIsRunning()) {
        mGameplay->fDraw();
        mTutorial.fDraw();
    }
    gServices.mWindows->fDrawAll();
    if (fIsPurchaseOverlayUp()) fDrawOverlay();
    if (!fGetSettings().fIsMobilePlatform()) mCursor.fDraw();
}

void gGame::fOnPurchaseStarted() {
    GG_PROGRESS::fOnPurchaseStarted();
    mPurchaseAnimation.fPlay();
}

void gGame::fOnPurchaseResult(const KEL::KS_STORE_PRODUCT* product, int32_t flag) {
    mPurchaseAnimation.fStop();
    GG_PROGRESS::fOnPurchaseResult(product, flag);
}

void gGame::fDrawOverlay() {
    mPurchaseBackground.fDraw();
    mPurchaseAnimation.fDraw();
    KEL::KC_STORE::fGetInstance().fProviderSlot6();
}

// The board hears every button before the windows do, and the tutorial
// while the level runs; but no press goes through a modal window to the
// cell beneath it (a thanks over a running picture pauses nothing).
// Releases always reach the board, so a drag begun before it came ends.
int32_t gGame::fOnKeyDown(int32_t key) {
    if (fIsPurchaseOverlayUp()) return KEL::KS_RESULT::kOK;
    if (mGameplay && !fIsModalWindowOpen()) {
        if (mGameplay->fIsRunning()) mTutorial.fOnMouseDown(key);
        mGameplay->fOnMouseDown(key);
    }
    gServices.mWindows->fOnMouseDown(key);
    return KEL::KS_RESULT::kOK;
}

bool gGame::fIsModalWindowOpen() const {
    for (const KEL::G_WINDOW* window : gServices.mWindows->fGetOpenWindows())
        if (window->fIsModal() && window->fIsOpen()) return true;
    return false;
}

int32_t gGame::fOnKeyUp(int32_t key) {
    if (fIsPurchaseOverlayUp()) return KEL::KS_RESULT::kOK;
    if (mGameplay) {
        mGameplay->fOnMouseUp(key);
        if (mGameplay->fIsRunning()) mTutorial.fOnMouseUp(key);
    }
    gServices.mWindows->fOnMouseUp(key);
    return KEL::KS_RESULT::kOK;
}

int32_t gGame::fOnMouseMove() {
    if (fIsPurchaseOverlayUp()) return KEL::KS_RESULT::kOK;
    if (mGameplay) {
        mGameplay->fOnMouseMove();
        if (mGameplay->fIsRunning()) mTutorial.fOnMouseMove();
    }
    gServices.mWindows->fOnMouseMove();
    return KEL::KS_RESULT::kOK;
}

// ---------------------------------------------------------------------------
// Trophies

void gGame::fQueueTrophy(KEL::KC_TROPHY* trophy) {
    if (trophy) mTrophyQueue.push_back(trophy);
}

void gGame::fHoldTrophies(float seconds) { mTrophyHold = seconds; }

// One trophy at a time, the latest first, once the hold has run out.
void gGame::fUpdateTrophyQueue() {
    if (mTrophyHold > 0.0f) mTrophyHold -= KEL::kfFRAME_DELTA;
    if (mTrophyHold > 0.0f || mTrophyQueue.empty()) return;
    KEL::G_WINDOW_MANAGER& windows = *gServices.mWindows;
    if (windows.fIsOpen(GG_WINDOW_NAME::kTROPHY_GET)) return;
    auto* window = dynamic_cast<GG_WINDOW_TROPHY_GET*>(windows.fFindWindow(GG_WINDOW_NAME::kTROPHY_GET));
    if (!window) return;
    fArmTrophyWindow(*window);
    window->fShow(mTrophyQueue.back());
    mTrophyQueue.pop_back();
    windows.fShowWindow(GG_WINDOW_NAME::kTROPHY_GET);
}

// The pop-up pauses a running level while it shows and resumes it when it
// has gone; over a level already paused it leaves the level alone.
void gGame::fArmTrophyWindow(KEL::G_WINDOW& window) {
    if (mGameplay && !mGameplay->fIsPaused()) {
        window.fSetCallback(KEL::G_WINDOW::kCB_SHOW_START, KEL::Closure<void()>::fBind<&gGame::fPauseLevel>(this));
        window.fSetCallback(KEL::G_WINDOW::kCB_HIDDEN, KEL::Closure<void()>::fBind<&gGame::fResumeLevel>(this));
    } else {
        window.fSetCallback(KEL::G_WINDOW::kCB_SHOW_START, KEL::Closure<void()>());
        window.fSetCallback(KEL::G_WINDOW::kCB_HIDDEN, KEL::Closure<void()>());
    }
}

void gGame::fShowWindow(const std::string& name) { gServices.mWindows->fShowWindow(name); }
void gGame::fRefreshWindow(const std::string& name) { gServices.mWindows->fRefreshWindow(name); }
void gGame::fRefreshAllWindows() { gServices.mWindows->fRefreshAll(); }

void gGame::fTellLevel(const std::string& kind, const std::string& item) {
    if (mGameplay) mGameplay->fOnPurchase(kind, item);
}

void gGame::fAskSecondChance() {
    if (mGameplay) mGameplay->fAskSecondChance();
}

void gGame::fGiveSecondChance() {
    if (mGameplay) mGameplay->fGiveSecondChance();
}

// ---------------------------------------------------------------------------
// Player, screen and side bars (main thread)

void gGame::fSetCurrentPlayer(GG_PLAYER* player) {
    // Another player starts the lists at their first pages, not where the
    // one before left them. The list itself may have made the player current
    // already (a first player), so the lists keep whose pages they show.
    if (player != mListsPlayer) {
        for (const char* name : {GG_WINDOW_NAME::kPACKS, GG_WINDOW_NAME::kLEVELS}) {
            auto* list = dynamic_cast<GG_WINDOW_PAGED*>(gServices.mWindows->fFindWindow(name));
            if (list) list->fToFirstPage();
        }
        mListsPlayer = player;
    }
    if (!fGetSettings().fIsMobilePlatform()) {
        const bool systemCursor = player && !player->fGetGameCursor();
        if (KEL::kcWINDOW) KEL::kcWINDOW->fShowCursor(systemCursor);
        mCursor.fSetVisible(!systemCursor);
    }
    fInitScreen();
    const GG_PLAYER* volumes = player ? player : fGetTemplate();
    if (volumes) {
        gServices.mSound->fSetGroupVolume(GG_SOUND_GROUP::kMUSIC, volumes->fGetMusicVolume());
        gServices.mSound->fSetGroupVolume(GG_SOUND_GROUP::kSOUNDS, volumes->fGetSoundVolume());
    }
    fUpdateTrophies(player);
    gServices.mPlayers->fSetCurrent(player);
    gServices.mWindows->fRefreshAll();
}

void gGame::fSetMusic() { gServices.mSound->fPlayGroup(GG_SOUND_GROUP::kMUSIC, kMUSIC_PERIOD); }

void gGame::fInitScreen() {
    GG_SETTINGS& settings = fGetSettings();
    const KEL::KS_POINT desktop = KEL::kcGAME ? KEL::kcGAME->mDesktopSize : KEL::KS_POINT(kWIDTH, kHEIGHT);
    if (desktop.x > 0 && desktop.y > 0 && (desktop.x < kWIDTH || desktop.y < kHEIGHT)) settings.fSetFullscreen(true);
    if (KEL::kcGAME) KEL::kcGAME->fSetResolution(kWIDTH, kHEIGHT, settings.fIsFullscreen(), true);
    // Bars fill what a desktop of another shape leaves beside the picture.
    if (desktop.x > 0 && desktop.y > 0) {
        const bool wider = float(desktop.y) / kHEIGHT < float(desktop.x) / kWIDTH;
        mSideBars = wider ? 1 : 0;
        mTopBottomBars = wider ? 0 : 1;
    }
    KEL::KS_TRANSFORM3_AUTO::fSetScreenSize(kWIDTH, kHEIGHT);
}

int32_t gGame::fTopBottomBarHeight(const KEL::KS_POINT& desktop) {
    if (desktop.x <= 0 || desktop.y <= 0) return 0;
    const int32_t tall = int32_t(int64_t(kWIDTH) * desktop.y / desktop.x);
    return std::max(0, (tall - kHEIGHT) / 2);
}

void gGame::fDrawSideBars() {
    const GG_SETTINGS& settings = fGetSettings();
    KEL::G_SPRITE* tile = settings.fGetEarTile();
    KEL::G_SPRITE* line = settings.fGetEarLine();
    if (!tile || !line || !KEL::kcGAME) return;
    if (!settings.fIsFullscreen() && !settings.fIsMobilePlatform()) return;
    const KEL::KS_POINT desktop = KEL::kcGAME->mDesktopSize;
    if (desktop.x <= 0 || desktop.y <= 0) return;
    const float lineWidth = line->fGetTexture() ? float(line->fGetTexture()->fGetWidth()) : line->fGetWidth();
    const float lineHeight = line->fGetTexture() ? float(line->fGetTexture()->fGetHeight()) : line->fGetHeight();
    if (mSideBars) {
        const int32_t wide = int32_t(int64_t(kHEIGHT) * desktop.x / desktop.y);
        tile->fSetSize(float(3 * ((wide - kWIDTH) / 2)), float(kHEIGHT));
        line->fSetSize(lineWidth, float(kHEIGHT));
        for (KEL::G_SPRITE* sprite : {tile, line}) {
            sprite->fResetUV();
            sprite->fSetHotSpot(KEL::kANCHOR_TOP_LEFT);
            sprite->fDrawAt(float(kWIDTH), 0.0f, 0.0f, 1.0f, 1.0f);
            sprite->fSetHotSpot(KEL::kANCHOR_TOP_RIGHT);
            sprite->fDrawAt(0.0f, 0.0f, 0.0f, 1.0f, 1.0f);
        }
    } else if (mTopBottomBars) {
        // Measured in game pixels: a desktop smaller than the game would
        // otherwise give bars of negative height, drawn over the picture.
        const int32_t bar = fTopBottomBarHeight(desktop);
        if (bar <= 0) return;
        tile->fSetSize(float(kWIDTH), float(bar));
        line->fSetSize(float(kWIDTH), lineHeight);
        for (KEL::G_SPRITE* sprite : {tile, line}) {
            sprite->fResetUV();
            sprite->fSetHotSpot(KEL::kANCHOR_TOP_LEFT);
            sprite->fDrawAt(0.0f, float(kHEIGHT), 0.0f, 1.0f, 1.0f);
            sprite->fSetHotSpot(KEL::kANCHOR_BOTTOM_LEFT);
            sprite->fDrawAt(0.0f, 0.0f, 0.0f, 1.0f, 1.0f);
        }
    }
}

// ---------------------------------------------------------------------------
// Screens

void gGame::fShow(const char* name, bool skip) { gServices.mWindows->fShowWindow(name, skip); }
void gGame::fHide(const char* name, bool skip) { gServices.mWindows->fHideWindow(name, skip); }

void gGame::fOpenTitle() {
    // The title may follow a long stay in the menus or another player's
    // turn: the hearts shown from here on are those due by now.
    if (GG_PLAYER* player = fGetCurrentPlayer()) player->fGetHealth().fUpdate();
    fShow(GG_WINDOW_NAME::kTITLE);
    fShow(GG_WINDOW_NAME::kTITLE_TOP);
}

void gGame::fCloseTitle() {
    fHide(GG_WINDOW_NAME::kTITLE);
    fHide(GG_WINDOW_NAME::kTITLE_TOP);
}

void gGame::fOpenPacks(bool skip) {
    fOpenPacksMenu();
    fShow(GG_WINDOW_NAME::kPACK_TITLE, skip);
    fShow(GG_WINDOW_NAME::kPACKS, skip);
}

void gGame::fOpenPacksMenu() {
    fShow(GG_WINDOW_NAME::kBACK, true);
    fShow(GG_WINDOW_NAME::kPACKS_MENU, true);
    fShow(GG_WINDOW_NAME::kSUMIE, true);
    fShow(GG_WINDOW_NAME::kSTARS, true);
    if (fGetEdition().mHeart) fShow(GG_WINDOW_NAME::kHEART, true);
}

void gGame::fOpenLevels(int32_t packId, bool skip) {
    fOpenPacksMenu();
    fShow(GG_WINDOW_NAME::kLEVEL_TITLE, skip);
    fShow(GG_WINDOW_NAME::kLEVELS, skip);
    fSelectPack(packId);
    // Filled for this player's record and opened at its first page, whatever
    // page the list was left at.
    auto* levels = dynamic_cast<GG_WINDOW_LEVEL*>(gServices.mWindows->fFindWindow(GG_WINDOW_NAME::kLEVELS));
    const GG_PLAYER* player = fGetCurrentPlayer();
    const GG_PACK_RECORD* record = player ? player->fFindPack(packId) : nullptr;
    if (levels && record) levels->fSetPack(*record);
    else gServices.mWindows->fRefreshWindow(GG_WINDOW_NAME::kLEVELS);
}

void gGame::fCloseLevels() {
    for (const char* name : GG_WINDOW_NAME::kLEVEL_SCREEN) fHide(name);
}

void gGame::fCloseLevelsThen(const KEL::Closure<void()>& then) {
    for (const char* name : GG_WINDOW_NAME::kLEVEL_SCREEN) {
        KEL::G_WINDOW* window = gServices.mWindows->fFindOpenWindow(name);
        if (!window) continue;
        window->fSetCallback(KEL::G_WINDOW::kCB_HIDDEN, then);
        window->fHide();
    }
}

void gGame::fOpenTrophies() {
    gServices.mWindows->fRefreshAll();
    fShow(GG_WINDOW_NAME::kTROPHY_TITLE);
    fShow(GG_WINDOW_NAME::kTROPHY);
}

void gGame::fCloseTrophies(bool skip) {
    fHide(GG_WINDOW_NAME::kTROPHY_TITLE, skip);
    fHide(GG_WINDOW_NAME::kTROPHY, skip);
}

void gGame::fOpenOptions() { fShow(GG_WINDOW_NAME::kOPTIONS); }

void gGame::fCloseMenus() {
    const bool mobile = fGetSettings().fIsMobilePlatform();
    for (const char* name : kMENU_WINDOWS) {
        const std::string text = name;
        if (mobile && (text == GG_WINDOW_NAME::kTITLE || text == GG_WINDOW_NAME::kTITLE_TOP)) continue;
        fHide(name);
    }
}

// ---------------------------------------------------------------------------
// Packs and levels

GG_PACK_INFO* gGame::fSelectPack(int32_t packId) {
    mCurrentPack = const_cast<GG_PACK_INFO*>(fFindPack(packId));
    return mCurrentPack;
}

std::wstring gGame::fGetPackStarsText(int32_t packId) const {
    const GG_PLAYER* player = fGetCurrentPlayer();
    GG_PACK_RECORD* record = player ? player->fFindPack(packId) : nullptr;
    if (!record) return std::wstring();
    return std::to_wstring(record->fGetStars()) + L"/" +
           std::to_wstring(GG_LEVEL_RECORD::kMAX_STARS * record->fGetLevels().size());
}

bool gGame::fShowLevel(int32_t packId, int32_t levelId) {
    mCurrentLevel = nullptr;
    if (!mGameplay) return false;
    GG_PACK_INFO* pack = fSelectPack(packId);
    GG_PLAYER* player = fGetCurrentPlayer();
    if (!pack || !player) return false;
    GG_LEVEL_RECORD* level = player->fFindLevel(packId, levelId);
    if (!level) return false;
    mCurrentLevel = level;
    if (!mGameplay->fLoad(pack->fGetPath() + " " + level->fGetFile())) {
        mCurrentLevel = nullptr;
        return false;
    }
    mGameplay->fLoadResources();
    fStartTutorial();
    if (fGetEdition().mFree && fGetSettings().fIsMobilePlatform()) {
        mAds.fIsReady("flurry_top");
        mAds.fIsReady("apple_top");
    }
    gServices.mSound->fPlaySound(GG_SOUND_GROUP::kSOUNDS, "levelshow");
    return true;
}

void gGame::fStopLevel() {
    if (mGameplay) mGameplay->fStop();
}

void gGame::fPauseLevel() {
    if (mGameplay) mGameplay->fPause();
}

void gGame::fResumeLevel() {
    if (mGameplay) mGameplay->fResume();
}

void gGame::fEndLevel() {
    if (mGameplay) mGameplay->fReleaseResources();
    // Leaving a level is no pass of the tutorial: it guides again next time.
    mTutorial.fHalt();
}

void gGame::fSetGameplay(GG_GAMEPLAY* gameplay) {
    if (!gameplay) mTutorial.fHalt();
    mGameplay = gameplay;
    mTutorial.fSetGameplay(gameplay);
}

void gGame::fRestartLevel() {
    if (!mGameplay) return;
    mGameplay->fRestart();
    fStartTutorial();
}

void gGame::fStartTutorial() {
    // A step of the level before (one not played to its end, say, then
    // "Next") never stays over this level.
    if (mTutorial.fIsRunning()) mTutorial.fHalt();
    // The tutorial guides a player who has not passed it yet; without a
    // player nobody is guided.
    const GG_PLAYER* player = fGetCurrentPlayer();
    if (!mGameplay || !player || player->fGetPassedTutorial()) return;
    // Every pack numbers its levels from 1: the script's ids hold only in
    // the pack it was written for.
    const int32_t firstPack = fGetPacks().empty() ? 0 : int32_t(fGetPacks().front()->fGetId());
    if (!mCurrentPack || !mTutorial.fGuidesPack(mCurrentPack->fGetId(), firstPack)) return;
    const int32_t levelId = mCurrentLevel ? mCurrentLevel->fGetId() : -1;
    if (!mTutorial.fHasSteps(levelId) || !mTutorial.fStart(levelId)) return;
    mGameplay->fSetControlDelegate(&mTutorial);
}

void gGame::fLeaveLevel(bool thenShop) {
    fStopLevel();
    fEndLevel();
    fOpenLevels(mCurrentPack ? mCurrentPack->fGetId() : 0, false);
    if (thenShop) fShow(GG_WINDOW_NAME::kSHOP);
}

void gGame::fSave() {
    fSaveFiles();
    fTellFileProblems();
}

void gGame::fTellFileProblems() {
    const std::string settings = fGetSettings().fTakeUserNotice();
    const std::string notice = gServices.mPlayers ? gServices.mPlayers->fTakeNotice() : std::string();
    if (settings.empty() && notice.empty()) return;
    // Standard error is quiet while the sound device opens.
    if (KEL::kcGAME) KEL::kcGAME->fAwaitAudio();
    if (!settings.empty()) std::fprintf(stderr, "%s\n", settings.c_str());
    if (notice.empty()) return;
    if (KEL::kcWINDOW) KEL::kcWINDOW->fMessageBox("Warning", notice);
    else std::fprintf(stderr, "Warning: %s\n", notice.c_str());
}

void gGame::fLeaveGame() {
    const bool mobile = fGetSettings().fIsMobilePlatform();
    if (!mobile) mCursor.fUnloadTexture();
    mTutorial.fUnload();
    fStopLevel();
    fEndLevel();
    fCloseMenus();
    gServices.mWindows->fUnloadAll(true);
    gServices.mFonts->fUnload();
    if (fGetSettings().fHasInApp()) {
        mPurchaseBackground.fUnloadTexture();
        mPurchaseAnimation.fUnloadTexture();
    }
    for (const char* group : {GG_SOUND_GROUP::kMUSIC, GG_SOUND_GROUP::kSOUNDS}) {
        gServices.mSound->fUnloadGroup(group);
        gServices.mSound->fClearGroup(group);
    }
    fSave();
}

}  // namespace game
