// Fuzzes the board frame reader (border, ears, highlight bars, error panel
// and score) against a fixed board layout, then counts errors and score.
#include <cstdint>

#include "game/board/GG_AMBIENT.h"
#include "game/board/GG_BOARD_LAYOUT.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {
game::GG_BOARD_LAYOUT& fLayout() {
    static game::GG_BOARD_LAYOUT* layout = [] {
        static pugi::xml_document level;
        level.load_string(
            "<settings elSize='28 28' grid='12 7' block='5 5' shiftBlock='-3 -3' position='500 400' bonuses='0'>"
            "<block/><selection/><selection_yes/><selection_no/></settings>");
        auto* made = new game::GG_BOARD_LAYOUT;
        made->fLoad(level.document_element());
        return made;
    }();
    return *layout;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::fScene();
    pugi::xml_document document;
    if (!fuzzsupport::fParse(data, size, document)) return 0;
    game::GG_AMBIENT ambient;
    if (!ambient.fLoad(&fLayout(), document.document_element())) return 0;
    ambient.fSetErrorLimit(3);
    for (int i = 0; i < 4; ++i) ambient.fAddError();
    ambient.fShowHighlight(true);
    ambient.fReset();
    return 0;
}
