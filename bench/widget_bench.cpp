// Widget benchmark: a screen-sized tree of 200 widgets (50 cards, each a
// panel, a button, a label and a picture) read from layout XML, loaded and
// then driven for many frames on the recording renderer. Prints the time to
// read and load the tree, and per frame the microseconds of the move pass,
// the poll and the draw pass, with the renderer's draw calls.
#include <cstdio>
#include <string>

#include <pugixml.hpp>

#include "BenchScratch.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/gui/KF_GUI_READER.h"
#include "engine/platform/KC_INPUT.h"

using namespace KEL;
using bench::Clock;
using bench::fMicros;

namespace {

constexpr int kCARDS = 50, kBUILDS = 20, kFRAMES = 2000;

void fWriteData(bench::BenchScratch& scratch) {
    scratch.fWritePicture("card.png", 96, 140);
    scratch.fWritePicture("button.png", 400, 32);
    scratch.fWritePicture("pic.png", 48, 48);
    scratch.fWriteFont("font");
}

// Ten cards across, five down, filling 1024 x 768 from its centre.
std::string fLayout() {
    std::string xml = "<GUI>";
    for (int i = 0; i < kCARDS; ++i) {
        const std::string at = std::to_string(-460 + i % 10 * 102) + " " + std::to_string(-300 + i / 10 * 150);
        const std::string id = std::to_string(100 + i * 4);
        xml += "<PANEL ID=\"" + id + "\" TEXTURE=\"card.png\" MOVABLE=\"0\" ENABLE=\"0\"><POSITION>" + at +
               "</POSITION></PANEL>";
        xml += "<IMAGE ID=\"" + std::to_string(101 + i * 4) + "\" TEXTURE=\"pic.png\"><POSITION>" + at +
               "</POSITION></IMAGE>";
        xml += "<LABEL ID=\"" + std::to_string(102 + i * 4) + "\" TEXTURE=\"font.png\" FONT=\"font.xml\" TEXT=\"Card " +
               std::to_string(i) + "\"><POSITION>" + at + "</POSITION></LABEL>";
        xml += "<BUTTON5 ID=\"" + std::to_string(103 + i * 4) + "\" TEXTURE=\"button.png\"><POSITION>" + at +
               "</POSITION></BUTTON5>";
    }
    return xml + "</GUI>";
}

}  // namespace

int main() {
    bench::BenchScratch scratch("widget_bench");
    fWriteData(scratch);
    if (!scratch.fOpen()) return 1;
    KC_RENDER& render = scratch.fRender();
    host::RecordingDevice* device = &scratch.fDevice();
    KC_INPUT input;

    // Reading and loading the tree, as a window does when it opens.
    const std::string text = fLayout();
    KC_GUI_ROOT root;
    double build = 0;
    for (int i = 0; i < kBUILDS; ++i) {
        const auto t0 = Clock::now();
        pugi::xml_document doc;
        doc.load_string(text.c_str());
        fReadGuiLayout(root, doc.child("GUI"));
        root.fSetPosition(512.0f, 384.0f, 0.0f);
        root.fReloadResources();
        build += fMicros(t0, Clock::now());
    }
    const int widgets = root.fGetRootWidget().fGetChildCount();

    // Frames: the pointer sweeps the screen; move pass, poll, draw pass.
    double move = 0, poll = 0, draw = 0;
    device->mDrawCalls = 0;
    for (int frame = 0; frame < kFRAMES; ++frame) {
        input.fOnMouseMove(frame * 7 % 1024, frame * 3 % 768);
        const auto t0 = Clock::now();
        root.fMouseMove();
        const auto t1 = Clock::now();
        root.fPollEvent();
        const auto t2 = Clock::now();
        render.fBeginFrame();
        root.fDraw();
        render.fEndFrame();
        const auto t3 = Clock::now();
        input.fUpdate();
        move += fMicros(t0, t1);
        poll += fMicros(t1, t2);
        draw += fMicros(t2, t3);
    }
    std::printf("widget bench: %d widgets from XML, %d frames\n", widgets, kFRAMES);
    std::printf("read and load: %.3f ms per tree\n", build / kBUILDS / 1000.0);
    std::printf("move pass: %.2f us/frame, poll: %.2f us/frame, draw pass: %.2f us/frame, draw calls/frame: %.1f\n",
                move / kFRAMES, poll / kFRAMES, draw / kFRAMES, double(device->mDrawCalls) / kFRAMES);

    root.fClear();
    return 0;
}
