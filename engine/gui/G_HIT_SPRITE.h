#pragma once

#include <cstdint>
#include <memory>

#include "SERVICE/KC_CALLBACK.h"
#include "engine/gui/KS_HIT_AREA.h"
#include "engine/scene/KC_QUAD.h"
#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

class KC_TEXTURE;

// A sprite with a built-in hit area and a button-like state machine, for
// code that wants a clickable picture without a widget tree. The picture is
// a strip of five frames (normal, hover, pressed, and two inert states); the
// sprite shows the frame of its state.
class G_HIT_SPRITE {
public:
    static constexpr int32_t kNORMAL = 0;
    static constexpr int32_t kHOVER = 1;
    static constexpr int32_t kPRESSED = 2;
    // fUpdate's answer in the step a held button is let go over the sprite.
    static constexpr int32_t kRELEASED = -102;

    G_HIT_SPRITE() = default;
    G_HIT_SPRITE(const G_HIT_SPRITE&) = delete;
    G_HIT_SPRITE& operator=(const G_HIT_SPRITE&) = delete;
    ~G_HIT_SPRITE() = default;

    // A null transform gives the sprite one of its own. A width of 0 is one
    // frame of the strip, a height of 0 the texture's height; a circle's
    // radius is half the width (its height defaults to the width).
    void fInit(KC_TEXTURE* texture, KS_TRANSFORM3* transform, int32_t hitType, float width, float height);
    // The change callback runs on enter, press and leave; the click
    // callback when the last held button is let go over the sprite. Both
    // get their own user argument.
    void fSetCallbacks(std::unique_ptr<KC_CALLBACK> change, std::unique_ptr<KC_CALLBACK> click);

    // One step against the input's mouse and buttons: kRELEASED on a
    // release over the sprite, else 0.
    int32_t fUpdate();
    void fReset();
    void fDraw();

    int32_t fGetState() const { return mState; }
    KC_QUAD& fGetQuad() { return mQuad; }
    const KS_HIT_AREA& fGetHitArea() const { return mHitArea; }
    KS_TRANSFORM3* fGetTransform() const { return mTransform; }

private:
    void fChange(int32_t state);
    int32_t fStepPressed(bool inside);

    uint8_t mLeftHeld = 0;
    uint8_t mRightHeld = 0;
    int32_t mState = kNORMAL;
    KC_QUAD mQuad;
    KS_HIT_AREA mHitArea;
    KS_TRANSFORM3* mTransform = nullptr;
    std::unique_ptr<KS_TRANSFORM3> mOwnTransform;
    std::unique_ptr<KC_CALLBACK> mChangeCallback;
    std::unique_ptr<KC_CALLBACK> mClickCallback;
};

}  // namespace KEL
