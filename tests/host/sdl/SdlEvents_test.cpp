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
    const auto out = fRun(t, {fKey(SDL_KEYDOWN, SDLK_a), fKey(SDL_KEYDOWN, SDLK_a, 0, 1), fKey(SDL_KEYUP, SDLK_a),
                              fKey(SDL_KEYDOWN, SDLK_a)});
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
                              fWindow(SDL_WINDOWEVENT_FOCUS_GAINED), fWindow(SDL_WINDOWEVENT_CLOSE), quit, quit});
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

namespace {
SDL_Event fText(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, utf8, sizeof(e.text.text));
    return e;
}
}  // namespace

TEST(SdlEvents, TypedTextComesOneCharacterAtATime) {
    SdlEventTranslator t;
    // "Zoë" in one piece (an input method commits whole words), then a
    // key with its own text.
    const auto out = fRun(t, {fText("Zo\xC3\xAB"), fKey(SDL_KEYDOWN, SDLK_x), fText("x"), fText("\xE2\x82\xAC")});
    ASSERT_EQ(out.size(), 6u);
    const uint32_t expected[] = {'Z', 'o', 0xEB};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(out[i].mMessage, host::kMsgChar);
        EXPECT_EQ(out[i].mWParam, expected[i]);
    }
    EXPECT_EQ(out[3].mMessage, host::kMsgKeyDown);
    EXPECT_EQ(out[4].mMessage, host::kMsgChar) << "the text follows its key";
    EXPECT_EQ(out[4].mWParam, uint32_t('x'));
    EXPECT_EQ(out[5].mWParam, 0x20ACu) << "three-byte letters";

    // Text of control characters alone makes no message at all.
    SdlEventTranslator u;
    EXPECT_TRUE(fRun(u, {fText("\t"), fText("\x7F"), fText("\xC2\x85")}).empty());
}

TEST(SdlEvents, TypedTextDropsControlsAndBrokenUtf8) {
    using Codes = std::vector<char32_t>;
    EXPECT_EQ(host::fTypedCodePoints("a/\\b"), (Codes{'a', '/', '\\', 'b'})) << "refusing is the text box's business";
    EXPECT_EQ(host::fTypedCodePoints("\x01"
                                     "a\r\n\x1B"
                                     "b\x7F"),
              (Codes{'a', 'b'}))
        << "C0 and DEL";
    EXPECT_EQ(host::fTypedCodePoints("\xC2\x80\xC2\x9F\xC2\xA0"), (Codes{0xA0})) << "C1 controls, then no-break space";
    EXPECT_EQ(host::fTypedCodePoints("\xC5\x81\xC3\xB3"
                                     "d\xC5\xBA"),
              (Codes{0x141, 0xF3, 'd', 0x17A}))
        << "Extended-A";
    EXPECT_EQ(host::fTypedCodePoints("\xF0\x9F\x99\x82"), (Codes{0x1F642})) << "four bytes";
    EXPECT_EQ(host::fTypedCodePoints("\xC3"), Codes{}) << "cut short at the end";
    EXPECT_EQ(host::fTypedCodePoints("\xC3z"), (Codes{'z'})) << "cut short before a plain letter, which stays";
    EXPECT_EQ(host::fTypedCodePoints("\x80\xBF"
                                     "a"),
              (Codes{'a'}))
        << "stray continuation bytes";
    EXPECT_EQ(host::fTypedCodePoints("\xC0\xAF"
                                     "b"),
              (Codes{'b'}))
        << "an overlong slash is no slash";
    EXPECT_EQ(host::fTypedCodePoints("\xED\xA0\x80"
                                     "c"),
              (Codes{'c'}))
        << "surrogate halves";
    EXPECT_EQ(host::fTypedCodePoints("\xF4\x90\x80\x80"
                                     "d\xFF"),
              (Codes{'d'}))
        << "beyond Unicode, invalid leads";
}
