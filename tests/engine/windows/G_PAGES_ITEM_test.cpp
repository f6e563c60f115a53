#include <gtest/gtest.h>

#include "PagesFixture.h"

using KEL::G_PAGES_ITEM;

TEST(G_PAGES_ITEM, MessagesReachTheirOperations) {
    pagestest::KS_LOG log;
    pugi::xml_document document;
    document.load_string("<item n='9' w='30' h='20' takes='1'/>");
    int owner = 0;
    pagestest::KC_TEST_ITEM item(&owner, document.first_child(), log);
    EXPECT_EQ(item.mId, KEL::KC_BASE::fTag(&owner));

    KEL::KS_TRANSFORM3 strip;
    strip.fSetPos(100, 0, 0);
    EXPECT_EQ(item.fMessage(G_PAGES_ITEM::kMSG_PARENT, 0, 0, 0, &strip), 0);
    EXPECT_EQ(item.fMessage(G_PAGES_ITEM::kMSG_POSITION, 5, 6, 0, nullptr), 1);
    EXPECT_EQ(item.fGetTransform().fGetAbsolute().mPosition, KEL::KS_VEC3(105, 6, 0));
    EXPECT_EQ(item.fMessage(G_PAGES_ITEM::kMSG_WIDTH, 0, 0, 0, nullptr), 30);
    EXPECT_EQ(item.fMessage(G_PAGES_ITEM::kMSG_HEIGHT, 0, 0, 0, nullptr), 20);
    EXPECT_EQ(item.fMessage(G_PAGES_ITEM::kMSG_ANCHOR, 0, 0, 0, G_PAGES_ITEM::fValue(4)), 0) << "ignored";
    EXPECT_EQ(item.fMessage(G_PAGES_ITEM::kMSG_MOUSE_DOWN, 0, 0, 0, G_PAGES_ITEM::fValue(1)), KEL::KS_RESULT::kSTOP);
    EXPECT_EQ(item.fMessage(G_PAGES_ITEM::kMSG_MOUSE_MOVE, 0, 0, 0, nullptr), 0);
    for (int32_t message : {G_PAGES_ITEM::kMSG_RELOAD, G_PAGES_ITEM::kMSG_RELEASE, G_PAGES_ITEM::kMSG_REFRESH})
        EXPECT_EQ(item.fMessage(message, 0, 0, 0, nullptr), 1);
    EXPECT_EQ(item.fMessage(KEL::KC_BASE::kMSG_DRAW, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(log.mDrawn, std::vector<int32_t>{9});
    EXPECT_EQ(item.fMessage(99, 0, 0, 0, nullptr), 0);
}
