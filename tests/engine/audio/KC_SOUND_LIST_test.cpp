#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include <pugixml.hpp>

#include "OggMaker.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/audio/KC_AUDIO.h"
#include "engine/audio/KC_SOUND_LIST.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_THREAD.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KC_RESOURCE.h"
#include "support/FrameDelta.h"
#include "support/TestEnvironment.h"

using namespace KEL;
using testsupport::TestEnvironment;

namespace {

// A real audio object and repository over sounds written to a mounted folder.
class SoundListTest : public ::testing::Test {
protected:
    void SetUp() override {
        KC_FILESYSTEM::fGetInstance();
        testsupport::fSetFrameDelta(0.01f);
        audio = std::make_unique<KC_AUDIO>();
        ASSERT_EQ(audio->fInit(), 1);
        kcAUDIO = audio.get();
        fWriteOgg("short.ogg", 0.15, 2);
        fWriteOgg("other.ogg", 0.15, 1);
        fWriteOgg("long.ogg", 2.0, 2);
        ASSERT_EQ(repository.fLoad("sfx"), 1);
        kcREPOSITORY = &repository;
    }
    void TearDown() override {
        if (pump) KC_THREAD::fTerminate(pump);
        list.fDeleteAll();
        kcREPOSITORY = nullptr;
        kcAUDIO = nullptr;
        audio.reset();
    }
    static void fWriteOgg(const std::string& name, double seconds, int channels) {
        const auto& bytes = testsupport::fMakeOgg(seconds, channels);
        ASSERT_FALSE(bytes.empty());
        TestEnvironment::fWriteFile("Resources/sfx/" + name, std::string(bytes.begin(), bytes.end()));
    }
    void fRead(const char* xml) {
        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(xml));
        EXPECT_EQ(list.fRead(document.child("sound")), 1);
    }
    KC_SOUND* fSound(const char* group, const char* name) {
        KS_SOUND_ENTRY* entry = list.fGetEntry(group, name);
        return entry ? entry->mSound : nullptr;
    }
    void fStartPump() { pump = KC_THREAD::fCreate(&KC_AUDIO::fThreadPump, audio.get()); }
    static void fWaitUntilStopped(KC_SOUND* sound) {
        for (int i = 0; i < 300 && sound->fGetPlayingFlag(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // One playlist look: frame steps adding up to the period.
    void fLook(float period) {
        testsupport::fSetFrameDelta(period);
        list.fStep();
        testsupport::fSetFrameDelta(0.01f);
    }

    std::unique_ptr<KC_AUDIO> audio;
    KC_REPOSITORY repository;
    KC_SOUND_LIST list;
    KC_THREAD* pump = nullptr;
};

}  // namespace

TEST_F(SoundListTest, ReadingReplacesByNameAndStreamedMeansWhole) {
    fRead(R"(<sound>
        <group name="sounds">
          <s name="click" path="short.ogg" streamed="true" cnt_buffers="3" looped=""/>
          <s name="tune" path="long.ogg"/>
          <s name="dup" path="short.ogg"/>
          <s name="dup" path="other.ogg" streamed="1"/>
        </group>
        <group name="music"><s name="old" path="long.ogg"/></group>
        <group name="music"><s name="01" path="long.ogg"/></group>
      </sound>)");
    ASSERT_NE(list.fGetGroup("music"), nullptr);
    EXPECT_EQ(list.fGetEntry("music", "old"), nullptr) << "the later group replaced the first";
    KS_SOUND_ENTRY* click = list.fGetEntry("sounds", "click");
    ASSERT_NE(click, nullptr);
    EXPECT_TRUE(click->mLooped);
    EXPECT_EQ(click->mBufferCount, 3);
    EXPECT_EQ(list.fGetEntry("sounds", "dup")->mPath, "other.ogg");
    EXPECT_EQ(click->mSound, nullptr) << "reading loads nothing";

    EXPECT_EQ(list.fLoadGroup("sounds"), 1);
    EXPECT_EQ(list.fLoadGroup("nothing"), 0);
    ASSERT_NE(fSound("sounds", "click"), nullptr);
    EXPECT_TRUE(fSound("sounds", "click")->fIsWhole());
    EXPECT_EQ(fSound("sounds", "click")->fGetBufferCount(), 3);
    EXPECT_FALSE(fSound("sounds", "tune")->fIsWhole());
    EXPECT_TRUE(fSound("sounds", "dup")->fIsWhole());
    EXPECT_NEAR(list.fGetLength("sounds", "tune"), 2.0, 0.01);
    EXPECT_EQ(list.fGetLength("sounds", "missing"), 0.0);
    EXPECT_EQ(list.fGetLength("music", "01"), 0.0) << "not loaded";

    KC_SOUND* tune = fSound("sounds", "tune");
    EXPECT_EQ(list.fUnloadGroup("sounds"), 1);
    EXPECT_EQ(fSound("sounds", "tune"), nullptr);
    EXPECT_NE(repository.fFindByKey(tune), nullptr) << "given back, kept until the sweep";
    EXPECT_GE(repository.fCountLoaded(), 3);
    EXPECT_EQ(repository.fFindByKey(tune), nullptr);
    EXPECT_EQ(audio->fGetSoundCount(), 0u) << "the sweep removed the sounds from the audio object";
    EXPECT_EQ(list.fClearGroup("sounds"), 1);
    EXPECT_EQ(list.fGetEntry("sounds", "click"), nullptr);
    EXPECT_EQ(list.fUnloadGroup("nothing"), 0);
    EXPECT_EQ(list.fClearGroup("nothing"), 0);
}

TEST_F(SoundListTest, PlayingByNameWithGroupVolumes) {
    fRead(R"(<sound><group name="sounds">
        <s name="tone" path="long.ogg" streamed="true"/>
        <s name="gone" path="missing.ogg" streamed="true"/>
      </group></sound>)");
    list.fLoadGroup("sounds");
    EXPECT_EQ(list.fPlaySound("sounds", "gone"), -1) << "its file is missing";
    EXPECT_EQ(list.fPlaySound("sounds", "nope"), -1);
    EXPECT_EQ(list.fPlaySound("nope", "tone"), -1);
    EXPECT_EQ(list.fSetGroupVolume("nope", 50), -1);

    KC_SOUND* tone = fSound("sounds", "tone");
    ASSERT_NE(tone, nullptr);
    EXPECT_EQ(list.fSetGroupVolume("sounds", 0), 1);
    EXPECT_EQ(list.fPlaySound("sounds", "tone"), 1) << "muted: a silent success";
    EXPECT_FALSE(tone->fHoldsSource());
    EXPECT_EQ(list.fSetGroupVolume("sounds", 80), 1);
    EXPECT_FALSE(tone->fHoldsSource()) << "a volume change starts nothing";

    EXPECT_EQ(list.fPlaySound("sounds", "tone"), 1);
    EXPECT_TRUE(tone->fIsPlaying());
    EXPECT_EQ(list.fPlaySound("sounds", "tone"), 1) << "playing again restarts it";
    EXPECT_TRUE(tone->fIsPlaying());
    EXPECT_EQ(KC_SOUND::fGetSourceCount(), 1);

    // With every source taken the restart finds none; no gain reaches a
    // foreign source, so the other sounds keep playing.
    std::vector<KC_SOUND*> others;
    const auto& bytes = testsupport::fMakeOgg(2.0, 2);
    tone->fStop();
    for (int i = 0; i < 16; ++i) {
        others.push_back(audio->fCreateSound(bytes.data(), static_cast<uint32_t>(bytes.size()), 2, true));
        // Looping, so none ends on its own on a slow, loaded machine.
        others.back()->fSetLooping(true);
        others.back()->fPlay();
    }
    EXPECT_EQ(list.fPlaySound("sounds", "tone"), 1);
    EXPECT_FALSE(tone->fHoldsSource());
    for (KC_SOUND* other : others) EXPECT_TRUE(other->fIsPlaying());
}

TEST_F(SoundListTest, DelayedPlayStartsFromThePump) {
    fRead(R"(<sound><group name="sounds"><s name="tone" path="long.ogg" streamed="true"/></group></sound>)");
    list.fLoadGroup("sounds");
    KC_SOUND* tone = fSound("sounds", "tone");
    EXPECT_EQ(list.fPlaySoundAt("sounds", "tone", 0.05f), 1);
    EXPECT_FALSE(tone->fHoldsSource());
    for (int i = 0; i < 5; ++i) audio->fUpdate();
    EXPECT_TRUE(tone->fIsPlaying());
    EXPECT_EQ(list.fPlaySoundAt("sounds", "nope", 0.0f), -1);
}

TEST_F(SoundListTest, PlaylistMovesThroughTracksInNameOrderAndWraps) {
    fRead(R"(<sound><group name="music">
        <t name="02_b" path="other.ogg"/>
        <t name="01_a" path="short.ogg"/>
        <t name="03_c" path="missing.ogg"/>
      </group><group name="empty"/></sound>)");
    list.fLoadGroup("music");
    EXPECT_EQ(list.fPlayGroup("empty", 3.0f), -1);
    EXPECT_TRUE(list.fIsPlaylistOn()) << "switched on even for an empty group";
    EXPECT_EQ(list.fGetPeriod(), 3.0f);
    EXPECT_EQ(list.fPlayGroup("nope", 2.5f), -1);

    fStartPump();
    ASSERT_EQ(list.fPlayGroup("music", 2.5f), 1);
    KC_SOUND* a = fSound("music", "01_a");
    KC_SOUND* b = fSound("music", "02_b");
    EXPECT_TRUE(a->fIsPlaying());
    fLook(2.5f);
    EXPECT_EQ(list.fGetGroup("music")->mCurrent, "01_a") << "still playing: stays";

    fWaitUntilStopped(a);
    fLook(1.0f);
    EXPECT_EQ(list.fGetGroup("music")->mCurrent, "01_a") << "only looked at every period";
    fLook(1.5f);
    EXPECT_EQ(list.fGetGroup("music")->mCurrent, "02_b");
    EXPECT_TRUE(b->fIsPlaying());

    fWaitUntilStopped(b);
    fLook(2.5f);
    EXPECT_EQ(list.fGetGroup("music")->mCurrent, "03_c") << "an unloaded track is passed over";
    fLook(2.5f);
    EXPECT_EQ(list.fGetGroup("music")->mCurrent, "01_a") << "wraps to the first";
    EXPECT_TRUE(a->fIsPlaying());
}

TEST_F(SoundListTest, OneTrackPlaylistReplaysItsTrack) {
    fRead(R"(<sound><group name="music"><t name="only" path="short.ogg"/></group></sound>)");
    list.fLoadGroup("music");
    fStartPump();
    ASSERT_EQ(list.fPlayGroup("music", 2.5f), 1);
    KC_SOUND* only = fSound("music", "only");
    fWaitUntilStopped(only);
    EXPECT_FALSE(only->fGetPlayingFlag());
    fLook(2.5f);
    EXPECT_TRUE(only->fIsPlaying());
}
