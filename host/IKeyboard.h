#pragma once

#include <cstdint>

// Key-to-text conversion in the manner of the Windows call the engine was
// written against: it reads the caller's own 256 key-state bytes, where a
// byte with its high bit set counts as down and one with its low bit set as
// toggled. Layout: fixed US English, so results are the same everywhere.
// Only for windows that do not deliver typed text themselves
// (IWindow::fHasTextInput); the game's window types through the desktop's
// own layout.
namespace host {

// Writes the text of virtual key vk (at most size units) into out and
// answers the number of units written (0 when the key has no text).
int32_t fKeyToText(uint32_t vk, const uint8_t states[256], wchar_t* out, int32_t size);

}  // namespace host
