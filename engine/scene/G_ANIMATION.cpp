#include "engine/scene/G_ANIMATION.h"

#include <algorithm>
#include <string>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/util/KS_POINT.h"

namespace KEL {

G_ANIMATION::G_ANIMATION() { fReset(); }

G_ANIMATION::G_ANIMATION(const std::string& textureName) : G_SPRITE(textureName) { fReset(); }

G_ANIMATION::G_ANIMATION(const pugi::xml_node& node) : G_SPRITE(node) {
    fReset();
    G_ANIMATION::fRead(node);
}

G_ANIMATION::G_ANIMATION(const G_ANIMATION& other) : G_SPRITE(other) { fCopyAnimation(other); }

G_ANIMATION& G_ANIMATION::operator=(const G_ANIMATION& other) {
    if (this == &other) return *this;
    // The grid first: the sprite's copy reloads the texture through this
    // animation, which sizes the quad to one cell of the grid it holds.
    mGrid = other.mGrid;
    G_SPRITE::operator=(other);
    fCopyAnimation(other);
    return *this;
}

void G_ANIMATION::fCopyAnimation(const G_ANIMATION& other) {
    mReverese = other.mReverese;
    mPingPong = other.mPingPong;
    mLoop = other.mLoop;
    mFlip = other.mFlip;
    mPlaying = other.mPlaying;
    mGrid = other.mGrid;
    mFrame = other.mFrame;
    mFrames = other.mFrames;
    mStep = other.mStep;
    mFps = other.mFps;
    mClock = other.mClock;
    mCellWidth = other.mCellWidth;
    mCellHeight = other.mCellHeight;
}

void G_ANIMATION::fReset() {
    // Cells sit at the sheet's edges: wrap so sampling there does not clamp.
    mState.wrapU = 1;
    mState.wrapV = 1;
    fSetGrid(1, 1);
    mFrames = 1;
    mFps = 1.0f;
    mStep = 1;
    mFrame = 0;
    mLoop = 1;
    mReverese = 1;
    mFlip = 0;
    mPingPong = 0;
    mClock = 0.0f;
    mPlaying = 0;
    fShowFrame(0);
    mDelay = 0.0f;
}

void G_ANIMATION::fSetGrid(int32_t columns, int32_t rows) {
    mGrid.fSet(std::clamp(columns, 1, kMAX_GRID), std::clamp(rows, 1, kMAX_GRID));
    mCellWidth = 1.0f / float(mGrid.x);
    mCellHeight = 1.0f / float(mGrid.y);
    if (mTexture) fSetSize(float(mTexture->fGetWidth() / mGrid.x), float(mTexture->fGetHeight() / mGrid.y));
}

void G_ANIMATION::fShowFrame(int32_t index) {
    if (mFrames < 1) mFrames = 1;
    mFrame = index % mFrames;
    mClock = 0.0f;
    const int32_t column = mFrame % mGrid.x, row = mFrame / mGrid.x;
    float left = float(column) * mCellWidth, right = left + mCellWidth;
    const float top = float(row) * mCellHeight;
    if (mFlip) std::swap(left, right);
    fSetCornerUV(left, top, right, top + mCellHeight);
}

void G_ANIMATION::fPlay(float delay) {
    mPlaying = 1;
    mDelay = delay;
    mFrame = mReverese ? 0 : mFrames - 1;
    fShowFrame(mFrame);
}

int32_t G_ANIMATION::fUpdate() {
    const float dt = kfFRAME_DELTA;
    if (!mPlaying || dt == 0.0f) return 0;
    if (mDelay > 0.0f) {
        mDelay -= dt;
        if (mDelay > 0.0f) return 0;
    }
    mClock += dt * mFps;
    if (!(mClock > 1.0f)) return 0;
    fShowFrame(mFrame);
    const int32_t next = mFrame + mStep;
    mFrame = next;
    const int32_t top = mFrames - 1;
    if (int64_t{next} * next > int64_t{top} * top) {
        if (mPingPong && (mLoop || mReverese)) {
            mStep = -mStep;
            mFrame = next + 2 * mStep;
        } else if (mLoop && mReverese) {
            mFrame = 0;
            return 1;
        } else if (!mLoop && (mPingPong || mReverese)) {
            mPlaying = 0;  // ping-pong without reverese, or a plain one-shot
        }
    }
    if (mFrame < 0) {
        if (mLoop && mPingPong) {
            mStep = -mStep;
            mFrame = 1;
        } else if (mLoop && !mReverese) {
            mFrame = mFrames - 1;
        } else if (!mLoop && mPingPong && mReverese) {
            if (mStep == -1) mPlaying = 0;
        } else if (!mLoop && mPingPong && !mReverese) {
            mStep = -mStep;
            mFrame = mFrame + 2 * mStep;
        } else if (!mLoop && !mPingPong && !mReverese) {
            mPlaying = 0;
        }
    }
    return 1;
}

void G_ANIMATION::fReloadTexture() {
    G_SPRITE::fReloadTexture();
    fSetGrid(mGrid.x, mGrid.y);
}

void G_ANIMATION::fRead(const pugi::xml_node& node) {
    G_SPRITE::fRead(node);
    pugi::xml_node animation = node.child("ANIMATION");
    if (!animation) return;
    if (pugi::xml_attribute a = animation.attribute("loop")) mLoop = a.as_bool() ? 1 : 0;
    if (pugi::xml_attribute a = animation.attribute("flip")) mFlip = a.as_bool() ? 1 : 0;
    if (pugi::xml_attribute a = animation.attribute("ping_pong")) mPingPong = a.as_bool() ? 1 : 0;
    if (pugi::xml_attribute a = animation.attribute("reverese")) mReverese = a.as_bool() ? 1 : 0;
    if (pugi::xml_attribute a = animation.attribute("grid")) {
        KS_POINT grid(mGrid.x, mGrid.y);
        grid.fFromString(a.value());
        fSetGrid(grid.x, grid.y);
    }
    if (pugi::xml_attribute a = animation.attribute("frames")) fSetFrames(a.as_int());
    if (pugi::xml_attribute a = animation.attribute("fps")) mFps = float(a.as_int());
    fShowFrame(mFrame);
}

}  // namespace KEL
