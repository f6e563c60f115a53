// SDL backend on X11: the message box window. See X11MessageBox.h.
#include "host/sdl/X11MessageBox.h"

#include <poll.h>

#include <algorithm>

#include "host/posix/EndSignalWatch.h"
#include "host/sdl/SdlEvents.h"

// Last: Xlib's macros would rename what the headers above declare.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace host {

namespace {

constexpr int kMARGIN = 16;
constexpr int kGAP = 14;  // between the text and the button
constexpr int kBUTTON_W = 80;
constexpr int kBUTTON_H = 26;
constexpr int kMIN_W = 280;
constexpr int kMAX_TEXT_W = 460;
// The longest wait between two looks for an end request that left no byte
// to wake the wait.
constexpr int kWAIT_MS = 100;
// The Unicode cut of the fixed font comes with the usual font packages;
// "fixed" itself is built into every X server.
constexpr const char* kFONTS[] = {"-misc-fixed-medium-r-semicondensed--13-*-*-*-*-*-iso10646-1", "fixed"};

void fAppendWord(std::u32string word, int32_t width, const std::function<int32_t(const std::u32string&)>& measure,
                 std::u32string& line, std::vector<std::u32string>& lines) {
    if (word.empty()) return;
    const std::u32string joined = line.empty() ? word : line + U' ' + word;
    if (measure(joined) <= width) {
        line = joined;
        return;
    }
    if (!line.empty()) lines.push_back(line);
    line.clear();
    // A word wider than a line is cut where it no longer fits, one
    // character at least per line.
    while (measure(word) > width) {
        size_t fits = 1;
        while (fits < word.size() && measure(word.substr(0, fits + 1)) <= width) ++fits;
        lines.push_back(word.substr(0, fits));
        word.erase(0, fits);
    }
    line = word;
}

void fWrapParagraph(const std::u32string& text, int32_t width,
                    const std::function<int32_t(const std::u32string&)>& measure, std::vector<std::u32string>& lines) {
    const size_t before = lines.size();
    std::u32string line, word;
    for (char32_t c : text) {
        if (c == U' ') {
            fAppendWord(word, width, measure, line, lines);
            word.clear();
        } else {
            word += c;
        }
    }
    fAppendWord(word, width, measure, line, lines);
    // An empty paragraph is an empty line.
    if (!line.empty() || lines.size() == before) lines.push_back(line);
}

// Requests the display may refuse without the game being at fault (the
// focus on a window not yet viewable, a window gone): noted, not fatal.
bool gXRefused = false;
int fNoteXError(Display*, XErrorEvent*) {
    gXRefused = true;
    return 0;
}

class XErrorTrap {
public:
    explicit XErrorTrap(Display* display) : mDisplay(display) {
        XSync(display, False);
        gXRefused = false;
        mPrevious = XSetErrorHandler(&fNoteXError);
    }
    ~XErrorTrap() {
        XSync(mDisplay, False);
        XSetErrorHandler(mPrevious);
    }
    bool fRefused() {
        XSync(mDisplay, False);
        return gXRefused;
    }

private:
    Display* mDisplay;
    int (*mPrevious)(Display*, XErrorEvent*) = nullptr;
};

class X11Box {
public:
    X11Box(Display* display, ::Window owner) : mDisplay(display), mOwner(owner) {}
    ~X11Box();
    X11Box(const X11Box&) = delete;
    X11Box& operator=(const X11Box&) = delete;

    // Lays out, creates and maps the window; false without a font.
    bool fOpen(const std::string& caption, const std::string& text);
    MessageBoxAnswer fRun(const EndSignalWatch& signals);

private:
    bool fLoadFont();
    std::vector<XChar2b> fChars(const std::u32string& text) const;
    int32_t fWidth(const std::u32string& text) const;
    bool fOwnerArea(XRectangle& area);
    void fLayout(const std::string& text, const XRectangle& area);
    void fSetProperties(const std::string& caption, int x, int y);
    unsigned long fPixel(unsigned short grey, unsigned long fallback);
    static Bool fIsForBox(Display*, XEvent* event, XPointer box);
    void fHandle(const XEvent& event);
    void fHandleButton(const XButtonEvent& button);
    void fHandleKey(const XKeyEvent& key);
    void fHandleClientMessage(const XClientMessageEvent& message);
    void fTakeFocus();
    bool fInOk(int x, int y) const;
    void fDraw();
    void fDrawButton();
    void fEnd(MessageBoxAnswer answer);

    Display* mDisplay;
    ::Window mOwner;
    ::Window mWindow = 0;
    ::Window mFocusBefore = None;
    GC mGc = nullptr;
    XFontStruct* mFont = nullptr;
    Atom mProtocols = None, mDelete = None, mPing = None;
    unsigned long mBack = 0, mInk = 0, mFace = 0, mFaceHeld = 0;
    std::vector<std::u32string> mLines;
    int mLineHeight = 0;
    int mW = 0, mH = 0;
    XRectangle mOk{};
    bool mFocused = false;
    bool mOkHeld = false;        // the button went down over OK
    KeySym mKeyHeld = NoSymbol;  // an answering key went down in the box
    bool mGone = false;          // destroyed from outside
    bool mDone = false;
    MessageBoxAnswer mAnswer = MessageBoxAnswer::kAnswered;
};

X11Box::~X11Box() {
    if (mWindow && !mGone) {
        if (mFocused && mFocusBefore != None) {
            XErrorTrap trap(mDisplay);
            XSetInputFocus(mDisplay, mFocusBefore, RevertToParent, CurrentTime);
        }
        XDestroyWindow(mDisplay, mWindow);
    }
    if (mWindow) {
        // What the box's window still had queued is nobody's now.
        XSync(mDisplay, False);
        XEvent event;
        auto isBox = [](Display*, XEvent* e, XPointer w) -> Bool {
            return e->xany.window == *reinterpret_cast<::Window*>(w);
        };
        while (XCheckIfEvent(mDisplay, &event, isBox, reinterpret_cast<XPointer>(&mWindow))) {
        }
    }
    if (mGc) XFreeGC(mDisplay, mGc);
    if (mFont) XFreeFont(mDisplay, mFont);
    XFlush(mDisplay);
}

bool X11Box::fLoadFont() {
    for (const char* name : kFONTS) {
        mFont = XLoadQueryFont(mDisplay, name);
        if (mFont) break;
    }
    if (!mFont) return false;
    mLineHeight = mFont->ascent + mFont->descent + 2;
    return true;
}

std::vector<XChar2b> X11Box::fChars(const std::u32string& text) const {
    // A font of one byte per character has no row above the first.
    const char32_t last = mFont->max_byte1 > 0 ? 0xFFFF : 0xFF;
    std::vector<XChar2b> chars;
    chars.reserve(text.size());
    for (char32_t c : text) {
        const char32_t shown = c <= last ? c : U'?';
        chars.push_back(XChar2b{static_cast<unsigned char>(shown >> 8), static_cast<unsigned char>(shown & 0xFF)});
    }
    return chars;
}

int32_t X11Box::fWidth(const std::u32string& text) const {
    const std::vector<XChar2b> chars = fChars(text);
    return XTextWidth16(mFont, chars.data(), static_cast<int>(chars.size()));
}

bool X11Box::fOwnerArea(XRectangle& area) {
    const int screen = DefaultScreen(mDisplay);
    area = XRectangle{0, 0, static_cast<unsigned short>(DisplayWidth(mDisplay, screen)),
                      static_cast<unsigned short>(DisplayHeight(mDisplay, screen))};
    if (!mOwner) return false;
    XErrorTrap trap(mDisplay);
    XWindowAttributes attributes;
    int x = 0, y = 0;
    ::Window child = 0;
    if (!XGetWindowAttributes(mDisplay, mOwner, &attributes) ||
        !XTranslateCoordinates(mDisplay, mOwner, attributes.root, 0, 0, &x, &y, &child) || trap.fRefused()) {
        return false;
    }
    area = XRectangle{static_cast<short>(x), static_cast<short>(y), static_cast<unsigned short>(attributes.width),
                      static_cast<unsigned short>(attributes.height)};
    return true;
}

void X11Box::fLayout(const std::string& text, const XRectangle& area) {
    const int32_t limit = std::max(200, std::min<int32_t>(kMAX_TEXT_W, area.width - 2 * kMARGIN - 40));
    mLines = fWrapText(text, limit, [this](const std::u32string& piece) { return fWidth(piece); });
    // A text taller than the screen keeps the lines that fit.
    const int screenH = DisplayHeight(mDisplay, DefaultScreen(mDisplay));
    const int room = std::max(1, (screenH - 3 * kMARGIN - kGAP - kBUTTON_H) / mLineHeight);
    if (static_cast<int>(mLines.size()) > room) {
        mLines.resize(room);
        mLines.back() += U"...";
    }
    int widest = 0;
    for (const std::u32string& line : mLines) widest = std::max(widest, fWidth(line));
    mW = std::max({kMIN_W, widest + 2 * kMARGIN, kBUTTON_W + 2 * kMARGIN});
    mH = kMARGIN + static_cast<int>(mLines.size()) * mLineHeight + kGAP + kBUTTON_H + kMARGIN;
    mOk = XRectangle{static_cast<short>((mW - kBUTTON_W) / 2), static_cast<short>(mH - kMARGIN - kBUTTON_H), kBUTTON_W,
                     kBUTTON_H};
}

unsigned long X11Box::fPixel(unsigned short grey, unsigned long fallback) {
    XColor color{};
    color.red = color.green = color.blue = grey;
    color.flags = DoRed | DoGreen | DoBlue;
    return XAllocColor(mDisplay, DefaultColormap(mDisplay, DefaultScreen(mDisplay)), &color) ? color.pixel : fallback;
}

void X11Box::fSetProperties(const std::string& caption, int x, int y) {
    XStoreName(mDisplay, mWindow, caption.c_str());
    const Atom utf8 = XInternAtom(mDisplay, "UTF8_STRING", False);
    XChangeProperty(mDisplay, mWindow, XInternAtom(mDisplay, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(caption.data()), static_cast<int>(caption.size()));
    // Placed where asked and of one size: the window manager neither moves
    // nor stretches it.
    XSizeHints* size = XAllocSizeHints();
    if (size) {
        size->flags = USPosition | PPosition | PMinSize | PMaxSize;
        size->x = x;
        size->y = y;
        size->min_width = size->max_width = mW;
        size->min_height = size->max_height = mH;
        XSetWMNormalHints(mDisplay, mWindow, size);
        XFree(size);
    }
    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = True;
    hints.initial_state = NormalState;
    XSetWMHints(mDisplay, mWindow, &hints);
    char name[] = "nonogram";
    char kind[] = "VANTREL";
    XClassHint classes{name, kind};
    XSetClassHint(mDisplay, mWindow, &classes);
    if (mOwner) XSetTransientForHint(mDisplay, mWindow, mOwner);
    const Atom dialog = XInternAtom(mDisplay, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(mDisplay, mWindow, XInternAtom(mDisplay, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&dialog), 1);
    const Atom modal = XInternAtom(mDisplay, "_NET_WM_STATE_MODAL", False);
    XChangeProperty(mDisplay, mWindow, XInternAtom(mDisplay, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&modal), 1);
    // Moved and closed, never minimised or maximised (the Motif hints'
    // functions and decorations: move and close; border, title and menu).
    const long motif[5] = {1 | 2, 4 | 32, 2 | 8 | 16, 0, 0};
    const Atom motifHints = XInternAtom(mDisplay, "_MOTIF_WM_HINTS", False);
    XChangeProperty(mDisplay, mWindow, motifHints, motifHints, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(motif), 5);
    XSetWMProtocols(mDisplay, mWindow, &mDelete, 1);
}

bool X11Box::fOpen(const std::string& caption, const std::string& text) {
    if (!fLoadFont()) return false;
    mProtocols = XInternAtom(mDisplay, "WM_PROTOCOLS", False);
    mDelete = XInternAtom(mDisplay, "WM_DELETE_WINDOW", False);
    mPing = XInternAtom(mDisplay, "_NET_WM_PING", False);
    int revert = 0;
    XGetInputFocus(mDisplay, &mFocusBefore, &revert);
    if (mFocusBefore == None && mOwner) mFocusBefore = mOwner;

    XRectangle area{};
    fOwnerArea(area);
    fLayout(text, area);
    const int screen = DefaultScreen(mDisplay);
    const int x = std::clamp(area.x + (area.width - mW) / 2, 0, std::max(0, DisplayWidth(mDisplay, screen) - mW));
    const int y = std::clamp(area.y + (area.height - mH) / 2, 0, std::max(0, DisplayHeight(mDisplay, screen) - mH));
    mBack = fPixel(0xE0E0, WhitePixel(mDisplay, screen));
    mFace = fPixel(0xF4F4, WhitePixel(mDisplay, screen));
    mFaceHeld = fPixel(0xB8B8, BlackPixel(mDisplay, screen));
    mInk = BlackPixel(mDisplay, screen);
    mWindow = XCreateSimpleWindow(mDisplay, RootWindow(mDisplay, screen), x, y, mW, mH, 0, mInk, mBack);
    XSelectInput(mDisplay, mWindow,
                 ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                     StructureNotifyMask | FocusChangeMask);
    fSetProperties(caption, x, y);
    mGc = XCreateGC(mDisplay, mWindow, 0, nullptr);
    XSetFont(mDisplay, mGc, mFont->fid);
    XMapRaised(mDisplay, mWindow);
    XFlush(mDisplay);
    return true;
}

Bool X11Box::fIsForBox(Display*, XEvent* event, XPointer pointer) {
    const auto* box = reinterpret_cast<const X11Box*>(pointer);
    if (event->xany.window == box->mWindow) return True;
    // Of the game window's events only its close request and the window
    // manager's ping: everything else stays queued for the game.
    if (!box->mOwner || event->type != ClientMessage || event->xclient.window != box->mOwner) return False;
    const XClientMessageEvent& message = event->xclient;
    return message.message_type == box->mProtocols && message.format == 32 &&
           (static_cast<Atom>(message.data.l[0]) == box->mDelete || static_cast<Atom>(message.data.l[0]) == box->mPing);
}

MessageBoxAnswer X11Box::fRun(const EndSignalWatch& signals) {
    const int connection = ConnectionNumber(mDisplay);
    while (!mDone) {
        XEvent event;
        while (!mDone && XCheckIfEvent(mDisplay, &event, &X11Box::fIsForBox, reinterpret_cast<XPointer>(this)))
            fHandle(event);
        if (!mDone && signals.fCaught() != 0) fEnd(MessageBoxAnswer::kEndRequested);
        if (mDone) break;
        XFlush(mDisplay);
        pollfd waits[2] = {{connection, POLLIN, 0}, {signals.fWakeDescriptor(), POLLIN, 0}};
        poll(waits, waits[1].fd >= 0 ? 2 : 1, kWAIT_MS);
    }
    return mAnswer;
}

void X11Box::fEnd(MessageBoxAnswer answer) {
    mDone = true;
    mAnswer = answer;
}

bool X11Box::fInOk(int x, int y) const {
    return x >= mOk.x && x < mOk.x + mOk.width && y >= mOk.y && y < mOk.y + mOk.height;
}

void X11Box::fHandle(const XEvent& event) {
    switch (event.type) {
        case Expose:
            // Shown: the window is viewable and may take the focus now.
            if (!mFocused) fTakeFocus();
            if (event.xexpose.count == 0) fDraw();
            break;
        case FocusIn:
            mFocused = true;
            fDraw();
            break;
        case FocusOut:
            mFocused = false;
            fDraw();
            break;
        case ButtonPress:
        case ButtonRelease: fHandleButton(event.xbutton); break;
        case KeyPress:
        case KeyRelease: fHandleKey(event.xkey); break;
        case ClientMessage: fHandleClientMessage(event.xclient); break;
        case DestroyNotify:
            if (event.xdestroywindow.window == mWindow) {
                mGone = true;
                fEnd(MessageBoxAnswer::kAnswered);
            }
            break;
        default: break;
    }
}

void X11Box::fHandleButton(const XButtonEvent& button) {
    if (button.type == ButtonPress) {
        // Without a window manager a click is the only way to the focus.
        if (!mFocused) fTakeFocus();
        if (button.button == Button1 && fInOk(button.x, button.y)) {
            mOkHeld = true;
            fDrawButton();
        }
        return;
    }
    if (button.button != Button1 || !mOkHeld) return;
    mOkHeld = false;
    if (fInOk(button.x, button.y)) fEnd(MessageBoxAnswer::kAnswered);
    else fDrawButton();
}

void X11Box::fHandleKey(const XKeyEvent& event) {
    XKeyEvent key = event;
    const KeySym symbol = XLookupKeysym(&key, 0);
    if (key.type == KeyPress) {
        if (symbol == XK_Return || symbol == XK_KP_Enter || symbol == XK_Escape || symbol == XK_space) {
            mKeyHeld = symbol;
            fDrawButton();
        }
        return;
    }
    // Answered on the release, so that the game never gets a key up whose
    // down it did not see.
    if (mKeyHeld != NoSymbol && symbol == mKeyHeld) fEnd(MessageBoxAnswer::kAnswered);
}

void X11Box::fHandleClientMessage(const XClientMessageEvent& message) {
    if (message.message_type != mProtocols || message.format != 32) return;
    const auto protocol = static_cast<Atom>(message.data.l[0]);
    if (message.window == mWindow) {
        if (protocol == mDelete) fEnd(MessageBoxAnswer::kAnswered);
        return;
    }
    if (protocol == mDelete) {
        fEnd(MessageBoxAnswer::kEndRequested);
        return;
    }
    // The game window answers its pings itself only while its loop runs.
    XEvent pong{};
    pong.xclient = message;
    pong.xclient.window = DefaultRootWindow(mDisplay);
    XSendEvent(mDisplay, pong.xclient.window, False, SubstructureNotifyMask | SubstructureRedirectMask, &pong);
}

void X11Box::fTakeFocus() {
    XErrorTrap trap(mDisplay);
    XSetInputFocus(mDisplay, mWindow, RevertToParent, CurrentTime);
    mFocused = !trap.fRefused();
}

void X11Box::fDraw() {
    XSetForeground(mDisplay, mGc, mBack);
    XFillRectangle(mDisplay, mWindow, mGc, 0, 0, mW, mH);
    XSetForeground(mDisplay, mGc, mInk);
    // Without a window manager there is no frame around the box.
    XDrawRectangle(mDisplay, mWindow, mGc, 0, 0, mW - 1, mH - 1);
    int baseline = kMARGIN + mFont->ascent;
    for (const std::u32string& line : mLines) {
        const std::vector<XChar2b> chars = fChars(line);
        XDrawString16(mDisplay, mWindow, mGc, kMARGIN, baseline, chars.data(), static_cast<int>(chars.size()));
        baseline += mLineHeight;
    }
    fDrawButton();
}

void X11Box::fDrawButton() {
    const bool held = mOkHeld || mKeyHeld != NoSymbol;
    XSetForeground(mDisplay, mGc, held ? mFaceHeld : mFace);
    XFillRectangle(mDisplay, mWindow, mGc, mOk.x, mOk.y, mOk.width, mOk.height);
    XSetForeground(mDisplay, mGc, mInk);
    XDrawRectangle(mDisplay, mWindow, mGc, mOk.x, mOk.y, mOk.width - 1, mOk.height - 1);
    // The focus shows as a second frame: the keys answer the box then.
    if (mFocused) XDrawRectangle(mDisplay, mWindow, mGc, mOk.x + 2, mOk.y + 2, mOk.width - 5, mOk.height - 5);
    const std::u32string label = U"OK";
    const std::vector<XChar2b> chars = fChars(label);
    const int x = mOk.x + (mOk.width - fWidth(label)) / 2;
    const int y = mOk.y + (mOk.height + mFont->ascent - mFont->descent) / 2;
    XDrawString16(mDisplay, mWindow, mGc, x, y, chars.data(), static_cast<int>(chars.size()));
    XFlush(mDisplay);
}

}  // namespace

std::vector<std::u32string> fWrapText(const std::string& utf8, int32_t width,
                                      const std::function<int32_t(const std::u32string&)>& measure) {
    std::vector<std::u32string> lines;
    size_t start = 0;
    while (true) {
        const size_t end = std::min(utf8.find('\n', start), utf8.size());
        const std::vector<char32_t> points = fTypedCodePoints(utf8.substr(start, end - start));
        fWrapParagraph(std::u32string(points.begin(), points.end()), width, measure, lines);
        if (end == utf8.size()) break;
        start = end + 1;
    }
    return lines;
}

bool fShowX11MessageBox(void* display, unsigned long owner, const std::string& caption, const std::string& text,
                        MessageBoxAnswer& answer) {
    Display* connection = static_cast<Display*>(display);
    Display* own = nullptr;
    if (!connection) {
        own = XOpenDisplay(nullptr);
        if (!own) return false;
        connection = own;
        owner = 0;
    }
    bool shown = false;
    {
        // Taken before the window shows, so that no signal slips between.
        EndSignalWatch signals;
        X11Box box(connection, owner);
        shown = box.fOpen(caption, text);
        if (shown) answer = box.fRun(signals);
    }
    if (own) XCloseDisplay(own);
    return shown;
}

}  // namespace host
