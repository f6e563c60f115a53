#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/board/GG_ELEMENT.h"

namespace boardtest {

// Cells from a picture, one string per row: '#' full, '.' empty, 'x' fixed,
// anything else a cell of an unknown type.
inline game::GG_CELL_LIST fCells(const std::vector<std::string>& rows) {
    game::GG_CELL_LIST cells;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const char k = rows[r][c];
            const int type = k == '#' ? 100 : k == '.' ? 101 : k == 'x' ? 103 : 0;
            cells.push_back(std::make_unique<game::GG_ELEMENT>(type, int(r), int(c)));
        }
    }
    return cells;
}

// A level file: "settings" with the given attributes and the four sprite
// children, and one "gElements" child per picture cell.
inline std::string fLevel(const std::string& settings, const std::vector<std::string>& rows) {
    std::string xml = "<level><settings " + settings +
                      "><block/><selection/><selection_yes/><selection_no/></settings><gElements>";
    for (const std::string& row : rows) {
        for (char k : row) {
            const char* type = k == '#' ? "100" : k == '.' ? "101" : k == 'x' ? "103" : "7";
            xml += std::string("<c type=\"") + type + "\"/>";
        }
    }
    return xml + "</gElements></level>";
}

inline const char* const kNUMBERS =
    "<numbers>"
    "<numbersLeft font=\"clues\" font_color=\"FF102030\" font_cross=\"80A0A0A0\" interval=\"18\" shift_first=\"20 0\"/>"
    "<numbersUp font=\"clues\" font_color=\"FF102030\" font_cross=\"80A0A0A0\" interval=\"16\" shift_first=\"0 12\"/>"
    "</numbers>";

}  // namespace boardtest
