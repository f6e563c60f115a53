#pragma once

#include <X11/Xlib.h>

#include <string>

// SDL backend: how the game ends when its X display goes wrong under it.
// Provides: Xlib error and I/O error handlers that say in one line of
// standard error what happened (the connection to the display was lost, or
// the display refused a request, as when another program destroyed the
// game's window) and end the process with status 1, as Xlib's own handlers
// would, but with a message a player can act on.
// Does not provide: recovery. Xlib gives a program no way on after an I/O
// error, and a request refused on the game's own window means the window
// is gone. Installed only when SDL runs on X11; libX11 is reached through
// the copy SDL already loaded, so the game links no X library itself.
namespace host {

class X11ErrorWatch {
public:
    // Installs both handlers; false when libX11 is not loaded (another
    // video driver).
    static bool fInstall();

    // The lines the handlers write.
    static std::string fConnectionLostText();
    static std::string fRequestRefusedText(int errorCode, int requestCode);

    // The handlers themselves; both end the process.
    static int fOnError(Display* display, XErrorEvent* event);
    static int fOnIoError(Display* display);
};

}  // namespace host
