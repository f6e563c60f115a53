#include <gtest/gtest.h>

#include <thread>

#include "game/product/GG_ERROR.h"

namespace {

using namespace game;

TEST(GameError, AFileFailureNamesTheFileAndAnotherFailureForgetsIt) {
    GG_ERROR::fClear();
    EXPECT_FALSE(GG_ERROR::fFailFile("data data.xml"));
    EXPECT_EQ(GG_ERROR::fFile(), "data data.xml");
    EXPECT_NE(GG_ERROR::fText().find("data data.xml"), std::string::npos) << GG_ERROR::fText();
    EXPECT_FALSE(GG_ERROR::fFail("Level has no full cell"));
    EXPECT_EQ(GG_ERROR::fText(), "Level has no full cell");
    EXPECT_EQ(GG_ERROR::fFile(), "") << "a failure of another kind names no file";
    GG_ERROR::fClear();
    EXPECT_EQ(GG_ERROR::fText(), "");
}

// The loader thread and the main thread may fail at once (the
// ThreadSanitizer build watches this case).
TEST(GameError, FailuresFromTwoThreadsAtOnceLeaveOneOfThem) {
    std::thread loader([] {
        for (int i = 0; i < 2000; ++i) GG_ERROR::fFailFile("a.xml");
    });
    for (int i = 0; i < 2000; ++i) GG_ERROR::fFail("board");
    loader.join();
    const std::string file = GG_ERROR::fFile();
    EXPECT_TRUE(file.empty() || file == "a.xml") << file;
    GG_ERROR::fClear();
}

}  // namespace
