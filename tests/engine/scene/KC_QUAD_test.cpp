#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/scene/KC_QUAD.h"

using namespace KEL;

namespace {

class QuadTest : public scenetest::SceneFixture {
protected:
    void fExpectUV(const KC_QUAD& quad, int vertex, float u, float v) {
        EXPECT_FLOAT_EQ(quad.mVertices[vertex].u, u) << "vertex " << vertex;
        EXPECT_FLOAT_EQ(quad.mVertices[vertex].v, v) << "vertex " << vertex;
    }
};

}  // namespace

TEST_F(QuadTest, QuadFromATextureAndGridFrames) {
    KC_TEXTURE* sheet = mRender.fCreateTexture(256, 128);
    KC_QUAD quad;
    quad.fInit(sheet, nullptr);
    EXPECT_EQ(quad.fGetWidth(), 256.0f);
    EXPECT_EQ(quad.fGetHeight(), 128.0f);
    fExpectUV(quad, 0, 0, 0);
    fExpectUV(quad, 1, 1, 0);
    fExpectUV(quad, 2, 1, 1);
    fExpectUV(quad, 3, 0, 1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(quad.fGetVertexColor(i), 0xFFFFFFFFu);
    KS_RENDER_STATE drawn;
    drawn.blend = 1;
    drawn.filter = KS_RENDER_STATE::kFILTER_ANISOTROPIC;
    drawn.textured = 1;
    drawn.primitive = KS_RENDER_STATE::kTRIANGLES;
    EXPECT_EQ(quad.mState, drawn) << "blended, anisotropic, textured triangles";
    EXPECT_EQ(quad.mOwnsTransform, 1) << "a null transform gives an own one";

    quad.fSetFrame(4, 2, 5, true);
    fExpectUV(quad, 0, 0.25f, 0.5f);
    fExpectUV(quad, 2, 0.5f, 1.0f);
    EXPECT_EQ(quad.fGetWidth(), 64.0f);
    EXPECT_EQ(quad.fGetHeight(), 64.0f);
    quad.fSetFrame(4, 2, 6, true);
    EXPECT_EQ(quad.fGetWidth(), 64.0f) << "another cell keeps the cell size";
    quad.fSetFrame(0, 2, 1, true);  // no columns: nothing
    fExpectUV(quad, 0, 0.5f, 0.5f);

    quad.fSetSize(100, 50);
    quad.fSetHotSpot(4);
    EXPECT_EQ(quad.mTransform->mPivot, KS_VEC3(50, 25, 0));
    quad.fSetHotSpot(9, 3, 3);
    EXPECT_EQ(quad.mTransform->mPivot, KS_VEC3(50, 25, 0));
    quad.fSetHotSpot(8, 1, 2);
    EXPECT_EQ(quad.mTransform->mPivot, KS_VEC3(101, 52, 0));

    quad.fSetScale(2, 0, 1);
    EXPECT_EQ(quad.mTransform->mScale, KS_VEC3(2, 2, 1));
}

TEST_F(QuadTest, RegionsMapTexelsStraightAndTurned) {
    KC_TEXTURE* atlas = mRender.fCreateTexture(64, 64);
    KS_TEXTURE_REGION region;
    region.mTexture = atlas;
    region.mWidth = 32;
    region.mHeight = 32;
    region.mLeft = 0.5f;
    region.mTop = 0.0f;
    region.mRight = 1.0f;
    region.mBottom = 0.5f;
    KC_QUAD quad;
    quad.fInitEmpty();
    ASSERT_EQ(quad.fSetupFromRegion(&region, nullptr), 1);
    fExpectUV(quad, 0, 0.5f, 0.0f);
    fExpectUV(quad, 2, 1.0f, 0.5f);

    region.mRotated = 1;
    quad.fSetupFromRegion(&region, nullptr);
    fExpectUV(quad, 0, 0.5f, 0.5f);
    fExpectUV(quad, 2, 1.0f, 0.0f);

    KC_QUAD copy;
    copy.fInitCopy(quad);
    for (int i = 0; i < 4; ++i) fExpectUV(copy, i, quad.mVertices[i].u, quad.mVertices[i].v);
    EXPECT_EQ(copy.fGetWidth(), quad.fGetWidth());
    EXPECT_NE(copy.mTransform, quad.mTransform) << "an owned transform is deep-copied";

    EXPECT_EQ(quad.fSetupFromRegion(nullptr, nullptr), -1);
    KS_TEXTURE_REGION empty;
    EXPECT_EQ(quad.fSetupFromRegion(&empty, nullptr), -1);
    EXPECT_EQ(quad.mTexture, atlas) << "a failed set-up changes nothing";
}

TEST_F(QuadTest, TransformOwnershipAndMissingTextures) {
    KC_QUAD quad;
    quad.fInitEmpty();
    quad.fSetTransform(nullptr);
    quad.fSetTransform(nullptr);  // the first own transform is freed (checked by the leak sanitizer)
    KS_TRANSFORM3* own = quad.mTransform;
    quad.fSetTransform(own);
    EXPECT_EQ(quad.mTransform, own) << "setting the current transform again keeps it";
    EXPECT_EQ(quad.mOwnsTransform, 1);

    KS_TRANSFORM3 borrowed;
    KS_TRANSFORM3* previous = quad.fSwapTransform(&borrowed);
    EXPECT_EQ(previous, own);
    EXPECT_EQ(quad.mOwnsTransform, 0) << "a swapped-in transform is not ours to free";
    delete previous;
    EXPECT_EQ(quad.fSwapTransform(nullptr), nullptr);

    // Without a texture the pixel-based calls do nothing.
    quad.fSetSize(10, 10);
    quad.fResetUV();
    quad.fSetUVPixels(0, 0, 5, 5);
    quad.fSetSizeScaled(2, 2);
    EXPECT_EQ(quad.fGetWidth(), 10.0f);
    EXPECT_EQ(quad.fSetTexture(nullptr), 1);
    EXPECT_EQ(quad.mState.textured, 0);

    quad.fSetColor(0xFF102030);
    quad.fSetAlpha(-1.0f);
    EXPECT_EQ(quad.fGetVertexColor(3), 0x00102030u);
    quad.fSetAlpha(0.5f);
    EXPECT_EQ(quad.fGetVertexColor(0), 0x7F102030u);
    quad.fSetAlpha(7.0f);
    EXPECT_EQ(quad.fGetVertexColor(1), 0xFF102030u);

    KC_MESH bare;
    EXPECT_EQ(bare.fSetTexture(nullptr), -1);
    EXPECT_TRUE(bare.fIsEmpty());
}

TEST_F(QuadTest, DrawingUsesTheRightWorldTransform) {
    KC_TEXTURE* texture = mRender.fCreateTexture(32, 32);
    KS_TRANSFORM3 parent;
    parent.fSetPos(100, 0, 0);
    KC_QUAD quad;
    quad.fInit(texture, nullptr);
    quad.mTransform->fSetPos(10, 20, 0);
    quad.mTransform->mParent = &parent;
    ASSERT_EQ(mRender.fBeginFrame(), 1);

    quad.fDraw();
    EXPECT_FLOAT_EQ(mRender.fGetWorld().m[12], 110.0f) << "fDraw places with the parents";
    quad.fDrawWith();
    EXPECT_FLOAT_EQ(mRender.fGetWorld().m[12], 10.0f) << "fDrawWith ignores them";
    quad.fDrawAt(300, 400, 0, 1, 1);
    EXPECT_FLOAT_EQ(mRender.fGetWorld().m[12], 300.0f);
    EXPECT_FLOAT_EQ(mRender.fGetWorld().m[13], 400.0f);
    EXPECT_EQ(quad.mTransform->mPosition, KS_VEC3(10, 20, 0)) << "fDrawAt leaves the transform alone";
    EXPECT_EQ(mRender.fGetRequestCount(), 3);

    quad.fDrawRegion(5, 6, 0, 0, 0.5f, 0.5f, 16, 16);
    EXPECT_EQ(quad.fGetWidth(), 16.0f);
    EXPECT_EQ(quad.mTransform->mPivot.x, 0.0f);
    EXPECT_FLOAT_EQ(mRender.fGetWorld().m[12], 105.0f);
    mRender.fEndFrame();
    EXPECT_EQ(mDevice->mDrawCalls, 1) << "one texture and state: one batch";

    KS_VEC2 c0, c1, c2, c3;
    quad.fGetCorners(c0, c1, c2, c3);
    EXPECT_EQ(c0, KS_VEC2(105, 6));
    EXPECT_EQ(c2, KS_VEC2(121, 22));
}
