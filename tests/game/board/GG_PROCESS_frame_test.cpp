// A level of the default content drawn headless: the built Resources are
// mounted as the game mounts them, the board loads a level with its clues,
// some cells are opened, and the frame is read back and saved as PNG.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_RANDOM.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "game/board/GG_PROCESS.h"
#include "host/IWindow.h"
#include "support/TestEnvironment.h"

namespace fs = std::filesystem;

namespace {

const char* const kPASSWORD = "PlumtreeByOakhurst";

// Pixel (x, y) of a read-back frame as 0xRRGGBB.
uint32_t fPixel(const std::vector<uint8_t>& pixels, int32_t width, int x, int y) {
    const uint8_t* p = &pixels[(size_t(y) * width + x) * 4];
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

}  // namespace

TEST(GG_PROCESS_FRAME, DefaultLevelDrawsItsBoardAndClues) {
    const fs::path built = fs::path(NONOGRAM_BINARY_DIR) / "Resources";
    if (!fs::is_directory(built / "data/share/levels")) GTEST_SKIP() << "the default content is not built";
    fs::copy(built, testsupport::TestEnvironment::fRoot() / "Resources", fs::copy_options::recursive);

    std::unique_ptr<host::IWindow> window = host::fMakeWindow();
    ASSERT_TRUE(window->fCreate("board", 1024, 768, false));
    auto render = std::make_unique<KEL::KC_RENDER>();
    ASSERT_EQ(render->fInit(window->fNativeHandle(), 0.1f, 0.0f), 1);
    KEL::kcRENDER = render.get();

    KEL::KC_FILESYSTEM::fGetInstance();
    KEL::KC_REPOSITORY repository;
    KEL::kcREPOSITORY = &repository;
    KEL::KC_RANDOM random(0);
    repository.fLoad("");  // the root holds no files of its own
    ASSERT_EQ(repository.fLoad("data/share/main/other", kPASSWORD), 1);
    for (const char* folder : {"data/share/font", "data/share/main/GameProcess", "data/share/levels/pack0"})
        ASSERT_EQ(repository.fLoad(folder), 1) << folder;

    KEL::KC_FONT_LIST fonts;
    ASSERT_EQ(fonts.fRead("data/share/font fonts.xml"), 1);

    game::GG_BOARD_LAYOUT layout;
    game::GG_PROCESS board;
    pugi::xml_document* effects = repository.fGetXml("data/share/main/GameProcess effects.xml");
    ASSERT_NE(effects, nullptr);
    board.fReadEffects(effects->document_element(), layout);
    repository.fReleaseXml(effects);
    pugi::xml_document* level = repository.fGetXml("data/share/levels/pack0 level01.xml");
    ASSERT_NE(level, nullptr);
    ASSERT_TRUE(layout.fLoad(level->document_element().child("settings")));
    ASSERT_TRUE(board.fLoad(level->document_element().child("gElements"), &layout));
    repository.fReleaseXml(level);
    board.fLoadResources(&fonts);
    layout.mBlockSprite.fReloadTexture();

    // Open the top row (empty cells crossed, full ones filled) and one wrong cell.
    for (int c = 0; c < layout.mGrid.x; ++c) {
        game::GG_ELEMENT* cell = board.fGetCell(0, c);
        board.fRevealCell(*cell, cell->fIsFull(), board.mRevealStep * float(c));
    }
    board.fRevealCell(*board.fGetCell(2, 2), false, 0.0f);
    KEL::kfFRAME_DELTA = 1.0f / 30.0f;
    for (int frame = 0; frame < 30; ++frame) board.fUpdate();

    ASSERT_EQ(render->fBeginFrame(), 1);
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
    render->fFlush();
    std::vector<uint8_t> pixels;
    int32_t width = 0, height = 0;
    ASSERT_TRUE(render->fGetDevice()->fReadBackBuffer(pixels, width, height));
    const fs::path png = testsupport::TestEnvironment::fRoot() / "board.png";
    EXPECT_TRUE(render->fSaveFrame(png.string()));
    render->fEndFrame();
    std::error_code ignored;
    fs::copy_file(png, fs::path(NONOGRAM_BINARY_DIR) / "board_frame.png", fs::copy_options::overwrite_existing, ignored);

    // A filled cell is blue, a closed cell shows the paper tile, the clue
    // strip left of row 1 holds dark ink.
    const game::GG_ELEMENT* filled = board.fGetCell(0, 1);
    const game::GG_ELEMENT* closed = board.fGetCell(4, 0);
    const uint32_t blue = fPixel(pixels, width, int(filled->fGetPosition().x), int(filled->fGetPosition().y));
    const uint32_t paper = fPixel(pixels, width, int(closed->fGetPosition().x), int(closed->fGetPosition().y));
    EXPECT_GT(blue & 0xFF, (blue >> 16) & 0xFF) << std::hex << blue << " is not a blue fill";
    EXPECT_GT((paper >> 16) & 0xFF, 0xD0u) << std::hex << paper << " is not paper";
    bool ink = false;
    const int rowY = int(board.fGetCell(1, 0)->fGetPosition().y);
    for (int x = int(layout.mOrigin.x) - 40; x < int(layout.mOrigin.x) && !ink; ++x)
        for (int y = rowY - 8; y <= rowY + 8 && !ink; ++y) ink = (fPixel(pixels, width, x, y) & 0xFF) < 0x80;
    EXPECT_TRUE(ink) << "no clue number left of row 1";

    EXPECT_EQ(board.fGetLeftView().fGetMarks().size(), 2u) << "both clues of the settled top row";
    EXPECT_TRUE(board.fGetUpView().fGetMarks().empty());

    board.fReleaseResources();
    layout.mBlockSprite.fUnloadTexture();
    fonts.fDeleteAll();
    KEL::kfFRAME_DELTA = 0.0f;
    KEL::kcREPOSITORY = nullptr;
    KEL::kcRENDER = nullptr;
}
