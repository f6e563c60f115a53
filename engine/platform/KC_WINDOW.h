#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/util/KS_POINT.h"
#include "engine/util/KS_VEC2.h"
#include "host/IWindow.h"

namespace KEL {

class KC_INPUT;

// The program's one window: size, windowed or full-screen mode, the
// full-screen letterbox that maps the mouse into game pixels, the cursor
// and its clip, and the window procedure that turns focus and close
// messages into the engine's callback slots.
class KC_WINDOW {
public:
    KC_WINDOW();
    ~KC_WINDOW();
    KC_WINDOW(const KC_WINDOW&) = delete;
    KC_WINDOW& operator=(const KC_WINDOW&) = delete;

    // Opens the window at the stored size, mode and frame flags. 1, or -112
    // when the platform cannot make a window; fGetFailure() then says why.
    int32_t fCreate(const std::string& title);
    const std::string& fGetFailure() const { return mFailure; }
    void fSetMode(int32_t width, int32_t height, bool fullscreen, bool scaleToScreen);
    void fSetTitle(const std::string& text);
    // The window's icon from a PNG held in memory; false when it does not
    // decode (the icon stays as it was).
    bool fSetIcon(const void* png, size_t size);
    void fShowCursor(bool visible);
    bool fIsCursorVisible() const { return mCursorVisible != 0; }
    // The native window the renderer opens its context on (opaque).
    void* fGetHandle() const;
    host::IWindow* fGetHostWindow() const { return mHost.get(); }
    // Back-buffer size in pixels.
    KS_POINT fGetDrawableSize() const;
    // A message box over the window; see fShowMessageBox.
    int32_t fMessageBox(const std::string& caption, const std::string& text) const;
    void fSetMinimizeBox(bool on);

    // Screen pixels to game pixels (through the letterbox when full screen
    // and scale to screen are both set; truncated toward zero).
    KS_POINT fScreenToGame(const KS_POINT& screen) const;
    // The same from drawable pixels (what the event queue reports), by the
    // drawable's size now: a window the desktop sized otherwise than asked
    // still takes clicks where it draws.
    KS_POINT fClientToGame(const KS_POINT& client) const;
    // Drawable pixels to game pixels on a drawable of the given size showing
    // a picture of width x height: letterboxed (scaled to fit and centred)
    // or stretched over the whole drawable. Truncated toward zero; an empty
    // drawable or picture leaves the point as it is.
    static KS_POINT fMapToGame(const KS_POINT& point, const KS_POINT& drawable, int32_t width, int32_t height,
                               bool letterbox);
    // The letterbox of a picture of width x height on an area: the scale
    // that fits it (the horizontal one when both agree) and the offset that
    // centres it.
    static void fFitLetterbox(const KS_POINT& area, int32_t width, int32_t height, float& scale, KS_VEC2& offset);
    // Variant that tests only the full-screen flag.
    KS_POINT fScreenToGameFullscreen(const KS_POINT& screen) const;

    void fRestoreClip();
    void fClipToLetterbox();

    // The window procedure: focus and activation raise the focus slots, a
    // close request raises the close slot. Answers 0.
    int32_t fWindowProc(const host::WindowMessage& message);

    // Primary screen size, read when a window object is constructed.
    static int32_t msScreenWidth;
    static int32_t msScreenHeight;

    int32_t mWidth = 1024;
    int32_t mHeight = 768;
    uint8_t mFullscreen = 0;
    uint8_t mCaption = 1;
    uint8_t mResizable = 0;
    uint8_t mMinimizeBox = 1;
    uint8_t mMaximizeBox = 0;
    uint8_t mCursorVisible = 1;
    float mScale = 1.0f;
    KS_VEC2 mOffset;
    uint8_t mScaleToScreen = 0;
    // The cursor clip last applied; none means the cursor is free.
    bool mClipped = false;
    host::Rect mClip;

private:
    // The windowed frame as the flags above ask for it.
    host::WindowStyle fStyle() const;

    std::unique_ptr<host::IWindow> mHost;
    std::string mFailure;
};

// A plain message box owned by a native window (null for none), shown until
// the player takes it in: 1. When the game is asked to end while it is up
// (its window's close button, SIGINT, SIGTERM), the close slot is raised as
// for the window's close request and the answer is kSTOP; so it is,
// at once and with the box's text on standard error, for every box after.
int32_t fShowMessageBox(void* owner, const std::string& caption, const std::string& text);

// Drains the window's message queue once: key and mouse messages go to the
// input, every message then to the window procedure.
void fPumpMessages(KC_INPUT* input, KC_WINDOW* window);

}  // namespace KEL
