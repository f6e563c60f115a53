// Loads every entry of a 500-entry, 20 MB archive (stored and deflated,
// half of them encrypted) through the repository and compares the rate with
// Info-ZIP's unzip extracting the same archive to /dev/null.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/resources/KC_REPOSITORY.h"

namespace {

using Clock = std::chrono::steady_clock;

double fSeconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

bool fRun(const std::string& command) { return std::system(command.c_str()) == 0; }

}  // namespace

int main() {
    namespace fs = std::filesystem;
    std::string folder = (fs::temp_directory_path() / "archive-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) return 1;
    const fs::path root = folder;
    const fs::path source = root / "src";
    fs::create_directories(source);
    fs::create_directories(root / "Resources");

    // 500 files of about 40 KB: text that deflates well and noise that does not.
    std::mt19937 random(12345);
    uint64_t total = 0;
    std::vector<std::string> groups[4];
    for (int i = 0; i < 500; ++i) {
        const size_t size = 22000 + random() % 40000;
        std::string bytes;
        bytes.reserve(size);
        if (i % 2 == 0) {
            while (bytes.size() < size) bytes += "row " + std::to_string(random() % 1000) + " cell data, ";
            bytes.resize(size);
        } else {
            for (size_t k = 0; k < size; ++k) bytes.push_back(static_cast<char>(random()));
        }
        const std::string name = "entry" + std::to_string(i) + (i % 2 ? ".bin" : ".xml");
        std::ofstream(source / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
        total += size;
        // Groups: plain stored, plain deflated, encrypted stored, encrypted deflated.
        groups[(i % 4)].push_back(name);
    }
    const std::string archive = (root / "Resources" / "bench.zip").string();
    const char* options[4] = {"-0", "-6", "-0 -P secret", "-6 -P secret"};
    for (int g = 0; g < 4; ++g) {
        std::string command = "cd '" + source.string() + "' && zip -q -X " + options[g] + " '" + archive + "'";
        for (const std::string& name : groups[g]) command += " " + name;
        if (!fRun(command + " >/dev/null")) return 1;
    }
    fs::rename(archive, root / "Resources" / "bench");
    const std::string mounted = (root / "Resources" / "bench").string();
    const double megabytes = static_cast<double>(total) / (1024.0 * 1024.0);
    std::printf("archive: 500 entries, %.1f MB uncompressed, %.1f MB on disk\n", megabytes,
                static_cast<double>(fs::file_size(mounted)) / (1024.0 * 1024.0));

    if (chdir(root.c_str()) != 0) return 1;
    KEL::KC_FILESYSTEM::fGetInstance();
    double best = 1e9;
    uint64_t loaded = 0;
    for (int round = 0; round < 5; ++round) {
        KEL::KC_REPOSITORY repository;
        const Clock::time_point start = Clock::now();
        if (repository.fLoad("bench", "secret") != 1) return 1;
        loaded = 0;
        for (int i = 0; i < 500; ++i) {
            uint32_t size = 0;
            const std::string name = "bench entry" + std::to_string(i) + (i % 2 ? ".bin" : ".xml");
            uint8_t* bytes = repository.fGetRaw(name, &size);
            if (!bytes) {
                std::printf("failed to load %s\n", name.c_str());
                return 1;
            }
            loaded += size;
            repository.fReleaseRaw(bytes);
        }
        repository.fCountLoaded();
        best = std::min(best, fSeconds(start));
    }
    if (loaded != total) return 1;

    double unzipBest = 1e9;
    for (int round = 0; round < 5; ++round) {
        const Clock::time_point start = Clock::now();
        if (!fRun("unzip -qq -P secret -p '" + mounted + "' > /dev/null")) return 1;
        unzipBest = std::min(unzipBest, fSeconds(start));
    }

    const double ours = megabytes / best;
    const double theirs = megabytes / unzipBest;
    std::printf("repository: %.3f s, %.1f MB/s\n", best, ours);
    std::printf("unzip -p:   %.3f s, %.1f MB/s\n", unzipBest, theirs);
    std::printf("ratio (repository / unzip): %.2f\n", ours / theirs);

    fs::current_path(fs::temp_directory_path());
    fs::remove_all(root);
    return 0;
}
