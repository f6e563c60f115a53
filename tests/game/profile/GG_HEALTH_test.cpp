#include <gtest/gtest.h>

#include "game/profile/KT_PLAYERS.h"
#include "support/FakeHost.h"
#include "support/TestEnvironment.h"

using game::GG_HEALTH;
using game::GG_PLAYER;

namespace {

constexpr int64_t T = 1700000000;

// A player holding up to max hearts, all of them, refilling one per 600 s.
struct Hearts {
    testsupport::FakeClock clock;
    GG_PLAYER player;
    GG_HEALTH& h = player.fGetHealth();
    explicit Hearts(int32_t max = 5) {
        clock.mDate = T;
        player.fSetName(L"h");
        player.fSetItemCount("health", max);
        h.fSetCount(max);
        h.fSetTimeRefill(600);
    }
};

}  // namespace

TEST(GG_HEALTH, SpentHeartsRefillOneAfterAnother) {
    Hearts s;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(s.h.fUseHeart());
    EXPECT_EQ(s.h.fGetQueue(), (std::deque<int32_t>{int32_t(T), int32_t(T + 600), int32_t(T + 1200)}));
    EXPECT_EQ(s.h.fGetCount(), 2);
    EXPECT_TRUE(s.h.fGetIncrement());
    EXPECT_EQ(s.h.fGetCountdown(), 600.0);

    s.clock.mDate = T + 1000;  // the game was closed for 1000 seconds
    EXPECT_TRUE(s.h.fUpdate());
    EXPECT_EQ(s.h.fGetCount(), 3);
    EXPECT_EQ(s.h.fGetCountdown(), 200.0);

    s.clock.mDate = T + 5000;
    EXPECT_FALSE(s.h.fUpdate()) << "everything due came back at once";
    EXPECT_EQ(s.h.fGetCount(), 5);
    EXPECT_EQ(s.h.fGetCountdown(), 0.0);
}

TEST(GG_HEALTH, RefillsContinueAcrossASaveAndReload) {
    Hearts s;
    s.h.fUseHeart();
    s.h.fUseHeart();
    KEL::KT_PLAYERS list;
    const std::string folder = testsupport::TestEnvironment::fMakeFolder("hearts").string();
    list.fLoad(folder);
    list.fAddPlayer(std::make_unique<GG_PLAYER>(s.player));
    ASSERT_TRUE(list.fSave(folder));

    s.clock.mDate = T + 900;
    KEL::KT_PLAYERS back;
    ASSERT_TRUE(back.fLoad(folder));
    GG_HEALTH& h = back.fGetCurrent()->fGetHealth();
    EXPECT_EQ(h.fGetCount(), 3) << "the stored countdown is not trusted over the clock";
    EXPECT_TRUE(h.fUpdate());
    EXPECT_EQ(h.fGetCount(), 4);
    EXPECT_EQ(h.fGetCountdown(), 300.0);
}

TEST(GG_HEALTH, AClockSetBackWaitsOneRefillNotTheJump) {
    Hearts s;
    s.h.fUseHeart();
    s.h.fUseHeart();
    s.clock.mDate = T - 86400;  // a day back
    EXPECT_TRUE(s.h.fUpdate());
    EXPECT_EQ(s.h.fGetCountdown(), 600.0);
    EXPECT_EQ(s.h.fGetQueue().front(), int32_t(T - 86400));
    s.clock.mDate = T - 86400 + 1200;
    s.h.fUpdate();
    EXPECT_EQ(s.h.fGetCount(), 5);
}

TEST(GG_HEALTH, TickCountsDownOnlyWhileRefilling) {
    Hearts s;
    s.h.fUseHeart();
    s.h.fTick(599.0f);
    EXPECT_EQ(s.h.fGetCount(), 4);
    s.clock.mDate = T + 600;
    s.h.fTick(1.0f);
    EXPECT_EQ(s.h.fGetCount(), 5);
    EXPECT_FALSE(s.h.fGetIncrement());

    // An idle record below its maximum gains nothing by ticking.
    Hearts idle;
    idle.h.fSetCount(2);
    for (int i = 0; i < 100; ++i) idle.h.fTick(10.0f);
    EXPECT_EQ(idle.h.fGetCount(), 2);
}

TEST(GG_HEALTH, LimitsAtZeroAndAtTheMaximum) {
    Hearts none(0);
    none.h.fSetCount(0);
    EXPECT_FALSE(none.h.fUseHeart());
    EXPECT_FALSE(none.h.fAddHeart());
    none.clock.mDate = T + 100000;
    EXPECT_FALSE(none.h.fUpdate()) << "a maximum of 0 never refills";
    EXPECT_EQ(none.h.fGetCount(), 0);

    Hearts full;
    EXPECT_FALSE(full.h.fAddHeart());
    EXPECT_EQ(full.h.fGetCount(), 5);

    Hearts zeroTime;
    zeroTime.h.fSetTimeRefill(0);
    zeroTime.h.fUseHeart();
    EXPECT_EQ(zeroTime.h.fGetCount(), 5) << "an instant refill never waits";
}
