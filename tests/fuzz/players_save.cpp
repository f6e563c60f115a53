// Fuzzes the players.save reader as a round trip: the input is the file, read
// with each of the layouts an edition may run with; whatever was read is
// saved, must read back clean with the same players, and saved again must
// give the same bytes. The folder lives in memory where the system offers it.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/profile/KT_PLAYERS.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

const std::string& fFolder() {
    static const std::string folder = [] {
        const std::string made = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                 std::string("/nonogram-fuzz-players-") + std::to_string(getpid()) + "/";
        mkdir(made.c_str(), 0755);
        return made;
    }();
    return folder;
}

std::string fReadSaved() {
    std::string bytes;
    if (std::FILE* file = std::fopen((fFolder() + KEL::KT_PLAYERS::kFILE).c_str(), "rb")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
        std::fclose(file);
    }
    return bytes;
}

void fWrite(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen((fFolder() + KEL::KT_PLAYERS::kFILE).c_str(), "wb");
    if (!file) return;
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool inApp = size && (data[0] & 1);
    const game::GG_SAVE_LAYOUT layout {inApp, (size && (data[0] & 2)) ? game::GG_SAVE_LAYOUT::kOLD_VERSION
                                                                       : game::GG_SAVE_LAYOUT::kVERSION};
    fWrite(data, size);
    KEL::KT_PLAYERS list;
    list.fSetLayout(layout);
    list.fLoad(fFolder());
    for (const auto& player : list.fGetPlayers()) {
        player->fGetHealth().fUpdate();
        player->fGetTotalStars();
        player->fCountPerfectLevels();
    }
    if (!list.fSave(fFolder())) return 0;
    const std::string saved = fReadSaved();
    KEL::KT_PLAYERS back;
    back.fSetLayout(layout);
    // What was saved must read back clean and whole, and save as it was.
    if (!back.fLoad(fFolder()) || back.fGetNames() != list.fGetNames()) std::abort();
    if (!back.fSave(fFolder()) || fReadSaved() != saved) std::abort();
    return 0;
}
