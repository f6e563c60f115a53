#include "game/board/GG_ELEMENT.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/util/KF_SMALL_HELPERS.h"

#include "SERVICE/KS_RESULT.h"
#include "engine/audio/KC_SOUND_LIST.h"
#include "game/board/GG_BOARD_LAYOUT.h"
#include "game/product/GG_SOUND_GROUP.h"

namespace game {

namespace {

// Out of sight while a delayed reveal waits.
constexpr float kHIDDEN = -1000.0f;

}  // namespace

GG_ELEMENT::GG_ELEMENT(int32_t type, int32_t row, int32_t column)
    : mRow(row), mColumn(column), mType(type), mShownState(type == kFIXED ? kFIXED : kCLOSED) {}

GG_ELEMENT::~GG_ELEMENT() = default;

void GG_ELEMENT::fPlace(const KEL::KS_VEC2& centre, const KEL::KS_VEC2& size) {
    mTransform.fSetPos(centre.x, centre.y, 0.0f);
    mRectSize = size;
    mRectPosition.x = KEL::fClampToInt(centre.x - size.x * 0.5f);
    mRectPosition.y = KEL::fClampToInt(centre.y - size.y * 0.5f);
}

GG_ELEMENT::KE_REVEAL GG_ELEMENT::fRevealWithFill(float delay) { return fReveal(true, delay); }

GG_ELEMENT::KE_REVEAL GG_ELEMENT::fRevealWithCross(float delay) { return fReveal(false, delay); }

GG_ELEMENT::KE_REVEAL GG_ELEMENT::fReveal(bool fill, float delay) {
    if (fIsRevealed() || mType == kFIXED) return kREVEAL_NONE;
    // No wait unless the delay is positive: the countdown only runs for a
    // positive delay, so any other would hide the cell for good.
    mRevealDelay = delay > 0.0f ? delay : 0.0f;
    mShownState = mType;
    if (mFill) fAttach(*mFill, kHIDDEN, kHIDDEN);
    if (mCross) fAttach(*mCross, kHIDDEN, kHIDDEN);
    if (mRevealDelay == 0.0f) fSetShownState(mType);
    const bool right = fill ? mType == kFULL : mType == kEMPTY;
    return right ? kREVEAL_RIGHT : kREVEAL_WRONG;
}

bool GG_ELEMENT::fContains(const KEL::KS_POINT& pointer) const {
    const float x = static_cast<float>(pointer.x);
    const float y = static_cast<float>(pointer.y);
    const float left = static_cast<float>(mRectPosition.x);
    const float top = static_cast<float>(mRectPosition.y);
    return x >= left && x <= left + mRectSize.x && y >= top && y <= top + mRectSize.y;
}

bool GG_ELEMENT::fHitTestAt(int32_t button, const KEL::KS_POINT& pointer) const {
    if (mBlocked || (button != KEL::KC_INPUT::kMOUSE_LEFT && button != KEL::KC_INPUT::kMOUSE_RIGHT)) return false;
    return fContains(pointer);
}

bool GG_ELEMENT::fHitTest(int32_t button) const {
    if (!KEL::kcINPUT) return false;
    return fHitTestAt(button, KEL::kcINPUT->fGetMousePosition());
}

void GG_ELEMENT::fAttach(KEL::G_SPRITE& image, float x, float y) {
    KEL::KS_TRANSFORM3* transform = image.fGetTransform();
    if (!transform) return;
    transform->mParent = &mTransform;
    transform->fSetPos(x, y, 0.0f);
}

void GG_ELEMENT::fSetShownState(int32_t state) {
    mShownState = state;
    if (mFill) fAttach(*mFill, 0.0f, 0.0f);
    if (mCross) fAttach(*mCross, 0.0f, 0.0f);
    if (mType == kFULL && mFill) mFill->fPlay(0.0f);
    if (mType == kEMPTY && mCross) mCross->fPlay(0.0f);
}

void GG_ELEMENT::fUpdate(float delta, KEL::KC_SOUND_LIST* sounds) {
    if (mRevealDelay <= 0.0f) {
        if (mFill) mFill->fUpdate();
        if (mCross) mCross->fUpdate();
        if (mShine) mShine->fUpdate();
        return;
    }
    mRevealDelay -= delta;
    if (mRevealDelay > 0.0f) return;
    fSetShownState(mType);
    if (sounds && !mRevealSound.empty()) sounds->fPlaySound(GG_SOUND_GROUP::kSOUNDS, mRevealSound);
}

void GG_ELEMENT::fStartShine() {
    mShineStarted = 1;
    if (mShine) mShine->fPlay(0.0f);
}

void GG_ELEMENT::fSetShine(const KEL::G_ANIMATION& shine) {
    mShine = std::make_unique<KEL::G_ANIMATION>(shine);
    fAttach(*mShine, 0.0f, 0.0f);
    mShine->fStop();
}

void GG_ELEMENT::fLoadResources(const GG_BOARD_LAYOUT& layout) {
    if (!mFill) {
        mFill = std::make_unique<KEL::G_ANIMATION>(layout.mFill);
        mCross = std::make_unique<KEL::G_ANIMATION>(layout.mCross);
        mLocked = std::make_unique<KEL::G_SPRITE>(layout.mLocked);
        const float offset = fIsWaiting() ? kHIDDEN : 0.0f;
        fAttach(*mFill, offset, offset);
        fAttach(*mCross, offset, offset);
        fAttach(*mLocked, 0.0f, 0.0f);
        mFill->fStop();
        mCross->fStop();
        mFill->fReloadTexture();
        mCross->fReloadTexture();
        // A cell opened before its images existed shows its finished picture.
        if (fIsRevealed() && !fIsWaiting()) {
            if (mType == kFULL) mFill->fShowFrame(mFill->fGetFrames() - 1);
            if (mType == kEMPTY) mCross->fShowFrame(mCross->fGetFrames() - 1);
        }
    }
    mFill->fReloadTexture();
    mCross->fReloadTexture();
    mLocked->fReloadTexture();
    if (mShine) mShine->fReloadTexture();
    fFitImages(layout.mElSize);
}

// Levels size their cells to their board, and every level shares the cell
// images: they hang under the cell's transform, scaled from the size they
// were drawn at (one fill frame) to the cell's.
void GG_ELEMENT::fFitImages(const KEL::KS_VEC2& cellSize) {
    const float w = mFill ? mFill->fGetWidth() : 0.0f, h = mFill ? mFill->fGetHeight() : 0.0f;
    if (!mFill || !mFill->fHasOwnTexture() || !(w > 0.0f) || !(h > 0.0f)) return;
    mTransform.fSetScale(cellSize.x / w, cellSize.y / h, 1.0f);
}

void GG_ELEMENT::fReleaseResources() {
    if (mFill) mFill->fUnloadTexture();
    if (mCross) mCross->fUnloadTexture();
    if (mLocked) mLocked->fUnloadTexture();
    if (mShine) mShine->fUnloadTexture();
}

void GG_ELEMENT::fDrawFill() {
    if (mFill) mFill->fDrawWith();
}

void GG_ELEMENT::fDrawCross() {
    if (mCross) mCross->fDrawWith();
}

void GG_ELEMENT::fDrawLocked() {
    if (mLocked) mLocked->fDrawWith();
}

void GG_ELEMENT::fDrawShine() {
    if (mShine) mShine->fDrawWith();
}

}  // namespace game
