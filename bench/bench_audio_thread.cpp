// Audio pump CPU share: 8 streamed and 8 whole sounds playing through OpenAL
// Soft's null backend while the pump steps them every 10 ms. Prints one
// figure: the pump thread's CPU time over wall time.
#include <pthread.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/audio/KC_AUDIO.h"
#include "engine/platform/KC_THREAD.h"

namespace {

std::vector<uint8_t> fTone(const std::filesystem::path& folder, double seconds, int channels) {
    const auto path = folder / ("tone" + std::to_string(channels) + "_" + std::to_string(int(seconds)) + ".ogg");
    const std::string command = "sox -q -n -r 44100 -c " + std::to_string(channels) + " '" + path.string() +
                                "' synth " + std::to_string(seconds) + " sine 440 vol 0.5";
    if (std::system(command.c_str()) != 0) return {};
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double fThreadSeconds(pthread_t thread) {
    clockid_t clock;
    timespec now{};
    if (pthread_getcpuclockid(thread, &clock) != 0 || clock_gettime(clock, &now) != 0) return 0.0;
    return now.tv_sec + now.tv_nsec * 1e-9;
}

}  // namespace

int main() {
    setenv("ALSOFT_DRIVERS", "null", 0);
    KEL::kfFRAME_DELTA = 1.0f / 60.0f;
    const auto folder = std::filesystem::temp_directory_path() / ("bench_audio_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::vector<uint8_t> music = fTone(folder, 30.0, 2);
    const std::vector<uint8_t> effect = fTone(folder, 2.0, 1);
    std::filesystem::remove_all(folder);
    if (music.empty() || effect.empty()) {
        std::fprintf(stderr, "sox is needed to make the test sounds\n");
        return 1;
    }

    KEL::KC_AUDIO audio;
    if (audio.fInit() != 1) {
        std::fprintf(stderr, "no sound device\n");
        return 1;
    }
    std::vector<KEL::KC_SOUND*> sounds;
    for (int i = 0; i < 8; ++i) {
        sounds.push_back(audio.fCreateSound(music.data(), static_cast<uint32_t>(music.size()), 2, false));
        KEL::KC_SOUND* whole = audio.fCreateSound(effect.data(), static_cast<uint32_t>(effect.size()), 2, true);
        if (whole) whole->fSetLooping(true);
        sounds.push_back(whole);
    }
    for (KEL::KC_SOUND* sound : sounds)
        if (sound) sound->fPlay();

    KEL::KC_THREAD* pump = KEL::KC_THREAD::fCreate(&KEL::KC_AUDIO::fThreadPump, &audio);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const double cpuStart = fThreadSeconds(pump->fNativeHandle());
    const auto wallStart = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(5));
    const double cpu = fThreadSeconds(pump->fNativeHandle()) - cpuStart;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    int playing = 0;
    for (KEL::KC_SOUND* sound : sounds) playing += sound && sound->fIsPlaying() ? 1 : 0;
    KEL::KC_THREAD::fTerminate(pump);

    std::printf("audio thread CPU share with 8 streamed + 8 whole sounds (%d playing): %.2f %%\n", playing,
                100.0 * cpu / wall);
    return 0;
}
