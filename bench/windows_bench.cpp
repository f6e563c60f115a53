// Window benchmark: twenty open windows of the exit question's kind, each
// with a paged list of the 30 sample level cards turning back and forth, on
// the recording renderer. Prints the microseconds per frame of the window
// manager's update, of one move, press and release routed through all the
// windows, and of the draw, with the draw calls per frame. The windows are
// made non-modal so that input walks all of them.
//
// Run from the build folder, whose Resources hold the built default content.
#include <cstdio>
#include <memory>
#include <string>

#include <pugixml.hpp>

#include "BenchScratch.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "host/recording/RecordingDevice.h"
#include "tests/support/SampleCards.h"

using namespace KEL;
using bench::Clock;
using bench::fMicros;

namespace {

const char* const kPASSWORD = "PlumtreeByOakhurst";

// The question with a paged list under its widgets; presses and releases
// the widgets leave go to the list.
class KC_LIST_QUESTION : public G_WINDOW_CONFIRM {
public:
    KC_LIST_QUESTION(const pugi::xml_node& node, KC_FONT_LIST& fonts) : G_WINDOW_CONFIRM(node), mPages(fonts) {
        mPages.fLoad("data/share/main/other sample_pages.xml");
        mPages.fSetParent(&mTransform);
    }
    KS_MOUSE_RESULT fOnMouseDown(int32_t button) override {
        const KS_MOUSE_RESULT result = G_WINDOW_CONFIRM::fOnMouseDown(button);
        return result.fTaken() ? result : mPages.fOnMouseDown(button);
    }
    KS_MOUSE_RESULT fOnMouseUp(int32_t button) override {
        const KS_MOUSE_RESULT result = G_WINDOW_CONFIRM::fOnMouseUp(button);
        return result.fTaken() ? result : mPages.fOnMouseUp(button);
    }
    void fOnFrame() override {
        mPages.fUpdate();
        if (!mPages.fIsTurning() && !mPages.fTurnNext()) mPages.fTurnPrev();
    }
    void fOnDraw() override { mPages.fDraw(); }
    void fOnLoad() override { mPages.fReloadResources(); }
    void fOnUnload() override { mPages.fReleaseResources(); }

    testsupport::SampleCards mPages;
};

}  // namespace

int main() {
    constexpr int kWINDOWS = 20, kFRAMES = 600;
    auto* device = new host::RecordingDevice;
    device->mKeepDraws = false;
    KC_RENDER render;
    render.fSetDevice(device);
    if (render.fInit(nullptr, 0.1f, 0.0f) != 1) return 1;
    kcRENDER = &render;
    KC_FILESYSTEM::fGetInstance();
    KC_REPOSITORY repository;
    kcREPOSITORY = &repository;
    repository.fLoad("");
    if (repository.fLoad("data/share/main/other", kPASSWORD) != 1 ||
        repository.fLoad("data/share/image/gui", kPASSWORD) != 1 || repository.fLoad("data/share/font") != 1) {
        std::fprintf(stderr, "run from the build folder: the built default content is missing\n");
        return 1;
    }
    KC_FONT_LIST fonts;
    fonts.fRead("data/share/font fonts.xml");

    G_WINDOW_MANAGER manager;
    pugi::xml_document* sample = repository.fGetXml("data/share/main/other window_confirm_exit.xml");
    if (!sample) return 1;
    for (int i = 0; i < kWINDOWS; ++i) {
        pugi::xml_document copy;
        copy.append_copy(sample->document_element());
        pugi::xml_node window = copy.document_element();
        window.attribute("_name").set_value(("Question" + std::to_string(i)).c_str());
        window.attribute("_modal").set_value("0");
        manager.fAddWindow(std::make_unique<KC_LIST_QUESTION>(window, fonts));
    }
    repository.fReleaseXml(sample);
    for (int i = 0; i < kWINDOWS; ++i) manager.fShowWindow("Question" + std::to_string(i), true);
    kfFRAME_DELTA = 1.0f / 60.0f;
    for (int frame = 0; frame < 10; ++frame) manager.fUpdate();

    double update = 0, input = 0, draw = 0;
    const int64_t callsBefore = device->mDrawCalls;
    for (int frame = 0; frame < kFRAMES; ++frame) {
        const auto t0 = Clock::now();
        manager.fUpdate();
        const auto t1 = Clock::now();
        manager.fOnMouseMove();
        manager.fOnMouseDown(1);
        manager.fOnMouseUp(1);
        const auto t2 = Clock::now();
        render.fBeginFrame();
        manager.fDrawAll();
        render.fEndFrame();
        const auto t3 = Clock::now();
        update += fMicros(t0, t1);
        input += fMicros(t1, t2);
        draw += fMicros(t2, t3);
    }
    std::printf("windows bench: %d open windows, each with %d cards in pages, %d frames\n", kWINDOWS,
                static_cast<KC_LIST_QUESTION*>(manager.fGetWindow(0))->mPages.fGetItemCount(), kFRAMES);
    std::printf("update: %.1f us/frame, input (move, press, release): %.1f us/frame, draw: %.1f us/frame, "
                "draw calls/frame: %.1f\n",
                update / kFRAMES, input / kFRAMES, draw / kFRAMES, double(device->mDrawCalls - callsBefore) / kFRAMES);

    manager.fUnloadAll(true);
    manager.fDeleteAll();
    fonts.fDeleteAll();
    kcREPOSITORY = nullptr;
    kcRENDER = nullptr;
    return 0;
}
