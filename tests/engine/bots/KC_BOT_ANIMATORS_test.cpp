#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/bots/KC_BOT_BLOB.h"
#include "engine/bots/KC_BOT_COLOR.h"
#include "engine/bots/KC_BOT_COLOR_JS.h"
#include "engine/bots/KC_BOT_MANAGER.h"
#include "engine/bots/KC_BOT_MOVE.h"
#include "engine/bots/KC_BOT_MOVE_CUBEBEZIER.h"
#include "engine/bots/KC_BOT_MOVE_ON.h"
#include "engine/bots/KC_BOT_MOVE_QUADBEZIER.h"
#include "engine/bots/KT_BOT_SLEEP.h"
#include "engine/scene/KC_MESH.h"
#include "engine/scene/KS_TRANSFORM3_AUTO.h"

using namespace KEL;

namespace {

int32_t fCount(void* argument) {
    ++*static_cast<int*>(argument);
    return 0;
}

// Sends message 1 with the given frame delta; answers the bot's result.
int32_t fFrame(KC_BASE* bot, float dt) {
    kfFRAME_DELTA = dt;
    return bot->fMessage(1, 0, 0, 0, nullptr);
}

// Attaches a counting completion callback through message 38.
void fWatch(KC_BASE* bot, int* calls) {
    KC_CALLBACK record(&fCount, "count", calls);
    bot->fMessage(38, 0, 0, 0, &record);
}

}  // namespace

TEST(KC_BOT_MOVE, ShowsEachQuarterThenFinishesOnTheSixthFrameCallingBackOnce) {
    KS_TRANSFORM3 t;
    int calls = 0;
    KC_BOT_MOVE* move = fCreateBotMove(&t, 1.0f, 0.0f, 100, 0, 0, 0.0f);
    EXPECT_EQ(move->mName, "bot_move");
    EXPECT_EQ(move->mDrawable, 0);
    EXPECT_FLOAT_EQ(move->mSortKey, 3.4e38f);
    fWatch(move, &calls);
    std::vector<float> seen;
    for (int frame = 0; frame < 5; ++frame) {
        EXPECT_EQ(fFrame(move, 0.25f), 0);
        seen.push_back(t.mPosition.x);
    }
    EXPECT_EQ(seen, (std::vector<float>{0, 25, 50, 75, 100}));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(fFrame(move, 0.25f), -113);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(fFrame(move, 0.25f), -113);
    EXPECT_EQ(calls, 1);
    delete move;
}

TEST(KC_BOT_MOVE, DelayCapturesTheStartWhenItEnds) {
    KS_TRANSFORM3 t;
    KC_BOT_MOVE* move = fCreateBotMove(&t, 1.0f, 0.0f, 100, 0, 0, 0.5f);
    fFrame(move, 0.25f);
    t.fSetPos(60, 0, 0);  // moved by someone else while waiting
    fFrame(move, 0.25f);  // the delay runs out here: start captured, no movement
    EXPECT_EQ(t.mPosition.x, 60.0f);
    fFrame(move, 0.5f);
    EXPECT_EQ(t.mPosition.x, 60.0f) << "the first moving frame shows the start";
    fFrame(move, 0.5f);
    EXPECT_FLOAT_EQ(t.mPosition.x, 80.0f);
    delete move;
}

TEST(KC_BOT_MOVE, FinishAtOnceThenUpdateNeverCallsBackTwice) {
    KS_TRANSFORM3 t;
    int calls = 0;
    KC_BOT_MOVE* move = fCreateBotMove(&t, 2.0f, 0.0f, 7, 8, 9, 0.0f);
    fWatch(move, &calls);
    EXPECT_EQ(move->fMessage(45, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(t.mPosition, KS_VEC3(7, 8, 9));
    EXPECT_EQ(calls, 1);
    t.fSetPos(0, 0, 0);
    EXPECT_EQ(fFrame(move, 0.1f), -113);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(t.mPosition.x, 0.0f) << "a finished move leaves its target alone";
    delete move;
}

TEST(KC_BOT_MOVE, DegenerateTimesNeverProduceNaN) {
    // Zero distance at a speed gives a zero time: straight to the end.
    KS_TRANSFORM3 t;
    t.fSetPos(5, 5, 0);
    int calls = 0;
    KC_BOT_MOVE* still = fCreateBotMove(&t, 0.0f, 100.0f, 5, 5, 0, 0.0f);
    fWatch(still, &calls);
    EXPECT_EQ(fFrame(still, 0.0f), -113);
    EXPECT_EQ(t.mPosition, KS_VEC3(5, 5, 0));
    EXPECT_EQ(calls, 1);
    delete still;

    // Time 0 and speed 0 mean one second.
    KC_BOT_MOVE* slow = fCreateBotMove(&t, 0.0f, 0.0f, 15, 5, 0, 0.0f);
    fFrame(slow, 0.5f);
    fFrame(slow, 0.0f);
    EXPECT_FLOAT_EQ(t.mPosition.x, 10.0f);
    delete slow;

    // Speed-derived time: 100 pixels at 200 per second take half a second.
    t.fSetPos(0, 0, 0);
    KC_BOT_MOVE* fast = fCreateBotMove(&t, 0.0f, 200.0f, 100, 0, 0, 0.0f);
    fFrame(fast, 0.25f);
    fFrame(fast, 0.25f);
    EXPECT_FLOAT_EQ(t.mPosition.x, 50.0f);
    EXPECT_EQ(fFrame(fast, 1.0f), 0) << "an overlong frame shows the end";
    EXPECT_EQ(t.mPosition.x, 100.0f);
    EXPECT_EQ(fFrame(fast, 0.0f), -113);
    delete fast;
}

TEST(KC_BOT_MOVE_ON, AddsTheOffsetOverTheTimeWithoutCorrection) {
    KS_TRANSFORM3 t;
    t.fSetPos(10, 10, 0);
    int calls = 0;
    KC_BOT_MOVE_ON* on = fCreateBotMoveOn(&t, 1.0f, 0.0f, 40, -20);
    EXPECT_EQ(on->mName, "nonamed");
    EXPECT_EQ(on->mSortKey, 0.0f);
    EXPECT_EQ(on->mDrawable, 1);
    fWatch(on, &calls);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(fFrame(on, 0.25f), 0);
    EXPECT_FLOAT_EQ(t.mPosition.x, 50.0f);
    EXPECT_FLOAT_EQ(t.mPosition.y, -10.0f);
    EXPECT_EQ(fFrame(on, 0.25f), -113);
    EXPECT_FLOAT_EQ(t.mPosition.x, 50.0f);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(on->fMessage(45, 0, 0, 0, nullptr), 0) << "move-on ignores finish-at-once";
    delete on;

    // No offset at a speed: nothing to do, done at once, even on a zero frame.
    KC_BOT_MOVE_ON* none = fCreateBotMoveOn(&t, 0.0f, 10.0f, 0, 0);
    EXPECT_EQ(fFrame(none, 0.0f), -113);
    EXPECT_FALSE(std::isnan(t.mPosition.x));
    delete none;
}

TEST(KC_BOT_MOVE_QUADBEZIER, LandsExactlyOnTheEndWhenTheTimeRunsOutExactly) {
    KS_TRANSFORM3 t;
    int calls = 0;
    KC_BOT_MOVE_QUADBEZIER* curve = fCreateBotMoveQuadBezier(&t, 1, 2, 0, 2, 0, 0, 1.0f, 0.0f, 0.0f);
    EXPECT_EQ(curve->mName, "bot_move_quadbezier");
    fWatch(curve, &calls);
    EXPECT_EQ(fFrame(curve, 0.25f), 0);
    EXPECT_EQ(fFrame(curve, 0.25f), 0);
    EXPECT_NEAR(t.mPosition.x, 1.0f, 1e-5f);
    EXPECT_NEAR(t.mPosition.y, 1.0f, 1e-5f);
    EXPECT_EQ(fFrame(curve, 0.25f), 0);
    EXPECT_EQ(fFrame(curve, 0.25f), -113) << "remaining exactly 0 finishes";
    EXPECT_EQ(t.mPosition, KS_VEC3(2, 0, 0));
    EXPECT_EQ(calls, 1);
    delete curve;

    // Zero distance at a speed and a zero frame: no NaN, finished.
    KC_BOT_MOVE_QUADBEZIER* still = fCreateBotMoveQuadBezier(&t, 5, 5, 0, 2, 0, 0, 0.0f, 50.0f, 0.0f);
    EXPECT_EQ(fFrame(still, 0.0f), -113);
    EXPECT_EQ(t.mPosition, KS_VEC3(2, 0, 0));
    delete still;
}

TEST(KC_BOT_MOVE_CUBEBEZIER, MovementIsAddedToOtherMovement) {
    KS_TRANSFORM3 t;
    KC_BOT_MOVE_CUBEBEZIER* curve = fCreateBotMoveCubeBezier(&t, 0, 10, 0, 10, 10, 0, 10, 0, 0, 1.0f, 0, 0.5f);
    EXPECT_EQ(curve->mName, "bot_move_cubebezier");
    EXPECT_EQ(fFrame(curve, 0.5f), 0);  // delay ends, start captured at (0, 0)
    EXPECT_EQ(fFrame(curve, 0.5f), 0);
    EXPECT_NEAR(t.mPosition.x, 5.0f, 1e-5f);
    EXPECT_NEAR(t.mPosition.y, 7.5f, 1e-5f);
    t.mPosition.x += 100;  // another animator pushes it
    EXPECT_EQ(fFrame(curve, 0.25f), 0);
    EXPECT_GT(t.mPosition.x, 105.0f);
    EXPECT_EQ(curve->fMessage(45, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(t.mPosition, KS_VEC3(10, 0, 0));
    EXPECT_EQ(fFrame(curve, 0.25f), -113);
    delete curve;
}

TEST(KC_BOT_COLOR, FadesEveryVertexAndEndsOnTheEndColour) {
    KS_VERTEX vertices[4];
    for (KS_VERTEX& v : vertices) v.color = 0xFFFFFFFF;
    KC_MESH mesh(vertices, 4, nullptr, nullptr, nullptr, 0);
    int calls = 0;
    KC_BOT_COLOR* fade = fCreateBotColor(&mesh, 1.0f, 0x00000000, 0.0f);
    EXPECT_EQ(fade->mName, "bot_color");
    fWatch(fade, &calls);
    fFrame(fade, 0.5f);
    EXPECT_EQ(vertices[3].color, 0xFFFFFFFFu);
    fFrame(fade, 0.5f);
    EXPECT_EQ(vertices[0].color, 0x7F7F7F7Fu) << "255 - 127.5 truncates to 127";
    EXPECT_EQ(vertices[3].color, 0x7F7F7F7Fu);
    fFrame(fade, 0.5f);
    EXPECT_EQ(vertices[0].color, 0x00000000u);
    EXPECT_EQ(fFrame(fade, 0.5f), -113);
    EXPECT_EQ(calls, 1);
    delete fade;

    // A rising channel and a zero-time fade.
    for (KS_VERTEX& v : vertices) v.color = 0x00000000;
    KC_BOT_COLOR* instant = fCreateBotColor(&mesh, 0.0f, 0xFF102030, 0.0f);
    EXPECT_EQ(fFrame(instant, 0.0f), -113);
    EXPECT_EQ(vertices[2].color, 0xFF102030u);
    delete instant;
}

TEST(KC_BOT_COLOR_JS, FadesAWordAfterItsDelay) {
    uint32_t word = 0xFF000000;
    KC_BOT_COLOR_JS* fade = fCreateBotColorJs(&word, 1.0f, 0xFFFF0000, 0.2f);
    fFrame(fade, 0.1f);
    word = 0x80000000;  // changed during the delay: the fade starts from here
    fFrame(fade, 0.1f);
    fFrame(fade, 0.5f);
    EXPECT_EQ(word, 0x80000000u);
    fFrame(fade, 0.5f);
    EXPECT_EQ(word, 0xBF7F0000u);
    while (fFrame(fade, 0.5f) != -113) {
    }
    EXPECT_EQ(word, 0xFFFF0000u);
    delete fade;
}

TEST(KC_BOT_BLOB, GrowsThenWobblesAndEndsOnTheEndScale) {
    KS_TRANSFORM3 t;
    int calls = 0;
    KC_BOT_BLOB* blob = fCreateBotBlob(&t, 1.0f, 2.0f, 1.0f, 1.0f, 0.0f, 1.0f, 0.0f, false);
    EXPECT_EQ(blob->mName, "bot_blob");
    EXPECT_EQ(t.mScale, KS_VEC3(0, 0, 0));
    fWatch(blob, &calls);
    fFrame(blob, 0.25f);
    fFrame(blob, 0.25f);
    EXPECT_FLOAT_EQ(t.mScale.x, 0.25f);
    EXPECT_EQ(t.mScale.z, 0.0f);
    int frames = 0;
    while (fFrame(blob, 0.25f) != -113 && ++frames < 20) {
    }
    EXPECT_EQ(t.mScale, KS_VEC3(1, 1, 0));
    EXPECT_EQ(calls, 1);
    delete blob;

    // Start equal to end wobbles from the first frame and ends at 1.
    KC_BOT_BLOB* wobble = fCreateBotBlob(&t, 1.0f, 2.0f, 0.5f, 0.0f, 1.0f, 1.0f, 0.0f, false);
    fFrame(wobble, 0.125f);
    EXPECT_FLOAT_EQ(t.mScale.x, 1.0f) << "sine at t = 0";
    fFrame(wobble, 0.125f);
    EXPECT_NEAR(t.mScale.x, 1.0f + 0.5f * std::sin(6.2831855f * 2 * 0.125f), 1e-5f);
    while (fFrame(wobble, 0.25f) != -113) {
    }
    EXPECT_EQ(t.mScale.x, 1.0f);
    delete wobble;

    // Zero time: straight to the end, no NaN.
    KC_BOT_BLOB* instant = fCreateBotBlob(&t, 0.0f, 1.0f, 1.0f, 1.0f, 0.0f, 2.0f, 0.0f, false);
    EXPECT_EQ(fFrame(instant, 0.0f), -113);
    EXPECT_EQ(t.mScale.x, 2.0f);
    delete instant;
}

TEST(KC_BOT_BLOB, RepeatingBlobRestartsAndIgnoresFinishAtOnce) {
    KS_TRANSFORM3 t;
    KC_BOT_BLOB* blob = fCreateBotBlob(&t, 0.5f, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f, true);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(fFrame(blob, 0.25f), 0);
    EXPECT_EQ(fFrame(blob, 0.25f), 0) << "past the time it restarts";
    EXPECT_EQ(t.mScale.x, 0.0f);
    blob->fMessage(45, 0, 0, 0, nullptr);
    EXPECT_EQ(fFrame(blob, 0.25f), 0);
    delete blob;
}

TEST(KT_BOT_SLEEP, TransformSleepRestoresTheWholeRecordParentIncluded) {
    KS_TRANSFORM3 parent, target, saved;
    saved.fSetPos(1, 2, 3);
    saved.mParent = &parent;
    KC_BOT_MANAGER manager;
    manager.fAdd(new KT_BOT_SLEEP<KS_TRANSFORM3>(&target, saved, 0.1f));
    KS_TRANSFORM3_AUTO autoTarget, autoSaved;
    autoSaved.fSetAuto(0.5f, 0.5f);
    manager.fAdd(new KT_BOT_SLEEP<KS_TRANSFORM3_AUTO>(&autoTarget, autoSaved, 0.1f));
    kfFRAME_DELTA = 0.1f;
    manager.fUpdate();
    EXPECT_EQ(target.mPosition, KS_VEC3(1, 2, 3));
    EXPECT_EQ(target.mParent, &parent);
    EXPECT_EQ(autoTarget.mAutoX, 0.5f);
    EXPECT_EQ(autoTarget.mPosition.x, 512.0f);
    EXPECT_TRUE(manager.fIsEmpty());
}
