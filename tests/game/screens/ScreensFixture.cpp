#include "ScreensFixture.h"

#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/render/KC_RENDER.h"

namespace screenstest {

void ScreensTest::SetUp() {
    const fs::path built = fs::path(NONOGRAM_BINARY_DIR) / "Resources";
    if (!fs::exists(built / "data/share/main/other")) GTEST_SKIP() << "the default content is not built";
    const fs::path resources = testsupport::TestEnvironment::fRoot() / "Resources";
    if (!fs::exists(resources / "data")) fs::copy(built, resources, fs::copy_options::recursive);

    mScreen = host::fMakeWindow();
    ASSERT_TRUE(mScreen->fCreate("screens", 1024, 768, false));
    mRender = std::make_unique<KEL::KC_RENDER>();
    ASSERT_EQ(mRender->fInit(mScreen->fNativeHandle(), 0.1f, 0.0f), 1);
    KEL::kcRENDER = mRender.get();
    mRender->fSetClearColor(0xFF444444u);
    mFakes = std::make_unique<testsupport::FakeWindowScope>();
    mWindow = std::make_unique<KEL::KC_WINDOW>();
    ASSERT_EQ(mWindow->fCreate("messages"), 1);
    mInput = std::make_unique<KEL::KC_INPUT>();
    KEL::kcINPUT = mInput.get();

    KEL::KC_FILESYSTEM::fGetInstance();
    mRepository = std::make_unique<KEL::KC_REPOSITORY>();
    KEL::kcREPOSITORY = mRepository.get();
    mRepository->fLoad("");
    mRepository->fLoad("data");
    ASSERT_EQ(mRepository->fLoad("data/share/main/other", kPASSWORD), 1);
    ASSERT_EQ(mRepository->fLoad("data/share/image/gui", kPASSWORD), 1);
    ASSERT_EQ(mRepository->fLoad("data/share/font"), 1);
    ASSERT_EQ(mRepository->fLoad("data/en"), 1);
    mFonts = std::make_unique<KEL::KC_FONT_LIST>();
    ASSERT_EQ(mFonts->fRead("data/share/font fonts.xml"), 1);
    mStrings = std::make_unique<KEL::KC_STRING_TABLE>();
    pugi::xml_document* sheet = mRepository->fGetXml("strings.xml");
    ASSERT_NE(sheet, nullptr);
    mStrings->fRead(KEL::KC_STRING_TABLE::fFirstRow(*sheet));
    mRepository->fReleaseXml(sheet);

    mManager = std::make_unique<KEL::G_WINDOW_MANAGER>();
    gManager = mManager.get();
    mGame = std::make_unique<KS_FAKE_GAME>(*mManager, *mFonts, *mStrings);
    game::GG_SCREENS_GAME::fInstall(mGame.get());
    pugi::xml_document* player = mRepository->fGetXml("data/share/main/other player.xml");
    ASSERT_NE(player, nullptr);
    mGame->mProgress.fLoadTemplate(KEL::fFindElement(*player));
    mRepository->fReleaseXml(player);
    ASSERT_TRUE(mGame->mProgress.fLoadPacksDescription(*mRepository, mStrings.get()));

    game::fSetWindowServices(mStrings.get(), nullptr);
    game::fRegisterWindowClasses(*mManager);
    ASSERT_TRUE(mManager->fLoadWindows("data/share/main/other scenes.xml"));

    KEL::kcbMOUSE_MOVE = KEL::KC_CALLBACK::fCreate(&fOnMoveSlot, "move", nullptr);
    KEL::kcbKEY_DOWN = KEL::KC_CALLBACK::fCreate(&fOnDownSlot, "down", nullptr);
    KEL::kcbKEY_UP = KEL::KC_CALLBACK::fCreate(&fOnUpSlot, "up", nullptr);
}

void ScreensTest::TearDown() {
    delete KEL::kcbMOUSE_MOVE;
    delete KEL::kcbKEY_DOWN;
    delete KEL::kcbKEY_UP;
    KEL::kcbMOUSE_MOVE = KEL::kcbKEY_DOWN = KEL::kcbKEY_UP = nullptr;
    gManager = nullptr;
    if (mManager) mManager->fUnloadAll(true);
    mManager.reset();
    game::fSetWindowServices(nullptr, nullptr);
    game::GG_SCREENS_GAME::fInstall(nullptr);
    mGame.reset();
    if (mFonts) mFonts->fDeleteAll();
    mFonts.reset();
    KEL::kcREPOSITORY = nullptr;
    mRepository.reset();
    KEL::kcINPUT = nullptr;
    mInput.reset();
    mWindow.reset();
    mFakes.reset();
    KEL::kcRENDER = nullptr;
    mRender.reset();
    mScreen.reset();
    KEL::kfFRAME_DELTA = 0.0f;
}

void ScreensTest::fMove(int32_t x, int32_t y) {
    (*mFakes)->fPush(host::kMsgMouseMove, 0, x, y);
    KEL::fPumpMessages(mInput.get(), mWindow.get());
}

void ScreensTest::fClick(int32_t x, int32_t y) {
    fMove(x, y);
    (*mFakes)->fPush(host::kMsgLButtonDown);
    KEL::fPumpMessages(mInput.get(), mWindow.get());
    mInput->fUpdate();
    (*mFakes)->fPush(host::kMsgLButtonUp);
    KEL::fPumpMessages(mInput.get(), mWindow.get());
    mInput->fUpdate();
}

void ScreensTest::fKey(uint32_t key) {
    (*mFakes)->fPush(host::kMsgKeyDown, key);
    KEL::fPumpMessages(mInput.get(), mWindow.get());
    mInput->fUpdate();
    (*mFakes)->fPush(host::kMsgKeyUp, key);
    KEL::fPumpMessages(mInput.get(), mWindow.get());
    mInput->fUpdate();
}

void ScreensTest::fType(const std::string& text) {
    for (char c : text) fKey(uint32_t(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
}

void ScreensTest::fFrames(int count, float dt, bool draw) {
    KEL::kfFRAME_DELTA = dt;
    for (int i = 0; i < count; ++i) {
        mManager->fUpdate();
        if (draw && mRender->fBeginFrame() == 1) {
            mManager->fDrawAll();
            mRender->fEndFrame();
        }
    }
}

bool ScreensTest::fSettle(int limit) {
    for (int i = 0; i < limit; ++i) {
        bool busy = false;
        for (KEL::G_WINDOW* window : mManager->fGetOpenWindows()) busy = busy || window->fIsAnimating();
        if (!busy) {
            fFrames(2);
            return true;
        }
        fFrames(1);
    }
    return false;
}

void ScreensTest::fShot(const std::string& name) {
    ASSERT_EQ(mRender->fBeginFrame(), 1);
    mManager->fDrawAll();
    mRender->fFlush();
    const fs::path png = fs::path(NONOGRAM_BINARY_DIR) / "screens" / (name + ".png");
    fs::create_directories(png.parent_path());
    EXPECT_TRUE(mRender->fSaveFrame(png.string()));
    mRender->fEndFrame();
}

KEL::KS_VEC2 ScreensTest::fWhere(const std::string& window, int32_t id) {
    KEL::G_WINDOW* found = mManager->fFindWindow(window);
    KEL::KC_GUI_OBJECT* widget = found ? found->fGetGui()->fFindChild(id) : nullptr;
    EXPECT_NE(widget, nullptr) << window << " " << id;
    if (!widget) return {0.0f, 0.0f};
    const KEL::KS_TRANSFORM3 place = widget->fGetTransform().fGetAbsolute();
    return {place.mPosition.x, place.mPosition.y};
}

void ScreensTest::fClickWidget(const std::string& window, int32_t id) {
    const KEL::KS_VEC2 at = fWhere(window, id);
    fClick(int32_t(at.x), int32_t(at.y));
}

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
