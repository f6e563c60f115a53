// OpenGL backend of host/IGraphicsDevice.h: see GlDevice.h for what it
// provides and what it does not.
#include "host/gl/GlDevice.h"

#include <SDL2/SDL.h>
#ifdef __GLIBC__
#include <dlfcn.h>
#include <malloc.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "host/gl/GlBuffer.h"
#include "host/gl/GlDeviceImpl.h"
#include "host/gl/GlSurface.h"
#include "host/gl/GlTexture.h"

namespace host {

namespace {

const char* kVERTEX_SHADER = R"(#version 330 core
layout(location = 0) in vec3 aPos;
layout(location = 1) in float aSize;
layout(location = 2) in vec4 aColor;
layout(location = 3) in vec2 aUV;
uniform mat4 uMatrix;
uniform vec2 uPointRange;
out vec4 vColor;
out vec2 vUV;
void main() {
    vec4 p = uMatrix * vec4(aPos, 1.0);
    p.z = 2.0 * p.z - p.w;  // clip depth 0..w to -w..w
    gl_Position = p;
    gl_PointSize = clamp(aSize, uPointRange.x, uPointRange.y);
    vColor = aColor;
    vUV = aUV;
}
)";

const char* kFRAGMENT_SHADER = R"(#version 330 core
in vec4 vColor;
in vec2 vUV;
uniform sampler2D uTexture;
uniform int uTextured;
uniform int uSprite;
out vec4 oColor;
void main() {
    vec2 uv = uSprite != 0 ? gl_PointCoord : vUV;
    oColor = uTextured != 0 ? texture(uTexture, uv) * vColor : vColor;
}
)";

float fBitsToFloat(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
}

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
    static const GLenum kModes[] = {GL_ALWAYS, GL_NEVER, GL_LESS, GL_EQUAL, GL_LEQUAL,
                                    GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
    return value < 9 ? kModes[value] : GL_ALWAYS;
}

GLuint fCompile(GLenum kind, const char* source) {
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "graphics: shader does not compile: %s\n", log);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

}  // namespace

GlDevice::GlDevice() : mImpl(std::make_unique<Impl>()) {}

namespace {

constexpr int kGLX_EXTENSIONS = 3;

bool fHasWord(const char* list, const char* word) {
    if (!list) return false;
    const size_t n = std::strlen(word);
    for (const char* at = std::strstr(list, word); at; at = std::strstr(at + 1, word))
        if ((at == list || at[-1] == ' ') && (at[n] == ' ' || at[n] == '\0')) return true;
    return false;
}

template <typename F>
F fProc(const char* name) {
    return reinterpret_cast<F>(SDL_GL_GetProcAddress(name));
}

// Whether two rectangles overlap, or come within `gap` pixels of it.
bool fMeet(const GlDevice::DamageRect& a, const GlDevice::DamageRect& b, int32_t gap = 0) {
    return a.x < b.x + b.w + gap && b.x < a.x + a.w + gap && a.y < b.y + b.h + gap && b.y < a.y + a.h + gap;
}

}  // namespace

// Only where SDL made the context through GLX (X11 without EGL) are GLX
// functions asked for: under EGL a GLX name may give a stub that must not be
// called. Hardware keeps swapping, so frames wait for the display's refresh
// and do not tear.
void GlDevice::fFindDirectWindow(Impl& g) {
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!driver || !renderer || std::strcmp(driver, "x11") != 0 ||
        SDL_GetHintBoolean(SDL_HINT_VIDEO_X11_FORCE_EGL, SDL_FALSE))
        return;
    if (!std::strstr(renderer, "llvmpipe") && !std::strstr(renderer, "softpipe") && !std::strstr(renderer, "swrast"))
        return;
    auto display = fProc<void* (*)()>("glXGetCurrentDisplay");
    auto client = fProc<const char* (*)(void*, int)>("glXGetClientString");
    if (!display || !client || !display() ||
        !fHasWord(client(display(), kGLX_EXTENSIONS), "GLX_MESA_copy_sub_buffer"))
        return;
    g.glxDisplay = display;
    g.glxDrawable = fProc<unsigned long (*)()>("glXGetCurrentDrawable");
    g.copySubBuffer = fProc<void (*)(void*, unsigned long, int, int, int, int)>("glXCopySubBufferMESA");
    // From the X library GLX itself runs on; never loads one.
    if (void* x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD)) {
        g.getGeometry = reinterpret_cast<decltype(g.getGeometry)>(dlsym(x11, "XGetGeometry"));
        dlclose(x11);
    }
    if (!g.glxDrawable || !g.copySubBuffer || !g.getGeometry || !g.glxDrawable()) g.copySubBuffer = nullptr;
}

void GlDevice::fDrawableSize(int& width, int& height) const {
    const Impl& g = *mImpl;
    unsigned long root = 0;
    int x = 0, y = 0;
    unsigned w = 0, h = 0, border = 0, depth = 0;
    if (g.copySubBuffer && g.getGeometry(g.glxDisplay(), g.glxDrawable(), &root, &x, &y, &w, &h, &border, &depth)) {
        width = int(w);
        height = int(h);
        return;
    }
    SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(mWindow), &width, &height);
}

int GlDevice::fWatchWindow(void* device, SDL_Event* event) {
    auto* self = static_cast<GlDevice*>(device);
    const SDL_Event& e = *event;
    if (e.type != SDL_WINDOWEVENT || !self->mWindow ||
        e.window.windowID != SDL_GetWindowID(static_cast<SDL_Window*>(self->mWindow)))
        return 0;
    switch (e.window.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_SIZE_CHANGED: self->mImpl->exposed = true; break;
        default: break;
    }
    return 0;
}

GlDevice::~GlDevice() {
    if (mImpl->watching)
        SDL_DelEventWatch(&GlDevice::fWatchWindow, this);
    if (mContext) {
        SDL_GL_MakeCurrent(static_cast<SDL_Window*>(mWindow), static_cast<SDL_GLContext>(mContext));
        fCollectGarbage();
        fDropCanvas();
        glDeleteProgram(mImpl->program);
        glDeleteVertexArrays(1, &mImpl->vao);
        glDeleteSamplers(1, &mImpl->sampler);
        glDeleteBuffers(1, &mImpl->vertexBuffer);
        glDeleteBuffers(1, &mImpl->indexBuffer);
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(mContext));
    }
}

void GlDevice::fQueueDelete(uint32_t texture, uint32_t buffer, uint32_t framebuffer, size_t bytes) {
    std::lock_guard<std::mutex> guard(mGarbageLock);
    mDeadBytes += bytes;
    if (texture) mDeadTextures.push_back(texture);
    if (buffer) mDeadBuffers.push_back(buffer);
    if (framebuffer) mDeadFramebuffers.push_back(framebuffer);
}

void GlDevice::fCollectGarbage() {
    std::vector<uint32_t> textures, buffers, framebuffers;
    size_t bytes = 0;
    {
        std::lock_guard<std::mutex> guard(mGarbageLock);
        textures.swap(mDeadTextures);
        buffers.swap(mDeadBuffers);
        framebuffers.swap(mDeadFramebuffers);
        std::swap(bytes, mDeadBytes);
    }
    // The pictures deleted a frame ago are gone from the driver by now; the
    // heap would keep their pages for the next allocation that fits.
    if (mReturnPending) {
        mReturnPending = false;
        ++mMemoryReturns;
#ifdef __GLIBC__
        malloc_trim(0);
#endif
    }
    if (bytes >= kRETURN_BYTES) mReturnPending = true;
    if (!textures.empty()) glDeleteTextures(GLsizei(textures.size()), textures.data());
    if (!buffers.empty()) glDeleteBuffers(GLsizei(buffers.size()), buffers.data());
    if (!framebuffers.empty()) glDeleteFramebuffers(GLsizei(framebuffers.size()), framebuffers.data());
}

bool GlDevice::fCreate(void* window, GDeviceType, uint32_t, const GPresentParams& params) {
    if (mContext || !window) return mContext != nullptr;
    auto* sdlWindow = static_cast<SDL_Window*>(window);
    SDL_GLContext context = SDL_GL_CreateContext(sdlWindow);
    if (!context) {
        std::fprintf(stderr, "graphics: no GL context: %s\n", SDL_GetError());
        return false;
    }
    int major = 0, minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    if (major * 10 + minor < 33) {
        std::fprintf(stderr, "graphics: GL %d.%d is below 3.3\n", major, minor);
        SDL_GL_DeleteContext(context);
        return false;
    }
    Impl& g = *mImpl;
    if (!g.watching) {
        SDL_AddEventWatch(&GlDevice::fWatchWindow, this);
        g.watching = true;
    }
    glGenVertexArrays(1, &g.vao);
    glGenSamplers(1, &g.sampler);
    glGenBuffers(1, &g.vertexBuffer);
    glGenBuffers(1, &g.indexBuffer);

    mCaps = GCaps{};
    g.anisotropy = SDL_GL_ExtensionSupported("GL_EXT_texture_filter_anisotropic") ||
                   SDL_GL_ExtensionSupported("GL_ARB_texture_filter_anisotropic");
    if (g.anisotropy) {
        GLfloat most = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY, &most);
        mCaps.maxAnisotropy = uint32_t(std::max(1.0f, most));
        mCaps.magAnisotropic = mCaps.minAnisotropic = mCaps.maxAnisotropy > 1;
    }
    fFindDirectWindow(g);
    mWindow = window;
    mContext = context;
    fDrawableSize(g.bufferWidth, g.bufferHeight);
    mParams = params;
    SDL_GL_SetSwapInterval(params.vsync ? 1 : 0);
    fDefaults();
    return true;
}

// The state every reset returns to.
void GlDevice::fDefaults() {
    std::fill(std::begin(mRenderStates), std::end(mRenderStates), 0u);
    auto rs = [this](GRenderState s, uint32_t v) { mRenderStates[size_t(s)] = v; };
    rs(GRenderState::ZENABLE, mParams.autoDepthStencil ? 1 : 0);
    rs(GRenderState::ZWRITEENABLE, 1);
    rs(GRenderState::LIGHTING, 1);
    rs(GRenderState::SRCBLEND, kBLEND_ONE);
    rs(GRenderState::DESTBLEND, kBLEND_ZERO);
    rs(GRenderState::CULLMODE, kCULL_CCW);
    rs(GRenderState::POINTSIZE, 0x3F800000);
    rs(GRenderState::POINTSIZE_MIN, 0x3F800000);
    rs(GRenderState::POINTSIZE_MAX, 0x42800000);
    rs(GRenderState::POINTSCALE_A, 0x3F800000);
    rs(GRenderState::STENCILPASS, kSTENCILOP_KEEP);
    rs(GRenderState::STENCILFAIL, kSTENCILOP_KEEP);
    rs(GRenderState::STENCILFUNC, kCMP_ALWAYS);
    auto ss = [this](GSamplerState s, uint32_t v) { mSamplerStates[size_t(s)] = v; };
    ss(GSamplerState::ADDRESSU, kADDRESS_WRAP);
    ss(GSamplerState::ADDRESSV, kADDRESS_WRAP);
    ss(GSamplerState::ADDRESSW, kADDRESS_WRAP);
    ss(GSamplerState::MAGFILTER, kTEXF_POINT);
    ss(GSamplerState::MINFILTER, kTEXF_POINT);
    ss(GSamplerState::MIPFILTER, kTEXF_NONE);
    ss(GSamplerState::MAXANISOTROPY, 1);
    mStageStates[size_t(GStageState::COLOROP)] = kTOP_MODULATE;
    mStageStates[size_t(GStageState::COLORARG1)] = kTA_TEXTURE;
    mStageStates[size_t(GStageState::COLORARG2)] = kTA_DIFFUSE;
    mStageStates[size_t(GStageState::ALPHAOP)] = kTOP_SELECTARG1;
    mStageStates[size_t(GStageState::ALPHAARG1)] = kTA_TEXTURE;
    mStageStates[size_t(GStageState::ALPHAARG2)] = kTA_DIFFUSE;
    for (auto& m : mTransforms) {
        std::fill(m, m + 16, 0.0f);
        m[0] = m[5] = m[10] = m[15] = 1.0f;
    }
    mTexture = nullptr;
    mStream = nullptr;
    mIndices = nullptr;
    mFVF = 0;
    mTarget = nullptr;
    mStatesDirty = mSamplerDirty = true;
    mApplied = Sampling{0, 0, 0.0f};
    mImpl->pending.clear();
    mImpl->shownKnown = false;
    mImpl->frameUnsure = false;
    if (mContext) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        fViewportToTarget();
    }
}

void GlDevice::fViewportToTarget() {
    auto* surface = static_cast<GlSurface*>(mTarget);
    if (surface && surface->mTexture) {
        glViewport(0, 0, surface->mTexture->fWidth(), surface->mTexture->fHeight());
        return;
    }
    int w = 0, h = 0;
    fDrawableSize(w, h);
    glViewport(0, 0, w, h);
}

bool GlDevice::fReset(const GPresentParams& params) {
    if (!mContext) return false;
    mParams = params;
    SDL_GL_SetSwapInterval(params.vsync ? 1 : 0);
    fDefaults();
    return true;
}

// The program is built once the first frame is on screen: the window shows
// its first picture without waiting for the shader compiler.
bool GlDevice::fBuildProgram() {
    Impl& g = *mImpl;
    if (g.program) return true;
    if (g.programFailed) return false;
    g.programFailed = true;
    const GLuint vs = fCompile(GL_VERTEX_SHADER, kVERTEX_SHADER);
    const GLuint fs = fCompile(GL_FRAGMENT_SHADER, kFRAGMENT_SHADER);
    if (!vs || !fs) {
        if (vs) glDeleteShader(vs);
        if (fs) glDeleteShader(fs);
        return false;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked) {
        std::fprintf(stderr, "graphics: the shader program does not link; nothing can be drawn\n");
        glDeleteProgram(program);
        return false;
    }
    g.program = program;
    g.programFailed = false;
    // Only this one program is ever built: the compiler's built-in function
    // library and caches (several megabytes) can go.
    if (auto release = fProc<void (*)()>("glReleaseShaderCompiler")) release();
    g.uMatrix = glGetUniformLocation(g.program, "uMatrix");
    g.uPointRange = glGetUniformLocation(g.program, "uPointRange");
    g.uTexture = glGetUniformLocation(g.program, "uTexture");
    g.uTextured = glGetUniformLocation(g.program, "uTextured");
    g.uSprite = glGetUniformLocation(g.program, "uSprite");
    mStatesDirty = true;  // the point range is a uniform of the program
    return true;
}

bool GlDevice::fBeginScene() {
    if (!mContext) return false;
    // Names freed now could still be named by the frame being recorded.
    if (mImpl->pending.empty()) fCollectGarbage();
    return true;
}

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
    fReplay();
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

void GlDevice::fScissorToDamage() {
    const Impl& g = *mImpl;
    if (g.pass < g.damage.size()) {
        const DamageRect& r = g.damage[g.pass];
        glEnable(GL_SCISSOR_TEST);
        glScissor(r.x, r.y, r.w, r.h);
    } else {
        glDisable(GL_SCISSOR_TEST);
    }
}

std::vector<GlDevice::DamageRect> GlDevice::fLastDamage() const { return mImpl->lastDamage; }

void GlDevice::fAddDamage(std::vector<DamageRect>& rects, DamageRect r, size_t most) {
    fAddDamageCut(rects, r, most, 0);
}

// Rectangles never overlap, or a pass would blend their common pixels a
// second time. Two that meet or nearly meet become one when that adds few
// pixels; a crossing one is cut around the other, a few cuts deep (cuts and
// joins could undo each other), past which crossing ones are joined.
void GlDevice::fAddDamageCut(std::vector<DamageRect>& rects, DamageRect r, size_t most, int32_t depth) {
    if (r.w <= 0 || r.h <= 0) return;
    constexpr int32_t kNEAR = 8;
    constexpr int32_t kCUTS = 3;
    auto area = [](const DamageRect& a) { return int64_t(a.w) * a.h; };
    auto join = [](const DamageRect& a, const DamageRect& b) {
        const int32_t x = std::min(a.x, b.x), y = std::min(a.y, b.y);
        return DamageRect{x, y, std::max(a.x + a.w, b.x + b.w) - x, std::max(a.y + a.h, b.y + b.h) - y};
    };
    for (size_t i = 0; i < rects.size(); ++i) {
        const DamageRect o = rects[i];
        if (!fMeet(o, r, kNEAR)) continue;
        const DamageRect u = join(o, r);
        const bool cheap = area(u) * 4 <= (area(o) + area(r)) * 5 + 4 * 4096;
        const bool cross = fMeet(o, r);
        if (cheap || (cross && depth >= kCUTS)) {
            rects.erase(rects.begin() + std::ptrdiff_t(i));
            fAddDamageCut(rects, u, most, depth + 1);
            return;
        }
        if (!cross) continue;
        // The parts of r above, below, left and right of o.
        const int32_t low = std::max(r.y, o.y), high = std::min(r.y + r.h, o.y + o.h);
        const DamageRect pieces[] = {
            {r.x, o.y + o.h, r.w, r.y + r.h - (o.y + o.h)},
            {r.x, r.y, r.w, o.y - r.y},
            {r.x, low, o.x - r.x, high - low},
            {o.x + o.w, low, r.x + r.w - (o.x + o.w), high - low},
        };
        for (const DamageRect& piece : pieces) fAddDamageCut(rects, piece, most, depth + 1);
        return;
    }
    rects.push_back(r);
    if (rects.size() <= std::max<size_t>(most, 1)) return;
    // Too many passes: the two whose union wastes the fewest pixels become
    // one, with every one that then crosses it.
    size_t bestI = 0, bestJ = 1;
    int64_t bestWaste = INT64_MAX;
    for (size_t i = 0; i < rects.size(); ++i)
        for (size_t j = i + 1; j < rects.size(); ++j) {
            const int64_t waste = area(join(rects[i], rects[j])) - area(rects[i]) - area(rects[j]);
            if (waste < bestWaste) {
                bestWaste = waste;
                bestI = i;
                bestJ = j;
            }
        }
    DamageRect u = join(rects[bestI], rects[bestJ]);
    rects.erase(rects.begin() + std::ptrdiff_t(bestJ));
    rects.erase(rects.begin() + std::ptrdiff_t(bestI));
    for (bool grew = true; grew;) {
        grew = false;
        for (size_t i = 0; i < rects.size(); ++i)
            if (fMeet(rects[i], u)) {
                u = join(rects[i], u);
                rects.erase(rects.begin() + std::ptrdiff_t(i));
                grew = true;
                break;
            }
    }
    rects.push_back(u);
}

namespace {

// A box in pixels from the top (left, top, right, bottom) as the pixels it
// may reach, y from the bottom; filtering and rounding reach a pixel or two
// past the geometry.
GlDevice::DamageRect fPixelRect(const float* box, int32_t width, int32_t height) {
    if (box[0] > box[2]) return {0, 0, 0, 0};
    // Far outside the window counts as just outside it.
    auto at = [](float v) { return std::clamp(v, -1e6f, 1e6f); };
    const int32_t left = std::max(0, int32_t(std::floor(at(box[0]))) - 2);
    const int32_t right = std::min(width, int32_t(std::ceil(at(box[2]))) + 2);
    const int32_t top = std::max(0, int32_t(std::floor(at(box[1]))) - 2);
    const int32_t bottom = std::min(height, int32_t(std::ceil(at(box[3]))) + 2);
    if (right <= left || bottom <= top) return {0, 0, 0, 0};
    return {left, height - bottom, right - left, bottom - top};
}

}  // namespace

// The rectangles of the window where the frame being presented may differ
// from the one on screen. Draws both frames hold alike, in the same order,
// draw the same pixels; of the others, a draw whose states equal those of
// the one at its place in the other frame reaches new pixels only with the
// primitives that differ; other draws may change every pixel they cover.
// False when the frames differ otherwise (a clear or a target between) or
// a box is unknown, or the rectangles would cover most of the window.
bool GlDevice::fFindDamage(int32_t width, int32_t height) {
    Impl& g = *mImpl;
    g.damage.clear();
    const auto& now = g.pending;
    const auto& was = g.shown;
    size_t front = 0;
    while (front < now.size() && front < was.size() && now[front] == was[front]) ++front;
    size_t back = 0;
    while (back < now.size() - front && back < was.size() - front &&
           now[now.size() - 1 - back] == was[was.size() - 1 - back])
        ++back;
    const size_t nowEnd = now.size() - back, wasEnd = was.size() - back;
    // Between them, the longest run of draws both frames hold in the same
    // order stays; draws moved by an insertion elsewhere are not new.
    const size_t n = nowEnd - front, m = wasEnd - front;
    std::vector<std::pair<size_t, size_t>> kept;  // places in now and was, in order
    // Frames that differ in many draws are not worth the search.
    if (n > 0 && m > 0 && n * m <= 4096) {
        std::vector<uint16_t> longest((n + 1) * (m + 1), 0);  // [i][j]: of now[i..], was[j..]
        auto at = [&](size_t i, size_t j) -> uint16_t& { return longest[i * (m + 1) + j]; };
        for (size_t i = n; i-- > 0;)
            for (size_t j = m; j-- > 0;)
                at(i, j) = now[front + i] == was[front + j] ? uint16_t(at(i + 1, j + 1) + 1)
                                                            : std::max(at(i + 1, j), at(i, j + 1));
        for (size_t i = 0, j = 0; i < n && j < m;) {
            if (now[front + i] == was[front + j]) {
                kept.emplace_back(front + i, front + j);
                ++i;
                ++j;
            } else if (at(i + 1, j) >= at(i, j + 1)) {
                ++i;
            } else {
                ++j;
            }
        }
    }
    kept.emplace_back(nowEnd, wasEnd);
    auto alone = [&](const GlPacket& packet) {
        return packet.fIsDraw() && fDamagePrimitives(packet, width, height, 0, SIZE_MAX);
    };
    size_t i = front, j = front;
    for (const auto& [keptNow, keptWas] : kept) {
        // Between two kept draws, a draw is paired with the next one of the
        // other frame that has its states, the pairs in the order of both.
        for (; i < keptNow; ++i) {
            const GlPacket& a = now[i];
            if (!a.fIsDraw()) return false;
            constexpr size_t kLOOK_AHEAD = 16;
            const size_t end = std::min(keptWas, j + kLOOK_AHEAD);
            size_t q = j;
            while (q < end && !a.fAlike(was[q])) ++q;
            if (q == end) {
                if (!alone(a)) return false;
                continue;
            }
            for (; j < q; ++j)
                if (!alone(was[j])) return false;
            if (!fDamageDraws(a, was[q], width, height)) return false;
            j = q + 1;
        }
        for (; j < keptWas; ++j)
            if (!alone(was[j])) return false;
        i = keptNow + 1;
        j = keptWas + 1;
    }
    int64_t area = 0;
    for (const DamageRect& r : g.damage) area += int64_t(r.w) * r.h;
    if (g.damage.empty() || area * 4 > int64_t(width) * height * 3) {
        g.damage.clear();
        return false;
    }
    return true;
}

bool GlDevice::fDamageDraws(const GlPacket& now, const GlPacket& was, int32_t width, int32_t height) {
    auto add = [&](const GlPacket& packet, size_t first, size_t end) {
        return fDamagePrimitives(packet, width, height, first, end);
    };
    if (!now.fAlike(was)) return add(now, 0, SIZE_MAX) && add(was, 0, SIZE_MAX);
    // Drawn another way (sampled or blended), every primitive may change.
    float clip[16];
    now.fClipMatrix(clip);
    if (fDrawChoices(now, clip, width, height) != fDrawChoices(was, clip, width, height))
        return add(now, 0, SIZE_MAX) && add(was, 0, SIZE_MAX);
    const size_t stride = now.fStride();
    const size_t per = now.fCorners();
    const bool indexed = now.fIndexed();
    auto vertex = [&](const GlPacket& p, size_t primitive, size_t corner) -> const uint8_t* {
        const size_t v = indexed ? p.indices[primitive * per + corner] : primitive * per + corner;
        return (v + 1) * stride <= p.vertices.size() ? p.vertices.data() + v * stride : nullptr;
    };
    auto same = [&](size_t i, size_t k) {
        for (size_t corner = 0; corner < per; ++corner) {
            const uint8_t* x = vertex(now, i, corner);
            const uint8_t* y = vertex(was, k, corner);
            if (!x || !y || std::memcmp(x, y, stride) != 0) return false;
        }
        return true;
    };
    const size_t nowCount = now.fPrimitives(), wasCount = was.fPrimitives();
    size_t front = 0;
    while (front < nowCount && front < wasCount && same(front, front)) ++front;
    size_t back = 0;
    while (back < nowCount - front && back < wasCount - front && same(nowCount - 1 - back, wasCount - 1 - back))
        ++back;
    if (nowCount != wasCount) return add(now, front, nowCount - back) && add(was, front, wasCount - back);
    // As many primitives in both: those alike between stay.
    for (size_t k = front; k < nowCount - back; ++k)
        if (!same(k, k) && !(add(now, k, k + 1) && add(was, k, k + 1))) return false;
    return true;
}

// Each primitive's box joins the damage on its own, so that a draw spread
// over the window damages only where its primitives lie.
bool GlDevice::fDamagePrimitives(const GlPacket& packet, int32_t width, int32_t height, size_t first, size_t end) {
    for (size_t k = first; k < std::min(end, packet.fPrimitives()); ++k) {
        float box[4] = {1e30f, 1e30f, -1e30f, -1e30f};
        if (!packet.fBox(width, height, box, k, k + 1)) return false;
        fAddDamage(mImpl->damage, fPixelRect(box, width, height));
    }
    return true;
}

int64_t GlDevice::fFramesDrawn() const { return mImpl->framesDrawn; }
int64_t GlDevice::fFramesKept() const { return mImpl->framesKept; }

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

GlDevice::Sampling GlDevice::fChooseSampling(const uint32_t* samplerStates, bool depthVaries,
                                             uint32_t maxAnisotropy, bool texelAligned) {
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

namespace {
GLenum fMode(GPrimitive type) {
    switch (type) {
        case GPrimitive::POINTLIST: return GL_POINTS;
        case GPrimitive::LINELIST: return GL_LINES;
        default: return GL_TRIANGLES;
    }
}
}  // namespace

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

void GlDevice::fReplay() {
    Impl& g = *mImpl;
    if (g.pending.empty()) return;
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
            glBufferSubData(GL_ARRAY_BUFFER, GLintptr(vertexAt), GLsizeiptr(packet.vertices.size()), packet.vertices.data());
        if (!packet.indices.empty())
            glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, GLintptr(indexAt), GLsizeiptr(packet.indices.size() * 2),
                            packet.indices.data());
        vertexAt += packet.vertices.size();
        indexAt += packet.indices.size() * 2;
    }
    // One pass for each damaged rectangle, or one over everything. A pass
    // skips the draws that reach none of its pixels: the rasteriser would
    // still shade and bin all their vertices.
    const size_t passes = std::max<size_t>(1, g.damage.size());
    std::vector<DamageRect> reach;
    if (passes > 1) {
        // Partial frames are drawn only into the window.
        int w = 0, h = 0;
        fDrawableSize(w, h);
        reach.reserve(g.pending.size());
        for (const auto& packet : g.pending) {
            float box[4] = {1e30f, 1e30f, -1e30f, -1e30f};
            reach.push_back(packet.fIsDraw() && packet.fBox(w, h, box) ? fPixelRect(box, w, h) : DamageRect{0, 0, w, h});
        }
    }
    for (g.pass = 0; g.pass < passes; ++g.pass) {
    vertexAt = indexAt = 0;
    for (size_t k = 0; k < g.pending.size(); ++k) {
        const auto& packet = g.pending[k];
        const auto& h = packet.head;
        if (passes > 1) {
            if (reach[k].w <= 0 || !fMeet(reach[k], g.damage[g.pass])) {
                vertexAt += packet.vertices.size();
                indexAt += packet.indices.size() * 2;
                continue;
            }
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
                    int w = 0, hh = 0;
                    fDrawableSize(w, hh);
                    glViewport(0, 0, w, hh);
                    g.viewWidth = w;
                    g.viewHeight = hh;
                }
                break;
            case GlPacket::kCLEAR:
                fClearNow(h.clearFlags, h.clearColor, h.clearZ, h.clearStencil);
                break;
            default:
                fReplayDraw(packet, vertexAt, indexAt);
                break;
        }
        vertexAt += packet.vertices.size();
        indexAt += packet.indices.size() * 2;
    }
    }
    g.pass = 0;
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
                             mCaps.maxAnisotropy > 1 && fDepthVaries(packet.vertices.data(), stride, 0, vertexCount, clip);
    const bool aligned = type == GPrimitive::TRIANGLELIST && h.textured && h.fvf != kFVF_POINT && !depthVaries &&
                         fTexelAligned(packet.vertices.data(), stride, vertexCount,
                                       packet.indices.empty() ? nullptr : packet.indices.data(),
                                       uint32_t(packet.indices.size()), clip, viewWidth, viewHeight,
                                       h.textureWidth, h.textureHeight);
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

void GlDevice::fReplayDraw(const GlPacket& packet, size_t vertexAt, size_t indexAt) {
    const auto& h = packet.head;
    const GPrimitive type = GPrimitive(h.type);
    Impl& g = *mImpl;
    if (!fBuildProgram()) return;
    glUseProgram(g.program);

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
    // clip = v x world x view x projection; uploaded as is, the shader's
    // column-major reading makes M * v the row-vector product.
    float m[16];
    packet.fClipMatrix(m);
    glUniformMatrix4fv(g.uMatrix, 1, GL_FALSE, m);

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
    const uint32_t choices = fDrawChoices(packet, m, g.viewWidth, g.viewHeight);
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
        glDrawElements(fMode(type), GLsizei(packet.indices.size()), GL_UNSIGNED_SHORT,
                       fBufferOffset(indexAt));
    } else {
        glDrawArrays(fMode(type), 0, GLsizei(packet.vertices.size() / packet.fStride()));
    }
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

GBuffer* GlDevice::fCreateVertexBuffer(uint32_t bytes, uint32_t, uint32_t) {
    return mContext ? new GlBuffer(bytes) : nullptr;
}

GBuffer* GlDevice::fCreateIndexBuffer(uint32_t bytes, uint32_t) {
    return mContext ? new GlBuffer(bytes) : nullptr;
}

GTexture* GlDevice::fCreateTexture(int32_t width, int32_t height, uint32_t usage, GFormat format) {
    if (!mContext || width <= 0 || height <= 0 || width > 16384 || height > 16384) return nullptr;
    return new GlTexture(this, width, height, usage, format);
}

GSurface* GlDevice::fGetRenderTarget(uint32_t index) {
    if (index != 0 || !mContext) return nullptr;
    auto* current = static_cast<GlSurface*>(mTarget);
    return new GlSurface(current ? current->mTexture : nullptr);
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

void GlDevice::fSetLight(uint32_t, const GLight&) {}
void GlDevice::fLightEnable(uint32_t, bool) {}

bool GlDevice::fReadBackBuffer(std::vector<uint8_t>& rgba, int32_t& width, int32_t& height) {
    if (!mContext) return false;
    int w = 0, h = 0;
    fDrawableSize(w, h);
    if (w <= 0 || h <= 0) return false;
    if (!mImpl->copySubBuffer) fMakeCanvas(w, h);
    // What was drawn so far goes to the back buffer now.
    fReplay();
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
    for (int y = 0; y < h; ++y) std::memcpy(rgba.data() + size_t(y) * row, upside.data() + size_t(h - 1 - y) * row, row);
    // The window has no alpha of its own: the picture is opaque.
    for (size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;
    width = w;
    height = h;
    return glGetError() == GL_NO_ERROR;
}

IGraphicsDevice* fCreateGraphicsDevice() { return new GlDevice; }

}  // namespace host
