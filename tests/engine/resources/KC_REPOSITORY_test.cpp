#include <gtest/gtest.h>

#include <cstring>
#include <pugixml.hpp>
#include <thread>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KC_RESOURCE.h"
#include "engine/resources/KS_RESOURCE_CONVERTERS.h"
#include "engine/resources/TestArchives.h"
#include "host/Image.h"
#include "host/recording/RecordingDevice.h"
#include "support/TestEnvironment.h"

using namespace KEL;
using testsupport::TestEnvironment;

namespace {

// Fake renderer and audio system that log what the repository asks of them.
struct KS_FAKES {
    static inline std::vector<std::string> sLog;
    static inline char sTextures[8];
    static inline char sDefault;
    static inline int sNextTexture = 0;
    static inline char sSounds[8];
    static inline const uint8_t* sSoundBytes[8];
    static inline uint32_t sSoundSizes[8];
    static inline int sNextSound = 0;

    static KC_TEXTURE* fDefault() { return reinterpret_cast<KC_TEXTURE*>(&sDefault); }
    static KC_TEXTURE* fLoad(const uint8_t* bytes, uint32_t size) {
        // "IMG" images are readable, anything else gives the default.
        if (size < 3 || std::memcmp(bytes, "IMG", 3) != 0) {
            sLog.push_back("load-fail");
            return fDefault();
        }
        sLog.push_back("load");
        return reinterpret_cast<KC_TEXTURE*>(&sTextures[sNextTexture++ % 8]);
    }
    static int32_t fRelease(KC_TEXTURE*) {
        sLog.push_back("release-texture");
        return 1;
    }
    static KC_SOUND* fCreate(const uint8_t* bytes, uint32_t size, int32_t buffers, bool whole) {
        if (size < 4 || std::memcmp(bytes, "OggS", 4) != 0) return nullptr;
        sLog.push_back("sound " + std::to_string(buffers) + (whole ? " whole" : " streamed"));
        const int slot = sNextSound++ % 8;
        sSoundBytes[slot] = bytes;
        sSoundSizes[slot] = size;
        return reinterpret_cast<KC_SOUND*>(&sSounds[slot]);
    }
    static int32_t fRemove(KC_SOUND* sound) {
        // The sound may still read its bytes until it is gone.
        const int slot = static_cast<int>(reinterpret_cast<char*>(sound) - sSounds);
        sLog.push_back("remove " + std::string(reinterpret_cast<const char*>(sSoundBytes[slot]), 4));
        return 1;
    }
};

class RepositoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        KC_FILESYSTEM::fGetInstance();
        TestEnvironment::fEmptyFolder("Resources");
        KS_RESOURCE_CONVERTERS& services = KS_RESOURCE_CONVERTERS::fGet();
        services.fLoadTexture = &KS_FAKES::fLoad;
        services.fReleaseTexture = &KS_FAKES::fRelease;
        services.fDefaultTexture = &KS_FAKES::fDefault;
        services.fCreateSound = &KS_FAKES::fCreate;
        services.fRemoveSound = &KS_FAKES::fRemove;
        KS_FAKES::sLog.clear();
        fErrorText().clear();
    }
    void TearDown() override { KS_RESOURCE_CONVERTERS::fGet().fReset(); }

    static void fWrite(const std::string& relative, const std::string& bytes) {
        TestEnvironment::fWriteFile("Resources/" + relative, bytes);
    }

    KC_REPOSITORY mRepository;
};

}  // namespace

TEST_F(RepositoryTest, XmlConvertsOnceAndCountsUses) {
    fWrite("data/doc.xml", "<root value=\"3\"/>");
    ASSERT_EQ(mRepository.fLoad("data"), 1);

    pugi::xml_document* first = mRepository.fGetXml("doc.xml");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->child("root").attribute("value").as_int(), 3);
    EXPECT_EQ(mRepository.fGetXml("data doc.xml"), first) << "converted once";
    KC_RESOURCE* record = mRepository.fFindByKey(first);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->mUses, 2);
    EXPECT_EQ(record->mKind, KC_RESOURCE::kXml);

    EXPECT_EQ(mRepository.fCountLoaded(), 0) << "still in use";
    EXPECT_EQ(mRepository.fReleaseXml(first), 1);
    EXPECT_EQ(mRepository.fGetFreedCount(), 0u);
    EXPECT_EQ(mRepository.fReleaseXml(first), 1);
    EXPECT_EQ(mRepository.fGetFreedCount(), 1u);
    EXPECT_EQ(mRepository.fReleaseXml(first), 0) << "never below zero";
    EXPECT_EQ(record->mUses, 0);

    EXPECT_EQ(mRepository.fCountLoaded(), 1);
    EXPECT_EQ(record->mLoaded, 0);
    EXPECT_EQ(record->mData, nullptr);
    EXPECT_EQ(mRepository.fFindByKey(first), nullptr);
    EXPECT_EQ(mRepository.fReleaseXml(first), -1) << "a freed key is unknown";
    EXPECT_NE(mRepository.fGetXml("doc.xml"), nullptr) << "loads again after a sweep";
}

TEST_F(RepositoryTest, FailedLoadsLeaveTheRecordEmptyAndRetry) {
    fWrite("data/bad.xml", "<root><open></root>");
    ASSERT_EQ(mRepository.fLoad("data"), 1);
    EXPECT_EQ(mRepository.fGetXml("bad.xml"), nullptr);
    KC_RESOURCE* record = mRepository.fFindByName("bad.xml");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->mKind, KC_RESOURCE::kNothing);
    EXPECT_EQ(record->mData, nullptr);
    EXPECT_EQ(record->mLoaded, 0);

    fWrite("data/bad.xml", "<root/>");
    EXPECT_NE(mRepository.fGetXml("bad.xml"), nullptr) << "a later getter retries";

    // The file vanished after mounting: the load error is reported.
    fWrite("data/gone.xml", "<x/>");
    ASSERT_EQ(mRepository.fLoad("data"), 1);
    std::filesystem::remove(TestEnvironment::fRoot() / "Resources/data/gone.xml");
    EXPECT_EQ(mRepository.fGetXml("gone.xml"), nullptr);
    EXPECT_EQ(fErrorText(), "Cant load res ");
    EXPECT_EQ(mRepository.fFindByName("gone.xml")->mData, nullptr);
}

TEST_F(RepositoryTest, GettersOfAnotherKindLeaveAConvertedRecordAlone) {
    fWrite("data/doc.xml", "<root/>");
    fWrite("data/raw.bin", "0123456789");
    ASSERT_EQ(mRepository.fLoad("data"), 1);
    pugi::xml_document* document = mRepository.fGetXml("doc.xml");
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(mRepository.fGetRaw("doc.xml"), nullptr);
    EXPECT_EQ(mRepository.fGetSound("doc.xml", true, 2), nullptr);
    EXPECT_EQ(mRepository.fGetTexture("doc.xml"), KS_FAKES::fDefault());
    EXPECT_EQ(mRepository.fFindByKey(document)->mUses, 1);
    EXPECT_EQ(mRepository.fReleaseRaw(document), -1) << "a release of another kind changes nothing";
    EXPECT_EQ(mRepository.fFindByKey(document)->mUses, 1);

    uint32_t size = 0;
    uint8_t* raw = mRepository.fGetRaw("raw.bin", &size);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(size, 11u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(raw), size), std::string("0123456789\0", 11));
    EXPECT_EQ(mRepository.fGetXml("raw.bin"), nullptr);
    EXPECT_EQ(mRepository.fReleaseRaw(raw), 1);
}

TEST_F(RepositoryTest, TexturesFallBackToTheDefault) {
    fWrite("gfx/a.png", "IMG a");
    fWrite("gfx/broken.png", "not an image");
    ASSERT_EQ(mRepository.fLoad("gfx"), 1);

    EXPECT_EQ(mRepository.fGetTexture("missing.png"), KS_FAKES::fDefault());
    EXPECT_EQ(mRepository.fGetTexture("broken.png"), KS_FAKES::fDefault());
    KC_RESOURCE* broken = mRepository.fFindByName("broken.png");
    EXPECT_EQ(broken->mLoaded, 0) << "the shared default is not owned by the record";
    EXPECT_EQ(broken->mData, nullptr);
    EXPECT_EQ(mRepository.fReleaseTexture(KS_FAKES::fDefault()), 0) << "releasing the default changes nothing";

    KC_TEXTURE* texture = mRepository.fGetTexture("a.png");
    EXPECT_NE(texture, KS_FAKES::fDefault());
    KC_RESOURCE* record = mRepository.fGetResource("gfx a.png");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->mData, texture);
    EXPECT_EQ(record->mUses, 2);
    EXPECT_EQ(mRepository.fGetResource("broken.png"), broken) << "the record, though its image is unreadable";
    EXPECT_EQ(broken->mUses, 0);
    EXPECT_EQ(mRepository.fGetResource("missing.png"), nullptr);

    mRepository.fReleaseTexture(texture);
    mRepository.fReleaseTexture(texture);
    EXPECT_EQ(mRepository.fCountLoaded(), 2) << "every unused record counts, loaded or not";
    EXPECT_EQ(KS_FAKES::sLog, (std::vector<std::string>{"load-fail", "load", "load-fail", "release-texture"}))
        << "a failed image is tried again by the next getter";

    // Without a renderer every texture is the default, and nothing is loaded.
    KS_RESOURCE_CONVERTERS::fGet().fLoadTexture = nullptr;
    EXPECT_EQ(mRepository.fGetTexture("a.png"), KS_FAKES::fDefault());
    EXPECT_EQ(record->mLoaded, 0);
}

TEST_F(RepositoryTest, SoundsAreRemovedBeforeTheirBytesAreFreed) {
    fWrite("sfx/click.ogg", "OggS click");
    fWrite("sfx/noise.ogg", "noise");
    ASSERT_EQ(mRepository.fLoad("sfx"), 1);

    EXPECT_EQ(mRepository.fGetSound("noise.ogg", true, 2), nullptr);
    EXPECT_EQ(mRepository.fFindByName("noise.ogg")->mData, nullptr);

    KC_SOUND* sound = mRepository.fGetSound("click.ogg", false, 3);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(mRepository.fGetSound("click.ogg", false, 3), sound);
    EXPECT_EQ(KS_FAKES::sSoundSizes[0], 11u) << "folder bytes carry their extra zero";
    mRepository.fReleaseSound(sound);
    EXPECT_EQ(mRepository.fCountLoaded(), 1) << "the unreadable sound, unused";
    mRepository.fReleaseSound(sound);
    EXPECT_EQ(mRepository.fCountLoaded(), 2);
    EXPECT_EQ(KS_FAKES::sLog, (std::vector<std::string>{"sound 3 streamed", "remove OggS"}));
}

TEST_F(RepositoryTest, NamesResolveByTheirBlanks) {
    fWrite("same.xml", "<main/>");
    fWrite("data/same.xml", "<data/>");
    fWrite("data/only.xml", "<only/>");
    fWrite("other/only.xml", "<other/>");
    fWrite("with blank", "<blank/>");
    ASSERT_EQ(mRepository.fLoad(""), 1);
    ASSERT_EQ(mRepository.fLoad("data"), 1);
    ASSERT_EQ(mRepository.fLoad("other"), 1);

    auto root = [&](const std::string& name) {
        pugi::xml_document* document = mRepository.fGetXml(name);
        return document ? std::string(document->document_element().name()) : std::string("null");
    };
    EXPECT_EQ(root("same.xml"), "main") << "the main map comes first";
    EXPECT_EQ(root("data same.xml"), "data");
    EXPECT_EQ(root("only.xml"), "only") << "then groups in mount order";
    EXPECT_EQ(root("other only.xml"), "other");
    EXPECT_EQ(root("other same.xml"), "null") << "a mounted group is searched alone";
    EXPECT_EQ(root("with blank"), "blank") << "an unmounted first word falls back to the whole name";
    EXPECT_EQ(root("data a b"), "null");
    EXPECT_EQ(mRepository.fFindByName("a b c"), nullptr);
    EXPECT_EQ(mRepository.fGetGroupNames(), (std::vector<std::string>{"data", "other"}));
}

TEST_F(RepositoryTest, MountingListsAndMain) {
    EXPECT_EQ(mRepository.fLoad(nullptr), -1);
    EXPECT_EQ(mRepository.fLoad(""), 0) << "an empty resources folder";
    EXPECT_EQ(fErrorText(), "Main repository is empty");
    EXPECT_EQ(mRepository.fLoad("missing"), -1);
    TestEnvironment::fMakeFolder("Resources/empty");
    EXPECT_EQ(mRepository.fLoad("empty"), -1);
    EXPECT_TRUE(mRepository.fGetGroupNames().empty());

    fWrite("list/a.xml", "<a/>");
    fWrite("list/b.xml", "<b/>");
    ASSERT_EQ(mRepository.fLoad("list"), 1);
    EXPECT_EQ(mRepository.fLoad("list"), -110) << "same number of entries";
    KC_RESOURCE* before = mRepository.fFindByName("a.xml");
    pugi::xml_document* held = mRepository.fGetXml("b.xml");
    ASSERT_NE(held, nullptr);

    fWrite("list/c.xml", "<c/>");
    fWrite("list/b.xml", "<b2/>");
    EXPECT_EQ(mRepository.fLoad("list"), 1) << "a new file mounts again";
    EXPECT_NE(mRepository.fFindByName("a.xml"), before) << "records replaced";
    EXPECT_NE(mRepository.fFindByName("c.xml"), nullptr);
    EXPECT_EQ(std::string(mRepository.fGetXml("b.xml")->document_element().name()), "b2");

    // The replaced document stays valid for its user until given back.
    EXPECT_EQ(std::string(held->document_element().name()), "b");
    EXPECT_EQ(mRepository.fReleaseXml(held), 1);
    EXPECT_EQ(mRepository.fCountLoaded(), 2) << "a.xml and c.xml; the replaced b.xml is freed uncounted";
    EXPECT_EQ(mRepository.fFindByKey(held), nullptr);
}

TEST_F(RepositoryTest, ArchiveListsWithPasswords) {
    TestEnvironment::fWriteFile("src/a.xml", "<secret/>");
    TestEnvironment::fWriteFile("src/b.txt", "plain");
    ASSERT_TRUE(testsupport::fZip("Resources/pack/locked", "src", "a.xml", "-P pw"));
    ASSERT_TRUE(testsupport::fZip("Resources/pack/locked", "src", "b.txt"));
    ASSERT_EQ(mRepository.fLoad("pack/locked", "pw"), 1);
    pugi::xml_document* document = mRepository.fGetXml("pack/locked a.xml");
    ASSERT_NE(document, nullptr);
    EXPECT_STREQ(document->document_element().name(), "secret");
    uint32_t size = 0;
    uint8_t* raw = mRepository.fGetRaw("b.txt", &size);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(raw), size), "plain") << "no extra byte from archives";

    KC_REPOSITORY wrong;
    ASSERT_EQ(wrong.fLoad("pack/locked", "nope"), 1);
    EXPECT_EQ(wrong.fGetXml("a.xml"), nullptr);
    EXPECT_EQ(fErrorText(), "Cant load res ");
}

TEST_F(RepositoryTest, UnloadingGroupsAndTheMainMap) {
    fWrite("top.xml", "<top/>");
    fWrite("idle/a.xml", "<a/>");
    fWrite("busy/b.xml", "<b/>");
    ASSERT_EQ(mRepository.fLoad(""), 1);
    ASSERT_EQ(mRepository.fLoad("idle"), 1);
    ASSERT_EQ(mRepository.fLoad("busy"), 1);
    pugi::xml_document* held = mRepository.fGetXml("busy b.xml");
    pugi::xml_document* top = mRepository.fGetXml("top.xml");

    EXPECT_EQ(mRepository.fUnloadGroup("nothing"), -1);
    EXPECT_EQ(mRepository.fUnloadGroup("idle"), 1);
    EXPECT_EQ(mRepository.fGetGroupNames(), (std::vector<std::string>{"busy"})) << "nothing loaded: gone at once";
    EXPECT_EQ(mRepository.fFindByName("idle a.xml"), nullptr);

    EXPECT_EQ(mRepository.fUnloadGroup("busy"), 1);
    EXPECT_EQ(mRepository.fCountLoaded(), 0);
    EXPECT_EQ(mRepository.fGetGroupNames(), (std::vector<std::string>{"busy"})) << "kept while in use";
    EXPECT_STREQ(held->document_element().name(), "b");
    mRepository.fReleaseXml(held);
    EXPECT_EQ(mRepository.fCountLoaded(), 1);
    EXPECT_TRUE(mRepository.fGetGroupNames().empty());

    EXPECT_EQ(mRepository.fUnloadGroup(""), 1);
    EXPECT_NE(mRepository.fFindByName("top.xml"), nullptr) << "marked records live until the sweep";
    mRepository.fReleaseXml(top);
    EXPECT_EQ(mRepository.fCountLoaded(), 1);
    EXPECT_EQ(mRepository.fFindByName("top.xml"), nullptr);
}

TEST_F(RepositoryTest, LoaderAndMainThreadShareTheRepository) {
    for (int i = 0; i < 20; ++i) fWrite("many/f" + std::to_string(i) + ".xml", "<n i=\"" + std::to_string(i) + "\"/>");
    ASSERT_EQ(mRepository.fLoad("many"), 1);
    auto work = [&](int seed) {
        for (int round = 0; round < 200; ++round) {
            const std::string name = "f" + std::to_string((round * 7 + seed) % 20) + ".xml";
            pugi::xml_document* document = mRepository.fGetXml(name);
            ASSERT_NE(document, nullptr);
            EXPECT_EQ(document->child("n").attribute("i").as_int(), (round * 7 + seed) % 20);
            mRepository.fReleaseXml(document);
            if (round % 10 == 0) mRepository.fCountLoaded();
        }
    };
    std::thread loader(work, 3);
    work(11);
    loader.join();
    mRepository.fCountLoaded();
    for (int i = 0; i < 20; ++i) EXPECT_EQ(mRepository.fFindByName("f" + std::to_string(i) + ".xml")->mLoaded, 0);
}

// The default converters, against the renderer on its recording device.
class RepositoryWithRenderer : public ::testing::Test {
protected:
    void SetUp() override {
        KC_FILESYSTEM::fGetInstance();
        KS_RESOURCE_CONVERTERS::fGet().fReset();
        mRender.fSetDevice(new host::RecordingDevice);
        ASSERT_EQ(mRender.fInit(nullptr, 0.1f, 0.0f), 1);
        kcRENDER = &mRender;
    }
    void TearDown() override { kcRENDER = nullptr; }

    // A grey picture of that size at a path under the test's root.
    static bool fWritePicture(const std::string& path, int32_t width, int32_t height) {
        const std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4, 0x80);
        return host::fWritePng((TestEnvironment::fRoot() / path).string(), rgba.data(), width, height);
    }

    KC_RENDER mRender;
};

TEST_F(RepositoryWithRenderer, TexturesComeFromTheRenderer) {
    TestEnvironment::fMakeFolder("Resources/gui");
    ASSERT_TRUE(fWritePicture("Resources/gui/button.png", 4, 3));
    TestEnvironment::fWriteFile("Resources/gui/broken.png", "not an image");
    const size_t before = mRender.fGetTextureCount();

    KC_REPOSITORY repository;
    ASSERT_EQ(repository.fLoad("gui"), 1);
    KC_TEXTURE* texture = repository.fGetTexture("gui button.png");
    ASSERT_NE(texture, mRender.fGetDefaultTexture());
    EXPECT_EQ(texture->fGetSize(), KS_POINT(4, 3)) << "the folder's extra zero byte does not upset the decoder";
    EXPECT_EQ(repository.fGetTexture("broken.png"), mRender.fGetDefaultTexture());
    EXPECT_EQ(repository.fGetTexture("absent.png"), mRender.fGetDefaultTexture());
    EXPECT_EQ(repository.fReleaseTexture(mRender.fGetDefaultTexture()), 0);
    EXPECT_EQ(mRender.fGetTextureCount(), before + 1);

    EXPECT_EQ(repository.fReleaseTexture(texture), 1);
    EXPECT_EQ(repository.fCountLoaded(), 2) << "both records, the unreadable one too";
    EXPECT_EQ(mRender.fGetTextureCount(), before) << "the sweep gives the texture back to the renderer";
}

// Screens loaded ahead of need keep their pictures' files until drawn; only
// the thread that asks for it defers, and only while it asks.
TEST_F(RepositoryWithRenderer, DeferredPicturesHoldTheirFileUntilDrawn) {
    // A folder of its own: the other tests of this process list theirs.
    TestEnvironment::fEmptyFolder("Resources");
    TestEnvironment::fMakeFolder("Resources/menus");
    for (const char* name : {"a.png", "b.png", "c.png"})
        ASSERT_TRUE(fWritePicture(std::string("Resources/menus/") + name, 64, 32));
    constexpr size_t kPixels = 64 * 32 * 4;

    KC_REPOSITORY repository;
    ASSERT_EQ(repository.fLoad("menus"), 1);
    KC_REPOSITORY::fSetDeferDecoding(true);
    KC_TEXTURE* waiting = repository.fGetTexture("menus a.png");
    KC_TEXTURE* other = nullptr;
    std::thread([&] { other = repository.fGetTexture("menus b.png"); }).join();
    KC_REPOSITORY::fSetDeferDecoding(false);
    KC_TEXTURE* now = repository.fGetTexture("menus c.png");

    ASSERT_TRUE(waiting && other && now);
    EXPECT_TRUE(waiting->fIsWaiting());
    EXPECT_EQ(waiting->fGetSize(), KS_POINT(64, 32)) << "laid out at its size before any pixel is decoded";
    EXPECT_FALSE(other->fIsWaiting()) << "another thread decodes at once";
    EXPECT_FALSE(now->fIsWaiting()) << "deferring ends when asked";
    const size_t held = repository.fGetTextureBytes();
    EXPECT_LT(held, 2 * kPixels + 1024) << "the waiting picture holds only its file";
    EXPECT_GT(held, 2 * kPixels);

    EXPECT_NE(mRender.fLockTexture(waiting), nullptr);
    mRender.fUnlockTexture(waiting);
    EXPECT_FALSE(waiting->fIsWaiting());
    EXPECT_EQ(repository.fGetTextureBytes(), 3 * kPixels);
    for (KC_TEXTURE* texture : {waiting, other, now}) repository.fReleaseTexture(texture);
    repository.fCountLoaded();
}
