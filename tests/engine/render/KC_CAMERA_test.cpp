#include "engine/render/KC_CAMERA.h"
#include "engine/render/KC_VERTEX_ARRAY.h"

#include <gtest/gtest.h>

using namespace KEL;

TEST(KC_CAMERA, FitsTheScreenAndNormalisesTheLook) {
    KC_CAMERA camera(1024, 768);
    EXPECT_NEAR(camera.fGetPosition()->x, 512.0f, 1e-3f);
    EXPECT_NEAR(camera.fGetPosition()->y, 384.0f, 1e-3f);
    EXPECT_NEAR(camera.fGetPosition()->z, 927.06f, 0.01f);
    // The screen centre lands on the view axis.
    const KS_MATRIX& m = camera.fGetMatrix();
    const float x = 512 * m.m[0] + 384 * m.m[4] + 1 * m.m[8] + m.m[12];
    const float y = 512 * m.m[1] + 384 * m.m[5] + 1 * m.m[9] + m.m[13];
    EXPECT_NEAR(x, 0.0f, 1e-3f);
    EXPECT_NEAR(y, 0.0f, 1e-3f);

    KC_CAMERA other(1024, 768);
    other.fSetLook(0, 0, 2);
    EXPECT_EQ(other.fGetMatrix(), camera.fGetMatrix());
    other.fYaw(0.3f);
    other.fResetAxes(1, 2, 3);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(other.fGetMatrix().m[i], camera.fGetMatrix().m[i], 1e-4f);
    other.fSetX(0);
    EXPECT_EQ(other.fGetMatrix().fAt(3, 0), 0.0f);
}

TEST(KC_CAMERA, TurningKeepsAxesOrthonormal) {
    KC_CAMERA camera(800, 600);
    camera.fRotate(0.4f, -0.2f, 1.1f);
    camera.fPitch(0.3f);
    camera.fRoll(-0.7f);
    const KS_VEC3 l = camera.fGetLook(), u = camera.fGetUp(), r = camera.fGetRight();
    EXPECT_NEAR(l.fLength(), 1.0f, 1e-5f);
    EXPECT_NEAR(KS_VEC3::fDot(l, u), 0.0f, 1e-5f);
    EXPECT_NEAR(KS_VEC3::fDot(l, r), 0.0f, 1e-5f);
    EXPECT_NEAR(KS_VEC3::fDot(u, r), 0.0f, 1e-5f);
}

TEST(KC_VERTEX_ARRAY, EditsEveryVertexAndCopies) {
    KS_VERTEX v[3];
    v[0].fSetPos(0, 0, 0);
    v[1].fSetPos(2, 0, 0);
    v[2].fSetPos(2, 4, 0);
    KC_VERTEX_ARRAY a;
    EXPECT_TRUE(a.fIsEmpty());
    a.fAttach(v, 3);
    a.fSetColor(0x11223344u);
    EXPECT_EQ(a.fGetColor(), 0x11223344u);
    a.fScale(1, 1, 0, 2, 2, 1);
    EXPECT_EQ(v[2].x, 3.0f);
    EXPECT_EQ(v[2].y, 7.0f);
    a.fMove(1, 0, 0);
    EXPECT_EQ(v[0].x, 0.0f);
    v[1].fSetUV(1, 1);
    a.fScaleUV(0.5f, 0.5f, 2, 2);
    EXPECT_EQ(v[1].u, 1.5f);
    a.fMoveUV(0.5f, 0);
    EXPECT_EQ(v[1].u, 2.0f);
    EXPECT_EQ(a.fGetVertex(3), nullptr);
    EXPECT_EQ(a.fGetVertex(-1), nullptr);
    EXPECT_EQ(a.fGetVertex(2), &v[2]);

    uint16_t indices[3] = {0, 1, 2};
    a.fSetIndices(indices, 3);
    KC_VERTEX_ARRAY copy;
    copy.fCopy(a);
    ASSERT_NE(copy.mVertices, v);
    EXPECT_EQ(copy.mVertices[2].y, 7.0f);
    EXPECT_EQ(copy.mIndices[2], 2);
    EXPECT_EQ(copy.fCloseLoop()->x, copy.mVertices[0].x);
    delete[] copy.mVertices;
    delete[] copy.mIndices;
}
