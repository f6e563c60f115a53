// Text widget benchmark: a list box of 1,000 rows and 50 wide labels of 100
// characters each, read from layout XML and driven for many frames on the
// recording renderer. Prints per frame the microseconds of the poll and of
// the draw pass, with the renderer's draw calls, once with the list drawing
// its twelve visible rows and once with it drawing every row.
#include <cstdio>
#include <string>

#include <pugixml.hpp>

#include "BenchScratch.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_LISTBOX.h"
#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/gui/KF_GUI_READER.h"
#include "engine/platform/KC_INPUT.h"

using namespace KEL;
using bench::Clock;
using bench::fMicros;

namespace {

constexpr int kROWS = 1000, kLABELS = 50, kLABEL_LENGTH = 100, kFRAMES = 1000;

void fWriteData(bench::BenchScratch& scratch) {
    scratch.fWritePicture("panel.png", 380, 480);
    scratch.fWritePicture("row.png", 360, 40);
    scratch.fWriteFont("font");
}

// The list on the left half of the screen, the labels down the right half.
std::string fLayout() {
    std::string xml = "<GUI><LISTBOX ID=\"1\" LIST_TEXTURE=\"row.png\" PANEL_TEXTURE=\"panel.png\" "
                      "SLIDER12_TEXTURE=\"row.png\" FONT_TEXTURE=\"font.png\" FONT=\"font.xml\" "
                      "VISIBLE_COUNT=\"12\"><POSITION>-250 0</POSITION><ITEMS>";
    for (int i = 0; i < kROWS; ++i) xml += "<R>Player number " + std::to_string(i) + "</R>";
    xml += "</ITEMS></LISTBOX>";
    const std::string text(kLABEL_LENGTH, 'w');
    for (int i = 0; i < kLABELS; ++i)
        xml += "<WLABEL ID=\"" + std::to_string(10 + i) + "\" FONT=\"font.xml\" FONT_TEXTURE=\"font.png\" TEXT=\"" +
               text + "\"><POSITION>250 " + std::to_string(-370 + i * 15) + "</POSITION></WLABEL>";
    return xml + "</GUI>";
}

// Frames with the pointer sweeping the list: poll, then draw.
void fRun(const char* title, KC_GUI_ROOT& root, KC_RENDER& render, host::RecordingDevice& device, KC_INPUT& input) {
    double poll = 0, draw = 0;
    device.mDrawCalls = 0;
    device.mPrimitives = 0;
    for (int frame = 0; frame < kFRAMES; ++frame) {
        input.fOnMouseMove(100 + frame % 300, 200 + frame % 400);
        root.fMouseMove();
        const auto t0 = Clock::now();
        root.fPollEvent();
        const auto t1 = Clock::now();
        render.fBeginFrame();
        root.fDraw();
        render.fEndFrame();
        const auto t2 = Clock::now();
        input.fUpdate();
        poll += fMicros(t0, t1);
        draw += fMicros(t1, t2);
    }
    std::printf("%s: poll %.2f us/frame, draw pass %.2f us/frame, draw calls/frame %.1f, quads/frame %.0f\n", title,
                poll / kFRAMES, draw / kFRAMES, double(device.mDrawCalls) / kFRAMES,
                double(device.mPrimitives) / 2.0 / kFRAMES);
}

}  // namespace

int main() {
    bench::BenchScratch scratch("text_widgets_bench");
    fWriteData(scratch);
    if (!scratch.fOpen()) return 1;
    KC_INPUT input;

    KC_GUI_ROOT root;
    const auto t0 = Clock::now();
    {
        pugi::xml_document doc;
        doc.load_string(fLayout().c_str());
        fReadGuiLayout(root, doc.child("GUI"));
    }
    root.fSetPosition(512.0f, 384.0f, 0.0f);
    root.fReloadResources();
    const double build = fMicros(t0, Clock::now());
    auto* list = static_cast<KC_GUI_LISTBOX*>(root.fFindChild(1));
    std::printf("text widget bench: a list of %d rows and %d labels of %d characters, %d frames\n", list->fGetCount(),
                kLABELS, kLABEL_LENGTH, kFRAMES);
    std::printf("read and load: %.3f ms\n", build / 1000.0);

    fRun("12 rows drawn", root, scratch.fRender(), scratch.fDevice(), input);
    list->fSetVisibleRows(kROWS);
    fRun("all rows drawn", root, scratch.fRender(), scratch.fDevice(), input);

    root.fClear();
    return 0;
}
