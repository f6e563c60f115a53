// OpenGL backend of host/IGraphicsDevice.h, its states: render, sampler and
// stage states kept for the next draw, the sampling and blending a draw
// needs, and what GL is told of them.
#include "host/gl/GlDevice.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "host/gl/GlDeviceImpl.h"

namespace host {

namespace {

GLenum fBlendFactor(uint32_t value) {
    switch (value) {
        case kBLEND_ZERO: return GL_ZERO;
        case kBLEND_ONE: return GL_ONE;
        case kBLEND_SRCALPHA: return GL_SRC_ALPHA;
        case kBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
        case 3: return GL_SRC_COLOR;
        case 4: return GL_ONE_MINUS_SRC_COLOR;
        case 7: return GL_DST_ALPHA;
        case 8: return GL_ONE_MINUS_DST_ALPHA;
        case 9: return GL_DST_COLOR;
        case 10: return GL_ONE_MINUS_DST_COLOR;
        default: return GL_ONE;
    }
}

GLenum fStencilOp(uint32_t value) {
    switch (value) {
        case kSTENCILOP_ZERO: return GL_ZERO;
        case kSTENCILOP_REPLACE: return GL_REPLACE;
        case kSTENCILOP_DECR: return GL_DECR_WRAP;
        case 4: return GL_INCR;
        case 5: return GL_DECR;
        case 6: return GL_INVERT;
        case 7: return GL_INCR_WRAP;
        default: return GL_KEEP;
    }
}

GLenum fCompare(uint32_t value) {
    static const GLenum kModes[] = {GL_ALWAYS,  GL_NEVER,    GL_LESS,   GL_EQUAL, GL_LEQUAL,
                                    GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
    return value < 9 ? kModes[value] : GL_ALWAYS;
}

}  // namespace

void GlDevice::fSetRenderState(GRenderState state, uint32_t value) {
    if (state >= GRenderState::COUNT) return;
    mRenderStates[size_t(state)] = value;
    mStatesDirty = true;
}

void GlDevice::fSetSamplerState(uint32_t sampler, GSamplerState state, uint32_t value) {
    if (sampler != 0 || state >= GSamplerState::COUNT) return;
    mSamplerStates[size_t(state)] = value;
    mSamplerDirty = true;
}

void GlDevice::fSetTextureStageState(uint32_t stage, GStageState state, uint32_t value) {
    if (stage != 0 || state >= GStageState::COUNT) return;
    mStageStates[size_t(state)] = value;
}

void GlDevice::fSetTransform(GTransform which, const float* matrix) {
    std::copy(matrix, matrix + 16, mTransforms[size_t(which)]);
}

void GlDevice::fSetTexture(uint32_t stage, GTexture* texture) {
    if (stage == 0) mTexture = texture;
}

void GlDevice::fSetStreamSource(uint32_t stream, GBuffer* buffer, uint32_t, uint32_t stride) {
    if (stream != 0) return;
    mStream = buffer;
    mStride = stride;
}

void GlDevice::fSetLight(uint32_t, const GLight&) {}
void GlDevice::fLightEnable(uint32_t, bool) {}

GlDevice::Sampling GlDevice::fChooseSampling(const uint32_t* samplerStates, bool depthVaries, uint32_t maxAnisotropy,
                                             bool texelAligned) {
    const uint32_t mag = samplerStates[size_t(GSamplerState::MAGFILTER)];
    const uint32_t min = samplerStates[size_t(GSamplerState::MINFILTER)];
    // Pixel centres on texel centres: a linear sample is the nearest texel.
    auto filter = [texelAligned](uint32_t f) {
        return int32_t(texelAligned || f == kTEXF_POINT || f == kTEXF_NONE ? GL_NEAREST : GL_LINEAR);
    };
    Sampling sampling{filter(mag), filter(min), 1.0f};
    const bool asked = mag == kTEXF_ANISOTROPIC || min == kTEXF_ANISOTROPIC;
    if (asked && depthVaries && maxAnisotropy > 1) {
        const uint32_t wanted = std::max(1u, samplerStates[size_t(GSamplerState::MAXANISOTROPY)]);
        sampling.anisotropy = float(std::min(wanted, maxAnisotropy));
    }
    return sampling;
}

bool GlDevice::fTexelAligned(const uint8_t* vertices, uint32_t stride, uint32_t count, const uint16_t* indices,
                             uint32_t indexCount, const float* clip, int32_t viewWidth, int32_t viewHeight,
                             int32_t textureWidth, int32_t textureHeight) {
    if (stride < layout::vertex::kBYTES || count == 0 || viewWidth <= 0 || viewHeight <= 0 || textureWidth <= 0 ||
        textureHeight <= 0)
        return false;
    // Each vertex: its pixel position and its texel position.
    std::vector<float> at(size_t(count) * 4);
    float firstW = 0.0f;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* vertex = vertices + size_t(i) * stride;
        const auto p = layout::fFloatsAt<3>(vertex, layout::kPOSITION);
        const auto uv = layout::fFloatsAt<2>(vertex, layout::vertex::kUV);
        const float x = p[0] * clip[0] + p[1] * clip[4] + p[2] * clip[8] + clip[12];
        const float y = p[0] * clip[1] + p[1] * clip[5] + p[2] * clip[9] + clip[13];
        const float w = p[0] * clip[3] + p[1] * clip[7] + p[2] * clip[11] + clip[15];
        if (!(std::abs(w) > 1e-6f)) return false;
        if (i == 0) firstW = w;
        else if (std::abs(w - firstW) > 1e-4f * std::abs(firstW)) return false;
        float* v = &at[size_t(i) * 4];
        v[0] = (x / w * 0.5f + 0.5f) * float(viewWidth);
        v[1] = (0.5f - y / w * 0.5f) * float(viewHeight);
        v[2] = uv[0] * float(textureWidth);
        v[3] = uv[1] * float(textureHeight);
    }
    // Along each edge of each triangle a texel spans one pixel (to within
    // a thousandth: the projection's own rounding), and each corner's pixel
    // lies within 0.4 of a texel corner, the same one for the triangle.
    auto fits = [&at](uint32_t a, uint32_t b) {
        const float* p = &at[size_t(a) * 4];
        const float* q = &at[size_t(b) * 4];
        for (int axis = 0; axis < 2; ++axis) {
            const float pixels = q[axis] - p[axis];
            const float texels = q[axis + 2] - p[axis + 2];
            if (std::abs(pixels - texels) > 0.01f + 0.001f * std::abs(pixels)) return false;
            const float from = p[axis] - p[axis + 2], to = q[axis] - q[axis + 2];
            if (std::round(from) != std::round(to) || std::abs(from - std::round(from)) > 0.4f ||
                std::abs(to - std::round(to)) > 0.4f)
                return false;
        }
        return true;
    };
    const uint32_t corners = indices ? indexCount : count;
    if (corners < 3) return false;
    for (uint32_t t = 0; t + 2 < corners; t += 3) {
        const uint32_t a = indices ? indices[t] : t;
        const uint32_t b = indices ? indices[t + 1] : t + 1;
        const uint32_t c = indices ? indices[t + 2] : t + 2;
        if (a >= count || b >= count || c >= count || !fits(a, b) || !fits(a, c)) return false;
    }
    return true;
}

bool GlDevice::fDepthVaries(const uint8_t* vertices, uint32_t stride, uint32_t first, uint32_t count,
                            const float* clip) {
    float lowest = 0.0f, highest = 0.0f;
    for (uint32_t i = 0; i < count; ++i) {
        const auto p = layout::fFloatsAt<3>(vertices + size_t(first + i) * stride, layout::kPOSITION);
        // Row vectors: the fourth column gives w.
        const float w = p[0] * clip[3] + p[1] * clip[7] + p[2] * clip[11] + clip[15];
        if (i == 0) lowest = highest = w;
        lowest = std::min(lowest, w);
        highest = std::max(highest, w);
    }
    return highest - lowest > 1e-4f * std::max(std::fabs(lowest), std::fabs(highest));
}

// Filtering is chosen per draw: the same states may serve a flat sprite and
// a tilted mesh. Blending an opaque texture at full vertex alpha over
// anything gives the texture itself: the rasteriser need not read the
// target. Each choice is the whole draw's, so a change to one primitive
// may change how all the others look.
uint32_t GlDevice::fDrawChoices(const GlPacket& packet, const float* clip, int32_t viewWidth,
                                int32_t viewHeight) const {
    const auto& h = packet.head;
    const GPrimitive type = GPrimitive(h.type);
    const uint32_t stride = uint32_t(packet.fStride());
    const uint32_t vertexCount = uint32_t(packet.vertices.size() / stride);
    const bool depthVaries = type == GPrimitive::TRIANGLELIST && h.textured && mImpl->anisotropy &&
                             mCaps.maxAnisotropy > 1 &&
                             fDepthVaries(packet.vertices.data(), stride, 0, vertexCount, clip);
    const bool aligned = type == GPrimitive::TRIANGLELIST && h.textured && h.fvf != kFVF_POINT && !depthVaries &&
                         fTexelAligned(packet.vertices.data(), stride, vertexCount,
                                       packet.indices.empty() ? nullptr : packet.indices.data(),
                                       uint32_t(packet.indices.size()), clip, viewWidth, viewHeight, h.textureWidth,
                                       h.textureHeight);
    bool blend = h.renderStates[size_t(GRenderState::ALPHABLENDENABLE)] != 0;
    if (blend && h.textured && h.opaque && h.fvf != kFVF_POINT &&
        h.renderStates[size_t(GRenderState::SRCBLEND)] == kBLEND_SRCALPHA &&
        h.renderStates[size_t(GRenderState::DESTBLEND)] == kBLEND_INVSRCALPHA) {
        bool full = true;
        for (uint32_t i = 0; full && i < vertexCount; ++i)
            full = packet.vertices[size_t(i) * stride + layout::vertex::kCOLOUR + layout::kALPHA] == 0xFF;
        blend = !full;
    }
    return (depthVaries ? kDEPTH_VARIES : 0u) | (aligned ? kTEXEL_ALIGNED : 0u) | (blend ? kBLENDS : 0u);
}

// GL is told the render states only when they changed since the draw
// before (or a clear changed its masks).
void GlDevice::fApplyRenderStates(const GlPacket& packet) {
    const auto& h = packet.head;
    Impl& g = *mImpl;
    if (mStatesDirty || std::memcmp(g.appliedRenderStates, h.renderStates, sizeof h.renderStates) != 0) {
        auto rs = [&h](GRenderState s) { return h.renderStates[size_t(s)]; };
        g.appliedBlend = -1;
        glBlendFunc(fBlendFactor(rs(GRenderState::SRCBLEND)), fBlendFactor(rs(GRenderState::DESTBLEND)));
        glBlendEquation(GL_FUNC_ADD);
        if (rs(GRenderState::ZENABLE)) glEnable(GL_DEPTH_TEST);
        else glDisable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glDepthMask(rs(GRenderState::ZWRITEENABLE) ? GL_TRUE : GL_FALSE);
        if (rs(GRenderState::CULLMODE) == kCULL_NONE) {
            glDisable(GL_CULL_FACE);
        } else {
            glEnable(GL_CULL_FACE);
            glFrontFace(rs(GRenderState::CULLMODE) == kCULL_CCW ? GL_CCW : GL_CW);
            glCullFace(GL_FRONT);
        }
        if (rs(GRenderState::STENCILENABLE)) {
            glEnable(GL_STENCIL_TEST);
            glStencilFunc(fCompare(rs(GRenderState::STENCILFUNC)), GLint(rs(GRenderState::STENCILREF)), 0xFF);
            glStencilOp(fStencilOp(rs(GRenderState::STENCILFAIL)), GL_KEEP, fStencilOp(rs(GRenderState::STENCILPASS)));
        } else {
            glDisable(GL_STENCIL_TEST);
        }
        glEnable(GL_PROGRAM_POINT_SIZE);
        glUniform2f(g.uPointRange, fBitsToFloat(rs(GRenderState::POINTSIZE_MIN)),
                    fBitsToFloat(rs(GRenderState::POINTSIZE_MAX)));
        std::memcpy(g.appliedRenderStates, h.renderStates, sizeof h.renderStates);
        mStatesDirty = false;
    }
}

// The sampler's wrapping follows the draw's sampler states; its filtering
// and the blending are what fDrawChoices finds the draw needs.
void GlDevice::fApplySampling(const GlPacket& packet, const float* clip) {
    const auto& h = packet.head;
    Impl& g = *mImpl;
    if (mSamplerDirty || std::memcmp(g.appliedSamplerStates, h.samplerStates, sizeof h.samplerStates) != 0) {
        auto ss = [&h](GSamplerState s) { return h.samplerStates[size_t(s)]; };
        auto address = [](uint32_t a) { return GLint(a == kADDRESS_WRAP ? GL_REPEAT : GL_CLAMP_TO_EDGE); };
        glSamplerParameteri(g.sampler, GL_TEXTURE_WRAP_S, address(ss(GSamplerState::ADDRESSU)));
        glSamplerParameteri(g.sampler, GL_TEXTURE_WRAP_T, address(ss(GSamplerState::ADDRESSV)));
        glSamplerParameteri(g.sampler, GL_TEXTURE_WRAP_R, address(ss(GSamplerState::ADDRESSW)));
        glBindSampler(0, g.sampler);
        std::memcpy(g.appliedSamplerStates, h.samplerStates, sizeof h.samplerStates);
        mSamplerDirty = false;
    }
    const uint32_t choices = fDrawChoices(packet, clip, g.viewWidth, g.viewHeight);
    const Sampling sampling = fChooseSampling(h.samplerStates, choices & kDEPTH_VARIES,
                                              g.anisotropy ? mCaps.maxAnisotropy : 1, choices & kTEXEL_ALIGNED);
    const bool blend = choices & kBLENDS;
    if (int32_t(blend) != g.appliedBlend) {
        if (blend) glEnable(GL_BLEND);
        else glDisable(GL_BLEND);
        g.appliedBlend = int32_t(blend);
    }
    if (sampling.magFilter != mApplied.magFilter)
        glSamplerParameteri(g.sampler, GL_TEXTURE_MAG_FILTER, sampling.magFilter);
    if (sampling.minFilter != mApplied.minFilter)
        glSamplerParameteri(g.sampler, GL_TEXTURE_MIN_FILTER, sampling.minFilter);
    if (g.anisotropy && sampling.anisotropy != mApplied.anisotropy)
        glSamplerParameterf(g.sampler, GL_TEXTURE_MAX_ANISOTROPY, sampling.anisotropy);
    mApplied = sampling;
}

}  // namespace host
