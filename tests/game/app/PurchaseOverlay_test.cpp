// The whole game in its in-app edition over the built content: a purchase
// in progress holds the game under its animated overlay, and the shop's
// hint offers are sold through the store.
#include <gtest/gtest.h>

#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/scene/G_ANIMATION.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/gGame.h"
#include "game/product/GG_SETTINGS.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/GG_WINDOW_SHOP.h"
#include "game/screens/GG_WINDOW_TITLE.h"
#include "game/screens/pages/gPagesShop.h"
#include "game/screens/pages/gPages_Shop_Item.h"
#include "support/WholeGame.h"

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

class InAppGame : public testsupport::WholeGame {
protected:
    InAppGame() { mPictures = false; }
    void fStartInApp() {
        ASSERT_NO_FATAL_FAILURE(fUseEdition("pc_inapp"));
        ASSERT_NO_FATAL_FAILURE(fStart());
        ASSERT_TRUE(game::GG_SETTINGS::fGetInstance().fHasInApp());
        ASSERT_NE(fPlayer(), nullptr);
    }
};

}  // namespace

// A store that takes its time: from its start to its answer the overlay's
// spinner turns and clicks reach no screen; the answer stops it.
TEST_F(InAppGame, APurchaseInProgressTurnsTheOverlayAndHoldsTheClicks) {
    ASSERT_NO_FATAL_FAILURE(fStartInApp());
    const KEL::G_ANIMATION& spinner = fGameObject().fGetPurchaseAnimation();
    ASSERT_GT(spinner.fGetFrames(), 1) << "the overlay's animation comes with the content";
    EXPECT_FALSE(spinner.fIsPlaying());

    fGameObject().fOnPurchaseStarted();
    EXPECT_TRUE(fGameObject().fIsPurchaseOverlayUp());
    EXPECT_TRUE(spinner.fIsPlaying());
    const int32_t first = spinner.fGetFrame();
    fWait(0.5f);
    EXPECT_NE(spinner.fGetFrame(), first) << "it turns while the purchase runs";

    ASSERT_TRUE(fShown(GG_WINDOW_NAME::kTITLE));
    fClickWidget(GG_WINDOW_NAME::kTITLE, game::GG_WINDOW_TITLE::kOPTIONS);
    fWait(0.5f);
    EXPECT_FALSE(fWindows().fIsOpen(GG_WINDOW_NAME::kOPTIONS)) << "the overlay holds the clicks";

    fGameObject().fOnPurchaseResult(nullptr, 1);
    EXPECT_FALSE(fGameObject().fIsPurchaseOverlayUp());
    EXPECT_FALSE(spinner.fIsPlaying());
    EXPECT_TRUE(fWindows().fIsOpen(GG_WINDOW_NAME::kPURCHASE_FAIL)) << "an answer without a success is a failure";

    // The next purchase starts the spinner from its first frame again.
    fGameObject().fOnPurchaseStarted();
    EXPECT_EQ(spinner.fGetFrame(), first);
    fGameObject().fOnPurchaseResult(nullptr, 1);
}

// The hint offers have live buy buttons, and buying one through the store
// gives one more hint.
TEST_F(InAppGame, TheShopSellsHintsThroughTheStore) {
    ASSERT_NO_FATAL_FAILURE(fStartInApp());
    ASSERT_NE(fWindows().fShowWindow(GG_WINDOW_NAME::kSHOP), nullptr);
    ASSERT_TRUE(fRunUntil([&] { return fShown(GG_WINDOW_NAME::kSHOP); }));
    auto* shop = dynamic_cast<game::GG_WINDOW_SHOP*>(fWindows().fFindWindow(GG_WINDOW_NAME::kSHOP));
    ASSERT_NE(shop, nullptr);
    game::gPages_Shop_Item* hints = fShopCard("start_hint");
    ASSERT_NE(hints, nullptr);
    auto* buy = dynamic_cast<KEL::KC_GUI_BUTTON5*>(hints->fGetGui()->fFindChild(game::gPages_Shop_Item::kBUY));
    ASSERT_NE(buy, nullptr);
    EXPECT_NE(buy->fGetState(), KEL::KC_GUI_BUTTON5::kDISABLED);

    game::GG_PLAYER& player = *fGameObject().fGetCurrentPlayer();
    const int32_t before = player.fGetItemCount("start_hint");
    ASSERT_EQ(shop->fGetPages()->fGetCurrentPage(), 0) << "the hint card is on the first page";
    fClickWidget(*buy);
    EXPECT_EQ(player.fGetItemCount("start_hint"), before + 1);
    EXPECT_FALSE(fGameObject().fIsPurchaseOverlayUp());
    EXPECT_TRUE(fWindows().fIsOpen(GG_WINDOW_NAME::kPURCHASE_SUCCESS));
}
