#include <gtest/gtest.h>

#include <vector>

#include "host/sdl/SdlEvents.h"

using host::SdlEventTranslator;
using host::WindowMessage;

namespace {

SDL_Event fKey(Uint32 type, SDL_Keycode sym, Uint16 mod = 0, Uint8 repeat = 0) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
    e.key.keysym.mod = mod;
    e.key.repeat = repeat;
    return e;
}

SDL_Event fWindow(Uint8 kind) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = kind;
    return e;
}

std::vector<WindowMessage> fRun(SdlEventTranslator& t, const std::vector<SDL_Event>& events) {
    std::vector<WindowMessage> out;
    for (const SDL_Event& e : events) {
        WindowMessage m;
        if (t.fTranslate(e, m)) out.push_back(m);
        while (t.fTakePending(m)) out.push_back(m);
    }
    return out;
}

}  // namespace

TEST(SdlEvents, VirtualKeyCodes) {
    EXPECT_EQ(host::fVirtualKeyFromSdl(SDLK_a, SDL_SCANCODE_A), 0x41u);
    EXPECT_EQ(host::fVirtualKeyFromSdl(SDLK_9, SDL_SCANCODE_9), 0x39u);
    EXPECT_EQ(host::fVirtualKeyFromSdl(SDLK_RETURN, SDL_SCANCODE_RETURN), 13u);
    EXPECT_EQ(host::fVirtualKeyFromSdl(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER), 13u);
    EXPECT_EQ(host::fVirtualKeyFromSdl(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT), 16u);
    EXPECT_EQ(host::fVirtualKeyFromSdl(SDLK_LCTRL, SDL_SCANCODE_LCTRL), 17u);
    EXPECT_EQ(host::fVirtualKeyFromSdl(SDLK_LEFT, SDL_SCANCODE_LEFT), 37u);
    EXPECT_EQ(host::fVirtualKeyFromSdl(SDLK_DOWN, SDL_SCANCODE_DOWN), 40u);
    EXPECT_EQ(host::fVirtualKeyFromSdl(SDLK_DELETE, SDL_SCANCODE_DELETE), 46u);
    EXPECT_EQ(host::fVirtualKeyFromSdl(SDLK_KP_0, SDL_SCANCODE_KP_0), 0x60u);
    EXPECT_EQ(host::fVirtualKeyFromSdl(SDLK_KP_9, SDL_SCANCODE_KP_9), 0x69u);
    EXPECT_EQ(host::fVirtualKeyFromSdl(SDLK_F12, SDL_SCANCODE_F12), 0x7Bu);
    EXPECT_EQ(host::fVirtualKeyFromSdl(SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE), 0xDEu);
    // A layout key with no ASCII code falls back to its physical position.
    EXPECT_EQ(host::fVirtualKeyFromSdl(0x40000000 | 0x1234, SDL_SCANCODE_SEMICOLON), 0xBAu);
    EXPECT_EQ(host::fVirtualKeyFromSdl(SDLK_LALT, SDL_SCANCODE_LALT), 0u);
}

TEST(SdlEvents, KeysKeepOrderRepeatsAndPairReleases) {
    SdlEventTranslator t;
    const auto out = fRun(t, {fKey(SDL_KEYDOWN, SDLK_a), fKey(SDL_KEYDOWN, SDLK_a, 0, 1),
                              fKey(SDL_KEYUP, SDLK_a), fKey(SDL_KEYDOWN, SDLK_a)});
    ASSERT_EQ(out.size(), 4u) << "repeats and a second press are never coalesced";
    EXPECT_EQ(out[0].mMessage, host::kMsgKeyDown);
    EXPECT_EQ(out[1].mMessage, host::kMsgKeyDown);
    EXPECT_EQ(out[2].mMessage, host::kMsgKeyUp);
    EXPECT_EQ(out[3].mMessage, host::kMsgKeyDown);
    EXPECT_EQ(out[0].mWParam, 0x41u);

    // Alt chords and F10 belong to the window manager; a release whose press
    // was held back is dropped, one whose press went out is always delivered.
    SdlEventTranslator u;
    const auto sys = fRun(u, {fKey(SDL_KEYDOWN, SDLK_b), fKey(SDL_KEYDOWN, SDLK_F4, KMOD_LALT),
                              fKey(SDL_KEYDOWN, SDLK_F10), fKey(SDL_KEYUP, SDLK_F4, KMOD_LALT),
                              fKey(SDL_KEYUP, SDLK_b, KMOD_LALT)});
    ASSERT_EQ(sys.size(), 2u);
    EXPECT_EQ(sys[1].mMessage, host::kMsgKeyUp);
    EXPECT_EQ(sys[1].mWParam, 0x42u);
}

TEST(SdlEvents, MouseFocusAndClose) {
    SdlEventTranslator t;
    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    move.motion.x = 12;
    move.motion.y = 34;
    SDL_Event down{};
    down.type = SDL_MOUSEBUTTONDOWN;
    down.button.button = SDL_BUTTON_RIGHT;
    down.button.clicks = 2;
    SDL_Event up = down;
    up.type = SDL_MOUSEBUTTONUP;
    up.button.button = SDL_BUTTON_MIDDLE;
    SDL_Event x1 = down;
    x1.button.button = SDL_BUTTON_X1;
    SDL_Event quit{};
    quit.type = SDL_QUIT;

    const auto out = fRun(t, {move, down, up, x1, fWindow(SDL_WINDOWEVENT_FOCUS_LOST),
                              fWindow(SDL_WINDOWEVENT_FOCUS_GAINED), fWindow(SDL_WINDOWEVENT_CLOSE), quit,
                              quit});
    ASSERT_EQ(out.size(), 9u);
    EXPECT_EQ(out[0].mMessage, host::kMsgMouseMove);
    EXPECT_EQ(out[0].mX, 12);
    EXPECT_EQ(out[0].mY, 34);
    EXPECT_EQ(out[1].mMessage, host::kMsgRButtonDown) << "a double click is a plain press";
    EXPECT_EQ(out[2].mMessage, host::kMsgMButtonUp);
    EXPECT_EQ(out[3].mMessage, host::kMsgActivate) << "a focus change is an activation first";
    EXPECT_EQ(out[3].mWParam, 0u);
    EXPECT_EQ(out[4].mMessage, host::kMsgKillFocus);
    EXPECT_EQ(out[5].mMessage, host::kMsgActivate);
    EXPECT_EQ(out[5].mWParam, 1u);
    EXPECT_EQ(out[6].mMessage, host::kMsgSetFocus);
    EXPECT_EQ(out[7].mMessage, host::kMsgClose);
    EXPECT_EQ(out[8].mMessage, host::kMsgClose) << "only the quit right after a close is the same request";
}
