#include <gtest/gtest.h>

#include <memory>

#include <pugixml.hpp>

#include "engine/resources/KC_STRING_TABLE.h"
#include "game/product/GG_PACK_INFO.h"
#include "game/profile/GG_PACK_RECORD.h"
#include "game/profile/GG_STATISTIC.h"

using game::GG_LEVEL_RECORD;
using game::GG_PACK_INFO;
using game::GG_PACK_RECORD;

namespace {

GG_PACK_RECORD fPack(int levels, const std::string& extra = "") {
    std::string text = "<pack id=\"1\"" + extra + ">";
    for (int i = 1; i <= levels; ++i) text += "<level id=\"" + std::to_string(i) + "\" lock=\"1\"/>";
    pugi::xml_document d;
    d.load_string((text + "</pack>").c_str());
    GG_PACK_RECORD pack;
    EXPECT_TRUE(pack.fLoadXml(d.document_element(), {}));
    return pack;
}

std::unique_ptr<GG_PACK_INFO> fInfo(const std::string& attributes) {
    pugi::xml_document d;
    d.load_string(("<pack " + attributes + "/>").c_str());
    auto info = std::make_unique<GG_PACK_INFO>();
    EXPECT_TRUE(info->fRead(d.document_element(), nullptr));
    return info;
}

}  // namespace

TEST(GG_LEVEL_RECORD, StarsOnlyGrowAndBestTimesOnlyShrink) {
    GG_LEVEL_RECORD level;
    level.fSetStars(2);
    level.fSetStars(1);
    EXPECT_EQ(level.fGetStars(), 2);
    level.fSetBestTime(40.0f);
    EXPECT_EQ(level.fGetBestTime(), 40.0f) << "0 means no time yet";
    level.fSetBestTime(50.0f);
    EXPECT_EQ(level.fGetBestTime(), 40.0f);
    level.fSetBestTime(40.0f);
    level.fSetBestTime(30.0f);
    EXPECT_EQ(level.fGetBestTime(), 30.0f);
}

TEST(GG_PACK_RECORD, StarsProgressAndLevelLookups) {
    GG_PACK_RECORD empty = fPack(0);
    EXPECT_EQ(empty.fGetProgress(), 0.0) << "no levels, no progress (and no NaN)";
    EXPECT_FALSE(empty.fHasOpenLevel());

    GG_PACK_RECORD pack = fPack(100);
    for (int id = 1; id <= 100; ++id) pack.fFindLevel(id)->fSetStars(3);
    EXPECT_EQ(pack.fGetStars(), 300) << "beyond 255";
    pack.fGetLevel(0)->fSetStars(0);
    EXPECT_DOUBLE_EQ(GG_PACK_RECORD(fPack(4)).fGetProgress(), 0.0);
    EXPECT_EQ(pack.fGetLevel(100), nullptr);
    EXPECT_EQ(pack.fGetLevel(-1), nullptr);
    EXPECT_EQ(pack.fFindLevel(101), nullptr);
    EXPECT_TRUE(pack.fIsLastLevel(pack.fGetLevel(99)));
    EXPECT_FALSE(pack.fIsLastLevel(pack.fGetLevel(98)));

    GG_PACK_RECORD half = fPack(4);
    half.fFindLevel(1)->fSetStars(1);
    half.fFindLevel(3)->fSetStars(2);
    EXPECT_DOUBLE_EQ(half.fGetProgress(), 0.5);
}

TEST(GG_PACK_RECORD, StarsOpenTheFirstLevelAndNothingLocksItAgain) {
    const auto owned = fInfo("id=\"1\" key=\"k\" stars2pass=\"20\" price=\"5\" path=\"p\"");
    const GG_PACK_INFO& info = *owned;
    GG_PACK_RECORD pack = fPack(3, " lock=\"1\"");
    pack.fUpdateLock(19, &info, true);
    EXPECT_FALSE(pack.fHasOpenLevel());
    pack.fUpdateLock(20, &info, false);
    EXPECT_TRUE(pack.fGetLevel(0)->fIsOpen());
    EXPECT_EQ(pack.fGetLock(), 1) << "the pack itself opens only when the edition says so";
    pack.fUpdateLock(20, &info, true);
    EXPECT_EQ(pack.fGetLock(), 0);
    pack.fUpdateLock(3, &info, true);
    EXPECT_TRUE(pack.fGetLevel(0)->fIsOpen()) << "an opened level stays open";
    pack.fUpdateLock(100, nullptr, true);
}

TEST(GG_PACK_INFO, NeedsEveryKeyAndNamesItselfFromTheStringTable) {
    pugi::xml_document d;
    d.load_string("<packs><pack id=\"3\" key=\"pack_3_name\" stars2pass=\"7\" price=\"9\" path=\"levels\">"
                  "<background><FILE>back p.png</FILE></background></pack><pack/>"
                  "<pack id=\"1\" key=\"k\" stars2pass=\"1\" price=\"1\"/></packs>");
    pugi::xml_document strings;
    strings.load_string("<Workbook><Worksheet><Table><Row><Cell><Data>pack_3_name</Data></Cell>"
                        "<Cell><Data>Tiere</Data></Cell></Row></Table></Worksheet></Workbook>");
    KEL::KC_STRING_TABLE table;
    table.fRead(KEL::KC_STRING_TABLE::fFirstRow(strings));
    pugi::xml_node pack = d.document_element().first_child();
    GG_PACK_INFO info;
    ASSERT_TRUE(info.fRead(pack, &table));
    EXPECT_EQ(info.fGetId(), 3);
    EXPECT_EQ(info.fGetDisplayName(), L"Tiere");
    EXPECT_EQ(info.fGetStars2Pass(), 7);
    EXPECT_EQ(info.fGetPrice(), 9);
    EXPECT_EQ(info.fGetPath(), "levels");
    ASSERT_NE(info.fGetBackground(), nullptr);
    GG_PACK_INFO empty, missing;
    EXPECT_FALSE(empty.fRead(pack.next_sibling(), &table));
    EXPECT_FALSE(missing.fRead(pack.next_sibling().next_sibling(), &table)) << "no path";
}

TEST(GG_STATISTIC, ScoreSaturatesAndTheBestScoreFollows) {
    game::GG_STATISTIC s;
    s.fAddScore(100);
    s.fAddScore(-40);
    EXPECT_EQ(s.mScore, 60);
    EXPECT_EQ(s.mMaxScore, 100);
    EXPECT_EQ(s.fGetScoreText(), L"60");
    s.fAddScore(INT32_MAX);
    EXPECT_EQ(s.mScore, INT32_MAX);
}
