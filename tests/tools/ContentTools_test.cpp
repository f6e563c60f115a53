// The content tools as the build runs them: a bad source must stop the build
// (non-zero exit) and leave no output behind that a later build would take
// as up to date.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TestEnvironment.h"

namespace fs = std::filesystem;
using testsupport::TestEnvironment;

namespace {

int fRun(const std::string& tool, const std::string& args) {
    const std::string exe = std::string(NONOGRAM_BINARY_DIR) + "/tools/" + tool;
    const std::string command = "'" + exe + "' " + args + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string fPath(const std::string& relative) { return (TestEnvironment::fRoot() / relative).string(); }

const char* kBoard = "elSize = 28 28\nblock = 5 5\nshiftBlock = -3 -3\ncentre = 512 392\near = 150\nclue_step = 18\n"
                     "tile = g t.png\nselection = g s.png\nselection_yes = g y.png\nselection_no = g n.png\n";

}  // namespace

TEST(ContentTools, LevelToolWritesGoodLevelsAndStopsTheBuildOnBadOnes) {
    TestEnvironment::fWriteFile("board.conf", kBoard);
    TestEnvironment::fWriteFile("good.lvl", "name: Plus\n.#.\n###\n.#.\n");
    TestEnvironment::fWriteFile("twice.lvl", "#.\n.#\n");
    TestEnvironment::fWriteFile("ragged.lvl", "##\n#\n");

    EXPECT_EQ(fRun("levelc", fPath("board.conf") + " " + fPath("good.lvl") + " " + fPath("good.xml")), 0);
    EXPECT_TRUE(fs::exists(fPath("good.xml")));

    EXPECT_NE(fRun("levelc", fPath("board.conf") + " " + fPath("twice.lvl") + " " + fPath("twice.xml")), 0);
    EXPECT_FALSE(fs::exists(fPath("twice.xml")));
    EXPECT_NE(fRun("levelc", fPath("board.conf") + " " + fPath("ragged.lvl") + " " + fPath("ragged.xml")), 0);
    EXPECT_FALSE(fs::exists(fPath("ragged.xml")));
    EXPECT_NE(fRun("levelc", fPath("missing.conf") + " " + fPath("good.lvl") + " " + fPath("x.xml")), 0);
    EXPECT_NE(fRun("levelc", ""), 0);
    // An output that cannot be written is an error, not a silent skip.
    EXPECT_NE(fRun("levelc", fPath("board.conf") + " " + fPath("good.lvl") + " " + fPath("no/such/folder/x.xml")), 0);
}

TEST(ContentTools, FontAndSoundToolsRefuseBadSources) {
    TestEnvironment::fWriteFile("nochars.fontdef",
                                "face = /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf\nsize = 12\n");
    EXPECT_NE(fRun("fontgen", fPath("nochars.fontdef") + " " + fPath("f.xml") + " " + fPath("f.png")), 0);
    EXPECT_FALSE(fs::exists(fPath("f.xml")));

    TestEnvironment::fWriteFile("ok.fontdef",
                                "face = /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf\nsize = 12\nchars = 32-126\n");
    EXPECT_EQ(fRun("fontgen", fPath("ok.fontdef") + " " + fPath("ok.xml") + " " + fPath("ok.png")), 0);
    EXPECT_TRUE(fs::exists(fPath("ok.xml")));
    EXPECT_TRUE(fs::exists(fPath("ok.png")));

    TestEnvironment::fWriteFile("bad.snd", "voice kazoo\nnote 0 C4 1\n");
    EXPECT_NE(fRun("soundgen", fPath("bad.snd") + " " + fPath("bad.ogg")), 0);
    EXPECT_FALSE(fs::exists(fPath("bad.ogg")));
    TestEnvironment::fWriteFile("ok.snd", "voice blip\nnote 0 A5 0.1\n");
    EXPECT_EQ(fRun("soundgen", fPath("ok.snd") + " " + fPath("ok.ogg")), 0);
    EXPECT_TRUE(fs::exists(fPath("ok.ogg")));
}
