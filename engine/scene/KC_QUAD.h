#pragma once

#include <cstdint>

#include "engine/scene/KC_MESH.h"
#include "engine/scene/KS_TEXTURE_REGION.h"
#include "engine/util/KS_VEC2.h"

namespace KEL {

// A four-vertex textured rectangle (top-left, top-right, bottom-right,
// bottom-left; vertex 0 at the local origin) showing a region of a texture,
// optionally one cell of a sprite-sheet grid, with its pivot at one of nine
// anchors.
class KC_QUAD : public KC_MESH {
public:
    // The shared index list of every quad: two triangles.
    static const uint16_t kINDICES[6];

    KC_QUAD() = default;
    // Frees the vertices and an owned transform.
    ~KC_QUAD() { fFreeBuffers(); }

    // Set-up.
    void fInitEmpty();
    void fInit(KC_TEXTURE* texture, KS_TRANSFORM3* transform);
    int32_t fInitFromTexture(KC_TEXTURE* texture, KS_TRANSFORM3* transform);
    // -1 for a missing region or texture (nothing changed), else 1.
    int32_t fSetupFromRegion(const KS_TEXTURE_REGION* region, KS_TRANSFORM3* transform);
    void fSetRegion(const KS_TEXTURE_REGION* region);
    // Null gives the quad a transform of its own. The current transform
    // again changes nothing.
    void fSetTransform(KS_TRANSFORM3* t);
    // A swapped-in transform is the caller's: the quad stops owning.
    KS_TRANSFORM3* fSwapTransform(KS_TRANSFORM3* t);
    void fFreeBuffers();
    // Copy construction from another quad: same texels, size, state and
    // (deep-copied when owned) transform.
    void fInitCopy(const KC_QUAD& other);

    // Texture coordinates.
    void fSetUVRect(float left, float top, float right, float bottom);
    // Maps the region-relative rectangle (a, b)-(c, d) onto the vertices.
    void fSetUV(float a, float b, float c, float d);
    void fSetUVPixels(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
    void fSetCornerUV(float left, float top, float right, float bottom);
    // One texel per pixel from the region origin.
    void fResetUV();
    // Cell index of a columns x rows sheet; with resize the quad becomes one
    // cell. A grid with no columns or rows changes nothing.
    void fSetFrame(int32_t columns, int32_t rows, int32_t index, bool resize);

    // Size and anchor.
    void fSetSize(int32_t w, int32_t h);
    void fSetSizeF(float w, float h);
    void fSetSizeV(const KS_VEC2& size) { fSetSizeF(size.x, size.y); }
    void fSetWidth(float w);
    void fSetHeight(float h);
    void fSetSizeScaled(float sx, float sy);
    float fGetWidth() const;
    float fGetHeight() const;
    // Pivot at anchor 0..8 (upper left ... lower right) plus an offset;
    // larger anchors change nothing.
    void fSetHotSpot(int32_t anchor, float dx = 0.0f, float dy = 0.0f);
    static void fSetHotSpotEx(KC_QUAD* quad, int32_t anchor, float dx = 0.0f, float dy = 0.0f);

    // Colour.
    void fSetCornerColors(uint32_t c0, uint32_t c1, uint32_t c2, uint32_t c3);
    uint32_t fGetVertexColor(int32_t index) const;
    // Alpha of all four vertices from 0..1 (clamped), colour of vertex 0.
    void fSetAlpha(float a);

    // Drawing.
    void fDrawRegion(float x, float y, float a, float b, float c, float d, int32_t w, int32_t h);
    struct KS_CORNER {
        float x, y, u, v;
        uint32_t color;
    };
    void fDrawVertices(const KS_CORNER corners[4]);
    // The four corners in screen space (scale not applied).
    void fGetCorners(KS_VEC2& out0, KS_VEC2& out1, KS_VEC2& out2, KS_VEC2& out3) const;

    uint8_t mOwnsTransform = 0;
    KS_VEC2 mRegionOrigin{0.0f, 0.0f};
    KS_VEC2 mRegionEnd{1.0f, 1.0f};
    uint8_t mRotated = 0;

    // The default state word of a quad, applied to a word.
    static void fApplyQuadState(KS_RENDER_STATE& state);
};

}  // namespace KEL
