#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>

// SDL backend: what the game does when its X display goes wrong under it.
// Provides: Xlib error and I/O error handlers. A lost connection, or a
// request refused because the game's own window is gone (BadWindow or
// BadDrawable naming it), ends the process with status 1 after one line on
// standard error and the last-words hook (the game saves there). Any other
// refused request is said once per kind of error and request on standard
// error, and the game goes on: a request the server refuses changes
// nothing on screen, and the next frame asks again.
// Does not provide: recovery from a lost connection (Xlib gives a program
// no way on after an I/O error). Installed only when SDL runs on X11;
// libX11 is reached through the copy SDL already loaded, so the game links
// no X library itself.
namespace host {

class X11ErrorWatch {
public:
    // Installs both handlers; false when libX11 is not loaded (another
    // video driver).
    static bool fInstall();
    // The X window whose loss ends the game (0: none yet).
    static void fWatchWindow(unsigned long window);
    // Called once, on the thread that met the lost display, right before
    // the process ends; it must make no display call. Empty: none.
    static void fSetLastWords(std::function<void()> lastWords);

    // The lines the handlers write.
    static std::string fConnectionLostText();
    static std::string fWindowLostText(int errorCode, int requestCode);
    static std::string fRequestRefusedText(int errorCode, int requestCode, int minorCode);

    // Whether an error proves the watched window gone.
    static bool fIsWindowLost(const XErrorEvent& event);

    // The handlers themselves: the I/O one always ends the process, the
    // other only when the window is lost.
    static int fOnError(Display* display, XErrorEvent* event);
    static int fOnIoError(Display* display);
};

}  // namespace host
