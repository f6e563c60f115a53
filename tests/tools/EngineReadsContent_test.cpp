// The built default content read through the engine's own readers: the
// repository mounts the resource root, the folders and the two password
// archives as the game does at start-up, then the string table and the sound
// lists read their files from it.
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <vorbis/vorbisfile.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/audio/KC_SOUND_LIST.h"
#include "engine/audio/KS_SOUND_GROUP.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/render/KC_RENDER.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/resources/KC_FONT.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/resources/KS_RESOURCE_CONVERTERS.h"
#include "game/product/GG_SOUND_GROUP.h"
#include "host/recording/RecordingDevice.h"
#include "support/TestEnvironment.h"

using namespace KEL;
namespace fs = std::filesystem;

namespace {

const char* kPassword = "PlumtreeByOakhurst";

// Sound maker that only accepts bytes vorbisfile can decode.
struct KS_CHECKED_SOUNDS {
    static inline char sSounds[64];
    static inline int sNext = 0;
    static inline std::vector<std::string> sBad;

    struct Memory {
        const uint8_t* bytes;
        size_t size, at;
    };
    static size_t fRead(void* out, size_t size, size_t count, void* source) {
        auto* m = static_cast<Memory*>(source);
        const size_t n = std::min(size * count, m->size - m->at);
        std::memcpy(out, m->bytes + m->at, n);
        m->at += n;
        return size ? n / size : 0;
    }

    static int fSeek(void* source, ogg_int64_t offset, int whence) {
        auto* m = static_cast<Memory*>(source);
        const ogg_int64_t base = whence == SEEK_SET   ? 0
                                 : whence == SEEK_CUR ? static_cast<ogg_int64_t>(m->at)
                                                      : static_cast<ogg_int64_t>(m->size);
        if (base + offset < 0 || base + offset > static_cast<ogg_int64_t>(m->size)) return -1;
        m->at = static_cast<size_t>(base + offset);
        return 0;
    }
    static long fTell(void* source) { return static_cast<long>(static_cast<Memory*>(source)->at); }

    static KC_SOUND* fCreate(const uint8_t* bytes, uint32_t size, int32_t, bool) {
        Memory memory{bytes, size, 0};
        OggVorbis_File vf;
        const ov_callbacks callbacks{&fRead, &fSeek, nullptr, &fTell};
        if (ov_open_callbacks(&memory, &vf, nullptr, 0, callbacks) != 0) return nullptr;
        const vorbis_info* info = ov_info(&vf, -1);
        const bool usable = info && info->channels <= 2 && ov_pcm_total(&vf, -1) > 0;
        ov_clear(&vf);
        return usable ? reinterpret_cast<KC_SOUND*>(&sSounds[sNext++ % 64]) : nullptr;
    }
    static int32_t fRemove(KC_SOUND*) { return 1; }
};

class EngineReadsContent : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path built = fs::path(NONOGRAM_BINARY_DIR) / "Resources";
        ASSERT_TRUE(fs::is_directory(built)) << "no built content at " << built;
        fs::copy(built, testsupport::TestEnvironment::fRoot() / "Resources",
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        KC_FILESYSTEM::fGetInstance();
        KS_RESOURCE_CONVERTERS& converters = KS_RESOURCE_CONVERTERS::fGet();
        converters.fCreateSound = &KS_CHECKED_SOUNDS::fCreate;
        converters.fRemoveSound = &KS_CHECKED_SOUNDS::fRemove;
        kcREPOSITORY = &mRepository;

        // Start-up mounts, then every list of the resource list.
        // The root and "data" hold no files of this content yet; their
        // mounts may find nothing.
        mRepository.fLoad("");
        mRepository.fLoad("data");
        ASSERT_EQ(mRepository.fLoad("data/share/main/other", kPassword), 1);
        ASSERT_EQ(mRepository.fLoad("data/share/image/gui", kPassword), 1);
        pugi::xml_document* list = mRepository.fGetXml("data/share/main/other resource_list.xml");
        ASSERT_NE(list, nullptr);
        for (pugi::xml_node n : list->document_element().children())
            EXPECT_EQ(mRepository.fLoad(n.attribute("value").value(), kPassword), 1) << n.attribute("value").value();
        mRepository.fReleaseXml(list);
        ASSERT_EQ(mRepository.fLoad("data/en", kPassword), 1);
    }

    void TearDown() override {
        kcREPOSITORY = nullptr;
        KS_RESOURCE_CONVERTERS::fGet().fReset();
    }

    KC_REPOSITORY mRepository;
};

}  // namespace

TEST_F(EngineReadsContent, ArchivedFilesComeOutWhole) {
    uint32_t size = 0;
    const uint8_t* cursor = mRepository.fGetRaw("data/share/image/gui cursor.png", &size);
    ASSERT_NE(cursor, nullptr);
    ASSERT_GT(size, 8u);
    EXPECT_EQ(std::memcmp(cursor, "\x89PNG\r\n\x1a\n", 8), 0);
    for (const char* name : {"data/share/main/other gCursor.xml", "data/share/main/other sound.xml",
                             "data/share/main/other packs_description.xml"})
        EXPECT_NE(mRepository.fGetXml(name), nullptr) << name;
}

TEST_F(EngineReadsContent, StringTableHoldsTheGamesTexts) {
    pugi::xml_document* doc = mRepository.fGetXml("strings.xml");
    ASSERT_NE(doc, nullptr);
    KC_STRING_TABLE table;
    EXPECT_GT(table.fRead(KC_STRING_TABLE::fFirstRow(*doc)), 100u);
    EXPECT_EQ(table.fGet("window_title"), "Picture Logic");
    EXPECT_EQ(table.fGet("label_hello_player_with_name"), "Hello, %s!");
    EXPECT_EQ(table.fGet("loading"), "Loading\xE2\x80\xA6");
    EXPECT_EQ(table.fGet("pack_3_name"), "Big Adventures");
}

TEST_F(EngineReadsContent, SoundListLoadsEveryTrackAndEffect) {
    pugi::xml_document* doc = mRepository.fGetXml("data/share/main/other sound.xml");
    ASSERT_NE(doc, nullptr);
    KC_SOUND_LIST sounds;
    ASSERT_EQ(sounds.fRead(doc->child("sound")), 1);
    for (const char* group : {game::GG_SOUND_GROUP::kMUSIC, game::GG_SOUND_GROUP::kSOUNDS}) {
        ASSERT_EQ(sounds.fLoadGroup(group), 1) << group;
        KS_SOUND_GROUP* g = sounds.fGetGroup(group);
        ASSERT_NE(g, nullptr);
        for (const auto& [name, entry] : g->mEntries) {
            EXPECT_NE(entry->mSound, nullptr) << group << " " << name << " (" << entry->mPath << ")";
            // Music is streamed; effects are decoded whole but for the long ones.
            if (std::string(group) == game::GG_SOUND_GROUP::kMUSIC) {
                EXPECT_FALSE(entry->mStreamed) << name;
            }
        }
    }
    sounds.fUnloadGroup(game::GG_SOUND_GROUP::kMUSIC);
    sounds.fUnloadGroup(game::GG_SOUND_GROUP::kSOUNDS);
}

TEST_F(EngineReadsContent, EveryPackLevelLoads) {
    pugi::xml_document* packs = mRepository.fGetXml("data/share/main/other packs_description.xml");
    ASSERT_NE(packs, nullptr);
    int levels = 0;
    for (pugi::xml_node p : packs->document_element().children()) {
        for (int i = 1; i <= 12; ++i) {
            char file[32];
            std::snprintf(file, sizeof file, "level%02d.xml", i);
            const std::string name = std::string(p.attribute("path").value()) + " " + file;
            pugi::xml_document* level = mRepository.fGetXml(name);
            ASSERT_NE(level, nullptr) << name;
            EXPECT_TRUE(level->document_element().child("settings").attribute("elSize")) << name;
            ++levels;
        }
    }
    EXPECT_EQ(levels, 48);
}

TEST_F(EngineReadsContent, FontsLoadWithTheirPagesAndMeasureText) {
    KC_RENDER render;
    render.fSetDevice(new host::RecordingDevice);
    ASSERT_EQ(render.fInit(nullptr, 0.1f, 0.0f), 1);
    kcRENDER = &render;
    {
        KC_FONT_LIST fonts;
        ASSERT_EQ(fonts.fRead("data/share/font fonts.xml"), 1);
        for (const char* name : {"clue", "body", "medium", "title"}) {
            KC_FONT* font = fonts.fGet(name);
            ASSERT_NE(font, nullptr) << name;
            EXPECT_NE(font->fGetTexture(), render.fGetDefaultTexture()) << name << ": its page did not load";
            EXPECT_GT(font->fGetLineHeight(), 0) << name;
            // Digits, the separator and the fallback glyph must all be there.
            for (uint32_t code : {uint32_t('0'), uint32_t('9'), uint32_t('|'), uint32_t('?')})
                EXPECT_GT(font->fGetAdvance(code), 0) << name << " U+" << code;
            // Only the clue font, which draws numbers, may leave out accents.
            if (std::string(name) != "clue") {
                EXPECT_GT(font->fGetGlyphCount(), 150) << name << ": Latin with accents";
                // Every letter of Latin-1 and Latin Extended-A, so that a
                // name typed on any European keyboard shows as typed.
                int missing = 0;
                for (uint32_t code = 0xC0; code <= 0x17F; ++code) {
                    if (code == 0xD7 || code == 0xF7) continue;  // the multiplication and division signs
                    if (font->fGetAdvance(code) <= 0 && ++missing <= 5)
                        ADD_FAILURE() << name << " has no U+" << std::hex << code;
                }
                EXPECT_EQ(missing, 0) << name;
            }
            EXPECT_GT(font->fMeasureW(L"Picture Logic 12"), font->fMeasureW(L"12")) << name;
        }
        fonts.fUnload();
        fonts.fDeleteAll();
    }
    kcRENDER = nullptr;
}
