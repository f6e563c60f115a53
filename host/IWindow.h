#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The one game window and its event queue, as the engine sees them. Events
// come as Windows-style messages (numbers below), one per input event, in
// arrival order and never coalesced.
namespace host {

enum : uint32_t {
    kMsgActivate = 6,  // wParam 0 inactive, 1 active; then set or kill focus
    kMsgSetFocus = 7,
    kMsgKillFocus = 8,
    kMsgClose = 0x10,   // close button, window manager, SIGINT/SIGTERM
    kMsgKeyDown = 256,  // wParam = Windows virtual-key code; repeats too
    kMsgKeyUp = 257,
    kMsgChar = 258,       // wParam = a Unicode code point the player typed;
                          // it follows the key down that typed it, if any
    kMsgMouseMove = 512,  // x, y = cursor in drawable pixels
    kMsgLButtonDown = 513,
    kMsgLButtonUp = 514,
    kMsgRButtonDown = 516,
    kMsgRButtonUp = 517,
    kMsgMButtonDown = 519,
    kMsgMButtonUp = 520,
};

struct WindowMessage {
    uint32_t mMessage = 0;
    uint32_t mWParam = 0;
    int32_t mX = 0;  // drawable pixels, for mouse messages
    int32_t mY = 0;
};

struct Rect {
    int32_t mLeft = 0, mTop = 0, mRight = 0, mBottom = 0;
};

// The frame of the windowed mode (full screen has none).
struct WindowStyle {
    bool mCaption = true;     // title bar with the window's buttons
    bool mResizable = false;  // sizing border
    bool mMinimizeBox = true;
    bool mMaximizeBox = false;
};

class IWindow {
public:
    virtual ~IWindow() = default;

    // Opens the window with the given client size, centred on the desktop,
    // windowed or covering the desktop. False when no window can be made;
    // fGetFailure() then says why.
    virtual bool fCreate(const std::string& titleUtf8, int32_t width, int32_t height, bool fullscreen) = 0;
    // Why the last fCreate failed, in words for the player (no display, no
    // OpenGL, ...); empty after a success.
    virtual const std::string& fGetFailure() const = 0;
    // The windowed frame; may be set before fCreate, and applies whenever
    // the window is (or next becomes) windowed.
    virtual void fSetStyle(const WindowStyle& style) = 0;
    // Windowed: client size width x height, centred. Full screen: covers the
    // desktop at (0, 0), so client and screen coordinates agree.
    virtual void fSetMode(int32_t width, int32_t height, bool fullscreen) = 0;
    virtual void fSetTitle(const std::string& titleUtf8) = 0;
    // The window's icon from R, G, B, A rows, top row first; backends
    // without icons ignore it.
    virtual void fSetIcon(const uint8_t* rgba, int32_t width, int32_t height) {}
    virtual void fShowCursor(bool visible) = 0;
    // Keeps the cursor inside the rectangle (client pixels); null frees it.
    virtual void fClipCursor(const Rect* rect) = 0;
    // The next queued message; false when the queue is empty.
    virtual bool fPollMessage(WindowMessage& out) = 0;
    // Client origin in screen pixels (for screen-to-client conversion).
    virtual void fGetPosition(int32_t& x, int32_t& y) = 0;
    // An opaque handle another backend may open a GPU context on (the SDL
    // window of the SDL backend); null before creation.
    virtual void* fNativeHandle() = 0;
    // The back buffer size in pixels (may differ from the client size on
    // high-density screens or in full screen). Mouse messages use the same
    // pixels, so a position maps onto the picture whatever the window's size.
    virtual void fGetDrawableSize(int32_t& width, int32_t& height) = 0;
    // True when typed text arrives as kMsgChar messages; without, the engine
    // turns key downs into text itself.
    virtual bool fHasTextInput() const { return false; }
};

// A new window object of the active backend (not yet created).
std::unique_ptr<IWindow> fMakeWindow();
// The class name the desktop knows the game's windows by (X11 WM_CLASS).
inline constexpr const char* kWindowClass = "VANTREL";
// Tests replace the backend; an empty function restores it.
void fSetWindowFactory(std::function<std::unique_ptr<IWindow>()> factory);

// The primary desktop's size in pixels; 1024 x 768 when it cannot be read.
void fGetDesktopSize(int32_t& width, int32_t& height);
// Tests pin the desktop size; (0, 0) restores the real one.
void fSetDesktopSizeOverride(int32_t width, int32_t height);

// Called once when the display is gone for good (the connection lost, or
// the game's window destroyed from outside), right before the process ends
// with status 1. It must make no window or drawing call. Empty: none.
void fSetDisplayLostHook(std::function<void()> hook);

}  // namespace host
