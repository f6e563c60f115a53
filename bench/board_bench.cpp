// Loads and lays out a 20 x 20 level, draws it, then reveals every cell in
// random order with the clue crossing updated after each reveal. Prints the
// load time in milliseconds, the time per reveal in microseconds and the
// time to draw the opened board (cells, on the recording renderer).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_RANDOM.h"
#include "engine/render/KC_RENDER.h"
#include "game/board/GG_BOARD_LAYOUT.h"
#include "game/board/GG_PROCESS.h"
#include "host/recording/RecordingDevice.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string fLevelText(std::mt19937& random) {
    std::string xml =
        "<level><settings elSize=\"28 28\" grid=\"20 20\" block=\"5 5\" shiftBlock=\"-3 -3\" position=\"600 450\" "
        "bonuses=\"3\"><block/><selection/><selection_yes/><selection_no/></settings><gElements>";
    std::bernoulli_distribution full(0.55);
    for (int i = 0; i < 400; ++i) xml += full(random) ? "<c type=\"100\"/>" : "<c type=\"101\"/>";
    return xml + "</gElements></level>";
}

const char* const kNUMBERS =
    "<numbers>"
    "<numbersLeft font=\"clues\" font_color=\"FF000000\" font_cross=\"FF808080\" interval=\"16\" shift_first=\"14 14\"/>"
    "<numbersUp font=\"clues\" font_color=\"FF000000\" font_cross=\"FF808080\" interval=\"16\" shift_first=\"14 14\"/>"
    "</numbers>";

}  // namespace

int main() {
    constexpr int kRUNS = 200;
    KEL::KC_RANDOM engineRandom(0);
    KEL::KC_RENDER render;
    render.fSetDevice(new host::RecordingDevice);
    if (render.fInit(nullptr, 0.1f, 0.0f) != 1) return 1;
    KEL::kcRENDER = &render;
    double drawSeconds = 0.0;
    std::mt19937 random(20);
    double loadSeconds = 0.0;
    double revealSeconds = 0.0;
    long reveals = 0;
    pugi::xml_document numbers;
    numbers.load_string(kNUMBERS);
    for (int run = 0; run < kRUNS; ++run) {
        const std::string text = fLevelText(random);
        const auto loadStart = Clock::now();
        pugi::xml_document doc;
        if (!doc.load_string(text.c_str())) return 1;
        game::GG_BOARD_LAYOUT layout;
        game::GG_PROCESS board;
        if (!layout.fLoad(doc.document_element().child("settings"))) return 1;
        if (!board.fLoad(doc.document_element().child("gElements"), &layout, numbers.document_element())) return 1;
        loadSeconds += std::chrono::duration<double>(Clock::now() - loadStart).count();

        std::vector<game::GG_ELEMENT*> order;
        for (const auto& cell : board.fGetCells()) order.push_back(cell.get());
        std::shuffle(order.begin(), order.end(), random);
        const auto revealStart = Clock::now();
        for (game::GG_ELEMENT* cell : order) board.fRevealCell(*cell, cell->fIsFull(), 0.0f);
        revealSeconds += std::chrono::duration<double>(Clock::now() - revealStart).count();
        reveals += static_cast<long>(order.size());
        if (board.fGetProgress() != 1.0) return 1;

        board.fLoadResources(nullptr);
        const auto drawStart = Clock::now();
        render.fBeginFrame();
        board.fDraw();
        render.fEndFrame();
        drawSeconds += std::chrono::duration<double>(Clock::now() - drawStart).count();
        board.fReleaseResources();
    }
    KEL::kcRENDER = nullptr;
    std::printf("20 x 20 level: load and layout %.3f ms, reveal with crossing %.2f us per cell, "
                "draw of the opened board %.3f ms (%d runs)\n",
                loadSeconds * 1000.0 / kRUNS, revealSeconds * 1e6 / static_cast<double>(reveals),
                drawSeconds * 1000.0 / kRUNS, kRUNS);
    return 0;
}
