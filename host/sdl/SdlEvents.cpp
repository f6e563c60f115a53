// SDL backend: event translation and the SDL-key to virtual-key table.
// Provides: see SdlEvents.h. Does not provide: layout-aware key codes for
// keys without an ASCII key code (those fall back to their US position).
#include "host/sdl/SdlEvents.h"

#include "host/VirtualKeys.h"

namespace host {

namespace {

uint32_t fFromScancode(SDL_Scancode sc) {
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
    switch (sc) {
        case SDL_SCANCODE_0: return '0';
        case SDL_SCANCODE_SEMICOLON: return vk::kSEMICOLON;
        case SDL_SCANCODE_EQUALS: return vk::kEQUALS;
        case SDL_SCANCODE_COMMA: return vk::kCOMMA;
        case SDL_SCANCODE_MINUS: return vk::kMINUS;
        case SDL_SCANCODE_PERIOD: return vk::kPERIOD;
        case SDL_SCANCODE_SLASH: return vk::kSLASH;
        case SDL_SCANCODE_GRAVE: return vk::kGRAVE;
        case SDL_SCANCODE_LEFTBRACKET: return vk::kLEFT_BRACKET;
        case SDL_SCANCODE_BACKSLASH: return vk::kBACKSLASH;
        case SDL_SCANCODE_RIGHTBRACKET: return vk::kRIGHT_BRACKET;
        case SDL_SCANCODE_APOSTROPHE: return vk::kQUOTE;
        default: return 0;
    }
}

}  // namespace

uint32_t fVirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + static_cast<uint32_t>(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + static_cast<uint32_t>(key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return vk::kF1 + static_cast<uint32_t>(key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return vk::kKEYPAD_0 + 1 + static_cast<uint32_t>(key - SDLK_KP_1);
    switch (key) {
        case SDLK_BACKSPACE: return vk::kBACKSPACE;
        case SDLK_TAB: return vk::kTAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return vk::kENTER;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return vk::kSHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return vk::kCONTROL;
        case SDLK_PAUSE: return vk::kPAUSE;
        case SDLK_CAPSLOCK: return vk::kCAPS_LOCK;
        case SDLK_ESCAPE: return vk::kESCAPE;
        case SDLK_SPACE: return vk::kSPACE;
        case SDLK_PAGEUP: return vk::kPAGE_UP;
        case SDLK_PAGEDOWN: return vk::kPAGE_DOWN;
        case SDLK_END: return vk::kEND;
        case SDLK_HOME: return vk::kHOME;
        case SDLK_LEFT: return vk::kLEFT;
        case SDLK_UP: return vk::kUP;
        case SDLK_RIGHT: return vk::kRIGHT;
        case SDLK_DOWN: return vk::kDOWN;
        case SDLK_INSERT: return vk::kINSERT;
        case SDLK_DELETE: return vk::kDELETE;
        case SDLK_LGUI: return vk::kLEFT_SYSTEM;
        case SDLK_RGUI: return vk::kRIGHT_SYSTEM;
        case SDLK_KP_0: return vk::kKEYPAD_0;
        case SDLK_KP_MULTIPLY: return vk::kKEYPAD_MULTIPLY;
        case SDLK_KP_PLUS: return vk::kKEYPAD_PLUS;
        case SDLK_KP_MINUS: return vk::kKEYPAD_MINUS;
        case SDLK_KP_PERIOD: return vk::kKEYPAD_PERIOD;
        case SDLK_KP_DIVIDE: return vk::kKEYPAD_DIVIDE;
        case SDLK_NUMLOCKCLEAR: return vk::kNUM_LOCK;
        case SDLK_SCROLLLOCK: return vk::kSCROLL_LOCK;
        case SDLK_SEMICOLON: return vk::kSEMICOLON;
        case SDLK_EQUALS: return vk::kEQUALS;
        case SDLK_COMMA: return vk::kCOMMA;
        case SDLK_MINUS: return vk::kMINUS;
        case SDLK_PERIOD: return vk::kPERIOD;
        case SDLK_SLASH: return vk::kSLASH;
        case SDLK_BACKQUOTE: return vk::kGRAVE;
        case SDLK_LEFTBRACKET: return vk::kLEFT_BRACKET;
        case SDLK_BACKSLASH: return vk::kBACKSLASH;
        case SDLK_RIGHTBRACKET: return vk::kRIGHT_BRACKET;
        case SDLK_QUOTE: return vk::kQUOTE;
        default: return fFromScancode(scancode);
    }
}

std::vector<char32_t> fTypedCodePoints(const std::string& utf8) {
    std::vector<char32_t> out;
    const size_t n = utf8.size();
    size_t i = 0;
    while (i < n) {
        const auto lead = static_cast<uint8_t>(utf8[i]);
        size_t length = 0;
        char32_t code = 0, least = 0;
        if (lead < 0x80) {
            length = 1, code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07, least = 0x10000;
        } else {
            ++i;  // a stray continuation byte or an invalid lead
            continue;
        }
        size_t k = 1;
        for (; k < length && i + k < n; ++k) {
            const auto next = static_cast<uint8_t>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) break;
            code = (code << 6) | (next & 0x3F);
        }
        if (k < length) {  // cut short: skip what was read, resync at the next lead
            i += k;
            continue;
        }
        i += length;
        const bool valid = code >= least && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
        const bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
        if (valid && !control) out.push_back(code);
    }
    return out;
}

bool SdlEventTranslator::fTakePending(WindowMessage& out) {
    if (mPending.empty()) return false;
    out = mPending.front();
    mPending.pop_front();
    return true;
}

bool SdlEventTranslator::fTranslate(const SDL_Event& event, WindowMessage& out) {
    const bool closeJustDelivered = mCloseDelivered;
    mCloseDelivered = false;
    out = WindowMessage{};
    switch (event.type) {
        case SDL_KEYDOWN: {
            const uint32_t vk = fVirtualKeyFromSdl(event.key.keysym.sym, event.key.keysym.scancode);
            // Alt, F10 and Alt chords are system keys: the window manager's.
            if (vk == 0 || vk == 0x79 || (event.key.keysym.mod & KMOD_ALT)) return false;
            mDown.set(vk);
            out.mMessage = kMsgKeyDown;
            out.mWParam = vk;
            return true;
        }
        case SDL_KEYUP: {
            const uint32_t vk = fVirtualKeyFromSdl(event.key.keysym.sym, event.key.keysym.scancode);
            // A release is delivered for every delivered press, Alt or not,
            // so no key is left counting as held.
            if (vk == 0 || !mDown.test(vk)) return false;
            mDown.reset(vk);
            out.mMessage = kMsgKeyUp;
            out.mWParam = vk;
            return true;
        }
        case SDL_TEXTINPUT: {
            bool first = true;
            for (const char32_t code : fTypedCodePoints(event.text.text)) {
                WindowMessage typed;
                typed.mMessage = kMsgChar;
                typed.mWParam = static_cast<uint32_t>(code);
                if (first) out = typed;
                else mPending.push_back(typed);
                first = false;
            }
            return !first;
        }
        case SDL_MOUSEMOTION:
            out.mMessage = kMsgMouseMove;
            out.mX = event.motion.x;
            out.mY = event.motion.y;
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const bool down = event.type == SDL_MOUSEBUTTONDOWN;
            switch (event.button.button) {
                case SDL_BUTTON_LEFT: out.mMessage = down ? kMsgLButtonDown : kMsgLButtonUp; break;
                case SDL_BUTTON_RIGHT: out.mMessage = down ? kMsgRButtonDown : kMsgRButtonUp; break;
                case SDL_BUTTON_MIDDLE: out.mMessage = down ? kMsgMButtonDown : kMsgMButtonUp; break;
                default: return false;
            }
            out.mX = event.button.x;
            out.mY = event.button.y;
            return true;
        }
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                case SDL_WINDOWEVENT_FOCUS_LOST: {
                    const bool gained = event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
                    out.mMessage = kMsgActivate;
                    out.mWParam = gained ? 1 : 0;
                    WindowMessage focus;
                    focus.mMessage = gained ? kMsgSetFocus : kMsgKillFocus;
                    mPending.push_back(focus);
                    return true;
                }
                case SDL_WINDOWEVENT_CLOSE:
                    out.mMessage = kMsgClose;
                    mCloseDelivered = true;
                    return true;
                default: return false;
            }
        case SDL_QUIT:
            // The quit that follows a window close is the same request.
            if (closeJustDelivered) return false;
            out.mMessage = kMsgClose;
            return true;
        default: return false;
    }
}

}  // namespace host
