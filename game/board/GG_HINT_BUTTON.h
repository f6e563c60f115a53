#pragma once

#include <cstdint>
#include <memory>

#include "SERVICE/KC_CALLBACK.h"
#include "engine/bots/KC_BOT_MANAGER.h"
#include "engine/scene/G_ANIMATION.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/util/Closure.h"
#include "engine/util/KS_VEC2.h"
#include "game/board/GG_BASE_CONTROL.h"

namespace game {

// The hint button ("hint_button.xml"): a button showing how many hints the
// player holds, from a strip of five frames (0 to 4 hints), with a glow
// ("hint") behind it. It slides into view while hints are held and out of
// view, its own height down, when none are. A press slides it out and, once
// it is gone, asks for the hint; it comes back when the count is shown again.
class GG_HINT_BUTTON : public GG_BASE_CONTROL {
public:
    static constexpr const char* kFILE = "hint_button.xml";
    static constexpr int32_t kFRAMES = 5;

    GG_HINT_BUTTON();
    ~GG_HINT_BUTTON() override;

    // "speed" (seconds of a slide) and "delay" (seconds before it starts),
    // the animation "hint" and the sprite "button_sprite" (required).
    bool fLoad(const pugi::xml_node& node) override;
    void fDraw() override;
    void fUpdate() override;
    KEL::KS_MOUSE_RESULT fOnMouseDown(int32_t button) override;
    void fLoadResources() override;
    void fReleaseResources() override;

    // Shows the count: frame min(n, 4); slides in for n above 0, out for 0.
    void fSetHintCount(int32_t count);
    // Called when a pressed button has slid out of view.
    void fSetHintRequest(KEL::Closure<void()> request) { mRequest = request; }

    int32_t fGetCount() const { return mCount; }
    // Sliding, or out of view after a press: presses wait.
    bool fIsBusy() const { return mBusy != 0; }
    const KEL::G_SPRITE& fGetButton() const { return mButton; }
    const KEL::G_ANIMATION& fGetGlow() const { return mGlow; }
    bool fIsShown() const { return mShown != 0; }

private:
    void fSlide(bool in, const KEL::KC_CALLBACK* finish);
    static int32_t fOnShownEnd(void* self);
    static int32_t fOnPressedEnd(void* self);

    float mSpeed = 0.3f;
    float mDelay = 0.0f;
    KEL::G_ANIMATION mGlow;
    uint8_t mHasGlow = 0;
    KEL::G_SPRITE mButton;
    KEL::KS_VEC2 mShownPlace;
    int32_t mCount = 0;
    uint8_t mShown = 0;
    uint8_t mBusy = 0;
    KEL::Closure<void()> mRequest;
    KEL::KC_BOT_MANAGER mBots;
    KEL::KC_CALLBACK mShownEnd;
    KEL::KC_CALLBACK mPressedEnd;
};

}  // namespace game
