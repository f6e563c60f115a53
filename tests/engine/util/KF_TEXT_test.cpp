#include "engine/util/KF_TEXT.h"

#include <gtest/gtest.h>

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
