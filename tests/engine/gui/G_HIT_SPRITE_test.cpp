// The clickable sprite's state machine, driven through the engine's input.
#include <gtest/gtest.h>

#include "engine/gui/G_HIT_SPRITE.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/scene/SceneFixture.h"

using namespace KEL;

namespace {

class G_HIT_SPRITE_TEST : public scenetest::SceneFixture {
protected:
    static int32_t fCount(void* argument) {
        ++*static_cast<int*>(argument);
        return 0;
    }
    std::unique_ptr<KC_CALLBACK> fCounter(int& counter) {
        return std::make_unique<KC_CALLBACK>(&fCount, "count", &counter);
    }
};

}  // namespace

TEST_F(G_HIT_SPRITE_TEST, HoverPressReleaseAndLeave) {
    KC_INPUT input;
    KC_TEXTURE* strip = mRender.fCreateTexture(200, 40);
    G_HIT_SPRITE sprite;
    sprite.fInit(strip, nullptr, KS_HIT_AREA::kRECT, 0.0f, 0.0f);
    sprite.fGetTransform()->fSetPos(100.0f, 100.0f, 0.0f);
    EXPECT_EQ(sprite.fGetQuad().fGetWidth(), 40.0f) << "one frame of the five";
    EXPECT_EQ(sprite.fGetQuad().fGetHeight(), 40.0f);
    int changes = 0, clicks = 0;
    sprite.fSetCallbacks(fCounter(changes), fCounter(clicks));

    input.fOnMouseMove(10, 10);
    EXPECT_EQ(sprite.fUpdate(), 0);
    EXPECT_EQ(sprite.fGetState(), G_HIT_SPRITE::kNORMAL);
    input.fOnMouseMove(110, 90);
    sprite.fUpdate();
    EXPECT_EQ(sprite.fGetState(), G_HIT_SPRITE::kHOVER);
    EXPECT_EQ(sprite.fGetQuad().mVertices[0].u, 0.2f) << "the hover frame";

    input.fOnKeyDown(KEL::KC_INPUT::kMOUSE_LEFT);
    sprite.fUpdate();
    EXPECT_EQ(sprite.fGetState(), G_HIT_SPRITE::kPRESSED);
    input.fUpdate();
    EXPECT_EQ(sprite.fUpdate(), 0) << "holding is not a release";
    input.fOnKeyUp(KEL::KC_INPUT::kMOUSE_LEFT);
    EXPECT_EQ(sprite.fUpdate(), G_HIT_SPRITE::kRELEASED);
    EXPECT_EQ(sprite.fGetState(), G_HIT_SPRITE::kHOVER);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 2);

    // Pressed, then dragged off: back to normal and no click.
    input.fUpdate();
    input.fOnKeyDown(KEL::KC_INPUT::kMOUSE_RIGHT);
    sprite.fUpdate();
    EXPECT_EQ(sprite.fGetState(), G_HIT_SPRITE::kPRESSED) << "the right button presses too";
    input.fOnMouseMove(300, 300);
    sprite.fUpdate();
    EXPECT_EQ(sprite.fGetState(), G_HIT_SPRITE::kNORMAL);
    input.fOnKeyUp(KEL::KC_INPUT::kMOUSE_RIGHT);
    EXPECT_EQ(sprite.fUpdate(), 0);
    EXPECT_EQ(clicks, 1);

    // Entering with the left button going down presses at once.
    input.fUpdate();
    input.fUpdate();
    input.fOnMouseMove(100, 100);
    input.fOnKeyDown(KEL::KC_INPUT::kMOUSE_LEFT);
    sprite.fUpdate();
    EXPECT_EQ(sprite.fGetState(), G_HIT_SPRITE::kPRESSED);
    sprite.fReset();
    EXPECT_EQ(sprite.fGetState(), G_HIT_SPRITE::kNORMAL);
    mRender.fReleaseTexture(strip);
}

TEST_F(G_HIT_SPRITE_TEST, ACircleUsesHalfTheWidthAsRadius) {
    KC_INPUT input;
    KS_TRANSFORM3 place;
    place.fSetPos(50.0f, 50.0f, 0.0f);
    G_HIT_SPRITE sprite;
    sprite.fInit(mRender.fGetDefaultTexture(), &place, KS_HIT_AREA::kCIRCLE, 30.0f, 0.0f);
    EXPECT_EQ(sprite.fGetTransform(), &place);
    EXPECT_EQ(sprite.fGetQuad().fGetHeight(), 30.0f);
    input.fOnMouseMove(64, 50);
    sprite.fUpdate();
    EXPECT_EQ(sprite.fGetState(), G_HIT_SPRITE::kHOVER);
    input.fOnMouseMove(66, 50);
    sprite.fUpdate();
    EXPECT_EQ(sprite.fGetState(), G_HIT_SPRITE::kNORMAL);
}
