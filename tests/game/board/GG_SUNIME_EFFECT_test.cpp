#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/scene/SceneFixture.h"
#include "game/board/GG_SUNIME_EFFECT.h"
#include "game/product/GG_ERROR.h"

using game::GG_SUNIME_EFFECT;
using KE_PHASE = game::GG_SUNIME_EFFECT::KE_PHASE;

namespace {

std::string fBonus(const std::string& attributes, const std::string& fps = "18",
                   const std::string& motion = "<motion time=\"0.5\" start=\"0 -30\" endoffset=\"0 -10\"/>") {
    return "<bonus_effect " + attributes +
           "><sprite_sunime><FILE>coin.png</FILE><HOT_SPOT>HS_MID</HOT_SPOT>"
           "<ANIMATION loop=\"true\" grid=\"6 1\" frames=\"6\" fps=\"" +
           fps +
           "\"/></sprite_sunime>"
           "<font fntName=\"medium\" fntColor=\"FFFFC93C\">" +
           motion +
           "<text value=\"bonus_format\"/></font>"
           "<particles_follow texture=\"dot.png\" frequency=\"30\" area=\"4\"><lifetime>0.3</lifetime>"
           "</particles_follow></bonus_effect>";
}

const char* const kSTRINGS = "<Workbook><Worksheet><Table>"
                             "<Row><Cell><Data>bonus_format</Data></Cell><Cell><Data>+%i</Data></Cell></Row>"
                             "</Table></Worksheet></Workbook>";

struct Score {
    int32_t mCalls = 0;
    int32_t mTotal = 0;
    void fOnLanded(int32_t amount) {
        ++mCalls;
        mTotal += amount;
    }
};

class SunimeTest : public scenetest::SceneFixture {
protected:
    void SetUp() override {
        scenetest::SceneFixture::SetUp();
        fWrite("coin.png", "240 40");
        fWrite("dot.png", "8 8");
        fMount();
        pugi::xml_document table;
        ASSERT_TRUE(table.load_string(kSTRINGS));
        mStrings.fRead(KEL::KC_STRING_TABLE::fFirstRow(table));
        KEL::kfFRAME_DELTA = 1.0f / 30.0f;
    }

    bool fRead(GG_SUNIME_EFFECT& effect, const std::string& xml) {
        pugi::xml_document doc;
        if (!doc.load_string(xml.c_str())) return false;
        return effect.fRead(doc.document_element());
    }

    // Frames until the phase is reached (0 when it is not within the limit).
    int fFramesUntil(GG_SUNIME_EFFECT& effect, KE_PHASE phase, int limit = 300) {
        for (int frame = 1; frame <= limit; ++frame) {
            effect.fUpdate();
            if (effect.fGetPhase() == phase) return frame;
        }
        return 0;
    }

    KEL::KC_STRING_TABLE mStrings;
};

}  // namespace

TEST_F(SunimeTest, AFlightShowsFliesLandsOnceOnItsTargetAndFades) {
    GG_SUNIME_EFFECT bonus;
    ASSERT_TRUE(fRead(bonus, fBonus("speed=\"600\" deflection=\"-90\" endpos=\"100 50\""))) << game::GG_ERROR::fText();
    bonus.fLoadResources(nullptr, &mStrings);
    EXPECT_FLOAT_EQ(bonus.fGetShowTime(), 6.0f / 18.0f);

    Score score;
    std::unique_ptr<GG_SUNIME_EFFECT> flight = bonus.fLaunch(KEL::KS_VEC2(400, 350), 50,
                                                             KEL::Closure<void()>::fBind<&Score::fOnLanded>(&score));
    EXPECT_EQ(bonus.fGetPhase(), KE_PHASE::kIDLE) << "the template itself never flies";
    EXPECT_EQ(flight->fGetPhase(), KE_PHASE::kSHOWING);
    EXPECT_EQ(flight->fGetSpritePos(), KEL::KS_VEC2(400, 350));

    // It waits one run of its animation at the cell, then flies.
    const int shown = fFramesUntil(*flight, KE_PHASE::kFLYING);
    EXPECT_NEAR(shown, 10, 1);
    EXPECT_EQ(flight->fGetSpritePos(), KEL::KS_VEC2(400, 350)) << "it has not moved while showing";

    // 300 x 300 pixels at 600 per second: about 0.7 s, on a curve lifted
    // above the straight line.
    bool lifted = false;
    int flying = 0;
    for (; flying < 200 && flight->fGetPhase() == KE_PHASE::kFLYING; ++flying) {
        flight->fUpdate();
        const KEL::KS_VEC2 at = flight->fGetSpritePos();
        if (flight->fGetPhase() != KE_PHASE::kFLYING) break;
        if (at.y < at.x - 50.0f - 5.0f) lifted = true;
        EXPECT_EQ(score.mCalls, 0) << "nothing lands before arrival";
    }
    EXPECT_NEAR(flying + 1, int(std::sqrt(2.0f) * 300.0f / 600.0f * 30.0f), 2);
    EXPECT_TRUE(lifted);
    ASSERT_EQ(flight->fGetPhase(), KE_PHASE::kLANDED);
    EXPECT_EQ(flight->fGetSpritePos(), KEL::KS_VEC2(100, 50));
    EXPECT_EQ(score.mCalls, 1);
    EXPECT_EQ(score.mTotal, 50);
    EXPECT_EQ(flight->fGetText(), L"+50");
    EXPECT_EQ(flight->fGetTextPos(), KEL::KS_VEC2(100, 20));

    // The text drifts by its offset while fading to transparent white.
    const int fading = fFramesUntil(*flight, KE_PHASE::kDONE);
    EXPECT_NEAR(fading, 15, 2);
    EXPECT_TRUE(flight->fIsDone());
    EXPECT_EQ(flight->fGetTextPos(), KEL::KS_VEC2(100, 10));
    EXPECT_EQ(flight->fGetTextColor(), 0x00FFFFFFu);
    for (int frame = 0; frame < 30; ++frame) flight->fUpdate();
    EXPECT_EQ(score.mCalls, 1) << "a flight lands once";
    flight->fReleaseResources();
    bonus.fReleaseResources();
}

TEST_F(SunimeTest, UnusableRatesFlyAtOnceAtTheDefaultSpeedAndBadNumbersFailTheRead) {
    GG_SUNIME_EFFECT bonus;
    ASSERT_TRUE(fRead(bonus, fBonus("speed=\"0\" endpos=\"100 100\"", "0",
                                    "<motion time=\"0\" start=\"0 0\" endoffset=\"0 0\"/>")));
    EXPECT_EQ(bonus.fGetShowTime(), 0.0f) << "no rate, no wait";
    Score score;
    std::unique_ptr<GG_SUNIME_EFFECT> flight = bonus.fLaunch(KEL::KS_VEC2(100 + GG_SUNIME_EFFECT::kDEFAULT_SPEED, 100),
                                                             7, KEL::Closure<void()>::fBind<&Score::fOnLanded>(&score));
    EXPECT_NEAR(fFramesUntil(*flight, KE_PHASE::kLANDED), 31, 2) << "one second at the default speed";
    EXPECT_LE(fFramesUntil(*flight, KE_PHASE::kDONE), 2) << "a zero time fades at once";
    EXPECT_EQ(score.mTotal, 7);
    EXPECT_EQ(flight->fGetText(), L"7") << "without a string table the amount alone";

    // "motion" and "text" beside "font" are found as well.
    GG_SUNIME_EFFECT beside;
    ASSERT_TRUE(fRead(beside, "<bonus_effect endpos=\"1 2\"><motion time=\"2\" start=\"5 6\"/></bonus_effect>"));
    std::unique_ptr<GG_SUNIME_EFFECT> other = beside.fLaunch(KEL::KS_VEC2(1, 2), 1, {});
    EXPECT_EQ(other->fGetTextPos(), KEL::KS_VEC2(6, 8));

    for (const char* bad : {"speed=\"nan\"", "speed=\"1e300\"", "deflection=\"1e3\"", "endpos=\"1\"",
                            "endpos=\"inf 0\"", "deflection=\"99999999999\""}) {
        GG_SUNIME_EFFECT broken;
        EXPECT_FALSE(fRead(broken, fBonus(bad))) << bad;
    }
    GG_SUNIME_EFFECT badTime;
    EXPECT_FALSE(fRead(badTime, fBonus("", "18", "<motion time=\"-1\"/>")));
    EXPECT_FALSE(GG_SUNIME_EFFECT().fRead(pugi::xml_node()));
}

TEST(GG_SUNIME_EFFECT, TheLandedTextFormatReadsNothingButTheAmount) {
    EXPECT_EQ(GG_SUNIME_EFFECT::fFormatAmount(L"+%i", 50), L"+50");
    EXPECT_EQ(GG_SUNIME_EFFECT::fFormatAmount(L"%d%% more", -3), L"-3% more");
    // Conversions that would read text or write through a pointer get
    // nothing to read.
    const std::wstring hostile = GG_SUNIME_EFFECT::fFormatAmount(L"%s%n%p %i %s", 5);
    EXPECT_LT(hostile.size(), 20u);
    EXPECT_EQ(GG_SUNIME_EFFECT::fFormatAmount(std::wstring(2000, L'x'), 1).size(),
              size_t(GG_SUNIME_EFFECT::kTEXT_LIMIT));
}
