#include "engine/scene/KC_QUAD.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "SERVICE/KS_RESULT.h"
#include "engine/render/KC_RENDER.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/scene/KE_ANCHOR.h"
#include "engine/util/KF_CURVES.h"

namespace KEL {

const uint16_t KC_QUAD::kINDICES[6] = {0, 1, 2, 0, 2, 3};

namespace {
constexpr float kANCHOR_X[9] = {0.0f, 0.5f, 1.0f, 0.0f, 0.5f, 1.0f, 0.0f, 0.5f, 1.0f};
constexpr float kANCHOR_Y[9] = {0.0f, 0.0f, 0.0f, 0.5f, 0.5f, 0.5f, 1.0f, 1.0f, 1.0f};
}  // namespace

void KC_QUAD::fApplyQuadState(KS_RENDER_STATE& state) {
    state.blend = 1;
    state.filter = KS_RENDER_STATE::kFILTER_ANISOTROPIC;
    state.textured = 1;
    state.primitive = KS_RENDER_STATE::kTRIANGLES;
}

void KC_QUAD::fInitEmpty() {
    fFreeBuffers();
    mVertices = nullptr;
    mVertexCount = 0;
    mIndices = nullptr;
    mIndexCount = 0;
    mTexture = nullptr;
    mState = KS_RENDER_STATE();
    mTransform = nullptr;
    mOwnsTransform = 0;
    mRegionOrigin.fSet(0.0f, 0.0f);
    mRegionEnd.fSet(1.0f, 1.0f);
    mRotated = 0;
    mStorage = new KS_VERTEX[4];
    std::memset(static_cast<void*>(mStorage), 0, sizeof(KS_VERTEX) * 4);
    mVertices = mStorage;
    mVertexCount = 4;
    mIndices = kINDICES;
    mIndexCount = 6;
    fApplyQuadState(mState);
}

void KC_QUAD::fInit(KC_TEXTURE* texture, KS_TRANSFORM3* transform) {
    fInitEmpty();
    fInitFromTexture(texture, transform);
}

int32_t KC_QUAD::fInitFromTexture(KC_TEXTURE* texture, KS_TRANSFORM3* transform) {
    KS_TEXTURE_REGION region;
    region.mTexture = texture;
    if (texture) {
        region.mWidth = float(texture->fGetWidth());
        region.mHeight = float(texture->fGetHeight());
    }
    fSetupFromRegion(&region, transform);
    return KS_RESULT::kOK;
}

int32_t KC_QUAD::fSetupFromRegion(const KS_TEXTURE_REGION* region, KS_TRANSFORM3* transform) {
    if (!region || !region->mTexture || !mVertices) return KS_RESULT::kFAILED;
    mTexture = region->mTexture;
    mRotated = region->mRotated;
    fSetTransform(transform);
    mRegionOrigin.fSet(region->mLeft, region->mTop);
    mRegionEnd.fSet(region->mRight, region->mBottom);
    fSetSize(int32_t(region->mWidth), int32_t(region->mHeight));
    fSetUV(0.0f, 0.0f, 1.0f, 1.0f);
    fSetColor(0xFFFFFFFFu);
    return KS_RESULT::kOK;
}

void KC_QUAD::fSetRegion(const KS_TEXTURE_REGION* region) {
    if (!region) return;
    fSetTexture(region->mTexture);
    mRotated = region->mRotated;
    mRegionOrigin.fSet(region->mLeft, region->mTop);
    mRegionEnd.fSet(region->mRight, region->mBottom);
    fSetSizeF(region->mWidth, region->mHeight);
}

void KC_QUAD::fSetTransform(KS_TRANSFORM3* t) {
    if (t && t == mTransform) return;
    if (mOwnsTransform) delete mTransform;
    if (t) {
        mTransform = t;
        mOwnsTransform = 0;
    } else {
        mTransform = new KS_TRANSFORM3();
        mOwnsTransform = 1;
    }
}

KS_TRANSFORM3* KC_QUAD::fSwapTransform(KS_TRANSFORM3* t) {
    if (!t) return nullptr;
    KS_TRANSFORM3* previous = KC_MESH::fSwapTransform(t);
    mOwnsTransform = 0;
    return previous;
}

void KC_QUAD::fFreeBuffers() {
    if (mStorage) {
        if (mVertices == mStorage) {
            mVertices = nullptr;
            mVertexCount = 0;
        }
        delete[] mStorage;
        mStorage = nullptr;
    }
    if (mOwnsTransform) {
        delete mTransform;
        mTransform = nullptr;
        mOwnsTransform = 0;
    }
}

void KC_QUAD::fInitCopy(const KC_QUAD& other) {
    fInitEmpty();
    mState = other.mState;
    KS_TEXTURE_REGION region;
    region.mTexture = other.mTexture;
    region.mLeft = other.mRegionOrigin.x;
    region.mTop = other.mRegionOrigin.y;
    region.mRight = other.mRegionEnd.x;
    region.mBottom = other.mRegionEnd.y;
    region.mRotated = other.mRotated;
    if (other.mTexture) {
        region.mWidth = std::fabs(region.mRight - region.mLeft) * float(other.mTexture->fGetWidth());
        region.mHeight = std::fabs(region.mBottom - region.mTop) * float(other.mTexture->fGetHeight());
        if (region.mRotated) std::swap(region.mWidth, region.mHeight);
    }
    KS_TRANSFORM3* transform = other.mTransform;
    if (other.mOwnsTransform && other.mTransform) {
        fSetTransform(nullptr);
        *mTransform = *other.mTransform;
        transform = mTransform;
    }
    fSetupFromRegion(&region, transform);
    // The same texels and size as the source.
    for (int i = 0; i < 4 && other.mVertices && i < other.mVertexCount; ++i) {
        mVertices[i].u = other.mVertices[i].u;
        mVertices[i].v = other.mVertices[i].v;
        mVertices[i].color = other.mVertices[i].color;
    }
    fSetSizeF(other.fGetWidth(), other.fGetHeight());
}

void KC_QUAD::fSetUVRect(float left, float top, float right, float bottom) {
    mRegionOrigin.fSet(left, top);
    mRegionEnd.fSet(right, bottom);
}

void KC_QUAD::fSetUV(float a, float b, float c, float d) {
    if (!mVertices || mVertexCount < 4) return;
    const float l = mRegionOrigin.x, t = mRegionOrigin.y;
    const float du = mRegionEnd.x - l, dv = mRegionEnd.y - t;
    if (!mRotated) {
        mVertices[0].fSetUV(l + a * du, t + b * dv);
        mVertices[1].fSetUV(l + c * du, t + b * dv);
        mVertices[2].fSetUV(l + c * du, t + d * dv);
        mVertices[3].fSetUV(l + a * du, t + d * dv);
    } else {
        mVertices[0].fSetUV(l + b * du, t + (1.0f - a) * dv);
        mVertices[1].fSetUV(l + b * du, t + (1.0f - c) * dv);
        mVertices[2].fSetUV(l + d * du, t + (1.0f - c) * dv);
        mVertices[3].fSetUV(l + d * du, t + (1.0f - a) * dv);
    }
}

void KC_QUAD::fSetUVPixels(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    if (!mTexture || mTexture->fGetWidth() <= 0 || mTexture->fGetHeight() <= 0) return;
    const float w = float(mTexture->fGetWidth()), h = float(mTexture->fGetHeight());
    fSetUV(float(x0) / w, float(y0) / h, float(x1) / w, float(y1) / h);
}

void KC_QUAD::fSetCornerUV(float left, float top, float right, float bottom) {
    if (!mVertices || mVertexCount < 4) return;
    mVertices[0].fSetUV(left, top);
    mVertices[1].fSetUV(right, top);
    mVertices[2].fSetUV(right, bottom);
    mVertices[3].fSetUV(left, bottom);
}

void KC_QUAD::fResetUV() {
    if (!mTexture || mTexture->fGetWidth() <= 0 || mTexture->fGetHeight() <= 0) return;
    fSetUV(0.0f, 0.0f, float(int32_t(fGetWidth())) / float(mTexture->fGetWidth()),
           float(int32_t(fGetHeight())) / float(mTexture->fGetHeight()));
}

void KC_QUAD::fSetFrame(int32_t columns, int32_t rows, int32_t index, bool resize) {
    if (columns < 1 || rows < 1) return;
    const float fu = 1.0f / float(columns), fv = 1.0f / float(rows);
    const int32_t column = index % columns, row = index / columns;
    fSetUV(fu * float(column), fv * float(row), fu + fu * float(column), fv + fv * float(row));
    if (!resize) return;
    // The sheet's size in pixels: the region of the texture (the quad's own
    // size without one), so that setting another cell keeps the cell size.
    float w = fGetWidth(), h = fGetHeight();
    if (mTexture) {
        w = (mRegionEnd.x - mRegionOrigin.x) * float(mTexture->fGetWidth());
        h = (mRegionEnd.y - mRegionOrigin.y) * float(mTexture->fGetHeight());
    }
    fSetSize(int32_t(w / float(columns)), int32_t(h / float(rows)));
}

void KC_QUAD::fSetSize(int32_t w, int32_t h) { fSetSizeF(float(w), float(h)); }

void KC_QUAD::fSetSizeF(float w, float h) {
    fSetWidth(w);
    fSetHeight(h);
}

void KC_QUAD::fSetWidth(float w) {
    if (!mVertices || mVertexCount < 4) return;
    mVertices[1].x = mVertices[2].x = mVertices[0].x + w;
}

void KC_QUAD::fSetHeight(float h) {
    if (!mVertices || mVertexCount < 4) return;
    mVertices[2].y = mVertices[3].y = mVertices[0].y + h;
}

void KC_QUAD::fSetSizeScaled(float sx, float sy) {
    if (!mTexture) return;
    fSetSizeF((mRegionEnd.x - mRegionOrigin.x) * float(mTexture->fGetWidth()) * sx,
              (mRegionEnd.y - mRegionOrigin.y) * float(mTexture->fGetHeight()) * sy);
}

float KC_QUAD::fGetWidth() const { return mVertices && mVertexCount >= 4 ? mVertices[1].x : 0.0f; }

float KC_QUAD::fGetHeight() const { return mVertices && mVertexCount >= 4 ? mVertices[2].y : 0.0f; }

void KC_QUAD::fSetHotSpot(int32_t anchor, float dx, float dy) {
    if (anchor < 0 || anchor > 8 || !mTransform) return;
    mTransform->mPivot.x = kANCHOR_X[anchor] * fGetWidth() + dx;
    mTransform->mPivot.y = kANCHOR_Y[anchor] * fGetHeight() + dy;
}

void KC_QUAD::fSetHotSpotEx(KC_QUAD* quad, int32_t anchor, float dx, float dy) {
    if (quad) quad->fSetHotSpot(anchor, dx, dy);
}

void KC_QUAD::fSetCornerColors(uint32_t c0, uint32_t c1, uint32_t c2, uint32_t c3) {
    if (!mVertices || mVertexCount < 4) return;
    mVertices[0].color = c0;
    mVertices[1].color = c1;
    mVertices[2].color = c2;
    mVertices[3].color = c3;
}

uint32_t KC_QUAD::fGetVertexColor(int32_t index) const {
    if (!mVertices || index < 0 || index >= mVertexCount) return 0;
    return mVertices[index].color;
}

void KC_QUAD::fSetAlpha(float a) {
    if (!mVertices || mVertexCount < 1) return;
    const uint32_t alpha = uint32_t(std::clamp(a, 0.0f, 1.0f) * 255.0f) & 0xFF;
    fSetColor((mVertices[0].color & 0x00FFFFFFu) | alpha << 24);
}

void KC_QUAD::fDrawRegion(float x, float y, float a, float b, float c, float d, int32_t w, int32_t h) {
    if (mTransform) mTransform->fSetPos(x, y, mTransform->mPosition.z);
    fSetUV(a, b, c, d);
    fSetSize(w, h);
    fSetHotSpot(kANCHOR_TOP_LEFT);
    fDraw();
}

void KC_QUAD::fDrawVertices(const KS_CORNER corners[4]) {
    if (!mVertices || mVertexCount < 4) return;
    for (int i = 0; i < 4; ++i) {
        mVertices[i].x = corners[i].x;
        mVertices[i].y = corners[i].y;
        mVertices[i].fSetUV(corners[i].u, corners[i].v);
        mVertices[i].color = corners[i].color;
    }
    fDrawWith();
}

void KC_QUAD::fGetCorners(KS_VEC2& out0, KS_VEC2& out1, KS_VEC2& out2, KS_VEC2& out3) const {
    KS_VEC2* outs[4] = {&out0, &out1, &out2, &out3};
    KS_TRANSFORM3 absolute;
    if (mTransform) mTransform->fGetAbsolute(absolute);
    for (int i = 0; i < 4; ++i) {
        float x = 0.0f, y = 0.0f;
        if (mVertices && i < mVertexCount) {
            x = mVertices[i].x - absolute.mPivot.x;
            y = mVertices[i].y - absolute.mPivot.y;
        }
        fRotatePoint(0.0f, 0.0f, x, y, absolute.mRotation.z);
        outs[i]->fSet(x + absolute.mPosition.x, y + absolute.mPosition.y);
    }
}

}  // namespace KEL
