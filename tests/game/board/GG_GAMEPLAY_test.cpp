// Playing a level through the engine input: presses, drags along one line,
// the judging of every opened cell, errors against the limit, score, hints,
// bonus flights, pause and the end of the level with its records.
#include "game/board/GameplayFixture.h"

#include "engine/audio/KC_AUDIO.h"
#include "engine/audio/KC_SOUND_LIST.h"
#include "engine/audio/KS_SOUND_GROUP.h"
#include "game/product/GG_SOUND_GROUP.h"
#include "game/profile/GG_PACK_RECORD.h"
#include "game/profile/GG_SAVE_LAYOUT.h"
#include "game/screens/GG_WINDOW_NAMES.h"

using gameplaytest::GameplayFixture;

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

const std::vector<std::string> kHEART = {".#.#.", "#####", "#####", ".###.", "..#.."};

class GG_GAMEPLAY_TEST : public GameplayFixture {};

}  // namespace

TEST_F(GG_GAMEPLAY_TEST, StartsTheLevelWithThePlayersLimitAndHints) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    EXPECT_TRUE(g.fIsRunning());
    EXPECT_EQ(g.fGetErrorLimit(), 3);
    EXPECT_EQ(g.fGetHintsAvailable(), 3);
    EXPECT_EQ(g.fGetControls().fGetHint().fGetCount(), 3);
    EXPECT_FALSE(g.fGetControls().fGetStore().fIsInView());
    EXPECT_EQ(g.fGetSunimeOne(), 10);
    EXPECT_EQ(g.fGetSunimeBonus(), 50);
    EXPECT_TRUE(g.fGetControls().fGetTool());
}

// ------------------------------------------------------------------ drags

TEST_F(GG_GAMEPLAY_TEST, DragsOpenTheirLineInEveryDirection) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    game::GG_PROCESS& board = g.fGetProcess();
    fDrag(1, 0, 1, 4);  // right along a full row
    for (int c = 0; c < 5; ++c) EXPECT_TRUE(board.fGetCell(1, c)->fIsRevealed()) << c;
    fDrag(2, 4, 2, 0);  // left
    for (int c = 0; c < 5; ++c) EXPECT_TRUE(board.fGetCell(2, c)->fIsRevealed()) << c;
    fDrag(4, 2, 3, 2);  // up
    EXPECT_TRUE(board.fGetCell(3, 2)->fIsRevealed());
    EXPECT_TRUE(board.fGetCell(4, 2)->fIsRevealed());
    fDrag(0, 1, 3, 1);  // down, over cells already open
    EXPECT_TRUE(board.fGetCell(0, 1)->fIsRevealed());
    EXPECT_EQ(g.fGetErrors(), 0);
    EXPECT_EQ(g.fGetScore(), 14 * 10);
    EXPECT_FALSE(g.fIsPressed());
}

TEST_F(GG_GAMEPLAY_TEST, AHeldDragKeepsToThePressRowOrColumn) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    fMoveTo(3, 1);
    fDown();
    fMoveTo(4, 3);  // one row down, two columns right: the row wins
    EXPECT_EQ(g.fGetHoveredRow(), 3);
    EXPECT_EQ(g.fGetHoveredColumn(), 3);
    ASSERT_EQ(g.fGetSelection().size(), 3u);
    fMoveTo(1, 2);  // two up, one right: the column wins
    EXPECT_EQ(g.fGetHoveredRow(), 1);
    EXPECT_EQ(g.fGetHoveredColumn(), 1);
    fMoveTo(2, 2);  // equal distances: the row
    EXPECT_EQ(g.fGetHoveredRow(), 3);
    fUp();
    EXPECT_TRUE(g.fGetSelection().empty());
}

TEST_F(GG_GAMEPLAY_TEST, BlockGapsBelongToNoCellButADragCrossesThem) {
    std::vector<std::string> rows(10, "##########");
    game::GG_GAMEPLAY& g = fStart(fLevel(rows));
    const KEL::KS_VEC2 left = fCentre(0, 4);
    const KEL::KS_VEC2 right = fCentre(0, 5);
    // Every pixel of the last column's cell maps to it, and the gap between
    // the blocks to none.
    fMoveTo(right.x + 13.0f, right.y);
    EXPECT_EQ(g.fGetHoveredColumn(), 5);
    fMoveTo((left.x + right.x) * 0.5f, left.y);
    EXPECT_EQ(g.fGetHoveredRow(), -1);
    fDown();
    EXPECT_FALSE(g.fIsPressed()) << "a press in a gap takes no cell";
    fUp();
    fDrag(0, 3, 0, 7);
    for (int c = 3; c <= 7; ++c) EXPECT_TRUE(g.fGetProcess().fGetCell(0, c)->fIsRevealed()) << c;
    // Held, the gap counts as the cell before it.
    fMoveTo(2, 2);
    fDown();
    fMoveTo((left.x + right.x) * 0.5f, fCentre(2, 2).y);
    EXPECT_EQ(g.fGetHoveredColumn(), 4);
    fUp();
    EXPECT_TRUE(g.fGetProcess().fGetCell(2, 4)->fIsRevealed());
    EXPECT_FALSE(g.fGetProcess().fGetCell(2, 5)->fIsRevealed());
}

TEST_F(GG_GAMEPLAY_TEST, LeavingTheBoardKeepsTheDragUntilItsButtonComesUp) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    fMoveTo(1, 0);
    fDown();
    fMoveTo(1, 3);
    fMoveTo(1000.0f, 20.0f);  // off the board: the last cell stays
    EXPECT_FALSE(g.fIsOverBoard());
    EXPECT_EQ(g.fGetHoveredColumn(), 3);
    // The other button and a key come and go meanwhile: nothing opens.
    fDown(2);
    fUp(2);
    fDown(65);
    fUp(65);
    EXPECT_FALSE(g.fGetProcess().fGetCell(1, 0)->fIsRevealed());
    EXPECT_TRUE(g.fIsPressed());
    fMoveTo(1, 1);  // back on the board
    fUp();
    EXPECT_TRUE(g.fGetProcess().fGetCell(1, 1)->fIsRevealed());
    EXPECT_FALSE(g.fGetProcess().fGetCell(1, 2)->fIsRevealed());
    // Released off the board: the path to the last cell is applied.
    fMoveTo(2, 0);
    fDown();
    fMoveTo(2, 4);
    fMoveTo(1000.0f, 700.0f);
    fUp();
    EXPECT_TRUE(g.fGetProcess().fGetCell(2, 4)->fIsRevealed());
}

// ---------------------------------------------------------------- judging

TEST_F(GG_GAMEPLAY_TEST, ACrossOnAFullCellAndAFillOnAnEmptyOneAreErrors) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    fClick(0, 1, 2);  // right button: the cross, on a full cell
    EXPECT_EQ(g.fGetErrors(), 1);
    EXPECT_EQ(g.fGetScore(), 10) << "a full cell opened with the cross still scores";
    EXPECT_TRUE(g.fGetProcess().fGetCell(0, 1)->fIsRevealed());
    fClick(0, 0);  // the fill on an empty cell
    EXPECT_EQ(g.fGetErrors(), 2);
    EXPECT_EQ(g.fGetScore(), 10);
    fClick(0, 2, 2);  // the cross on an empty cell is right
    EXPECT_EQ(g.fGetErrors(), 2);
    EXPECT_EQ(g.fGetAmbient().fGetErrorPanel().fGetErrors(), 2);
    EXPECT_FALSE(g.fIsEnded());
}

TEST_F(GG_GAMEPLAY_TEST, TheLastAllowedErrorPlaysOnAndTheNextLosesWithTheDragStillJudged) {
    KEL::G_WINDOW_CONFIRM* restart = fAddQuestion(GG_WINDOW_NAME::kRESTART_FINISH_QUESTION);
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    fClick(0, 0);
    fClick(0, 2);
    EXPECT_EQ(g.fGetErrors(), 2);
    EXPECT_FALSE(g.fIsEnded()) << "two of three allowed";
    fDrag(4, 0, 4, 4);  // fill: four of the five wrong, the first of them loses
    EXPECT_TRUE(g.fIsEndHandled());
    EXPECT_TRUE(g.fIsEnded());
    EXPECT_EQ(g.fGetErrors(), 6) << "the rest of the drag is judged";
    for (int c = 0; c < 5; ++c) EXPECT_TRUE(g.fGetProcess().fGetCell(4, c)->fIsRevealed());
    EXPECT_TRUE(mHost.fHas("health"));
    EXPECT_EQ(mHost.mPlayer.fGetHealth().fGetCount(), 4) << "a heart spent";
    EXPECT_EQ(mHost.mPlayer.fGetStatistic().mBadLevel, 1);
    EXPECT_TRUE(restart->fIsOpen()) << "hearts left: restart?";
    // Input is refused now.
    fClick(1, 0);
    EXPECT_FALSE(g.fGetProcess().fGetCell(1, 0)->fIsRevealed());
}

TEST_F(GG_GAMEPLAY_TEST, AWinOnTheLastCellOfADragAndNoWinAfterALossInTheSameDrag) {
    fAddQuestion(GG_WINDOW_NAME::kRESTART_FINISH_QUESTION);
    game::GG_GAMEPLAY& g = fStart(fLevel({"###", "#.."}, 0, 0));
    fClick(1, 0);
    fDrag(1, 2, 1, 1, 2);  // the cross on the two empty cells
    EXPECT_FALSE(g.fIsEnded());
    fMoveTo(0, 0);
    fDown();
    fMoveTo(0, 2);
    EXPECT_FALSE(g.fIsEndHandled());
    fUp();  // the drag's last cell completes the picture
    EXPECT_TRUE(g.fIsEndHandled());
    EXPECT_EQ(g.fGetResult().mWon, 1);
    EXPECT_EQ(g.fGetErrors(), 0);

    game::GG_GAMEPLAY& h = fStart(fLevel({"#.#"}, 0, 0));
    h.fSetErrorLimit(1);
    fClick(0, 0);
    fDrag(0, 1, 0, 2);  // the error loses; the full cell after it completes the picture
    EXPECT_TRUE(h.fIsEndHandled());
    EXPECT_EQ(h.fGetResult().mWon, 0) << "the end is handled once";
    EXPECT_EQ(h.fGetProcess().fGetProgress(), 1.0);
}

// ------------------------------------------------------------------ hints

TEST_F(GG_GAMEPLAY_TEST, HintsAreEarnedAtEachFifthOfThePictureOnePerReveal) {
    mHost.mPlayer.fSetItemCount("start_hint", 0);
    game::GG_GAMEPLAY& g = fStart(fLevel({"##########"}, 0, 0));
    EXPECT_EQ(g.fGetHintsAvailable(), 0);
    EXPECT_TRUE(g.fGetControls().fGetStore().fIsInView());
    const int expected[10] = {0, 1, 1, 2, 2, 3, 3, 4, 4, 4};
    for (int c = 0; c < 9; ++c) {
        fClick(0, c);
        EXPECT_EQ(g.fGetHintsAvailable(), expected[c]) << "after " << c + 1 << " of 10 cells";
    }
    EXPECT_EQ(g.fGetHintsEarned(), 4);
    EXPECT_EQ(g.fGetControls().fGetHint().fGetCount(), 4);
    EXPECT_FALSE(g.fGetControls().fGetStore().fIsInView());
}

TEST_F(GG_GAMEPLAY_TEST, ADragOverManyCellsEarnsOneHintPerRightReveal) {
    mHost.mPlayer.fSetItemCount("start_hint", 3);
    game::GG_GAMEPLAY& g = fStart(fLevel({"##########", ".........."}, 0, 0));
    fDrag(0, 0, 0, 6);
    EXPECT_EQ(g.fGetHintsAvailable(), 4) << "only while fewer than four are held";
    EXPECT_EQ(g.fGetHintsEarned(), 1);
}

TEST_F(GG_GAMEPLAY_TEST, AHintFliesToAClosedFullCellAndTheButtonWorksAgain) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    fFrames(30);  // the button slides into view
    const KEL::KS_VEC2 button = g.fGetControls().fGetHint().fGetButton().fGetTransform()->fGetAbsolute().fGetPos2();
    for (int hint = 1; hint <= 2; ++hint) {
        fMoveTo(button.x, button.y);
        fDown();
        fUp();
        fFrames(30);  // the button slides away, then the hint flies
        EXPECT_TRUE(g.fIsHintFlying() || g.fGetHintsUsed() == hint) << hint;
        for (int i = 0; i < 240 && g.fIsHintFlying(); ++i) fFrame();
        EXPECT_FALSE(g.fIsHintFlying());
        EXPECT_FALSE(g.fIsEnded());
        EXPECT_EQ(g.fGetHintsUsed(), hint);
        EXPECT_EQ(static_cast<int>(g.fGetProcess().fGetRevealedFull().size()), hint);
        EXPECT_EQ(g.fGetErrors(), 0) << "opened as a fill";
        fFrames(30);  // the button comes back
    }
    EXPECT_EQ(g.fGetHintsAvailable(), 1);
    EXPECT_EQ(mHost.mPlayer.fGetStatistic().mHintUse, 2);
    EXPECT_EQ(mHost.mTrophies["pc_tr_hint_use"], 2.0f);
}

TEST_F(GG_GAMEPLAY_TEST, WithNoCellLeftToHintNothingFliesAndTheButtonStays) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    g.fGetProcess().fSetCellsBlocked(1);
    g.fUseHint();
    EXPECT_FALSE(g.fIsHintFlying());
    EXPECT_FALSE(g.fIsEnded());
    EXPECT_EQ(g.fGetHintsAvailable(), 3);
    EXPECT_EQ(g.fGetControls().fGetHint().fGetCount(), 3);
    EXPECT_TRUE(g.fGetControls().fGetHint().fIsShown());
}

// ------------------------------------------------------------------ bonus

TEST_F(GG_GAMEPLAY_TEST, ABonusCellScoresAtOnceAndItsFlightLandsOnTheCounter) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART, 1));
    game::GG_ELEMENT* bonus = nullptr;
    for (game::GG_ELEMENT* cell : g.fGetProcess().fGetFullCells())
        if (cell->fIsBonus()) bonus = cell;
    ASSERT_NE(bonus, nullptr);
    fClick(bonus->fGetRow(), bonus->fGetColumn());
    EXPECT_EQ(g.fGetScore(), 60);
    EXPECT_EQ(g.fGetBonusFlightCount(), 1);
    EXPECT_EQ(g.fGetAmbient().fGetScore(), 10) << "the bonus waits for its flight";
    for (int i = 0; i < 600 && g.fGetBonusFlightCount() > 0; ++i) fFrame();
    EXPECT_EQ(g.fGetBonusFlightCount(), 0);
    EXPECT_EQ(g.fGetAmbient().fGetScore(), 60);
}

TEST_F(GG_GAMEPLAY_TEST, ABonusCellCrossedGivesNoBonus) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART, 1));
    for (game::GG_ELEMENT* cell : g.fGetProcess().fGetFullCells())
        if (cell->fIsBonus()) fClick(cell->fGetRow(), cell->fGetColumn(), 2);
    EXPECT_EQ(g.fGetScore(), 10);
    EXPECT_EQ(g.fGetBonusFlightCount(), 0);
    EXPECT_EQ(g.fGetErrors(), 1);
}

// ------------------------------------------------------------ end of level

// Opens every full cell of the Heart, making `errors` mistakes first.
class GG_GAMEPLAY_END : public GameplayFixture {
protected:
    void fSolve(game::GG_GAMEPLAY& g, int errors) {
        const int wrong[3][2] = {{0, 0}, {0, 2}, {0, 4}};
        for (int i = 0; i < errors; ++i) fClick(wrong[i][0], wrong[i][1]);
        fClick(0, 1);
        fClick(0, 3);
        fDrag(1, 0, 1, 4);
        fDrag(2, 0, 2, 4);
        fDrag(3, 1, 3, 3);
        fClick(4, 2);
    }
};

TEST_F(GG_GAMEPLAY_END, AFlawlessWinGivesThreeStarsStatisticsUnlocksAndTheResult) {
    KEL::G_WINDOW* finish = fAddWindow(GG_WINDOW_NAME::kFINISH);
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    fFrames(60);
    fSolve(g, 0);
    ASSERT_TRUE(g.fIsEndHandled());
    EXPECT_TRUE(g.fIsEnded());
    game::GG_LEVEL_RECORD* record = mHost.fGetCurrentLevel();
    EXPECT_EQ(record->fGetStars(), 3);
    EXPECT_GT(record->fGetBestTime(), 1.0f);
    EXPECT_FLOAT_EQ(record->fGetBestTime(), mHost.mShown.mLevelTime);
    EXPECT_TRUE(mHost.mPlayer.fFindLevel(0, 2)->fIsOpen()) << "the next level opens";
    const game::GG_STATISTIC& s = mHost.mPlayer.fGetStatistic();
    EXPECT_EQ(s.mWithoutError, 1);
    EXPECT_EQ(s.mWithoutHint, 1);
    EXPECT_EQ(s.mBadLevel, 0);
    EXPECT_EQ(s.mScore, 160);
    EXPECT_FLOAT_EQ(s.mMinLevelTime, mHost.mShown.mLevelTime);
    EXPECT_EQ(mHost.mShown.mStars, 3);
    EXPECT_EQ(mHost.mShown.mScore, 160);
    EXPECT_EQ(mHost.mShown.mLevelNumber, 1);
    EXPECT_NEAR(mHost.mTrophies["tr_pack_1"], 1.0f / 12.0f, 1e-6);
    EXPECT_EQ(mHost.mTrophies["tr_stars_3"], 1.0f);
    EXPECT_TRUE(mHost.fHas("save"));
    EXPECT_TRUE(mHost.fHas("submit"));
    EXPECT_GT(mHost.mHeld, 0.0f);
    // The result window opens once the sweep is through.
    EXPECT_FALSE(finish->fIsOpen());
    fWindowFrames(240);
    EXPECT_TRUE(finish->fIsOpen());
    EXPECT_TRUE(g.fIsPaused()) << "the shown result pauses the level";
}

TEST_F(GG_GAMEPLAY_END, StarsFollowTheErrorsAndAReplayKeepsTheBest) {
    fAddQuestion(GG_WINDOW_NAME::kRESTART_FINISH_QUESTION);
    mHost.mPlayer.fSetItemCount("errors", 5);
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    fSolve(g, 2);
    EXPECT_EQ(g.fGetResult().mStars, 1);
    EXPECT_EQ(mHost.mPlayer.fGetStatistic().mWithoutError, 0);
    g.fRestart();
    fSolve(g, 0);
    EXPECT_EQ(g.fGetResult().mStars, 3);
    g.fRestart();
    fSolve(g, 1);
    EXPECT_EQ(g.fGetResult().mStars, 2);
    EXPECT_EQ(mHost.fGetCurrentLevel()->fGetStars(), 3);
}

TEST_F(GG_GAMEPLAY_END, TheLastLevelOfAPackOpensTheNextPackAndTheLastPackEndsQuietly) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART), 12, 0);
    fSolve(g, 0);
    EXPECT_TRUE(mHost.mPlayer.fFindLevel(1, 1)->fIsOpen());
    game::GG_GAMEPLAY& h = fStart(fLevel(kHEART), 12, 3);
    fSolve(h, 0);
    EXPECT_TRUE(h.fIsEndHandled());
    EXPECT_EQ(mHost.mPlayer.fFindLevel(3, 12)->fGetStars(), 3);
}

TEST_F(GG_GAMEPLAY_END, TheMusicIsHalvedWhileTheWinPlaysAndComesBackAfterIt) {
    KEL::KC_AUDIO audio;
    ASSERT_EQ(audio.fInit(), 1);
    KEL::kcAUDIO = &audio;
    ASSERT_EQ(mRepository.fLoad("data/share/sound"), 1);
    KEL::KC_SOUND_LIST sounds;
    pugi::xml_document* list = mRepository.fGetXml("data/share/main/other sound.xml");
    ASSERT_NE(list, nullptr);
    sounds.fRead(list->document_element());
    mRepository.fReleaseXml(list);
    sounds.fLoadGroup(game::GG_SOUND_GROUP::kSOUNDS);
    sounds.fSetGroupVolume(game::GG_SOUND_GROUP::kMUSIC, 50.0f);
    mHost.mSound = &sounds;
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    fSolve(g, 0);
    EXPECT_FLOAT_EQ(sounds.fGetGroup(game::GG_SOUND_GROUP::kMUSIC)->mGain, 0.25f);
    const double length = sounds.fGetLength(game::GG_SOUND_GROUP::kSOUNDS, "levelwin");
    ASSERT_GT(length, 0.1);
    fFrames(static_cast<int>(length * 60.0) + 5);
    EXPECT_FLOAT_EQ(sounds.fGetGroup(game::GG_SOUND_GROUP::kMUSIC)->mGain, 0.5f);
    // A level left while the win plays never keeps the music low.
    g.fRestart();
    fSolve(g, 0);
    g.fStop();
    EXPECT_FLOAT_EQ(sounds.fGetGroup(game::GG_SOUND_GROUP::kMUSIC)->mGain, 0.5f);
    mHost.mSound = nullptr;
    sounds.fDeleteAll();
    KEL::kcAUDIO = nullptr;
}

namespace {

// A pack record locked as one sold in the store is.
void fLockPack(game::GG_PACK_RECORD& pack) {
    pugi::xml_document document;
    pugi::xml_node node = document.append_child("pack");
    const game::GG_SAVE_LAYOUT layout;
    pack.fSaveXml(node, layout);
    node.append_attribute("lock") = 1;
    ASSERT_TRUE(pack.fLoadXml(node, layout));
    ASSERT_EQ(pack.fGetLock(), 1);
}

}  // namespace

TEST_F(GG_GAMEPLAY_END, WithPacksOpenedByStarsEveryLaterPackIsWeighed) {
    mHost.mEdition.mPackLogicStars = 1;
    mHost.mEdition.mUnlockPackImmediately = 1;
    ASSERT_NO_FATAL_FAILURE(fLockPack(*mHost.mPlayer.fFindPack(1)));
    for (int level = 1; level <= 12; ++level) mHost.mPlayer.fFindLevel(0, level)->fSetStars(2);
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART), 5, 0);
    EXPECT_FALSE(mHost.mPlayer.fFindLevel(1, 1)->fIsOpen());
    fSolve(g, 0);  // 25 stars: pack 1 asks for 20, pack 2 for 45
    EXPECT_TRUE(mHost.mPlayer.fFindLevel(1, 1)->fIsOpen());
    EXPECT_FALSE(mHost.mPlayer.fFindLevel(2, 1)->fIsOpen());
    EXPECT_TRUE(mHost.mPlayer.fFindLevel(0, 6)->fIsOpen());
    EXPECT_EQ(mHost.mPlayer.fFindPack(1)->fGetLock(), 1) << "a paid edition still sells the pack";
}

TEST_F(GG_GAMEPLAY_END, AFreeEditionOpensTheWholePackWithTheStars) {
    mHost.mEdition.mPackLogicStars = 1;
    mHost.mEdition.mFree = 1;
    ASSERT_NO_FATAL_FAILURE(fLockPack(*mHost.mPlayer.fFindPack(1)));
    ASSERT_NO_FATAL_FAILURE(fLockPack(*mHost.mPlayer.fFindPack(2)));
    for (int level = 1; level <= 12; ++level) mHost.mPlayer.fFindLevel(0, level)->fSetStars(2);
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART), 5, 0);
    fSolve(g, 0);
    EXPECT_EQ(mHost.mPlayer.fFindPack(1)->fGetLock(), 0);
    EXPECT_EQ(mHost.mPlayer.fFindPack(2)->fGetLock(), 1) << "short of its stars";
}

TEST_F(GG_GAMEPLAY_END, TheInAppEditionGivesEarnsAndSpendsNoHints) {
    mHost.mEdition.mInApp = "data/share/main/other inapp.xml";
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    EXPECT_TRUE(g.fIsInApp());
    EXPECT_EQ(g.fGetHintsAvailable(), 0);
    fSolve(g, 0);
    EXPECT_EQ(g.fGetHintsEarned(), 0);
    EXPECT_EQ(g.fGetHintsAvailable(), 0);
}

TEST_F(GG_GAMEPLAY_END, TheResultWaitsForTheLastBonusFlight) {
    KEL::G_WINDOW* finish = fAddWindow(GG_WINDOW_NAME::kFINISH);
    game::GG_GAMEPLAY& g = fStart(fLevel({"#"}, 1, 0));
    fClick(0, 0);
    ASSERT_TRUE(g.fIsEndHandled());
    ASSERT_EQ(g.fGetBonusFlightCount(), 1);
    while (g.fGetBonusFlightCount() > 0) {
        mHost.mWindows.fUpdate();
        EXPECT_FALSE(finish->fIsOpen());
        fFrame();
    }
    fWindowFrames(30);
    EXPECT_TRUE(finish->fIsOpen());
}

TEST_F(GG_GAMEPLAY_END, ASecondChanceTakenRestartsAndRefusedLeaves) {
    KEL::G_WINDOW_CONFIRM* chance = fAddQuestion(GG_WINDOW_NAME::kSECOND_CHANCE_QUESTION);
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    g.fSetErrorLimit(1);
    fClick(0, 0);
    ASSERT_TRUE(g.fIsEndHandled());
    // The question waits for the mistake's icon, then pauses the level.
    fWindowFrames(2);
    ASSERT_TRUE(chance->fIsOpen());
    for (int i = 0; i < 600 && chance->fIsAnimating(); ++i) fWindowFrames(1);
    EXPECT_TRUE(g.fIsPaused());
    chance->fOnAnswer(KEL::G_WINDOW_CONFIRM::kYES);
    EXPECT_TRUE(mHost.fHas("restart"));
    EXPECT_TRUE(g.fIsRunning());
    EXPECT_EQ(g.fGetErrors(), 0);
    EXPECT_FALSE(g.fGetProcess().fGetCell(0, 0)->fIsRevealed()) << "a new board";

    fWindowFrames(2);
    fClick(0, 0);  // limit 3 again after the restart
    fClick(0, 2);
    fClick(0, 4);
    fWindowFrames(2);
    ASSERT_TRUE(chance->fIsOpen());
    chance->fOnAnswer(KEL::G_WINDOW_CONFIRM::kCLOSE);
    EXPECT_TRUE(mHost.fHas("leave")) << "no fade window: straight to the level list";
    EXPECT_FALSE(g.fIsRunning());
}

TEST_F(GG_GAMEPLAY_END, ABoughtSecondChanceGoesOnWithTheSameBoard) {
    KEL::G_WINDOW_CONFIRM* chance = fAddQuestion(GG_WINDOW_NAME::kSECOND_CHANCE_QUESTION);
    KEL::G_WINDOW_CONFIRM* buy = fAddQuestion(GG_WINDOW_NAME::kSECOND_CHANCE_BUY_QUESTION);
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    g.fSetErrorLimit(1);
    fClick(1, 0);
    fClick(0, 0);
    fWindowFrames(2);
    chance->fOnAnswer(KEL::G_WINDOW_CONFIRM::kNO);
    fWindowFrames(2);
    ASSERT_TRUE(buy->fIsOpen());
    EXPECT_TRUE(mHost.fHas("price second_chance"));
    buy->fOnAnswer(KEL::G_WINDOW_CONFIRM::kYES);
    EXPECT_TRUE(mHost.fHas("purchase second_chance"));
    g.fGiveSecondChance();
    EXPECT_FALSE(g.fIsEnded());
    EXPECT_FALSE(g.fIsPaused());
    EXPECT_EQ(g.fGetErrors(), 0);
    EXPECT_TRUE(g.fGetProcess().fGetCell(1, 0)->fIsRevealed()) << "the same board";
    fClick(1, 1);
    EXPECT_TRUE(g.fGetProcess().fGetCell(1, 1)->fIsRevealed());
}

TEST_F(GG_GAMEPLAY_END, TheOfferDeclinedAsksTheQuestionAgainAtOnce) {
    KEL::G_WINDOW_CONFIRM* chance = fAddQuestion(GG_WINDOW_NAME::kSECOND_CHANCE_QUESTION);
    KEL::G_WINDOW_CONFIRM* buy = fAddQuestion(GG_WINDOW_NAME::kSECOND_CHANCE_BUY_QUESTION);
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    g.fSetErrorLimit(1);
    fClick(0, 0);
    ASSERT_GT(g.fGetAmbient().fGetErrorPanel().fGetPendingTime(), 0.0f) << "the mistake's icon still pops in";
    for (int i = 0; i < 600 && !chance->fIsOpen(); ++i) fWindowFrames(1);
    ASSERT_TRUE(chance->fIsOpen());
    chance->fOnAnswer(KEL::G_WINDOW_CONFIRM::kNO);
    fWindowFrames(2);
    ASSERT_TRUE(buy->fIsOpen());
    buy->fOnAnswer(KEL::G_WINDOW_CONFIRM::kNO);
    fWindowFrames(600);
    EXPECT_TRUE(chance->fIsOpen()) << "asked again, not left hiding";
    EXPECT_FALSE(buy->fIsOpen());
    EXPECT_TRUE(g.fIsEnded());
}

TEST_F(GG_GAMEPLAY_END, WithoutHeartsTheLossOffersTheShopAndTheCurtainLifts) {
    KEL::G_WINDOW_CONFIRM* noHealth = fAddQuestion(GG_WINDOW_NAME::kRESTART_NO_HEALTH_QUESTION);
    KEL::G_WINDOW* fade = fAddWindow(GG_WINDOW_NAME::kFADE);
    mHost.mPlayer.fGetHealth().fSetCount(1);
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    g.fSetErrorLimit(1);
    fClick(0, 0);
    EXPECT_EQ(mHost.mPlayer.fGetHealth().fGetCount(), 0);
    fWindowFrames(2);
    ASSERT_TRUE(noHealth->fIsOpen());
    noHealth->fOnAnswer(KEL::G_WINDOW_CONFIRM::kYES);
    fWindowFrames(4);
    EXPECT_TRUE(mHost.fHas("leave shop")) << "a shop paid with points is a shop too";
    fWindowFrames(4);
    EXPECT_FALSE(fade->fIsOpen()) << "the curtain never stays in front of the level list";
}

TEST_F(GG_GAMEPLAY_END, WithNoQuestionWindowsALossReturnsToTheLevels) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    g.fSetErrorLimit(1);
    fMoveTo(0, 0);
    fDown();
    fUp();
    EXPECT_TRUE(g.fIsRunning()) << "not while the press is judged";
    fFrame();
    EXPECT_TRUE(mHost.fHas("leave"));
    EXPECT_FALSE(g.fIsRunning());
}

// ------------------------------------------------- pause, restart and leave

TEST_F(GG_GAMEPLAY_TEST, PauseMidDragDropsTheDragAndRestartStartsClean) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    fMoveTo(1, 0);
    fDown();
    fMoveTo(1, 3);
    g.fPause();  // focus lost: the game object pauses the level
    fUp();
    fFrames(10);
    g.fResume();
    EXPECT_FALSE(g.fIsPressed());
    EXPECT_FALSE(g.fGetProcess().fGetCell(1, 0)->fIsRevealed());
    const float time = g.fGetLevelTime();
    g.fPause();
    fFrames(10);
    EXPECT_EQ(g.fGetLevelTime(), time) << "paused time does not count";
    g.fResume();
    fMoveTo(2, 0);
    fDown();
    fMoveTo(2, 2);
    g.fRestart();
    EXPECT_FALSE(g.fIsPressed());
    EXPECT_TRUE(g.fGetSelection().empty());
    EXPECT_EQ(g.fGetLevelTime(), 0.0f);
    fUp();
    EXPECT_FALSE(g.fGetProcess().fGetCell(2, 0)->fIsRevealed()) << "the old press is gone";
}

TEST_F(GG_GAMEPLAY_TEST, PauseMidFlightThenRestartOrLeaveLeavesNothingFlying) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART, 1));
    g.fUseHint();
    ASSERT_TRUE(g.fIsHintFlying());
    fFrames(5);
    g.fPause();
    fFrames(30);
    EXPECT_TRUE(g.fIsHintFlying()) << "a paused flight waits";
    g.fRestart();
    EXPECT_FALSE(g.fIsHintFlying());
    EXPECT_FALSE(g.fIsEnded());
    EXPECT_EQ(g.fGetHintsUsed(), 0);
    fFrames(60);
    EXPECT_EQ(g.fGetProcess().fGetRevealedFull().size(), 0u);
    for (game::GG_ELEMENT* cell : g.fGetProcess().fGetFullCells())
        if (cell->fIsBonus()) fClick(cell->fGetRow(), cell->fGetColumn());
    g.fUseHint();
    ASSERT_EQ(g.fGetBonusFlightCount(), 1);
    g.fStop();
    EXPECT_FALSE(g.fIsHintFlying());
    EXPECT_EQ(g.fGetBonusFlightCount(), 0);
    fFrames(10);
    fStart(fLevel(kHEART));
    fClick(1, 1);
    EXPECT_TRUE(g.fGetProcess().fGetCell(1, 1)->fIsRevealed());
    EXPECT_EQ(g.fGetScore(), 10);
}

TEST_F(GG_GAMEPLAY_TEST, PurchasesRefillHintsAndRaiseTheLimit) {
    game::GG_GAMEPLAY& g = fStart(fLevel(kHEART));
    mHost.mPlayer.fSetItemCount("errors", 5);
    g.fOnPurchase("buy", "errors");
    EXPECT_EQ(g.fGetErrorLimit(), 5);
    EXPECT_EQ(g.fGetAmbient().fGetErrorPanel().fGetLimit(), 5);
    g.fOnPurchase("buy", "refill_hint");
    EXPECT_EQ(g.fGetHintsAvailable(), 6);
    g.fOnPurchase("sell", "refill_hint");
    EXPECT_EQ(g.fGetHintsAvailable(), 6);
}

TEST_F(GG_GAMEPLAY_TEST, ALevelWithoutItsPlayerRecordsDoesNotLoad) {
    mHost.mLevelId = 99;
    game::GG_GAMEPLAY g(&mHost);
    EXPECT_FALSE(g.fLoad(fLevel(kHEART)));
    EXPECT_FALSE(g.fIsRunning());
    mHost.mLevelId = 1;
    EXPECT_FALSE(g.fLoad("data/test missing.xml"));
    EXPECT_FALSE(g.fIsRunning());
    EXPECT_TRUE(g.fLoad(fLevel(kHEART)));
}
