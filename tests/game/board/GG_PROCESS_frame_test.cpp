// A level of the default content drawn headless: the built Resources are
// mounted as the game mounts them, the board loads a level with its clues,
// some cells are opened, and the frame is read back and saved as PNG.
#include <gtest/gtest.h>

#include <memory>

#include <pugixml.hpp>

#include "BoardScreenTest.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"

using GG_PROCESS_FRAME = boardtest::BoardScreenTest;

TEST_F(GG_PROCESS_FRAME, DefaultLevelDrawsItsBoardAndClues) {
    ASSERT_TRUE(fOpenBoard());
    game::GG_BOARD_LAYOUT layout;
    game::GG_PROCESS board;
    ASSERT_TRUE(fLoadLevel("data/share/levels/pack0 level01.xml", layout, board));
    board.fLoadResources(&mFonts);
    layout.mBlockSprite.fReloadTexture();

    // Open the top row (empty cells crossed, full ones filled) and one wrong cell.
    for (int c = 0; c < layout.mGrid.x; ++c) {
        game::GG_ELEMENT* cell = board.fGetCell(0, c);
        board.fRevealCell(*cell, cell->fIsFull(), board.mRevealStep * float(c));
    }
    board.fRevealCell(*board.fGetCell(2, 2), false, 0.0f);
    KEL::kfFRAME_DELTA = 1.0f / 30.0f;
    for (int frame = 0; frame < 30; ++frame) board.fUpdate();

    ASSERT_TRUE(fScreen().fBeginFrame());
    // The block tiles under the cells, one per block.
    for (int by = 0; by < layout.mBlocks.y; ++by)
        for (int bx = 0; bx < layout.mBlocks.x; ++bx) {
            layout.mBlockSprite.fGetTransform()->fSetPos(
                layout.mOrigin.x + float(bx) * (layout.mBlockSprite.fGetWidth() + float(layout.mShiftBlock.x)),
                layout.mOrigin.y + float(by) * (layout.mBlockSprite.fGetHeight() + float(layout.mShiftBlock.y)), 0.0f);
            layout.mBlockSprite.fDrawWith();
        }
    board.fDraw();
    board.fDraw();  // the second frame draws the marks spawned by the first
    ASSERT_TRUE(fScreen().fShoot("board_frame.png"));

    // A filled cell is blue, a closed cell shows the paper tile, the clue
    // strip left of row 1 holds dark ink.
    const game::GG_ELEMENT* filled = board.fGetCell(0, 1);
    const game::GG_ELEMENT* closed = board.fGetCell(4, 0);
    const uint32_t blue = fScreen().fPixel(int(filled->fGetPosition().x), int(filled->fGetPosition().y));
    const uint32_t paper = fScreen().fPixel(int(closed->fGetPosition().x), int(closed->fGetPosition().y));
    EXPECT_GT(blue & 0xFF, (blue >> 16) & 0xFF) << std::hex << blue << " is not a blue fill";
    EXPECT_GT((paper >> 16) & 0xFF, 0xD0u) << std::hex << paper << " is not paper";
    bool ink = false;
    const int rowY = int(board.fGetCell(1, 0)->fGetPosition().y);
    for (int x = int(layout.mOrigin.x) - 40; x < int(layout.mOrigin.x) && !ink; ++x)
        for (int y = rowY - 8; y <= rowY + 8 && !ink; ++y) ink = (fScreen().fPixel(x, y) & 0xFF) < 0x80;
    EXPECT_TRUE(ink) << "no clue number left of row 1";

    EXPECT_EQ(board.fGetLeftView().fGetMarks().size(), 2u) << "both clues of the settled top row";
    EXPECT_TRUE(board.fGetUpView().fGetMarks().empty());

    board.fReleaseResources();
    layout.mBlockSprite.fUnloadTexture();
}
