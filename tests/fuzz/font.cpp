// Fuzzes BMFont descriptions, then measures and prints through the
// recording device with every anchor: what the input's numbers become when a
// text is placed.
#include <cstdint>

#include "engine/resources/KC_FONT.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzzsupport::KS_SCENE& scene = fuzzsupport::fScene();
    pugi::xml_document document;
    if (!fuzzsupport::fParse(data, size, document)) return 0;
    const pugi::xml_node description = document.child("font");
    KEL::KC_FONT font(description, scene.mPage, 64);
    font.fInitXml(description, scene.mPage, 80);
    const wchar_t* wide = L"Level 12\n\x00e9t\x00e9 ? %s";
    const char* narrow = "AB\n,\xC3\xA9 ?";
    fuzzsupport::fBeginFrame();
    for (int32_t anchor = 0; anchor < 9; ++anchor) {
        font.fSetAnchor(anchor);
        font.fMeasureW(wide);
        font.fMeasure(narrow);
        font.fMeasureFixedW(wide);
        font.fDrawW(10.0f, 20.0f, wide);
        font.fDraw(-5.0f, 7.0f, narrow);
        font.fPrintW(0.0f, 0.0f, L"%i / %i", 2147483647, -2147483647 - 1);
        font.fPrint(1.0f, 1.0f, "%s %d", narrow, anchor);
    }
    fuzzsupport::fEndFrame();
    return 0;
}
