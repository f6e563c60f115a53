#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "OggMaker.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/audio/KC_AUDIO.h"
#include "engine/platform/KC_THREAD.h"
#include "support/FrameDelta.h"

extern char** environ;

using KEL::KC_AUDIO;
using KEL::KC_SOUND;
using KEL::KC_THREAD;

namespace {

constexpr double kSECONDS = 1.2;

// Child half: plays a streamed sound through whatever device OpenAL opens.
void fPlayStreamedToEnd() {
    testsupport::fSetFrameDelta(0.01f);
    const auto& ogg = testsupport::fMakeOgg(kSECONDS, 2);
    ASSERT_FALSE(ogg.empty());
    auto* audio = new KC_AUDIO();
    ASSERT_EQ(audio->fInit(), 1);
    KC_SOUND* sound = audio->fCreateSound(ogg.data(), static_cast<uint32_t>(ogg.size()), 2, false);
    ASSERT_NE(sound, nullptr);
    KC_THREAD* pump = KC_THREAD::fCreate(&KC_AUDIO::fThreadPump, audio);
    sound->fPlay();
    for (int i = 0; i < 500 && sound->fGetPlayingFlag(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(sound->fGetPlayingFlag());
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    KC_THREAD::fTerminate(pump);
    delete audio;  // closing the device completes the file
}

// 16-bit samples of the WAV file's "data" chunk; empty when unreadable.
std::vector<int16_t> fReadWav(const std::string& path, int& channels, int& rate) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples;
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) || std::memcmp(bytes.data() + 8, "WAVE", 4))
        return samples;
    size_t at = 12;
    int bits = 0;
    while (at + 8 <= bytes.size()) {
        uint32_t length;
        std::memcpy(&length, bytes.data() + at + 4, 4);
        const char* body = bytes.data() + at + 8;
        if (!std::memcmp(bytes.data() + at, "fmt ", 4) && length >= 16) {
            uint16_t c, b;
            uint32_t r;
            std::memcpy(&c, body + 2, 2);
            std::memcpy(&r, body + 4, 4);
            std::memcpy(&b, body + 14, 2);
            channels = c;
            rate = static_cast<int>(r);
            bits = b;
        } else if (!std::memcmp(bytes.data() + at, "data", 4) && bits == 16) {
            const size_t usable = std::min<size_t>(length, bytes.size() - (at + 8));
            samples.resize(usable / 2);
            std::memcpy(samples.data(), body, samples.size() * 2);
            return samples;
        }
        at += 8 + length + (length & 1);
    }
    return samples;
}

}  // namespace

TEST(KC_AUDIO_Wave, StreamedOggComesOutThroughTheWaveWriter) {
    if (std::getenv("NONOGRAM_WAVE_CHILD")) {
        fPlayStreamedToEnd();
        return;
    }
    // The device is chosen once per process, so the playing half runs in a
    // child process with the wave-file backend configured.
    const auto root = testsupport::TestEnvironment::fRoot();
    const std::string wav = (root / "out.wav").string();
    const auto conf = testsupport::TestEnvironment::fWriteFile(
        "alsoft.conf", "[general]\ndrivers = wave\nchannels = stereo\nsample-type = int16\nfrequency = 44100\n"
                       "[wave]\nfile = " +
                           wav + "\n");

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        if (!std::strncmp(*e, "ALSOFT_DRIVERS=", 15) || !std::strncmp(*e, "ALSOFT_CONF=", 12)) continue;
        env.emplace_back(*e);
    }
    env.push_back("ALSOFT_DRIVERS=wave");
    env.push_back("ALSOFT_CONF=" + conf.string());
    env.push_back("NONOGRAM_WAVE_CHILD=1");
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string filter = "--gtest_filter=KC_AUDIO_Wave.StreamedOggComesOutThroughTheWaveWriter";
    char* argv[] = {self.data(), filter.data(), nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, self.c_str(), nullptr, nullptr, argv, envp.data()), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "the playing half failed";

    int channels = 0, rate = 0;
    const std::vector<int16_t> samples = fReadWav(wav, channels, rate);
    ASSERT_EQ(channels, 2);
    ASSERT_EQ(rate, 44100);
    ASSERT_FALSE(samples.empty());
    size_t first = samples.size(), last = 0, loud = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) > 2000) {
            first = std::min(first, i);
            last = i;
            ++loud;
        }
    }
    ASSERT_LT(first, last) << "the written file is silent";
    const double span = static_cast<double>(last - first) / (channels * rate);
    EXPECT_NEAR(span, kSECONDS, 0.1) << "the whole tone, no more, no less";
    EXPECT_GT(static_cast<double>(loud) / (last - first), 0.5) << "a sine wave, not clicks";
}
