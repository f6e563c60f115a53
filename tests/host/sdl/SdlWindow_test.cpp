#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

#include "host/IWindow.h"
#include "host/sdl/SdlWindow.h"

// These run on SDL's offscreen driver (set by the test environment).

TEST(SdlWindow, OpensGlCapableWindowAndReportsSizes) {
    int32_t dw = 0, dh = 0;
    host::fGetDesktopSize(dw, dh);
    EXPECT_GT(dw, 0);
    EXPECT_GT(dh, 0);

    auto window = host::fMakeWindow();
    ASSERT_TRUE(window->fCreate("Nonogram \xC3\xA9", 640, 480, false));
    ASSERT_NE(window->fNativeHandle(), nullptr);
    SDL_Window* native = static_cast<SDL_Window*>(window->fNativeHandle());
    EXPECT_TRUE(SDL_GetWindowFlags(native) & SDL_WINDOW_OPENGL);
    EXPECT_STREQ(SDL_GetWindowTitle(native), "Nonogram \xC3\xA9");

    // A GL 3.3 core context can be opened on it.
    SDL_GLContext context = SDL_GL_CreateContext(native);
    EXPECT_NE(context, nullptr) << SDL_GetError();
    int major = 0, profile = 0;
    SDL_GL_GetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, &major);
    SDL_GL_GetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, &profile);
    EXPECT_EQ(major, 3);
    EXPECT_EQ(profile, SDL_GL_CONTEXT_PROFILE_CORE);
    if (context) SDL_GL_DeleteContext(context);

    window->fSetMode(800, 600, false);
    int32_t w = 0, h = 0;
    window->fGetDrawableSize(w, h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    host::Rect clip{10, 10, 100, 100};
    window->fClipCursor(&clip);
    window->fClipCursor(nullptr);
    window->fShowCursor(false);
    window->fShowCursor(true);
}

TEST(SdlWindow, FrameFlagsShapeTheWindow) {
    auto window = host::fMakeWindow();
    host::WindowStyle style;
    style.mCaption = false;
    style.mResizable = true;
    window->fSetStyle(style);
    ASSERT_TRUE(window->fCreate("frame", 320, 200, false));
    EXPECT_TRUE(window->fGetFailure().empty());
    const Uint32 flags = SDL_GetWindowFlags(static_cast<SDL_Window*>(window->fNativeHandle()));
    EXPECT_TRUE(flags & SDL_WINDOW_BORDERLESS) << "no caption";
    EXPECT_TRUE(flags & SDL_WINDOW_RESIZABLE);
    window.reset();

    auto plain = host::fMakeWindow();
    ASSERT_TRUE(plain->fCreate("plain", 320, 200, false));
    const Uint32 plainFlags = SDL_GetWindowFlags(static_cast<SDL_Window*>(plain->fNativeHandle()));
    EXPECT_FALSE(plainFlags & SDL_WINDOW_BORDERLESS) << "a caption by default";
    EXPECT_FALSE(plainFlags & SDL_WINDOW_RESIZABLE) << "a fixed size by default";
}

TEST(SdlWindow, TerminationSignalArrivesAsOneCloseRequest) {
    auto window = host::fMakeWindow();
    ASSERT_TRUE(window->fCreate("signal", 320, 200, false));
    host::WindowMessage m;
    while (window->fPollMessage(m)) {
    }
    std::raise(SIGTERM);
    int closes = 0;
    while (window->fPollMessage(m)) closes += m.mMessage == host::kMsgClose;
    EXPECT_EQ(closes, 1);
}

TEST(SdlWindow, TypedTextArrivesAfterItsKey) {
    auto window = host::fMakeWindow();
    ASSERT_TRUE(window->fCreate("text", 320, 200, false));
    EXPECT_TRUE(window->fHasTextInput());
    host::WindowMessage m;
    while (window->fPollMessage(m)) {
    }
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_e;
    key.key.keysym.scancode = SDL_SCANCODE_E;
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    SDL_strlcpy(text.text.text, "\xC3\xAB", sizeof(text.text.text));
    ASSERT_EQ(SDL_PushEvent(&key), 1);
    ASSERT_EQ(SDL_PushEvent(&text), 1) << "the window takes typed text";
    ASSERT_TRUE(window->fPollMessage(m));
    EXPECT_EQ(m.mMessage, host::kMsgKeyDown);
    EXPECT_EQ(m.mWParam, uint32_t('E'));
    ASSERT_TRUE(window->fPollMessage(m));
    EXPECT_EQ(m.mMessage, host::kMsgChar);
    EXPECT_EQ(m.mWParam, 0xEBu);
}

TEST(SdlWindow, FullScreenCoversTheDesktopAndComesBack) {
    int32_t dw = 0, dh = 0;
    host::fGetDesktopSize(dw, dh);
    auto window = host::fMakeWindow();
    ASSERT_TRUE(window->fCreate("full", 1024, 768, true));
    SDL_Window* native = static_cast<SDL_Window*>(window->fNativeHandle());
    EXPECT_FALSE(SDL_GetWindowFlags(native) & SDL_WINDOW_HIDDEN) << "made hidden, shown once full screen";
    int32_t w = 0, h = 0;
    window->fGetDrawableSize(w, h);
    EXPECT_EQ(w, dw);
    EXPECT_EQ(h, dh);
    window->fSetMode(640, 480, false);
    window->fGetDrawableSize(w, h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    window->fSetMode(640, 480, true);
    window->fGetDrawableSize(w, h);
    EXPECT_EQ(w, dw);
    EXPECT_EQ(h, dh);
}
