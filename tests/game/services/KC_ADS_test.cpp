#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "game/services/KC_ADS.h"
#include "game/services/KC_LEADERBOARD_LIST.h"
#include "game/services/cAdDelegate.h"

TEST(KC_ADS, ReadsNothingUntilEnabledAndIsNeverReady) {
    pugi::xml_document d;
    d.load_string(
        "<ads><a name=\"apple_top\" provider=\"apple\" location=\"top\"/>"
        "<a name=\"odd\" provider=\"other\" location=\"top\"/><a name=\"nowhere\" provider=\"flurry\" location=\"x\"/>"
        "<a name=\"tolvanery_fs\" provider=\"tolvanery\" location=\"fullscreen\"/></ads>");
    KEL::KC_ADS ads;
    EXPECT_TRUE(ads.fLoad(d.document_element()));
    EXPECT_EQ(ads.fGetCount(), 0u);
    ads.fSetEnabled(true);
    ASSERT_TRUE(ads.fLoad(d.document_element()));
    EXPECT_EQ(ads.fGetCount(), 2u) << "unknown providers and locations make no placement";
    EXPECT_EQ(ads.fFind("tolvanery_fs")->mLocation, KEL::KS_AD_PLACEMENT::kFULL_SCREEN);
    EXPECT_TRUE(ads.fHas("apple_top"));
    EXPECT_FALSE(ads.fIsReady("apple_top")) << "no ad service loads anything";
    game::cAdDelegate delegate(ads);
    ads.fSetDelegate(&delegate);
    delegate.fOnAdEnable(nullptr, 2);
    delegate.fOnAdFallback(ads.fFind("apple_top"), 0);
    ads.fSetEnabled(false);
    EXPECT_FALSE(ads.fHas("apple_top"));
}

TEST(KC_LEADERBOARD_LIST, MapsNamesToIds) {
    pugi::xml_document d;
    d.load_string("<l><b name=\"Score\" leaderboard_id=\"s1\"/><b name=\"Stars\" leaderboard_id=\"s2\"/></l>");
    KEL::KC_LEADERBOARD_LIST list;
    list.fLoad(d.document_element());
    EXPECT_EQ(list.fGetId("Stars"), "s2");
    EXPECT_EQ(list.fGetId("Time"), "");
}
