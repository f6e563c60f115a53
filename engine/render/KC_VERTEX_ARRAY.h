#pragma once

#include <cstdint>

#include "engine/render/KS_VERTEX.h"

namespace KEL {

// The head of every mesh and the argument shape of the renderer's batch:
// a vertex list and an optional 16-bit index list. It does not own them.
struct KC_VERTEX_ARRAY {
    KS_VERTEX* mVertices = nullptr;
    int32_t mVertexCount = 0;
    uint16_t* mIndices = nullptr;
    int32_t mIndexCount = 0;

    void fAttach(KS_VERTEX* vertices, int32_t count) {
        mVertices = vertices;
        mVertexCount = count;
    }
    void fSetIndices(uint16_t* indices, int32_t count) {
        mIndices = indices;
        mIndexCount = count;
    }
    void fSetColor(uint32_t color);
    // Colour of vertex 0 (opaque white without vertices).
    uint32_t fGetColor() const;
    void fMove(float dx, float dy, float dz);
    // Every position p becomes (p - c) * s + c per axis.
    void fScale(float cx, float cy, float cz, float sx, float sy, float sz);
    void fMoveUV(float du, float dv);
    void fScaleUV(float cu, float cv, float su, float sv);
    // New vertex (and, when the source has any, index) arrays copied from
    // the source; the caller frees them with delete[].
    void fCopy(const KC_VERTEX_ARRAY& source);
    // Vertex 0 copied over the last vertex, which is returned (null when empty).
    KS_VERTEX* fCloseLoop();
    KS_VERTEX* fGetVertex(int32_t index) const;
    bool fIsEmpty() const { return mVertices == nullptr; }
};

}  // namespace KEL
