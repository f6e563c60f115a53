#pragma once

// The screens over the default content, drawn headless on the OpenGL
// device: the window list built by the game's window factory, a stand-in
// for the game that opens and closes whole screens as the game does and
// records what the screens ask of it, and a player's mouse and keys sent
// through the message pump, the input and the window manager.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "ScreensGameStub.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/util/KF_XML.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_WINDOW_FACTORY.h"
#include "game/product/GG_EDITION.h"
#include "game/product/GG_SETTINGS.h"
#include "game/profile/GG_PACK_RECORD.h"
#include "game/profile/GG_PLAYER.h"
#include "game/profile/KT_PLAYERS.h"
#include "game/progress/GG_PROGRESS.h"
#include "game/progress/KC_SHOP_ITEMS.h"
#include "game/progress/KC_TROPHIES.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_WINDOW_LEVEL.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "support/ContentScreenTest.h"
#include "support/FrameStepper.h"

namespace screenstest {

namespace fs = std::filesystem;
namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;


// The game as the screens see it. Whole screens open and close by name as
// the game opens them; level control and the store are only recorded.
class KS_FAKE_GAME : public KC_SCREENS_GAME_STUB {
public:
    KS_FAKE_GAME(KEL::G_WINDOW_MANAGER& windows, KEL::KC_FONT_LIST& fonts, KEL::KC_STRING_TABLE& strings)
        : mWindows(windows), mFonts(fonts), mStrings(strings) {
        mEdition.mHeart = 1;
        mEdition.mPackLogicStars = 1;
        mPlayers.fSetLayout(mProgress.fGetLayout());
    }

    KEL::KT_PLAYERS* fGetPlayers() override { return &mPlayers; }
    game::GG_PLAYER* fGetCurrentPlayer() override { return mPlayers.fGetCurrent(); }
    game::GG_PLAYER* fCreatePlayer(const std::wstring& name) override { return mProgress.fCreatePlayer(name); }
    void fSetCurrentPlayer(game::GG_PLAYER* player) override {
        mPlayers.fSetCurrent(player);
        mWindows.fRefreshAll();
    }
    game::GG_PLAYER* fGetDefaultPlayer() override { return mProgress.fGetTemplate(); }
    void fSave() override { fNote("save"); }
    const game::GG_EDITION& fGetEdition() override { return mEdition; }
    bool fIsMobilePlatform() override { return false; }
    KEL::KC_FONT_LIST* fGetFonts() override { return &mFonts; }
    std::wstring fGetString(const std::string& key) override { return mStrings.fGetString(key); }
    void fLocalize(KEL::KC_GUI_OBJECT* widget) override { game::fLocalizeTree(widget, mStrings); }

    void fOpenTitle() override { fShow({GG_WINDOW_NAME::kTITLE, GG_WINDOW_NAME::kTITLE_TOP}); }
    void fCloseTitle() override { fHide({GG_WINDOW_NAME::kTITLE, GG_WINDOW_NAME::kTITLE_TOP}); }
    void fOpenPacks(bool skip) override {
        fNote("open packs");
        fShow({GG_WINDOW_NAME::kBACK, GG_WINDOW_NAME::kPACKS_MENU, GG_WINDOW_NAME::kSTARS, GG_WINDOW_NAME::kSUMIE,
               GG_WINDOW_NAME::kHEART, GG_WINDOW_NAME::kPACKS},
              skip);
    }
    void fOpenLevels(int32_t packId, bool skip) override {
        fNote("open levels " + std::to_string(packId));
        game::GG_PLAYER* player = fGetCurrentPlayer();
        game::GG_PACK_RECORD* pack = player ? player->fFindPack(packId) : nullptr;
        auto* levels = dynamic_cast<game::GG_WINDOW_LEVEL*>(mWindows.fFindWindow(GG_WINDOW_NAME::kLEVELS));
        if (!pack || !levels) return;
        mPackId = packId;
        levels->fSetPack(*pack);
        fShow({GG_WINDOW_NAME::kBACK, GG_WINDOW_NAME::kPACKS_MENU, GG_WINDOW_NAME::kSTARS, GG_WINDOW_NAME::kSUMIE,
               GG_WINDOW_NAME::kHEART, GG_WINDOW_NAME::kLEVELS},
              skip);
    }
    void fCloseLevels() override {
        fHide({GG_WINDOW_NAME::kBACK, GG_WINDOW_NAME::kPACKS_MENU, GG_WINDOW_NAME::kSTARS, GG_WINDOW_NAME::kSUMIE,
               GG_WINDOW_NAME::kHEART, GG_WINDOW_NAME::kLEVELS, GG_WINDOW_NAME::kPACKS});
    }
    // The continuation runs once, when the last open level screen has gone.
    void fCloseLevelsThen(const KEL::Closure<void()>& then) override {
        if (mThenFromEveryWindow) {
            for (const char* name : {GG_WINDOW_NAME::kBACK, GG_WINDOW_NAME::kPACKS_MENU, GG_WINDOW_NAME::kSTARS,
                                     GG_WINDOW_NAME::kSUMIE, GG_WINDOW_NAME::kHEART, GG_WINDOW_NAME::kLEVELS})
                if (KEL::G_WINDOW* window = mWindows.fFindOpenWindow(name))
                    window->fSetCallback(KEL::G_WINDOW::kCB_HIDDEN, then);
            return fCloseLevels();
        }
        mThen = then;
        KEL::G_WINDOW* last = nullptr;
        for (const char* name : {GG_WINDOW_NAME::kBACK, GG_WINDOW_NAME::kPACKS_MENU, GG_WINDOW_NAME::kSTARS,
                                 GG_WINDOW_NAME::kSUMIE, GG_WINDOW_NAME::kHEART, GG_WINDOW_NAME::kLEVELS})
            if (KEL::G_WINDOW* window = mWindows.fFindOpenWindow(name)) last = window;
        fCloseLevels();
        if (!last) return fRunThen();
        mThenWindow = last;
        last->fSetCallback(KEL::G_WINDOW::kCB_HIDDEN, KEL::Closure<void()>::fBind<&KS_FAKE_GAME::fRunThen>(this));
    }
    void fOpenTrophies() override { fNote("open trophies"); }
    void fCloseTrophies(bool) override {}
    void fOpenOptions() override { fNote("open options"); }

    const game::GG_PACK_INFO* fFindPack(int32_t packId) override { return mProgress.fFindPack(packId); }
    std::wstring fGetPackName(int32_t packId) override { return mProgress.fGetPackName(packId); }
    std::wstring fGetPackStarsText(int32_t packId) override {
        game::GG_PLAYER* player = fGetCurrentPlayer();
        game::GG_PACK_RECORD* pack = player ? player->fFindPack(packId) : nullptr;
        if (!pack) return L"";
        return std::to_wstring(pack->fGetStars()) + L"/" + std::to_wstring(pack->fGetLevels().size() * 3);
    }

    bool fShowLevel(int32_t packId, int32_t levelId) override {
        fNote("show level " + std::to_string(packId) + " " + std::to_string(levelId));
        game::GG_PLAYER* player = fGetCurrentPlayer();
        mPackId = packId;
        mLevel = player ? player->fFindLevel(packId, levelId) : nullptr;
        return mLevelsStart && mLevel;
    }
    void fStopLevel() override { fNote("stop level"); }
    void fEndLevel() override {
        fNote("end level");
        mLevel = nullptr;
    }
    void fPauseLevel() override { fNote("pause level"); }
    void fResumeLevel() override { fNote("resume level"); }
    void fRestartLevel() override { fNote("restart level"); }
    void fUpdateHealth() override {
        fNote("pay heart");
        if (mEdition.mHeart && fGetCurrentPlayer()) fGetCurrentPlayer()->fGetHealth().fUseHeart();
    }
    int32_t fGetCurrentPackId() override { return mPackId; }
    game::GG_LEVEL_RECORD* fGetCurrentLevel() override { return mLevel; }
    void fQuit() override { fNote("quit"); }
    bool fPurchase(const std::string& product) override {
        fNote("purchase " + product);
        return true;
    }
    void fStoreProviderPass() override { fNote("store provider"); }

    void fRunThen() {
        if (mThenWindow) mThenWindow->fSetCallback(KEL::G_WINDOW::kCB_HIDDEN, KEL::Closure<void()>());
        mThenWindow = nullptr;
        const KEL::Closure<void()> then = mThen;
        mThen.fClear();
        then();
    }
    void fNote(const std::string& text) { mLog.push_back(text); }
    // The log since the last call.
    std::vector<std::string> fTake() {
        std::vector<std::string> out;
        out.swap(mLog);
        return out;
    }

    game::GG_SETTINGS mSettings;
    KEL::KT_PLAYERS mPlayers;
    KEL::KC_TROPHIES mTrophies;
    KEL::KC_SHOP_ITEMS mShop;
    game::GG_PROGRESS mProgress{mSettings, mPlayers, mTrophies, mShop};
    game::GG_EDITION mEdition;
    std::vector<std::string> mLog;
    bool mLevelsStart = true;
    // Hands the continuation to every closing screen, each calling it.
    bool mThenFromEveryWindow = false;
    int32_t mPackId = -1;
    game::GG_LEVEL_RECORD* mLevel = nullptr;

private:
    void fShow(std::initializer_list<const char*> names, bool skip = false) {
        for (const char* name : names) mWindows.fShowWindow(name, skip);
    }
    void fHide(std::initializer_list<const char*> names) {
        for (const char* name : names) mWindows.fHideWindow(name);
    }

    KEL::G_WINDOW_MANAGER& mWindows;
    KEL::KC_FONT_LIST& mFonts;
    KEL::KC_STRING_TABLE& mStrings;
    KEL::Closure<void()> mThen;
    KEL::G_WINDOW* mThenWindow = nullptr;
};

class ScreensTest : public testsupport::ContentScreenTest {
protected:
    static constexpr float kDT = 0.1f;

    void SetUp() override;
    void TearDown() override;

    // A player's mouse and keys (fInput()) come as messages, each followed
    // by the input's logic step; a click comes straight to its point.
    // Frames of window updates; drawn too when asked, for windows that step
    // their effects while drawing.
    void fFrames(int count, float dt = kDT, bool draw = false);
    // Frames until no open window animates; false when that never came.
    bool fSettle(int limit = 300);
    // Draws every open window and saves <build>/screens/<name>.png.
    void fShot(const std::string& name);
    // A widget's place on screen; a point given in whole pixels.
    KEL::KS_VEC2 fWhere(const std::string& window, int32_t id);
    static KEL::KS_VEC2 fAt(int32_t x, int32_t y) { return KEL::KS_VEC2(float(x), float(y)); }
    void fClickWidget(const std::string& window, int32_t id);
    // The template's first player, made current and saved nowhere.
    game::GG_PLAYER* fMakePlayer(const std::wstring& name);
    std::wstring fLabel(const std::string& window, int32_t id);
    bool fIsOpen(const std::string& name) { return mManager->fIsOpen(name); }
    template <class T>
    T* fWindow(const std::string& name) {
        return dynamic_cast<T*>(mManager->fFindWindow(name));
    }

    std::unique_ptr<KEL::KC_FONT_LIST> mFonts;
    std::unique_ptr<KEL::KC_STRING_TABLE> mStrings;
    std::unique_ptr<KEL::G_WINDOW_MANAGER> mManager;
    std::unique_ptr<KS_FAKE_GAME> mGame;

private:
    testsupport::FrameStepper mFrames{kDT};
    bool mDrawing = false;
};

}  // namespace screenstest
