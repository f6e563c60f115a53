#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/scene/KC_CURSOR.h"

using namespace KEL;

namespace {

class CursorTest : public scenetest::SceneFixture {
protected:
    void SetUp() override {
        scenetest::SceneFixture::SetUp();
        fWrite("arrow.png", "32 32");
        fWrite("hand.png", "24 24");
        fWrite("cursor.xml", "<cursor><file>data arrow.png</file></cursor>");
        fWrite("hand.xml", "<cursor><file>hand.png</file></cursor>");
        fMount();
        mInput = new KC_INPUT();
        kcINPUT = mInput;
        mInput->fOnMouseMove(200, 100);
    }
    void TearDown() override {
        kcINPUT = nullptr;
        delete mInput;
        scenetest::SceneFixture::TearDown();
    }
    int32_t fDrawn(KC_CURSOR& cursor) {
        const int32_t before = mRender.fGetRequestCount();
        cursor.fDraw();
        return mRender.fGetRequestCount() - before;
    }
    KC_INPUT* mInput = nullptr;
};

}  // namespace

TEST_F(CursorTest, DrawsOnlyWhenLoadedAndVisible) {
    ASSERT_EQ(mRender.fBeginFrame(), 1);
    KC_CURSOR cursor;
    EXPECT_EQ(fDrawn(cursor), 0) << "nothing before a load";
    EXPECT_FALSE(cursor.fLoad("missing.xml"));
    EXPECT_EQ(fDrawn(cursor), 0) << "nothing after a failed load";
    ASSERT_TRUE(cursor.fLoad("cursor.xml"));
    EXPECT_EQ(fUses("cursor.xml"), 0);
    cursor.fReloadTexture();
    EXPECT_EQ(cursor.fGetSprite()->fGetWidth(), 32.0f);
    EXPECT_EQ(fDrawn(cursor), 1);
    EXPECT_FLOAT_EQ(mRender.fGetWorld().m[12], 200.0f) << "upper-left corner at the mouse";
    EXPECT_FLOAT_EQ(mRender.fGetWorld().m[13], 100.0f);
    cursor.fSetVisible(false);
    EXPECT_EQ(fDrawn(cursor), 0);
    mRender.fEndFrame();

    G_SPRITE* sprite = cursor.fGetSprite();
    ASSERT_TRUE(cursor.fLoad("hand.xml"));
    EXPECT_EQ(cursor.fGetSprite(), sprite) << "a second load keeps the sprite";
    EXPECT_EQ(sprite->fGetTextureName(), "hand.png");
    EXPECT_EQ(fUses("arrow.png"), 0);
    EXPECT_EQ(fUses("hand.png"), 1);
    cursor.fUnloadTexture();
    EXPECT_EQ(fUses("hand.png"), 0);
}

TEST_F(CursorTest, SpriteHitTestIsAnInclusiveUnrotatedBox) {
    G_SPRITE sprite("arrow.png");
    sprite.fReloadTexture();  // 32 x 32, centred on its position
    KS_TRANSFORM3 parent;
    parent.fSetPos(100, 0, 0);
    sprite.fGetTransform()->mParent = &parent;
    sprite.fGetTransform()->fSetPos(116, 116, 0);
    sprite.fGetTransform()->fSetAngle(1.0f);  // ignored
    mInput->fOnMouseMove(200, 100);
    EXPECT_TRUE(sprite.fHitTest()) << "upper-left corner, absolute position 216 minus pivot 16";
    mInput->fOnMouseMove(232, 132);
    EXPECT_TRUE(sprite.fHitTest()) << "lower-right corner";
    mInput->fOnMouseMove(233, 132);
    EXPECT_FALSE(sprite.fHitTest());
    mInput->fOnMouseMove(199, 100);
    EXPECT_FALSE(sprite.fHitTest());
}
