// SDL backend: message boxes.
// Provides: host::fMessageBox as an SDL dialog on a desktop, else (or when
// the dialog fails) caption and text on standard error; the test hook.
// Does not provide: buttons other than OK, icons.
#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "host/IMessageBox.h"

namespace host {

namespace {
std::function<void(const std::string&, const std::string&)> gHook;

bool fIsSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}
}  // namespace

bool fIsHeadless() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) return true;
    return !fIsSet("DISPLAY") && !fIsSet("WAYLAND_DISPLAY");
}

void fMessageBox(void* owner, const std::string& caption, const std::string& text) {
    if (gHook) {
        gHook(caption, text);
        return;
    }
    if (!fIsHeadless() &&
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), text.c_str(),
                                 static_cast<SDL_Window*>(owner)) == 0) {
        return;
    }
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
}

void fSetMessageBoxHook(std::function<void(const std::string&, const std::string&)> hook) { gHook = std::move(hook); }

}  // namespace host
