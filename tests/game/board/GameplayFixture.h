#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_RANDOM.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "engine/windows/G_WINDOW_SIMPLE.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/board/GG_GAMEPLAY_HOST.h"
#include "game/board/GG_LEVEL_RESULT.h"
#include "game/product/GG_EDITION.h"
#include "game/product/GG_PACK_INFO.h"
#include "game/profile/GG_LEVEL_RECORD.h"
#include "game/profile/GG_PACK_RECORD.h"
#include "game/profile/GG_PLAYER.h"
#include "host/recording/RecordingDevice.h"
#include "support/BuiltContent.h"
#include "support/FrameStepper.h"
#include "support/GlScreen.h"
#include "support/InputDriver.h"
#include "support/MessagePump.h"
#include "support/TestEnvironment.h"

namespace gameplaytest {

namespace fs = std::filesystem;

inline const char* const kPASSWORD = testsupport::BuiltContent::kPASSWORD;

// The game object as the gameplay object sees it: the default player of the
// built content, its packs, a window manager, and a log of what was asked.
class FakeGameHost : public game::GG_GAMEPLAY_HOST {
public:
    game::GG_PLAYER* fGetCurrentPlayer() override { return mHasPlayer ? &mPlayer : nullptr; }
    game::GG_PACK_INFO* fGetCurrentPack() override { return fFindPack(mPackId); }
    game::GG_LEVEL_RECORD* fGetCurrentLevel() override {
        game::GG_PACK_RECORD* pack = mPlayer.fFindPack(mPackId);
        return pack ? pack->fFindLevel(mLevelId) : nullptr;
    }
    game::GG_PACK_INFO* fFindPack(int32_t id) override {
        for (auto& pack : mPacks)
            if (pack->fGetId() == id) return pack.get();
        return nullptr;
    }
    const game::GG_EDITION& fGetEdition() override { return mEdition; }
    KEL::KC_SOUND_LIST* fGetSound() override { return mSound; }
    KEL::KC_FONT_LIST* fGetFonts() override { return &mFonts; }
    KEL::KC_STRING_TABLE* fGetStrings() override { return nullptr; }
    KEL::G_WINDOW_MANAGER* fGetWindowManager() override { return &mWindows; }
    void fRestartLevel() override {
        mCalls.push_back("restart");
        if (mGameplay) mGameplay->fRestart();
    }
    void fLeaveLevel(bool thenShop) override {
        mCalls.push_back(thenShop ? "leave shop" : "leave");
        if (mGameplay) {
            mGameplay->fStop();
            mGameplay->fReleaseResources();
        }
    }
    void fUpdateHealth() override {
        mCalls.push_back("health");
        if (mEdition.mHeart) mPlayer.fGetHealth().fUseHeart();
    }
    void fSave() override { mCalls.push_back("save"); }
    void fHoldTrophies(float seconds) override { mHeld = seconds; }
    void fFeedTrophy(const std::string& key, float value) override { mTrophies[key] = value; }
    void fSubmitScore(int32_t score, int32_t stars) override { mCalls.push_back("submit"); }
    bool fPurchase(const std::string& item) override {
        mCalls.push_back("purchase " + item);
        return mPurchaseStarts;
    }
    void fShowPrice(KEL::G_WINDOW&, const std::string& item) override { mCalls.push_back("price " + item); }
    void fShowResult(KEL::G_WINDOW&, const game::GG_LEVEL_RESULT& result) override { mShown = result; }

    bool fHas(const std::string& call) const {
        for (const std::string& c : mCalls)
            if (c == call) return true;
        return false;
    }

    game::GG_PLAYER mPlayer;
    bool mHasPlayer = true;
    KEL::KC_SOUND_LIST* mSound = nullptr;
    std::vector<std::unique_ptr<game::GG_PACK_INFO>> mPacks;
    int32_t mPackId = 0;
    int32_t mLevelId = 1;
    game::GG_EDITION mEdition;
    KEL::KC_FONT_LIST mFonts;
    KEL::G_WINDOW_MANAGER mWindows;
    game::GG_GAMEPLAY* mGameplay = nullptr;
    std::vector<std::string> mCalls;
    std::map<std::string, float> mTrophies;
    float mHeld = -1.0f;
    bool mPurchaseStarts = true;
    game::GG_LEVEL_RESULT mShown;
};

// The built content mounted over a renderer (a subclass may give its own
// device), a player, the engine input wired to the gameplay object as the
// game object wires it, and helpers that move and click like a player: the
// support's input driver sends window messages through the engine's
// message pump, and its frame stepper runs the board's logic steps.
class GameplayFixture : public ::testing::Test {
protected:
    static constexpr float kFRAME = 1.0f / 60.0f;

    static void SetUpTestSuite() {
        const fs::path built = fs::path(NONOGRAM_BINARY_DIR) / "Resources";
        sBuilt = fs::is_directory(built / "data/share/levels");
        if (sBuilt)
            fs::copy(built, testsupport::TestEnvironment::fRoot() / "Resources",
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }

    void SetUp() override {
        if (!sBuilt) GTEST_SKIP() << "the default content is not built";
        fMakeRenderer();
        // After the renderer: its screen's window must be a real one.
        mPump = std::make_unique<testsupport::MessagePump>();
        ASSERT_TRUE(mPump->fOpen());
        mInput = std::make_unique<testsupport::InputDriver>(
            mPump->fQueue(), [this] { mPump->fPump(); }, [this] { fFrame(); });
        mFrames.fAdd([this] { mGameplay->fUpdate(); });
        mFrames.fAdd([this] { mPump->fStep(); });
        mWindowFrames = mFrames;
        mWindowFrames.fAdd([this] { mHost.mWindows.fUpdate(); });
        KEL::KC_FILESYSTEM::fGetInstance();
        KEL::kcREPOSITORY = &mRepository;
        mRepository.fLoad("");
        ASSERT_EQ(mRepository.fLoad("data/share/main/other", kPASSWORD), 1);
        for (const char* folder : {"data/share/font", "data/share/main/GameProcess", "data/share/levels/pack0",
                                   "data/share/levels/pack1", "data/share/image/back"})
            ASSERT_EQ(mRepository.fLoad(folder), 1) << folder;
        ASSERT_EQ(mHost.mFonts.fRead("data/share/font fonts.xml"), 1);
        fReadPlayerAndPacks();
        mHost.mEdition.mHeart = 1;
        mHost.mEdition.mPackLogicStars = 0;
        mHost.mEdition.mStoreButton = 1;
        fWireInput();
    }

    void TearDown() override {
        if (mGameplay) mGameplay->fReleaseResources();
        mGameplay.reset();
        mHost.mWindows.fDeleteAll();
        mHost.mFonts.fDeleteAll();
        KEL::kcREPOSITORY = nullptr;
        KEL::kcRENDER = nullptr;
        KEL::kfFRAME_DELTA = 0.0f;
        mInput.reset();
        mPump.reset();
        mScreen.reset();
    }

    // The recording renderer by default.
    virtual void fMakeRenderer() {
        mRender = std::make_unique<KEL::KC_RENDER>();
        mRender->fSetDevice(new host::RecordingDevice);
        ASSERT_EQ(mRender->fInit(nullptr, 0.1f, 0.0f), 1);
        KEL::kcRENDER = mRender.get();
    }

    // For tests that draw real frames: the headless OpenGL screen.
    void fMakeGlScreen(const std::string& title) {
        mScreen = std::make_unique<testsupport::GlScreen>();
        ASSERT_TRUE(mScreen->fOpen(title));
    }
    // One frame drawn by draw on the GL screen, read back and saved as
    // <build>/screens/<name>; its pixels.
    template <class DRAW>
    std::vector<uint8_t> fShootWith(const std::string& name, DRAW draw) {
        EXPECT_TRUE(mScreen->fBeginFrame());
        draw();
        EXPECT_TRUE(mScreen->fShoot(name));
        return mScreen->fPixels();
    }

    void fReadPlayerAndPacks() {
        pugi::xml_document* player = mRepository.fGetXml("data/share/main/other player.xml");
        ASSERT_NE(player, nullptr);
        ASSERT_TRUE(mHost.mPlayer.fLoadXml(player->document_element()));
        mRepository.fReleaseXml(player);
        pugi::xml_document* packs = mRepository.fGetXml("data/share/main/other packs_description.xml");
        ASSERT_NE(packs, nullptr);
        for (pugi::xml_node pack : packs->document_element().children("pack")) {
            mHost.mPacks.push_back(std::make_unique<game::GG_PACK_INFO>());
            ASSERT_TRUE(mHost.mPacks.back()->fRead(pack, nullptr));
        }
        mRepository.fReleaseXml(packs);
    }

    // Key and mouse slots of the engine reach the gameplay object, as the
    // game object hands them on.
    void fWireInput() {
        mPump->fRoute(
            [this](int32_t) {
                if (mGameplay) mGameplay->fOnMouseMove();
            },
            [this](int32_t key) {
                if (mGameplay) mGameplay->fOnMouseDown(key);
            },
            [this](int32_t key) {
                if (mGameplay) mGameplay->fOnMouseUp(key);
            });
    }

    // A gameplay object for the host, playing the level (pack 0 unless
    // given) with its resources.
    game::GG_GAMEPLAY& fStart(const std::string& levelFile, int32_t levelId = 1, int32_t packId = 0) {
        if (!mGameplay) {
            mGameplay = std::make_unique<game::GG_GAMEPLAY>(&mHost);
            mHost.mGameplay = mGameplay.get();
        }
        mHost.mPackId = packId;
        mHost.mLevelId = levelId;
        EXPECT_TRUE(mGameplay->fLoad(levelFile)) << KEL::fErrorText();
        mGameplay->fLoadResources();
        return *mGameplay;
    }

    // A level of our own, written into a mounted folder: one string per row,
    // '#' full, '.' empty, 'x' fixed.
    std::string fLevel(const std::vector<std::string>& rows, int32_t bonuses = 0, int32_t block = 5) {
        const int32_t w = static_cast<int32_t>(rows[0].size());
        const int32_t h = static_cast<int32_t>(rows.size());
        std::string xml = "<level><settings elSize=\"28 28\" grid=\"" + std::to_string(w) + " " + std::to_string(h) +
                          "\" block=\"" + std::to_string(block) + " " + std::to_string(block) +
                          "\" shiftBlock=\"-3 -3\" position=\"587 467\" bonuses=\"" + std::to_string(bonuses) +
                          "\"><block><FILE>data/share/main/GameProcess block_tile.png</FILE><SIZE>146 146</SIZE>"
                          "</block><selection><FILE>data/share/main/GameProcess selection.png</FILE></selection>"
                          "<selection_yes><FILE>data/share/main/GameProcess selection_yes.png</FILE></selection_yes>"
                          "<selection_no><FILE>data/share/main/GameProcess selection_no.png</FILE></selection_no>"
                          "</settings><gElements>";
        for (const std::string& row : rows)
            for (char k : row)
                xml += std::string("<c type=\"") + (k == '#' ? "100" : k == 'x' ? "103" : "101") + "\"/>";
        xml += "</gElements></level>";
        // Names are never reused in a process: the repository keeps a read file.
        const std::string name = "level" + std::to_string(++sLevelCount) + ".xml";
        testsupport::TestEnvironment::fWriteFile("Resources/data/test/" + name, xml);
        mRepository.fUnloadGroup("data/test");
        EXPECT_GE(mRepository.fLoad("data/test"), 1);
        return "data/test " + name;
    }

    // The player's hands: single messages land at once; a drag or a click
    // lets a logic step pass after each of its stops. A button is the
    // input's code (1 left, 2 right), any other code a key.
    KEL::KS_VEC2 fCentre(int32_t row, int32_t column) {
        return mGameplay->fGetProcess().fGetCell(row, column)->fGetPosition();
    }
    void fMoveTo(float x, float y) { mInput->fMove({x, y}); }
    void fMoveTo(int32_t row, int32_t column) { mInput->fMove(fCentre(row, column)); }
    void fDown(int32_t button = 1) { mInput->fPress(button); }
    void fUp(int32_t button = 1) { mInput->fRelease(button); }
    // Press over one cell, move to the other, release there.
    void fDrag(int32_t r0, int32_t c0, int32_t r1, int32_t c1, int32_t button = 1) {
        mInput->fDrag(fCentre(r0, c0), fCentre(r1, c1), 1, button);
    }
    void fClick(int32_t row, int32_t column, int32_t button = 1) { fDrag(row, column, row, column, button); }
    // One logic step: the gameplay object's frame, then the keys age.
    void fFrame(float dt = kFRAME) { mFrames.fStep(1, dt); }
    void fFrames(int count, float dt = kFRAME) { mFrames.fStep(count, dt); }
    // A question window made in code, as the window list would make it.
    KEL::G_WINDOW_CONFIRM* fAddQuestion(const std::string& name) {
        mDocuments.push_back(std::make_unique<pugi::xml_document>());
        const std::string text = "<window _type=\"G_WINDOW_CONFIRM\" _name=\"" + name +
                                 "\" _typeOpen=\"SH_MOMENTAL\" _typeClose=\"SH_MOMENTAL\" _modal=\"1\" layer=\"10\"/>";
        EXPECT_TRUE(mDocuments.back()->load_string(text.c_str()));
        auto window = std::make_unique<KEL::G_WINDOW_CONFIRM>(mDocuments.back()->document_element());
        return static_cast<KEL::G_WINDOW_CONFIRM*>(mHost.mWindows.fAddWindow(std::move(window)));
    }
    // A window without code of its own ("GP_Finish", "Shop", a fade).
    KEL::G_WINDOW* fAddWindow(const std::string& name) {
        mDocuments.push_back(std::make_unique<pugi::xml_document>());
        const std::string text = "<window _type=\"G_WINDOW_SIMPLE\" _name=\"" + name +
                                 "\" _typeOpen=\"SH_MOMENTAL\" _typeClose=\"SH_MOMENTAL\" layer=\"5\"/>";
        EXPECT_TRUE(mDocuments.back()->load_string(text.c_str()));
        return mHost.mWindows.fAddWindow(std::make_unique<KEL::G_WINDOW_SIMPLE>(mDocuments.back()->document_element()));
    }
    // Lets the window manager run its windows for a while.
    void fWindowFrames(int count) { mWindowFrames.fStep(count); }

    static inline bool sBuilt = false;
    static inline int sLevelCount = 0;
    std::unique_ptr<KEL::KC_RENDER> mRender;
    std::unique_ptr<testsupport::GlScreen> mScreen;
    KEL::KC_REPOSITORY mRepository;
    KEL::KC_RANDOM mRandom{0};
    std::unique_ptr<testsupport::MessagePump> mPump;
    std::unique_ptr<testsupport::InputDriver> mInput;
    // The board's logic steps, and the same with the windows run after.
    testsupport::FrameStepper mFrames{kFRAME};
    testsupport::FrameStepper mWindowFrames{kFRAME};
    FakeGameHost mHost;
    std::unique_ptr<game::GG_GAMEPLAY> mGameplay;
    std::vector<std::unique_ptr<pugi::xml_document>> mDocuments;
};

}  // namespace gameplaytest
