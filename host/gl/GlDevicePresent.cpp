// OpenGL backend of host/IGraphicsDevice.h, its present: a frame drawn only
// when it differs from the one on screen, the canvas, the software
// rasteriser's window, and the picture read back.
#include "host/gl/GlDevice.h"

#include <SDL2/SDL.h>

#include <cstring>
#include <vector>

#include "host/gl/GlDeviceImpl.h"

namespace host {

bool GlDevice::fPresent() {
    if (!mContext) return false;
    Impl& g = *mImpl;
    int w = 0, h = 0;
    fDrawableSize(w, h);
    // Pixels the window system threw away must be drawn again.
    if (g.exposed.exchange(false)) g.shownKnown = false;
    const bool direct = g.copySubBuffer != nullptr;
    if (direct && (w != g.bufferWidth || h != g.bufferHeight)) fResizeDirectBuffer(w, h);
    // A frame equal to the one on screen would draw the same pixels: the
    // window keeps showing them and the rasteriser rests.
    if (g.shownKnown && !g.frameUnsure && w == g.shownWidth && h == g.shownHeight && g.pending == g.shown) {
        g.pending.clear();
        ++g.framesKept;
        fCollectGarbage();
        return true;
    }
    const bool canvas = !direct && fMakeCanvas(w, h);
    const bool partial = (canvas || direct) && g.canvasHoldsShown && g.shownKnown && !g.frameUnsure &&
                         w == g.shownWidth && h == g.shownHeight && fFindDamage(w, h);
    if (!partial) g.damage.clear();
    fReplay(w, h);
    glDisable(GL_SCISSOR_TEST);
    g.lastDamage = g.damage;
    if (canvas) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, g.canvas);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }
    g.canvasHoldsShown = (canvas || direct) && !g.frameUnsure;
    g.shown.swap(g.pending);
    g.pending.clear();
    g.shownKnown = !g.frameUnsure;
    g.frameUnsure = false;
    g.shownWidth = w;
    g.shownHeight = h;
    ++g.framesDrawn;
    // Some drivers (SDL's offscreen one) flush nothing on a swap; the
    // software rasteriser then keeps every frame's commands queued.
    glFlush();
    int nowWidth = 0, nowHeight = 0;
    if (direct) fDrawableSize(nowWidth, nowHeight);
    if (direct && nowWidth == w && nowHeight == h) {
        void* display = g.glxDisplay();
        const unsigned long drawable = g.glxDrawable();
        if (g.damage.empty()) g.copySubBuffer(display, drawable, 0, 0, w, h);
        for (const DamageRect& r : g.damage) g.copySubBuffer(display, drawable, r.x, r.y, r.w, r.h);
    } else if (direct) {
        // The window changed size while the frame was drawn: the back buffer
        // may have either size. The swap shows what it holds, whatever its
        // size, and the next frame is drawn whole at the new size.
        SDL_GL_SwapWindow(static_cast<SDL_Window*>(mWindow));
        g.bufferWidth = nowWidth;
        g.bufferHeight = nowHeight;
        g.shownKnown = false;
        g.canvasHoldsShown = false;
    } else {
        SDL_GL_SwapWindow(static_cast<SDL_Window*>(mWindow));
    }
    g.damage.clear();
    fBuildProgram();
    fCollectGarbage();
    return true;
}

// A swap shows the last frame once more, at the old size, and has the
// rasteriser size its back buffer by the window again before the next draw.
void GlDevice::fResizeDirectBuffer(int width, int height) {
    Impl& g = *mImpl;
    SDL_GL_SwapWindow(static_cast<SDL_Window*>(mWindow));
    g.bufferWidth = width;
    g.bufferHeight = height;
    g.shownKnown = false;
    g.canvasHoldsShown = false;
}

bool GlDevice::fMakeCanvas(int32_t width, int32_t height) {
    Impl& g = *mImpl;
    if (g.canvas && g.canvasWidth == width && g.canvasHeight == height) return true;
    fDropCanvas();
    if (width <= 0 || height <= 0) return false;
    glGenRenderbuffers(1, &g.canvasColour);
    glBindRenderbuffer(GL_RENDERBUFFER, g.canvasColour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glGenRenderbuffers(1, &g.canvasDepth);
    glBindRenderbuffer(GL_RENDERBUFFER, g.canvasDepth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glGenFramebuffers(1, &g.canvas);
    glBindFramebuffer(GL_FRAMEBUFFER, g.canvas);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, g.canvasColour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, g.canvasDepth);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete) {
        fDropCanvas();
        return false;
    }
    g.canvasWidth = width;
    g.canvasHeight = height;
    return true;
}

void GlDevice::fDropCanvas() {
    Impl& g = *mImpl;
    if (g.canvas) glDeleteFramebuffers(1, &g.canvas);
    if (g.canvasColour) glDeleteRenderbuffers(1, &g.canvasColour);
    if (g.canvasDepth) glDeleteRenderbuffers(1, &g.canvasDepth);
    g.canvas = g.canvasColour = g.canvasDepth = 0;
    g.canvasWidth = g.canvasHeight = 0;
    g.canvasHoldsShown = false;
}

int64_t GlDevice::fFramesDrawn() const { return mImpl->framesDrawn; }
int64_t GlDevice::fFramesKept() const { return mImpl->framesKept; }

bool GlDevice::fReadBackBuffer(std::vector<uint8_t>& rgba, int32_t& width, int32_t& height) {
    if (!mContext) return false;
    int w = 0, h = 0;
    fDrawableSize(w, h);
    if (w <= 0 || h <= 0) return false;
    if (!mImpl->copySubBuffer) fMakeCanvas(w, h);
    // What was drawn so far goes to the back buffer now.
    fReplay(w, h);
    mImpl->pending.clear();
    mImpl->frameUnsure = true;
    mImpl->canvasHoldsShown = false;
    return fReadPicture(rgba, width, height, w, h);
}

bool GlDevice::fReadShown(std::vector<uint8_t>& rgba, int32_t& width, int32_t& height) {
    const Impl& g = *mImpl;
    if (!mContext || (!g.canvas && !g.copySubBuffer) || !g.canvasHoldsShown) return false;
    return fReadPicture(rgba, width, height, g.shownWidth, g.shownHeight);
}

bool GlDevice::fReadPicture(std::vector<uint8_t>& rgba, int32_t& width, int32_t& height, int32_t w, int32_t h) {
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    glBindFramebuffer(GL_FRAMEBUFFER, mImpl->canvas);
    glReadBuffer(mImpl->canvas ? GL_COLOR_ATTACHMENT0 : GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    std::vector<uint8_t> upside(size_t(w) * h * 4);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, upside.data());
    glBindFramebuffer(GL_FRAMEBUFFER, GLuint(bound));
    rgba.resize(upside.size());
    const size_t row = size_t(w) * 4;
    for (int y = 0; y < h; ++y)
        std::memcpy(rgba.data() + size_t(y) * row, upside.data() + size_t(h - 1 - y) * row, row);
    // The window has no alpha of its own: the picture is opaque.
    for (size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;
    width = w;
    height = h;
    return glGetError() == GL_NO_ERROR;
}

}  // namespace host
