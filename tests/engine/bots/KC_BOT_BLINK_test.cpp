#include <gtest/gtest.h>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/bots/KC_BOT_BLINK_ANALOG.h"
#include "engine/bots/KC_BOT_BLINK_PULSE.h"
#include "engine/platform/KC_RANDOM.h"
#include "engine/scene/KC_MESH.h"

using namespace KEL;

namespace {
int32_t fFrame(KC_BASE* bot, float dt) {
    kfFRAME_DELTA = dt;
    return bot->fMessage(1, 0, 0, 0, nullptr);
}
uint32_t fAlpha(const KS_VERTEX& v) { return v.color >> 24; }
}  // namespace

TEST(KC_BOT_BLINK, PulsesStayInRangePauseAndEndOpaque) {
    KC_RANDOM random(0);
    kcRANDOM = &random;
    KS_VERTEX vertices[4];
    for (KS_VERTEX& v : vertices) v.color = 0xFF123456;
    KC_MESH mesh(vertices, 4, nullptr, nullptr, nullptr, 0);

    KC_BOT_BLINK_PULSE* pulse = fCreateBotBlinkPulse(&mesh, 0.1f, 0.2f, 50, 100, 3, 0.5f, 2.0f);
    EXPECT_EQ(pulse->mName, "bot_blink_pulse");
    int frames = 0;
    while (fFrame(pulse, 0.05f) == 0 && ++frames < 100) {
        EXPECT_GE(fAlpha(vertices[0]), 50u);
        EXPECT_LT(fAlpha(vertices[0]), 100u);
        EXPECT_EQ(vertices[3].color & 0xFFFFFF, 0x123456u) << "only the alpha changes";
    }
    EXPECT_GE(frames, 39) << "two seconds of 0.05 s frames";
    EXPECT_LE(frames, 40);
    EXPECT_EQ(fAlpha(vertices[2]), 255u);
    delete pulse;

    KC_BOT_BLINK_ANALOG* analog = fCreateBotBlinkAnalog(&mesh, 0.2f, 0.2f, 0, 10, 2, 1.0f, 0.0f);
    EXPECT_EQ(analog->mName, "bot_blink_analog");
    fFrame(analog, 0.01f);  // first target chosen
    fFrame(analog, 0.1f);
    EXPECT_GT(fAlpha(vertices[0]), 10u) << "slides rather than jumps";
    for (int i = 0; i < 200; ++i) EXPECT_EQ(fFrame(analog, 0.05f), 0) << "endless";
    EXPECT_LE(fAlpha(vertices[0]), 10u);
    delete analog;
    kcRANDOM = nullptr;
}
