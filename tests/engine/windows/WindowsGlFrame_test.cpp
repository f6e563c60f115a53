// The window system drawn headless on the OpenGL device with the default
// content: a modal question from the window list opened over a paged list,
// answered with clicks that travel through the message pump, the input and
// the window manager; then the list is paged to its end with a slide, and
// the frame in the middle of the slide is saved as <build>/screens/windows.png.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/util/Closure.h"
#include "engine/windows/G_PAGES_DOTS.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_EDITBOX.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "support/ContentScreenTest.h"
#include "support/SampleCards.h"

using namespace KEL;

namespace {

constexpr int32_t kCX = 512, kCY = 384;
constexpr float kDT = 0.05f;
constexpr int32_t kPREV = 20, kNEXT = 21;

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

    testsupport::SampleCards mPages;
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

class WindowsGlFrame : public testsupport::ContentScreenTest {
protected:
    // The engine's input slots feed the manager, as the game's do.
    void fRouteTo(G_WINDOW_MANAGER& manager) {
        fMessages().fRoute([&manager](int32_t) { manager.fOnMouseMove(); },
                           [&manager](int32_t key) { manager.fOnMouseDown(key); },
                           [&manager](int32_t key) { manager.fOnMouseUp(key); });
    }
    // A click at a point relative to the screen centre, as a player makes
    // it: the pointer arrives, the button goes down, then up a step later.
    void fClick(int32_t x, int32_t y) {
        fInput().fMove(KS_VEC2(float(kCX + x), float(kCY + y)));
        fInput().fPress();
        fMessages().fStep();
        fInput().fRelease();
        fMessages().fStep();
    }
    void fFrames(G_WINDOW_MANAGER& manager, int count) {
        kfFRAME_DELTA = kDT;
        for (int i = 0; i < count; ++i) manager.fUpdate();
    }
};

}  // namespace

TEST_F(WindowsGlFrame, AQuestionOverAPagedListIsAnsweredThenTheListSlides) {
    ASSERT_TRUE(fOpen("windows"));
    fRender().fSetClearColor(0xFF444444u);
    ASSERT_TRUE(fOpenMessages());
    ASSERT_TRUE(fContent().fMountLocked({"data/share/main/other", "data/share/image/gui"}));
    ASSERT_TRUE(fContent().fMount({"data/share/font"}));
    KC_FONT_LIST fonts;
    ASSERT_EQ(fonts.fRead("data/share/font fonts.xml"), 1);

    // The question comes from the edition's window list; the list is made
    // in code.
    auto manager = std::make_unique<G_WINDOW_MANAGER>();
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

    fRouteTo(*manager);

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

    ASSERT_TRUE(fScreen().fBeginFrame());
    manager->fDrawAll();
    ASSERT_TRUE(fScreen().fShoot("windows.png"));

    // The strip is 256 pixels left of rest: the last card of page 0 and the
    // first of page 1 both show, 640 pixels apart.
    const int32_t strip = int32_t(list->mPages.fGetStrip().fGetAbsolute().mPosition.x);
    EXPECT_EQ(strip, kCX - 256);
    const uint32_t lastOfFirst = fScreen().fPixel(strip + 240 + 30, kCY - 20 + 120);
    const uint32_t firstOfNext = fScreen().fPixel(strip + 640 - 240 + 30, kCY - 20 - 120);
    EXPECT_GT(lastOfFirst >> 16 & 0xFF, 0xE0u) << std::hex << lastOfFirst << " is no card";
    EXPECT_GT(firstOfNext >> 16 & 0xFF, 0xE0u) << std::hex << firstOfNext << " is no card of the next page";
    EXPECT_EQ(fScreen().fPixel(4, 4), 0x444444u) << "no dim left by the question";

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
}
