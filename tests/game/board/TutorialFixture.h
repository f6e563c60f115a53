#pragma once

#include "engine/gui/KC_GUI_CHECKBOX_INTERFACE.h"
#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "game/app/GG_WINDOW_FACTORY.h"
#include "game/board/GG_TUTORIAL.h"
#include "game/board/GameplayFixture.h"

namespace tutorialtest {

// A level played with the tutorial wired in as the game object wires it:
// a press reaches the tutorial before the board, a release and a move after
// it, and every event then reaches the windows. Starting a level starts the
// tutorial the way the game object does: only for a player who has not
// passed it, with the tutorial then told which control was used. Ticks run
// the board's step, the tutorial and the windows; the level's input
// (fLevelInput) lets a tick pass after each stop of its gestures.
class TutorialFixture : public gameplaytest::GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_EQ(mRepository.fLoad("data/share/image/gui", gameplaytest::kPASSWORD), 1);
        mTutorial.fSetHost(&mHost);
        fRouteLikeTheGame();
        mTicks = mFrames;
        mTicks.fAdd([this] { mTutorial.fUpdate(); });
        mTicks.fAdd([this] { mHost.mWindows.fUpdate(); });
        mLevelInput = std::make_unique<testsupport::InputDriver>(
            mPump->fQueue(), [this] { mPump->fPump(); }, [this] { fTick(); });
    }

    void TearDown() override {
        mTutorial.fClear();
        mTutorial.fSetGameplay(nullptr);
        mLevelInput.reset();
        GameplayFixture::TearDown();
    }

    void fRouteLikeTheGame() {
        mPump->fRoute(
            [this](int32_t) {
                if (mGameplay) mGameplay->fOnMouseMove();
                if (mGameplay && mGameplay->fIsRunning()) mTutorial.fOnMouseMove();
                mHost.mWindows.fOnMouseMove();
            },
            [this](int32_t key) {
                if (mGameplay && mGameplay->fIsRunning()) {
                    mTutorial.fOnMouseDown(key);
                    mGameplay->fOnMouseDown(key);
                }
                mHost.mWindows.fOnMouseDown(key);
            },
            [this](int32_t key) {
                if (mGameplay) mGameplay->fOnMouseUp(key);
                if (mGameplay && mGameplay->fIsRunning()) mTutorial.fOnMouseUp(key);
                mHost.mWindows.fOnMouseUp(key);
            });
    }

    // The script from the text of its levels.
    void fScript(const std::string& levels) {
        mDocuments.push_back(std::make_unique<pugi::xml_document>());
        const std::string text = "<script><tutorial>" + levels + "</tutorial></script>";
        ASSERT_TRUE(mDocuments.back()->load_string(text.c_str()));
        mTutorial.fLoadXml(mDocuments.back()->document_element().child("tutorial"));
    }
    // A script the game ships.
    void fShippedScript(const std::string& name = "data/share/main/other tutorial.xml") {
        pugi::xml_document* script = mRepository.fGetXml(name);
        ASSERT_NE(script, nullptr);
        mTutorial.fLoadXml(script->document_element().child("tutorial"));
        mRepository.fReleaseXml(script);
    }
    // The question the skip button asks, as the window list builds it.
    KEL::KC_STRING_TABLE mStrings;

    KEL::G_WINDOW_CONFIRM* fSkipQuestion() {
        mHost.mWindows.fRegisterClass("G_WINDOW_CONFIRM", [](const pugi::xml_node& node) {
            return std::make_unique<KEL::G_WINDOW_CONFIRM>(node);
        });
        pugi::xml_document* file = mRepository.fGetXml("data/share/main/other window_confirm_skip_tutorial.xml");
        EXPECT_NE(file, nullptr);
        if (!file) return nullptr;
        auto* window = dynamic_cast<KEL::G_WINDOW_CONFIRM*>(mHost.mWindows.fCreateWindow(file->document_element()));
        mRepository.fReleaseXml(file);
        // Translated as the game's window factory does, so its texts are
        // the player's, not string keys.
        EXPECT_GE(mRepository.fLoad("data/en"), 1);
        if (pugi::xml_document* sheet = mRepository.fGetXml("strings.xml")) {
            mStrings.fRead(KEL::KC_STRING_TABLE::fFirstRow(*sheet));
            mRepository.fReleaseXml(sheet);
        }
        if (window && window->fGetGui()) game::fLocalizeTree(&window->fGetGui()->fGetRootWidget(), mStrings);
        return window;
    }

    // The level with its tutorial, as the game object starts it.
    game::GG_GAMEPLAY& fPlay(const std::string& levelFile, int32_t levelId = 1) {
        game::GG_GAMEPLAY& g = fStart(levelFile, levelId);
        fStartTutorial(levelId);
        return g;
    }
    bool fStartTutorial(int32_t levelId) {
        if (mHost.mPlayer.fGetPassedTutorial()) return false;
        mTutorial.fSetGameplay(mGameplay.get());
        if (!mTutorial.fStart(levelId)) return false;
        mGameplay->fSetControlDelegate(&mTutorial);
        return true;
    }
    // The game object ending the level.
    void fLeave() {
        mGameplay->fStop();
        mGameplay->fReleaseResources();
        mTutorial.fHalt();
    }

    int32_t fStepType() const {
        const game::GG_TUTORIAL_STEP* step = mTutorial.fGetCurrentStep();
        return step ? step->fGetType() : -1;
    }
    // One frame of everything that runs while a level is played.
    void fTick(int count = 1) { mTicks.fStep(count); }
    testsupport::InputDriver& fLevelInput() { return *mLevelInput; }
    // A click where a control or widget stands: the pointer comes from
    // aside so that buttons see it enter.
    void fClickAt(const KEL::KS_VEC2& at) { mLevelInput->fClick(at); }
    static KEL::KS_VEC2 fPlace(const KEL::KS_TRANSFORM3& t) { return t.fGetAbsolute().fGetPos2(); }
    KEL::KS_VEC2 fSwitchPlace() { return fPlace(mGameplay->fGetControls().fGetSwitch()->fGetTransform()); }
    KEL::KS_VEC2 fHintPlace() { return fPlace(*mGameplay->fGetControls().fGetHint().fGetButton().fGetTransform()); }
    KEL::KS_VEC2 fStorePlace() {
        return fPlace(
            mGameplay->fGetControls().fGetStore().fGetWidgets().fGetRootWidget().fGetChild(0)->fGetTransform());
    }
    KEL::KS_VEC2 fResetPlace() { return fPlace(*mGameplay->fGetControls().fGetReset().fGetSprite().fGetTransform()); }
    KEL::KS_VEC2 fSkipPlace() {
        return fPlace(
            mTutorial.fGetCurrentStep()->fGetGui().fFindChild(game::GG_TUTORIAL::kSKIP_WIDGET)->fGetTransform());
    }
    // The switch toggled, its knob given time to slide.
    void fToggleSwitch() {
        fClickAt(fSwitchPlace());
        fTick(30);
    }
    // The hint button used once it stands in view; the hint lands.
    void fUseHint() {
        fTick(30);
        fClickAt(fHintPlace());
        fTick(30);
        mTicks.fStepUntil([this] { return !mGameplay->fIsHintFlying(); }, 300);
    }
    // A drag from the cell dropped on the reset target.
    void fDropOnReset(int32_t row, int32_t column) {
        const KEL::KS_VEC2 target = fResetPlace();
        mLevelInput->fDrag(fCentre(row, column), target);
    }
    // A click on the empty sky beside the board.
    void fClickAside() { fClickAt(KEL::KS_VEC2(300.0f, 650.0f)); }

    game::GG_TUTORIAL mTutorial;
    testsupport::FrameStepper mTicks{kFRAME};
    std::unique_ptr<testsupport::InputDriver> mLevelInput;
};

}  // namespace tutorialtest
