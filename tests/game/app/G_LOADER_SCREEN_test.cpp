// The loading screen's timing over the recording device, frame by frame in
// game time: the splash time starts when the splash is on screen, loading
// runs beside the splash (the hand-over comes when the later of the two
// ends, not after both), and what a key or an unreadable picture does to a
// splash not yet shown. No game object: the hand-over needs no transition.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_THREAD.h"
#include "engine/platform/KC_TIMER.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "game/app/G_LOADER_SCREEN.h"
#include "host/Image.h"
#include "host/recording/RecordingDevice.h"
#include "support/FrameDelta.h"
#include "support/TestEnvironment.h"

namespace {

using testsupport::TestEnvironment;
using Clock = std::chrono::steady_clock;

constexpr float kFRAME = 1.0f / 60.0f;
constexpr float kSPLASH = 0.5f;
constexpr const char* kOTHER = "data/share/main/other";

// The loader: finishes when the test says so (or when asked to stop).
std::atomic<bool> gRelease{false};

uint32_t fHeldLoader(void* argument) {
    auto* screen = static_cast<game::G_LOADER_SCREEN*>(argument);
    screen->fSetProgress(10);
    while (!gRelease.load() && !KEL::KC_THREAD::fStopRequested())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    screen->fFinish(KEL::KS_RESULT::kOK);
    return KEL::KS_RESULT::kOK;
}

class LoaderScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        gRelease.store(false);
        KEL::KC_FILESYSTEM::fGetInstance();
        TestEnvironment::fEmptyFolder("Resources");
        mRender = std::make_unique<KEL::KC_RENDER>();
        mRender->fSetDevice(new host::RecordingDevice);
        ASSERT_EQ(mRender->fInit(nullptr, 0.1f, 0.0f), 1);
        KEL::kcRENDER = mRender.get();
        std::vector<uint8_t> rgba(8 * 6 * 4, 0xC0);
        TestEnvironment::fMakeFolder("Resources/splash");
        ASSERT_TRUE(
            host::fWritePng((TestEnvironment::fRoot() / "Resources/splash/card.png").string(), rgba.data(), 8, 6));
        TestEnvironment::fWriteFile("Resources/splash/broken.png", "not an image");
    }
    void TearDown() override {
        gRelease.store(true);
        mScreen.reset();
        mRepository.reset();
        KEL::kcREPOSITORY = nullptr;
        KEL::kcRENDER = nullptr;
        mRender.reset();
        testsupport::fSetFrameDelta(0.0f);
    }

    // The screen file with these splash children, mounted as the game
    // mounts it; the screen made, neither its pictures nor its loader
    // started.
    void fMake(const std::string& splashes) {
        TestEnvironment::fWriteFile(std::string("Resources/") + kOTHER + "/screen_loading.xml",
                                    "<loading><background><FILE>data/share/image/gui absent.png</FILE></background>"
                                    "<splashes time_per_splash=\"0.5\" time_fade=\"0.25\" back_color=\"0xFF102030\">" +
                                        splashes + "</splashes></loading>");
        mRepository = std::make_unique<KEL::KC_REPOSITORY>();
        KEL::kcREPOSITORY = mRepository.get();
        ASSERT_EQ(mRepository->fLoad(kOTHER, ""), 1);
        mScreen = std::make_unique<game::G_LOADER_SCREEN>(&fHeldLoader);
    }

    // One frame as the game's frame runs it while loading, kFRAME long;
    // whether the hand-over may run.
    bool fFrame() {
        testsupport::fSetFrameDelta(kFRAME);
        mScreen->fUpdate();
        mScreen->fDraw();
        return mScreen->fStartFade();
    }
    // Frames before the pictures are started, then frames (each in real
    // time) until they are on screen. Game time passed in them is not the
    // splash's. Then waits (in real time, no frames) for the pictures under
    // the splash, which hold the last one: a loaded machine decodes them
    // slower than the frames run.
    void fShow(int framesBefore) {
        for (int i = 0; i < framesBefore; ++i) EXPECT_FALSE(fFrame());
        EXPECT_FALSE(mScreen->fIsShown());
        mScreen->fAcquireTextures();
        const Clock::time_point end = Clock::now() + std::chrono::seconds(30);
        while (!mScreen->fIsShown() && Clock::now() < end) {
            EXPECT_FALSE(fFrame());
            std::this_thread::yield();
        }
        ASSERT_TRUE(mScreen->fIsShown());
        while (!mScreen->fArePicturesIn() && Clock::now() < end) std::this_thread::yield();
        ASSERT_TRUE(mScreen->fArePicturesIn());
    }
    // Frames up to that game time after the pictures came; the time the
    // hand-over first answered true, or -1.
    float fRunUntil(float seconds) {
        for (; mTime < seconds - kFRAME / 2; mTime += kFRAME)
            if (fFrame()) return mTime + kFRAME;
        return -1.0f;
    }
    // The loader ends now; waits (in real time) until it has reported.
    void fFinishLoading() {
        gRelease.store(true);
        const Clock::time_point end = Clock::now() + std::chrono::seconds(30);
        while (mScreen->fGetProgress() < 100 && Clock::now() < end) std::this_thread::yield();
        ASSERT_EQ(mScreen->fGetProgress(), 100);
    }

    std::unique_ptr<KEL::KC_RENDER> mRender;
    std::unique_ptr<KEL::KC_REPOSITORY> mRepository;
    std::unique_ptr<game::G_LOADER_SCREEN> mScreen;
    float mTime = 0.0f;  // game time since the first frame that showed the pictures
};

constexpr const char* kCARD = "<splash FILE=\"splash/card.png\" POS=\"512 384\" HOT_SPOT=\"HS_MID\"/>";

}  // namespace

TEST_F(LoaderScreenTest, LoadingShorterThanTheSplashHandsOverWhenTheSplashEnds) {
    ASSERT_NO_FATAL_FAILURE(fMake(kCARD));
    mScreen->fStart();
    ASSERT_NO_FATAL_FAILURE(fShow(20));
    EXPECT_EQ(fRunUntil(0.3f), -1.0f);
    EXPECT_EQ(mScreen->fGetSplashIndex(), 0) << "frames before the splash was shown are not its time";
    ASSERT_NO_FATAL_FAILURE(fFinishLoading());
    const float handOver = fRunUntil(2.0f);
    EXPECT_GE(handOver, kSPLASH - kFRAME / 2) << "the splash's whole time on screen";
    EXPECT_LE(handOver, kSPLASH + 1.5f * kFRAME) << "loading ran beside the splash";
}

// The first uses of the pictures under a still splash stall a frame; the
// step the fades see is clamped, the splash counts the stall whole.
TEST_F(LoaderScreenTest, AStallUnderTheSplashIsItsTimeWholeThoughTheStepIsClamped) {
    ASSERT_NO_FATAL_FAILURE(fMake(kCARD));
    mScreen->fStart();
    ASSERT_NO_FATAL_FAILURE(fShow(1));
    ASSERT_NO_FATAL_FAILURE(fFinishLoading());
    KEL::KC_TIMER timer;
    timer.mMaxStep = 0.1f;
    timer.mStepMs = 300;
    KEL::KC_TIMER* const before = KEL::kcTIMER;
    KEL::kcTIMER = &timer;
    testsupport::fSetFrameDelta(timer.mMaxStep);
    mScreen->fUpdate();
    mScreen->fDraw();
    EXPECT_FALSE(mScreen->fStartFade());
    timer.mStepMs = 17;
    mTime = 0.3f;
    const float handOver = fRunUntil(2.0f);
    KEL::kcTIMER = before;
    EXPECT_GE(handOver, kSPLASH - kFRAME / 2);
    EXPECT_LE(handOver, kSPLASH + 1.5f * kFRAME) << "the stall was 0.3 s of the splash, not 0.1";
}

// Decoding, the pictures under the splash hold the repository, which the
// start-up reads before it starts the loader: they wait for that start (or
// the screen's first frame), and a screen let go before does not wait.
TEST_F(LoaderScreenTest, ThePicturesUnderTheSplashWaitForTheLoadersStartOrTheFirstFrame) {
    ASSERT_NO_FATAL_FAILURE(fMake(kCARD));
    mScreen->fAcquireTextures();
    const Clock::time_point end = Clock::now() + std::chrono::seconds(30);
    while (!mScreen->fAreSplashesIn() && Clock::now() < end) std::this_thread::yield();
    ASSERT_TRUE(mScreen->fAreSplashesIn());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(mScreen->fArePicturesIn());
    mScreen->fStart();
    while (!mScreen->fArePicturesIn() && Clock::now() < end) std::this_thread::yield();
    EXPECT_TRUE(mScreen->fArePicturesIn());

    mScreen.reset();
    ASSERT_NO_FATAL_FAILURE(fMake(kCARD));
    mScreen->fAcquireTextures();
    fFrame();
    while (!mScreen->fArePicturesIn() && Clock::now() < end) std::this_thread::yield();
    EXPECT_TRUE(mScreen->fArePicturesIn());

    mScreen.reset();
    ASSERT_NO_FATAL_FAILURE(fMake(kCARD));
    mScreen->fAcquireTextures();
    while (!mScreen->fAreSplashesIn() && Clock::now() < end) std::this_thread::yield();
    mScreen.reset();
    SUCCEED() << "let go with its pictures waiting, the screen did not hang";
}

TEST_F(LoaderScreenTest, LoadingLongerThanTheSplashHandsOverWhenItEnds) {
    ASSERT_NO_FATAL_FAILURE(fMake(kCARD));
    mScreen->fStart();
    ASSERT_NO_FATAL_FAILURE(fShow(1));
    EXPECT_EQ(fRunUntil(0.8f), -1.0f) << "the splash is over, loading is not";
    EXPECT_EQ(mScreen->fGetSplashIndex(), 1);
    ASSERT_NO_FATAL_FAILURE(fFinishLoading());
    EXPECT_NEAR(fRunUntil(2.0f), 0.8f + kFRAME, kFRAME / 2) << "the first frame that sees the end hands over";
}

TEST_F(LoaderScreenTest, AKeyBeforeTheSplashIsShownFadesItFromItsFirstFrame) {
    ASSERT_NO_FATAL_FAILURE(fMake(kCARD));
    mScreen->fNextSplash();
    EXPECT_EQ(mScreen->fGetSplashIndex(), 1);
    mScreen->fStart();
    ASSERT_NO_FATAL_FAILURE(fShow(3));
    ASSERT_NO_FATAL_FAILURE(fFinishLoading());
    EXPECT_NEAR(fRunUntil(2.0f), kFRAME, kFRAME / 2) << "nothing holds the hand-over but the pictures";
}

TEST_F(LoaderScreenTest, AnUnreadableSplashIsSkippedAndAMissingOneNeverCounted) {
    ASSERT_NO_FATAL_FAILURE(
        fMake(std::string("<splash FILE=\"splash/broken.png\"/><splash FILE=\"splash/absent.png\"/>") + kCARD));
    EXPECT_EQ(mScreen->fGetSplashCount(), 2u) << "a file that is not there is left out at once";
    mScreen->fStart();
    ASSERT_NO_FATAL_FAILURE(fShow(1));
    EXPECT_EQ(mScreen->fGetSplashCount(), 1u) << "the one that cannot be read goes once the pictures are in";
    ASSERT_NO_FATAL_FAILURE(fFinishLoading());
    const float handOver = fRunUntil(2.0f);
    EXPECT_GE(handOver, kSPLASH - kFRAME / 2);
    EXPECT_LE(handOver, kSPLASH + 1.5f * kFRAME) << "one splash's time, not two";
}

TEST_F(LoaderScreenTest, WithoutSplashesTheBackdropIsShownAndLoadingAloneHolds) {
    ASSERT_NO_FATAL_FAILURE(fMake(""));
    mScreen->fStart();
    ASSERT_NO_FATAL_FAILURE(fShow(1));
    EXPECT_EQ(fRunUntil(0.2f), -1.0f);
    ASSERT_NO_FATAL_FAILURE(fFinishLoading());
    EXPECT_NEAR(fRunUntil(2.0f), 0.2f + kFRAME, kFRAME / 2);
}
