#include "engine/gui/G_HIT_SPRITE.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/scene/KE_ANCHOR.h"

namespace KEL {

namespace {
constexpr int32_t kFRAMES = 5;

bool fKeyPressed(int32_t key) { return kcINPUT && kcINPUT->fIsKeyPressed(key); }
bool fKeyReleased(int32_t key) { return kcINPUT && kcINPUT->fIsKeyReleased(key); }
}  // namespace

void G_HIT_SPRITE::fInit(KC_TEXTURE* texture, KS_TRANSFORM3* transform, int32_t hitType, float width, float height) {
    if (!transform) {
        mOwnTransform = std::make_unique<KS_TRANSFORM3>();
        transform = mOwnTransform.get();
    } else {
        mOwnTransform.reset();
    }
    mTransform = transform;
    mQuad.fInit(texture, transform);
    if (width == 0.0f) width = static_cast<float>(static_cast<int32_t>(mQuad.fGetWidth() / kFRAMES));
    if (height == 0.0f) height = hitType == KS_HIT_AREA::kCIRCLE ? width : mQuad.fGetHeight();
    mQuad.fSetSizeF(width, height);
    mQuad.fSetHotSpot(kANCHOR_CENTRE);
    if (hitType == KS_HIT_AREA::kCIRCLE) mHitArea.fSet(hitType, transform, width / 2.0f, 0.0f);
    else mHitArea.fSet(hitType, transform, width, height);
    fReset();
}

void G_HIT_SPRITE::fSetCallbacks(std::unique_ptr<KC_CALLBACK> change, std::unique_ptr<KC_CALLBACK> click) {
    mChangeCallback = std::move(change);
    mClickCallback = std::move(click);
}

void G_HIT_SPRITE::fChange(int32_t state) {
    mState = state;
    mQuad.fSetFrame(kFRAMES, 1, state, false);
    if (mChangeCallback) KC_CALLBACK::fCall(mChangeCallback.get());
}

int32_t G_HIT_SPRITE::fUpdate() {
    const bool inside = kpMOUSE_POSITION && mHitArea.fContains(*kpMOUSE_POSITION);
    switch (mState) {
        case kNORMAL:
            if (!inside) return 0;
            fChange(kHOVER);
            if (fKeyPressed(KC_INPUT::kMOUSE_LEFT)) {
                mLeftHeld = 1;
                fChange(kPRESSED);
            }
            return 0;
        case kHOVER:
            if (!inside) {
                mLeftHeld = mRightHeld = 0;
                fChange(kNORMAL);
            } else if (fKeyPressed(KC_INPUT::kMOUSE_LEFT) || fKeyPressed(KC_INPUT::kMOUSE_RIGHT)) {
                mLeftHeld = fKeyPressed(KC_INPUT::kMOUSE_LEFT) ? 1 : mLeftHeld;
                mRightHeld = fKeyPressed(KC_INPUT::kMOUSE_RIGHT) ? 1 : mRightHeld;
                fChange(kPRESSED);
            }
            return 0;
        case kPRESSED: return fStepPressed(inside);
        default: return 0;
    }
}

int32_t G_HIT_SPRITE::fStepPressed(bool inside) {
    if (!inside) {
        mLeftHeld = mRightHeld = 0;
        fChange(kNORMAL);
        return 0;
    }
    const bool leftUp = mLeftHeld && fKeyReleased(KC_INPUT::kMOUSE_LEFT);
    const bool rightUp = mRightHeld && fKeyReleased(KC_INPUT::kMOUSE_RIGHT);
    if (!leftUp && !rightUp) return 0;
    if (leftUp) mLeftHeld = 0;
    if (rightUp) mRightHeld = 0;
    mState = kHOVER;
    mQuad.fSetFrame(kFRAMES, 1, mState, false);
    if (!mLeftHeld && !mRightHeld && mClickCallback) KC_CALLBACK::fCall(mClickCallback.get());
    return kRELEASED;
}

void G_HIT_SPRITE::fReset() {
    mState = kNORMAL;
    mLeftHeld = mRightHeld = 0;
    mQuad.fSetFrame(kFRAMES, 1, 0, false);
}

void G_HIT_SPRITE::fDraw() { mQuad.fDraw(); }

}  // namespace KEL
