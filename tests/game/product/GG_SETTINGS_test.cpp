#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/util/KF_XML.h"
#include "game/product/GG_SETTINGS.h"
#include "game/profile/KT_PLAYERS.h"
#include "game/progress/GG_PROGRESS.h"
#include "game/progress/KC_SHOP_ITEMS.h"
#include "game/progress/KC_TROPHIES.h"
#include "game/services/KC_LEADERBOARD_LIST.h"
#include "support/TestEnvironment.h"

namespace fs = std::filesystem;
using game::GG_EDITION;
using game::GG_SETTINGS;

namespace {

const char* const kREQUIRED[] = {"scenes", "store",    "tutorial",      "trophies",         "inapp",
                                 "ad",     "platform", "heart",         "pack_logic_stars", "store_button",
                                 "player", "free",     "default_player"};

// An edition entry with every required child, minus the one named.
std::string fEdition(const std::string& type, const std::string& without = "", const std::string& extra = "") {
    std::string text = "<edition type=\"" + type + "\">";
    for (const char* name : kREQUIRED) {
        if (without == name) continue;
        const std::string n = name;
        if (n == "platform") text += "<platform type=\"PC\"/>";
        else if (n == "heart" || n == "pack_logic_stars" || n == "store_button" || n == "free" || n == "default_player")
            text += "<" + n + " param=\"true\"/>";
        else text += "<" + n + " file=\"other " + n + "_" + type + ".xml\"/>";
    }
    return text + extra + "</edition>";
}

pugi::xml_node fParse(pugi::xml_document& document, const std::string& text) {
    EXPECT_TRUE(document.load_string(text.c_str()));
    return document.document_element();
}

std::string fReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Product settings with a user folder inside the test's own folder.
struct Settings : GG_SETTINGS {
    Settings() {
        pugi::xml_document d;
        EXPECT_TRUE(fReadProduct(fParse(d, "<game><company value=\"Co\"/><product value=\"Pro\"/>"
                                           "<edition value=\"pc\"/><lang value=\"en\"/></game>")));
    }
};

}  // namespace

TEST(GG_EDITION, ReadsTheFirstEntryOfItsTypeWithEveryField) {
    pugi::xml_document d;
    const pugi::xml_node root = fParse(
        d,
        "<editions>" + fEdition("mobile") +
            "<edition type=\"pc\"><platform type=\"android\"/><scenes file=\"s\"/><store file=\"st\"/>"
            "<tutorial file=\"tu\"/><trophies file=\"tr\"/><inapp file=\"\"/><ad file=\"a\"/><player file=\"p\"/>"
            "<leaderboard file=\"l\"/><heart param=\"yes\"/><pack_logic_stars param=\"0\"/><store_button param=\"T\"/>"
            "<free param=\"false\"/><default_player param=\"1\"/><unlock_pack_immediately param=\"true\"/></edition>" +
            fEdition("pc") + "</editions>");
    GG_EDITION e;
    ASSERT_TRUE(e.fRead(root, "pc"));
    EXPECT_EQ(e.mPlatform, 3);
    EXPECT_EQ(e.mScenes + e.mStore + e.mTutorial + e.mTrophies + e.mInApp + e.mAd + e.mPlayer + e.mLeaderboard,
              "ssttutrapl");
    EXPECT_EQ(e.mHeart, 1);
    EXPECT_EQ(e.mPackLogicStars, 0);
    EXPECT_EQ(e.mStoreButton, 1);
    EXPECT_EQ(e.mFree, 0);
    EXPECT_EQ(e.mDefaultPlayer, 1);
    EXPECT_EQ(e.mUnlockPackImmediately, 1);
    EXPECT_FALSE(e.fRead(root, "PC")) << "types compare exactly";
}

TEST(GG_EDITION, RefusesAMatchThatIsNoEditionOrLacksARequiredChild) {
    for (const char* missing : kREQUIRED) {
        pugi::xml_document d;
        GG_EDITION e;
        EXPECT_FALSE(e.fRead(fParse(d, "<editions>" + fEdition("pc", missing) + "</editions>"), "pc")) << missing;
    }
    pugi::xml_document d;
    GG_EDITION e;
    EXPECT_FALSE(e.fRead(fParse(d, "<editions><other type=\"pc\"/>" + fEdition("pc") + "</editions>"), "pc"));
    EXPECT_TRUE(e.fRead(fParse(d, "<editions>" + fEdition("pc") + "</editions>"), "pc"));
    EXPECT_TRUE(e.mLeaderboard.empty()) << "the leaderboard is optional";
    EXPECT_EQ(e.mUnlockPackImmediately, 0);
    EXPECT_EQ(GG_EDITION::fPlatformCode("OSX"), 1);
    EXPECT_EQ(GG_EDITION::fPlatformCode("ios"), 2);
    EXPECT_EQ(GG_EDITION::fPlatformCode(""), 0);
    EXPECT_EQ(GG_EDITION::fPlatformCode("PC"), 0);
}

TEST(GG_SETTINGS, ProductFileNeedsItsFourKeysAndIgnoresOthers) {
    const char* const keys[] = {"company", "product", "edition", "lang"};
    for (const char* missing : keys) {
        std::string text = "<game>";
        for (const char* key : keys)
            if (std::string(key) != missing) text += "<" + std::string(key) + " value=\"x\"/>";
        pugi::xml_document d;
        GG_SETTINGS s;
        EXPECT_FALSE(s.fReadProduct(fParse(d, text + "</game>"))) << missing;
    }
    pugi::xml_document d;
    GG_SETTINGS s;
    ASSERT_TRUE(s.fReadProduct(
        fParse(d, "<whatever><company value=\"C\"/><product value=\"P\"/><edition value=\"pc\"/>"
                  "<lang value=\"de\"/><fullscreen value=\"yes\"/><resolution value=\"1 2\"/></whatever>")));
    EXPECT_EQ(s.fGetCompany(), "C");
    EXPECT_EQ(s.fGetProduct(), "P");
    EXPECT_EQ(s.fGetEditionType(), "pc");
    EXPECT_EQ(s.fGetCurrentLanguage(), "de");
    EXPECT_TRUE(s.fIsFullscreen());
    EXPECT_EQ(s.fGetVersion(), GG_SETTINGS::kOLD_VERSION);
}

TEST(GG_SETTINGS, UserFolderFollowsTheDataHomeAndNeverLeavesIt) {
    Settings s;
    const std::string home = KEL::fGetAppDataPath();
    EXPECT_EQ(s.fGetUserFolder(), home + "/Co/Pro/");
    for (const char* bad : {"../up", "a/b", "..", "", "x\\y"}) {
        pugi::xml_document d;
        const std::string text = std::string("<game><company value=\"") + bad +
                                 "\"/><product value=\"P\"/><edition value=\"e\"/><lang value=\"l\"/></game>";
        GG_SETTINGS t;
        ASSERT_TRUE(t.fReadProduct(fParse(d, text)));
        EXPECT_EQ(t.fGetUserFolder(), home + "/nonogram/P/") << bad;
    }
}

TEST(GG_SETTINGS, UserFileRoundTripsAndSetsTheSaveVersion) {
    Settings s;
    EXPECT_FALSE(s.fReadUserSettings()) << "first run: no file";
    EXPECT_EQ(s.fGetVersion(), GG_SETTINGS::kOLD_VERSION);

    const fs::path file = fs::path(s.fGetUserFolder()) / "game.xml";
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "<game><fullscreen value=\"true\"/></game>";
    EXPECT_TRUE(s.fReadUserSettings());
    EXPECT_TRUE(s.fIsFullscreen());
    EXPECT_EQ(s.fGetVersion(), GG_SETTINGS::kOLD_VERSION) << "no version element keeps the old layout";

    fs::remove_all(fs::path(s.fGetUserFolder()).parent_path());
    s.fSetFullscreen(false);
    ASSERT_TRUE(s.fSaveSettings()) << "creates the folder";
    const std::string written = fReadFile(file);
    EXPECT_EQ(written.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(written.find("<fullscreen value=\"false\" />"), std::string::npos) << written;
    EXPECT_NE(written.find("<version value=\"65792\" />"), std::string::npos) << written;
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));

    Settings back;
    ASSERT_TRUE(back.fReadUserSettings());
    EXPECT_FALSE(back.fIsFullscreen());
    EXPECT_EQ(back.fGetVersion(), GG_SETTINGS::kVERSION);
}

TEST(GG_SETTINGS, AFailedSaveAnswersFalseAndKeepsTheOldFile) {
    Settings s;
    ASSERT_TRUE(s.fSaveSettings());
    const fs::path file = fs::path(s.fGetUserFolder()) / "game.xml";
    const std::string before = fReadFile(file);
    fs::create_directory(file.string() + ".tmp");  // the write aside cannot be opened
    s.fSetFullscreen(true);
    EXPECT_FALSE(s.fSaveSettings());
    EXPECT_EQ(fReadFile(file), before);

    fs::remove_all(fs::path(s.fGetUserFolder()).parent_path());
    std::ofstream(fs::path(s.fGetUserFolder()).parent_path()) << "a file where the folder goes";
    EXPECT_FALSE(s.fSaveSettings());
}

TEST(GG_SETTINGS, AUserFileThatIsNotReadIsKeptAsideBeforeTheDefaultsAreWritten) {
    Settings s;
    const fs::path file = fs::path(s.fGetUserFolder()) / "game.xml";
    fs::create_directories(file.parent_path());
    const std::string malformed = "<game><fullscreen value=\"true\"";
    for (const char* kind : {"malformed", "fifo", "dangling"}) {
        fs::remove(file);
        if (kind[0] == 'm') std::ofstream(file) << malformed;
        else if (kind[0] == 'f') ASSERT_EQ(mkfifo(file.c_str(), 0644), 0);
        else fs::create_symlink("elsewhere.xml", file);
        EXPECT_FALSE(s.fReadUserSettings()) << kind << ": and nothing blocks";
        EXPECT_NE(s.fTakeUserNotice(), "") << kind;
        EXPECT_EQ(s.fTakeUserNotice(), "") << "once";
        ASSERT_TRUE(s.fSaveSettings()) << kind;
    }
    EXPECT_EQ(fReadFile(file.string() + ".1.bak"), malformed);
    EXPECT_TRUE(fs::is_fifo(file.string() + ".2.bak"));
    EXPECT_TRUE(fs::is_symlink(file)) << "a link stays, its file is written";
    EXPECT_NE(fReadFile(file.parent_path() / "elsewhere.xml").find("65792"), std::string::npos);
}

TEST(GG_SETTINGS, MountsTheListedFoldersAndTheLanguageFolder) {
    using testsupport::TestEnvironment;
    TestEnvironment::fWriteFile("Resources/lists/resource_list.xml",
                                "<r><a value=\"one\"/><b value=\"missing\"/><c/><d value=\"two\"/></r>");
    TestEnvironment::fWriteFile("Resources/one/x.xml", "<x/>");
    TestEnvironment::fWriteFile("Resources/two/y.xml", "<y/>");
    TestEnvironment::fWriteFile("Resources/data/en/strings.xml", "<s/>");
    KEL::KC_FILESYSTEM::fGetInstance();
    KEL::KC_REPOSITORY repository;
    ASSERT_EQ(repository.fLoad("lists"), 1);

    Settings s;
    EXPECT_FALSE(s.fMountResources(repository, "lists nothing.xml"));
    ASSERT_TRUE(s.fMountResources(repository, "lists resource_list.xml"));
    EXPECT_EQ(s.fGetMountedFolders(), (std::vector<std::string>{"one", "two"}));
    EXPECT_NE(repository.fFindByName("data/en strings.xml"), nullptr);
    EXPECT_NE(repository.fFindByName("two y.xml"), nullptr);
    ASSERT_TRUE(s.fMountResources(repository, "lists resource_list.xml")) << "mounting again replaces";
    EXPECT_EQ(s.fGetMountedFolders().size(), 2u);

    s.fUnmountResources(repository);
    EXPECT_TRUE(s.fGetMountedFolders().empty());
    EXPECT_EQ(repository.fFindByName("two y.xml"), nullptr);

    fs::remove_all(TestEnvironment::fRoot() / "Resources/data/en");
    EXPECT_FALSE(s.fMountResources(repository, "lists resource_list.xml")) << "no language folder on the PC";
}

TEST(GG_SETTINGS, DefaultContentConfiguresThePcEdition) {
    const fs::path built = fs::path(NONOGRAM_BINARY_DIR) / "Resources";
    if (!fs::is_regular_file(built / "game.xml")) GTEST_SKIP() << "the default content is not built";
    fs::copy(built, testsupport::TestEnvironment::fRoot() / "Resources", fs::copy_options::recursive);
    KEL::KC_FILESYSTEM::fGetInstance();
    KEL::KC_REPOSITORY repository;
    KEL::kcREPOSITORY = &repository;
    repository.fLoad("");
    repository.fLoad("data");
    ASSERT_EQ(repository.fLoad("data/share/main/other", GG_SETTINGS::kARCHIVE_PASSWORD), 1);
    ASSERT_EQ(repository.fLoad("data/share/image/gui", GG_SETTINGS::kARCHIVE_PASSWORD), 1);

    GG_SETTINGS s;
    ASSERT_TRUE(s.fLoad(repository));
    const GG_EDITION& e = s.fGetEdition();
    EXPECT_EQ(s.fGetEditionType(), "pc");
    EXPECT_EQ(e.mPlatform, 0);
    EXPECT_TRUE(e.mHeart && e.mPackLogicStars && e.mDefaultPlayer);
    EXPECT_FALSE(s.fHasInApp());
    ASSERT_NE(s.fGetEarTile(), nullptr);
    EXPECT_TRUE(s.fGetEarTile()->mState.wrapU && s.fGetEarTile()->mState.wrapV);
    EXPECT_TRUE(!s.fGetEarLine()->mState.wrapU && s.fGetEarLine()->mState.wrapV);
    ASSERT_TRUE(s.fMountResources(repository));
    for (const std::string& name : {e.mStore, e.mTrophies, e.mPlayer, e.mLeaderboard})
        EXPECT_NE(repository.fFindByName(name), nullptr) << name;
    KEL::KC_TROPHIES trophies;
    EXPECT_TRUE(trophies.fLoad(repository, e.mTrophies));
    KEL::KC_SHOP_ITEMS shop;
    EXPECT_TRUE(shop.fLoad(repository, e.mStore));
    EXPECT_FALSE(shop.fGetItems().empty());
    KEL::KC_LEADERBOARD_LIST leaderboards;
    ASSERT_TRUE(leaderboards.fLoad(repository, e.mLeaderboard));
    EXPECT_FALSE(leaderboards.fGetId("Score").empty());
    KEL::KT_PLAYERS players;
    game::GG_PROGRESS progress(s, players, trophies, shop, &leaderboards);
    ASSERT_TRUE(progress.fLoadPacksDescription(repository, nullptr));
    EXPECT_EQ(progress.fGetPacks().size(), 4u);
    pugi::xml_document* player = repository.fGetXml(e.mPlayer);
    ASSERT_NE(player, nullptr);
    progress.fLoadTemplate(KEL::fFindElement(*player));
    repository.fReleaseXml(player);
    ASSERT_NE(progress.fCreatePlayer(L"player"), nullptr);
    for (const auto& pack : progress.fGetPacks()) EXPECT_NE(players.fGetCurrent()->fFindPack(pack->fGetId()), nullptr);
    s.fUnmountResources(repository);
    KEL::kcREPOSITORY = nullptr;
}
