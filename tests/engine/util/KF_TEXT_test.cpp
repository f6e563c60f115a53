#include "engine/util/KF_TEXT.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>

using namespace KEL;
using Pieces = std::vector<std::string>;

TEST(KF_TEXT, SplitKeepsEmptyPiecesButNoEmptyLast) {
    EXPECT_EQ(fSplit("a  b", " "), (Pieces{"a", "", "b"}));
    EXPECT_EQ(fSplit("a b ", " "), (Pieces{"a", "b"}));
    EXPECT_EQ(fSplit(" a", " "), (Pieces{"", "a"}));
    EXPECT_EQ(fSplit("a b", " ", false), (Pieces{"a ", "b"}));
    EXPECT_EQ(fSplit("", " "), Pieces{});
    EXPECT_EQ(fSplit("a::b", "::"), (Pieces{"a", "b"}));
    EXPECT_EQ(fSplit("a b", ""), (Pieces{"a b"}));
    Pieces out{"keep"};
    fSplitTo("x y", " ", out);
    EXPECT_EQ(out, (Pieces{"keep", "x", "y"}));
}

TEST(KF_TEXT, ReplaceAndCount) {
    std::string path = "a\\b\\\\c";
    EXPECT_EQ(fToSlashes(path), "a/b//c");
    std::string same = "abc";
    EXPECT_EQ(fReplaceAll(same, "", 'x'), "abc");
    EXPECT_EQ(fReplaceAll(same, "b", 'b'), "abc");  // must not loop
    EXPECT_EQ(fReplaceAll(same, "bc", 'x'), "axc");
    EXPECT_EQ(fCountWords("one two three"), 2);
    EXPECT_EQ(fCountWords(""), 0);
    EXPECT_EQ(fToString(2.5f), "2.5");
    EXPECT_EQ(fToWString(int32_t(-42)), L"-42");
    EXPECT_EQ(fToWString(uint32_t(7)), L"7");
}

// The text forms of points, vectors, colours and transforms read numbers
// through these: a damaged file can hold any text, and the readers must get
// numbers that later arithmetic and conversions can use.
TEST(KF_TEXT, NumbersFromTextStayInRange) {
    EXPECT_EQ(fTextToInt("42 rest"), 42);
    EXPECT_EQ(fTextToInt("-7"), -7);
    EXPECT_EQ(fTextToInt("junk"), 0);
    EXPECT_EQ(fTextToInt("99999999999999999999999"), INT32_MAX);
    EXPECT_EQ(fTextToInt("-4949672951"), INT32_MIN);
    EXPECT_EQ(fTextToFloat("2.5"), 2.5f);
    EXPECT_EQ(fTextToFloat("1e39"), FLT_MAX);
    EXPECT_EQ(fTextToFloat("-inf"), -FLT_MAX);
    EXPECT_EQ(fTextToFloat("nan"), 0.0f);
    EXPECT_EQ(fTextToFloat(""), 0.0f);
}
