#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/IMessageBox.h"
#include "host/sdl/X11MessageBox.h"

using host::MessageBoxAnswer;

// These run on SDL's offscreen driver (set by the test environment).

TEST(SdlMessageBox, HeadlessRunsWriteToStandardErrorAndHooksAnswerInstead) {
    ASSERT_TRUE(host::fIsHeadless()) << "tests run with the offscreen video driver";
    testing::internal::CaptureStderr();
    EXPECT_EQ(host::fMessageBox(nullptr, "Warning", "No sound device"), MessageBoxAnswer::kAnswered);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Warning: No sound device\n");

    std::vector<std::string> seen;
    host::fSetMessageBoxHook([&](const std::string& c, const std::string& t) {
        seen.push_back(c + "|" + t);
        return seen.size() == 1 ? MessageBoxAnswer::kEndRequested : MessageBoxAnswer::kAnswered;
    });
    EXPECT_EQ(host::fMessageBox(nullptr, "Warning", "No sound device"), MessageBoxAnswer::kEndRequested);
    // The game is ending: what a later box says is kept, but nobody waits
    // for it.
    testing::internal::CaptureStderr();
    EXPECT_EQ(host::fMessageBox(nullptr, "Error", "The game cannot start"), MessageBoxAnswer::kEndRequested);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: The game cannot start\n");
    EXPECT_EQ(seen, std::vector<std::string>{"Warning|No sound device"});

    host::fSetMessageBoxHook(nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(host::fMessageBox(nullptr, "error", "defaultTexture not exist!!!"), MessageBoxAnswer::kAnswered)
        << "a new hook, or none, starts afresh";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "error: defaultTexture not exist!!!\n");
}

namespace {
// Every character as wide as the next.
std::vector<std::u32string> fWrap(const std::string& text, int32_t characters) {
    return host::fWrapText(text, characters * 6,
                           [](const std::u32string& s) { return static_cast<int32_t>(s.size()) * 6; });
}
}  // namespace

TEST(X11MessageBox, TextBreaksBetweenWordsAtLineBreaksAndInsideOverlongWords) {
    EXPECT_EQ(fWrap("No sound device has been detected.", 16),
              (std::vector<std::u32string>{U"No sound device", U"has been", U"detected."}));
    EXPECT_EQ(fWrap("one\n\ntwo  three", 20), (std::vector<std::u32string>{U"one", U"", U"two three"}));
    EXPECT_EQ(fWrap("its file \"data/share/main/other\"", 10),
              (std::vector<std::u32string>{U"its file", U"\"data/shar", U"e/main/oth", U"er\""}));
    EXPECT_EQ(fWrap("caf\xC3\xA9\t\x01 \xFF ok", 20), (std::vector<std::u32string>{U"caf\u00E9 ok"}))
        << "control characters and broken UTF-8 are dropped";
    EXPECT_EQ(fWrap("", 20), (std::vector<std::u32string>{U""}));
    EXPECT_EQ(fWrap("abc", 0), (std::vector<std::u32string>{U"a", U"b", U"c"})) << "a character per line at least";
}
