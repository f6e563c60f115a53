#include <gtest/gtest.h>

#include <cmath>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/bots/KC_BOT_CHANGE_FLOAT.h"
#include "engine/bots/KC_BOT_CHART_BOOST.h"
#include "engine/bots/KC_BOT_DISTANCE_JOINT.h"
#include "engine/bots/KC_BOT_FOLLOW.h"
#include "engine/bots/KC_BOT_LAZY_BLINKER.h"
#include "engine/bots/KC_BOT_MANAGER.h"
#include "engine/bots/KC_BOT_MOVE_BEZIER.h"
#include "engine/bots/KC_BOT_MOVE_LOOP.h"
#include "engine/bots/KC_BOT_RIGID_JOINT.h"
#include "engine/bots/KC_BOT_ROTATE_ON.h"
#include "engine/bots/KC_BOT_ROTATE_TO.h"
#include "engine/bots/KC_BOT_SCALE.h"
#include "engine/bots/KC_BOT_SWING.h"
#include "engine/bots/KC_BOT_SWITCH.h"
#include "engine/bots/KC_BOT_TRANSFORM.h"
#include "engine/bots/KC_BOT_ZOOM_INTO.h"
#include "engine/scene/KC_MESH.h"

using namespace KEL;

namespace {
int32_t fFrame(KC_BASE* bot, float dt) {
    kfFRAME_DELTA = dt;
    return bot->fMessage(1, 0, 0, 0, nullptr);
}
// Runs until -113 (at most a bound of frames); answers the frames used.
int fRunOut(KC_BASE* bot, float dt, int bound = 100) {
    for (int i = 1; i <= bound; ++i)
        if (fFrame(bot, dt) == -113) return i;
    return -1;
}
}  // namespace

TEST(KC_BOT_FAMILY, ScaleAndRotationRates) {
    KS_TRANSFORM3 t;
    KC_BOT_SCALE* scale = fCreateBotScale(&t, 1.0f, 2.0f, 1, 0.5f, 0, 0.0f);
    EXPECT_EQ(scale->mName, "bot_scale");
    fFrame(scale, 0.25f);
    EXPECT_FLOAT_EQ(t.mScale.x, 1.5f);
    EXPECT_GT(fRunOut(scale, 0.3f), 0);
    EXPECT_FLOAT_EQ(t.mScale.x, 3.0f) << "the end value is exact";
    EXPECT_FLOAT_EQ(t.mScale.y, 2.0f);
    delete scale;

    KC_BOT_ROTATE_ON* on = fCreateBotRotateOn(&t, 1.0f, 2.0f, 0, 0, 1, 0.0f);
    EXPECT_EQ(on->mName, "bot_rotate");
    fFrame(on, 0.5f);
    EXPECT_FLOAT_EQ(t.mRotation.z, 1.0f);
    delete on;

    t.fSetAngle(0);
    KC_BOT_ROTATE_TO* to = fCreateBotRotateTo(&t, 1.0f, 0, 0, 2, 0.0f);
    fFrame(to, 0.5f);
    EXPECT_FLOAT_EQ(t.mRotation.z, 1.0f);
    EXPECT_GT(fRunOut(to, 0.5f), 0);
    delete to;
}

TEST(KC_BOT_FAMILY, JointsAndFollowTrackASecondTransform) {
    KS_TRANSFORM3 leader, rigid, distant, follower;
    rigid.fSetPos(10, 0, 0);
    distant.fSetPos(0, 5, 0);
    follower.fSetPos(100, 0, 0);
    KC_BOT_RIGID_JOINT* joint = fCreateBotRigidJoint(&rigid, &leader, 1.0f, 0.0f, false);
    KC_BOT_DISTANCE_JOINT* rope = fCreateBotDistanceJoint(&distant, &leader, 0.0f, 0.0f, true);
    KC_BOT_FOLLOW* follow = fCreateBotFollow(&follower, &leader, 0.5f, 0.0f, 0.0f, true);
    leader.fSetPos(50, 50, 0);
    fFrame(joint, 0.5f);
    fFrame(rope, 0.5f);
    fFrame(follow, 1.0f);
    EXPECT_EQ(rigid.mPosition, KS_VEC3(60, 50, 0));
    EXPECT_NEAR((distant.fGetPos2() - leader.fGetPos2()).fLength(), 5.0f, 1e-4f);
    EXPECT_FLOAT_EQ(follower.mPosition.x, 75.0f);
    EXPECT_EQ(fFrame(joint, 0.6f), -113);
    EXPECT_EQ(fFrame(rope, 5.0f), 0) << "endless";
    delete joint;
    delete rope;
    delete follow;
}

TEST(KC_BOT_FAMILY, TransformZoomAndSwitchBlendRecords) {
    KS_TRANSFORM3 t, end;
    end.fSetPos(10, 20, 0);
    end.fSetAngle(1);
    int started = 0;
    KC_CALLBACK record(
        [](void* a) {
            ++*static_cast<int*>(a);
            return 0;
        },
        "started", &started);
    KC_BOT_TRANSFORM* blend = fCreateBotTransform(&t, end, 1.0f, 0.0f, &record);
    fFrame(blend, 0.5f);
    EXPECT_EQ(started, 1);
    EXPECT_FLOAT_EQ(t.mPosition.y, 10.0f);
    EXPECT_GT(fRunOut(blend, 0.5f), 0);
    EXPECT_EQ(t.mPosition, end.mPosition);
    EXPECT_EQ(started, 1);
    delete blend;

    KS_TRANSFORM3 zoomed, other;
    KC_BOT_ZOOM_INTO* zoom = fCreateBotZoomInto(&zoomed, 1.0f, 100, 0, 1.0f, &other);
    fFrame(zoom, 0.5f);
    EXPECT_FLOAT_EQ(zoomed.mScale.x, 1.5f);
    EXPECT_FLOAT_EQ(zoomed.mPosition.x, 50.0f);
    EXPECT_FLOAT_EQ(other.mScale.x, 1.5f);
    EXPECT_EQ(fRunOut(zoom, 0.5f), 1);
    EXPECT_FLOAT_EQ(zoomed.mScale.x, 2.0f);
    EXPECT_EQ(other.mScale, KS_VEC3(1, 1, 1)) << "the second transform is restored";
    delete zoom;

    KS_TRANSFORM3 a, b, s;
    b.fSetPos(8, 0, 0);
    KC_BOT_MANAGER manager;
    auto* toggle = fCreateBotSwitch(&s, a, b, 1.0f, 0.0f);
    manager.fAdd(toggle);
    kfFRAME_DELTA = 0.5f;
    manager.fUpdate();
    EXPECT_FLOAT_EQ(s.mPosition.x, 4.0f);
    manager.fUpdate();
    EXPECT_FLOAT_EQ(s.mPosition.x, 8.0f);
    EXPECT_EQ(toggle->mActive, 0) << "switches itself off instead of finishing";
    EXPECT_EQ(manager.fCount(), 1);
    toggle->fRestart(0.0f);
    manager.fUpdate();
    EXPECT_FLOAT_EQ(s.mPosition.x, 4.0f);
    manager.fDeleteAll();
}

TEST(KC_BOT_FAMILY, LoopsPathsBlinkersAndSmallOnes) {
    KS_TRANSFORM3 t;
    KC_BOT_MOVE_LOOP* loop = fCreateBotMoveLoop(&t, 1.0f, 0.0f, 0, 0, 10, 0, 0.0f);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(fFrame(loop, 0.25f), 0);
    EXPECT_EQ(t.mPosition.x, 10.0f);
    for (int i = 0; i < 3; ++i) fFrame(loop, 0.25f);
    EXPECT_FLOAT_EQ(t.mPosition.x, 5.0f) << "on its way back";
    loop->fMessage(45, 0, 0, 0, nullptr);
    EXPECT_EQ(fFrame(loop, 0.25f), -113);
    delete loop;

    t.fSetPos(0, 0, 0);
    KC_BOT_MOVE_BEZIER* path = fCreateBotMoveBezier(&t, {{1, 2, 0}, {2, 0, 0}}, 1.0f, 0.0f, 0.0f);
    EXPECT_EQ(path->mName, "bot_move_bezier");
    fFrame(path, 0.5f);
    EXPECT_NEAR(t.mPosition.y, 1.0f, 1e-5f);
    EXPECT_EQ(fRunOut(path, 0.5f), 1);
    EXPECT_EQ(t.mPosition, KS_VEC3(2, 0, 0));
    delete path;

    KS_VERTEX vertices[4];
    KC_MESH mesh(vertices, 4, nullptr, nullptr, nullptr, 0);
    KC_BOT_LAZY_BLINKER* blink = fCreateBotLazyBlinker(&mesh, 0xFF000000, 0xFFFFFFFF, 1.0f, 0.5f, 2);
    fFrame(blink, 1.0f);
    EXPECT_EQ(vertices[2].color, 0xFFFFFFFFu);
    fFrame(blink, 0.5f);  // hold ends: swing back
    fFrame(blink, 1.0f);
    EXPECT_EQ(vertices[0].color, 0xFF000000u);
    EXPECT_EQ(fFrame(blink, 0.5f), -113);
    delete blink;

    float value = 0;
    KC_BOT_CHANGE_FLOAT* change = fCreateBotChangeFloat(&value, 4.0f, 0.5f);
    EXPECT_GT(fRunOut(change, 0.25f), 0);
    EXPECT_FLOAT_EQ(value, 3.0f);
    delete change;

    float angle = 0;
    KC_BOT_SWING* swing = fCreateBotSwing(&angle, 1.0f, 2.0f, 1.0f, 1.0f, 0.5f);
    fFrame(swing, 0.25f);
    EXPECT_EQ(angle, 0.0f) << "still waiting";
    fFrame(swing, 0.25f);
    EXPECT_FLOAT_EQ(angle, 0.425f);
    fFrame(swing, 0.5f);
    EXPECT_FLOAT_EQ(angle, 0.425f + std::cos(0.75f) * 0.5f);
    delete swing;

    KC_BOT_CHART_BOOST boost("a", "b", 3);
    EXPECT_EQ(boost.mName, "nonamed");
    EXPECT_EQ(boost.fMessage(1, 0, 0, 0, nullptr), -113);
}
