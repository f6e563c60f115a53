// The windows of a running level, driven by clicks: the pause menu's
// restart and leave, the result with its stars and numbers, and the hearts
// and points counters.
#include "ScreensFixture.h"

#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "game/profile/GG_LEVEL_RECORD.h"
#include "game/screens/GG_WINDOW_FINISH.h"
#include "game/screens/GG_WINDOW_GAME_MENU.h"
#include "game/screens/GG_WINDOW_HEALTH.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/GG_WINDOW_SUNIME.h"
#include "game/screens/GG_WINDOW_UP_PANEL.h"

using namespace screenstest;
using game::GG_WINDOW_FINISH;
using game::GG_WINDOW_GAME_MENU;
using KEL::G_WINDOW_CONFIRM;
using KEL::KC_GUI_BUTTON5;

namespace {

class LevelWindowsTest : public ScreensTest {
protected:
    // A level of pack 0 running for the current player.
    game::GG_PLAYER* fPlaying(int32_t levelId = 1) {
        game::GG_PLAYER* player = fMakePlayer(L"Fay");
        EXPECT_TRUE(mGame->fShowLevel(0, levelId));
        mGame->fTake();
        return player;
    }
    GG_WINDOW_FINISH* fFinish() { return fWindow<GG_WINDOW_FINISH>(GG_WINDOW_NAME::kFINISH); }
    // A won level's result, with the stars the board gave it.
    void fWin(int32_t errors, int32_t levelId = 1, int32_t stars = GG_WINDOW_FINISH::kSTARS) {
        game::GG_LEVEL_RESULT result;
        result.mPackId = 0;
        result.mLevelId = levelId;
        result.mLevelTime = 83.6f;
        result.mErrors = errors;
        result.mHintsUsed = 12;
        result.mScore = 12345;
        result.mStars = stars;
        fFinish()->fShowResult(result);
        mManager->fShowWindow(GG_WINDOW_NAME::kFINISH);
    }
    // Frames drawn, as the result steps its stars while drawing.
    void fDrawn(int count, float dt = 0.1f) { fFrames(count, dt, true); }
    // The strip frame each shown star shows: 1 earned, 0 plain.
    std::vector<int32_t> fStarFrames() {
        std::vector<int32_t> frames;
        for (size_t i = 0; i < fFinish()->fGetShownStars(); ++i)
            frames.push_back(fFinish()->fGetShownStar(i)->mVertices[0].u >= 0.5f ? 1 : 0);
        return frames;
    }
    int32_t fRestartState() {
        return dynamic_cast<KC_GUI_BUTTON5*>(mManager->fFindWindow(GG_WINDOW_NAME::kGAME_MENU)
                                                 ->fGetGui()
                                                 ->fFindChild(GG_WINDOW_GAME_MENU::kRESTART))
            ->fGetState();
    }
};

}  // namespace

TEST_F(LevelWindowsTest, PauseMenuResumesRestartsAndLeavesAndRestartNeedsAHeart) {
    game::GG_PLAYER* player = fPlaying();
    const int32_t hearts = player->fGetHealth().fGetCount();
    mManager->fShowWindow(GG_WINDOW_NAME::kGAME_MENU);
    ASSERT_TRUE(fSettle());
    fShot(GG_WINDOW_NAME::kGAME_MENU);
    EXPECT_EQ(fRestartState(), KC_GUI_BUTTON5::kNORMAL);
    fClickWidget(GG_WINDOW_NAME::kGAME_MENU, GG_WINDOW_GAME_MENU::kRESTART);
    ASSERT_TRUE(fSettle());
    fShot(GG_WINDOW_NAME::kRESTART_QUESTION);
    fClickWidget(GG_WINDOW_NAME::kRESTART_QUESTION, G_WINDOW_CONFIRM::kNO);
    ASSERT_TRUE(fSettle());
    EXPECT_TRUE(mGame->fTake().empty());
    fClickWidget(GG_WINDOW_NAME::kGAME_MENU, GG_WINDOW_GAME_MENU::kRESTART);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kRESTART_QUESTION, G_WINDOW_CONFIRM::kYES);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(mGame->fTake(), (std::vector<std::string>{"pay heart", "restart level"}));
    EXPECT_EQ(player->fGetHealth().fGetCount(), hearts - 1);
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kGAME_MENU));

    mManager->fShowWindow(GG_WINDOW_NAME::kGAME_MENU);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kGAME_MENU, GG_WINDOW_GAME_MENU::kRESUME);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(mGame->fTake(), std::vector<std::string>{"resume level"});

    mManager->fShowWindow(GG_WINDOW_NAME::kGAME_MENU);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kGAME_MENU, GG_WINDOW_GAME_MENU::kLEAVE);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kLEAVE_QUESTION, G_WINDOW_CONFIRM::kYES);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(mGame->fTake(), (std::vector<std::string>{"pay heart", "stop level", "end level", "open levels 0"}));
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kGAME_MENU));
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kFADE));
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kLEVELS));

    player->fGetHealth().fSetCount(0);
    mManager->fShowWindow(GG_WINDOW_NAME::kGAME_MENU);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(fRestartState(), KC_GUI_BUTTON5::kDISABLED);
    mManager->fHideWindow(GG_WINDOW_NAME::kGAME_MENU);
    ASSERT_TRUE(fSettle());
    mGame->mEdition.mHeart = 0;
    mManager->fShowWindow(GG_WINDOW_NAME::kGAME_MENU);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(fRestartState(), KC_GUI_BUTTON5::kNORMAL) << "hearts count only in an edition with hearts";
}

TEST_F(LevelWindowsTest, AWinWithoutMistakesPopsThreeStarsAndShowsWholeNumbers) {
    game::GG_PLAYER* player = fPlaying(3);
    player->fFindLevel(0, 3)->fSetBestTime(61.0f);
    player->fGetStatistic().mScore = 20000;
    fWin(0, 3);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kFINISH, GG_WINDOW_FINISH::kLABEL_TIME), L"01:23");
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kFINISH, GG_WINDOW_FINISH::kLABEL_BEST_TIME), L"01:01");
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kFINISH, GG_WINDOW_FINISH::kLABEL_HINTS), L"12");
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kFINISH, GG_WINDOW_FINISH::kLABEL_ERRORS), L"0");
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kFINISH, GG_WINDOW_FINISH::kLABEL_SCORE), L"12345") << "every digit";
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kFINISH, GG_WINDOW_FINISH::kLABEL_TOTAL), player->fGetStatistic().fGetScoreText());
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kFINISH, GG_WINDOW_FINISH::kLABEL_LEVEL), L"Picture 3");
    EXPECT_EQ(fFinish()->fEarnedStars(), 3);
    EXPECT_EQ(fFinish()->fGetShownStars(), 1u) << "the first star pops in as the window is shown";
    fDrawn(9);
    EXPECT_EQ(fFinish()->fGetShownStars(), 2u);
    fDrawn(9);
    EXPECT_EQ(fFinish()->fGetShownStars(), 3u) << "no pause between earned stars";
    fDrawn(10);
    fShot(GG_WINDOW_NAME::kFINISH);

    // Shown again: the labels keep their format, the stars play again.
    mManager->fHideWindow(GG_WINDOW_NAME::kFINISH);
    ASSERT_TRUE(fSettle());
    fWin(12, 4, 1);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kFINISH, GG_WINDOW_FINISH::kLABEL_ERRORS), L"12");
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kFINISH, GG_WINDOW_FINISH::kLABEL_LEVEL), L"Picture 4");
    EXPECT_EQ(fFinish()->fEarnedStars(), 1);
    EXPECT_EQ(fFinish()->fGetShownStars(), 1u);
    fDrawn(9);
    EXPECT_EQ(fFinish()->fGetShownStars(), 2u) << "after the earned star, the pause with the next shown plainly";
    fDrawn(5);
    EXPECT_EQ(fFinish()->fGetShownStars(), 2u) << "still pausing";
    fDrawn(6);
    EXPECT_EQ(fFinish()->fGetShownStars(), 3u);
    fDrawn(10);
    fShot("GP_Finish_many_errors");
}

// The board's result decides the stars: the window shows what the result
// holds, whatever its errors, and never more stars than it has.
TEST_F(LevelWindowsTest, TheStarsShownAreTheResultsStars) {
    fPlaying(1);
    fWin(0, 1, 2);
    ASSERT_TRUE(fSettle());
    fDrawn(40);
    EXPECT_EQ(fFinish()->fEarnedStars(), 2);
    EXPECT_EQ(fStarFrames(), (std::vector<int32_t>{1, 1, 0}));

    mManager->fHideWindow(GG_WINDOW_NAME::kFINISH);
    ASSERT_TRUE(fSettle());
    fWin(5, 1, 9);
    ASSERT_TRUE(fSettle());
    fDrawn(40);
    EXPECT_EQ(fFinish()->fEarnedStars(), GG_WINDOW_FINISH::kSTARS);
    EXPECT_EQ(fStarFrames(), (std::vector<int32_t>{1, 1, 1}));
}

TEST_F(LevelWindowsTest, ResultLeadsToTheNextLevelThePacksOrTheLevelList) {
    fPlaying(1);
    fWin(1, 1, 2);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kFINISH, GG_WINDOW_FINISH::kNEXT);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(mGame->fTake(), (std::vector<std::string>{"stop level", "show level 0 2"}));
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kFINISH));

    fWin(0, 2);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kFINISH, GG_WINDOW_FINISH::kRESTART);
    ASSERT_TRUE(fSettle());
    fShot(GG_WINDOW_NAME::kRESTART_IN_FINISH_QUESTION);
    fClickWidget(GG_WINDOW_NAME::kRESTART_IN_FINISH_QUESTION, G_WINDOW_CONFIRM::kYES);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(mGame->fTake(), std::vector<std::string>{"restart level"}) << "playing a won level again is free";
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kFINISH));

    fWin(0, 2);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kFINISH, GG_WINDOW_FINISH::kBACK);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(mGame->fTake(), (std::vector<std::string>{"stop level", "end level", "open levels 0"}));
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kLEVELS));

    // The last level of the pack leads to the packs.
    ASSERT_TRUE(mGame->fShowLevel(0, 12));
    mGame->fTake();
    fWin(0, 12);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kFINISH, GG_WINDOW_FINISH::kNEXT);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(mGame->fTake(), (std::vector<std::string>{"stop level", "end level", "open packs"}));

    // A next level that cannot start brings the level list back.
    ASSERT_TRUE(mGame->fShowLevel(0, 5));
    mGame->mLevelsStart = false;
    mGame->fTake();
    fWin(0, 5);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kFINISH, GG_WINDOW_FINISH::kNEXT);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(mGame->fTake(),
              (std::vector<std::string>{"stop level", "show level 0 6", "stop level", "end level", "open levels 0"}));
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kFINISH));
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kFADE));
}

TEST_F(LevelWindowsTest, TheHeartsCounterFollowsALossAndAClickShowsItsFeedback) {
    game::GG_PLAYER* player = fPlaying();
    player->fFindLevel(0, 1)->fSetStars(2);
    player->fGetStatistic().mScore = 70;
    mManager->fShowWindow(GG_WINDOW_NAME::kHEART);
    mManager->fShowWindow(GG_WINDOW_NAME::kSTARS);
    mManager->fShowWindow(GG_WINDOW_NAME::kSUMIE);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kHEART, game::GG_WINDOW_HEALTH::kCOUNT), L"5");
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kHEART, game::GG_WINDOW_HEALTH::kCOUNTDOWN), L"Full");
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kSTARS, game::GG_WINDOW_SUNIME::kSTARS), L"2");
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kSUMIE, game::GG_WINDOW_SUNIME::kSCORE), L"70");

    // A lost level spends a heart: within a second the counter shows it and
    // the time to the next one.
    mGame->fUpdateHealth();
    player->fGetStatistic().mScore = 95;
    fFrames(11);
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kHEART, game::GG_WINDOW_HEALTH::kCOUNT), L"4");
    EXPECT_NE(fLabel(GG_WINDOW_NAME::kHEART, game::GG_WINDOW_HEALTH::kCOUNTDOWN), L"Full");
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kHEART, game::GG_WINDOW_HEALTH::kCOUNTDOWN).find(L':'), 2u);
    EXPECT_EQ(fLabel(GG_WINDOW_NAME::kSUMIE, game::GG_WINDOW_SUNIME::kSCORE), L"95");
    fShot(GG_WINDOW_NAME::kHEART);

    fClickWidget(GG_WINDOW_NAME::kHEART, 3);
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kHEART_FEEDBACK));
    ASSERT_TRUE(fSettle());
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kHEART_FEEDBACK)) << "gone as soon as it was shown";
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kHEART));
}

TEST_F(LevelWindowsTest, TheLevelStripShowsTheClockAndPausesIntoTheMenu) {
    fPlaying();
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(
        "<w _name='Strip' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL' layer='5'>"
        "<settings font_time='title' font_name='medium' pos_time='40 40' pos_name='512 40' fnt_time_color='FF2E2A5A'"
        " fnt_name_color='FFFFFFFF'/><GUI><BUTTON5 ID='2' TEXTURE='data/share/image/gui btn_pause.png'>"
        "<POSITION>400 -340</POSITION></BUTTON5></GUI></w>"));
    auto* strip = static_cast<game::GG_WINDOW_UP_PANEL*>(
        mManager->fAddWindow(std::make_unique<game::GG_WINDOW_UP_PANEL>(document.document_element())));
    const float clock = 754.9f;
    strip->fSetTime(&clock);
    strip->fSetName(L"Heart");
    mManager->fShowWindow("Strip");
    ASSERT_TRUE(fSettle());
    fShot("Level_Strip");
    strip->fOnClick(game::GG_WINDOW_UP_PANEL::kPAUSE);
    ASSERT_TRUE(fSettle());
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kGAME_MENU));
    EXPECT_FALSE(strip->fIsActive());
    EXPECT_EQ(mGame->fTake(), std::vector<std::string>{"pause level"});
    mManager->fHideWindow(GG_WINDOW_NAME::kGAME_MENU);
    ASSERT_TRUE(fSettle());
    EXPECT_TRUE(strip->fIsActive());
    EXPECT_EQ(mGame->fTake(), std::vector<std::string>{"resume level"}) << "the strip's focus resumes the level";
}
