// OpenGL backend of host/IGraphicsDevice.h, its context and resources: the
// GL context, the shader program, textures and buffers made and freed. See
// GlDevice.h for what the device provides and what it does not.
#include "host/gl/GlDevice.h"

#include <SDL2/SDL.h>
#ifdef __GLIBC__
#include <dlfcn.h>
#include <malloc.h>
#endif

#include <algorithm>
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
    if (!display || !client || !display() || !fHasWord(client(display(), kGLX_EXTENSIONS), "GLX_MESA_copy_sub_buffer"))
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
    if (mImpl->watching) SDL_DelEventWatch(&GlDevice::fWatchWindow, this);
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

GBuffer* GlDevice::fCreateVertexBuffer(uint32_t bytes, uint32_t, uint32_t) {
    return mContext ? new GlBuffer(bytes) : nullptr;
}

GBuffer* GlDevice::fCreateIndexBuffer(uint32_t bytes, uint32_t) { return mContext ? new GlBuffer(bytes) : nullptr; }

GTexture* GlDevice::fCreateTexture(int32_t width, int32_t height, uint32_t usage, GFormat format) {
    if (!mContext || width <= 0 || height <= 0 || width > 16384 || height > 16384) return nullptr;
    return new GlTexture(this, width, height, usage, format);
}

IGraphicsDevice* fCreateGraphicsDevice() { return new GlDevice; }

}  // namespace host
