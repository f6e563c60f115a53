#include "engine/gui/KC_GUI_SCROLL_BAR12.h"

#include <cmath>

#include "engine/gui/KF_GUI_SPRITES.h"
#include "engine/scene/KF_SCENE_TEXTURES.h"

namespace KEL {

namespace {
constexpr int32_t kHOVERED = 1;
constexpr int32_t kPRESSED = 2;
constexpr int32_t kTRACK_CELL = 9;
}  // namespace

KC_GUI_SCROLL_BAR12::KC_GUI_SCROLL_BAR12(int32_t id, const std::string& textureName, const KS_VEC2& start,
                                         const KS_VEC2& end)
    : KC_GUI_OBJECT(id), mTexture(textureName) {
    const KS_VEC2 middle = (start + end) * 0.5f;
    mTransform.fSetPos(middle.x, middle.y, 0.0f);
    const KS_VEC2 track = end - start;
    mTrackLength = track.fLength();
    mAngle = std::atan2(track.y, track.x);
    const KS_VEC2 at[kPART_COUNT] = {start - middle, end - middle, {0.0f, 0.0f}};
    for (int32_t part = 0; part < kPART_COUNT; ++part) {
        mParts[part].mParent = &mTransform;
        mParts[part].fSetPos2(at[part]);
        mParts[part].fSetAngle(mAngle);
        const float radius = part == kSTART_BUTTON ? kBUTTON_RADIUS : kBUTTON_RADIUS + 5.0f;
        mAreas[part].fSet(KS_HIT_AREA::kCIRCLE, &mParts[part], radius, radius);
    }
}

void KC_GUI_SCROLL_BAR12::fReloadResources() {
    KC_TEXTURE* texture = mTexture.fAcquire();
    if (mSprites[0]) {
        for (auto& sprite : mSprites)
            if (texture) sprite->fSetTexture(texture);
        return;
    }
    // The track (start cap, middle, end cap) under the buttons and thumb.
    for (int32_t i = 0; i < 3; ++i) {
        mSprites[static_cast<size_t>(i)] = fMakeStripSprite(texture, nullptr, kCELLS, kTRACK_CELL + i);
        KS_TRANSFORM3* placed = mSprites[static_cast<size_t>(i)]->fGetTransform();
        placed->mParent = &mTransform;
        placed->fSetAngle(mAngle);
        const float cell = mSprites[static_cast<size_t>(i)]->fGetWidth();
        placed->fSetPos(std::cos(mAngle) * (mTrackLength - cell) * 0.5f * static_cast<float>(i - 1),
                        std::sin(mAngle) * (mTrackLength - cell) * 0.5f * static_cast<float>(i - 1), 0.0f);
    }
    mSprites[1]->fSetSizeF(std::fmax(0.0f, mTrackLength - 2.0f * mSprites[0]->fGetWidth()), mSprites[1]->fGetHeight());
    mSprites[1]->fSetHotSpot(kANCHOR_CENTRE);
    for (int32_t part = 0; part < kPART_COUNT; ++part)
        mSprites[static_cast<size_t>(3 + part)] = fMakeStripSprite(texture, &mParts[part], kCELLS, part * 3);
}

void KC_GUI_SCROLL_BAR12::fReleaseResources() {
    if (!mTexture.fRelease() || !mSprites[0]) return;
    for (auto& sprite : mSprites)
        if (KC_TEXTURE* fallback = fSceneDefaultTexture()) sprite->fSetTexture(fallback);
}

void KC_GUI_SCROLL_BAR12::fShowStates() {
    for (int32_t part = 0; part < kPART_COUNT; ++part)
        fShowFrame(mSprites[static_cast<size_t>(3 + part)].get(), kCELLS, part * 3 + mStates[part]);
}

KS_MOUSE_RESULT KC_GUI_SCROLL_BAR12::fOnMouseMove() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    for (int32_t part = 0; part < kPART_COUNT && mEvent.mCode == KS_GUI_EVENT::kNONE; ++part) {
        const bool inside = fMouseIn(&mAreas[part]);
        if (inside && mStates[part] == 0) {
            mStates[part] = kHOVERED;
            mEvent.mCode = KS_GUI_EVENT::kENTERED;
        } else if (!inside && mStates[part] != 0) {
            mStates[part] = 0;
            mEvent.mCode = KS_GUI_EVENT::kLEFT;
        }
    }
    fShowStates();
    return fReport();
}

KS_MOUSE_RESULT KC_GUI_SCROLL_BAR12::fOnMouseDown() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    for (int32_t& state : mStates)
        if (state == kHOVERED && fLeftPressed()) {
            state = kPRESSED;
            mEvent.mCode = KS_GUI_EVENT::kPRESSED;
            break;
        }
    fShowStates();
    return fReport();
}

KS_MOUSE_RESULT KC_GUI_SCROLL_BAR12::fOnMouseUp() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    for (int32_t& state : mStates)
        if (state == kPRESSED && fLeftReleased()) {
            state = kHOVERED;
            mEvent.mCode = KS_GUI_EVENT::kCLICK;
        }
    fShowStates();
    return fReport();
}

void KC_GUI_SCROLL_BAR12::fDraw() {
    for (auto& sprite : mSprites)
        if (sprite) sprite->fDraw();
}

}  // namespace KEL
