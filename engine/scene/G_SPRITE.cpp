#include "engine/scene/G_SPRITE.h"

#include <cstring>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/render/KC_RENDER.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/scene/KC_QUAD.h"
#include "engine/scene/KF_SCENE_TEXTURES.h"
#include "engine/util/KF_SMALL_HELPERS.h"
#include "engine/util/KS_COLOR.h"
#include "engine/util/KS_VEC2.h"

namespace KEL {

namespace {
constexpr float kANCHOR_X[9] = {0.0f, 0.5f, 1.0f, 0.0f, 0.5f, 1.0f, 0.0f, 0.5f, 1.0f};
constexpr float kANCHOR_Y[9] = {0.0f, 0.0f, 0.0f, 0.5f, 0.5f, 0.5f, 1.0f, 1.0f, 1.0f};

void fSpriteState(KS_RENDER_STATE& state) {
    KC_QUAD::fApplyQuadState(state);
    state.camera = 0;  // sprites draw with the first camera
}
}  // namespace

KC_TEXTURE* G_SPRITE::fDefaultTexture() { return fSceneDefaultTexture(); }

G_SPRITE::G_SPRITE() {
    mTransform = new KS_TRANSFORM3();
    fSpriteState(mState);
    fSetup(fDefaultTexture());
}

G_SPRITE::G_SPRITE(const std::string& textureName) : G_SPRITE() { mTextureName = textureName; }

G_SPRITE::G_SPRITE(const pugi::xml_node& node) : G_SPRITE() { G_SPRITE::fRead(node); }

G_SPRITE::G_SPRITE(const G_SPRITE& other) : KC_MESH() { fCopyFrom(other); }

G_SPRITE& G_SPRITE::operator=(const G_SPRITE& other) {
    if (this == &other) return *this;
    fRelease();
    fCopyFrom(other);
    return *this;
}

G_SPRITE::~G_SPRITE() { fRelease(); }

void G_SPRITE::fRelease() {
    G_SPRITE::fUnloadTexture();
    if (mOwnsTransform) delete mTransform;
    mTransform = nullptr;
    delete[] mStorage;
    mStorage = nullptr;
    mVertices = nullptr;
    mVertexCount = 0;
}

// Copies carry state, name, size, anchor and transform, not colours or
// texture coordinates; they start on the default texture and take their own
// use of the source's texture.
void G_SPRITE::fCopyFrom(const G_SPRITE& other) {
    mState = other.mState;
    mTextureName = other.mTextureName;
    mWidth = other.mWidth;
    mHeight = other.mHeight;
    mHotSpot = other.mHotSpot;
    mOwnsTransform = other.mOwnsTransform;
    if (other.mOwnsTransform) mTransform = other.mTransform ? new KS_TRANSFORM3(*other.mTransform) : nullptr;
    else mTransform = other.mTransform;
    mTexture = nullptr;
    fSetup(fDefaultTexture());
    if (other.fHasOwnTexture()) fReloadTexture();
}

void G_SPRITE::fSetVertexBox(float w, float h) {
    mVertices[1].x = mVertices[2].x = mVertices[0].x + w;
    mVertices[2].y = mVertices[3].y = mVertices[0].y + h;
}

void G_SPRITE::fSetup(KC_TEXTURE* texture) {
    mTexture = texture;
    if (!mStorage) {
        mStorage = new KS_VERTEX[4];
        std::memset(static_cast<void*>(mStorage), 0, sizeof(KS_VERTEX) * 4);
        mVertices = mStorage;
        mVertexCount = 4;
        fSetVertexBox(mWidth, mHeight);
        fSetColor(0xFFFFFFFFu);
        fSetCornerUV(0.0f, 0.0f, 1.0f, 1.0f);
        mIndices = KC_QUAD::kINDICES;
        mIndexCount = 6;
    }
    if (!texture || texture == fDefaultTexture() || (mWidth != kAUTO_SIZE && mHeight != kAUTO_SIZE)) {
        fApplyHotSpot();
        return;
    }
    fSetSize(float(texture->fGetWidth()), float(texture->fGetHeight()));
}

bool G_SPRITE::fHasOwnTexture() const { return mTexture && mTexture != fDefaultTexture(); }

void G_SPRITE::fReloadTexture() {
    if (fHasOwnTexture() || mTextureName.empty()) return;
    fSetup(fAcquireTexture(mTextureName));
}

void G_SPRITE::fUnloadTexture() {
    if (!fHasOwnTexture()) return;
    fGiveBackTexture(mTexture);
    fSetup(fDefaultTexture());
}

void G_SPRITE::fSetTextureName(const std::string& name) {
    if (fHasOwnTexture()) {
        fUnloadTexture();
        mTextureName = name;
        fReloadTexture();
    } else {
        mTextureName = name;
    }
}

void G_SPRITE::fApplyHotSpot() { fSetHotSpot(mHotSpot); }

void G_SPRITE::fSetHotSpot(int32_t anchor, float dx, float dy) {
    mHotSpot = anchor;
    if (anchor < 0 || anchor > 8 || !mTransform || !mVertices) return;
    const float w = mVertices[1].x - mVertices[0].x, h = mVertices[2].y - mVertices[0].y;
    mTransform->mPivot.x = kANCHOR_X[anchor] * w + dx;
    mTransform->mPivot.y = kANCHOR_Y[anchor] * h + dy;
}

void G_SPRITE::fSetWidth(float w) {
    mWidth = w;
    if (mVertices) mVertices[1].x = mVertices[2].x = mVertices[0].x + w;
    fApplyHotSpot();
}

void G_SPRITE::fSetHeight(float h) {
    mHeight = h;
    if (mVertices) mVertices[2].y = mVertices[3].y = mVertices[0].y + h;
    fApplyHotSpot();
}

void G_SPRITE::fSetSize(float w, float h) {
    mWidth = w;
    mHeight = h;
    if (mVertices) fSetVertexBox(w, h);
    fApplyHotSpot();
}

void G_SPRITE::fSetX(float x) {
    if (mTransform) mTransform->mPosition.x = x;
}

void G_SPRITE::fSetY(float y) {
    if (mTransform) mTransform->mPosition.y = y;
}

void G_SPRITE::fSetCornerUV(float a, float b, float c, float d) {
    if (!mVertices) return;
    mVertices[0].fSetUV(a, b);
    mVertices[1].fSetUV(c, b);
    mVertices[2].fSetUV(c, d);
    mVertices[3].fSetUV(a, d);
}

void G_SPRITE::fResetUV() {
    if (!mTexture || !mVertices || mTexture->fGetWidth() <= 0 || mTexture->fGetHeight() <= 0) return;
    const int32_t w = int32_t(mVertices[1].x - mVertices[0].x), h = int32_t(mVertices[2].y - mVertices[0].y);
    fSetCornerUV(0.0f, 0.0f, float(w) / float(mTexture->fGetWidth()), float(h) / float(mTexture->fGetHeight()));
}

void G_SPRITE::fSetFrame(int32_t columns, int32_t rows, int32_t index) {
    if (columns < 1 || rows < 1) return;
    const int32_t column = index % columns, row = index / columns;
    fSetCornerUV(float(column) / float(columns), float(row) / float(rows), float(column + 1) / float(columns),
                 float(row + 1) / float(rows));
}

void G_SPRITE::fSetUVPixels(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    if (!mTexture || mTexture->fGetWidth() <= 0 || mTexture->fGetHeight() <= 0) return;
    const float w = float(mTexture->fGetWidth()), h = float(mTexture->fGetHeight());
    fSetCornerUV(float(x0) / w, float(y0) / h, float(x1) / w, float(y1) / h);
}

void G_SPRITE::fDrawWith() { KC_MESH::fDraw(); }

bool G_SPRITE::fHitTest() const {
    if (!kcINPUT || !mTransform) return false;
    const KS_POINT& mouse = kcINPUT->fGetMousePosition();
    KS_TRANSFORM3 absolute;
    mTransform->fGetAbsolute(absolute);
    const float left = absolute.mPosition.x - absolute.mPivot.x;
    const float top = absolute.mPosition.y - absolute.mPivot.y;
    const float x = float(mouse.x), y = float(mouse.y);
    return x >= left && x <= left + mWidth && y >= top && y <= top + mHeight;
}

void G_SPRITE::fReplaceTransform(KS_TRANSFORM3* t) {
    if (t == mTransform) return;
    if (mOwnsTransform) delete mTransform;
    mTransform = t;
    mOwnsTransform = 0;
}

void G_SPRITE::fRead(const pugi::xml_node& node) {
    if (pugi::xml_node file = node.child("FILE")) mTextureName = file.child_value();
    if (pugi::xml_node hotSpot = node.child("HOT_SPOT")) fSetHotSpot(fHotSpotFromString(hotSpot.child_value()));
    if (pugi::xml_node pos = node.child("POS")) {
        KS_VEC2 p(mTransform ? mTransform->mPosition.x : 0.0f, mTransform ? mTransform->mPosition.y : 0.0f);
        p.fFromString(pos.child_value());
        if (mTransform) mTransform->fSetPos(p.x, p.y, 0.0f);
    }
    if (pugi::xml_node transform = node.child("TRANSFORM")) {
        if (mTransform) mTransform->fFromString(transform.child_value());
    }
    if (pugi::xml_node color = node.child("COLOR")) {
        KS_COLOR c(mVertices ? mVertices[0].color : 0xFFFFFFFFu);
        c.fFromString(color.child_value());
        fSetColor(c.fGetARGB());
    }
    if (pugi::xml_node size = node.child("SIZE")) {
        KS_VEC2 s(mWidth, mHeight);
        s.fFromString(size.child_value());
        fSetSize(s.x, s.y);
    }
}

}  // namespace KEL
