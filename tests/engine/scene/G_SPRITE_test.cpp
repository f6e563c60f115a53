#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "SceneFixture.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/scene/G_SPRITE.h"

using namespace KEL;

namespace {

class SpriteTest : public scenetest::SceneFixture {
protected:
    void SetUp() override {
        scenetest::SceneFixture::SetUp();
        fWrite("wide.png", "64 32");
        fWrite("square.png", "16 16");
        fWrite("broken.png", "not an image");
        fMount();
    }
};

}  // namespace

TEST_F(SpriteTest, TakesItsTextureSizeOnReloadAndKeepsItAcrossRelease) {
    G_SPRITE sprite("wide.png");
    EXPECT_EQ(sprite.fGetTexture(), mRender.fGetDefaultTexture());
    EXPECT_FALSE(sprite.fHasOwnTexture());
    KS_RENDER_STATE drawn;
    drawn.blend = 1;
    drawn.filter = KS_RENDER_STATE::kFILTER_ANISOTROPIC;
    drawn.textured = 1;
    drawn.primitive = KS_RENDER_STATE::kTRIANGLES;
    EXPECT_EQ(sprite.mState, drawn) << "blended, anisotropic, textured triangles, first camera";

    sprite.fReloadTexture();
    ASSERT_TRUE(sprite.fHasOwnTexture());
    EXPECT_EQ(sprite.fGetWidth(), 64.0f);
    EXPECT_EQ(sprite.fGetHeight(), 32.0f);
    EXPECT_EQ(sprite.fGetTransform()->mPivot, KS_VEC3(32, 16, 0));
    EXPECT_EQ(fUses("wide.png"), 1);
    KC_TEXTURE* texture = sprite.fGetTexture();

    sprite.fUnloadTexture();
    EXPECT_EQ(sprite.fGetTexture(), mRender.fGetDefaultTexture());
    EXPECT_EQ(fUses("wide.png"), 0);
    EXPECT_EQ(sprite.fGetWidth(), 64.0f);
    sprite.fUnloadTexture();  // already on the default texture: nothing
    EXPECT_EQ(fUses("wide.png"), 0);

    sprite.fReloadTexture();
    EXPECT_EQ(sprite.fGetTexture(), texture);
    sprite.fReloadTexture();  // already holding it: no second use
    EXPECT_EQ(fUses("wide.png"), 1);

    // Renaming swaps the texture but keeps the explicit size.
    sprite.fSetTextureName("square.png");
    EXPECT_EQ(fUses("wide.png"), 0);
    EXPECT_EQ(fUses("square.png"), 1);
    EXPECT_EQ(sprite.fGetWidth(), 64.0f);
}

TEST_F(SpriteTest, CopiesAndAssignmentsBalanceTextureUses) {
    {
        G_SPRITE original("wide.png");
        original.fReloadTexture();
        original.fSetColor(0xFF00FF00);
        G_SPRITE copy(original);
        EXPECT_EQ(fUses("wide.png"), 2) << "a copy takes its own use";
        EXPECT_EQ(copy.fGetWidth(), 64.0f);
        EXPECT_NE(copy.fGetTransform(), original.fGetTransform());
        EXPECT_EQ(copy.mVertices[0].color, 0xFFFFFFFFu) << "copies come back white";

        G_SPRITE other("square.png");
        other.fReloadTexture();
        other = original;
        EXPECT_EQ(fUses("square.png"), 0);
        EXPECT_EQ(fUses("wide.png"), 3);
        other = other;
        EXPECT_EQ(fUses("wide.png"), 3);
        G_SPRITE blank;
        other = blank;
        EXPECT_EQ(fUses("wide.png"), 2);
    }
    EXPECT_EQ(fUses("wide.png"), 0);
}

TEST_F(SpriteTest, UnknownOrUnreadableTexturesLeaveTheDefault) {
    G_SPRITE missing("nowhere.png");
    missing.fReloadTexture();
    EXPECT_EQ(missing.fGetTexture(), mRender.fGetDefaultTexture());
    G_SPRITE broken("broken.png");
    broken.fReloadTexture();
    EXPECT_FALSE(broken.fHasOwnTexture());
    G_SPRITE unnamed;
    unnamed.fReloadTexture();
    EXPECT_FALSE(unnamed.fHasOwnTexture());
}

TEST_F(SpriteTest, XmlChildrenApplyInOrder) {
    pugi::xml_document doc;
    doc.load_string(R"(<s>
        <FILE>wide.png</FILE><HOT_SPOT>HS_DR</HOT_SPOT><POS>5 6</POS>
        <TRANSFORM>7 8 0 1 1 0 0 0 0.5 1 1 1</TRANSFORM>
        <COLOR>128 255 0 0</COLOR><SIZE>40 20</SIZE></s>
        <t><POS>1 2</POS><COLOR>1 2 3</COLOR><HOT_SPOT>middle</HOT_SPOT></t>)");
    G_SPRITE sprite(doc.child("s"));
    EXPECT_EQ(sprite.fGetTextureName(), "wide.png");
    EXPECT_FALSE(sprite.fHasOwnTexture()) << "the texture comes with the reload";
    EXPECT_EQ(sprite.fGetTransform()->mPosition, KS_VEC3(7, 8, 0)) << "TRANSFORM replaces POS";
    EXPECT_FLOAT_EQ(sprite.fGetTransform()->mRotation.z, 0.5f);
    EXPECT_EQ(sprite.mVertices[2].color, 0x80FF0000u);
    EXPECT_EQ(sprite.fGetTransform()->mPivot, KS_VEC3(40, 20, 0)) << "the size re-applies the lower-right anchor";
    sprite.fReloadTexture();
    EXPECT_EQ(sprite.fGetWidth(), 40.0f) << "an explicit size stays";

    G_SPRITE other(doc.child("t"));
    EXPECT_EQ(other.fGetTransform()->mPosition, KS_VEC3(1, 2, 0));
    EXPECT_EQ(other.mVertices[0].color, 0xFFFFFFFFu) << "three colour numbers change nothing";
    EXPECT_EQ(other.fGetHotSpot(), 4);
}

TEST_F(SpriteTest, FramesUVsAndDrawing) {
    G_SPRITE sprite("wide.png");
    sprite.fReloadTexture();
    sprite.fSetFrame(4, 2, 5);
    EXPECT_FLOAT_EQ(sprite.mVertices[0].u, 0.25f);
    EXPECT_FLOAT_EQ(sprite.mVertices[0].v, 0.5f);
    EXPECT_FLOAT_EQ(sprite.mVertices[2].u, 0.5f);
    EXPECT_FLOAT_EQ(sprite.mVertices[2].v, 1.0f);
    EXPECT_EQ(sprite.fGetWidth(), 64.0f);
    sprite.fSetFrame(0, 0, 1);  // an empty grid changes nothing
    EXPECT_FLOAT_EQ(sprite.mVertices[0].u, 0.25f);

    sprite.fSetSize(128, 16);
    sprite.fResetUV();
    EXPECT_FLOAT_EQ(sprite.mVertices[2].u, 2.0f) << "one texel per pixel tiles";
    EXPECT_FLOAT_EQ(sprite.mVertices[2].v, 0.5f);

    KS_TRANSFORM3 parent;
    parent.fSetPos(10, 10, 0);
    sprite.fGetTransform()->mParent = &parent;
    sprite.fGetTransform()->fSetPos(5, 5, 0);
    ASSERT_EQ(mRender.fBeginFrame(), 1);
    sprite.fDrawWith();
    EXPECT_FLOAT_EQ(mRender.fGetWorld().m[12], 15.0f - 64.0f) << "absolute position minus the pivot";
    mRender.fEndFrame();

    KS_TRANSFORM3 borrowed;
    sprite.fReplaceTransform(&borrowed);
    EXPECT_EQ(sprite.fGetTransform(), &borrowed);
}
