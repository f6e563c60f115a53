// SDL backend: window, desktop size and the window factory.
// Provides: see SdlWindow.h. Does not provide: more than one window.
#include "host/sdl/SdlWindow.h"

#include <dlfcn.h>
#include <link.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "host/QuietStandardError.h"
#include "host/sdl/X11ErrorWatch.h"

// Last: it brings Xlib and its macros.
#include <SDL2/SDL_syswm.h>

namespace host {

namespace {

std::function<std::unique_ptr<IWindow>()> gFactory;
int32_t gDesktopOverrideW = 0, gDesktopOverrideH = 0;

// SDL unloads the GL and EGL libraries with the last window, and they in
// turn unload the driver they picked (its name differs between machines and
// Mesa versions). Drivers keep process-wide state in their own globals;
// unmapped, that state would be set up again on every window and reported
// as leaked at exit, with no library name left to recognise it by. So once
// a window stands, every library loaded so far stays for the process.
int fCollectLibrary(dl_phdr_info* info, size_t, void* names) {
    if (info->dlpi_name && info->dlpi_name[0] == '/') {
        static_cast<std::vector<std::string>*>(names)->emplace_back(info->dlpi_name);
    }
    return 0;
}

void fPinLoadedLibraries() {
    std::vector<std::string> names;
    dl_iterate_phdr(fCollectLibrary, &names);
    for (const std::string& name : names) {
        // Only raises the flag of a library already loaded; never loads one.
        if (void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE)) dlclose(handle);
    }
}

// A video start made by the desktop-size query, handed to the window that
// follows it so that SDL's video starts once. Main thread only.
bool gVideoHeldForWindow = false;

bool fIsNamed(const char* value, const char* name) { return value && std::strcmp(value, name) == 0; }

// Why no display could be opened, in the player's words.
std::string fNoDisplayText() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!x11 || !*x11) && (!wayland || !*wayland)) {
        return "No display: the game needs a desktop to open its window on (DISPLAY and WAYLAND_DISPLAY are not set).";
    }
    std::string names;
    if (x11 && *x11) names += std::string("DISPLAY=") + x11;
    if (wayland && *wayland) names += std::string(names.empty() ? "" : ", ") + "WAYLAND_DISPLAY=" + wayland;
    return "No display: the game cannot connect to the desktop (" + names + ").";
}

// Starts SDL's video; false with the reason in failure. SDL falls back to
// a driver that shows nothing when no display answers; that counts as a
// failure unless SDL_VIDEODRIVER asked for it.
bool fStartVideo(std::string& failure) {
    // The close button only asks; the game decides whether to quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // The desktop groups and decorates windows by their class, read when
    // the video starts; a class given by the user's environment stays.
    SDL_SetHint(SDL_HINT_APP_NAME, kWindowClass);
    setenv("SDL_VIDEO_X11_WMCLASS", kWindowClass, 0);
    int started;
    {
        // Display libraries complain on standard error about each display
        // they cannot reach; the failure below says it once.
        QuietStandardError quiet;
        started = SDL_InitSubSystem(SDL_INIT_VIDEO);
    }
    if (started != 0) {
        const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
        failure = asked && *asked ? std::string("The video driver \"") + asked + "\" cannot start: " + SDL_GetError()
                                  : fNoDisplayText();
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if ((fIsNamed(driver, "offscreen") || fIsNamed(driver, "dummy")) && !(asked && *asked)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        failure = fNoDisplayText();
        return false;
    }
    // Xlib's own handlers would end the game with a bare "XIO" line.
    if (fIsNamed(driver, "x11")) X11ErrorWatch::fInstall();
    return true;
}

// Xlib's default error handler ends the process; a window id read from a
// property may be stale, so the check below answers errors itself.
int fIgnoreXError(Display*, XErrorEvent*) { return 0; }

// The window id an X window's _NET_SUPPORTING_WM_CHECK names, or 0.
::Window fWmCheckOf(Display* display, ::Window window, Atom check) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    ::Window found = 0;
    if (XGetWindowProperty(display, window, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &left, &data) ==
            Success &&
        data && type == XA_WINDOW && format == 32 && count == 1) {
        found = *reinterpret_cast<::Window*>(data);
    }
    if (data) XFree(data);
    return found;
}

// Whether a window manager runs that can put a window in full screen. Only
// X11 can lack one; a desktop of another kind always has one.
bool fHasWindowManager(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return true;
    Display* display = info.info.x11.display;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    XSync(display, False);
    auto* previous = XSetErrorHandler(&fIgnoreXError);
    // A running manager's check window names itself; one left behind by a
    // manager that has gone names nothing or is gone too.
    const ::Window child = fWmCheckOf(display, DefaultRootWindow(display), check);
    const bool running = child != 0 && fWmCheckOf(display, child, check) == child;
    XSync(display, False);
    XSetErrorHandler(previous);
    return running;
}

}  // namespace

SdlWindow::~SdlWindow() {
    if (mWindow) {
        X11ErrorWatch::fWatchWindow(0);
        SDL_DestroyWindow(mWindow);
    }
    if (mVideoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlWindow::fCreate(const std::string& titleUtf8, int32_t width, int32_t height, bool fullscreen) {
    if (mWindow) return true;
    mFailure.clear();
    if (!mVideoStarted) {
        if (gVideoHeldForWindow) {
            gVideoHeldForWindow = false;
        } else if (!fStartVideo(mFailure)) {
            return false;
        }
        mVideoStarted = true;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    // A full-screen window is made windowed and hidden, then takes the
    // desktop the way a later switch does, with or without a window manager.
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI;
    if (fullscreen) flags |= SDL_WINDOW_HIDDEN;
    if (!mStyle.mCaption) flags |= SDL_WINDOW_BORDERLESS;
    if (mStyle.mResizable) flags |= SDL_WINDOW_RESIZABLE;
    mWindow = SDL_CreateWindow(titleUtf8.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width > 0 ? width : 1,
                               height > 0 ? height : 1, flags);
    if (!mWindow) {
        mFailure = std::string("The game window cannot be opened: ") + SDL_GetError();
        return false;
    }
    // Typed text comes as the desktop's keyboard layout makes it, accents
    // and dead keys included.
    SDL_StartTextInput();
    fPinLoadedLibraries();
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(mWindow, &info) && info.subsystem == SDL_SYSWM_X11)
        X11ErrorWatch::fWatchWindow(info.info.x11.window);
    if (fullscreen) fSetMode(width, height, true);
    return true;
}

void SdlWindow::fSetMode(int32_t width, int32_t height, bool fullscreen) {
    if (!mWindow) return;
    if (fullscreen) {
        if (!mCoversDesktop) fEnterFullscreen();
    } else {
        if (mCoversDesktop) fLeaveFullscreen();
        fApplyStyle();
        SDL_SetWindowSize(mWindow, width > 0 ? width : 1, height > 0 ? height : 1);
        SDL_SetWindowPosition(mWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    SDL_ShowWindow(mWindow);
}

void SdlWindow::fEnterFullscreen() {
    mCoversDesktop = true;
    mOwnFullscreen = !fHasWindowManager(mWindow);
    if (!mOwnFullscreen) {
        SDL_SetWindowFullscreen(mWindow, SDL_WINDOW_FULLSCREEN_DESKTOP);
        return;
    }
    // Nobody would act on SDL's request: SDL would take the window for the
    // desktop's size while it keeps its own. A frameless window over the
    // whole desktop is the same picture.
    SDL_Rect desktop{0, 0, 0, 0};
    const int display = SDL_GetWindowDisplayIndex(mWindow);
    if (SDL_GetDisplayBounds(display >= 0 ? display : 0, &desktop) != 0 || desktop.w <= 0 || desktop.h <= 0) {
        fGetDesktopSize(desktop.w, desktop.h);
    }
    SDL_SetWindowBordered(mWindow, SDL_FALSE);
    SDL_SetWindowPosition(mWindow, desktop.x, desktop.y);
    SDL_SetWindowSize(mWindow, desktop.w, desktop.h);
}

void SdlWindow::fLeaveFullscreen() {
    if (!mOwnFullscreen) SDL_SetWindowFullscreen(mWindow, 0);
    mCoversDesktop = false;
    mOwnFullscreen = false;
}

void SdlWindow::fSetStyle(const WindowStyle& style) {
    mStyle = style;
    if (mWindow && !mCoversDesktop) fApplyStyle();
}

void SdlWindow::fApplyStyle() {
    SDL_SetWindowBordered(mWindow, mStyle.mCaption ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowResizable(mWindow, mStyle.mResizable ? SDL_TRUE : SDL_FALSE);
}

void SdlWindow::fSetTitle(const std::string& titleUtf8) {
    if (mWindow) SDL_SetWindowTitle(mWindow, titleUtf8.c_str());
}

void SdlWindow::fSetIcon(const uint8_t* rgba, int32_t width, int32_t height) {
    if (!mWindow || !rgba || width <= 0 || height <= 0) return;
    // R, G, B, A bytes in memory, whatever the machine's byte order.
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(rgba), width, height, 32, width * 4,
                                                           SDL_PIXELFORMAT_RGBA32);
    if (!icon) return;
    SDL_SetWindowIcon(mWindow, icon);
    SDL_FreeSurface(icon);
}

void SdlWindow::fShowCursor(bool visible) {
    if (mVideoStarted) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void SdlWindow::fClipCursor(const Rect* rect) {
    if (!mWindow) return;
    if (!rect) {
        SDL_SetWindowMouseRect(mWindow, nullptr);
        return;
    }
    const SDL_Rect r{rect->mLeft, rect->mTop, rect->mRight - rect->mLeft, rect->mBottom - rect->mTop};
    if (r.w > 0 && r.h > 0) SDL_SetWindowMouseRect(mWindow, &r);
}

bool SdlWindow::fPollMessage(WindowMessage& out) {
    if (!mVideoStarted) return false;
    if (mTranslator.fTakePending(out)) return true;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (!mTranslator.fTranslate(event, out)) continue;
        fToDrawablePixels(out);
        return true;
    }
    return false;
}

void SdlWindow::fToDrawablePixels(WindowMessage& message) {
    switch (message.mMessage) {
        case kMsgMouseMove:
        case kMsgLButtonDown:
        case kMsgLButtonUp:
        case kMsgRButtonDown:
        case kMsgRButtonUp:
        case kMsgMButtonDown:
        case kMsgMButtonUp: break;
        default: return;
    }
    // SDL reports the mouse in window points; a high-density screen has more
    // pixels than points.
    int w = 0, h = 0, dw = 0, dh = 0;
    SDL_GetWindowSize(mWindow, &w, &h);
    SDL_GL_GetDrawableSize(mWindow, &dw, &dh);
    if (w <= 0 || h <= 0 || (w == dw && h == dh)) return;
    message.mX = static_cast<int32_t>(static_cast<int64_t>(message.mX) * dw / w);
    message.mY = static_cast<int32_t>(static_cast<int64_t>(message.mY) * dh / h);
}

void SdlWindow::fGetPosition(int32_t& x, int32_t& y) {
    x = y = 0;
    if (mWindow) SDL_GetWindowPosition(mWindow, &x, &y);
}

void SdlWindow::fGetDrawableSize(int32_t& width, int32_t& height) {
    width = height = 0;
    if (mWindow) SDL_GL_GetDrawableSize(mWindow, &width, &height);
}

std::unique_ptr<IWindow> fMakeWindow() {
    if (gFactory) return gFactory();
    return std::make_unique<SdlWindow>();
}

void fSetWindowFactory(std::function<std::unique_ptr<IWindow>()> factory) { gFactory = std::move(factory); }

void fGetDesktopSize(int32_t& width, int32_t& height) {
    if (gDesktopOverrideW > 0 && gDesktopOverrideH > 0) {
        width = gDesktopOverrideW;
        height = gDesktopOverrideH;
        return;
    }
    width = 1024;
    height = 768;
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        // A failure here is reported by the window that follows.
        std::string failure;
        if (!fStartVideo(failure)) return;
        gVideoHeldForWindow = true;
    }
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
        width = mode.w;
        height = mode.h;
    }
}

void fSetDisplayLostHook(std::function<void()> hook) { X11ErrorWatch::fSetLastWords(std::move(hook)); }

void fSetDesktopSizeOverride(int32_t width, int32_t height) {
    gDesktopOverrideW = width;
    gDesktopOverrideH = height;
}

}  // namespace host
