#include "tools/lib/BoardStyle.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cmath>
#include <string>

using tools::BoardStyle;
using tools::LevelSource;

namespace {

const char* kStyle = "; design\n"
                     "elSize = 30 30\nblock = 5 5\nshiftBlock = -4 -4\ncentre = 512 392\near = 150\nclue_step = 18\n"
                     "tile = g tile.png\nselection = g sel.png\nselection_yes = g yes.png\nselection_no = g no.png\n";

LevelSource fLevel(const std::string& text) {
    LevelSource level;
    std::string error;
    EXPECT_TRUE(level.fParse(text, error)) << error;
    return level;
}

}  // namespace

TEST(BoardStyleTest, ReadsTheDesignAndRefusesGaps) {
    BoardStyle style;
    std::string error;
    ASSERT_TRUE(style.fParse(kStyle, error)) << error;
    EXPECT_EQ(style.mCellW, 30);
    EXPECT_EQ(style.mShiftX, -4);
    EXPECT_EQ(style.mTile, "g tile.png");

    std::string missing = kStyle;
    missing.replace(missing.find("block = 5 5"), 11, "");
    EXPECT_FALSE(BoardStyle().fParse(missing, error));
    EXPECT_NE(error.find("block"), std::string::npos);
    EXPECT_FALSE(BoardStyle().fParse("elSize = 0 30\n", error));
    EXPECT_FALSE(BoardStyle().fParse("just words\n", error));
}

TEST(BoardStyleTest, BoardSizeFollowsBlocksAndGaps) {
    BoardStyle style;
    std::string error;
    ASSERT_TRUE(style.fParse(kStyle, error));
    // Two blocks of five 30-pixel cells and three 4-pixel gaps.
    EXPECT_EQ(style.fBoardWidth(10), 312);
    // A short last block still takes a whole block.
    EXPECT_EQ(style.fBoardWidth(7), 312);
    EXPECT_EQ(style.fBoardHeight(5), 158);
}

TEST(BoardStyleTest, RefusesBoardsThatDoNotFit) {
    BoardStyle style;
    std::string error;
    ASSERT_TRUE(style.fParse(kStyle, error));
    EXPECT_TRUE(style.fCheckFits(fLevel("#.#.#\n#####\n"), error)) << error;
    // Nine runs in a row need more strip than 150 / 18 numbers.
    EXPECT_FALSE(style.fCheckFits(fLevel("#.#.#.#.#.#.#.#.#\n"), error));
    EXPECT_NE(error.find("clues"), std::string::npos);
    // Thirty rows of 30-pixel cells are taller than the screen.
    std::string tall;
    for (int i = 0; i < 30; ++i) tall += "#\n";
    EXPECT_FALSE(style.fCheckFits(fLevel(tall), error));
}

TEST(BoardStyleTest, WritesALevelFileTheBoardCanRead) {
    BoardStyle style;
    std::string error;
    ASSERT_TRUE(style.fParse(kStyle, error));
    const LevelSource level = fLevel("name: Plus\nbonuses: 1\n.#.\n###\n.#+\n");
    const std::string xml = style.fWriteLevel(level);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(xml.c_str()));
    const pugi::xml_node root = doc.document_element();
    const pugi::xml_node settings = root.child("settings");
    ASSERT_TRUE(settings);
    EXPECT_STREQ(settings.attribute("elSize").value(), "30 30");
    EXPECT_STREQ(settings.attribute("grid").value(), "3 3");
    EXPECT_STREQ(settings.attribute("block").value(), "5 5");
    EXPECT_STREQ(settings.attribute("shiftBlock").value(), "-4 -4");
    EXPECT_STREQ(settings.attribute("position").value(), "587 467");
    EXPECT_STREQ(settings.attribute("bonuses").value(), "1");
    // The tile covers a block and its margins: 5 x 30 + 2 x 4.
    EXPECT_STREQ(settings.child("block").child_value("SIZE"), "158 158");
    EXPECT_STREQ(settings.child("block").child_value("FILE"), "g tile.png");
    for (const char* sprite : {"selection", "selection_yes", "selection_no"})
        EXPECT_TRUE(settings.child(sprite).child("FILE")) << sprite;
    std::vector<std::string> types;
    for (pugi::xml_node c : root.child("gElements").children()) types.push_back(c.attribute("type").value());
    EXPECT_EQ(types, (std::vector<std::string>{"101", "100", "101", "100", "100", "100", "101", "100", "103"}));
}

TEST(BoardStyleTest, BoardsTakeTheLargestCellsTheirPacksAreaHolds) {
    BoardStyle style;
    std::string error;
    const std::string areas = std::string(kStyle) +
                              "tile_fives = g fives.png\narea = 150 30 875 755\narea.first = 150 172 875 755\n";
    ASSERT_TRUE(style.fParse(areas, error)) << error;
    const LevelSource small = fLevel("#.#.#\n#####\n#.#.#\n#####\n#.#.#\n");
    std::string big;
    for (int r = 0; r < 15; ++r) big += std::string(15, r % 2 ? '#' : '.').replace(0, 1, "#") + "\n";
    const LevelSource large = fLevel(big);

    // 5 x 5 in the whole area: strips and board fill 725 pixels, at most.
    const BoardStyle five = style.fSizedFor(small, "other");
    EXPECT_LE(150 + five.fBoardWidth(5), 725);
    BoardStyle bigger = five;
    bigger.mCellW = bigger.mCellH = five.mCellW + 1;
    EXPECT_GT(150 + bigger.fBoardWidth(5), 725 - 12) << "no larger cell fits";
    EXPECT_GT(five.mCellW, 100.0f);
    // Gaps grow with the cells, as the tile is stretched.
    EXPECT_EQ(five.mShiftX, int(std::lround(-4 * five.mCellW / 30)));
    EXPECT_EQ(five.mTile, "g tile.png");
    EXPECT_TRUE(five.fCheckFits(small, error)) << error;

    // The first pack leaves the band above its area free.
    const BoardStyle first = style.fSizedFor(small, "first");
    EXPECT_LT(first.mCellW, five.mCellW);
    float x = 0, y = 0;
    first.fPosition(5, 5, x, y);
    EXPECT_GE(y - first.fBoardHeight(5) * 0.5f - 150, 172.0f);
    EXPECT_LE(y + first.fBoardHeight(5) * 0.5f, 755.0f);
    EXPECT_EQ(int(x - first.fBoardWidth(5) * 0.5f), x - first.fBoardWidth(5) * 0.5f) << "the corner on a whole pixel";

    // Boards over ten cells mark their blocks of five; the design cell stays
    // the smallest for boards that fit it.
    const BoardStyle fifteen = style.fSizedFor(large, "other");
    EXPECT_EQ(fifteen.mTile, "g fives.png");
    EXPECT_GE(fifteen.mCellW, 30.0f);
    const std::string xml = fifteen.fWriteLevel(large);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(xml.c_str()));
    const pugi::xml_node settings = doc.child("level").child("settings");
    const std::string cell = std::to_string(int(fifteen.mCellW));
    EXPECT_EQ(settings.attribute("elSize").value(), cell + " " + cell);
    EXPECT_EQ(std::string(settings.child("selection_yes").child_value("SIZE")), cell + " " + cell);

    // Without an area every board keeps the design.
    BoardStyle plain;
    ASSERT_TRUE(plain.fParse(kStyle, error));
    EXPECT_EQ(plain.fSizedFor(small, "other").mCellW, 30.0f);
    EXPECT_FALSE(BoardStyle().fParse(std::string(kStyle) + "area = 10 10 5 5\n", error));
}
