#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "game/board/GG_BOARD_LAYOUT.h"
#include "game/product/GG_ERROR.h"
#include "support/FuzzFindings.h"

using game::GG_BOARD_LAYOUT;

namespace {

bool fLoad(GG_BOARD_LAYOUT& layout, const std::string& attributes) {
    pugi::xml_document doc;
    const std::string xml =
        "<settings " + attributes +
        "><block><SIZE>158 158</SIZE></block><selection/><selection_yes/><selection_no/></settings>";
    EXPECT_TRUE(doc.load_string(xml.c_str()));
    return layout.fLoad(doc.child("settings"));
}

}  // namespace

TEST(GG_BOARD_LAYOUT, TenByTenWithGapsBetweenBlocks) {
    GG_BOARD_LAYOUT l;
    ASSERT_TRUE(
        fLoad(l, R"(elSize="30 30" grid="10 10" block="5 5" shiftBlock="-4 -4" position="512 400" bonuses="2")"));
    EXPECT_EQ(l.mGrid.x, 10);
    EXPECT_EQ(l.mBonuses, 2u);
    EXPECT_EQ(l.mBlocks.x, 2);
    EXPECT_EQ(l.mBlocks.y, 2);
    EXPECT_EQ(l.mWidth, 312);
    EXPECT_EQ(l.mHeight, 312);
    EXPECT_FLOAT_EQ(l.mOrigin.x, 356.0f);
    EXPECT_FLOAT_EQ(l.mOrigin.y, 244.0f);
    EXPECT_FLOAT_EQ(l.mCellBase.x, 360.0f);
    EXPECT_FLOAT_EQ(l.mCellBase.y, 248.0f);
    EXPECT_FLOAT_EQ(l.mBlockSprite.fGetWidth(), 158.0f) << "the block tile is read";
}

TEST(GG_BOARD_LAYOUT, FifteenByTwentyAndShortLastBlocks) {
    GG_BOARD_LAYOUT l;
    ASSERT_TRUE(
        fLoad(l, R"(elSize="28 28" grid="15 20" block="5 5" shiftBlock="-3 -3" position="600 450" bonuses="0")"));
    EXPECT_EQ(l.mBlocks.x, 3);
    EXPECT_EQ(l.mBlocks.y, 4);
    EXPECT_EQ(l.mWidth, 432);   // 5 x 28 x 3 + 4 x 3
    EXPECT_EQ(l.mHeight, 575);  // 5 x 28 x 4 + 5 x 3
    EXPECT_FLOAT_EQ(l.mOrigin.x, 384.0f);
    EXPECT_FLOAT_EQ(l.mOrigin.y, 162.5f);
    EXPECT_FLOAT_EQ(l.mCellBase.y, 165.5f);

    // Grid 7 in blocks of 5: two blocks, the board sized for two full ones.
    ASSERT_TRUE(fLoad(l, R"(elSize="30 20" grid="7 5" block="5 5" shiftBlock="-4 2" position="0 0" bonuses="0")"));
    EXPECT_EQ(l.mBlocks.x, 2);
    EXPECT_EQ(l.mBlocks.y, 1);
    EXPECT_EQ(l.mWidth, 312);
    EXPECT_EQ(l.mHeight, 96) << "a positive shift narrows the board";
    EXPECT_FLOAT_EQ(l.mCellBase.y, -48.0f - 2.0f);
}

TEST(GG_BOARD_LAYOUT, BlockZeroIsOneBlockSpanningTheGrid) {
    GG_BOARD_LAYOUT l;
    ASSERT_TRUE(fLoad(l, R"(elSize="10 10" grid="7 3" block="0 0" shiftBlock="-2 -2" position="100 100" bonuses="1")"));
    EXPECT_EQ(l.mBlocks.x, 1);
    EXPECT_EQ(l.mBlocks.y, 1);
    EXPECT_EQ(l.mWidth, 74);
    EXPECT_EQ(l.mHeight, 34);
    EXPECT_EQ(l.mBlock.x, 0) << "the read value stays for the cell walk";
}

TEST(GG_BOARD_LAYOUT, RejectsMissingAttributesAndImpossibleSizes) {
    GG_BOARD_LAYOUT l;
    const std::string good = R"(elSize="30 30" grid="10 10" block="5 5" shiftBlock="-4 -4" position="512 400")";
    EXPECT_FALSE(fLoad(l, good)) << "bonuses missing";
    EXPECT_TRUE(fLoad(l, good + R"( bonuses="0")"));
    EXPECT_FALSE(l.fLoad(pugi::xml_node())) << "no settings";
    EXPECT_FALSE(fLoad(l, R"(elSize="30 30" grid="10 10" block="-5 5" shiftBlock="-4 -4" position="1 1" bonuses="0")"));
    EXPECT_FALSE(fLoad(l, R"(elSize="30 30" grid="0 10" block="5 5" shiftBlock="-4 -4" position="1 1" bonuses="0")"));
    EXPECT_FALSE(fLoad(l, R"(elSize="30 30" grid="10 -2" block="5 5" shiftBlock="-4 -4" position="1 1" bonuses="0")"));
    EXPECT_FALSE(game::GG_ERROR::fText().empty());
    for (const char* size : {"0 30", "30 -2", "30", "nan 30"}) {
        game::GG_ERROR::fClear();
        const std::string settings = std::string("elSize=\"") + size +
                                     R"(" grid="10 10" block="5 5" shiftBlock="-4 -4" position="1 1" bonuses="0")";
        EXPECT_FALSE(fLoad(l, settings)) << "cell size " << size;
        EXPECT_EQ(game::GG_ERROR::fText(), "Level cell size is not positive");
    }

    pugi::xml_document noSprite;
    ASSERT_TRUE(noSprite.load_string(
        ("<settings " + good + R"( bonuses="0"><block/><selection/><selection_yes/></settings>)").c_str()));
    EXPECT_FALSE(l.fLoad(noSprite.child("settings"))) << "selection_no missing";
}

// Settings that once reached undefined conversions or overflow: a cell
// height of 1e10, a centre at 1e38, a block shift of INT_MAX. Each is refused
// with the error text set; so are their neighbours in kind.
TEST(GG_BOARD_LAYOUT, NumbersBeyondAnyBoardAreRefused) {
    for (const char* name : {"level-elsize.xml", "level-position.xml", "level-shift.xml"}) {
        SCOPED_TRACE(name);
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string(testsupport::fFinding(name).c_str()));
        GG_BOARD_LAYOUT l;
        game::GG_ERROR::fClear();
        EXPECT_FALSE(l.fLoad(doc.child("l").child("settings")));
        EXPECT_EQ(game::GG_ERROR::fText(), "Level settings hold a number out of range");
    }
    const char* hostile[] = {
        R"(elSize="0 30" grid="2 2" block="0 0" shiftBlock="0 0" position="0 0" bonuses="0")",
        R"(elSize="nan 30" grid="2 2" block="0 0" shiftBlock="0 0" position="0 0" bonuses="0")",
        R"(elSize="30 30" grid="2 99999999999" block="0 0" shiftBlock="0 0" position="0 0" bonuses="0")",
        R"(elSize="30 30" grid="2 2" block="2147483647 0" shiftBlock="0 0" position="0 0" bonuses="0")",
        R"(elSize="30 30" grid="2 2" block="0 0" shiftBlock="0 -2147483648" position="0 0" bonuses="0")",
        R"(elSize="30 30" grid="2 2" block="0 0" shiftBlock="0 0" position="-inf 0" bonuses="0")",
    };
    for (const char* attributes : hostile) {
        SCOPED_TRACE(attributes);
        GG_BOARD_LAYOUT l;
        EXPECT_FALSE(fLoad(l, attributes));
    }
    GG_BOARD_LAYOUT largest;
    EXPECT_TRUE(fLoad(largest, R"(elSize="4096 4096" grid="1024 1024" block="1 1" shiftBlock="-4096 4096" )"
                               R"(position="1e6 -1e6" bonuses="0")"));
    EXPECT_EQ(largest.mWidth, 4096 * 1024 + 1025 * 4096);
}
