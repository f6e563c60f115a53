// Rounds over every screen of the whole game, each opened over the title,
// left to rest, closed and left to go: after the first round nothing is
// decoded again while the pictures fit the manager's budget, and with a
// budget the walk exceeds, the pictures held at the title stay within it
// round after round and the renderer holds no more textures than before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "support/WholeGame.h"

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

constexpr size_t kMB = size_t(1) << 20;

class ScreensPictures : public testsupport::WholeGame {
protected:
    ScreensPictures() {
        mPictures = false;
        mPrefix = "pictures";
    }

    // What one round leaves behind, at the title.
    struct Held {
        size_t pictures = 0;
        size_t textures = 0;
        size_t made = 0;
    };
    Held fHeld() {
        KEL::KC_RENDER* render = KEL::KC_RENDER::fCurrent();
        return {KEL::kcREPOSITORY->fGetTextureBytes(), render->fGetTextureCount(), render->fGetTexturesMade()};
    }
    bool fResting(const std::string& name) {
        const KEL::G_WINDOW* window = fWindows().fFindOpenWindow(name);
        return window && !window->fIsAnimating() && !fWindows().fIsOpen(GG_WINDOW_NAME::kFADE);
    }
    // Every window but the title under them all and the fade that drives
    // itself.
    std::vector<std::string> fScreens() {
        std::vector<std::string> names;
        for (int32_t i = 0; i < fWindows().fGetWindowCount(); ++i) {
            const std::string& name = fWindows().fGetWindow(i)->fGetName();
            if (name != GG_WINDOW_NAME::kTITLE && name != GG_WINDOW_NAME::kFADE) names.push_back(name);
        }
        return names;
    }
    void fRound(const std::vector<std::string>& screens) {
        for (const std::string& name : screens) {
            ASSERT_NE(fWindows().fShowWindow(name), nullptr) << name;
            ASSERT_TRUE(fRunUntil([&] { return fResting(name); })) << name << " came to rest";
            fWindows().fHideWindow(name);
            ASSERT_TRUE(fRunUntil([&] { return !fWindows().fIsOpen(name); })) << name << " left";
            ASSERT_TRUE(fRunUntil([&] { return fResting(GG_WINDOW_NAME::kTITLE); })) << "the title after " << name;
        }
    }
};

}  // namespace

TEST_F(ScreensPictures, WithinTheBudgetAWindowOpenedAgainDecodesNothing) {
    fStart();
    const std::vector<std::string> screens = fScreens();
    ASSERT_GT(screens.size(), 20u);
    fRound(screens);
    const Held first = fHeld();
    ASSERT_LE(first.pictures, fWindows().fGetPictureBudget()) << "every screen's pictures fit the budget";
    fRound(screens);
    const Held second = fHeld();
    EXPECT_EQ(second.pictures, first.pictures);
    EXPECT_EQ(second.textures, first.textures);
    EXPECT_EQ(second.made, first.made) << "no picture decoded again";
}

TEST_F(ScreensPictures, PastTheBudgetThePicturesHeldStayWithinItRoundAfterRound) {
    fStart();
    const std::vector<std::string> screens = fScreens();
    const size_t title = KEL::kcREPOSITORY->fGetTextureBytes();
    // Between what the title holds and what the whole walk would keep.
    const size_t budget = title + 2 * kMB;
    fWindows().fSetPictureBudget(budget);
    fRound(screens);
    const Held first = fHeld();
    EXPECT_LE(first.pictures, budget);
    fRound(screens);
    const Held second = fHeld();
    EXPECT_LE(second.pictures, budget);
    EXPECT_GT(second.made, first.made) << "pictures given back are decoded again when their window opens";
    EXPECT_EQ(second.textures, first.textures) << "the renderer's textures are flat";
    EXPECT_TRUE(fShown(GG_WINDOW_NAME::kTITLE));
}

// The menus loaded behind the title hold their pictures' files, not their
// pixels, until first shown; showing one loads nothing new.
TEST_F(ScreensPictures, MenusLoadedBehindTheTitleDecodeWhenFirstShown) {
    fStart();
    ASSERT_NE(fWindows().fFindWindow(GG_WINDOW_NAME::kOPTIONS), nullptr);
    ASSERT_TRUE(fWindows().fFindWindow(GG_WINDOW_NAME::kOPTIONS)->fIsLoaded()) << "loaded with the title";
    const Held title = fHeld();
    ASSERT_NE(fWindows().fShowWindow(GG_WINDOW_NAME::kOPTIONS), nullptr);
    ASSERT_TRUE(fRunUntil([&] { return fResting(GG_WINDOW_NAME::kOPTIONS); }));
    const Held shown = fHeld();
    EXPECT_EQ(shown.made, title.made) << "nothing loaded on opening";
    EXPECT_GT(shown.pictures, title.pictures + 256 * 1024) << "its pictures decoded when first drawn";
}
