#include <gtest/gtest.h>

#include <vector>

#include <pugixml.hpp>

#include "SceneFixture.h"
#include "engine/scene/G_ANIMATION.h"
#include "support/FuzzFindings.h"

using namespace KEL;

namespace {

class AnimationTest : public scenetest::SceneFixture {
protected:
    void SetUp() override {
        scenetest::SceneFixture::SetUp();
        fWrite("sheet.png", "256 128");
        fMount();
    }

    // The cell an animation shows, from its top-left texture coordinate.
    static int fCell(const G_ANIMATION& a) {
        const int columns = a.fGetGrid().x, rows = a.fGetGrid().y;
        const float u = a.mFlip ? a.mVertices[1].u : a.mVertices[0].u;
        const int column = int(u * float(columns) + 0.5f);
        const int row = int(a.mVertices[0].v * float(rows) + 0.5f);
        return row * columns + column;
    }

    // Plays n frames of dt and lists the cell after each frame that showed one.
    static std::vector<int> fRun(G_ANIMATION& a, int frames, float dt) {
        std::vector<int> shown;
        kfFRAME_DELTA = dt;
        for (int i = 0; i < frames; ++i)
            if (a.fUpdate()) shown.push_back(fCell(a));
        return shown;
    }

    static void fSetUp(G_ANIMATION& a, int frames, bool loop, bool pingPong) {
        a.fSetGrid(4, 2);
        a.fSetFrames(frames);
        a.fSetFps(10.0f);
        a.mLoop = loop;
        a.mPingPong = pingPong;
    }
};

}  // namespace

TEST_F(AnimationTest, AssignmentKeepsTheSourcesCellSize) {
    G_ANIMATION source("sheet.png");
    source.fSetGrid(4, 2);
    source.fReloadTexture();
    G_ANIMATION target("sheet.png");
    target.fReloadTexture();
    ASSERT_EQ(target.fGetWidth(), 256.0f) << "one cell: the whole sheet";

    target = source;
    EXPECT_EQ(target.fGetGrid(), KS_POINT(4, 2));
    EXPECT_EQ(target.fGetWidth(), 64.0f);
    EXPECT_EQ(target.fGetHeight(), 64.0f);
    EXPECT_EQ(target.mVertices[2].x - target.mVertices[0].x, 64.0f) << "the quad drawn is one cell too";
    EXPECT_EQ(fUses("sheet.png"), 2);
}

TEST_F(AnimationTest, GridSizesTheQuadToOneCellOfTheRealTexture) {
    G_ANIMATION a("sheet.png");
    a.fSetGrid(4, 2);
    a.fReloadTexture();
    EXPECT_EQ(a.fGetWidth(), 64.0f);
    EXPECT_EQ(a.fGetHeight(), 64.0f);
    EXPECT_TRUE(a.mState.wrapU && a.mState.wrapV) << "animations wrap";
    a.fSetGrid(0, -3);
    EXPECT_EQ(a.fGetGrid(), KS_POINT(1, 1)) << "an empty grid counts as 1 x 1";
}

TEST_F(AnimationTest, PlaybackOrdersByLoopAndPingPong) {
    G_ANIMATION loop;
    fSetUp(loop, 4, true, false);
    loop.fPlay();
    EXPECT_EQ(fCell(loop), 0);
    EXPECT_EQ(fRun(loop, 60, 0.06f), (std::vector<int>{0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2,
                                                       3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1}));

    G_ANIMATION bounce;
    fSetUp(bounce, 4, true, true);
    bounce.fPlay();
    EXPECT_EQ(fRun(bounce, 18, 0.06f), (std::vector<int>{0, 1, 2, 3, 2, 1, 0, 1, 2}));

    G_ANIMATION once;
    fSetUp(once, 4, false, false);
    once.fPlay();
    EXPECT_EQ(fRun(once, 40, 0.06f), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_FALSE(once.fIsPlaying());
    EXPECT_EQ(fCell(once), 3) << "stops on its last cell";
}

TEST_F(AnimationTest, CellsAdvanceOnlyWhenMoreThanAFrameTimeGathered) {
    G_ANIMATION a;
    fSetUp(a, 8, true, false);
    a.fSetFps(8.0f);
    a.fPlay(0.5f);
    EXPECT_TRUE(fRun(a, 3, 0.125f).empty()) << "the delay holds the first cell";
    EXPECT_TRUE(fRun(a, 1, 0.125f).empty()) << "exactly one cell's time is not yet more";
    EXPECT_EQ(fRun(a, 1, 0.001f).size(), 1u);
    EXPECT_TRUE(fRun(a, 3, 0.0f).empty()) << "a zero frame does nothing";
    a.fStop();
    EXPECT_TRUE(fRun(a, 5, 0.5f).empty());
    a.fResume();
    EXPECT_EQ(fRun(a, 1, 0.5f).size(), 1u);

    a.fShowFrame(9);
    EXPECT_EQ(a.fGetFrame(), 1);
    EXPECT_EQ(fCell(a), 1);
    a.mFlip = 1;
    a.fSetGrid(4, 1);
    a.fShowFrame(0);
    EXPECT_FLOAT_EQ(a.mVertices[0].u, 0.25f) << "flipped: u runs from 0.25 on the left";
    EXPECT_FLOAT_EQ(a.mVertices[1].u, 0.0f);
}

TEST_F(AnimationTest, XmlAttributesAndBrokenCounts) {
    pugi::xml_document doc;
    doc.load_string(R"(<a><FILE>sheet.png</FILE><SIZE>10 10</SIZE>
        <ANIMATION loop="0" flip="no" ping_pong="yes" reverese="true" grid="4 2" frames="6" fps="12.5"/></a>
        <b><ANIMATION frames="0" grid="0 0"/></b>
        <c><ANIMATION frames="abc"/></c>)");
    G_ANIMATION a(doc.child("a"));
    EXPECT_EQ(a.mLoop, 0);
    EXPECT_EQ(a.mFlip, 0);
    EXPECT_EQ(a.mPingPong, 1);
    EXPECT_EQ(a.mReverese, 1);
    EXPECT_EQ(a.fGetFrames(), 6);
    EXPECT_EQ(a.fGetGrid(), KS_POINT(4, 2));
    a.fReloadTexture();
    EXPECT_EQ(a.fGetWidth(), 64.0f) << "the grid overrides SIZE";

    G_ANIMATION b(doc.child("b"));
    EXPECT_EQ(b.fGetFrames(), 1);
    EXPECT_EQ(b.fGetGrid(), KS_POINT(1, 1));
    b.fPlay();
    kfFRAME_DELTA = 2.0f;
    b.fUpdate();
    G_ANIMATION c(doc.child("c"));
    EXPECT_EQ(c.fGetFrames(), 1);

    G_ANIMATION copy(a);
    EXPECT_EQ(copy.fGetFrames(), 6);
    EXPECT_EQ(copy.fGetGrid(), KS_POINT(4, 2));
    EXPECT_EQ(fUses("sheet.png"), 2);
}

// 88888 frames once overflowed the stepping's arithmetic. Frame counts and
// grid sides beyond any sprite sheet are clamped, and such an animation
// still plays, loops and bounces.
TEST_F(AnimationTest, HostileFrameAndGridCountsAreClamped) {
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(testsupport::fFinding("anim-frames.xml").c_str()));
    G_ANIMATION a(doc.child("y"));
    EXPECT_EQ(a.fGetFrames(), G_ANIMATION::kMAX_FRAMES);
    a.fSetGrid(INT32_MAX, INT32_MAX);
    EXPECT_EQ(a.fGetGrid(), KS_POINT(G_ANIMATION::kMAX_GRID, G_ANIMATION::kMAX_GRID));
    a.fSetFrames(INT32_MAX);
    EXPECT_EQ(a.fGetFrames(), G_ANIMATION::kMAX_FRAMES);
    a.mReverese = 0;  // starts from the last frame, stepping past it at once
    for (bool pingPong : {false, true}) {
        a.mPingPong = pingPong;
        a.fSetFps(1.0e9f);
        a.fPlay();
        EXPECT_EQ(fRun(a, 3, 0.5f).size(), 3u);
    }
}
