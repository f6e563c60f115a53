#pragma once

#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/IClock.h"
#include "host/IMessageBox.h"
#include "host/IWindow.h"

namespace testsupport {

// A clock the test moves by hand; a sleep advances it and is recorded.
class FakeClock final : public host::IClock {
public:
    FakeClock() { host::fSetClock(this); }
    ~FakeClock() override { host::fSetClock(nullptr); }

    uint32_t fTimeMs() override { return mNow; }
    void fSleep(uint32_t ms) override {
        mSleeps.push_back(ms);
        mNow += ms;
    }
    int64_t fDateSeconds() override { return mDate; }

    uint32_t mNow = 1000;
    int64_t mDate = 1700000000;
    std::vector<uint32_t> mSleeps;
};

// Everything a window was asked to do, and a message queue the test fills.
struct FakeWindowLog {
    bool mCreated = false;
    bool mFailCreate = false;
    std::string mFailure;  // what a failed create reports
    host::WindowStyle mStyle;
    int32_t mSetStyleCalls = 0;
    std::string mTitle;
    int32_t mSetModeCalls = 0;
    int32_t mWidth = 0, mHeight = 0;
    bool mFullscreen = false;
    bool mClipped = false;
    host::Rect mClip;
    bool mCursorVisible = true;
    int32_t mPosX = 0, mPosY = 0;
    // The drawable: the mode's size windowed, the desktop's in full screen,
    // unless set here (a window the desktop sized otherwise).
    int32_t mDrawableW = 0, mDrawableH = 0;
    // Whether typed text comes as character messages.
    bool mTextInput = false;
    std::deque<host::WindowMessage> mQueue;

    void fPush(uint32_t message, uint32_t wParam = 0, int32_t x = 0, int32_t y = 0) {
        mQueue.push_back(host::WindowMessage{message, wParam, x, y});
    }
};

class FakeWindow final : public host::IWindow {
public:
    explicit FakeWindow(std::shared_ptr<FakeWindowLog> log) : mLog(std::move(log)) {}

    bool fCreate(const std::string& title, int32_t width, int32_t height, bool fullscreen) override {
        if (mLog->mFailCreate) {
            mFailure = mLog->mFailure;
            return false;
        }
        mFailure.clear();
        mLog->mCreated = true;
        mLog->mTitle = title;
        mLog->mWidth = width;
        mLog->mHeight = height;
        mLog->mFullscreen = fullscreen;
        return true;
    }
    const std::string& fGetFailure() const override { return mFailure; }
    void fSetStyle(const host::WindowStyle& style) override {
        ++mLog->mSetStyleCalls;
        mLog->mStyle = style;
    }
    void fSetMode(int32_t width, int32_t height, bool fullscreen) override {
        ++mLog->mSetModeCalls;
        mLog->mWidth = width;
        mLog->mHeight = height;
        mLog->mFullscreen = fullscreen;
    }
    void fSetTitle(const std::string& title) override { mLog->mTitle = title; }
    void fShowCursor(bool visible) override { mLog->mCursorVisible = visible; }
    void fClipCursor(const host::Rect* rect) override {
        mLog->mClipped = rect != nullptr;
        mLog->mClip = rect ? *rect : host::Rect{};
    }
    bool fPollMessage(host::WindowMessage& out) override {
        if (mLog->mQueue.empty()) return false;
        out = mLog->mQueue.front();
        mLog->mQueue.pop_front();
        return true;
    }
    void fGetPosition(int32_t& x, int32_t& y) override {
        x = mLog->mPosX;
        y = mLog->mPosY;
    }
    void* fNativeHandle() override { return this; }
    void fGetDrawableSize(int32_t& width, int32_t& height) override {
        width = mLog->mWidth;
        height = mLog->mHeight;
        if (mLog->mFullscreen) host::fGetDesktopSize(width, height);
        if (mLog->mDrawableW > 0 && mLog->mDrawableH > 0) {
            width = mLog->mDrawableW;
            height = mLog->mDrawableH;
        }
    }
    bool fHasTextInput() const override { return mLog->mTextInput; }

private:
    std::shared_ptr<FakeWindowLog> mLog;
    std::string mFailure;
};

// Installs fake windows (sharing one log) and a pinned desktop size for the
// scope of a test; everything is restored on destruction.
class FakeWindowScope {
public:
    explicit FakeWindowScope(int32_t desktopWidth = 1920, int32_t desktopHeight = 1080)
        : mLog(std::make_shared<FakeWindowLog>()) {
        auto log = mLog;
        host::fSetWindowFactory([log] { return std::make_unique<FakeWindow>(log); });
        host::fSetDesktopSizeOverride(desktopWidth, desktopHeight);
    }
    ~FakeWindowScope() {
        host::fSetWindowFactory(nullptr);
        host::fSetDesktopSizeOverride(0, 0);
    }
    FakeWindowLog& operator*() { return *mLog; }
    FakeWindowLog* operator->() { return mLog.get(); }

private:
    std::shared_ptr<FakeWindowLog> mLog;
};

// Collects message boxes instead of showing them; each answers mAnswer.
class MessageBoxCatcher {
public:
    MessageBoxCatcher() {
        host::fSetMessageBoxHook([this](const std::string& caption, const std::string& text) {
            mBoxes.emplace_back(caption, text);
            return mAnswer;
        });
    }
    ~MessageBoxCatcher() { host::fSetMessageBoxHook(nullptr); }
    std::vector<std::pair<std::string, std::string>> mBoxes;
    host::MessageBoxAnswer mAnswer = host::MessageBoxAnswer::kAnswered;
};

}  // namespace testsupport
