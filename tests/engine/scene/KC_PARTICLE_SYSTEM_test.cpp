#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include <pugixml.hpp>

#include "SceneFixture.h"
#include "engine/platform/KC_RANDOM.h"
#include "engine/scene/G_PARTICLES.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/scene/KC_PARTICLE_SYSTEM_EX.h"
#include "support/FuzzFindings.h"

using namespace KEL;

namespace {

// How a particle system draws: blended point sprites, point-sampled.
KS_RENDER_STATE fSparkState(bool additive) {
    KS_RENDER_STATE state;
    state.blend = 1;
    state.additive = additive ? 1 : 0;
    state.filter = KS_RENDER_STATE::kFILTER_POINT;
    state.textured = 1;
    state.primitive = KS_RENDER_STATE::kPOINT_SPRITES;
    return state;
}

class ParticleTest : public scenetest::SceneFixture {
protected:
    void SetUp() override {
        scenetest::SceneFixture::SetUp();
        fWrite("spark.png", "8 8");
        fWrite("fx.xml", R"(<particles texture="spark.png" maxCount="50" frequency="20" area="100">
            <lifetime>1</lifetime><startSize>2</startSize><endSize>6</endSize></particles>)");
        fMount();
        mRandom = new KC_RANDOM(0);
    }
    void TearDown() override {
        delete mRandom;
        kcRANDOM = nullptr;
        scenetest::SceneFixture::TearDown();
    }
    static void fFrames(KC_PARTICLE_SYSTEM& system, int n, float dt) {
        kfFRAME_DELTA = dt;
        for (int i = 0; i < n; ++i) system.fUpdate();
    }
    KC_RANDOM* mRandom = nullptr;
};

}  // namespace

TEST_F(ParticleTest, EmissionCadenceLimitsAndDuration) {
    KC_PARTICLE_SYSTEM system(nullptr);
    system.fSetFrequency(10.0f);
    system.mTemplate.lifetime = 100.0f;
    system.fStart();
    EXPECT_EQ(system.mLiveCount, 1) << "one at once";
    std::vector<int> gaps;
    int last = 0, count = 1;
    kfFRAME_DELTA = 1.0f / 60.0f;
    for (int frame = 1; frame <= 120; ++frame) {
        system.fUpdate();
        EXPECT_LE(system.mLiveCount - count, 1) << "never two in one frame";
        if (system.mLiveCount > count) {
            gaps.push_back(frame - last);
            last = frame;
        }
        count = system.mLiveCount;
    }
    ASSERT_FALSE(gaps.empty());
    for (size_t i = 1; i < gaps.size(); ++i) EXPECT_TRUE(gaps[i] == 6 || gaps[i] == 7) << gaps[i];
    EXPECT_EQ(system.fCount(), system.mLiveCount);

    KC_PARTICLE_SYSTEM none(nullptr);
    none.mMaxCount = 0;
    none.fStart();
    fFrames(none, 60, 0.1f);
    EXPECT_EQ(none.mLiveCount, 0);

    KC_PARTICLE_SYSTEM burst(nullptr);
    burst.fSetFrequency(1000.0f);
    burst.mTemplate.lifetime = 100.0f;
    burst.fSetDuration(0.0f);
    EXPECT_EQ(burst.mLiveCount, 0) << "nothing at once";
    fFrames(burst, 20, 0.01f);
    EXPECT_FALSE(burst.fIsEmitting());
    EXPECT_GE(burst.mLiveCount, 9);
    EXPECT_LE(burst.mLiveCount, 11) << "about 0.1 s of emission";
    burst.fClear();
    EXPECT_EQ(burst.fCount(), 0);
}

TEST_F(ParticleTest, ColoursFollowTheLifeAndDeadParticlesGo) {
    KC_PARTICLE_SYSTEM system(nullptr);
    system.mGravity.fSet(0, 0, 0);
    system.fStart();
    system.fStop();
    const KS_PARTICLE* p = system.fFirst();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->color, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(p->y, 0.0f);
    fFrames(system, 2, 0.5f);
    EXPECT_EQ(system.fFirst()->color, 0xFF00FF00u) << "the average colour at half its life";
    EXPECT_FLOAT_EQ(system.fFirst()->y, 150.0f) << "moved by the base velocity";
    fFrames(system, 2, 0.5f);
    ASSERT_EQ(system.mLiveCount, 1) << "a life of exactly 0 is not yet over";
    EXPECT_EQ(system.fFirst()->color, 0x88FFF700u);
    fFrames(system, 1, 0.01f);
    EXPECT_EQ(system.mLiveCount, 0);

    KC_PARTICLE_SYSTEM instant(nullptr);
    instant.mTemplate.lifetime = 0.0f;
    instant.fStart();
    instant.fStop();
    fFrames(instant, 1, 0.0f);
    EXPECT_EQ(instant.mLiveCount, 0) << "a lifetime of 0 ends at once, without NaN";
}

TEST_F(ParticleTest, AreasEmitInsideAndMoveWholly) {
    KC_PARTICLE_SYSTEM system(nullptr);
    system.fSetAreaRect(0, 0, 1000, 10);  // left -500, right 500
    system.fMoveArea(-500, -500);
    EXPECT_EQ(system.mAreaRight, 0.0f);
    system.fMoveArea(100, 0);
    EXPECT_EQ(system.mAreaRight, 100.0f) << "a rectangle edge at 0 still moves";
    system.fMoveTo(512, 384);
    EXPECT_EQ(system.mAreaX, 12.0f) << "moving a rectangle centres it";
    EXPECT_EQ(system.mAreaBottom, 389.0f);
    system.fSetFrequency(1000.0f);
    system.mTemplate.lifetime = 100.0f;
    system.mGravity.fSet(0, 0, 0);
    system.mVelocity.fSet(0, 0, 0);
    system.fStart();
    fFrames(system, 30, 0.01f);
    for (const KS_PARTICLE* p = system.fFirst(); p; p = p->mNext) {
        EXPECT_GE(p->x, 12.0f);
        EXPECT_LE(p->x, 1012.0f);
        EXPECT_GE(p->y, 379.0f);
        EXPECT_LE(p->y, 389.0f);
    }

    KC_PARTICLE_SYSTEM circle(nullptr);
    circle.fSetAreaCircle(0, 0, 50);
    circle.fMoveTo(100, 100);
    circle.mSpreadAngle = 1.0f;
    circle.fSetFrequency(1000.0f);
    circle.mTemplate.lifetime = 100.0f;
    circle.fStart();
    fFrames(circle, 30, 0.0f);
    kfFRAME_DELTA = 0.0f;
    for (const KS_PARTICLE* p = circle.fFirst(); p; p = p->mNext) {
        EXPECT_LE(std::hypot(p->x - 100.0f, p->y - 100.0f), 50.001f);
        const float angle = std::atan2(p->velocity.x, p->velocity.y);
        EXPECT_LE(std::fabs(angle), 0.5001f) << "within half the spread of straight down";
    }
}

TEST_F(ParticleTest, XmlDescription) {
    pugi::xml_document doc;
    doc.load_string(R"(<p texture="spark.png" multiply="false" maxCount="9" spreadAngle="0.5" frequency="4"
        gravity="1 2" area="200 50 7"><lifetime>3</lifetime><velocity>5 6</velocity><tangent>1</tangent>
        <radial>2</radial><startSize>3</startSize><endSize>9</endSize><startColor>0xFF112233</startColor>
        <averColor>445566</averColor><endColor>junk</endColor></p>
        <q area="100"/><r texture="x" area="100"/><s texture="x" area="200 50"/>)");
    KC_PARTICLE_SYSTEM_EX system(nullptr);
    system.fRead(doc.child("p"));
    EXPECT_EQ(system.mState, fSparkState(false)) << "multiply false clears additive";
    EXPECT_EQ(system.mMaxCount, 9);
    EXPECT_FLOAT_EQ(system.mSpreadAngle, 0.5f);
    EXPECT_FLOAT_EQ(system.mPeriod, 0.25f);
    EXPECT_EQ(system.mGravity, KS_VEC3(1, 2, 0));
    EXPECT_EQ(system.mAreaKind, KC_PARTICLE_SYSTEM::KE_AREA::RECTANGLE);
    EXPECT_EQ(system.mAreaX, 412.0f);
    EXPECT_EQ(system.mAreaBottom, 409.0f);
    EXPECT_EQ(system.mTemplate.lifetime, 3.0f);
    EXPECT_EQ(system.mVelocity, KS_VEC3(5, 6, 0));
    EXPECT_EQ(system.mTangent, 1.0f);
    EXPECT_EQ(system.mRadial, 2.0f);
    EXPECT_EQ(system.mStartSize, 3.0f);
    EXPECT_EQ(system.mEndSize, 9.0f);
    EXPECT_EQ(system.mStartColor.fToARGB(), 0xFF112233u);
    EXPECT_EQ(system.mAverColor.fToARGB(), 0x00445566u) << "six digits: alpha 0";
    EXPECT_EQ(system.mEndColor.fToARGB(), 0x00000000u);

    KC_PARTICLE_SYSTEM_EX untouched(nullptr);
    untouched.fRead(doc.child("q"));
    EXPECT_EQ(untouched.mAreaRadius, 0.0f) << "nothing without a texture attribute";
    EXPECT_EQ(untouched.mState, fSparkState(true));
    untouched.fRead(doc.child("r"));
    EXPECT_EQ(untouched.mAreaKind, KC_PARTICLE_SYSTEM::KE_AREA::CIRCLE);
    EXPECT_EQ(untouched.mAreaX, 512.0f);
    EXPECT_EQ(untouched.mAreaRadius, 100.0f);
    untouched.fRead(doc.child("s"));
    EXPECT_EQ(untouched.mAreaRight, 612.0f);

    pugi::xml_document written;
    system.fWrite(written, "spark.png");
    KC_PARTICLE_SYSTEM_EX reread(nullptr);
    reread.fRead(written.child("particles"));
    EXPECT_EQ(reread.mMaxCount, 9);
    EXPECT_EQ(reread.mStartColor.fToARGB(), 0xFF112233u);
    EXPECT_FLOAT_EQ(reread.mEndSize, 9.0f);
}

TEST_F(ParticleTest, ExtendedParticlesGrowAndDrawAtIdentity) {
    KC_PARTICLE_SYSTEM_EX system(mRender.fGetDefaultTexture());
    system.mGravity.fSet(0, 0, 0);
    system.fStart();
    system.fStop();
    EXPECT_FLOAT_EQ(system.fFirst()->size, 4.0f);
    fFrames(system, 1, 1.0f);
    EXPECT_FLOAT_EQ(system.fFirst()->size, 12.0f) << "half way from 4 to 20 over 2 s";

    ASSERT_EQ(mRender.fBeginFrame(), 1);
    KS_TRANSFORM3 sprite;
    sprite.fSetPos(300, 200, 0);
    mRender.fSetWorldMatrix(sprite.fGetWorldMatrix());
    system.fDraw();
    EXPECT_EQ(mRender.fGetWorld(), KS_MATRIX()) << "particles ignore the last sprite's placement";
    mRender.fEndFrame();
    EXPECT_EQ(mDevice->mDraws.back().type, host::GPrimitive::POINTLIST);
}

TEST_F(ParticleTest, EffectsLoadAndCopiesBalanceTextureUses) {
    {
        G_PARTICLES effect;
        effect.fLoad("fx.xml");
        EXPECT_EQ(effect.fGetTextureName(), "spark.png");
        EXPECT_EQ(effect.fGetSystem()->mMaxCount, 50);
        EXPECT_EQ(effect.fGetSystem()->mStartSize, 2.0f);
        EXPECT_EQ(fUses("fx.xml"), 0) << "the description is given back";
        EXPECT_FALSE(effect.fHasOwnTexture());
        effect.fReloadTexture();
        EXPECT_EQ(fUses("spark.png"), 1);
        {
            G_PARTICLES copy(effect);
            EXPECT_EQ(fUses("spark.png"), 2);
            EXPECT_EQ(copy.fGetSystem()->mMaxCount, 50);
            EXPECT_EQ(copy.fGetSystem()->mEndSize, 6.0f);
        }
        EXPECT_EQ(fUses("spark.png"), 1);
        effect.fReload("fx.xml");
        EXPECT_EQ(fUses("spark.png"), 1);
        effect.fUnloadTexture();
        EXPECT_EQ(fUses("spark.png"), 0);
        effect.fLoad("missing.xml");
        EXPECT_EQ(effect.fGetSystem()->mMaxCount, 50);
    }
    EXPECT_EQ(fUses("spark.png"), 0);
}

// An area of 1e39 once reached a float-to-int conversion when a particle was
// placed. Extents and counts from a description are clamped; emitting from
// the clamped area stays inside it.
TEST_F(ParticleTest, HostileNumbersInADescriptionAreClamped) {
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(testsupport::fFinding("particles-area.xml").c_str()));
    ASSERT_TRUE(doc.append_child("q").append_attribute("texture").set_value("x"));
    doc.child("q").append_attribute("area") = "nan -1e300";
    doc.child("q").append_attribute("maxCount") = "99999999999";
    KC_PARTICLE_SYSTEM system(nullptr);
    system.fRead(doc.child("p"));
    EXPECT_EQ(system.mAreaRight - system.mAreaX, KC_PARTICLE_SYSTEM::kMAX_AREA);
    system.fSetFrequency(100.0f);
    system.fStart();
    fFrames(system, 5, 0.02f);
    ASSERT_GT(system.fCount(), 0);
    EXPECT_GE(system.fFirst()->x, system.mAreaX);
    EXPECT_LE(system.fFirst()->x, system.mAreaRight);

    system.fRead(doc.child("q"));
    EXPECT_EQ(system.mAreaX, system.mAreaRight) << "not-a-number reads as an empty extent";
    EXPECT_EQ(system.mAreaBottom - system.mAreaY, -KC_PARTICLE_SYSTEM::kMAX_AREA);
    EXPECT_EQ(system.mMaxCount, KC_PARTICLE_SYSTEM::kMAX_PARTICLES);
    fFrames(system, 5, 0.02f);
}
