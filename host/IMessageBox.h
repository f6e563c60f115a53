#pragma once

#include <cstdint>
#include <functional>
#include <string>

// A plain modal message with one button (host/sdl/SdlMessageBox.cpp). On a
// desktop it is a real dialog over the game window; without one (no
// display, offscreen or dummy video driver), off the main thread, or when no
// dialog can be shown, caption and text go to standard error and it returns
// at once.
namespace host {

enum class MessageBoxAnswer : uint8_t {
    kAnswered,      // the player took the message in (OK, Return, Escape, its own close button)
    kEndRequested,  // the game was asked to end while it was up (the game window's close
                    // button, SIGINT or SIGTERM); the request is taken, it reaches the
                    // game's queue no more. Every later box then goes to standard error.
};

// owner: a window's native handle, or null.
MessageBoxAnswer fMessageBox(void* owner, const std::string& caption, const std::string& text);

// Tests take every message box instead; the hook's answer is the box's. An
// empty function restores dialogs.
void fSetMessageBoxHook(std::function<MessageBoxAnswer(const std::string& caption, const std::string& text)> hook);

// True when no dialog can be shown at all (no desktop).
bool fIsHeadless();

}  // namespace host
