#pragma once

#include <SDL2/SDL.h>

#include <bitset>
#include <deque>
#include <string>
#include <vector>

#include "host/IWindow.h"

// SDL backend: turns SDL events into the Windows-style messages of IWindow.
// Provides: virtual-key codes for SDL keys, key downs with auto-repeat, key
// ups, typed text as one character message per code point (control
// characters and broken UTF-8 dropped), mouse move and the three buttons,
// activation and focus, close (window or signal).
// Does not provide: wheel, extra buttons, touch, text being composed by an
// input method, Alt and F10 (the system keys, which the window manager owns).
namespace host {

// The Windows virtual-key code of an SDL key; 0 when there is none.
uint32_t fVirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode);

// The code points of UTF-8 text that may be typed into a text: control
// characters (C0, DEL, C1) and malformed or overlong sequences are dropped.
std::vector<char32_t> fTypedCodePoints(const std::string& utf8);

class SdlEventTranslator {
public:
    // Writes the message for event into out; false when it makes none.
    bool fTranslate(const SDL_Event& event, WindowMessage& out);
    // A message that follows the last one translated (a focus change is an
    // activation, then a set or kill focus; typed text one character after
    // another); false when there is none.
    bool fTakePending(WindowMessage& out);

private:
    std::bitset<256> mDown;        // keys whose down was delivered
    bool mCloseDelivered = false;  // a window close just went out
    std::deque<WindowMessage> mPending;
};

}  // namespace host
