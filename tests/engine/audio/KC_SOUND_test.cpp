#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "OggMaker.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/audio/KC_AUDIO.h"
#include "engine/audio/KC_SOUND.h"
#include "engine/platform/KC_THREAD.h"
#include "support/FrameDelta.h"
#include "support/FuzzFindings.h"

using KEL::KC_AUDIO;
using KEL::KC_SOUND;
using KEL::KC_THREAD;
using testsupport::fMakeOgg;

namespace {

class AudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::fSetFrameDelta(0.01f);
        audio = std::make_unique<KC_AUDIO>();
        ASSERT_EQ(audio->fInit(), 1) << "tests run with OpenAL Soft's null backend";
    }
    void TearDown() override {
        if (pump) KC_THREAD::fTerminate(pump);
        audio.reset();
        EXPECT_EQ(KC_SOUND::fGetSourceCount(), 0);
    }
    KC_SOUND* fMake(double seconds, int channels, bool whole) {
        const auto& bytes = fMakeOgg(seconds, channels);
        EXPECT_FALSE(bytes.empty()) << "sox must be installed";
        return audio->fCreateSound(bytes.data(), static_cast<uint32_t>(bytes.size()), 2, whole);
    }
    void fStartPump() { pump = KC_THREAD::fCreate(&KC_AUDIO::fThreadPump, audio.get()); }
    // Waits up to the limit for the sound to stop playing; seconds waited.
    static double fWaitForEnd(KC_SOUND* sound, double limit) {
        const auto start = std::chrono::steady_clock::now();
        while (sound->fGetPlayingFlag()) {
            const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
            if (waited.count() > limit) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    std::unique_ptr<KC_AUDIO> audio;
    KC_THREAD* pump = nullptr;
};

}  // namespace

TEST(KC_SOUND_Memory, CallbacksStayInsideTheBytes) {
    const uint8_t bytes[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    KC_SOUND::KS_MEMORY_FILE file;
    file.mData = bytes;
    file.mSize = 10;
    EXPECT_EQ(KC_SOUND::fMemSeek(&file, 0, SEEK_END), 0);
    EXPECT_EQ(KC_SOUND::fMemTell(&file), 10) << "whence 2 with offset 0 is the end";
    uint8_t out[16] = {};
    EXPECT_EQ(KC_SOUND::fMemRead(out, 1, 4, &file), 0u) << "nothing left at the end";

    EXPECT_EQ(KC_SOUND::fMemSeek(&file, 11, SEEK_SET), -1);
    EXPECT_EQ(KC_SOUND::fMemSeek(&file, -1, SEEK_SET), -1);
    EXPECT_EQ(KC_SOUND::fMemSeek(&file, 20, SEEK_CUR), -1);
    EXPECT_EQ(KC_SOUND::fMemSeek(&file, 0, 7), -1);
    EXPECT_EQ(KC_SOUND::fMemTell(&file), 10) << "refused seeks leave the position";

    ASSERT_EQ(KC_SOUND::fMemSeek(&file, 6, SEEK_SET), 0);
    EXPECT_EQ(KC_SOUND::fMemRead(out, 1, 16, &file), 4u);
    EXPECT_EQ(out[0], 6);
    EXPECT_EQ(out[3], 9);
    ASSERT_EQ(KC_SOUND::fMemSeek(&file, 2, SEEK_SET), 0);
    EXPECT_EQ(KC_SOUND::fMemSeek(&file, -1, SEEK_CUR), 0);
    EXPECT_EQ(KC_SOUND::fMemTell(&file), 1);
    EXPECT_EQ(KC_SOUND::fMemRead(out, 2, 3, &file), 6u);
}

TEST_F(AudioTest, CreatingAndRemovingSounds) {
    std::vector<uint8_t> garbage(4000, 0x5A);
    EXPECT_EQ(audio->fCreateSound(garbage.data(), 4000, 2, true), nullptr);
    EXPECT_EQ(audio->fCreateSound(nullptr, 0, 2, true), nullptr);
    const auto& ogg = fMakeOgg(0.3, 2);
    // Cut short inside the headers: refused, no read past the bytes.
    EXPECT_EQ(audio->fCreateSound(ogg.data(), 60, 2, false), nullptr);

    KC_SOUND* sound = fMake(0.3, 2, false);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(audio->fGetSoundCount(), 1u);
    EXPECT_NEAR(sound->fGetLength(), 0.3, 0.01);
    EXPECT_EQ(sound->fGetFormat(), AL_FORMAT_STEREO16);
    EXPECT_EQ(sound->fGetBufferSize(), 48000u);
    EXPECT_EQ(audio->fRemoveSound(sound), 1);
    EXPECT_EQ(audio->fRemoveSound(sound), -1);
    EXPECT_EQ(audio->fGetSoundCount(), 0u);
}

TEST_F(AudioTest, OnlyMonoAndStereoAreAccepted) {
    const auto& three = fMakeOgg(0.2, 3);
    ASSERT_FALSE(three.empty());
    EXPECT_EQ(audio->fCreateSound(three.data(), static_cast<uint32_t>(three.size()), 2, true), nullptr);
    EXPECT_EQ(audio->fCreateSound(three.data(), static_cast<uint32_t>(three.size()), 2, false), nullptr);
}

TEST_F(AudioTest, MonoWholeSoundReservesFourBytesPerFrameAndUploadsTwo) {
    KC_SOUND* sound = fMake(0.25, 1, true);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->fGetFormat(), AL_FORMAT_MONO16);
    const uint32_t frames = sound->fGetBufferSize() / 4;
    EXPECT_NEAR(frames, 0.25 * 44100, 64);
    EXPECT_EQ(sound->fGetLastFill(), frames * 2);
    EXPECT_FALSE(sound->fHoldsPcm()) << "a whole sound lives in OpenAL's buffer only";
    EXPECT_FALSE(sound->fHoldsDecoder()) << "nor keeps its decoder's tables";
    EXPECT_FALSE(sound->fHoldsBuffers()) << "and not even that before its first play";
    EXPECT_NEAR(sound->fGetLength(), 0.25, 0.01);
    // It plays from that buffer, and again after a stop, a restart or a seek.
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(sound->fPlay(), 0);
        EXPECT_TRUE(sound->fIsPlaying());
        EXPECT_TRUE(sound->fHoldsBuffers());
        EXPECT_FALSE(sound->fHoldsPcm());
        EXPECT_FALSE(sound->fHoldsDecoder());
        EXPECT_EQ(sound->fGetLastFill(), frames * 2) << "the whole sound in one buffer";
        sound->fRestart();
        sound->fSeek(100);
        EXPECT_TRUE(sound->fIsPlaying());
        sound->fStop();
    }
    // A stream holds its decoder and refill buffer only while it plays, and
    // plays from its start again after a stop.
    KC_SOUND* streamed = fMake(0.25, 1, false);
    ASSERT_NE(streamed, nullptr);
    EXPECT_NEAR(streamed->fGetLength(), 0.25, 0.01);
    for (int round = 0; round < 2; ++round) {
        EXPECT_FALSE(streamed->fHoldsPcm());
        EXPECT_FALSE(streamed->fHoldsDecoder());
        EXPECT_EQ(streamed->fPlay(), 0);
        EXPECT_TRUE(streamed->fIsPlaying());
        EXPECT_TRUE(streamed->fHoldsPcm()) << "a stream refills from its own buffer";
        EXPECT_TRUE(streamed->fHoldsDecoder());
        streamed->fStop();
    }
    EXPECT_FALSE(streamed->fHoldsPcm());
    EXPECT_FALSE(streamed->fHoldsDecoder());
}

TEST_F(AudioTest, PlayingTwiceChangesNothingAndStopFreesTheSource) {
    KC_SOUND* sound = fMake(1.0, 2, true);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->fPlay(), 0);
    EXPECT_TRUE(sound->fIsPlaying());
    EXPECT_EQ(KC_SOUND::fGetSourceCount(), 1);
    EXPECT_NE(sound->fPlay(), 0);
    EXPECT_EQ(KC_SOUND::fGetSourceCount(), 1);
    sound->fRestart();
    EXPECT_TRUE(sound->fIsPlaying());
    EXPECT_EQ(KC_SOUND::fGetSourceCount(), 1);
    sound->fStop();
    EXPECT_FALSE(sound->fIsPlaying());
    EXPECT_FALSE(sound->fHoldsSource());
    EXPECT_EQ(KC_SOUND::fGetSourceCount(), 0);
    EXPECT_FALSE(sound->fSetGain(0.5f)) << "no gain without a source";
    EXPECT_EQ(sound->fPlay(), 0);
    EXPECT_TRUE(sound->fSetGain(0.5f));
}

TEST_F(AudioTest, SeventeenthSoundWaitsForAFreeSource) {
    std::vector<KC_SOUND*> sounds;
    for (int i = 0; i < 17; ++i) {
        sounds.push_back(fMake(2.0, 1, i % 2 == 0));
        ASSERT_NE(sounds.back(), nullptr);
    }
    for (int i = 0; i < 16; ++i) sounds[i]->fPlay();
    EXPECT_EQ(KC_SOUND::fGetSourceCount(), 16);
    EXPECT_EQ(sounds[16]->fPlay(), 0);
    EXPECT_FALSE(sounds[16]->fGetPlayingFlag());
    EXPECT_FALSE(sounds[16]->fHoldsSource());
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(sounds[i]->fIsPlaying()) << "the refused start stops no other sound";

    // A destroyed playing sound gives its source back.
    EXPECT_EQ(audio->fRemoveSound(sounds[3]), 1);
    EXPECT_EQ(KC_SOUND::fGetSourceCount(), 15);
    sounds[16]->fPlay();
    EXPECT_TRUE(sounds[16]->fIsPlaying());
    EXPECT_EQ(KC_SOUND::fGetSourceCount(), 16);
}

TEST_F(AudioTest, DelayCountsFrameTimePerStep) {
    testsupport::fSetFrameDelta(1.0f / 60.0f);
    KC_SOUND* sound = fMake(0.5, 2, true);
    ASSERT_NE(sound, nullptr);
    sound->fPlayAfter(0.5f);
    EXPECT_FALSE(sound->fHoldsSource());
    for (int step = 1; step < 30; ++step) {
        audio->fUpdate();
        ASSERT_FALSE(sound->fHoldsSource()) << "started early at step " << step;
    }
    audio->fUpdate();
    EXPECT_TRUE(sound->fIsPlaying()) << "starts at the 30th step";
    EXPECT_EQ(sound->fGetDelay(), 0.0f);
}

TEST_F(AudioTest, WholeSoundStopsAtItsEndUnlessLooping) {
    KC_SOUND* once = fMake(0.15, 2, true);
    KC_SOUND* looped = fMake(0.15, 2, true);
    ASSERT_TRUE(once && looped);
    looped->fSetLooping(true);
    once->fPlay();
    looped->fPlay();
    fStartPump();
    fWaitForEnd(once, 3.0);
    EXPECT_FALSE(once->fGetPlayingFlag());
    EXPECT_FALSE(once->fHoldsSource());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(looped->fGetPlayingFlag()) << "a looping sound restarts at its end";
    EXPECT_TRUE(looped->fHoldsSource());
}

TEST_F(AudioTest, StreamedSoundRefillsAndPlaysOutItsLastBuffers) {
    // 1.2 s of stereo is about 211 kB: several 48000-byte refills.
    KC_SOUND* sound = fMake(1.2, 2, false);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->fPlay(), 0);
    ASSERT_TRUE(sound->fIsPlaying()) << "both buffers are filled before the first play";
    fStartPump();
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_TRUE(sound->fIsPlaying()) << "still playing past the first buffers";
    const double waited = 0.6 + fWaitForEnd(sound, 4.0);
    EXPECT_FALSE(sound->fGetPlayingFlag());
    EXPECT_FALSE(sound->fHoldsSource());
    EXPECT_EQ(KC_SOUND::fGetSourceCount(), 0);
    // Stopping when the decoder runs out would cut a quarter second.
    EXPECT_GT(waited, 1.1);
    EXPECT_LT(waited, 2.5);

    // It plays again from the start.
    EXPECT_EQ(sound->fPlay(), 0);
    EXPECT_TRUE(sound->fIsPlaying());
}

TEST_F(AudioTest, ShortStreamShorterThanOneBufferPlaysAndEnds) {
    KC_SOUND* sound = fMake(0.1, 1, false);
    ASSERT_NE(sound, nullptr);
    sound->fPlay();
    EXPECT_TRUE(sound->fIsPlaying());
    fStartPump();
    fWaitForEnd(sound, 2.0);
    EXPECT_FALSE(sound->fGetPlayingFlag());
    EXPECT_EQ(KC_SOUND::fGetSourceCount(), 0);
}

TEST_F(AudioTest, ShutdownStopsAndFreesLiveSounds) {
    KC_SOUND* a = fMake(1.0, 2, false);
    KC_SOUND* b = fMake(1.0, 2, true);
    ASSERT_TRUE(a && b);
    a->fPlay();
    b->fPlay();
    EXPECT_EQ(KC_SOUND::fGetSourceCount(), 2);
    audio.reset();  // frees both while the context exists (checked by the sanitizer)
    EXPECT_EQ(KC_SOUND::fGetSourceCount(), 0);
}

TEST(KC_SOUND_NoDevice, SoundsOpenButStaySilent) {
    // No audio object: no current context, as after a missing device.
    const auto& ogg = fMakeOgg(0.2, 2);
    for (bool whole : {true, false}) {
        KC_SOUND sound;
        EXPECT_EQ(sound.fOpen(ogg.data(), static_cast<uint32_t>(ogg.size()), 2, whole), 1);
        EXPECT_FALSE(sound.fIsOpened());
        EXPECT_EQ(sound.fPlay(), 0);
        EXPECT_FALSE(sound.fIsPlaying());
        sound.fUpdate();
        sound.fStop();
    }
    KC_AUDIO idle;  // never initialised: steps nothing
    idle.fUpdate();
    EXPECT_FALSE(idle.fHasDevice());
}

TEST_F(AudioTest, PlayingStreamKeepsBeingFedWhileADelayedStartWaits) {
    KC_SOUND* sound = fMake(1.2, 2, false);
    ASSERT_NE(sound, nullptr);
    sound->fPlay();
    sound->fPlayAfter(5.0f);
    fStartPump();
    // Two buffers hold about 0.54 s; past that only refills keep it going.
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    EXPECT_TRUE(sound->fIsPlaying());
    EXPECT_GT(sound->fGetDelay(), 0.0f);
}

// Streams whose codebooks cannot be set up: libvorbis divided by zero on the
// first decode after a stop or seek. They are refused when opened, whole or
// streamed; a stream that fails to open part-way leaks nothing of ours.
TEST_F(AudioTest, StreamsWhoseDecoderCannotBeSetUpAreRefusedAtOpen) {
    for (const char* name : {"ogg-fpe", "ogg-fpe-res2", "ogg-leak"}) {
        SCOPED_TRACE(name);
        const std::string bytes = testsupport::fFinding(name);
        ASSERT_FALSE(bytes.empty());
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
        for (bool whole : {true, false}) {
            KC_SOUND* sound = audio->fCreateSound(data, static_cast<uint32_t>(bytes.size()), 2, whole);
            EXPECT_EQ(sound, nullptr);
            if (!sound) continue;
            // Had it been taken, playing, stopping and playing again must not fault.
            sound->fPlay();
            sound->fStop();
            sound->fPlay();
            sound->fSeek(0);
            audio->fRemoveSound(sound);
        }
    }
    KC_SOUND* good = fMake(0.3, 2, false);
    ASSERT_NE(good, nullptr) << "a sound made by the encoder still opens";
    good->fPlay();
    good->fStop();
    good->fPlay();
    good->fSeek(100);
}
