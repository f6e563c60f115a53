#pragma once

#include <functional>
#include <string>

// A plain modal message with one button. On a desktop it is a real dialog;
// without one (no display, offscreen or dummy video driver) or when no dialog
// can be shown, caption and text go to standard error and it returns at once.
namespace host {

// owner: a window's native handle, or null.
void fMessageBox(void* owner, const std::string& caption, const std::string& text);

// Tests take every message box instead; an empty function restores dialogs.
void fSetMessageBoxHook(std::function<void(const std::string& caption, const std::string& text)> hook);

// True when no dialog can be shown at all (no desktop).
bool fIsHeadless();

}  // namespace host
