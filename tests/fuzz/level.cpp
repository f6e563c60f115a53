// Fuzzes level files: the settings' geometry, the cells and the clue numbers
// (the input's own "numbers" element, else the game's layout of them), then
// plays the board a little: revealing cells and stepping its effects.
#include <cstdint>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_RANDOM.h"
#include "game/board/GG_BOARD_LAYOUT.h"
#include "game/board/GG_PROCESS.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {
constexpr const char* kNUMBERS = R"(<numbers>
  <numbersLeft font="clue" font_color="FF102030" font_cross="80A0A0A0" interval="18" shift_first="20 15"/>
  <numbersUp font="clue" font_color="FF102030" font_cross="80A0A0A0" interval="18" shift_first="15 20"/>
</numbers>)";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::fScene();
    static KEL::KC_RANDOM random(1);
    KEL::kcRANDOM = &random;
    pugi::xml_document document;
    if (!fuzzsupport::fParse(data, size, document)) return 0;
    const pugi::xml_node level = document.document_element();
    game::GG_BOARD_LAYOUT layout;
    if (!layout.fLoad(level.child("settings"))) return 0;
    pugi::xml_document defaults;
    defaults.load_string(kNUMBERS);
    const pugi::xml_node numbers = level.child("numbers") ? level.child("numbers") : defaults.child("numbers");
    game::GG_PROCESS board;
    board.fReadEffects(level.child("effects"), layout);
    if (!board.fLoad(level.child("gElements"), &layout, numbers)) return 0;
    board.fGetProgress();
    int32_t opened = 0;
    for (int32_t row = 0; row < layout.mGrid.y && opened < 64; ++row)
        for (int32_t column = 0; column < layout.mGrid.x && opened < 64; ++column, ++opened)
            if (game::GG_ELEMENT* cell = board.fGetCell(row, column))
                board.fRevealCell(*cell, (row + column) % 2 == 0, -1.0f);
    KEL::kfFRAME_DELTA = 0.05f;
    fuzzsupport::fBeginFrame();
    for (int i = 0; i < 4; ++i) {
        board.fUpdate();
        board.fDraw();
    }
    fuzzsupport::fEndFrame();
    board.fRevealAllFull();
    board.fUpdate();
    return 0;
}
