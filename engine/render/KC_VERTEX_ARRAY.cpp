#include "engine/render/KC_VERTEX_ARRAY.h"

#include <cstring>

namespace KEL {

void KC_VERTEX_ARRAY::fSetColor(uint32_t color) {
    for (int32_t i = 0; i < mVertexCount; ++i) mVertices[i].color = color;
}

uint32_t KC_VERTEX_ARRAY::fGetColor() const {
    return (mVertices && mVertexCount > 0) ? mVertices[0].color : 0xFFFFFFFFu;
}

void KC_VERTEX_ARRAY::fMove(float dx, float dy, float dz) {
    for (int32_t i = 0; i < mVertexCount; ++i) {
        mVertices[i].x += dx;
        mVertices[i].y += dy;
        mVertices[i].z += dz;
    }
}

void KC_VERTEX_ARRAY::fScale(float cx, float cy, float cz, float sx, float sy, float sz) {
    for (int32_t i = 0; i < mVertexCount; ++i) {
        KS_VERTEX& v = mVertices[i];
        v.x = (v.x - cx) * sx + cx;
        v.y = (v.y - cy) * sy + cy;
        v.z = (v.z - cz) * sz + cz;
    }
}

void KC_VERTEX_ARRAY::fMoveUV(float du, float dv) {
    for (int32_t i = 0; i < mVertexCount; ++i) {
        mVertices[i].u += du;
        mVertices[i].v += dv;
    }
}

void KC_VERTEX_ARRAY::fScaleUV(float cu, float cv, float su, float sv) {
    for (int32_t i = 0; i < mVertexCount; ++i) {
        KS_VERTEX& v = mVertices[i];
        v.u = (v.u - cu) * su + cu;
        v.v = (v.v - cv) * sv + cv;
    }
}

void KC_VERTEX_ARRAY::fCopy(const KC_VERTEX_ARRAY& source) {
    const int32_t count = source.mVertexCount > 0 ? source.mVertexCount : 0;
    mVertices = nullptr;
    mVertexCount = count;
    if (count > 0) {
        mVertices = new KS_VERTEX[size_t(count)];
        for (int32_t i = 0; i < count; ++i) mVertices[i].color = 0xFFFFFFFFu;
        if (source.mVertices) std::memcpy(mVertices, source.mVertices, sizeof(KS_VERTEX) * size_t(count));
    }
    mIndices = nullptr;
    mIndexCount = 0;
    if (source.mIndices && source.mIndexCount > 0) {
        mIndexCount = source.mIndexCount;
        mIndices = new uint16_t[size_t(mIndexCount)];
        std::memcpy(mIndices, source.mIndices, sizeof(uint16_t) * size_t(mIndexCount));
    }
}

KS_VERTEX* KC_VERTEX_ARRAY::fCloseLoop() {
    if (!mVertices || mVertexCount <= 0) return nullptr;
    mVertices[mVertexCount - 1] = mVertices[0];
    return &mVertices[mVertexCount - 1];
}

KS_VERTEX* KC_VERTEX_ARRAY::fGetVertex(int32_t index) const {
    if (!mVertices || index < 0 || index >= mVertexCount) return nullptr;
    return &mVertices[index];
}

}  // namespace KEL
