#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/audio/KC_AUDIO.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/platform/KC_RANDOM.h"
#include "engine/platform/KC_WINDOW.h"
#include "engine/platform/KF_SYSTEM.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KC_RESOURCE.h"
#include "host/recording/RecordingDevice.h"
#include "support/FakeHost.h"
#include "support/TestEnvironment.h"

using KEL::KC_CALLBACK;
using KEL::KC_GAME;

namespace {

// What the slots saw, shared by the plain slot functions below.
struct Seen {
    int32_t mInits = 0, mUpdates = 0, mDraws = 0, mBefore = 0, mAfter = 0, mCloses = 0;
    bool mAllServicesAtInit = false;
    // At the first-present slot: presents so far, and whether audio or the
    // init slot had already come.
    int32_t mPresentsAtFirst = -1;
    int32_t mFirstPresents = 0;
    int32_t mPresentsAtPrepare = -1;
    bool mRepositoryAtPrepare = false;
    bool mLateFirstPresent = false;
    float mDrawnTime = 0.0f;
    bool mStopInUpdate = false;
    int32_t mInitResult = 1;
};
Seen gSeen;

int32_t fInitSlot(void*) {
    ++gSeen.mInits;
    gSeen.mAllServicesAtInit = KEL::kcINPUT && KEL::kcWINDOW && KEL::kcRENDER && KEL::kcTIMER && KEL::kcRANDOM &&
                               KEL::kcAUDIO && KEL::kcREPOSITORY && KEL::kcbFRAME && KEL::kcbRELEASE_RESOURCE;
    return gSeen.mInitResult;
}
int32_t fPrepareSlot(void*) {
    auto* device = dynamic_cast<host::RecordingDevice*>(KEL::kcRENDER ? KEL::kcRENDER->fGetDevice() : nullptr);
    gSeen.mPresentsAtPrepare = device ? device->mPresents : -1;
    gSeen.mRepositoryAtPrepare = KEL::kcREPOSITORY != nullptr;
    return 1;
}
int32_t fFirstPresentSlot(void*) {
    ++gSeen.mFirstPresents;
    auto* device = dynamic_cast<host::RecordingDevice*>(KEL::kcRENDER ? KEL::kcRENDER->fGetDevice() : nullptr);
    gSeen.mPresentsAtFirst = device ? device->mPresents : -1;
    gSeen.mLateFirstPresent = KEL::kcAUDIO != nullptr || gSeen.mInits > 0;
    return 1;
}
int32_t fUpdateSlot(void*) {
    ++gSeen.mUpdates;
    if (gSeen.mStopInUpdate) KEL::kcGAME->mRunning = 0;
    return 1;
}
int32_t fDrawSlot(void*) {
    ++gSeen.mDraws;
    gSeen.mDrawnTime += KEL::kfFRAME_DELTA;
    return 1;
}
int32_t fBeforeSlot(void*) {
    ++gSeen.mBefore;
    return 1;
}
int32_t fAfterSlot(void*) {
    ++gSeen.mAfter;
    return KEL::kcGAME->fRelease();
}
int32_t fCloseSlot(void*) {
    ++gSeen.mCloses;
    KEL::kcGAME->mRunning = 0;
    return 1;
}

// One engine object on fake window, clock and a recording device, with
// every slot this file watches filled; everything is undone afterwards.
class GameFixture : public ::testing::Test {
protected:
    void SetUp() override {
        gSeen = Seen{};
        mGame = std::make_unique<KC_GAME>();
        mGame->mDeviceFactory = [this] {
            mDevice = new host::RecordingDevice;
            mDevice->mFailCreateAttempts = mFailDevice ? 1000 : 0;
            return mDevice;
        };
        KEL::kcGAME = mGame.get();
        fSet(KEL::kcbINIT, &fInitSlot);
        fSet(KEL::kcbUPDATE, &fUpdateSlot);
        fSet(KEL::kcbDRAW, &fDrawSlot);
        fSet(KEL::kcbBEFORE_LOOP, &fBeforeSlot);
        fSet(KEL::kcbAFTER_LOOP, &fAfterSlot);
        fSet(KEL::kcbCLOSE, &fCloseSlot);
        fSet(KEL::kcbFIRST_PRESENT, &fFirstPresentSlot);
        fSet(KEL::kcbPREPARE, &fPrepareSlot);
    }
    void TearDown() override {
        mGame->fRelease();
        for (KC_CALLBACK** slot : {&KEL::kcbINIT, &KEL::kcbUPDATE, &KEL::kcbDRAW, &KEL::kcbBEFORE_LOOP,
                                   &KEL::kcbAFTER_LOOP, &KEL::kcbCLOSE, &KEL::kcbFIRST_PRESENT, &KEL::kcbPREPARE}) {
            delete *slot;
            *slot = nullptr;
        }
        KEL::kcGAME = nullptr;
        KEL::kfFRAME_DELTA = 0.0f;
    }
    static void fSet(KC_CALLBACK*& slot, KEL::KF_CALLBACK function) {
        delete slot;
        slot = KC_CALLBACK::fCreate(function, "", nullptr);
    }
    // fInit, then the pacing the game itself sets.
    void fStart(int32_t updateCap, int32_t drawCap) {
        ASSERT_EQ(mGame->fInit("Nonogram"), 1);
        mGame->fSetUpdateRate(updateCap);
        mGame->mDrawCap = drawCap;
        KEL::kcTIMER->mMaxStep = 1.0f / 30.0f;
        mGame->mRunning = 1;
    }

    testsupport::FakeClock mClock;
    testsupport::FakeWindowScope mWindow{1920, 1080};
    testsupport::MessageBoxCatcher mBoxes;
    std::unique_ptr<KC_GAME> mGame;
    host::RecordingDevice* mDevice = nullptr;
    bool mFailDevice = false;
};

}  // namespace

TEST_F(GameFixture, InitCreatesEveryServiceBeforeTheInitSlotAndReleaseUndoesIt) {
    gSeen.mInitResult = 7;
    EXPECT_EQ(mGame->fInit("Title \xC3\xA9"), 7) << "fInit answers the init slot's result";
    EXPECT_TRUE(gSeen.mAllServicesAtInit);
    EXPECT_EQ(mGame->mGameName, "Title \xC3\xA9");
    EXPECT_EQ(mWindow->mTitle, "Title \xC3\xA9");
    EXPECT_EQ(mGame->mDesktopSize, KEL::KS_POINT(1920, 1080));
    EXPECT_EQ(KEL::kcWINDOW->mWidth, 1024);
    EXPECT_EQ(KEL::kcRANDOM->mSeed, 0u);
    EXPECT_EQ(KEL::kcTIMER->mOutput, &KEL::kfFRAME_DELTA);
    EXPECT_EQ(KC_CALLBACK::fCall(KEL::kcbRELEASE_RESOURCE, &gSeen), 0) << "an unknown key is left alone";
    EXPECT_TRUE(mBoxes.mBoxes.empty()) << "the null sound device opens, so no warning";

    EXPECT_EQ(mGame->fRelease(), 1);
    EXPECT_EQ(KEL::kcINPUT, nullptr);
    EXPECT_EQ(KEL::kcWINDOW, nullptr);
    EXPECT_EQ(KEL::kcRENDER, nullptr);
    EXPECT_EQ(KEL::kcTIMER, nullptr);
    EXPECT_EQ(KEL::kcRANDOM, nullptr);
    EXPECT_EQ(KEL::kcAUDIO, nullptr);
    EXPECT_EQ(KEL::kcREPOSITORY, nullptr);
    EXPECT_EQ(KEL::kcbRELEASE_RESOURCE, nullptr);
    EXPECT_EQ(KEL::kcbFRAME, nullptr);
}

TEST_F(GameFixture, TheWindowShowsOneClearedFrameBeforeAudioAndTheGameStart) {
    ASSERT_EQ(mGame->fInit("Nonogram"), 1);
    EXPECT_EQ(gSeen.mFirstPresents, 1);
    EXPECT_EQ(gSeen.mPresentsAtFirst, 1) << "the slot comes after the frame is out";
    EXPECT_FALSE(gSeen.mLateFirstPresent);
    EXPECT_EQ(gSeen.mPresentsAtPrepare, 0) << "what the game prepares runs beside the first frame's present";
    EXPECT_TRUE(gSeen.mRepositoryAtPrepare);
    EXPECT_EQ(mDevice->mPresents, 1);
    EXPECT_EQ(mDevice->mLastClearColor, 0xFF444444u);
    EXPECT_EQ(gSeen.mDraws, 0) << "the draw slot is the game's and waits for the loop";

    mGame->fRelease();
    gSeen = Seen{};
    mFailDevice = true;
    EXPECT_EQ(mGame->fInit("Nonogram"), -112);
    EXPECT_EQ(gSeen.mFirstPresents, 0) << "no window to show without a renderer";
}

TEST_F(GameFixture, InitFailures) {
    KEL::kcGAME = nullptr;
    EXPECT_EQ(mGame->fInit(""), -1);
    ASSERT_EQ(mBoxes.mBoxes.size(), 1u);
    EXPECT_EQ(mBoxes.mBoxes[0].first, "SERVICE/KC_GAME_SERVICE_ONE");
    EXPECT_EQ(mBoxes.mBoxes[0].second, "KC_GAME not exist. Need do some kcGAME = KC_GAME::fGetGame();");
    EXPECT_EQ(KEL::kcINPUT, nullptr) << "nothing is created without the engine object";
    KEL::kcGAME = mGame.get();

    mWindow->mFailCreate = true;
    mWindow->mFailure = "No display: no desktop here.";
    EXPECT_EQ(mGame->fInit(""), -112);
    EXPECT_EQ(gSeen.mInits, 0) << "a missing window never reaches the game's init";
    ASSERT_EQ(mBoxes.mBoxes.size(), 2u);
    EXPECT_EQ(mBoxes.mBoxes[1], std::make_pair(std::string("Error"), std::string("No display: no desktop here.")))
        << "the player learns why";
    mGame->fRelease();

    mWindow->mFailCreate = false;
    mFailDevice = true;
    EXPECT_EQ(mGame->fInit(""), -112);
    EXPECT_EQ(gSeen.mInits, 0) << "nor does a missing renderer";
    ASSERT_EQ(mBoxes.mBoxes.size(), 3u);
    EXPECT_NE(mBoxes.mBoxes[2].second.find("OpenGL"), std::string::npos) << mBoxes.mBoxes[2].second;
}

TEST_F(GameFixture, UncappedFramesRunBothStepsWithoutSleeping) {
    fStart(0, 0);
    const int32_t presentsAtStart = mDevice->mPresents;
    for (int i = 0; i < 5; ++i) {
        mClock.mNow += 3;
        EXPECT_EQ(mGame->fFrame(), 1);
    }
    EXPECT_EQ(gSeen.mUpdates, 5);
    EXPECT_EQ(gSeen.mDraws, 5);
    EXPECT_TRUE(mClock.mSleeps.empty());
    EXPECT_EQ(mDevice->mPresents - presentsAtStart, 5);
}

TEST_F(GameFixture, CappedLogicSleepsTheTruncatedRemainderAndRunsAtTheTarget) {
    fStart(60, 0);
    mGame->mTimer.fTick();
    mGame->mUpdateAccumulator = 0.0f;

    mClock.mNow += 5;  // 5 ms of 16.67
    mGame->fFrame();
    ASSERT_EQ(mClock.mSleeps.size(), 1u);
    EXPECT_EQ(mClock.mSleeps[0], 11u) << "11.67 ms left, truncated";
    EXPECT_EQ(gSeen.mUpdates, 0);
    EXPECT_EQ(gSeen.mDraws, 0) << "a frame whose logic only slept draws nothing";

    // The sleep moved the clock to 16 ms: 0.67 ms short sleeps 0, still skips.
    mGame->fFrame();
    EXPECT_EQ(mClock.mSleeps.back(), 0u);
    EXPECT_EQ(gSeen.mUpdates, 0);

    mClock.mNow += 1;  // 17 ms: due
    mGame->fFrame();
    EXPECT_EQ(gSeen.mUpdates, 1);
    EXPECT_EQ(gSeen.mDraws, 1);

    // An accumulator exactly at the target runs the step.
    mGame->fSetUpdateRate(10);
    EXPECT_EQ(mGame->mUpdateAccumulator, 0.0f);
    mGame->mTimer.fTick();
    mClock.mNow += 100;
    const size_t sleeps = mClock.mSleeps.size();
    mGame->fFrame();
    EXPECT_EQ(gSeen.mUpdates, 2);
    EXPECT_EQ(mClock.mSleeps.size(), sleeps);
}

TEST_F(GameFixture, OneSimulatedSecondAtSixtyGivesSixtyStepsAndRealGameTime) {
    fStart(60, 60);
    mGame->mTimer.fTick();
    mGame->mUpdateAccumulator = 0.0f;
    const uint32_t start = mClock.mNow;
    // Every frame costs 1 ms of work besides the sleeps.
    while (mClock.mNow - start < 1000) {
        mClock.mNow += 1;
        ASSERT_EQ(mGame->fFrame(), 1);
    }
    EXPECT_NEAR(gSeen.mUpdates, 60, 1);
    EXPECT_EQ(gSeen.mDraws, gSeen.mUpdates) << "each logic delta is drawn once: none waits a second slot";
    EXPECT_NEAR(gSeen.mDrawnTime, 1.0f, 0.05f) << "draw-driven game time follows real time";
    for (int i = 0; i < 100 && mGame->mUpdateRate == 0; ++i) {
        mClock.mNow += 1;
        mGame->fFrame();
    }
    EXPECT_NEAR(mGame->mUpdateRate, 60, 1) << "the rate is measured once the second is full";
    EXPECT_NEAR(mGame->mDrawRate, 60, 3);
}

// A 60 Hz screen seen through a millisecond clock: steps of 16 and 17 ms.
// Each logic step's delta is drawn in its own frame; before, the first
// 16 ms step after each second's restart fell short of its slot and the
// screen kept a frame for two slots once a second.
TEST_F(GameFixture, DrawsAtTheCapKeepPaceWithLogicStepsOfAWholeMillisecondClock) {
    fStart(0, 60);
    mGame->mTimer.fTick();
    KEL::kcTIMER->fTick();
    int32_t frames = 0;
    for (int32_t slot = 1; slot <= 180; ++slot) {
        mClock.mNow = 5000 + uint32_t(slot * 1000 / 60);
        ASSERT_EQ(mGame->fFrame(), 1);
        ++frames;
        ASSERT_EQ(gSeen.mDraws, frames) << "slot " << slot << " was not drawn";
    }
    EXPECT_NEAR(mGame->mDrawRate, 60, 1) << "still no more than the cap";
}

TEST_F(GameFixture, ClearingRunningInTheUpdateSlotSkipsTheDraw) {
    fStart(0, 0);
    gSeen.mStopInUpdate = true;
    EXPECT_EQ(mGame->fFrame(), -109);
    EXPECT_EQ(gSeen.mUpdates, 1);
    EXPECT_EQ(gSeen.mDraws, 0);
    EXPECT_EQ(mGame->fFrame(), -109);
    EXPECT_EQ(gSeen.mUpdates, 1);
}

TEST_F(GameFixture, RunLoopsUntilTheWindowAsksToCloseThenReleases) {
    ASSERT_EQ(mGame->fInit(""), 1);
    mWindow->fPush(host::kMsgKeyDown, 'A');
    mWindow->fPush(host::kMsgClose);
    mGame->fRun();
    EXPECT_EQ(gSeen.mBefore, 1);
    EXPECT_EQ(gSeen.mCloses, 1);
    EXPECT_EQ(gSeen.mAfter, 1);
    EXPECT_EQ(gSeen.mUpdates, 1) << "the close came with the first pump";
    EXPECT_EQ(KEL::kcWINDOW, nullptr) << "the after-loop slot released the engine";
    EXPECT_EQ(mGame->mAudioThread, nullptr);

    // Without the services the loop does not start.
    gSeen = Seen{};
    mGame->fRun();
    EXPECT_EQ(gSeen.mBefore, 0);
}

TEST_F(GameFixture, ARequestToEndWhileTheNoSoundWarningIsUpEndsTheLoopThroughTheCloseSlot) {
    mGame->mAudioOpen = [] { return KEL::KS_RESULT::kFAILED; };
    mBoxes.mAnswer = host::MessageBoxAnswer::kEndRequested;
    ASSERT_EQ(mGame->fInit(""), 1);
    EXPECT_TRUE(mBoxes.mBoxes.empty()) << "the warning waits for the loop, behind the first frame";
    mGame->fRun();
    ASSERT_EQ(mBoxes.mBoxes.size(), 1u);
    EXPECT_EQ(mBoxes.mBoxes[0],
              std::make_pair(std::string("Warning"), std::string("No sound device has been detected. The game will "
                                                                 "continue without audio.")));
    EXPECT_EQ(gSeen.mCloses, 1) << "the request reaches the game as its window's close would";
    EXPECT_EQ(gSeen.mAfter, 1) << "and the loop ends as after any close";
}

TEST_F(GameFixture, SetResolutionTouchesNothingWhenUnchanged) {
    ASSERT_EQ(mGame->fInit(""), 1);
    const int32_t modes = mWindow->mSetModeCalls;
    const int32_t resets = mDevice->mResets;
    EXPECT_EQ(mGame->fSetResolution(1024, 768, false, false), 0);
    EXPECT_EQ(mWindow->mSetModeCalls, modes);
    EXPECT_EQ(mDevice->mResets, resets);

    EXPECT_EQ(mGame->fSetResolution(1024, 768, true, true), 1);
    EXPECT_EQ(mWindow->mSetModeCalls, modes + 1);
    EXPECT_TRUE(mWindow->mFullscreen);
    EXPECT_FLOAT_EQ(KEL::kcWINDOW->mScale, 1.40625f);
    EXPECT_EQ(mGame->mFullscreen, 1);
}

TEST_F(GameFixture, ConfigIsWrittenWhenMissingAndReadBack) {
    mGame->mCompanyName = "Studio";
    mGame->mGameName = "Puzzles";
    mGame->mResolution = KEL::KS_POINT(800, 600);
    EXPECT_EQ(mGame->fLoadConfig(), 1);
    const std::string path = mGame->fGetConfigFolder() + "/config.xml";
    ASSERT_EQ(KEL::fFileExists(path), KEL::KE_PATH_KIND::kFILE);

    std::ofstream(path, std::ios::trunc)
        << "<vantrel_settings><game_name>Puzzles</game_name><company_name>Studio</company_name>"
           "<resolution>1280 720</resolution></vantrel_settings>";
    EXPECT_EQ(mGame->fLoadConfig(), 1);
    EXPECT_EQ(mGame->mResolution, KEL::KS_POINT(1280, 720));

    std::ofstream(path, std::ios::trunc) << "not xml <";
    EXPECT_EQ(mGame->fLoadConfig(), -112);
    EXPECT_EQ(mGame->mResolution, KEL::KS_POINT(1280, 720)) << "a broken file changes nothing";
}

TEST(KC_GAME_ENTRY, RegistersTheEntryAndTheDefaultCloseThatEndsTheProcess) {
    KC_CALLBACK* entry = KEL::kcbENTRY;
    KC_CALLBACK* close = KEL::kcbCLOSE;
    {
        KEL::KC_GAME_ENTRY registration(&fInitSlot, "a", "b");
        ASSERT_NE(KEL::kcbENTRY, nullptr);
        EXPECT_EQ(KEL::kcbENTRY->mFunction, &fInitSlot);
        EXPECT_EQ(registration.mFirst, "a");
        EXPECT_EXIT(KC_CALLBACK::fCall(KEL::kcbCLOSE), ::testing::ExitedWithCode(1), "");
        delete KEL::kcbENTRY;
        delete KEL::kcbCLOSE;
    }
    KEL::kcbENTRY = entry;
    KEL::kcbCLOSE = close;
    EXPECT_EQ(KC_GAME::fGetGame(), KC_GAME::fGetGame());
}

TEST_F(GameFixture, ReleaseResourceSlotGivesBackXmlAndRawByKey) {
    ASSERT_EQ(mGame->fInit(""), 1);
    testsupport::TestEnvironment::fWriteFile("Resources/engine_release/doc.xml", "<root/>");
    testsupport::TestEnvironment::fWriteFile("Resources/engine_release/bytes.bin", "1234");
    ASSERT_EQ(KEL::kcREPOSITORY->fLoad("engine_release"), 1);

    pugi::xml_document* document = KEL::kcREPOSITORY->fGetXml("engine_release doc.xml");
    ASSERT_NE(document, nullptr);
    ASSERT_EQ(KEL::kcREPOSITORY->fGetXml("engine_release doc.xml"), document);
    uint8_t* bytes = KEL::kcREPOSITORY->fGetRaw("engine_release bytes.bin");
    ASSERT_NE(bytes, nullptr);

    EXPECT_EQ(KC_CALLBACK::fCall(KEL::kcbRELEASE_RESOURCE, document), 0);
    EXPECT_EQ(KEL::kcREPOSITORY->fFindByKey(document)->mUses, 1);
    EXPECT_EQ(KC_CALLBACK::fCall(KEL::kcbRELEASE_RESOURCE, bytes), 0);
    EXPECT_EQ(KEL::kcREPOSITORY->fFindByKey(bytes)->mUses, 0);
    EXPECT_EQ(KC_GAME::fOnReleaseResource(nullptr), 0);
}
