// Fuzzes the players.save reader as a round trip in memory: the input is the
// file, read with each of the layouts an edition may run with; whatever was
// read is saved, must read back clean with the same players, and saved again
// must give the same bytes. A save always carries the best score and moves
// the settings to the version that reads it, so the file is read back with
// that version. No file is written.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/profile/KT_PLAYERS.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool inApp = size && (data[0] & 1);
    const game::GG_SAVE_LAYOUT layout{inApp, (size && (data[0] & 2)) ? game::GG_SAVE_LAYOUT::kOLD_VERSION
                                                                     : game::GG_SAVE_LAYOUT::kVERSION};
    KEL::KT_PLAYERS list;
    list.fSetLayout(layout);
    list.fLoadBytes(std::string(reinterpret_cast<const char*>(data), size));
    for (const auto& player : list.fGetPlayers()) {
        player->fGetHealth().fUpdate();
        player->fGetTotalStars();
        player->fCountPerfectLevels();
    }
    const std::string saved = list.fSaveBytes();
    KEL::KT_PLAYERS back;
    back.fSetLayout({inApp, game::GG_SAVE_LAYOUT::kVERSION});
    // What was saved must read back clean and whole, and save as it was.
    if (!back.fLoadBytes(saved) || back.fGetNames() != list.fGetNames()) std::abort();
    if (back.fSaveBytes() != saved) std::abort();
    return 0;
}
