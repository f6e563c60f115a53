#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "BoardFixture.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "game/board/GG_NUMBERS.h"
#include "game/product/GG_ERROR.h"

using game::GG_CLUE;
using game::GG_NUMBERS;

namespace {

struct Placed {
    int length, x, y;
    bool operator==(const Placed&) const = default;
};

std::vector<Placed> fWalk(const GG_NUMBERS& view) {
    std::vector<Placed> out;
    view.fWalk([&](GG_CLUE& clue, int32_t x, int32_t y) { out.push_back({clue.mLength, x, y}); });
    return out;
}

}  // namespace

TEST(GG_NUMBERS, ReadsItsAttributesAndNeedsEveryOne) {
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(boardtest::kNUMBERS));
    GG_NUMBERS left(true);
    ASSERT_TRUE(left.fLoad(doc.document_element().child("numbersLeft"), -4, 30, 10, 5));
    EXPECT_TRUE(left.fIsRowView());
    EXPECT_EQ(left.fGetFontName(), "clues");
    EXPECT_EQ(left.fGetColor().fGetARGB(), 0xFF102030u);
    EXPECT_EQ(left.fGetCrossColor().fGetARGB(), 0x80A0A0A0u);
    EXPECT_EQ(left.fGetInterval(), 18);
    EXPECT_FLOAT_EQ(left.fGetShiftFirst().x, 20.0f);

    for (const char* missing : {"font", "font_color", "font_cross", "interval", "shift_first"}) {
        pugi::xml_document copy;
        copy.reset(doc);
        copy.document_element().child("numbersUp").remove_attribute(missing);
        GG_NUMBERS up(false);
        EXPECT_FALSE(up.fLoad(copy.document_element().child("numbersUp"), -4, 30, 10, 5)) << missing;
    }
    EXPECT_FALSE(GG_NUMBERS(false).fLoad(pugi::xml_node(), 0, 0, 0, 0));
}

TEST(GG_NUMBERS, NumbersRunOutwardsAndFollowTheBlockShift) {
    // Three rows and three columns, blocks of 2 with a 4-pixel gap, cells 30.
    game::GG_CELL_LIST cells = boardtest::fCells({"#.#", "...", "##."});
    game::GG_NUMBERCROSS model;
    model.fInit(&cells, 3, 3);

    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(boardtest::kNUMBERS));
    GG_NUMBERS left(true);
    ASSERT_TRUE(left.fLoad(doc.document_element().child("numbersLeft"), -4, 30, 3, 2));
    left.fSetOrigin(100, 200);
    EXPECT_TRUE(fWalk(left).empty()) << "nothing before the lines are set";
    left.fSetLines(&model.fGetRows());
    // x0 = 100 - 20, y = 200 + half a cell, + 4 before rows 0 and 2; last clue nearest the board.
    EXPECT_EQ(fWalk(left), (std::vector<Placed>{{1, 80, 219}, {1, 62, 219}, {0, 80, 249}, {2, 80, 283}}));

    GG_NUMBERS up(false);
    ASSERT_TRUE(up.fLoad(doc.document_element().child("numbersUp"), -4, 30, 3, 2));
    up.fSetOrigin(100, 200);
    up.fSetLines(&model.fGetColumns());
    // x = 100 + half a cell (+4 before columns 0 and 2), y0 = 200 - 12, interval 16.
    EXPECT_EQ(fWalk(up), (std::vector<Placed>{{1, 119, 188}, {1, 119, 172}, {1, 149, 188}, {1, 183, 188}}));

    GG_NUMBERS noBlocks(true);
    ASSERT_TRUE(noBlocks.fLoad(doc.document_element().child("numbersLeft"), -4, 30, 3, 0));
    noBlocks.fSetOrigin(100, 200);
    noBlocks.fSetLines(&model.fGetRows());
    EXPECT_EQ(fWalk(noBlocks).back(), (Placed{2, 80, 275}));
}

TEST(GG_NUMBERS, IntervalsAndShiftsBeyondAnyBoardAreRefused) {
    const std::pair<const char*, const char*> hostile[] = {
        {"interval", "2147483647"}, {"interval", "-5000"}, {"shift_first", "1e38 0"}, {"shift_first", "0 -inf"}};
    for (const auto& [name, value] : hostile) {
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string(boardtest::kNUMBERS));
        doc.document_element().child("numbersUp").attribute(name).set_value(value);
        GG_NUMBERS up(false);
        game::GG_ERROR::fClear();
        EXPECT_FALSE(up.fLoad(doc.document_element().child("numbersUp"), -4, 30, 10, 5)) << name << "=" << value;
        EXPECT_EQ(game::GG_ERROR::fText(), "Level numbers hold a number out of range");
    }
}
