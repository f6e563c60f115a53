#include <gtest/gtest.h>

#include "engine/scene/SceneFixture.h"
#include "engine/windows/G_STARS.h"

using KEL::G_STARS;

namespace {

class StarsTest : public scenetest::SceneFixture {
protected:
    void SetUp() override {
        SceneFixture::SetUp();
        fWrite("star.png", "32 32");
        fWrite("star_empty.png", "32 32");
        fMount();
    }
};

const char* const kSETTINGS = "<stars time='0.5' amplitude='0.2' frequency='2' decay='0.5' start_size='0' "
                              "end_size='1' draw_empty='%s' stars_max='5'><TRANSFORM>100 50 0 0 0 0 0 0 0 1 1 1"
                              "</TRANSFORM></stars>";

std::string fSettings(const char* drawEmpty) {
    std::string text = kSETTINGS;
    text.replace(text.find("%s"), 2, drawEmpty);
    return text;
}

}  // namespace

TEST_F(StarsTest, EveryKeyIsRequired) {
    G_STARS stars("data star.png", "data star_empty.png");
    pugi::xml_document document;
    document.load_string("<stars time='0.5' amplitude='0.2' decay='9'/>");
    EXPECT_FALSE(stars.fLoad(document.first_child()));
    EXPECT_EQ(stars.fGetSettings().mAmplitude, 0.2f) << "what came before the gap is kept";
    EXPECT_EQ(stars.fGetSettings().mDecay, 0.0f) << "nothing after it is read";
    document.load_string(fSettings("true").c_str());
    EXPECT_TRUE(stars.fLoad(document.first_child()));
    EXPECT_EQ(stars.fGetSettings().mStarsMax, 5);
    EXPECT_TRUE(stars.fGetSettings().mDrawEmpty);
}

TEST_F(StarsTest, EarnedStarsPopInTurnAlongTheRow) {
    G_STARS stars("data star.png", "data star_empty.png");
    pugi::xml_document document;
    document.load_string(fSettings("false").c_str());
    ASSERT_TRUE(stars.fLoad(document.first_child()));
    stars.fReloadResources();
    stars.fSetPosition(200, 300);
    stars.fBuild(3);
    ASSERT_EQ(stars.fGetStarCount(), 5);
    EXPECT_EQ(stars.fGetStarTransform(2)->fGetAbsolute().mPosition, KEL::KS_VEC3(200 + 100 + 64, 350, 0));
    EXPECT_EQ(stars.fGetStarTransform(0)->mScale.x, 0.0f) << "waiting at the start size";

    KEL::kfFRAME_DELTA = 0.05f;
    for (int i = 0; i < 11; ++i) stars.fUpdate();  // past the first pop
    EXPECT_EQ(stars.fGetStarTransform(0)->mScale.x, 1.0f);
    EXPECT_EQ(stars.fGetStarTransform(2)->mScale.x, 0.0f) << "the third pops last";
    for (int i = 0; i < 30; ++i) stars.fUpdate();
    EXPECT_EQ(stars.fGetStarTransform(2)->mScale.x, 1.0f);
    EXPECT_EQ(stars.fGetStarTransform(4)->mScale.x, 1.0f) << "empty stars never pop";

    ASSERT_EQ(mRender.fBeginFrame(), 1);
    stars.fDraw();
    EXPECT_EQ(mRender.fGetRequestCount(), 3) << "empty stars hidden";
    mRender.fEndFrame();

    stars.fBuild(0);  // rebuilding mid-pop drops the old pops
    stars.fReleaseResources();
    EXPECT_EQ(fUses("data star.png"), 0);
    EXPECT_EQ(fUses("data star_empty.png"), 0);
}
