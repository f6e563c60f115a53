#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include <pugixml.hpp>

#include "game/profile/GG_PLAYER.h"
#include "game/profile/GG_SAVE_LAYOUT.h"

// Players with every field set, and ways to compare and store them.
namespace playertest {

inline std::string fPlayerXml(const std::string& name, int seed) {
    const std::string s = std::to_string(seed);
    std::string text = "<player name=\"" + name + "\" sound_volume=\"1" + s + ".5\" music_volume=\"2" + s +
                       "\" passed_tutorial=\"true\" game_cursor=\"false\"><playeritems>"
                       "<item name=\"errors\" count=\"4\"/><item name=\"health\" count=\"" +
                       std::to_string(5 + seed) + "\"/><item name=\"start_hint\" count=\"" + s +
                       "\"/></playeritems><packs>";
    for (int pack = 0; pack < 3; ++pack) {
        text += "<pack id=\"" + std::to_string(pack) + "\"";
        if (pack > 0)
            text += " lock=\"" + std::to_string(pack % 2) + "\" InAppKey=\"pack_" + std::to_string(pack) + "\"";
        text += ">";
        for (int level = 1; level <= 4; ++level)
            text += "<level id=\"" + std::to_string(level) + "\" stars=\"" + std::to_string((level + seed) % 4) +
                    "\" lock=\"" + std::to_string(level > 2) + "\" best_time=\"" + std::to_string(level * 10 + seed) +
                    ".25\" file=\"level0" + std::to_string(level) + ".xml\"/>";
        text += "</pack>";
    }
    text += "</packs><health increment=\"0\" count=\"" + std::to_string(5 + seed) +
            "\" countdown=\"0\" time_refill_heart=\"600\"/>"
            "<statisctic health=\"1\" score=\"" +
            std::to_string(1000 * seed + 7) +
            "\" max_score=\"99999\" hint_use=\"3\" without_hint_max=\"4\" without_hint=\"5\" without_error_max=\"6\""
            " without_error=\"7\" bad_level_max=\"8\" bad_level=\"9\" min_level_time=\"12.5\"/></player>";
    return text;
}

// A player with every field set; two hearts spent so the refill queue holds
// two starts and a countdown runs.
inline std::unique_ptr<game::GG_PLAYER> fFullPlayer(const std::string& name, int seed,
                                                    const game::GG_SAVE_LAYOUT& layout) {
    pugi::xml_document document;
    document.load_string(fPlayerXml(name, seed).c_str());
    auto player = std::make_unique<game::GG_PLAYER>(layout);
    player->fLoadXml(document.document_element());
    player->fGetHealth().fUseHeart();
    player->fGetHealth().fUseHeart();
    return player;
}

// Everything the player holds, as text: the XML form plus what it leaves out.
inline std::string fDump(const game::GG_PLAYER& player) {
    pugi::xml_document document;
    pugi::xml_node node = document.append_child("player");
    player.fSaveXml(node);
    std::ostringstream text;
    document.save(text, "", pugi::format_raw);
    const game::GG_HEALTH& h = player.fGetHealth();
    text << " increment=" << int(h.fGetIncrement()) << " countdown=" << h.fGetCountdown() << " queue=";
    for (int32_t start : h.fGetQueue()) text << start << ",";
    return text.str();
}

inline std::string fReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void fWriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace playertest
