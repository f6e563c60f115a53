// The save file under load and under crashes.
//
// 1. Saves and loads 8 players that hold every pack and level record of the
//    default game (4 packs of 12 levels, items, hearts with queued refills,
//    statistics) and prints the milliseconds of each, as the median of 50.
// 2. Crash safety: a child process saves in a loop, each save a new
//    generation of the same players; the parent kills it at a random moment,
//    1,000 times. After each kill the file must load cleanly and hold one
//    whole generation, never a mix. Prints the count of intact loads.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "game/profile/KT_PLAYERS.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string fPlayerXml(int seed) {
    std::string text =
        "<player name=\"player " + std::to_string(seed) +
        "\" sound_volume=\"50\" music_volume=\"60\" passed_tutorial=\"true\" game_cursor=\"true\">"
        "<playeritems><item name=\"errors\" count=\"3\"/><item name=\"health\" count=\"8\"/>"
        "<item name=\"refill_health\" count=\"0\"/><item name=\"refill_hint\" count=\"1\"/>"
        "<item name=\"second_chance\" count=\"1\"/><item name=\"start_hint\" count=\"3\"/></playeritems><packs>";
    for (int pack = 0; pack < 4; ++pack) {
        text += "<pack id=\"" + std::to_string(pack) + "\">";
        for (int level = 1; level <= 12; ++level)
            text += "<level id=\"" + std::to_string(level) + "\" stars=\"" + std::to_string((level + seed) % 4) +
                    "\" lock=\"0\" best_time=\"" + std::to_string(30 + level) + ".5\" file=\"level" +
                    (level < 10 ? "0" : "") + std::to_string(level) + ".xml\"/>";
        text += "</pack>";
    }
    return text + "</packs><health increment=\"0\" count=\"8\" countdown=\"0\" time_refill_heart=\"1800\"/>"
                  "<statisctic health=\"2\" score=\"1234\" max_score=\"5678\" hint_use=\"9\" without_hint_max=\"4\" "
                  "without_hint=\"1\" without_error_max=\"6\" without_error=\"2\" bad_level_max=\"3\" bad_level=\"0\" "
                  "min_level_time=\"41.5\"/></player>";
}

// Eight full players; the generation is written into every score.
void fFill(KEL::KT_PLAYERS& list, int32_t generation) {
    for (int i = 0; i < 8; ++i) {
        pugi::xml_document document;
        document.load_string(fPlayerXml(i).c_str());
        auto player = std::make_unique<game::GG_PLAYER>();
        player->fLoadXml(document.document_element());
        player->fGetHealth().fUseHeart();
        player->fGetHealth().fUseHeart();
        player->fGetStatistic().mScore = generation;
        list.fAddPlayer(std::move(player));
    }
}

double fMedian(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void fTimeSaveAndLoad(const std::string& folder) {
    KEL::KT_PLAYERS list;
    list.fLoad(folder);
    fFill(list, 1);
    std::vector<double> saves, loads;
    for (int run = 0; run < 50; ++run) {
        const auto start = Clock::now();
        if (!list.fSave(folder)) std::printf("save failed\n");
        const auto saved = Clock::now();
        KEL::KT_PLAYERS back;
        if (!back.fLoad(folder) || back.fGetCount() != 8) std::printf("load failed\n");
        const auto loaded = Clock::now();
        saves.push_back(std::chrono::duration<double, std::milli>(saved - start).count());
        loads.push_back(std::chrono::duration<double, std::milli>(loaded - saved).count());
    }
    const auto size = std::filesystem::file_size(folder + "/players.save");
    std::printf("8 players, %zu bytes: save %.3f ms, load %.3f ms (median of 50)\n", size_t(size), fMedian(saves),
                fMedian(loads));
}

[[noreturn]] void fSaveForever(const std::string& folder) {
    KEL::KT_PLAYERS list;
    list.fLoad(folder);
    fFill(list, 0);
    for (int32_t generation = 1;; ++generation) {
        for (const auto& player : list.fGetPlayers()) player->fGetStatistic().mScore = generation;
        list.fSave(folder);
    }
}

// The file loads cleanly and every player carries the same generation,
// which is written to generation; false otherwise.
bool fIntact(const std::string& folder, int32_t& generation) {
    KEL::KT_PLAYERS list;
    if (!list.fLoad(folder) || list.fGetCount() != 8) return false;
    generation = list.fGetPlayers().front()->fGetStatistic().mScore;
    for (const auto& player : list.fGetPlayers())
        if (player->fGetStatistic().mScore != generation || player->fGetPacks().size() != 4) return false;
    return true;
}

void fCrashLoop(const std::string& folder, int kills) {
    {
        KEL::KT_PLAYERS first;
        first.fLoad(folder);
        fFill(first, 0);
        first.fSave(folder);
    }
    std::mt19937 random(12345);
    // The child needs a few milliseconds to start; the kills then fall at
    // random points of its saves.
    std::uniform_int_distribution<int> wait(2000, 20000);
    int intact = 0, newer = 0;
    int32_t last = 0;
    for (int kill = 0; kill < kills; ++kill) {
        const pid_t child = fork();
        if (child == 0) fSaveForever(folder);
        usleep(static_cast<useconds_t>(wait(random)));
        ::kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        int32_t generation = -1;
        if (fIntact(folder, generation)) ++intact;
        if (generation != last) ++newer;
        last = generation;
        std::filesystem::remove(folder + "/players.save.tmp");
    }
    std::printf("crash safety: %d of %d loads intact after a kill (%d found a newer save than the kill before)\n",
                intact, kills, newer);
}

}  // namespace

int main(int argc, char** argv) {
    const int kills = argc > 1 ? std::atoi(argv[1]) : 1000;
    char pattern[] = "/tmp/players_bench_XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) return 1;
    const std::string folder = made;
    fTimeSaveAndLoad(folder);
    fCrashLoop(folder, kills);
    std::filesystem::remove_all(folder);
    return 0;
}
