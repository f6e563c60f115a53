// The store readers against hostile descriptions: nesting deep enough to
// exhaust any stack, and numbers past what their fields hold.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "game/product/GG_ERROR.h"
#include "game/progress/KC_SHOP_ITEMS.h"
#include "game/progress/KC_TROPHIES.h"
#include "game/services/KC_STORE.h"
#include "support/FuzzFindings.h"

using KEL::KC_SHOP_ITEM;
using KEL::KC_SHOP_ITEMS;

namespace {

// `depth` elements named `name` nested one in another, inside `outer`.
std::string fNested(const std::string& outer, const std::string& name, int depth) {
    std::string text = "<" + outer + ">";
    for (int i = 0; i < depth; ++i) text += "<" + name + " name=\"n" + std::to_string(i) + "\" value=\"1\">";
    for (int i = 0; i < depth; ++i) text += "</" + name + ">";
    return text + "</" + outer + ">";
}

int fDepth(const KC_SHOP_ITEM& item) {
    int depth = 1;
    for (const KC_SHOP_ITEM* at = &item; !at->fGetItems().empty(); at = at->fGetItems().front().get()) ++depth;
    return depth;
}

}  // namespace

TEST(KC_SHOP_ITEMS, NestedOffersStopAtTheLimitWithAnErrorHoweverDeepTheFile) {
    for (int depth : {KC_SHOP_ITEM::kMAX_DEPTH + 1, KC_SHOP_ITEM::kMAX_DEPTH + 2, 100000}) {
        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(fNested("store", "item", depth).c_str()));
        game::GG_ERROR::fClear();
        KC_SHOP_ITEMS items;
        items.fLoad(document.document_element());
        ASSERT_EQ(items.fGetItems().size(), 1u);
        EXPECT_EQ(fDepth(*items.fGetItems().front()), KC_SHOP_ITEM::kMAX_DEPTH) << depth;
        EXPECT_NE(game::GG_ERROR::fText().find("nested too deep"), std::string::npos) << depth;
    }
    {
        pugi::xml_document finding;
        ASSERT_TRUE(finding.load_string(testsupport::fFinding("store-nested-offers.xml").c_str()));
        KC_SHOP_ITEMS items;
        items.fLoad(finding.document_element());
        ASSERT_EQ(items.fGetItems().size(), 1u);
        EXPECT_EQ(fDepth(*items.fGetItems().front()), KC_SHOP_ITEM::kMAX_DEPTH);
    }
    pugi::xml_document document;
    document.load_string(fNested("store", "item", KC_SHOP_ITEM::kMAX_DEPTH).c_str());
    game::GG_ERROR::fClear();
    KC_SHOP_ITEMS items;
    items.fLoad(document.document_element());
    EXPECT_EQ(fDepth(*items.fGetItems().front()), KC_SHOP_ITEM::kMAX_DEPTH);
    EXPECT_TRUE(game::GG_ERROR::fText().empty()) << "the deepest allowed nesting reads whole";
}

TEST(KC_SHOP_ITEMS, HostileNumbersHoldAtTheirFieldsLimits) {
    pugi::xml_document document;
    document.load_string("<store><item name='health' price='99999999999' value='-99999999999'/>"
                         "<item name='errors' price='nan' value='1e400' endless='maybe'/></store>");
    KC_SHOP_ITEMS items;
    items.fLoad(document.document_element());
    ASSERT_EQ(items.fGetItems().size(), 2u);
    EXPECT_EQ(items.fGetItems()[0]->fGetPrice(), INT32_MAX);
    EXPECT_EQ(items.fGetItems()[0]->fGetValue(), INT32_MIN);
    EXPECT_EQ(items.fGetItems()[1]->fGetPrice(), 0);
    EXPECT_FALSE(items.fGetItems()[1]->fIsEndless());
    EXPECT_EQ(items.fFind("health", 0), nullptr) << "a negative count is never offered";
}

TEST(KC_SHOP_ITEMS, TheFlatReadersIgnoreDepthBelowTheirElements) {
    pugi::xml_document trophies;
    ASSERT_TRUE(trophies.load_string(fNested("trophies", "trophy", 100000).c_str()));
    KEL::KC_TROPHIES list;
    EXPECT_TRUE(list.fRead(trophies));
    EXPECT_EQ(list.fGetCount(), 1u);

    pugi::xml_document products;
    ASSERT_TRUE(products.load_string(fNested("inapp", "product", 100000).c_str()));
    KEL::KC_STORE store;
    store.fSetProvider(nullptr);
    EXPECT_TRUE(store.fLoad(products.document_element(), "key", nullptr));
    EXPECT_EQ(store.fGetProducts().size(), 1u);
}
