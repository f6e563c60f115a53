#include "ScreensFixture.h"

#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/render/KC_RENDER.h"

namespace screenstest {

void ScreensTest::SetUp() {
    ContentScreenTest::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(fOpen("screens"));
    ASSERT_TRUE(fOpenMessages(true));
    fInput().mApproach = testsupport::InputDriver::Approach::kSTRAIGHT;
    ASSERT_TRUE(fContent().fMount({"data", "data/share/font", "data/en"}));
    ASSERT_TRUE(fContent().fMountLocked({"data/share/main/other", "data/share/image/gui"}));
    fRender().fSetClearColor(0xFF444444u);
    mFonts = std::make_unique<KEL::KC_FONT_LIST>();
    ASSERT_EQ(mFonts->fRead("data/share/font fonts.xml"), 1);
    mStrings = std::make_unique<KEL::KC_STRING_TABLE>();
    pugi::xml_document* sheet = fRepository().fGetXml("strings.xml");
    ASSERT_NE(sheet, nullptr);
    mStrings->fRead(KEL::KC_STRING_TABLE::fFirstRow(*sheet));
    fRepository().fReleaseXml(sheet);

    mManager = std::make_unique<KEL::G_WINDOW_MANAGER>();
    mGame = std::make_unique<KS_FAKE_GAME>(*mManager, *mFonts, *mStrings);
    game::GG_SCREENS_GAME::fInstall(mGame.get());
    pugi::xml_document* player = fRepository().fGetXml("data/share/main/other player.xml");
    ASSERT_NE(player, nullptr);
    mGame->mProgress.fLoadTemplate(KEL::fFindElement(*player));
    fRepository().fReleaseXml(player);
    ASSERT_TRUE(mGame->mProgress.fLoadPacksDescription(fRepository(), mStrings.get()));

    game::fSetWindowServices(mStrings.get(), nullptr);
    game::fRegisterWindowClasses(*mManager);
    ASSERT_TRUE(mManager->fLoadWindows("data/share/main/other scenes.xml"));
    KEL::G_WINDOW_MANAGER* manager = mManager.get();
    mFrames.fAdd([manager] { manager->fUpdate(); });
    mFrames.fAdd([this, manager] {
        if (mDrawing && fRender().fBeginFrame() == 1) {
            manager->fDrawAll();
            fRender().fEndFrame();
        }
    });
    fMessages().fRoute([manager](int32_t) { manager->fOnMouseMove(); },
                       [manager](int32_t key) { manager->fOnMouseDown(key); },
                       [manager](int32_t key) { manager->fOnMouseUp(key); });
}

void ScreensTest::TearDown() {
    if (mManager) mManager->fUnloadAll(true);
    mManager.reset();
    game::fSetWindowServices(nullptr, nullptr);
    game::GG_SCREENS_GAME::fInstall(nullptr);
    mGame.reset();
    if (mFonts) mFonts->fDeleteAll();
    mFonts.reset();
    mStrings.reset();
    ContentScreenTest::TearDown();
}

void ScreensTest::fFrames(int count, float dt, bool draw) {
    mDrawing = draw;
    mFrames.fStep(count, dt);
    mDrawing = false;
}

bool ScreensTest::fSettle(int limit) {
    const bool still = mFrames.fStepUntil(
        [this] {
            for (KEL::G_WINDOW* window : mManager->fGetOpenWindows())
                if (window->fIsAnimating()) return false;
            return true;
        },
        limit);
    if (still) fFrames(2);
    return still;
}

void ScreensTest::fShot(const std::string& name) {
    ASSERT_TRUE(fScreen().fBeginFrame());
    mManager->fDrawAll();
    EXPECT_TRUE(fScreen().fShoot(name + ".png"));
}

KEL::KS_VEC2 ScreensTest::fWhere(const std::string& window, int32_t id) {
    KEL::G_WINDOW* found = mManager->fFindWindow(window);
    KEL::KC_GUI_OBJECT* widget = found ? found->fGetGui()->fFindChild(id) : nullptr;
    EXPECT_NE(widget, nullptr) << window << " " << id;
    if (!widget) return {0.0f, 0.0f};
    const KEL::KS_TRANSFORM3 place = widget->fGetTransform().fGetAbsolute();
    return {place.mPosition.x, place.mPosition.y};
}

void ScreensTest::fClickWidget(const std::string& window, int32_t id) { fInput().fClick(fWhere(window, id)); }

game::GG_PLAYER* ScreensTest::fMakePlayer(const std::wstring& name) {
    game::GG_PLAYER* player = mGame->mProgress.fCreatePlayer(name);
    mGame->mPlayers.fSetCurrent(player);
    return player;
}

std::wstring ScreensTest::fLabel(const std::string& window, int32_t id) {
    KEL::G_WINDOW* found = mManager->fFindWindow(window);
    auto* label = found ? dynamic_cast<KEL::KC_GUI_WLABEL*>(found->fGetGui()->fFindChild(id)) : nullptr;
    return label ? label->fGetText() : L"<no label>";
}

}  // namespace screenstest
