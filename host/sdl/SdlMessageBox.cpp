// SDL backend: message boxes.
// Provides: host::fMessageBox as a dialog of the game's own on X11 (see
// X11MessageBox.h: in-process, ended by a close request or SIGTERM too),
// as SDL's dialog under another video driver, else (headless, off the main
// thread, or when the dialog fails) caption and text on standard error;
// once the game has been asked to end, every later box goes to standard
// error; the test hook.
// Does not provide: buttons other than OK, icons; under a video driver
// other than X11, an end to SDL's dialog on a close request or SIGTERM
// (SDL delivers that once its dialog is answered).
#include <SDL2/SDL.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>

#include "host/IMessageBox.h"
#include "host/sdl/X11MessageBox.h"

// Last: it brings Xlib and its macros.
#include <SDL2/SDL_syswm.h>

namespace host {

namespace {
std::function<MessageBoxAnswer(const std::string&, const std::string&)> gHook;
// The game was asked to end while a box was up.
std::atomic<bool> gEndRequested{false};
// Static initialisation runs on the main thread. A box from another thread
// would wait on the display beside the main thread's own use of it, and a
// request to end belongs to the main thread's loop.
const std::thread::id gMainThread = std::this_thread::get_id();

bool fIsSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

MessageBoxAnswer fToStandardError(const std::string& caption, const std::string& text, MessageBoxAnswer answer) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    return answer;
}

// Whether the box is X11's to show: over an SDL window on X11 (display and
// window filled in), or with no window while SDL's video is X11 or not
// started and an X display is named (display stays null).
bool fIsX11(void* owner, void*& display, unsigned long& window) {
    display = nullptr;
    window = 0;
    if (!owner) {
        const char* driver = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : nullptr;
        return fIsSet("DISPLAY") && (!driver || std::strcmp(driver, "x11") == 0);
    }
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(static_cast<SDL_Window*>(owner), &info) || info.subsystem != SDL_SYSWM_X11) return false;
    display = info.info.x11.display;
    window = info.info.x11.window;
    return true;
}

MessageBoxAnswer fShowDialog(void* owner, const std::string& caption, const std::string& text) {
    if (fIsHeadless()) return fToStandardError(caption, text, MessageBoxAnswer::kAnswered);
    void* display = nullptr;
    unsigned long window = 0;
    if (fIsX11(owner, display, window)) {
        MessageBoxAnswer answer = MessageBoxAnswer::kAnswered;
        if (fShowX11MessageBox(display, window, caption, text, answer)) return answer;
    } else if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), text.c_str(),
                                        static_cast<SDL_Window*>(owner)) == 0) {
        return MessageBoxAnswer::kAnswered;
    }
    return fToStandardError(caption, text, MessageBoxAnswer::kAnswered);
}

}  // namespace

bool fIsHeadless() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) return true;
    return !fIsSet("DISPLAY") && !fIsSet("WAYLAND_DISPLAY");
}

MessageBoxAnswer fMessageBox(void* owner, const std::string& caption, const std::string& text) {
    if (!gHook && std::this_thread::get_id() != gMainThread)
        return fToStandardError(caption, text, MessageBoxAnswer::kAnswered);
    if (gEndRequested) return fToStandardError(caption, text, MessageBoxAnswer::kEndRequested);
    const MessageBoxAnswer answer = gHook ? gHook(caption, text) : fShowDialog(owner, caption, text);
    if (answer == MessageBoxAnswer::kEndRequested) gEndRequested = true;
    return answer;
}

void fSetMessageBoxHook(std::function<MessageBoxAnswer(const std::string&, const std::string&)> hook) {
    gHook = std::move(hook);
    gEndRequested = false;
}

}  // namespace host
