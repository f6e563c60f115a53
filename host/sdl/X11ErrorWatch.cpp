// SDL backend: the X display's error handlers. See X11ErrorWatch.h.
#include "host/sdl/X11ErrorWatch.h"

#include <X11/Xproto.h>
#include <dlfcn.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <tuple>
#include <utility>

namespace host {

namespace {

using KF_ERROR_HANDLER = int (*)(Display*, XErrorEvent*);
using KF_IO_ERROR_HANDLER = int (*)(Display*);
using KF_SET_ERROR_HANDLER = KF_ERROR_HANDLER (*)(KF_ERROR_HANDLER);
using KF_SET_IO_ERROR_HANDLER = KF_IO_ERROR_HANDLER (*)(KF_IO_ERROR_HANDLER);

std::atomic<unsigned long> gWatched{0};
std::function<void()> gLastWords;  // set on the main thread before any frame
std::atomic<bool> gEnding{false};

// The kinds of refused request already said; Xlib calls the handler from
// whichever thread reads the reply.
std::mutex gSaidLock;
std::set<std::tuple<int, int, int>> gSaid;  // guarded by gSaidLock

[[noreturn]] void fEnd(const std::string& text) {
    // A display call made by the last words meets the same error again.
    if (!gEnding.exchange(true)) {
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
        if (gLastWords) gLastWords();
    }
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

void X11ErrorWatch::fWatchWindow(unsigned long window) { gWatched = window; }

void X11ErrorWatch::fSetLastWords(std::function<void()> lastWords) { gLastWords = std::move(lastWords); }

std::string X11ErrorWatch::fConnectionLostText() {
    return "The game lost its connection to the display (its window was closed from outside): the game ends.";
}

std::string X11ErrorWatch::fWindowLostText(int errorCode, int requestCode) {
    return "The game's window was destroyed from outside (X error " + std::to_string(errorCode) + ", request " +
           std::to_string(requestCode) + "): the game ends.";
}

std::string X11ErrorWatch::fRequestRefusedText(int errorCode, int requestCode, int minorCode) {
    return "The display refused a request (X error " + std::to_string(errorCode) + ", request " +
           std::to_string(requestCode) + "." + std::to_string(minorCode) + "); the game goes on.";
}

bool X11ErrorWatch::fIsWindowLost(const XErrorEvent& event) {
    const unsigned long watched = gWatched;
    return watched != 0 && event.resourceid == watched &&
           (event.error_code == BadWindow || event.error_code == BadDrawable);
}

int X11ErrorWatch::fOnError(Display*, XErrorEvent* event) {
    if (!event) return 0;
    if (fIsWindowLost(*event)) fEnd(fWindowLostText(event->error_code, event->request_code));
    const auto kind = std::make_tuple(int(event->error_code), int(event->request_code), int(event->minor_code));
    bool first;
    {
        std::lock_guard<std::mutex> guard(gSaidLock);
        first = gSaid.insert(kind).second;
    }
    if (first) {
        std::fprintf(stderr, "%s\n",
                     fRequestRefusedText(event->error_code, event->request_code, event->minor_code).c_str());
        std::fflush(stderr);
    }
    return 0;
}

int X11ErrorWatch::fOnIoError(Display*) { fEnd(fConnectionLostText()); }

}  // namespace host
