#pragma once

#include <bit>
#include <cstdint>

namespace KEL {

// The word that says how a vertex list is drawn, and by which the renderer
// decides whether two draws may share a batch. Bits 0-17 take part in the
// comparison; antialias (bit 18) and the unused top bits do not.
struct KS_RENDER_STATE {
    uint32_t opaque : 1;    // becoming set switches blending off
    uint32_t blend : 1;     // source alpha, inverse source alpha
    uint32_t additive : 1;  // destination factor one
    uint32_t spare3 : 1;
    uint32_t filter : 4;  // one of the kFILTER_ values
    uint32_t spare8 : 1;
    uint32_t depthTest : 1;
    uint32_t textured : 1;  // clear: drawn untextured
    uint32_t lighting : 1;
    uint32_t primitive : 3;  // one of the primitive values below
    uint32_t wrapU : 1;
    uint32_t wrapV : 1;
    uint32_t camera : 1;  // set: camera 2
    uint32_t antialias : 1;
    uint32_t unused : 13;

    static constexpr uint32_t kCOMPARED_BITS = 0x3FFFF;

    // What the vertex list holds.
    static constexpr uint32_t kPOINTS = 0;
    static constexpr uint32_t kLINES = 1;
    static constexpr uint32_t kTRIANGLES = 2;
    static constexpr uint32_t kPOINT_SPRITES = 3;

    // How textures are sampled. The default and point both take the nearest
    // texel; anisotropic falls back to linear where the device lacks it.
    static constexpr uint32_t kFILTER_DEFAULT = 0;
    static constexpr uint32_t kFILTER_POINT = 1;
    static constexpr uint32_t kFILTER_LINEAR = 2;
    static constexpr uint32_t kFILTER_ANISOTROPIC = 3;

    KS_RENDER_STATE() { fClear(); }
    void fClear() { fSetWord(0); }

    uint32_t fWord() const { return std::bit_cast<uint32_t>(*this); }
    void fSetWord(uint32_t word) { *this = std::bit_cast<KS_RENDER_STATE>(word); }

    bool operator==(const KS_RENDER_STATE& o) const { return ((fWord() ^ o.fWord()) & kCOMPARED_BITS) == 0; }
    bool operator!=(const KS_RENDER_STATE& o) const { return !(*this == o); }
};

static_assert(sizeof(KS_RENDER_STATE) == 4, "the render state is one word");

}  // namespace KEL
