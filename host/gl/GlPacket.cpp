// GL backend: a recorded frame's pieces; see GlPacket.h.
#include "host/gl/GlPacket.h"

#include <cmath>

namespace host {

bool GlPacket::fAlike(const GlPacket& o) const {
    Head a = head;
    Head b = o.head;
    a.count = b.count = 0;
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void GlPacket::fClipMatrix(float* clip) const {
    float wv[16];
    auto multiply = [](const float* a, const float* b, float* out) {
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                float sum = 0;
                for (int k = 0; k < 4; ++k) sum += a[r * 4 + k] * b[k * 4 + c];
                out[r * 4 + c] = sum;
            }
    };
    multiply(head.transforms[size_t(GTransform::WORLD)], head.transforms[size_t(GTransform::VIEW)], wv);
    multiply(wv, head.transforms[size_t(GTransform::PROJECTION)], clip);
}

bool GlPacket::fBox(int32_t width, int32_t height, float* box, size_t first, size_t end) const {
    const size_t stride = fStride();
    float m[16];
    fClipMatrix(m);
    // Points reach half their largest size around their centre.
    const float reach = head.type == uint32_t(GPrimitive::POINTLIST) ? 33.0f : 1.0f;
    const size_t count = vertices.size() / stride;
    // Every vertex, or the corners of the primitives asked for.
    const size_t per = fCorners();
    const bool indexed = fIndexed();
    const size_t primitives = fPrimitives();
    const bool all = first == 0 && end >= primitives;
    const size_t from = all ? 0 : first * per;
    const size_t to = all ? count : std::min(end, primitives) * per;
    for (size_t k = from; k < to; ++k) {
        const size_t i = all || !indexed ? k : indices[k];
        if (i >= count) continue;
        const auto p = layout::fFloatsAt<3>(vertices.data() + i * stride, layout::kPOSITION);
        const float x = p[0] * m[0] + p[1] * m[4] + p[2] * m[8] + m[12];
        const float y = p[0] * m[1] + p[1] * m[5] + p[2] * m[9] + m[13];
        const float w = p[0] * m[3] + p[1] * m[7] + p[2] * m[11] + m[15];
        if (!(w > 1e-6f)) return false;
        const float px = (x / w * 0.5f + 0.5f) * float(width);
        const float py = (0.5f - y / w * 0.5f) * float(height);
        if (!std::isfinite(px) || !std::isfinite(py)) return false;
        box[0] = std::min(box[0], px - reach);
        box[1] = std::min(box[1], py - reach);
        box[2] = std::max(box[2], px + reach);
        box[3] = std::max(box[3], py + reach);
    }
    return true;
}

}  // namespace host
