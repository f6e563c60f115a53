// The tutorial guiding a level through the engine input, wired as the game
// object wires it: the script read, every kind of step ended by what it
// asks and by nothing else, the gating of cells and controls, skipping
// through the question, and when the player counts as having passed it.
#include "game/board/TutorialFixture.h"

#include "game/screens/GG_WINDOW_NAMES.h"

using tutorialtest::TutorialFixture;
using STEP = game::GG_TUTORIAL_STEP;

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

const std::vector<std::string> kHEART = {".#.#.", "#####", "#####", ".###.", "..#.."};

// A step with a skip button on its panel.
std::string fStep(const std::string& attributes, const std::string& cells = "") {
    return "<step " + attributes +
           "><GUI><BUTTON5 ID=\"200\" TEXTURE=\"data/share/main/GameProcess tutorial_skip.png\">"
           "<POSITION>898 62</POSITION></BUTTON5></GUI><cells>" +
           cells + "</cells></step>";
}

class GG_TUTORIAL_TEST : public TutorialFixture {};

}  // namespace

// ------------------------------------------------------------------ script

TEST_F(GG_TUTORIAL_TEST, ReadsEveryLevelsStepsInOrderWithTheirGating) {
    fScript("<level id=\"3\"><step type=\"TOOL\" blocktool=\"false\" blockhint=\"0\"/>"
            "<step type=\"SOMETHING\"><cells><c>2 4</c><c>bad</c><c> 0  1 </c></cells>"
            "<sprite_cells><FILE>data/share/main/GameProcess tutorial_cell.png</FILE></sprite_cells></step></level>"
            "<level id=\"4\"><step type=\"USE_RESET_SELECTION\" blockelements=\"false\" blockstore=\"false\" "
            "blockreset=\"false\"><sprite_arrow><POS>20 30</POS></sprite_arrow></step></level>");
    const auto& steps = mTutorial.fGetSteps();
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0]->fGetLevelId(), 3);
    EXPECT_EQ(steps[0]->fGetType(), STEP::kTOOL);
    EXPECT_EQ(steps[0]->mBlockTool, 0);
    EXPECT_EQ(steps[0]->mBlockHint, 0);
    EXPECT_EQ(steps[0]->mBlockElements + steps[0]->mBlockStore + steps[0]->mBlockReset, 3) << "absent means held";
    EXPECT_EQ(steps[1]->fGetType(), STEP::kCELL) << "an unknown word is a cell step";
    ASSERT_EQ(steps[1]->fGetCells().size(), 2u);
    EXPECT_EQ(steps[1]->fGetCells()[0], KEL::KS_POINT(4, 2)) << "row first, then column";
    EXPECT_EQ(steps[1]->fGetCells()[1], KEL::KS_POINT(1, 0));
    EXPECT_TRUE(steps[1]->fHasCellSprite());
    EXPECT_FALSE(steps[1]->fHasArrow());
    EXPECT_EQ(steps[1]->fGetArrow().fGetTransform()->fGetPos2(), KEL::KS_VEC2(-100.0f, -100.0f));
    EXPECT_EQ(steps[2]->fGetLevelId(), 4);
    EXPECT_EQ(steps[2]->fGetType(), STEP::kUSE_RESET_SELECTION);
    EXPECT_EQ(steps[2]->mBlockElements + steps[2]->mBlockStore + steps[2]->mBlockReset, 0);
    EXPECT_EQ(steps[2]->fGetArrow().fGetTransform()->fGetPos2(), KEL::KS_VEC2(20.0f, 30.0f));
    const char* const words[] = {"CELL",        "CELL_EMPTY",  "TOOL",
                                 "HINT",        "MAKERROR",    "ENDLESS",
                                 "CLICK_BONUS", "CLICK_STORE", "USE_RESET_SELECTION"};
    for (int32_t code = 0; code < 9; ++code) EXPECT_EQ(STEP::fTypeFromString(words[code]), code) << words[code];
    EXPECT_EQ(STEP::fTypeFromString("cell_empty"), STEP::kCELL) << "keywords are exact";
}

TEST_F(GG_TUTORIAL_TEST, StartsOnlyForALevelWithSteps) {
    fScript("<level id=\"1\">" + fStep("type=\"ENDLESS\"") + "</level>");
    fStart(fLevel(kHEART), 2);
    mTutorial.fSetGameplay(mGameplay.get());
    EXPECT_FALSE(mTutorial.fStart(2));
    EXPECT_FALSE(mTutorial.fIsRunning());
    EXPECT_FALSE(mTutorial.fIsLoaded()) << "nothing loaded for a level it does not guide";
    mTutorial.fSetGameplay(nullptr);
    EXPECT_FALSE(mTutorial.fStart(1)) << "no board to guide";
    mTutorial.fSetGameplay(mGameplay.get());
    EXPECT_TRUE(mTutorial.fStart(1));
    EXPECT_TRUE(mTutorial.fIsLoaded());
    EXPECT_EQ(mTutorial.fGetLevelId(), 1);
}

TEST_F(GG_TUTORIAL_TEST, AScriptGuidesThePackItNamesOrElseTheFirstPack) {
    // Each script in its own tutorial: (the pack read, whether it guides
    // pack 0 and pack 2 when the first pack is 0).
    struct KS_CASE {
        const char* attribute;
        int32_t pack;
        bool guides0;
        bool guides2;
    };
    const KS_CASE cases[] = {
        {"", game::GG_TUTORIAL::kFIRST_PACK, true, false},
        {" pack=\"2\"", 2, false, true},
        {" pack=\" 0 \"", 0, true, false},
        {" pack=\"two\"", game::GG_TUTORIAL::kNO_PACK, false, false},
        {" pack=\"2x\"", game::GG_TUTORIAL::kNO_PACK, false, false},
        {" pack=\"-1\"", game::GG_TUTORIAL::kNO_PACK, false, false},
        {" pack=\"70000\"", game::GG_TUTORIAL::kNO_PACK, false, false},
        {" pack=\"\"", game::GG_TUTORIAL::kNO_PACK, false, false},
    };
    for (const KS_CASE& c : cases) {
        pugi::xml_document document;
        const std::string text = std::string("<tutorial") + c.attribute +
                                 "><level id=\"1\"><step type=\"ENDLESS\"/></level></tutorial>";
        ASSERT_TRUE(document.load_string(text.c_str()));
        game::GG_TUTORIAL tutorial;
        tutorial.fLoadXml(document.document_element());
        EXPECT_EQ(tutorial.fGetPackId(), c.pack) << text;
        EXPECT_EQ(tutorial.fGuidesPack(0, 0), c.guides0) << text;
        EXPECT_EQ(tutorial.fGuidesPack(2, 0), c.guides2) << text;
        EXPECT_FALSE(tutorial.fGuidesPack(-1, -1)) << "no pack is guided by no script";
        tutorial.fClear();
        EXPECT_EQ(tutorial.fGetPackId(), game::GG_TUTORIAL::kFIRST_PACK) << "a cleared tutorial names no pack";
    }
    // Unnamed, the game's first pack is the guided one, whatever its id.
    EXPECT_TRUE(mTutorial.fGuidesPack(3, 3));
    EXPECT_FALSE(mTutorial.fGuidesPack(0, 3));
}

// ------------------------------------------------------------------ cell steps

TEST_F(GG_TUTORIAL_TEST, CellStepsEndWhenTheirCellsAreOpenAtARelease) {
    fScript("<level id=\"1\">" + fStep("type=\"CELL\"", "<c>1 0</c><c>1 4</c>") +
            fStep("type=\"CELL_EMPTY\"", "<c>0 0</c>") + fStep("type=\"ENDLESS\"") + "</level>");
    game::GG_GAMEPLAY& g = fPlay(fLevel(kHEART));
    ASSERT_EQ(fStepType(), STEP::kCELL);
    game::GG_PROCESS& board = g.fGetProcess();
    EXPECT_EQ(board.fGetCell(2, 2)->mBlocked, 1) << "cells not listed are held";
    EXPECT_EQ(board.fGetCell(1, 0)->mBlocked, 0);
    ASSERT_EQ(mTutorial.fGetCurrentStep()->fGetMarkers().size(), 2u);
    EXPECT_EQ(mTutorial.fGetCurrentStep()->fGetMarkers()[1], fCentre(1, 4));
    fClick(2, 2);
    EXPECT_FALSE(board.fGetCell(2, 2)->fIsRevealed()) << "a held cell takes no press";
    fClick(1, 0);
    EXPECT_EQ(fStepType(), STEP::kCELL) << "one of two cells open";
    fClickAside();
    EXPECT_EQ(fStepType(), STEP::kCELL);
    fClick(1, 4);
    EXPECT_EQ(fStepType(), STEP::kCELL_EMPTY);
    fClick(0, 0, 2);
    EXPECT_EQ(fStepType(), STEP::kENDLESS);
    EXPECT_EQ(g.fGetErrors(), 0);
}

TEST_F(GG_TUTORIAL_TEST, ABonusStepMarksTheFirstClosedFullCellEveryTimeTheLevelStarts) {
    fScript("<level id=\"1\">" + fStep("type=\"CLICK_BONUS\"") + fStep("type=\"ENDLESS\"") + "</level>");
    game::GG_GAMEPLAY& g = fPlay(fLevel(kHEART));
    ASSERT_EQ(fStepType(), STEP::kCELL);
    ASSERT_EQ(mTutorial.fGetCurrentStep()->fGetCells().size(), 1u);
    EXPECT_EQ(mTutorial.fGetCurrentStep()->fGetCells()[0], KEL::KS_POINT(1, 0));
    EXPECT_TRUE(g.fGetProcess().fGetCell(0, 1)->fIsBonus());
    EXPECT_EQ(g.fGetProcess().fGetCell(0, 1)->mBlocked, 0);
    // Played again, the same step makes the new board's bonus cell.
    g.fRestart();
    fStartTutorial(1);
    ASSERT_EQ(mTutorial.fGetCurrentStep()->fGetCells().size(), 1u);
    EXPECT_TRUE(g.fGetProcess().fGetCell(0, 1)->fIsBonus());
    fClick(0, 1);
    EXPECT_EQ(fStepType(), STEP::kENDLESS);
}

TEST_F(GG_TUTORIAL_TEST, ABonusStepOnAFullyOpenBoardEndsAtTheNextRelease) {
    fScript("<level id=\"1\">" + fStep("type=\"ENDLESS\" blockelements=\"false\"") + fStep("type=\"CLICK_BONUS\"") +
            fStep("type=\"ENDLESS\"") + "</level>");
    game::GG_GAMEPLAY& g = fPlay(fLevel({"##", ".."}));
    fDrag(0, 0, 0, 1);  // the whole picture, and the first step's release
    ASSERT_EQ(fStepType(), STEP::kCELL);
    EXPECT_TRUE(mTutorial.fGetCurrentStep()->fGetCells().empty());
    EXPECT_TRUE(g.fIsEnded());
    mTutorial.fNextStep();  // back to a bonus step, on a board still running
    g.fRestart();
    fStartTutorial(1);
    g.fGetProcess().fRevealAllFull();
    mTutorial.fNextStep();
    ASSERT_EQ(fStepType(), STEP::kCELL);
    EXPECT_TRUE(mTutorial.fGetCurrentStep()->fGetCells().empty());
    fClickAside();
    EXPECT_EQ(fStepType(), STEP::kENDLESS);
}

TEST_F(GG_TUTORIAL_TEST, AMistakeStepWaitsForTheFirstMistake) {
    fScript("<level id=\"1\">" + fStep("type=\"MAKERROR\" blockelements=\"false\"") + fStep("type=\"ENDLESS\"") +
            "</level>");
    game::GG_GAMEPLAY& g = fPlay(fLevel(kHEART));
    fClick(1, 0);  // right
    fClickAside();
    EXPECT_EQ(fStepType(), STEP::kMAKERROR);
    fClick(0, 0);  // a fill on an empty cell
    EXPECT_EQ(g.fGetErrors(), 1);
    EXPECT_EQ(fStepType(), STEP::kENDLESS);
}

TEST_F(GG_TUTORIAL_TEST, AnEndlessStepEndsAtTheFirstReleaseOfAPressMadeDuringIt) {
    fScript("<level id=\"1\">" + fStep("type=\"TOOL\" blocktool=\"false\"") + fStep("type=\"ENDLESS\"") +
            fStep("type=\"ENDLESS\"") + "</level>");
    fPlay(fLevel(kHEART));
    // The switch's press brings the next step on; its release is not that
    // step's first.
    fToggleSwitch();
    EXPECT_EQ(mTutorial.fGetCurrentIndex(), 1);
    // A keyboard key is no click.
    fLevelInput().fKey(32);
    EXPECT_EQ(mTutorial.fGetCurrentIndex(), 1);
    fClickAside();
    EXPECT_EQ(mTutorial.fGetCurrentIndex(), 2);
}

// ------------------------------------------------------------------ control steps

TEST_F(GG_TUTORIAL_TEST, ToolHintStoreAndResetStepsEndOnlyThroughTheirControl) {
    fScript("<level id=\"1\">" + fStep("type=\"TOOL\" blocktool=\"false\"") +
            fStep("type=\"HINT\" blockhint=\"false\"", "<c>2 2</c>") + fStep("type=\"CELL\"", "<c>2 2</c>") +
            fStep("type=\"USE_RESET_SELECTION\" blockelements=\"false\" blockreset=\"false\"") +
            fStep("type=\"ENDLESS\"") + "</level>");
    game::GG_GAMEPLAY& g = fPlay(fLevel(kHEART));
    fClickAside();
    fClick(1, 1);
    EXPECT_EQ(fStepType(), STEP::kTOOL);
    fToggleSwitch();
    EXPECT_FALSE(g.fGetControls().fGetTool());
    ASSERT_EQ(fStepType(), STEP::kHINT);
    // The hinted cell is the hint's to open: a hand's press is refused.
    fClick(2, 2, 2);
    EXPECT_FALSE(g.fGetProcess().fGetCell(2, 2)->fIsRevealed());
    EXPECT_EQ(g.fGetProcess().fGetCell(2, 2)->mBlocked, 0) << "open again after the release";
    EXPECT_EQ(fStepType(), STEP::kHINT);
    fUseHint();
    EXPECT_EQ(g.fGetHintsUsed(), 1);
    EXPECT_TRUE(g.fGetProcess().fGetCell(2, 2)->fIsRevealed()) << "the hint flew to the one cell left open";
    fClickAside();
    ASSERT_EQ(fStepType(), STEP::kUSE_RESET_SELECTION);
    fClick(1, 0, 2);  // a drag let go on the board does not end it
    EXPECT_EQ(fStepType(), STEP::kUSE_RESET_SELECTION);
    fDropOnReset(1, 1);
    EXPECT_FALSE(g.fGetProcess().fGetCell(1, 1)->fIsRevealed());
    EXPECT_EQ(fStepType(), STEP::kENDLESS) << "and the drop's release does not end the next step";
}

TEST_F(GG_TUTORIAL_TEST, AStoreStepEndsWhenTheStoreButtonIsUsedWhileTheHintButtonIsHeld) {
    fAddWindow(GG_WINDOW_NAME::kSHOP);
    mHost.mPlayer.fSetItemCount("start_hint", 0);
    fScript("<level id=\"1\">" + fStep("type=\"CLICK_STORE\" blockstore=\"false\"") + fStep("type=\"ENDLESS\"") +
            "</level>");
    game::GG_GAMEPLAY& g = fPlay(fLevel(kHEART));
    fTick(60);
    ASSERT_TRUE(g.fGetControls().fGetStore().fIsInView());
    EXPECT_TRUE(g.fGetControls().fGetHint().fIsBlocked());
    fClickAside();
    fClick(2, 2);
    EXPECT_EQ(fStepType(), STEP::kCLICK_STORE);
    fClickAt(fStorePlace());
    EXPECT_TRUE(g.fIsPaused());
    EXPECT_EQ(fStepType(), STEP::kENDLESS);
}

TEST_F(GG_TUTORIAL_TEST, HeldControlsIgnorePressesAndTellTheTutorialNothing) {
    fAddWindow(GG_WINDOW_NAME::kSHOP);
    fScript("<level id=\"1\">" + fStep("type=\"TOOL\"") + fStep("type=\"ENDLESS\"") + "</level>");
    game::GG_GAMEPLAY& g = fPlay(fLevel(kHEART));
    fToggleSwitch();
    EXPECT_TRUE(g.fGetControls().fGetTool()) << "a held switch does not turn";
    EXPECT_EQ(fStepType(), STEP::kTOOL);
    fUseHint();
    EXPECT_EQ(g.fGetHintsUsed(), 0);
    EXPECT_EQ(g.fGetHintsAvailable(), 3);
    EXPECT_EQ(fStepType(), STEP::kTOOL);
    // Let go, the same controls work and the step ends.
    mTutorial.fNextStep();
    mTutorial.fNextStep();
    EXPECT_FALSE(mTutorial.fIsRunning());
    EXPECT_FALSE(g.fGetControls().fGetHint().fIsBlocked());
    fToggleSwitch();
    EXPECT_FALSE(g.fGetControls().fGetTool());
}

// ------------------------------------------------------------------ life

TEST_F(GG_TUTORIAL_TEST, TheLastStepMarksThePlayerAndSaves) {
    fScript("<level id=\"1\">" + fStep("type=\"ENDLESS\"") + "</level>");
    game::GG_GAMEPLAY& g = fPlay(fLevel(kHEART));
    EXPECT_EQ(g.fGetProcess().fGetCell(2, 2)->mBlocked, 1);
    fClickAside();
    EXPECT_FALSE(mTutorial.fIsRunning());
    EXPECT_FALSE(mTutorial.fIsLoaded());
    EXPECT_TRUE(mHost.mPlayer.fGetPassedTutorial());
    EXPECT_TRUE(mHost.fHas("save"));
    EXPECT_EQ(g.fGetProcess().fGetCell(2, 2)->mBlocked, 0) << "gating off";
    g.fRestart();
    EXPECT_FALSE(fStartTutorial(1)) << "a player who passed it is not guided again";
}

TEST_F(GG_TUTORIAL_TEST, ALevelsLastStepBeforeTheNextLevelsStopsWithoutMarking) {
    fScript("<level id=\"1\">" + fStep("type=\"ENDLESS\"") + "</level><level id=\"2\">" + fStep("type=\"ENDLESS\"") +
            "</level>");
    fPlay(fLevel(kHEART), 1);
    fClickAside();
    EXPECT_FALSE(mTutorial.fIsRunning());
    EXPECT_FALSE(mHost.mPlayer.fGetPassedTutorial());
    EXPECT_FALSE(mHost.fHas("save"));
    // Inert once stopped: nothing of the next level's step applies here.
    game::GG_GAMEPLAY& g = *mGameplay;
    mTutorial.fOnHintUsed();
    mTutorial.fUpdate();
    fClickAside();
    EXPECT_EQ(mTutorial.fGetCurrentStep(), nullptr);
    EXPECT_EQ(g.fGetProcess().fGetCell(2, 2)->mBlocked, 0);
    fPlay(fLevel(kHEART), 2);
    EXPECT_EQ(mTutorial.fGetLevelId(), 2);
    fClickAside();
    EXPECT_TRUE(mHost.mPlayer.fGetPassedTutorial());
}

TEST_F(GG_TUTORIAL_TEST, LeavingTheLevelMarksNothingAndTheNextStartGuidesFromItsFirstStep) {
    fScript("<level id=\"1\">" + fStep("type=\"ENDLESS\"") + fStep("type=\"TOOL\" blocktool=\"false\"") +
            fStep("type=\"ENDLESS\"") + "</level>");
    const std::string level = fLevel(kHEART);
    fPlay(level);
    fClickAside();
    ASSERT_EQ(mTutorial.fGetCurrentIndex(), 1);
    fLeave();
    EXPECT_FALSE(mTutorial.fIsRunning());
    EXPECT_FALSE(mTutorial.fIsLoaded()) << "its images given back";
    EXPECT_FALSE(mHost.mPlayer.fGetPassedTutorial());
    EXPECT_FALSE(mHost.fHas("save"));
    game::GG_GAMEPLAY& g = fPlay(level);
    EXPECT_TRUE(mTutorial.fIsRunning());
    EXPECT_EQ(mTutorial.fGetCurrentIndex(), 0);
    EXPECT_EQ(g.fGetProcess().fGetCell(2, 2)->mBlocked, 1);
}

// ------------------------------------------------------------------ skip

TEST_F(GG_TUTORIAL_TEST, SkippingAsksFirstNoKeepsTheStepAndYesPassesTheTutorial) {
    KEL::G_WINDOW_CONFIRM* question = fSkipQuestion();
    ASSERT_NE(question, nullptr);
    fScript("<level id=\"1\">" + fStep("type=\"ENDLESS\"") + fStep("type=\"ENDLESS\"") + "</level>");
    game::GG_GAMEPLAY& g = fPlay(fLevel(kHEART));
    fTick();
    const KEL::KS_VEC2 skip = fSkipPlace();
    fClickAt(skip);
    EXPECT_TRUE(question->fIsOpen());
    EXPECT_TRUE(g.fIsPaused());
    EXPECT_EQ(mTutorial.fGetCurrentIndex(), 0) << "the skip button's release ends no step";
    fTick(60);
    const KEL::KS_VEC2 no = fPlace(question->fGetGui()->fFindChild(KEL::G_WINDOW_CONFIRM::kNO)->fGetTransform());
    fClickAt(no);
    fTick(60);
    EXPECT_FALSE(question->fIsOpen());
    EXPECT_FALSE(g.fIsPaused());
    EXPECT_EQ(mTutorial.fGetCurrentIndex(), 0) << "clicks on the question end no step";
    EXPECT_FALSE(mHost.mPlayer.fGetPassedTutorial());
    fClickAt(skip);
    ASSERT_TRUE(question->fIsOpen());
    fTick(60);
    fClickAt(fPlace(question->fGetGui()->fFindChild(KEL::G_WINDOW_CONFIRM::kYES)->fGetTransform()));
    EXPECT_FALSE(mTutorial.fIsRunning());
    EXPECT_TRUE(mHost.mPlayer.fGetPassedTutorial());
    EXPECT_TRUE(mHost.fHas("save"));
    EXPECT_FALSE(g.fIsPaused());
    EXPECT_EQ(g.fGetProcess().fGetCell(2, 2)->mBlocked, 0);
}

TEST_F(GG_TUTORIAL_TEST, WithoutTheQuestionTheSkipButtonLeavesTheLevelRunning) {
    fScript("<level id=\"1\">" + fStep("type=\"ENDLESS\"") + "</level>");
    game::GG_GAMEPLAY& g = fPlay(fLevel(kHEART));
    fTick();
    fClickAt(fSkipPlace());
    EXPECT_FALSE(g.fIsPaused());
    EXPECT_TRUE(mTutorial.fIsRunning());
}

// ------------------------------------------------------------------ shipped scripts

namespace {

// A new player does what each step of a shipped script asks, on the first
// two pictures of the first pack, and has passed it at the end.
class GG_TUTORIAL_SHIPPED : public TutorialFixture {
protected:
    void fFollow(const std::string& script) {
        fShippedScript(script);
        KEL::G_WINDOW* shop = fAddWindow(GG_WINDOW_NAME::kSHOP);
        ASSERT_FALSE(mHost.mPlayer.fGetPassedTutorial());
        for (int32_t level : {1, 2}) {
            fPlay("data/share/levels/pack0 level0" + std::to_string(level) + ".xml", level);
            ASSERT_TRUE(mTutorial.fIsRunning()) << level;
            for (int guard = 0; guard < 20 && mTutorial.fIsRunning(); ++guard) {
                const int32_t index = mTutorial.fGetCurrentIndex();
                ASSERT_NO_FATAL_FAILURE(fDoWhatItAsks(*mTutorial.fGetCurrentStep(), index, *shop));
                ASSERT_FALSE(mTutorial.fIsRunning() && mTutorial.fGetCurrentIndex() == index) << "stuck at " << index;
                EXPECT_EQ(mGameplay->fGetErrors(), 0) << index;
            }
            EXPECT_FALSE(mTutorial.fIsRunning());
            fLeave();
        }
        EXPECT_TRUE(mHost.mPlayer.fGetPassedTutorial());
    }

    void fDoWhatItAsks(game::GG_TUTORIAL_STEP& step, int32_t index, KEL::G_WINDOW& shop) {
        game::GG_GAMEPLAY& g = *mGameplay;
        ASSERT_TRUE(step.fHasGui());
        ASSERT_NE(step.fGetGui().fFindChild(game::GG_TUTORIAL::kSKIP_WIDGET), nullptr) << index;
        switch (step.fGetType()) {
            case STEP::kCELL:
            case STEP::kCELL_EMPTY: {
                const bool fill = step.fGetType() == STEP::kCELL;
                const bool fills = g.fGetControls().fGetTool();
                for (const KEL::KS_POINT& cell : step.fGetCells()) {
                    ASSERT_NE(g.fGetProcess().fGetCell(cell.y, cell.x), nullptr) << index;
                    ASSERT_EQ(g.fGetProcess().fGetCell(cell.y, cell.x)->fIsFull(), fill) << index;
                }
                for (const KEL::KS_POINT& cell : step.fGetCells()) fClick(cell.y, cell.x, fill == fills ? 1 : 2);
                if (step.fGetCells().empty() || mTutorial.fGetCurrentIndex() == index) fClickAside();
                break;
            }
            case STEP::kTOOL: fToggleSwitch(); break;
            case STEP::kHINT: fUseHint(); break;
            case STEP::kCLICK_STORE:
                fTick(60);
                fClickAt(fStorePlace());
                // The player closes the shop; the game resumes the level.
                EXPECT_TRUE(shop.fIsOpen());
                mHost.mWindows.fHideWindow(GG_WINDOW_NAME::kSHOP, true);
                g.fResume();
                break;
            case STEP::kUSE_RESET_SELECTION: fDropOnReset(1, 2); break;
            case STEP::kENDLESS: fClickAside(); break;
            default: FAIL() << "step " << index << " asks what a player here cannot do";
        }
    }
};

}  // namespace

TEST_F(GG_TUTORIAL_SHIPPED, TheScriptGuidesANewPlayerThroughTheFirstPictures) {
    fFollow("data/share/main/other tutorial.xml");
}

TEST_F(GG_TUTORIAL_SHIPPED, TheInAppScriptGuidesANewPlayerWhoStartsWithoutHints) {
    mHost.mEdition.mInApp = "data/share/main/other inapp.xml";
    fFollow("data/share/main/other tutorial_inapp.xml");
}
