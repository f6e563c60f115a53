#include "engine/scene/KC_MESH.h"

#include "SERVICE/KS_RESULT.h"
#include "engine/render/KC_RENDER.h"

namespace KEL {

KC_MESH::KC_MESH(KS_VERTEX* vertices, int32_t vertexCount, KC_TEXTURE* texture, KS_TRANSFORM3* transform,
                 const uint16_t* indices, int32_t indexCount)
    : mVertices(vertices),
      mVertexCount(vertexCount),
      mIndices(indices),
      mIndexCount(indexCount),
      mTexture(texture),
      mTransform(transform) {}

int32_t KC_MESH::fSetTexture(KC_TEXTURE* texture) {
    if (!mVertices) return KS_RESULT::kFAILED;
    mTexture = texture;
    mState.textured = texture ? 1 : 0;
    return KS_RESULT::kOK;
}

void KC_MESH::fSetPosition(float x, float y, float z) {
    if (mTransform) mTransform->fSetPos(x, y, z);
}

void KC_MESH::fSetX(float x) {
    if (mTransform) mTransform->mPosition.x = x;
}

void KC_MESH::fSetY(float y) {
    if (mTransform) mTransform->mPosition.y = y;
}

void KC_MESH::fSetAngle(float angle) {
    if (mTransform) mTransform->fSetAngle(angle);
}

void KC_MESH::fSetScaleX(float x) {
    if (mTransform) mTransform->mScale.x = x;
}

void KC_MESH::fSetScale(float x, float y, float z) {
    if (mTransform) mTransform->fSetScale(x, y == 0.0f ? x : y, z);
}

void KC_MESH::fSetColor(uint32_t color) {
    for (int32_t i = 0; i < mVertexCount && mVertices; ++i) mVertices[i].color = color;
}

KS_TRANSFORM3* KC_MESH::fSwapTransform(KS_TRANSFORM3* t) {
    if (!t) return nullptr;
    KS_TRANSFORM3* previous = mTransform;
    mTransform = t;
    return previous;
}

void KC_MESH::fEnsureTransform() {
    if (!mTransform) mTransform = new KS_TRANSFORM3();
}

void KC_MESH::fDrawRaw() {
    if (KC_RENDER* render = KC_RENDER::fCurrent())
        render->fDrawBatch(mVertices, mTexture, &mState, mVertexCount, mIndices, mIndexCount);
}

void KC_MESH::fDrawWith() {
    KC_RENDER* render = KC_RENDER::fCurrent();
    if (!render) return;
    if (mTransform) render->fSetWorldMatrix(mTransform->fGetWorldMatrix());
    fDrawRaw();
}

void KC_MESH::fDraw() {
    KC_RENDER* render = KC_RENDER::fCurrent();
    if (!render) return;
    if (mTransform) {
        KS_TRANSFORM3 absolute;
        render->fSetWorldMatrix(mTransform->fGetAbsolute(absolute).fGetWorldMatrix());
    }
    fDrawRaw();
}

void KC_MESH::fDrawImmediate() {
    KC_RENDER* render = KC_RENDER::fCurrent();
    if (!render) return;
    if (mTransform) render->fSetWorldMatrix(mTransform->fGetWorldMatrix());
    render->fDrawMesh(mVertices, mTexture, &mState, mVertexCount, mIndices, mIndexCount);
}

void KC_MESH::fDrawAt(float x, float y, float angle, float scaleX, float scaleY) {
    KC_RENDER* render = KC_RENDER::fCurrent();
    if (!render) return;
    KS_TRANSFORM3 placed;
    if (mTransform) placed = *mTransform;
    placed.fSetPos(x, y, 0.0f);
    placed.fSetRotation(0.0f, 0.0f, angle);
    placed.fSetScale(scaleX, scaleY == 0.0f ? scaleX : scaleY, 1.0f);
    render->fSetWorldMatrix(placed.fGetWorldMatrix());
    fDrawRaw();
}

}  // namespace KEL
