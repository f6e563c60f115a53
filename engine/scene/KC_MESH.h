#pragma once

#include <cstdint>

#include "engine/render/KS_VERTEX.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/util/KS_RENDER_STATE.h"

namespace KEL {

class KC_TEXTURE;

// The smallest drawable: vertices, 16-bit indices, a texture, a render-state
// word and a borrowed or owned transform, handed to the renderer's batch.
class KC_MESH {
public:
    KC_MESH() = default;
    KC_MESH(KS_VERTEX* vertices, int32_t vertexCount, KC_TEXTURE* texture, KS_TRANSFORM3* transform,
            const uint16_t* indices, int32_t indexCount);
    KC_MESH(const KC_MESH&) = delete;
    KC_MESH& operator=(const KC_MESH&) = delete;
    ~KC_MESH() = default;

    KC_TEXTURE* fGetTexture() const { return mTexture; }
    KS_TRANSFORM3* fGetTransform() const { return mTransform; }
    // -1 without vertices; else stores the texture and sets the textured bit
    // when it is not null.
    int32_t fSetTexture(KC_TEXTURE* texture);

    void fSetPosition(float x, float y, float z);
    void fSetX(float x);
    void fSetY(float y);
    void fSetAngle(float angle);
    void fSetScaleX(float x);
    // A y of exactly 0 takes x.
    void fSetScale(float x, float y, float z);
    void fSetColor(uint32_t color);
    void fSetColorRef(const uint32_t& color) { fSetColor(color); }

    // Null changes nothing and returns null; else stores t and returns the
    // previous transform.
    KS_TRANSFORM3* fSwapTransform(KS_TRANSFORM3* t);
    void fEnsureTransform();
    bool fIsEmpty() const { return mVertices == nullptr; }

    // Drawing, through the current renderer (nothing without one).
    // Queues the mesh on the batch with the current world matrix.
    void fDrawRaw();
    // The own transform, parents ignored, as world matrix; then fDrawRaw.
    void fDrawWith();
    // The absolute transform as world matrix (without a transform, the
    // current one); then fDrawRaw.
    void fDraw();
    // As fDrawWith, drawn at once instead of batched.
    void fDrawImmediate();
    // Draws at (x, y) with an angle and scale, parents ignored; the
    // transform is left as it was.
    void fDrawAt(float x, float y, float angle, float scaleX, float scaleY);

    // The vertex-array head.
    KS_VERTEX* mVertices = nullptr;
    int32_t mVertexCount = 0;
    const uint16_t* mIndices = nullptr;
    int32_t mIndexCount = 0;

    KC_TEXTURE* mTexture = nullptr;
    KS_RENDER_STATE mState;
    KS_TRANSFORM3* mTransform = nullptr;
    KS_VERTEX* mStorage = nullptr;  // vertices this object allocated itself
};

}  // namespace KEL
