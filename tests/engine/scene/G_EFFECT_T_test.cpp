#include <gtest/gtest.h>

#include <vector>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/bots/KC_BOT_SLEEP.h"
#include "engine/scene/G_EFFECT_T.h"

using namespace KEL;

namespace {

struct Target {
    int mId;
};

struct Recorder {
    std::vector<std::pair<int, float>> mEnded;  // target id, time
    float mClock = 0;
    G_EFFECT_T<Target*>* mQueue = nullptr;
    Target* mFollowUp = nullptr;
};

void fEnded(void* argument, Target* target) {
    auto* recorder = static_cast<Recorder*>(argument);
    recorder->mEnded.emplace_back(target->mId, recorder->mClock);
    if (recorder->mFollowUp) {
        Target* next = recorder->mFollowUp;
        recorder->mFollowUp = nullptr;
        recorder->mQueue->fAddEffect(&fEnded, recorder, next);
        recorder->mQueue->fBack()->fAdd(fCreateBotSleep(nullptr, nullptr, 0.1f, 0));
    }
}

}  // namespace

TEST(G_EFFECT_T, StepsPlayOneAfterAnotherAndNotifyTheirOwnTargets) {
    Target t1{1}, t2{2}, t3{3};
    Recorder recorder;
    G_EFFECT_T<Target*> queue;
    const float durations[] = {0.2f, 0.5f, 0.1f};
    Target* targets[] = {&t1, &t2, &t3};
    for (int i = 0; i < 3; ++i) {
        queue.fAddEffect(&fEnded, &recorder, targets[i]);
        queue.fBack()->fAdd(fCreateBotSleep(nullptr, nullptr, durations[i], 0));
    }
    kfFRAME_DELTA = 0.05f;
    bool empty = false;
    for (int frame = 0; frame < 40 && !empty; ++frame) {
        recorder.mClock += kfFRAME_DELTA;
        empty = queue.fStepFront();
    }
    ASSERT_TRUE(empty);
    ASSERT_EQ(recorder.mEnded.size(), 3u);
    EXPECT_EQ(recorder.mEnded[0].first, 1);
    EXPECT_EQ(recorder.mEnded[1].first, 2);
    EXPECT_EQ(recorder.mEnded[2].first, 3);
    EXPECT_NEAR(recorder.mEnded[0].second, 0.2f, 0.051f);
    EXPECT_NEAR(recorder.mEnded[1].second, 0.7f, 0.101f);
    EXPECT_NEAR(recorder.mEnded[2].second, 0.8f, 0.151f);
}

TEST(G_EFFECT_T, EmptyStepsEmptyQueuesAndSilentSteps) {
    Target t1{1}, t2{2};
    Recorder recorder;
    G_EFFECT_T<Target*> queue;
    EXPECT_FALSE(queue.fStepFront()) << "an empty queue answers false";

    queue.fPushStep(&t2);
    queue.fAddEffect(&fEnded, &recorder, &t1);
    EXPECT_FALSE(queue.fStepFront()) << "the silent step ends, one step left";
    EXPECT_TRUE(recorder.mEnded.empty());
    EXPECT_TRUE(queue.fStepFront()) << "a step without animators ends at its first run";
    ASSERT_EQ(recorder.mEnded.size(), 1u);
    EXPECT_EQ(recorder.mEnded[0].first, 1);
}

TEST(G_EFFECT_T, NotificationMayPushTheNextStep) {
    Target t1{1}, t2{2};
    Recorder recorder;
    G_EFFECT_T<Target*> queue;
    recorder.mQueue = &queue;
    recorder.mFollowUp = &t2;
    queue.fAddEffect(&fEnded, &recorder, &t1);
    kfFRAME_DELTA = 0.05f;
    EXPECT_FALSE(queue.fStepFront()) << "the pushed step keeps the queue busy";
    int frames = 0;
    while (!queue.fStepFront() && ++frames < 20) {
    }
    ASSERT_EQ(recorder.mEnded.size(), 2u);
    EXPECT_EQ(recorder.mEnded[1].first, 2);
}

TEST(G_EFFECT_T, ClearDropsStepsWithoutNotifyingEvenFromInsideAStep) {
    Target t1{1}, t2{2};
    Recorder recorder;
    G_EFFECT_T<Target*> queue;
    queue.fAddEffect(&fEnded, &recorder, &t1);
    queue.fBack()->fAdd(fCreateBotSleep(nullptr, nullptr, 1.0f, 0));
    queue.fAddEffect(&fEnded, &recorder, &t2);
    queue.fClear();
    EXPECT_TRUE(queue.fIsEmpty());

    // A sleep whose callback clears the queue that runs it.
    struct Clearer {
        static int32_t fRun(void* q) {
            static_cast<G_EFFECT_T<Target*>*>(q)->fClear();
            return 0;
        }
    };
    KC_CALLBACK clear(&Clearer::fRun, "clear", &queue);
    queue.fAddEffect(&fEnded, &recorder, &t1);
    queue.fBack()->fAdd(fCreateBotSleep(nullptr, &clear, 0.0f, 0));
    queue.fBack()->fAdd(fCreateBotSleep(nullptr, nullptr, 5.0f, 0));
    queue.fAddEffect(&fEnded, &recorder, &t2);
    kfFRAME_DELTA = 0.05f;
    EXPECT_TRUE(queue.fStepFront());
    EXPECT_TRUE(queue.fIsEmpty());
    EXPECT_TRUE(recorder.mEnded.empty());
}
