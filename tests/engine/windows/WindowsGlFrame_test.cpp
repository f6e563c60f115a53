// The window system drawn headless on the OpenGL device with the default
// content: a modal question from the window list opened over a paged list,
// answered with clicks that travel through the message pump, the input and
// the window manager; then the list is paged to its end with a slide, and
// the frame in the middle of the slide is saved as <build>/screens/windows.png.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/platform/KC_WINDOW.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_FONT.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/util/Closure.h"
#include "engine/windows/G_PAGES_DOTS.h"
#include "engine/windows/G_PAGES_ITEM.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_EDITBOX.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "engine/windows/gPages.h"
#include "host/IWindow.h"
#include "support/FakeHost.h"
#include "support/TestEnvironment.h"

namespace fs = std::filesystem;
using namespace KEL;

namespace {

const char* const kPASSWORD = "PlumtreeByOakhurst";
constexpr uint32_t kINK = 0xFF2E2A5Au;
constexpr int32_t kCX = 512, kCY = 384;
constexpr float kDT = 0.05f;
constexpr int32_t kPREV = 20, kNEXT = 21;

// A level card: frame 0 of its strip with its number on it.
class KC_CARD : public G_PAGES_ITEM {
public:
    KC_CARD(const void* owner, const pugi::xml_node& element, int32_t index, KC_FONT* font)
        : G_PAGES_ITEM(owner), mBackground(element.attribute("background").as_string("")), mFont(font),
          mText(std::to_wstring(index + 1)) {
        mBackground.fGetTransform()->mParent = &mTransform;
    }

protected:
    int32_t fGetWidth() override { return int32_t(mBackground.fGetWidth()); }
    int32_t fGetHeight() override { return int32_t(mBackground.fGetHeight()); }
    void fReloadResources() override {
        mBackground.fReloadTexture();
        mBackground.fSetWidth(mBackground.fGetHeight());
        mBackground.fSetFrame(3, 1, 0);
    }
    void fReleaseResources() override { mBackground.fUnloadTexture(); }
    void fDraw() override {
        mBackground.fDrawWith();
        if (mFont) mFont->fDrawAt(mTransform, 4, mText.c_str());
    }

    G_SPRITE mBackground;
    KC_FONT* mFont;
    std::wstring mText;
};

class KC_CARDS : public gPages {
public:
    explicit KC_CARDS(KC_FONT_LIST& fonts) : mFonts(fonts) {}
    std::unique_ptr<KC_BASE> fCreateItem(const pugi::xml_node& element, int32_t index) override {
        KC_FONT* font = mFonts.fGet(element.attribute("font").as_string(""));
        if (font) font->fSetColor(kINK);
        return std::make_unique<KC_CARD>(this, element, index, font);
    }
    void fOnItemClicked(KC_BASE*) override {}

private:
    KC_FONT_LIST& mFonts;
};

// A screen with a paged list, its dots and two arrows, as the selection
// screens are built: the list follows the window and turns on the arrows.
class KC_LIST_WINDOW : public G_WINDOW {
public:
    KC_LIST_WINDOW(const pugi::xml_node& node, KC_FONT_LIST& fonts)
        : G_WINDOW(node), mPages(fonts), mDots("data/share/image/gui page_dots.png") {
        mPages.fLoad("data/share/main/other sample_pages.xml");
        mPages.fSetParent(&mTransform);
        mPages.fSetPosition(0.0f, -20.0f);
        mDots.fSetParent(&mTransform);
        mDots.fSetPosition(0.0f, 200.0f);
        mDots.fSetCount(uint32_t(mPages.fGetPageCount()));
    }
    void fOnClick(int32_t id) override {
        if (id == kNEXT && mPages.fTurnNext()) mDots.fNext();
        if (id == kPREV && mPages.fTurnPrev()) mDots.fPrev();
    }
    void fOnFrame() override { mPages.fUpdate(); }
    void fOnDraw() override {
        mPages.fDraw();
        mDots.fDraw();
    }
    void fOnLoad() override {
        mPages.fReloadResources();
        mDots.fReloadResources();
    }
    void fOnUnload() override {
        mPages.fReleaseResources();
        mDots.fReleaseResources();
    }

    KC_CARDS mPages;
    G_PAGES_DOTS mDots;
};

const char* const kLIST_WINDOW =
    "<window _name='Levels' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL' layer='1'><GUI>"
    "<IMAGE ID='1' TEXTURE='data/share/image/gui panel_large.png' ENABLE='0'/>"
    "<BUTTON5 ID='20' TEXTURE='data/share/image/gui btn_prev.png'><POSITION>-360 0</POSITION></BUTTON5>"
    "<BUTTON5 ID='21' TEXTURE='data/share/image/gui btn_next.png'><POSITION>360 0</POSITION></BUTTON5>"
    "</GUI></window>";

// The answers the question hands on.
struct KS_ANSWERS {
    std::vector<int32_t> mFirst, mSecond;
    void fOnFirst(int32_t answer) { mFirst.push_back(answer); }
    void fOnSecond(int32_t answer) { mSecond.push_back(answer); }
};

// The engine's input slots feed the manager, as the game's do.
G_WINDOW_MANAGER* gManager = nullptr;
int32_t fOnMove(void*) {
    gManager->fOnMouseMove();
    return 1;
}
int32_t fOnDown(void* key) {
    gManager->fOnMouseDown(fKeyFromArgument(key));
    return 1;
}
int32_t fOnUp(void* key) {
    gManager->fOnMouseUp(fKeyFromArgument(key));
    return 1;
}

uint32_t fPixel(const std::vector<uint8_t>& pixels, int32_t width, int x, int y) {
    const uint8_t* p = &pixels[(size_t(y) * size_t(width) + size_t(x)) * 4];
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

class WindowsGlFrame : public ::testing::Test {
protected:
    void TearDown() override {
        for (KC_CALLBACK* slot : {kcbMOUSE_MOVE, kcbKEY_DOWN, kcbKEY_UP}) delete slot;
        kcbMOUSE_MOVE = kcbKEY_DOWN = kcbKEY_UP = nullptr;
        gManager = nullptr;
        kfFRAME_DELTA = 0.0f;
    }
    void fSend(uint32_t message, int32_t x = 0, int32_t y = 0) {
        mLog->fPush(message, 0, x, y);
        fPumpMessages(mInput.get(), mWindow.get());
    }
    // A click at a point relative to the screen centre, as a player makes
    // it: the pointer arrives, the button goes down, then up a step later.
    void fClick(int32_t x, int32_t y) {
        fSend(host::kMsgMouseMove, kCX + x, kCY + y);
        fSend(host::kMsgLButtonDown);
        mInput->fUpdate();
        fSend(host::kMsgLButtonUp);
        mInput->fUpdate();
    }
    void fFrames(G_WINDOW_MANAGER& manager, int count) {
        kfFRAME_DELTA = kDT;
        for (int i = 0; i < count; ++i) manager.fUpdate();
    }

    testsupport::FakeWindowLog* mLog = nullptr;
    std::unique_ptr<KC_WINDOW> mWindow;
    std::unique_ptr<KC_INPUT> mInput;
};

}  // namespace

TEST_F(WindowsGlFrame, AQuestionOverAPagedListIsAnsweredThenTheListSlides) {
    const fs::path built = fs::path(NONOGRAM_BINARY_DIR) / "Resources";
    if (!fs::exists(built / "data/share/main/other")) GTEST_SKIP() << "the default content is not built";
    fs::copy(built, testsupport::TestEnvironment::fRoot() / "Resources", fs::copy_options::recursive);

    std::unique_ptr<host::IWindow> screen = host::fMakeWindow();
    ASSERT_TRUE(screen->fCreate("windows", 1024, 768, false));
    auto render = std::make_unique<KC_RENDER>();
    ASSERT_EQ(render->fInit(screen->fNativeHandle(), 0.1f, 0.0f), 1);
    kcRENDER = render.get();
    render->fSetClearColor(0xFF444444u);
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
    ASSERT_EQ(repository.fLoad("data/share/font"), 1);
    KC_FONT_LIST fonts;
    ASSERT_EQ(fonts.fRead("data/share/font fonts.xml"), 1);

    // The question comes from the edition's window list; the list is made
    // in code.
    auto manager = std::make_unique<G_WINDOW_MANAGER>();
    gManager = manager.get();
    manager->fRegisterClass("G_WINDOW_CONFIRM",
                            [](const pugi::xml_node& node) { return std::make_unique<G_WINDOW_CONFIRM>(node); });
    manager->fRegisterClass("G_WINDOW_EDITBOX",
                            [](const pugi::xml_node& node) { return std::make_unique<G_WINDOW_EDITBOX>(node); });
    ASSERT_TRUE(manager->fLoadWindows("data/share/main/other scenes.xml"));
    EXPECT_NE(dynamic_cast<G_WINDOW_EDITBOX*>(manager->fFindWindow("Players_EditBox")), nullptr);
    auto* confirm = dynamic_cast<G_WINDOW_CONFIRM*>(manager->fFindWindow("Confirm_Exit"));
    ASSERT_NE(confirm, nullptr);
    ASSERT_TRUE(confirm->fIsModal());
    ASSERT_NE(confirm->fGetMessageLabel(), nullptr);
    confirm->fGetMessageLabel()->fSetText(L"Do you really want to leave?");
    pugi::xml_document listXml;
    ASSERT_TRUE(listXml.load_string(kLIST_WINDOW));
    auto* list = static_cast<KC_LIST_WINDOW*>(
        manager->fAddWindow(std::make_unique<KC_LIST_WINDOW>(listXml.document_element(), fonts)));
    ASSERT_EQ(list->mPages.fGetPageCount(), 2);

    kcbMOUSE_MOVE = KC_CALLBACK::fCreate(&fOnMove, "move", nullptr);
    kcbKEY_DOWN = KC_CALLBACK::fCreate(&fOnDown, "down", nullptr);
    kcbKEY_UP = KC_CALLBACK::fCreate(&fOnUp, "up", nullptr);

    // The list, then the question over it, slid in.
    manager->fShowWindow("Levels");
    fFrames(*manager, 1);
    KS_ANSWERS answers;
    manager->fShowWindow("Confirm_Exit");
    confirm->fSetAnswerHandler(Closure<void()>::fBind<&KS_ANSWERS::fOnFirst>(&answers));
    confirm->fSetAnswerHandler2(Closure<void()>::fBind<&KS_ANSWERS::fOnSecond>(&answers));
    EXPECT_FALSE(list->fIsActive()) << "the question takes the focus";
    fFrames(*manager, 12);
    ASSERT_FALSE(confirm->fIsAnimating());

    // The list's arrow lies outside the question's panel, but the question
    // is modal: nothing turns.
    fClick(360, 0);
    EXPECT_EQ(list->mPages.fGetTargetPage(), 0);
    // "No".
    fClick(80, 60);
    EXPECT_EQ(answers.mFirst, std::vector<int32_t>{0});
    EXPECT_EQ(answers.mSecond, std::vector<int32_t>{-1});
    EXPECT_TRUE(confirm->fIsAnimating()) << "leaving";
    fFrames(*manager, 12);
    EXPECT_FALSE(manager->fIsOpen("Confirm_Exit"));
    EXPECT_TRUE(list->fIsActive());

    // The arrow now turns the list: 0.2 s into its half-second slide.
    fClick(360, 0);
    ASSERT_TRUE(list->mPages.fIsTurning());
    EXPECT_EQ(list->mDots.fGetCurrent(), 1u);
    fFrames(*manager, 4);
    ASSERT_TRUE(list->mPages.fIsTurning());

    ASSERT_EQ(render->fBeginFrame(), 1);
    manager->fDrawAll();
    render->fFlush();
    std::vector<uint8_t> pixels;
    int32_t width = 0, height = 0;
    ASSERT_TRUE(render->fGetDevice()->fReadBackBuffer(pixels, width, height));
    const fs::path png = fs::path(NONOGRAM_BINARY_DIR) / "screens" / "windows.png";
    fs::create_directories(png.parent_path());
    EXPECT_TRUE(render->fSaveFrame(png.string()));
    render->fEndFrame();

    // The strip is 256 pixels left of rest: the last card of page 0 and the
    // first of page 1 both show, 640 pixels apart.
    const int32_t strip = int32_t(list->mPages.fGetStrip().fGetAbsolute().mPosition.x);
    EXPECT_EQ(strip, kCX - 256);
    const uint32_t lastOfFirst = fPixel(pixels, width, strip + 240 + 30, kCY - 20 + 120);
    const uint32_t firstOfNext = fPixel(pixels, width, strip + 640 - 240 + 30, kCY - 20 - 120);
    EXPECT_GT(lastOfFirst >> 16 & 0xFF, 0xE0u) << std::hex << lastOfFirst << " is no card";
    EXPECT_GT(firstOfNext >> 16 & 0xFF, 0xE0u) << std::hex << firstOfNext << " is no card of the next page";
    EXPECT_EQ(fPixel(pixels, width, 4, 4), 0x444444u) << "no dim left by the question";

    // To the end: the last page, and the arrow has nowhere to go.
    fFrames(*manager, 8);
    EXPECT_FALSE(list->mPages.fIsTurning());
    EXPECT_EQ(list->mPages.fGetCurrentPage(), 1);
    EXPECT_FALSE(list->mPages.fHasNextPage());
    fClick(360, 0);
    EXPECT_FALSE(list->mPages.fIsTurning());
    EXPECT_EQ(list->mDots.fGetCurrent(), 1u);

    manager->fUnloadAll(true);
    manager.reset();
    fonts.fDeleteAll();
    kcREPOSITORY = nullptr;
    kcRENDER = nullptr;
}
