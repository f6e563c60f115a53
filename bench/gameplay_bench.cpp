// Plays a 20 x 20 level of the default content to its end on the recording
// renderer, with the board's frame, its controls and every flight live: a
// scripted drag per run of full cells (and a right-button drag per run of
// empty ones), one frame after every press, move and release, then frames
// until the sweep is through. Prints the engine's CPU time per frame (update
// plus draw submission) and draw calls per frame, mean and worst.
//
// Run it from the build folder, which holds the built Resources.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/platform/KC_RANDOM.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/board/GG_GAMEPLAY.h"
#include "game/board/GG_GAMEPLAY_HOST.h"
#include "game/product/GG_EDITION.h"
#include "game/product/GG_PACK_INFO.h"
#include "game/profile/GG_LEVEL_RECORD.h"
#include "game/profile/GG_PACK_RECORD.h"
#include "game/profile/GG_PLAYER.h"
#include "host/recording/RecordingDevice.h"

namespace {

using Clock = std::chrono::steady_clock;

class BenchHost : public game::GG_GAMEPLAY_HOST {
public:
    game::GG_PLAYER* fGetCurrentPlayer() override { return &mPlayer; }
    game::GG_PACK_INFO* fGetCurrentPack() override { return &mPack; }
    game::GG_LEVEL_RECORD* fGetCurrentLevel() override { return mPlayer.fFindLevel(mPack.fGetId(), 1); }
    game::GG_PACK_INFO* fFindPack(int32_t id) override { return id == mPack.fGetId() ? &mPack : nullptr; }
    const game::GG_EDITION& fGetEdition() override { return mEdition; }
    KEL::KC_SOUND_LIST* fGetSound() override { return nullptr; }
    KEL::KC_FONT_LIST* fGetFonts() override { return &mFonts; }
    KEL::KC_STRING_TABLE* fGetStrings() override { return nullptr; }
    KEL::G_WINDOW_MANAGER* fGetWindowManager() override { return &mWindows; }
    void fRestartLevel() override {}
    void fLeaveLevel(bool) override {}
    void fUpdateHealth() override {}
    void fSave() override {}
    void fHoldTrophies(float) override {}
    void fFeedTrophy(const std::string&, float) override {}
    void fSubmitScore(int32_t, int32_t) override {}
    bool fPurchase(const std::string&) override { return false; }
    void fShowPrice(KEL::G_WINDOW&, const std::string&) override {}
    void fShowResult(KEL::G_WINDOW&, const game::GG_LEVEL_RESULT&) override {}

    game::GG_PLAYER mPlayer;
    game::GG_PACK_INFO mPack;
    game::GG_EDITION mEdition;
    KEL::KC_FONT_LIST mFonts;
    KEL::G_WINDOW_MANAGER mWindows;
};

struct Frames {
    KEL::KC_RENDER* mRender = nullptr;
    host::RecordingDevice* mDevice = nullptr;
    game::GG_GAMEPLAY* mGameplay = nullptr;
    KEL::KC_INPUT* mInput = nullptr;
    std::vector<double> mMicros;
    std::vector<int64_t> mDraws;

    void fFrame() {
        KEL::kfFRAME_DELTA = 1.0f / 60.0f;
        const int64_t draws = mDevice->mDrawCalls;
        const auto start = Clock::now();
        mGameplay->fUpdate();
        mRender->fBeginFrame();
        mGameplay->fDraw();
        mRender->fEndFrame();
        mMicros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        mDraws.push_back(mDevice->mDrawCalls - draws);
        mInput->fUpdate();
    }
};

bool fReadXml(KEL::KC_REPOSITORY& repository, const char* name, pugi::xml_node& out, pugi::xml_document*& doc) {
    doc = repository.fGetXml(name);
    if (!doc) return false;
    out = doc->document_element();
    return true;
}

}  // namespace

int main() {
    KEL::KC_FILESYSTEM::fGetInstance();
    KEL::KC_RANDOM random(0);
    KEL::KC_RENDER render;
    auto* device = new host::RecordingDevice;
    device->mKeepDraws = false;
    render.fSetDevice(device);
    if (render.fInit(nullptr, 0.1f, 0.0f) != 1) return 1;
    KEL::kcRENDER = &render;
    KEL::KC_REPOSITORY repository;
    KEL::kcREPOSITORY = &repository;
    repository.fLoad("");
    if (repository.fLoad("data/share/main/other", "PlumtreeByOakhurst") < 1) {
        std::fprintf(stderr, "run from the build folder: no Resources here\n");
        return 1;
    }
    for (const char* folder :
         {"data/share/font", "data/share/main/GameProcess", "data/share/levels/pack3", "data/share/image/back"})
        repository.fLoad(folder);
    KEL::KC_INPUT input;
    BenchHost host;
    host.mEdition.mStoreButton = 1;
    host.mFonts.fRead("data/share/font fonts.xml");
    pugi::xml_node node;
    pugi::xml_document* doc = nullptr;
    if (!fReadXml(repository, "data/share/main/other player.xml", node, doc)) return 1;
    host.mPlayer.fLoadXml(node);
    repository.fReleaseXml(doc);
    if (!fReadXml(repository, "data/share/main/other packs_description.xml", node, doc)) return 1;
    for (pugi::xml_node pack : node.children("pack"))
        if (pack.attribute("id").as_int() == 3) host.mPack.fRead(pack, nullptr);
    repository.fReleaseXml(doc);

    game::GG_GAMEPLAY gameplay(&host);
    if (!gameplay.fLoad("data/share/levels/pack3 level01.xml")) return 1;
    gameplay.fLoadResources();
    const game::GG_BOARD_LAYOUT& layout = gameplay.fGetLayout();
    std::printf("level %d x %d\n", layout.mGrid.x, layout.mGrid.y);

    Frames frames;
    frames.mRender = &render;
    frames.mDevice = device;
    frames.mGameplay = &gameplay;
    frames.mInput = &input;
    auto move = [&](int32_t row, int32_t column) {
        const KEL::KS_VEC2 at = gameplay.fGetProcess().fGetCell(row, column)->fGetPosition();
        input.fOnMouseMove(static_cast<int32_t>(at.x), static_cast<int32_t>(at.y));
        gameplay.fOnMouseMove();
        frames.fFrame();
    };
    auto drag = [&](int32_t row, int32_t from, int32_t to, int32_t button) {
        move(row, from);
        input.fOnKeyDown(button);
        gameplay.fOnMouseDown(button);
        frames.fFrame();
        for (int32_t c = from + 1; c <= to; ++c) move(row, c);
        input.fOnKeyUp(button);
        gameplay.fOnMouseUp(button);
        frames.fFrame();
    };
    // Runs of one kind along each row: full ones filled, empty ones crossed.
    for (int32_t r = 0; r < layout.mGrid.y && !gameplay.fIsEnded(); ++r) {
        int32_t c = 0;
        while (c < layout.mGrid.x && !gameplay.fIsEnded()) {
            const bool full = gameplay.fGetProcess().fGetCell(r, c)->fIsFull();
            int32_t end = c;
            while (end + 1 < layout.mGrid.x && gameplay.fGetProcess().fGetCell(r, end + 1)->fIsFull() == full) ++end;
            drag(r, c, end, full ? 1 : 2);
            c = end + 1;
        }
    }
    for (int i = 0; i < 300; ++i) frames.fFrame();  // the sweep, the flights, the fades

    double sum = 0, worst = 0;
    int64_t drawSum = 0, drawWorst = 0;
    for (size_t i = 0; i < frames.mMicros.size(); ++i) {
        sum += frames.mMicros[i];
        worst = std::max(worst, frames.mMicros[i]);
        drawSum += frames.mDraws[i];
        drawWorst = std::max(drawWorst, frames.mDraws[i]);
    }
    const double n = static_cast<double>(frames.mMicros.size());
    std::printf("%zu frames, won %d, errors %d, score %d\n", frames.mMicros.size(), gameplay.fGetResult().mWon,
                gameplay.fGetErrors(), gameplay.fGetScore());
    std::printf("engine CPU per frame (update + draw submission): mean %.1f us, worst %.1f us\n", sum / n, worst);
    std::printf("draw calls per frame: mean %.1f, worst %lld\n", static_cast<double>(drawSum) / n,
                static_cast<long long>(drawWorst));
    gameplay.fReleaseResources();
    host.mFonts.fDeleteAll();
    KEL::kcREPOSITORY = nullptr;
    KEL::kcRENDER = nullptr;
    return 0;
}
