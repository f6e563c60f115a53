#pragma once

// Windows the test writes as text over the scene fixture's fake pictures,
// with a fake game of one player behind them.

#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "ScreensGameStub.h"
#include "engine/scene/SceneFixture.h"
#include "engine/util/KF_UTF8.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/profile/GG_PLAYER.h"
#include "game/progress/KC_SHOP_ITEMS.h"
#include "game/progress/KC_TROPHIES.h"
#include "support/FrameStepper.h"

namespace windowsfromtexttest {

// The game as the options, shop, trophy and help windows see it: one
// player, the shop and trophies read from text, a level that runs or not,
// and a log of what the windows asked for.
class KC_FAKE_GAME : public screenstest::KC_SCREENS_GAME_STUB {
public:
    game::GG_PLAYER* fGetCurrentPlayer() override { return mPlayer; }
    void fSetCurrentPlayer(game::GG_PLAYER* player) override {
        mPlayer = player;
        ++mApplied;
    }
    void fSave() override { ++mSaves; }
    bool fIsMobilePlatform() override { return mMobile; }
    bool fIsFullscreen() override { return mFullscreen; }
    void fSetFullscreen(bool fullscreen) override { mFullscreen = fullscreen; }
    KEL::KS_POINT fGetDesktopSize() override { return mDesktop; }
    std::wstring fGetString(const std::string& key) override { return L"[" + KEL::fFromUtf8(key) + L"]"; }
    void fLocalize(KEL::KC_GUI_OBJECT*) override {}
    KEL::KC_FONT_LIST* fGetFonts() override { return nullptr; }
    bool fHasInApp() override { return mInApp; }
    const KEL::KC_SHOP_ITEM* fStoreQuery(const std::string& name) override {
        return mPlayer ? mShop.fFind(name, mPlayer->fGetItemCount(name)) : nullptr;
    }
    bool fIsLevelRunning() override { return mLevelRunning; }
    bool fCanRefillHints() override { return mLevelRunning && mCanRefill; }
    void fOnLevelPurchase(const std::string& kind, const std::string& item) override {
        mLevelHeard.push_back(kind + " " + item);
    }
    void fResumeLevel() override { ++mResumes; }
    KEL::KC_TROPHIES* fGetTrophies() override { return &mTrophies; }

    game::GG_PLAYER* mPlayer = nullptr;
    KEL::KC_SHOP_ITEMS mShop;
    KEL::KC_TROPHIES mTrophies;
    KEL::KS_POINT mDesktop{1920, 1080};
    bool mMobile = false;
    bool mFullscreen = false;
    bool mInApp = false;
    bool mLevelRunning = false;
    bool mCanRefill = false;
    int mApplied = 0, mSaves = 0, mResumes = 0;
    std::vector<std::string> mLevelHeard;
};

// A player, the fake game installed, and window elements parsed from text.
class WindowsFromTextTest : public scenetest::SceneFixture {
protected:
    void SetUp() override {
        SceneFixture::SetUp();
        pugi::xml_document player;
        player.load_string(
            "<player name='Ann' sound_volume='40' music_volume='60' game_cursor='true'><playeritems>"
            "<item name='health' count='5'/><item name='errors' count='3'/><item name='start_hint' count='2'/>"
            "</playeritems><health count='5' time_refill_heart='600'/><statisctic score='1000'/></player>");
        mPlayer.fLoadXml(player.document_element());
        mGame.mPlayer = &mPlayer;
        game::GG_SCREENS_GAME::fInstall(&mGame);
        mFrames.fAdd([this] { mManager.fUpdate(); });
    }
    void TearDown() override {
        game::GG_SCREENS_GAME::fInstall(nullptr);
        SceneFixture::TearDown();
    }
    pugi::xml_node fNode(const std::string& text) {
        mDocuments.push_back(std::make_unique<pugi::xml_document>());
        EXPECT_TRUE(mDocuments.back()->load_string(text.c_str())) << text;
        return mDocuments.back()->document_element();
    }
    void fFrames(int count, float dt = 0.125f) { mFrames.fStep(count, dt); }
    int32_t fScore() const { return mPlayer.fGetStatistic().mScore; }

    game::GG_PLAYER mPlayer;
    KC_FAKE_GAME mGame;
    KEL::G_WINDOW_MANAGER mManager;
    std::vector<std::unique_ptr<pugi::xml_document>> mDocuments;

private:
    testsupport::FrameStepper mFrames{0.125f};
};

}  // namespace windowsfromtexttest
