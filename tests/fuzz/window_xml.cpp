// Fuzzes the window reader (attributes, position, background, sounds and
// the widget tree), then loads, shows, updates, draws and hides the window.
#include <cstdint>

#include "engine/windows/G_WINDOW.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {
class KC_FUZZ_WINDOW : public KEL::G_WINDOW {
public:
    using G_WINDOW::G_WINDOW;
    void fOnClick(int32_t) override {}
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::fScene();
    pugi::xml_document document;
    if (!fuzzsupport::fParse(data, size, document)) return 0;
    KC_FUZZ_WINDOW window(document.document_element());
    window.fLoad();
    window.fShow();
    for (int i = 0; i < 3; ++i) window.fUpdate();
    window.fOnMouseMove();
    window.fOnMouseDown(1);
    window.fOnMouseUp(1);
    fuzzsupport::fBeginFrame();
    window.fDraw();
    fuzzsupport::fEndFrame();
    window.fHide(true);
    window.fUpdate();
    window.fUnload(true);
    return 0;
}
