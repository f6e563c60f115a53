#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "engine/resources/KC_STRING_TABLE.h"
#include "game/progress/KC_TROPHIES.h"

using KEL::KC_TROPHIES;
using KEL::KC_TROPHY_CONDITION;
using KEL::KS_TROPHY_VALUE;

namespace {

KC_TROPHY_CONDITION fCondition(const std::string& type, const std::string& value, const std::string& op) {
    pugi::xml_document d;
    d.load_string(
        ("<condition name=\"c\" value_type=\"" + type + "\" value=\"" + value + "\" operator=\"" + op + "\"/>")
            .c_str());
    KC_TROPHY_CONDITION c;
    c.fRead(d.document_element());
    return c;
}

bool fUnlocks(const KC_TROPHY_CONDITION& c, double fed) {
    return c.fEvaluate(KS_TROPHY_VALUE::fFromFloat("c", fed)) >= 1.0;
}

}  // namespace

TEST(KC_TROPHY_CONDITION, EachTypeAtZeroAtItsTargetAndPastIt) {
    struct Case {
        const char* type;
        const char* target;
        double fed[3];  // 0, the target, past it
    };
    for (const Case& k :
         {Case{"int", "10", {0, 10, 25}}, Case{"uint", "5000", {0, 5000, 70000}}, Case{"float", "1", {0, 1.0, 1.5}}}) {
        for (const char* op : {">=", "=="}) {
            const KC_TROPHY_CONDITION c = fCondition(k.type, k.target, op);
            EXPECT_FALSE(fUnlocks(c, k.fed[0])) << k.type << op;
            EXPECT_TRUE(fUnlocks(c, k.fed[1])) << k.type << op;
            EXPECT_TRUE(fUnlocks(c, k.fed[2])) << k.type << op << " (the ratio passes 1)";
        }
    }
    EXPECT_FALSE(fUnlocks(fCondition("int", "10", ">="), 9)) << "9 / 10 is 0";
    EXPECT_FALSE(fUnlocks(fCondition("float", "1", "=="), 0.5));

    const KC_TROPHY_CONDITION all = fCondition("bool", "true", "==");
    EXPECT_FALSE(fUnlocks(all, 0));
    EXPECT_TRUE(fUnlocks(all, 1));
    EXPECT_TRUE(fUnlocks(fCondition("bool", "false", "!="), 1));
}

TEST(KC_TROPHY_CONDITION, OtherOperatorsNamesAndZeroTargets) {
    EXPECT_TRUE(fUnlocks(fCondition("int", "3", ">"), 4));
    EXPECT_FALSE(fUnlocks(fCondition("int", "3", ">"), 3));
    EXPECT_TRUE(fUnlocks(fCondition("float", "60", "<"), 59.5));
    EXPECT_TRUE(fUnlocks(fCondition("uint", "7", "<="), 7));
    EXPECT_TRUE(fUnlocks(fCondition("int", "7", "!="), 8));
    EXPECT_EQ(fCondition("int", "1", "bogus").fGetOperator(), KC_TROPHY_CONDITION::kGREATER_EQUAL);
    EXPECT_EQ(fCondition("word", "1", ">").fGetType(), KC_TROPHY_CONDITION::kBOOL);
    // A zero target is reached, never divided by.
    for (const char* type : {"int", "uint", "float"}) {
        EXPECT_TRUE(fUnlocks(fCondition(type, "0", ">="), 0)) << type;
        EXPECT_TRUE(fUnlocks(fCondition(type, "0", "=="), 3)) << type;
    }
    EXPECT_FALSE(fUnlocks(fCondition("int", "0", ">="), -1));
    EXPECT_TRUE(fUnlocks(fCondition("int", "-1", ">="), -2147483648.0)) << "the smallest int divides without a trap";
    const KC_TROPHY_CONDITION c = fCondition("int", "1", ">=");
    EXPECT_EQ(c.fEvaluate(KS_TROPHY_VALUE::fFromInt("other", 5)), 0.0) << "names must match";
}

TEST(KC_TROPHIES, UnlocksOnceAndOnlyWithOneCondition) {
    pugi::xml_document d;
    d.load_string("<trophies><trophy name=\"a\" bonus=\"7\"><condition name=\"a\" value_type=\"int\" value=\"2\" "
                  "operator=\"&gt;=\"/></trophy><trophy name=\"none\"/><trophy name=\"two\">"
                  "<condition name=\"two\" value_type=\"int\" value=\"1\"/><condition name=\"two\" value_type=\"int\" "
                  "value=\"1\"/></trophy></trophies>");
    KC_TROPHIES trophies;
    ASSERT_TRUE(trophies.fRead(d));
    ASSERT_EQ(trophies.fGetCount(), 3u);
    EXPECT_EQ(trophies.fFind("a")->fGetBonus(), 7);
    EXPECT_FALSE(trophies.fUpdateValue("a", KS_TROPHY_VALUE::fFromInt("a", 1)));
    EXPECT_TRUE(trophies.fUpdateValue("a", KS_TROPHY_VALUE::fFromInt("a", 2)));
    EXPECT_FALSE(trophies.fUpdateValue("a", KS_TROPHY_VALUE::fFromInt("a", 3))) << "not queued twice";
    EXPECT_TRUE(trophies.fIsUnlocked("a"));
    EXPECT_FALSE(trophies.fUpdateValue("none", KS_TROPHY_VALUE::fFromInt("none", 3)));
    EXPECT_FALSE(trophies.fUpdateValue("two", KS_TROPHY_VALUE::fFromInt("two", 3)));
    EXPECT_FALSE(trophies.fUpdateValue("missing", KS_TROPHY_VALUE::fFromInt("missing", 3)));
    trophies.fLockAll();
    EXPECT_FALSE(trophies.fIsUnlocked("a"));

    pugi::xml_document empty;
    empty.load_string("<trophies/>");
    EXPECT_FALSE(trophies.fRead(empty));
}

TEST(KC_TROPHIES, DefaultTrophiesCoverEveryValueTypeAndHaveTheirTexts) {
    const std::string dir = std::string(NONOGRAM_SOURCE_DIR) + "/content/";
    pugi::xml_document d, s;
    ASSERT_TRUE(d.load_file((dir + "data/share/main/other/trophies.xml").c_str()));
    ASSERT_TRUE(s.load_file((dir + "data/en/strings.xml").c_str()));
    KEL::KC_STRING_TABLE strings;
    strings.fRead(KEL::KC_STRING_TABLE::fFirstRow(s));
    KC_TROPHIES trophies;
    ASSERT_TRUE(trophies.fRead(d));
    bool types[4] = {};
    for (uint32_t i = 0; i < trophies.fGetCount(); ++i) {
        const KEL::KC_TROPHY* t = trophies.fGetTrophy(i);
        ASSERT_NE(t->fGetCondition(), nullptr) << t->fGetName();
        EXPECT_EQ(t->fGetCondition()->fGetName(), t->fGetName());
        types[t->fGetCondition()->fGetType()] = true;
        EXPECT_NE(strings.fGet(t->fGetName()), "etwas") << t->fGetName();
        EXPECT_NE(strings.fGet(t->fGetDesc()), "etwas") << t->fGetDesc();
    }
    EXPECT_TRUE(types[0] && types[1] && types[2] && types[3]);
}
