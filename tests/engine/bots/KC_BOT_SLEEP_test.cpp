#include <gtest/gtest.h>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/bots/KC_BOT_MANAGER.h"
#include "engine/bots/KC_BOT_SLEEP.h"
#include "engine/bots/KT_BOT_SLEEP.h"

using namespace KEL;

namespace {
int32_t fCount(void* argument) {
    ++*static_cast<int*>(argument);
    return 0;
}
}  // namespace

TEST(KC_BOT_SLEEP, WaitsThenWritesTheValueAndCallsBackOnce) {
    int calls = 0;
    float value = 1.0f;
    KC_CALLBACK callback(&fCount, "count", &calls);
    KC_BOT_MANAGER manager;
    manager.fAdd(fCreateBotSleep(&value, &callback, 0.5f, 9.0f));
    EXPECT_EQ(manager.fAt(0)->mName, "bot_sleep");

    kfFRAME_DELTA = 0.25f;
    manager.fUpdate();
    EXPECT_EQ(value, 1.0f);
    EXPECT_EQ(calls, 0);
    manager.fUpdate();
    EXPECT_EQ(value, 9.0f);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(manager.fIsEmpty());
}

TEST(KC_BOT_SLEEP, NullTargetOnlyCallsBackAndFinishAtOnceCallsOnce) {
    int calls = 0;
    KC_CALLBACK callback(&fCount, "count", &calls);
    KC_BOT_SLEEP* sleep = fCreateBotSleep(nullptr, nullptr, 1.0f, 0.0f);
    sleep->fMessage(38, 0, 0, 0, &callback);
    sleep->fMessage(38, 0, 0, 0, nullptr);  // a null record is ignored
    kfFRAME_DELTA = 0.0f;
    EXPECT_EQ(sleep->fMessage(1, 0, 0, 0, nullptr), 0) << "a zero frame does not end a delay";
    EXPECT_EQ(sleep->fMessage(45, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(sleep->fMessage(1, 0, 0, 0, nullptr), -113);
    EXPECT_EQ(sleep->fMessage(45, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(calls, 1);
    delete sleep;
}

TEST(KT_BOT_SLEEP, CopiesTheStoredValueAfterTheDelay) {
    int32_t number = 3;
    uint8_t flag = 0;
    KC_BOT_MANAGER manager;
    manager.fAdd(new KT_BOT_SLEEP<int32_t>(&number, 42, 0.1f));
    manager.fAdd(new KT_BOT_SLEEP<uint8_t>(&flag, 1, 0.0f));
    manager.fAdd(new KT_BOT_SLEEP<int32_t>(nullptr, 5, 0.0f));
    EXPECT_EQ(manager.fAt(0)->mName, "bot_sleep_template");
    kfFRAME_DELTA = 0.05f;
    manager.fUpdate();
    EXPECT_EQ(number, 3);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(manager.fCount(), 1);
    manager.fUpdate();
    EXPECT_EQ(number, 42);
    EXPECT_TRUE(manager.fIsEmpty());
}
