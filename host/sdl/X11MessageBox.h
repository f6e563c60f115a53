#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/IMessageBox.h"

// SDL backend on X11: the message box as a small window of the game's own
// X connection, in the game's process (nothing is forked, so a box may come
// while other threads run).
// Provides: a dialog transient for the game window and centred on it (on
// the screen without one), titled with the caption, the text wrapped in the
// server's built-in "fixed" font, and an OK button. A click on OK, Return,
// Enter, Escape, Space or the dialog's own close button answer it. It takes
// the keyboard focus itself (a bare X server has no window manager to give
// it) and hands it back to the game window. While it is up, the game
// window's close button, SIGINT or SIGTERM end it with kEndRequested; the
// close request is taken from the queue, and the window manager's pings to
// the game window are answered.
// Does not provide: other buttons, icons, input methods, text beyond the
// font's characters (shown as "?"), right-to-left text.
namespace host {

// Text broken into lines no wider than width as measure tells: at line
// breaks, between words, and inside a word too long for a line. Control
// characters and broken UTF-8 are dropped.
std::vector<std::u32string> fWrapText(const std::string& utf8, int32_t width,
                                      const std::function<int32_t(const std::u32string&)>& measure);

// Shows the box and waits for its answer. display: SDL's X Display of the
// game window owner, or null for a connection of the box's own (no game
// window then). False when no box could be shown (no connection, no font).
bool fShowX11MessageBox(void* display, unsigned long owner, const std::string& caption, const std::string& text,
                        MessageBoxAnswer& answer);

}  // namespace host
