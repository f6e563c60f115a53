// The whole game in its in-app edition over the built content: a purchase
// in progress holds the game under its animated overlay, and the shop's
// hint offers are sold through the store.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/scene/G_ANIMATION.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_MAIN.h"
#include "game/app/gGame.h"
#include "game/product/GG_SETTINGS.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_WINDOW_SHOP.h"
#include "game/screens/GG_WINDOW_TITLE.h"
#include "game/screens/pages/gPagesShop.h"
#include "game/screens/pages/gPages_Shop_Item.h"
#include "host/IWindow.h"
#include "host/recording/RecordingDevice.h"
#include "support/FakeHost.h"

namespace fs = std::filesystem;
using game::gGame;
using Clock = std::chrono::steady_clock;

namespace {

const fs::path kBUILT = fs::path(NONOGRAM_BINARY_DIR) / "Resources";

class InAppGame : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kBUILT / "game.xml")) GTEST_SKIP() << "the default content is not built";
        KEL::KC_FILESYSTEM::fGetInstance();
        fs::copy(kBUILT, fs::current_path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        std::ifstream in("game.xml");
        std::stringstream text;
        text << in.rdbuf();
        in.close();
        std::ofstream("game.xml") << std::regex_replace(text.str(), std::regex("<edition value=\"pc\"/>"),
                                                        "<edition value=\"pc_inapp\"/>");
    }
    void TearDown() override {
        if (mGame && KEL::kcGAME == mGame.get()) {
            KEL::KC_CALLBACK::fCall(KEL::kcbAFTER_LOOP);
            KEL::kcGAME = nullptr;
        }
        game::GG_SETTINGS::fGetInstance().fReset();
    }

    void fStart() {
        mGame = std::make_unique<KEL::KC_GAME>();
        mGame->mDeviceFactory = [] { return new host::RecordingDevice; };
        KEL::kcGAME = mGame.get();
        game::fRegisterCallbacks();
        ASSERT_EQ(mGame->fInit(""), 1);
        mGame->mRunning = 1;
        ASSERT_TRUE(fRunUntil([this] { return game::fGetState() == game::kSTATE_RUNNING && fShown("Title"); }));
        ASSERT_TRUE(game::GG_SETTINGS::fGetInstance().fHasInApp());
        ASSERT_NE(fGameObject().fGetCurrentPlayer(), nullptr);
    }
    bool fRunUntil(const std::function<bool()>& done) {
        // A bound against a hang only.
        const Clock::time_point end = Clock::now() + std::chrono::seconds(120);
        while (Clock::now() < end) {
            if (done()) return true;
            if (!mGame->mRunning) return false;
            mGame->fFrame();
            std::this_thread::yield();
        }
        return false;
    }
    void fSend(uint32_t message, uint32_t key = 0, int32_t x = 0, int32_t y = 0) {
        mWindow->fPush(message, key, x, y);
        fRunUntil([this] { return mWindow->mQueue.empty(); });
        mGame->fFrame();
    }
    void fClickAt(const KEL::KS_VEC2& at) {
        fSend(host::kMsgMouseMove, 0, int32_t(at.x), int32_t(at.y));
        fSend(host::kMsgLButtonDown);
        fSend(host::kMsgLButtonUp);
    }
    // Frames until that much game time has passed.
    void fWait(float seconds) {
        float passed = 0.0f;
        int32_t steps = mGame->mUpdateCount;
        fRunUntil([&] {
            if (mGame->mUpdateCount != steps) {
                passed += KEL::kfFRAME_DELTA;
                steps = mGame->mUpdateCount;
            }
            return passed >= seconds;
        });
    }
    bool fShown(const std::string& name) {
        KEL::G_WINDOW* window = fWindows().fFindOpenWindow(name);
        return window && !window->fIsAnimating() && !fWindows().fIsOpen("Fade_Transition");
    }
    KEL::G_WINDOW_MANAGER& fWindows() { return *gGame::fGetWindowManager(); }
    gGame& fGameObject() { return *gGame::fGetGame(); }

    testsupport::FakeWindowScope mWindow{1024, 768};
    testsupport::MessageBoxCatcher mBoxes;
    std::unique_ptr<KEL::KC_GAME> mGame;
};

}  // namespace

// A store that takes its time: from its start to its answer the overlay's
// spinner turns and clicks reach no screen; the answer stops it.
TEST_F(InAppGame, APurchaseInProgressTurnsTheOverlayAndHoldsTheClicks) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    const KEL::G_ANIMATION& spinner = fGameObject().fGetPurchaseAnimation();
    ASSERT_GT(spinner.fGetFrames(), 1) << "the overlay's animation comes with the content";
    EXPECT_FALSE(spinner.fIsPlaying());

    fGameObject().fOnPurchaseStarted();
    EXPECT_TRUE(fGameObject().fIsPurchaseOverlayUp());
    EXPECT_TRUE(spinner.fIsPlaying());
    const int32_t first = spinner.fGetFrame();
    fWait(0.5f);
    EXPECT_NE(spinner.fGetFrame(), first) << "it turns while the purchase runs";

    KEL::G_WINDOW* title = fWindows().fFindOpenWindow("Title");
    ASSERT_NE(title, nullptr);
    fClickAt(title->fGetGui()->fFindChild(game::GG_WINDOW_TITLE::kOPTIONS)->fGetTransform().fGetAbsolute().fGetPos2());
    fWait(0.5f);
    EXPECT_FALSE(fWindows().fIsOpen("Options")) << "the overlay holds the clicks";

    fGameObject().fOnPurchaseResult(nullptr, 1);
    EXPECT_FALSE(fGameObject().fIsPurchaseOverlayUp());
    EXPECT_FALSE(spinner.fIsPlaying());
    EXPECT_TRUE(fWindows().fIsOpen("purchase_fail")) << "an answer without a success is a failure";

    // The next purchase starts the spinner from its first frame again.
    fGameObject().fOnPurchaseStarted();
    EXPECT_EQ(spinner.fGetFrame(), first);
    fGameObject().fOnPurchaseResult(nullptr, 1);
}

// The hint offers have live buy buttons, and buying one through the store
// gives one more hint.
TEST_F(InAppGame, TheShopSellsHintsThroughTheStore) {
    ASSERT_NO_FATAL_FAILURE(fStart());
    ASSERT_NE(fWindows().fShowWindow("Shop"), nullptr);
    ASSERT_TRUE(fRunUntil([&] { return fShown("Shop"); }));
    auto* shop = dynamic_cast<game::GG_WINDOW_SHOP*>(fWindows().fFindWindow("Shop"));
    ASSERT_NE(shop, nullptr);
    game::gPages_Shop_Item* hints = nullptr;
    for (int32_t i = 0; i < shop->fGetPages()->fGetItemCount(); ++i) {
        auto* card = dynamic_cast<game::gPages_Shop_Item*>(shop->fGetPages()->fGetItem(i));
        if (card && card->fGetOfferName() == "start_hint") hints = card;
    }
    ASSERT_NE(hints, nullptr);
    auto* buy = dynamic_cast<KEL::KC_GUI_BUTTON5*>(hints->fGetGui()->fFindChild(game::gPages_Shop_Item::kBUY));
    ASSERT_NE(buy, nullptr);
    EXPECT_NE(buy->fGetState(), KEL::KC_GUI_BUTTON5::kDISABLED);

    game::GG_PLAYER& player = *fGameObject().fGetCurrentPlayer();
    const int32_t before = player.fGetItemCount("start_hint");
    ASSERT_EQ(shop->fGetPages()->fGetCurrentPage(), 0) << "the hint card is on the first page";
    fClickAt(buy->fGetTransform().fGetAbsolute().fGetPos2());
    EXPECT_EQ(player.fGetItemCount("start_hint"), before + 1);
    EXPECT_FALSE(fGameObject().fIsPurchaseOverlayUp());
    EXPECT_TRUE(fWindows().fIsOpen("purchase_success"));
}
