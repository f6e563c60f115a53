#pragma once

#include <SDL2/SDL.h>

#include "host/IWindow.h"
#include "host/sdl/SdlEvents.h"

// SDL backend: the game window.
// Provides: an SDL window made for an OpenGL 3.3 core context (double
// buffer, depth 24, stencil 8, attributes set before creation) under the
// class name kWindowClass, with an icon from RGBA pixels, windowed
// centred or desktop full screen, title, cursor show/hide and clip, the
// event queue as Windows-style messages with typed text from SDL's text
// input and the mouse in drawable pixels, the drawable size. Full screen
// is the window manager's where one runs; under a bare X server the window
// itself goes frameless over the whole desktop. The windowed
// frame follows the style's caption (borderless without) and resizable
// flags. SDL's video is started once per program, shared with the
// desktop-size query. The offscreen and dummy drivers are used only when
// SDL_VIDEODRIVER names them: without a display the window fails and
// fGetFailure() says so, rather than running unseen.
// Does not provide: the GL context (the GL backend opens it on
// fNativeHandle()), exclusive full-screen mode changes, the
// minimise and maximise buttons on their own (SDL leaves those to the
// window manager: a fixed-size window offers no maximise).
namespace host {

class SdlWindow final : public IWindow {
public:
    SdlWindow() = default;
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    bool fCreate(const std::string& titleUtf8, int32_t width, int32_t height, bool fullscreen) override;
    const std::string& fGetFailure() const override { return mFailure; }
    void fSetStyle(const WindowStyle& style) override;
    void fSetMode(int32_t width, int32_t height, bool fullscreen) override;
    void fSetTitle(const std::string& titleUtf8) override;
    void fSetIcon(const uint8_t* rgba, int32_t width, int32_t height) override;
    void fShowCursor(bool visible) override;
    void fClipCursor(const Rect* rect) override;
    bool fPollMessage(WindowMessage& out) override;
    void fGetPosition(int32_t& x, int32_t& y) override;
    void* fNativeHandle() override { return mWindow; }
    void fGetDrawableSize(int32_t& width, int32_t& height) override;
    bool fHasTextInput() const override { return true; }

private:
    void fApplyStyle();
    void fEnterFullscreen();
    void fLeaveFullscreen();
    void fToDrawablePixels(WindowMessage& message);

    SDL_Window* mWindow = nullptr;
    bool mVideoStarted = false;
    bool mCoversDesktop = false;  // full screen, by whichever road
    bool mOwnFullscreen = false;  // full screen made without a window manager
    WindowStyle mStyle;
    std::string mFailure;
    SdlEventTranslator mTranslator;
};

}  // namespace host
