// A press's cells opened through the board's one road: judged in path
// order, each given its reveal sound and a later reveal time, then the win
// checked; opening every full cell goes the same way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <pugixml.hpp>

#include "BoardFixture.h"
#include "game/board/GG_PROCESS.h"

using game::GG_ELEMENT;
using game::GG_PROCESS;

namespace {

struct Judge : GG_PROCESS::cJudge {
    void fOnCellRight(GG_ELEMENT& cell) override { mLog += "R" + fName(cell); }
    void fOnCellWrong(GG_ELEMENT& cell) override { mLog += "W" + fName(cell); }
    void fCheckWin() override { mLog += "| "; }
    static std::string fName(const GG_ELEMENT& cell) {
        return std::to_string(cell.fGetRow()) + std::to_string(cell.fGetColumn()) + " ";
    }
    std::string mLog;
};

struct Board {
    explicit Board(const std::vector<std::string>& rows) {
        const std::string settings = R"(elSize="30 30" grid=")" + std::to_string(rows[0].size()) + " " +
                                     std::to_string(rows.size()) +
                                     R"(" block="5 5" shiftBlock="-4 -4" position="400 300" bonuses="0")";
        EXPECT_TRUE(doc.load_string(boardtest::fLevel(settings, rows).c_str()));
        EXPECT_TRUE(numbers.load_string(boardtest::kNUMBERS));
        EXPECT_TRUE(layout.fLoad(doc.document_element().child("settings")));
        EXPECT_TRUE(board.fLoad(doc.document_element().child("gElements"), &layout, numbers.document_element()));
        board.mJudge = &judge;
    }
    pugi::xml_document doc;
    pugi::xml_document numbers;
    game::GG_BOARD_LAYOUT layout;
    GG_PROCESS board;
    Judge judge;
};

}  // namespace

TEST(GG_PROCESS_CLICK, APathIsJudgedInOrderThenTheWinIsChecked) {
    Board b({"#.#x#"});
    b.board.fOnClick(0, 4, 0, 0, true);
    EXPECT_EQ(b.judge.mLog, "R04 R02 W01 R00 | ") << "from the press cell on; the fixed cell is skipped";
    EXPECT_EQ(b.board.fGetCell(0, 4)->mRevealSound, "fulltileclick");
    EXPECT_EQ(b.board.fGetCell(0, 1)->mRevealSound, "errorclick");
    b.judge.mLog.clear();
    b.board.fOnClick(0, 0, 0, 4, false);
    EXPECT_EQ(b.judge.mLog, "| ") << "open cells are not judged again";
}

TEST(GG_PROCESS_CLICK, LaterCellsOfAPathWaitOneStepMoreEachAndSkippedCellsTakeNoStep) {
    Board b({"....", "#..."});
    b.board.mRevealStep = 0.1f;
    b.board.fOnClick(0, 1, 0, 1, false);
    b.board.fOnClick(0, 0, 0, 3, false);
    EXPECT_FLOAT_EQ(b.board.fGetCell(0, 0)->fGetRevealDelay(), 0.0f);
    EXPECT_FLOAT_EQ(b.board.fGetCell(0, 2)->fGetRevealDelay(), 0.1f) << "the open cell took no step";
    EXPECT_FLOAT_EQ(b.board.fGetCell(0, 3)->fGetRevealDelay(), 0.2f);
    EXPECT_EQ(b.board.fGetCell(0, 3)->mRevealSound, "emptytileclick");
    EXPECT_TRUE(b.board.fGetCell(0, 3)->fIsRevealed()) << "revealed at once, shown later";
    EXPECT_TRUE(b.board.fGetCell(0, 3)->fIsWaiting());
}

TEST(GG_PROCESS_CLICK, OpeningEveryFullCellJudgesEachAsAFillPress) {
    Board b({"##.", ".#."});
    b.board.fOnClick(1, 1, 1, 1, true);
    b.judge.mLog.clear();
    b.board.fRevealAllFull();
    EXPECT_EQ(b.judge.mLog, "R00 | R01 | ");
    EXPECT_DOUBLE_EQ(b.board.fGetProgress(), 1.0);
    EXPECT_FALSE(b.board.fGetCell(0, 2)->fIsRevealed());
}
