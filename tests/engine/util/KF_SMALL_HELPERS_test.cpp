#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/util/KC_PTR_LIST.h"
#include "engine/util/KF_SMALL_HELPERS.h"

using namespace KEL;

TEST(KF_SMALL_HELPERS, TimeTexts) {
    EXPECT_EQ(fTimeToString(0), L"00:00");
    EXPECT_EQ(fTimeToString(59.9), L"00:59");
    EXPECT_EQ(fTimeToString(61), L"01:01");
    EXPECT_EQ(fTimeToString(3599.99), L"59:59");
    EXPECT_EQ(fTimeToString(3600), L"01:00:00");
    EXPECT_EQ(fTimeToString(3725), L"01:02:05");
    EXPECT_EQ(fTimeToString(36000), L"10:00:00");
    EXPECT_EQ(fTimeToString(360000), L"100:00:00");
    // Damaged values never give negative or undefined texts.
    EXPECT_EQ(fTimeToString(-5), L"00:00");
    EXPECT_EQ(fTimeToString(std::nan("")), L"00:00");
    EXPECT_EQ(fTimeToString(1e300), L"596523:14:07");
}

TEST(KF_SMALL_HELPERS, HotSpotsAndFloatBits) {
    EXPECT_EQ(fHotSpotFromString("HS_UL"), 0);
    EXPECT_EQ(fHotSpotFromString("HS_MU"), 1);
    EXPECT_EQ(fHotSpotFromString("HS_MD"), 7);
    EXPECT_EQ(fHotSpotFromString("HS_DR"), 8);
    EXPECT_EQ(fHotSpotFromString("hs_mid"), 4);
    EXPECT_EQ(fHotSpotFromString("HS_UL "), 4);
    EXPECT_EQ(fHotSpotFromString(""), 4);
    EXPECT_EQ(fFloatToDword(1.0f), 0x3F800000u);
    EXPECT_EQ(fFloatToDword(-2.0f), 0xC0000000u);
}

namespace {
struct KS_COUNTED {
    static inline int sAlive = 0;
    KS_COUNTED() { ++sAlive; }
    virtual ~KS_COUNTED() { --sAlive; }
};
struct KS_DERIVED : KS_COUNTED {
    static inline int sGone = 0;
    ~KS_DERIVED() override { ++sGone; }
};
}  // namespace

TEST(KC_PTR_LIST, OwnsAndDeletesThroughTheVirtualDestructor) {
    KS_DERIVED::sGone = 0;
    {
        KC_PTR_LIST<KS_COUNTED> list;
        auto* first = new KS_DERIVED();
        list.fAdd(first);
        list.fAdd(new KS_COUNTED());
        list.fAdd(new KS_DERIVED());
        EXPECT_EQ(KS_COUNTED::sAlive, 3);
        EXPECT_TRUE(list.fErase(first));
        EXPECT_EQ(KS_DERIVED::sGone, 1);
        EXPECT_FALSE(list.fErase(first)) << "already gone";
        EXPECT_EQ(list.fSize(), 2u);
    }
    EXPECT_EQ(KS_COUNTED::sAlive, 0);
    EXPECT_EQ(KS_DERIVED::sGone, 2);
}

TEST(KF_SMALL_HELPERS, ClampedConversionsNeverLeaveTheirRange) {
    EXPECT_EQ(fClampToInt(12.9), 12);
    EXPECT_EQ(fClampToInt(-12.9), -12);
    EXPECT_EQ(fClampToInt(1e12), INT32_MAX);
    EXPECT_EQ(fClampToInt(-std::numeric_limits<double>::infinity()), INT32_MIN);
    EXPECT_EQ(fClampToInt(std::nan("")), 0);
    EXPECT_EQ(fClampFloat(5.0f, 2.0f), 2.0f);
    EXPECT_EQ(fClampFloat(-5.0f, 2.0f), -2.0f);
    EXPECT_EQ(fClampFloat(std::nanf(""), 2.0f), 0.0f);
}
