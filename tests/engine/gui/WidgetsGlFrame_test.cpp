// The sample layout of the default content drawn on the OpenGL device and
// saved as a picture, then driven with window messages that go through the
// engine's message pump and input into the widget tree, the way a window
// routes them.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_CHECKBOX5.h"
#include "engine/gui/KC_GUI_CHECKBOX_IOS.h"
#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/gui/KF_GUI_READER.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/platform/KC_WINDOW.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "host/IWindow.h"
#include "support/FakeHost.h"
#include "support/TestEnvironment.h"

namespace fs = std::filesystem;
using namespace KEL;
using E = KS_GUI_EVENT;

namespace {

const char* const kPASSWORD = "PlumtreeByOakhurst";
constexpr int32_t kCX = 512, kCY = 384;  // the layout is centre-relative

uint32_t fPixel(const std::vector<uint8_t>& pixels, int32_t width, int x, int y) {
    const uint8_t* p = &pixels[(size_t(y) * size_t(width) + size_t(x)) * 4];
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

// The tree the slots drive, and every event its passes raised. The key
// slots receive the key as their argument, so the route is reached
// through one pointer.
struct KS_ROUTE {
    KC_GUI_ROOT* mRoot = nullptr;
    std::vector<KS_MOUSE_RESULT> mEvents;

    static KS_ROUTE* msCurrent;
    static int32_t fOnMove(void*) { return fKeep(msCurrent->mRoot->fMouseMove()); }
    static int32_t fOnDown(void*) { return fKeep(msCurrent->mRoot->fMouseDown()); }
    static int32_t fOnUp(void*) { return fKeep(msCurrent->mRoot->fMouseUp()); }
    static int32_t fKeep(const KS_MOUSE_RESULT& result) {
        msCurrent->mEvents.push_back(result);
        return 0;
    }
};
KS_ROUTE* KS_ROUTE::msCurrent = nullptr;

class WidgetsGlFrame : public ::testing::Test {
protected:
    void TearDown() override {
        KC_CALLBACK* slots[] = {kcbMOUSE_MOVE, kcbKEY_DOWN, kcbKEY_UP};
        for (KC_CALLBACK* slot : slots) delete slot;
        kcbMOUSE_MOVE = kcbKEY_DOWN = kcbKEY_UP = nullptr;
        KS_ROUTE::msCurrent = nullptr;
        kfFRAME_DELTA = 0.0f;
    }

    // One message through the pump; the last pass's result.
    KS_MOUSE_RESULT fSend(uint32_t message, int32_t x = 0, int32_t y = 0) {
        mLog->fPush(message, 0, x, y);
        mRoute.mEvents.clear();
        fPumpMessages(mInput.get(), mWindow.get());
        return mRoute.mEvents.empty() ? KS_MOUSE_RESULT{} : mRoute.mEvents.back();
    }
    KS_MOUSE_RESULT fMove(int32_t x, int32_t y) { return fSend(host::kMsgMouseMove, kCX + x, kCY + y); }
    KS_MOUSE_RESULT fDown() { return fSend(host::kMsgLButtonDown); }
    KS_MOUSE_RESULT fUp() { return fSend(host::kMsgLButtonUp); }
    void fStep() { mInput->fUpdate(); }

    testsupport::FakeWindowLog* mLog = nullptr;
    std::unique_ptr<KC_WINDOW> mWindow;
    std::unique_ptr<KC_INPUT> mInput;
    KS_ROUTE mRoute;
};

::testing::AssertionResult fIs(const KS_MOUSE_RESULT& result, int32_t id, int32_t code) {
    if (result.fHasEvent() && result.mEvent == E{id, code}) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << (result.fHasEvent() ? "" : "no event ") << "{"
                                         << result.mEvent.mId << ", " << result.mEvent.mCode << "}";
}

}  // namespace

TEST_F(WidgetsGlFrame, TheSampleLayoutDrawsAndAnswersTheMouse) {
    const fs::path built = fs::path(NONOGRAM_BINARY_DIR) / "Resources";
    if (!fs::exists(built / "data/share/main/other")) GTEST_SKIP() << "the default content is not built";
    fs::copy(built, testsupport::TestEnvironment::fRoot() / "Resources", fs::copy_options::recursive);

    // The GL window first; message windows made after this are fakes.
    std::unique_ptr<host::IWindow> screen = host::fMakeWindow();
    ASSERT_TRUE(screen->fCreate("widgets", 1024, 768, false));
    auto render = std::make_unique<KC_RENDER>();
    ASSERT_EQ(render->fInit(screen->fNativeHandle(), 0.1f, 0.0f), 1);
    kcRENDER = render.get();
    testsupport::FakeWindowScope fakes;
    mLog = &*fakes;
    mWindow = std::make_unique<KC_WINDOW>();
    ASSERT_EQ(mWindow->fCreate("messages"), 1);
    mInput = std::make_unique<KC_INPUT>();

    KC_FILESYSTEM::fGetInstance();
    KC_REPOSITORY repository;
    kcREPOSITORY = &repository;
    repository.fLoad("");
    ASSERT_EQ(repository.fLoad("data/share/main/other", kPASSWORD), 1);
    ASSERT_EQ(repository.fLoad("data/share/image/gui", kPASSWORD), 1);
    for (const char* folder : {"data/share/font", "data/share/main/GameProcess"})
        ASSERT_EQ(repository.fLoad(folder), 1) << folder;

    // Built and drawn as a window does: the root rests at the screen centre.
    auto root = std::make_unique<KC_GUI_ROOT>();
    mRoute.mRoot = root.get();
    pugi::xml_document* layout = repository.fGetXml("data/share/main/other widget_sample.xml");
    ASSERT_NE(layout, nullptr);
    fReadGuiLayout(*root, layout->child("GUI"));
    repository.fReleaseXml(layout);
    for (int32_t id : {1, 2, 3, 4, 5, 6, 7, 8, 9, 40, 50, 90}) EXPECT_NE(root->fFindChild(id), nullptr) << id;
    root->fSetPosition(float(kCX), float(kCY), 0.0f);
    root->fReloadResources();

    ASSERT_EQ(render->fBeginFrame(), 1);
    root->fDraw();
    render->fFlush();
    std::vector<uint8_t> pixels;
    int32_t width = 0, height = 0;
    ASSERT_TRUE(render->fGetDevice()->fReadBackBuffer(pixels, width, height));
    const fs::path png = fs::path(NONOGRAM_BINARY_DIR) / "screens" / "widgets.png";
    fs::create_directories(png.parent_path());
    EXPECT_TRUE(render->fSaveFrame(png.string()));
    render->fEndFrame();

    const uint32_t blue = fPixel(pixels, width, kCX - 150 - 90, kCY - 110);
    const uint32_t green = fPixel(pixels, width, kCX + 150 + 90, kCY - 110);
    const uint32_t panel = fPixel(pixels, width, kCX - 280, kCY + 40);
    EXPECT_GT(blue & 0xFF, (blue >> 16) & 0xFF) << std::hex << blue << " is not the blue button";
    EXPECT_GT((green >> 8) & 0xFF, (green >> 16) & 0xFF) << std::hex << green << " is not the green button";
    EXPECT_GT((panel >> 16) & 0xFF, 0xC0u) << std::hex << panel << " is not the panel's light inside";
    EXPECT_EQ(fPixel(pixels, width, 20, 20), 0x444444u) << "outside the panel";

    KS_ROUTE::msCurrent = &mRoute;
    kcbMOUSE_MOVE = KC_CALLBACK::fCreate(&KS_ROUTE::fOnMove, "move", nullptr);
    kcbKEY_DOWN = KC_CALLBACK::fCreate(&KS_ROUTE::fOnDown, "down", nullptr);
    kcbKEY_UP = KC_CALLBACK::fCreate(&KS_ROUTE::fOnUp, "up", nullptr);

    // The blue button: hover, press, drag off, release outside: no click.
    EXPECT_TRUE(fIs(fMove(-150, -110), 4, E::kENTERED));
    EXPECT_TRUE(fIs(fDown(), 4, E::kPRESSED));
    fStep();
    EXPECT_TRUE(fIs(fMove(-150, -20), 4, E::kLEFT));
    EXPECT_FALSE(fUp().fTaken());
    fStep();
    // Back over it, press and release inside: a click.
    EXPECT_TRUE(fIs(fMove(-140, -100), 4, E::kENTERED));
    EXPECT_TRUE(fIs(fDown(), 4, E::kPRESSED));
    fStep();
    EXPECT_TRUE(fIs(fUp(), 4, E::kCLICK));
    EXPECT_EQ(root->fGetEventId(), 4);
    fStep();
    // Straight onto the green button: leaving the blue one ends that move.
    EXPECT_TRUE(fIs(fMove(150, -110), 4, E::kLEFT));
    EXPECT_TRUE(fIs(fMove(151, -110), 5, E::kENTERED));

    // The check box and the switch toggle; the picture reports its press
    // and release.
    EXPECT_TRUE(fIs(fMove(-120, 10), 5, E::kLEFT));
    EXPECT_TRUE(fIs(fMove(-119, 10), 7, E::kENTERED));
    EXPECT_TRUE(fIs(fDown(), 7, E::kPRESSED));
    fStep();
    EXPECT_TRUE(fIs(fUp(), 7, E::kCLICK));
    EXPECT_TRUE(static_cast<KC_GUI_CHECKBOX5*>(root->fFindChild(7))->fIsChecked());
    fStep();
    fMove(20, 10);
    EXPECT_TRUE(fIs(fDown(), 8, E::kCLICK));
    EXPECT_FALSE(static_cast<KC_GUI_CHECKBOX_IOS*>(root->fFindChild(8))->fIsChecked());
    fStep();
    fUp();
    fStep();
    fMove(120, 10);
    EXPECT_TRUE(fIs(fDown(), 3, E::kPRESSED));
    fStep();
    EXPECT_TRUE(fIs(fUp(), 3, E::kCLICK));
    fStep();

    // The heart keeps its click for the poll until the next press pass.
    EXPECT_TRUE(fIs(root->fPollEvent(), 3, E::kCLICK));
    EXPECT_TRUE(fIs(root->fPollEvent(), 3, E::kCLICK));

    // The two-frame star works from the poll alone.
    fMove(-230, 10);
    fDown();
    EXPECT_TRUE(fIs(root->fPollEvent(), 6, E::kPRESSED));
    fStep();
    fUp();
    EXPECT_TRUE(fIs(root->fPollEvent(), 6, E::kCLICK));
    EXPECT_FALSE(root->fPollEvent().fTaken()) << "the press over the star cleared the heart's click";

    // Disabled decorations take nothing.
    fStep();
    EXPECT_FALSE(fMove(0, 150).fTaken());
    EXPECT_FALSE(fDown().fTaken());

    root->fReleaseResources();
    root.reset();
    kcREPOSITORY = nullptr;
    kcRENDER = nullptr;
}
