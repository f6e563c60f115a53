#include "tools/lib/LevelSource.h"

#include <gtest/gtest.h>

#include <string>

using tools::LevelSource;

namespace {

std::string fCheck(const std::string& text) {
    LevelSource level;
    std::string error;
    if (!level.fParse(text, error)) return "parse: " + error;
    if (!level.fCheck(error)) return "check: " + error;
    return "ok";
}

}  // namespace

TEST(LevelSourceTest, ReadsHeaderAndGrid) {
    LevelSource level;
    std::string error;
    ASSERT_TRUE(level.fParse("; a comment\nname: Cup\nbonuses: 2\n\n##+\n.#.\n", error)) << error;
    EXPECT_EQ(level.mName, "Cup");
    EXPECT_EQ(level.mBonuses, 2);
    EXPECT_EQ(level.mWidth, 3);
    EXPECT_EQ(level.mHeight, 2);
    EXPECT_EQ(level.mTypes, (std::vector<int>{100, 100, 103, 101, 100, 101}));
    EXPECT_EQ(level.fCountFull(), 3);
}

TEST(LevelSourceTest, RefusesMalformedSources) {
    EXPECT_EQ(fCheck("##.\n#.\n").substr(0, 6), "parse:");         // ragged rows
    EXPECT_EQ(fCheck("#o#\n").substr(0, 6), "parse:");             // unknown cell
    EXPECT_EQ(fCheck("colour: red\n#\n").substr(0, 6), "parse:");  // unknown key
    EXPECT_EQ(fCheck("bonuses: -1\n#\n").substr(0, 6), "parse:");
    EXPECT_EQ(fCheck("bonuses: x\n#\n").substr(0, 6), "parse:");
    EXPECT_EQ(fCheck("name: empty\n").substr(0, 6), "parse:");    // no grid
    EXPECT_EQ(fCheck("##\n\n##\n").substr(0, 6), "parse:");       // two grids
    EXPECT_EQ(fCheck("#\nname: late\n").substr(0, 6), "parse:");  // header after grid
}

TEST(LevelSourceTest, RefusesLevelsThePlayerCannotFinishFairly) {
    EXPECT_EQ(fCheck("...\n...\n"), "check: no full cell");
    EXPECT_NE(fCheck("bonuses: 3\n##.\n...\n").find("2 full cells"), std::string::npos);
    EXPECT_NE(fCheck("#.\n.#\n").find("more than one solution"), std::string::npos);
    EXPECT_NE(fCheck("#....\n#...#\n...##\n..###\n.#...\n").find("needs guessing"), std::string::npos);
    EXPECT_EQ(fCheck("bonuses: 2\n.#.\n###\n.#.\n"), "ok");
}

TEST(LevelSourceTest, FixedCellsAreKnownFromTheStart) {
    // Ambiguous as a diagonal, but a fixed cell settles it.
    EXPECT_NE(fCheck("#.\n.#\n").find("more than one"), std::string::npos);
    EXPECT_EQ(fCheck("#+\n.#\n"), "ok");
}
