#include "game/board/GG_HINT_BUTTON.h"

#include <algorithm>

#include "SERVICE/KS_RESULT.h"
#include "engine/bots/KC_BOT_COLOR.h"
#include "engine/bots/KC_BOT_MOVE.h"
#include "engine/platform/KC_INPUT.h"

namespace game {

namespace {

constexpr uint32_t kOPAQUE = 0xFFFFFFFFu;
constexpr uint32_t kCLEAR = 0x00FFFFFFu;

}  // namespace

GG_HINT_BUTTON::GG_HINT_BUTTON()
    : mShownEnd(&fOnShownEnd, "hint_shown", this), mPressedEnd(&fOnPressedEnd, "hint_pressed", this) {}

GG_HINT_BUTTON::~GG_HINT_BUTTON() { mBots.fDeleteAll(); }

bool GG_HINT_BUTTON::fLoad(const pugi::xml_node& node) {
    if (!GG_BASE_CONTROL::fLoad(node)) return false;
    const pugi::xml_node button = node.child("button_sprite");
    if (!button) return false;
    if (node.attribute("speed")) mSpeed = std::max(0.0f, node.attribute("speed").as_float());
    if (node.attribute("delay")) mDelay = std::max(0.0f, node.attribute("delay").as_float());
    mButton = KEL::G_SPRITE(button);
    fAttach(mButton);
    mShownPlace = mButton.fGetTransform()->fGetPos2();
    mHasGlow = node.child("hint") ? 1 : 0;
    if (mHasGlow) {
        mGlow = KEL::G_ANIMATION(node.child("hint"));
        fAttach(mGlow);
    }
    mGlow.fSetColor(kCLEAR);
    // Out of view until a count is shown.
    mButton.fGetTransform()->fSetPos(mShownPlace.x, mShownPlace.y + mButton.fGetHeight(), 0.0f);
    mButton.fSetFrame(kFRAMES, 1, 0);
    return true;
}

void GG_HINT_BUTTON::fDraw() {
    GG_BASE_CONTROL::fDraw();
    if (mCount <= 0 && mBots.fIsEmpty()) return;
    if (mHasGlow) mGlow.fDrawWith();
    mButton.fDrawWith();
}

void GG_HINT_BUTTON::fUpdate() {
    mBots.fUpdate();
    if (mHasGlow) mGlow.fUpdate();
}

KEL::KS_MOUSE_RESULT GG_HINT_BUTTON::fOnMouseDown(int32_t button) {
    if (button != KEL::KC_INPUT::kMOUSE_LEFT || mBlocked || mBusy || mCount <= 0 || !mButton.fHitTest())
        return KEL::KS_MOUSE_RESULT::fNotTaken();
    fSlide(false, &mPressedEnd);
    return KEL::KS_MOUSE_RESULT::fTakenNoEvent();
}

void GG_HINT_BUTTON::fLoadResources() {
    if (!mResourcesLoaded) {
        mButton.fReloadTexture();
        if (mHasGlow) {
            mGlow.fReloadTexture();
            mGlow.fPlay(0.0f);
        }
        mButton.fSetFrame(kFRAMES, 1, std::clamp(mCount, 0, kFRAMES - 1));
    }
    GG_BASE_CONTROL::fLoadResources();
}

void GG_HINT_BUTTON::fReleaseResources() {
    mButton.fUnloadTexture();
    mGlow.fUnloadTexture();
    GG_BASE_CONTROL::fReleaseResources();
}

void GG_HINT_BUTTON::fSetHintCount(int32_t count) {
    mCount = std::max(0, count);
    // The strip has frames for 0 to 4; more hints show as 4.
    mButton.fSetFrame(kFRAMES, 1, std::min(mCount, kFRAMES - 1));
    if (mCount > 0) {
        if (!mShown || mBusy) fSlide(true, &mShownEnd);
    } else if (mShown) {
        fSlide(false, nullptr);
    }
}

// The button moves to its place (in) or its own height below it (out)
// while the glow fades in or out; `finish` runs when the move ends.
void GG_HINT_BUTTON::fSlide(bool in, const KEL::KC_CALLBACK* finish) {
    mBots.fDeleteAll();
    mBusy = 1;
    mShown = in ? 1 : 0;
    const float y = in ? mShownPlace.y : mShownPlace.y + mButton.fGetHeight();
    KEL::KC_BOT_MOVE* move = KEL::fCreateBotMove(mButton.fGetTransform(), mSpeed > 0.0f ? mSpeed : 0.001f, 0.0f,
                                                 mShownPlace.x, y, 0.0f, mDelay);
    if (finish) move->fMessage(KEL::KC_BASE::kMSG_SET_CALLBACK, 0, 0, 0, const_cast<KEL::KC_CALLBACK*>(finish));
    mBots.fAdd(move);
    if (mHasGlow)
        mBots.fAdd(KEL::fCreateBotColor(&mGlow, mSpeed > 0.0f ? mSpeed : 0.001f, in ? kOPAQUE : kCLEAR, mDelay));
}

int32_t GG_HINT_BUTTON::fOnShownEnd(void* self) {
    static_cast<GG_HINT_BUTTON*>(self)->mBusy = 0;
    return KEL::KS_RESULT::kOK;
}

int32_t GG_HINT_BUTTON::fOnPressedEnd(void* self) {
    const KEL::Closure<void()> request = static_cast<GG_HINT_BUTTON*>(self)->mRequest;
    request();
    return KEL::KS_RESULT::kOK;
}

}  // namespace game
