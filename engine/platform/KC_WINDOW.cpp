#include "engine/platform/KC_WINDOW.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/platform/KC_INPUT.h"
#include "host/IMessageBox.h"
#include "host/Image.h"

namespace KEL {

int32_t KC_WINDOW::msScreenWidth = 0;
int32_t KC_WINDOW::msScreenHeight = 0;

KC_WINDOW::KC_WINDOW() { host::fGetDesktopSize(msScreenWidth, msScreenHeight); }

KC_WINDOW::~KC_WINDOW() {
    if (mHost) host::fSetDisplayLostHook({});
    if (kcWINDOW == this) kcWINDOW = nullptr;
}

int32_t KC_WINDOW::fCreate(const std::string& title) {
    if (mHost) return KS_RESULT::kOK;
    mHost = host::fMakeWindow();
    if (!mHost) {
        mFailure = "The game window cannot be opened.";
        return KS_RESULT::kSTART_FAILED;
    }
    mHost->fSetStyle(fStyle());
    if (!mHost->fCreate(title, mWidth, mHeight, mFullscreen != 0)) {
        mFailure = mHost->fGetFailure().empty() ? "The game window cannot be opened." : mHost->fGetFailure();
        mHost.reset();
        return KS_RESULT::kSTART_FAILED;
    }
    mFailure.clear();
    host::fSetDisplayLostHook([] { KC_CALLBACK::fCall(kcbDISPLAY_LOST); });
    fSetMode(mWidth, mHeight, mFullscreen != 0, mScaleToScreen != 0);
    return KS_RESULT::kOK;
}

void KC_WINDOW::fSetMode(int32_t width, int32_t height, bool fullscreen, bool scaleToScreen) {
    mWidth = width;
    mHeight = height;
    mFullscreen = fullscreen ? 1 : 0;
    mScaleToScreen = scaleToScreen ? 1 : 0;
    if (mHost) {
        mHost->fSetStyle(fStyle());
        mHost->fSetMode(width, height, fullscreen);
    }
    if (!fullscreen) {
        fRestoreClip();
        return;
    }
    if (width == msScreenWidth && height == msScreenHeight) {
        mScale = 1.0f;
        mOffset = KS_VEC2(0.0f, 0.0f);
        fRestoreClip();
        return;
    }
    if (width <= 0 || height <= 0) return;
    fFitLetterbox(KS_POINT(msScreenWidth, msScreenHeight), width, height, mScale, mOffset);
    fClipToLetterbox();
}

void KC_WINDOW::fFitLetterbox(const KS_POINT& area, int32_t width, int32_t height, float& scale, KS_VEC2& offset) {
    const float sx = static_cast<float>(area.x) / static_cast<float>(width);
    const float sy = static_cast<float>(area.y) / static_cast<float>(height);
    scale = sy < sx ? sy : sx;
    offset = KS_VEC2((static_cast<float>(area.x) - scale * static_cast<float>(width)) / 2.0f,
                     (static_cast<float>(area.y) - scale * static_cast<float>(height)) / 2.0f);
}

KS_POINT KC_WINDOW::fMapToGame(const KS_POINT& point, const KS_POINT& drawable, int32_t width, int32_t height,
                               bool letterbox) {
    if (drawable.x <= 0 || drawable.y <= 0 || width <= 0 || height <= 0) return point;
    if (letterbox) {
        float scale = 1.0f;
        KS_VEC2 offset;
        fFitLetterbox(drawable, width, height, scale, offset);
        return KS_POINT(static_cast<int32_t>((static_cast<float>(point.x) - offset.x) / scale),
                        static_cast<int32_t>((static_cast<float>(point.y) - offset.y) / scale));
    }
    return KS_POINT(static_cast<int32_t>(static_cast<int64_t>(point.x) * width / drawable.x),
                    static_cast<int32_t>(static_cast<int64_t>(point.y) * height / drawable.y));
}

host::WindowStyle KC_WINDOW::fStyle() const {
    host::WindowStyle style;
    style.mCaption = mCaption != 0;
    style.mResizable = mResizable != 0;
    style.mMinimizeBox = mMinimizeBox != 0;
    style.mMaximizeBox = mMaximizeBox != 0;
    return style;
}

bool KC_WINDOW::fSetIcon(const void* png, size_t size) {
    host::GImage image;
    if (!mHost || !png || !host::fDecodeImage(png, size, image)) return false;
    mHost->fSetIcon(image.rgba.data(), image.width, image.height);
    return true;
}

void KC_WINDOW::fSetTitle(const std::string& text) {
    if (mHost) mHost->fSetTitle(text);
}

void KC_WINDOW::fShowCursor(bool visible) {
    mCursorVisible = visible ? 1 : 0;
    if (mHost) mHost->fShowCursor(visible);
}

void* KC_WINDOW::fGetHandle() const { return mHost ? mHost->fNativeHandle() : nullptr; }

KS_POINT KC_WINDOW::fGetDrawableSize() const {
    KS_POINT size;
    if (mHost) mHost->fGetDrawableSize(size.x, size.y);
    return size;
}

int32_t KC_WINDOW::fMessageBox(const std::string& caption, const std::string& text) const {
    return fShowMessageBox(fGetHandle(), caption, text);
}

int32_t fShowMessageBox(void* owner, const std::string& caption, const std::string& text) {
    if (host::fMessageBox(owner, caption, text) == host::MessageBoxAnswer::kAnswered) return KS_RESULT::kOK;
    // The host took the request from the queue: it comes no other way.
    KC_CALLBACK::fCall(kcbCLOSE);
    return KS_RESULT::kSTOP;
}

void KC_WINDOW::fSetMinimizeBox(bool on) {
    mMinimizeBox = on ? 1 : 0;
    // The new frame reaches the host window with the windowed mode, which
    // also places the window as after any frame change.
    if (!mFullscreen) fSetMode(mWidth, mHeight, false, mScaleToScreen != 0);
}

KS_POINT KC_WINDOW::fClientToGame(const KS_POINT& client) const {
    // The renderer fills the whole drawable: letterboxed in full screen with
    // scale to screen, stretched otherwise (which is no change at all while
    // the window keeps the size asked for).
    const bool letterbox = mFullscreen && mScaleToScreen;
    KS_POINT drawable = fGetDrawableSize();
    if (drawable.x <= 0 || drawable.y <= 0)
        drawable = letterbox ? KS_POINT(msScreenWidth, msScreenHeight) : KS_POINT(mWidth, mHeight);
    return fMapToGame(client, drawable, mWidth, mHeight, letterbox);
}

KS_POINT KC_WINDOW::fScreenToGame(const KS_POINT& screen) const {
    KS_POINT client = screen;
    if (mHost) {
        int32_t x = 0, y = 0;
        mHost->fGetPosition(x, y);
        client = KS_POINT(screen.x - x, screen.y - y);
    }
    return fClientToGame(client);
}

KS_POINT KC_WINDOW::fScreenToGameFullscreen(const KS_POINT& screen) const {
    KS_POINT client = screen;
    if (mHost) {
        int32_t x = 0, y = 0;
        mHost->fGetPosition(x, y);
        client = KS_POINT(screen.x - x, screen.y - y);
    }
    if (!mFullscreen || mScale == 0.0f) return client;
    return KS_POINT(static_cast<int32_t>((static_cast<float>(client.x) - mOffset.x) / mScale),
                    static_cast<int32_t>((static_cast<float>(client.y) - mOffset.y) / mScale));
}

void KC_WINDOW::fRestoreClip() {
    // The clip found at start is always "none" here: the cursor goes free.
    mClipped = false;
    mClip = host::Rect{};
    if (mHost) mHost->fClipCursor(nullptr);
}

void KC_WINDOW::fClipToLetterbox() {
    mClip.mLeft = static_cast<int32_t>(mOffset.x);
    mClip.mTop = static_cast<int32_t>(mOffset.y);
    mClip.mRight = static_cast<int32_t>(static_cast<float>(msScreenWidth) - mOffset.x);
    mClip.mBottom = static_cast<int32_t>(static_cast<float>(msScreenHeight) - mOffset.y);
    mClipped = true;
    if (mHost) mHost->fClipCursor(&mClip);
}

int32_t KC_WINDOW::fWindowProc(const host::WindowMessage& message) {
    switch (message.mMessage) {
        case host::kMsgActivate:
            // The whole parameter: a minimised activation raises nothing.
            if (message.mWParam == 0) KC_CALLBACK::fCall(kcbFOCUS_LOST);
            else if (message.mWParam == 1 || message.mWParam == 2) KC_CALLBACK::fCall(kcbFOCUS_GAINED);
            return 0;
        case host::kMsgSetFocus: KC_CALLBACK::fCall(kcbFOCUS_GAINED); return 0;
        case host::kMsgKillFocus: KC_CALLBACK::fCall(kcbFOCUS_LOST); return 0;
        case host::kMsgClose:
            // Only asks: ending the program is the close slot's business.
            KC_CALLBACK::fCall(kcbCLOSE);
            return 0;
        default: return 0;
    }
}

namespace {

void fToInput(KC_INPUT& input, KC_WINDOW& window, const host::WindowMessage& message, bool hostText,
              const host::WindowMessage* typed) {
    const int32_t key = static_cast<int32_t>(message.mWParam & 0xFFFF);
    switch (message.mMessage) {
        case host::kMsgKeyDown:
            if (hostText) input.fOnKeyDown(key, typed ? static_cast<wchar_t>(typed->mWParam) : L'\0');
            else input.fOnKeyDown(key);
            break;
        case host::kMsgKeyUp: input.fOnKeyUp(key); break;
        case host::kMsgChar: input.fOnChar(static_cast<wchar_t>(message.mWParam)); break;
        case host::kMsgMouseMove: {
            const KS_POINT game = window.fClientToGame(KS_POINT(message.mX, message.mY));
            input.fOnMouseMove(game.x, game.y);
            break;
        }
        case host::kMsgLButtonDown: input.fOnKeyDown(KC_INPUT::kMOUSE_LEFT); break;
        case host::kMsgLButtonUp: input.fOnKeyUp(KC_INPUT::kMOUSE_LEFT); break;
        case host::kMsgRButtonDown: input.fOnKeyDown(KC_INPUT::kMOUSE_RIGHT); break;
        case host::kMsgRButtonUp: input.fOnKeyUp(KC_INPUT::kMOUSE_RIGHT); break;
        case host::kMsgMButtonDown: input.fOnKeyDown(KC_INPUT::kMOUSE_MIDDLE); break;
        case host::kMsgMButtonUp: input.fOnKeyUp(KC_INPUT::kMOUSE_MIDDLE); break;
        default: break;
    }
}

}  // namespace

void fPumpMessages(KC_INPUT* input, KC_WINDOW* window) {
    if (!window || !window->fGetHostWindow()) return;
    host::IWindow* host = window->fGetHostWindow();
    const bool hostText = host->fHasTextInput();
    host::WindowMessage message, next;
    bool hasNext = false;
    for (;;) {
        if (hasNext) {
            message = next;
            hasNext = false;
        } else if (!host->fPollMessage(message)) {
            break;
        }
        // The character a key typed follows its key down: both make one
        // key-down pass, as when the key itself was turned into text.
        const host::WindowMessage* typed = nullptr;
        const bool textKey = message.mMessage == host::kMsgKeyDown &&
                             !KC_INPUT::fIsSpecialKey(static_cast<int32_t>(message.mWParam & 0xFFFF));
        if (textKey && hostText && host->fPollMessage(next)) {
            if (next.mMessage == host::kMsgChar) {
                typed = &next;
            } else {
                hasNext = true;
            }
        }
        if (input) fToInput(*input, *window, message, hostText, typed);
        window->fWindowProc(message);
        if (typed) window->fWindowProc(*typed);
    }
}

}  // namespace KEL
