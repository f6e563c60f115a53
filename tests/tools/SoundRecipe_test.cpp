#include "tools/lib/SoundRecipe.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "support/TestEnvironment.h"
#include "tools/lib/OggWriter.h"

using tools::SoundRecipe;

namespace {

float fPeak(const std::vector<float>& s, size_t from, size_t to) {
    float p = 0;
    for (size_t i = from; i < to && i < s.size(); ++i) p = std::max(p, std::fabs(s[i]));
    return p;
}

}  // namespace

TEST(SoundRecipeTest, NamesPitches) {
    EXPECT_NEAR(SoundRecipe::fPitch("A4"), 440.0, 1e-9);
    EXPECT_NEAR(SoundRecipe::fPitch("A5"), 880.0, 1e-9);
    EXPECT_NEAR(SoundRecipe::fPitch("C4"), 261.6256, 1e-3);
    EXPECT_NEAR(SoundRecipe::fPitch("C#4"), SoundRecipe::fPitch("Db4"), 1e-9);
    EXPECT_NEAR(SoundRecipe::fPitch("Bb3"), 233.0819, 1e-3);
    EXPECT_EQ(SoundRecipe::fPitch("H4"), 0);
    EXPECT_EQ(SoundRecipe::fPitch("C"), 0);
    EXPECT_EQ(SoundRecipe::fPitch("C#"), 0);
    EXPECT_EQ(SoundRecipe::fPitch("C4x"), 0);
}

TEST(SoundRecipeTest, RefusesBadRecipes) {
    SoundRecipe recipe;
    std::string error;
    EXPECT_FALSE(recipe.fParse("tempo 120\n", error));  // no notes
    EXPECT_FALSE(recipe.fParse("voice kazoo\nnote 0 C4 1\n", error));
    EXPECT_NE(error.find("kazoo"), std::string::npos);
    EXPECT_FALSE(recipe.fParse("note 0 X4 1\n", error));
    EXPECT_FALSE(recipe.fParse("note 0 C4\n", error));
    EXPECT_FALSE(recipe.fParse("note 0 C4 0\n", error));
    EXPECT_FALSE(recipe.fParse("tempo -3\nnote 0 C4 1\n", error));
    EXPECT_FALSE(recipe.fParse("gain 2\nnote 0 C4 1\n", error));
    EXPECT_FALSE(recipe.fParse("shout\n", error));
    EXPECT_NE(error.find("line 1"), std::string::npos);
}

TEST(SoundRecipeTest, EffectsPeakAtTheirGainAndStartAndEndSoftly) {
    for (const char* voice : {"bell", "marimba", "pluck", "pad", "bass", "soft", "blip", "thud", "swoosh"}) {
        SoundRecipe recipe;
        std::string error;
        ASSERT_TRUE(recipe.fParse(std::string("gain 0.6\nreverb 0.2 0.5\nvoice ") + voice +
                                      "\nnote 0 C5,E5 0.5 0.9\nnote 0.5 G5 0.5\n",
                                  error))
            << error;
        const std::vector<float> s = recipe.fRender(44100);
        ASSERT_GT(s.size(), 2000u) << voice;
        EXPECT_NEAR(fPeak(s, 0, s.size()), 0.6f, 1e-3f) << voice;
        // No click at either end.
        EXPECT_LT(std::fabs(s[0]) + std::fabs(s[1]), 0.02f) << voice;
        EXPECT_LT(fPeak(s, s.size() - 20, s.size()), 0.01f) << voice;
    }
}

TEST(SoundRecipeTest, LoopsLastExactlyTheirLengthAndJoin) {
    SoundRecipe recipe;
    std::string error;
    ASSERT_TRUE(
        recipe.fParse("tempo 120\nlength 8\nloop\nvoice pad\nnote 0 C4,E4,G4 8 0.5\nvoice bell\nnote 7 C6 1\n", error))
        << error;
    const std::vector<float> s = recipe.fRender(44100);
    // 8 beats at 120 per minute: 4 seconds, stereo.
    EXPECT_EQ(s.size(), 4u * 44100u * 2u);
    // The bell's ring at the end carries over into the start.
    EXPECT_GT(fPeak(s, 0, 2000), 0.01f);
}

TEST(SoundRecipeTest, EncodesAnOggVorbisFileThatDecodes) {
    SoundRecipe recipe;
    std::string error;
    ASSERT_TRUE(recipe.fParse("voice marimba\nnote 0 G5 0.25\n", error)) << error;
    const std::vector<float> s = recipe.fRender(44100);
    const auto path = (testsupport::TestEnvironment::fRoot() / "tock.ogg").string();
    ASSERT_TRUE(tools::OggWriter::fWrite(path, s, 44100, 0.4f));
    OggVorbis_File vf;
    ASSERT_EQ(ov_fopen(path.c_str(), &vf), 0);
    EXPECT_EQ(ov_info(&vf, -1)->channels, 2);
    EXPECT_EQ(ov_info(&vf, -1)->rate, 44100);
    EXPECT_EQ(ov_pcm_total(&vf, -1), static_cast<ogg_int64_t>(s.size() / 2));
    ov_clear(&vf);
    EXPECT_FALSE(tools::OggWriter::fWrite("/nonexistent/folder/x.ogg", s, 44100, 0.4f));
}
