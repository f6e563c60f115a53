// OpenGL backend of host/IGraphicsDevice.h, its draws: the frame recorded as
// packets, and their replay into GL.
#include "host/gl/GlDevice.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "host/gl/GlBuffer.h"
#include "host/gl/GlDeviceImpl.h"
#include "host/gl/GlSurface.h"
#include "host/gl/GlTexture.h"

namespace host {

namespace {

GLenum fMode(GPrimitive type) {
    switch (type) {
        case GPrimitive::POINTLIST: return GL_POINTS;
        case GPrimitive::LINELIST: return GL_LINES;
        default: return GL_TRIANGLES;
    }
}

}  // namespace

void GlDevice::fStartPacket() {
    // A frame's record starts on the target it was begun on.
    Impl& g = *mImpl;
    if (!g.pending.empty()) return;
    auto* surface = static_cast<GlSurface*>(mTarget);
    GlPacket target(GlPacket::kTARGET);
    if (surface && surface->mTexture) {
        target.head.framebuffer = surface->mTexture->fFramebuffer();
        target.head.viewWidth = surface->mTexture->fWidth();
        target.head.viewHeight = surface->mTexture->fHeight();
        g.frameUnsure = true;  // drawing into a texture: always replayed
    }
    g.pending.push_back(std::move(target));
}

bool GlDevice::fClear(uint32_t flags, uint32_t color, float z, uint32_t stencil) {
    if (!mContext) return false;
    fStartPacket();
    GlPacket clear(GlPacket::kCLEAR);
    clear.head.clearFlags = flags;
    clear.head.clearColor = color;
    clear.head.clearZ = z;
    clear.head.clearStencil = stencil;
    mImpl->pending.push_back(std::move(clear));
    return true;
}

bool GlDevice::fSetRenderTarget(uint32_t index, GSurface* surface) {
    if (index != 0 || !surface || !mContext) return false;
    auto* target = static_cast<GlSurface*>(surface);
    fStartPacket();
    mTarget = surface;
    GlPacket change(GlPacket::kTARGET);
    if (target->mTexture) {
        change.head.framebuffer = target->mTexture->fFramebuffer();
        change.head.viewWidth = target->mTexture->fWidth();
        change.head.viewHeight = target->mTexture->fHeight();
        mImpl->frameUnsure = true;
    }
    mImpl->pending.push_back(std::move(change));
    return true;
}

GSurface* GlDevice::fGetRenderTarget(uint32_t index) {
    if (index != 0 || !mContext) return nullptr;
    auto* current = static_cast<GlSurface*>(mTarget);
    return new GlSurface(current ? current->mTexture : nullptr);
}

void GlDevice::fRecordDraw(GPrimitive type, uint32_t count, uint32_t firstVertex, uint32_t vertexCount,
                           const uint16_t* indices, int32_t baseVertex) {
    fStartPacket();
    Impl& g = *mImpl;
    GlPacket draw(indices ? GlPacket::kINDEXED : GlPacket::kDRAW);
    auto& h = draw.head;
    h.type = uint32_t(type);
    h.count = count;
    h.fvf = mFVF;
    h.stride = mStride;
    std::copy(std::begin(mRenderStates), std::end(mRenderStates), h.renderStates);
    std::copy(std::begin(mSamplerStates), std::end(mSamplerStates), h.samplerStates);
    std::memcpy(h.transforms, mTransforms, sizeof h.transforms);
    // Stage 0 modulates the texture by the diffuse colour; without a
    // texture it passes the diffuse colour.
    h.textured = mTexture != nullptr && mStageStates[size_t(GStageState::COLOROP)] != kTOP_DISABLE;
    if (h.textured) {
        auto* texture = static_cast<GlTexture*>(mTexture);
        glActiveTexture(GL_TEXTURE0);
        h.texture = texture->fName();  // uploads new pixels now, while they are the draw's
        h.stamp = texture->fStamp();
        h.opaque = texture->fIsOpaque() ? 1 : 0;
        h.textureWidth = texture->fWidth();
        h.textureHeight = texture->fHeight();
    }
    const uint8_t* bytes = static_cast<GlBuffer*>(mStream)->fBytes() + size_t(firstVertex) * mStride;
    draw.vertices.assign(bytes, bytes + size_t(vertexCount) * mStride);
    if (indices) {
        // Counted from the first vertex kept, so that the same picture drawn
        // from another place in the stream records the same.
        const size_t n = size_t(count) * fPerPrimitive(type);
        draw.indices.resize(n);
        const int32_t shift = baseVertex - int32_t(firstVertex);
        for (size_t k = 0; k < n; ++k) draw.indices[k] = uint16_t(int32_t(indices[k]) + shift);
    }
    g.pending.push_back(std::move(draw));
}

bool GlDevice::fDrawPrimitive(GPrimitive type, uint32_t startVertex, uint32_t count) {
    if (count == 0) return true;
    if (!mContext || !mStream || mStride < layout::kPOSITION_BYTES) return false;
    const uint32_t vertices = count * fPerPrimitive(type);
    if ((uint64_t(startVertex) + vertices) * mStride > mStream->fSize()) return false;
    fRecordDraw(type, count, startVertex, vertices, nullptr, 0);
    return true;
}

bool GlDevice::fDrawIndexedPrimitive(GPrimitive type, int32_t baseVertex, uint32_t, uint32_t, uint32_t startIndex,
                                     uint32_t count) {
    if (count == 0) return true;
    if (!mIndices || !mContext || !mStream || mStride < layout::kPOSITION_BYTES) return false;
    const uint32_t indices = count * fPerPrimitive(type);
    if ((uint64_t(startIndex) + indices) * 2 > mIndices->fSize()) return false;
    // The vertices the indices reach, all inside the stream.
    const uint16_t* list = static_cast<GlBuffer*>(mIndices)->fIndices() + startIndex;
    const auto [lowest, highest] = std::minmax_element(list, list + indices);
    const int64_t first = int64_t(baseVertex) + *lowest;
    const int64_t last = int64_t(baseVertex) + *highest;
    if (first < 0 || uint64_t(last + 1) * mStride > mStream->fSize()) return false;
    fRecordDraw(type, count, uint32_t(first), uint32_t(last - first + 1), list, baseVertex);
    return true;
}

// A frame's replay at the window size the caller read (each reading is a
// round trip to the X server): its bytes go up, then one pass per damaged
// rectangle.
void GlDevice::fReplay(int width, int height) {
    Impl& g = *mImpl;
    if (g.pending.empty()) return;
    fUploadFrame();
    // One pass for each damaged rectangle, or one over everything. A pass
    // skips the draws that reach none of its pixels: the rasteriser would
    // still shade and bin all their vertices.
    const size_t passes = std::max<size_t>(1, g.damage.size());
    std::vector<DamageRect> reach;
    if (passes > 1) {
        // Partial frames are drawn only into the window.
        reach.reserve(g.pending.size());
        for (const auto& packet : g.pending) {
            float box[4] = {1e30f, 1e30f, -1e30f, -1e30f};
            reach.push_back(packet.fIsDraw() && packet.fBox(width, height, box) ? fPixelRect(box, width, height)
                                                                                : DamageRect{0, 0, width, height});
        }
    }
    for (g.pass = 0; g.pass < passes; ++g.pass) fReplayPass(reach, width, height);
    g.pass = 0;
}

void GlDevice::fUploadFrame() {
    Impl& g = *mImpl;
    // All the frame's vertices and indices go up in one piece each.
    size_t vertexBytes = 0, indexBytes = 0;
    for (const auto& packet : g.pending) {
        vertexBytes += packet.vertices.size();
        indexBytes += packet.indices.size() * 2;
    }
    glBindVertexArray(g.vao);
    glBindBuffer(GL_ARRAY_BUFFER, g.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertexBytes), nullptr, GL_STREAM_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, g.indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indexBytes), nullptr, GL_STREAM_DRAW);
    size_t vertexAt = 0, indexAt = 0;
    for (const auto& packet : g.pending) {
        if (!packet.vertices.empty())
            glBufferSubData(GL_ARRAY_BUFFER, GLintptr(vertexAt), GLsizeiptr(packet.vertices.size()),
                            packet.vertices.data());
        if (!packet.indices.empty())
            glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, GLintptr(indexAt), GLsizeiptr(packet.indices.size() * 2),
                            packet.indices.data());
        vertexAt += packet.vertices.size();
        indexAt += packet.indices.size() * 2;
    }
}

// Every packet of the frame in order, or of a partial frame those that
// reach the pass's rectangle (`reach` holds each packet's, or is empty).
void GlDevice::fReplayPass(const std::vector<DamageRect>& reach, int width, int height) {
    Impl& g = *mImpl;
    size_t vertexAt = 0, indexAt = 0;
    for (size_t k = 0; k < g.pending.size(); ++k) {
        const auto& packet = g.pending[k];
        const auto& h = packet.head;
        if (!reach.empty() && (reach[k].w <= 0 || !fMeet(reach[k], g.damage[g.pass]))) {
            vertexAt += packet.vertices.size();
            indexAt += packet.indices.size() * 2;
            continue;
        }
        switch (h.kind) {
            case GlPacket::kTARGET:
                glBindFramebuffer(GL_FRAMEBUFFER, h.framebuffer ? h.framebuffer : g.canvas);
                fScissorToDamage();
                if (h.framebuffer) {
                    glViewport(0, 0, h.viewWidth, h.viewHeight);
                    g.viewWidth = h.viewWidth;
                    g.viewHeight = h.viewHeight;
                } else {
                    glViewport(0, 0, width, height);
                    g.viewWidth = width;
                    g.viewHeight = height;
                }
                break;
            case GlPacket::kCLEAR: fClearNow(h.clearFlags, h.clearColor, h.clearZ, h.clearStencil); break;
            default: fReplayDraw(packet, vertexAt, indexAt); break;
        }
        vertexAt += packet.vertices.size();
        indexAt += packet.indices.size() * 2;
    }
}

void GlDevice::fClearNow(uint32_t flags, uint32_t color, float z, uint32_t stencil) {
    fScissorToDamage();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    mStatesDirty = true;  // the masks above belong to the state set
    GLbitfield bits = 0;
    if (flags & kCLEAR_TARGET) {
        glClearColor(float((color >> 16) & 0xFF) / 255.0f, float((color >> 8) & 0xFF) / 255.0f,
                     float(color & 0xFF) / 255.0f, float(color >> 24) / 255.0f);
        bits |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & kCLEAR_ZBUFFER) {
        glClearDepth(z);
        bits |= GL_DEPTH_BUFFER_BIT;
    }
    if (flags & kCLEAR_STENCIL) {
        glClearStencil(GLint(stencil));
        bits |= GL_STENCIL_BUFFER_BIT;
    }
    if (bits) glClear(bits);
}

void GlDevice::fReplayDraw(const GlPacket& packet, size_t vertexAt, size_t indexAt) {
    const auto& h = packet.head;
    const GPrimitive type = GPrimitive(h.type);
    Impl& g = *mImpl;
    if (!fBuildProgram()) return;
    glUseProgram(g.program);
    // clip = v x world x view x projection; uploaded as is, the shader's
    // column-major reading makes M * v the row-vector product.
    float m[16];
    packet.fClipMatrix(m);
    fApplyRenderStates(packet);
    glUniformMatrix4fv(g.uMatrix, 1, GL_FALSE, m);
    fApplySampling(packet, m);

    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, h.textured ? h.texture : 0);
    glUniform1i(g.uTexture, 0);
    glUniform1i(g.uTextured, h.textured ? 1 : 0);
    const bool sprite = type == GPrimitive::POINTLIST && h.renderStates[size_t(GRenderState::POINTSPRITEENABLE)];
    glUniform1i(g.uSprite, sprite ? 1 : 0);

    const GLsizei st = GLsizei(h.stride);
    auto at = [vertexAt](size_t offset) { return fBufferOffset(vertexAt + offset); };
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, st, at(layout::kPOSITION));
    if (h.fvf == kFVF_POINT) {
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 1, GL_FLOAT, GL_FALSE, st, at(layout::point::kSIZE));
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, st, at(layout::point::kCOLOUR));
        glDisableVertexAttribArray(3);
        glVertexAttrib2f(3, 0.0f, 0.0f);
    } else {
        glDisableVertexAttribArray(1);
        glVertexAttrib1f(1, fBitsToFloat(h.renderStates[size_t(GRenderState::POINTSIZE)]));
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, st, at(layout::vertex::kCOLOUR));
        glEnableVertexAttribArray(3);
        glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, st, at(layout::vertex::kUV));
    }
    if (h.kind == GlPacket::kINDEXED) {
        glDrawElements(fMode(type), GLsizei(packet.indices.size()), GL_UNSIGNED_SHORT, fBufferOffset(indexAt));
    } else {
        glDrawArrays(fMode(type), 0, GLsizei(packet.vertices.size() / packet.fStride()));
    }
}

}  // namespace host
