#include <gtest/gtest.h>

#include "host/sdl/X11ErrorWatch.h"

namespace {

XErrorEvent fRefused(unsigned long resource, unsigned char error, unsigned char request, unsigned char minor) {
    XErrorEvent event{};
    event.resourceid = resource;
    event.error_code = error;
    event.request_code = request;
    event.minor_code = minor;
    return event;
}

size_t fCount(const std::string& text, const std::string& word) {
    size_t n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
    return n;
}

}  // namespace

// A present the server refuses (a shared-memory put of a stale size) or a
// request on some other window leaves the game running; each kind is said
// once, not once a frame.
TEST(X11ErrorWatch, ARefusedRequestOnAnythingButTheGameWindowIsSaidOnceAndTheGameGoesOn) {
    host::X11ErrorWatch::fWatchWindow(0x400001);
    XErrorEvent shm = fRefused(0x400001, BadValue, 130, 3);
    XErrorEvent otherWindow = fRefused(0x500007, BadWindow, 18, 0);
    testing::internal::CaptureStderr();
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_EQ(host::X11ErrorWatch::fOnError(nullptr, &shm), 0);
        EXPECT_EQ(host::X11ErrorWatch::fOnError(nullptr, &otherWindow), 0);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(fCount(said, "(X error 2, request 130.3); the game goes on."), 1u) << said;
    EXPECT_EQ(fCount(said, "(X error 3, request 18.0)"), 1u) << said;

    EXPECT_FALSE(host::X11ErrorWatch::fIsWindowLost(shm));
    EXPECT_FALSE(host::X11ErrorWatch::fIsWindowLost(otherWindow));
    EXPECT_TRUE(host::X11ErrorWatch::fIsWindowLost(fRefused(0x400001, BadDrawable, 62, 0)));
    host::X11ErrorWatch::fWatchWindow(0);
    EXPECT_FALSE(host::X11ErrorWatch::fIsWindowLost(fRefused(0x400001, BadWindow, 18, 0)));
}
