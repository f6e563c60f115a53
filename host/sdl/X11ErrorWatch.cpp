// SDL backend: the X display's error handlers. See X11ErrorWatch.h.
#include "host/sdl/X11ErrorWatch.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace host {

namespace {

using KF_ERROR_HANDLER = int (*)(Display*, XErrorEvent*);
using KF_IO_ERROR_HANDLER = int (*)(Display*);
using KF_SET_ERROR_HANDLER = KF_ERROR_HANDLER (*)(KF_ERROR_HANDLER);
using KF_SET_IO_ERROR_HANDLER = KF_IO_ERROR_HANDLER (*)(KF_IO_ERROR_HANDLER);

[[noreturn]] void fEnd(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    // The engine's statics outlive exit(), so ending here mid-frame is safe.
    std::exit(1);
}

}  // namespace

bool X11ErrorWatch::fInstall() {
    void* library = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
    if (!library) return false;
    auto setError = reinterpret_cast<KF_SET_ERROR_HANDLER>(dlsym(library, "XSetErrorHandler"));
    auto setIoError = reinterpret_cast<KF_SET_IO_ERROR_HANDLER>(dlsym(library, "XSetIOErrorHandler"));
    const bool found = setError && setIoError;
    if (found) {
        setError(&X11ErrorWatch::fOnError);
        setIoError(&X11ErrorWatch::fOnIoError);
    }
    dlclose(library);  // SDL keeps its own reference
    return found;
}

std::string X11ErrorWatch::fConnectionLostText() {
    return "The game lost its connection to the display (its window was closed from outside): the game ends.";
}

std::string X11ErrorWatch::fRequestRefusedText(int errorCode, int requestCode) {
    return "The display refused a request on the game's window (X error " + std::to_string(errorCode) +
           ", request " + std::to_string(requestCode) + "; was the window destroyed from outside?): the game ends.";
}

int X11ErrorWatch::fOnError(Display*, XErrorEvent* event) {
    fEnd(fRequestRefusedText(event ? event->error_code : 0, event ? event->request_code : 0));
}

int X11ErrorWatch::fOnIoError(Display*) { fEnd(fConnectionLostText()); }

}  // namespace host
