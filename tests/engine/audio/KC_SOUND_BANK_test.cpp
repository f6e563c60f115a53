#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "OggMaker.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/audio/KC_AUDIO.h"
#include "engine/audio/KC_SOUND.h"
#include "engine/audio/KC_SOUND_BANK.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KC_RESOURCE.h"
#include "support/TestEnvironment.h"

using namespace KEL;
using testsupport::TestEnvironment;

namespace {

// A real audio object and repository over a mounted folder of sounds.
class SoundBankTest : public ::testing::Test {
protected:
    void SetUp() override {
        KC_FILESYSTEM::fGetInstance();
        audio = std::make_unique<KC_AUDIO>();
        ASSERT_EQ(audio->fInit(), 1);
        kcAUDIO = audio.get();
        const auto& bytes = testsupport::fMakeOgg(0.1, 1);
        ASSERT_FALSE(bytes.empty());
        for (const char* name : {"a.ogg", "b.ogg"})
            TestEnvironment::fWriteFile(std::string("Resources/bank/") + name, std::string(bytes.begin(), bytes.end()));
    }
    void TearDown() override {
        repository.reset();
        kcREPOSITORY = nullptr;
        kcAUDIO = nullptr;
        audio.reset();
    }
    void fMount(const std::string& xml) {
        TestEnvironment::fWriteFile("Resources/bank/bank.xml", xml);
        repository = std::make_unique<KC_REPOSITORY>();
        ASSERT_EQ(repository->fLoad("bank"), 1);
        kcREPOSITORY = repository.get();
    }
    bool fLoaded(const std::string& name) { return repository->fFindByName(name)->mLoaded != 0; }

    std::unique_ptr<KC_AUDIO> audio;
    std::unique_ptr<KC_REPOSITORY> repository;
};

}  // namespace

TEST_F(SoundBankTest, StoresCompleteEntriesAndTheFirstOfEachName) {
    fMount(R"(<sounds>
        <s name="click" path="a.ogg" buffcount="3" streamed="true"/>
        <s name="click" path="b.ogg" buffcount="2" streamed="false"/>
        <s name="tune" path="b.ogg" buffcount="2" streamed="false"/>
        <s name="partial" path="a.ogg" buffcount="2"/>
        <s name="absent" path="none.ogg" buffcount="2" streamed="false"/>
      </sounds>)");
    KC_SOUND_BANK bank;
    EXPECT_TRUE(bank.fRead("bank.xml"));

    KC_SOUND* click = bank.fFind("click");
    ASSERT_NE(click, nullptr);
    EXPECT_EQ(repository->fFindByKey(click)->mName, "a.ogg") << "a name already present keeps its sound";
    EXPECT_TRUE(click->fIsWhole()) << "streamed true decodes whole";
    KC_SOUND* tune = bank.fFind("tune");
    ASSERT_NE(tune, nullptr);
    EXPECT_FALSE(tune->fIsWhole());
    EXPECT_EQ(tune->fGetBufferCount(), 2);
    EXPECT_EQ(bank.fFind("partial"), nullptr) << "all four attributes are needed";
    EXPECT_EQ(bank.fFind("absent"), nullptr);
    EXPECT_EQ(bank.fFind("nothing"), nullptr);
}

TEST_F(SoundBankTest, RefusesDocumentsWithoutSoundsAndGivesThemBack) {
    fMount("<other/>");
    KC_SOUND_BANK bank;
    EXPECT_FALSE(bank.fRead("bank.xml"));
    EXPECT_FALSE(bank.fRead("missing.xml"));
    repository->fCountLoaded();
    EXPECT_FALSE(fLoaded("bank.xml")) << "the refused document holds no use";
}

TEST_F(SoundBankTest, GivesItsDocumentAndSoundsBackWhenDestroyed) {
    fMount(R"(<sounds><s name="click" path="a.ogg" buffcount="2" streamed="false"/></sounds>)");
    {
        KC_SOUND_BANK bank;
        ASSERT_TRUE(bank.fRead("bank.xml"));
        ASSERT_TRUE(bank.fRead("bank.xml")) << "reading again adds nothing new";
        repository->fCountLoaded();
        EXPECT_TRUE(fLoaded("bank.xml")) << "kept while the bank lives";
        EXPECT_TRUE(fLoaded("a.ogg"));
    }
    repository->fCountLoaded();
    EXPECT_FALSE(fLoaded("bank.xml"));
    EXPECT_FALSE(fLoaded("a.ogg"));
    EXPECT_EQ(audio->fGetSoundCount(), 0u);
}
