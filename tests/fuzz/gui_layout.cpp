// Fuzzes the layout reader: builds a widget tree from the document, then
// polls it, passes the mouse over it and draws it.
#include <cstdint>

#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/gui/KF_GUI_READER.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::fScene();
    pugi::xml_document document;
    if (!fuzzsupport::fParse(data, size, document)) return 0;
    KEL::KC_GUI_ROOT root;
    KEL::fReadGuiLayout(root, document.document_element());
    root.fReloadResources();
    root.fPollEvent();
    root.fMouseMove();
    root.fMouseDown();
    root.fPollEvent();
    root.fMouseUp();
    root.fPollEvent();
    fuzzsupport::fBeginFrame();
    root.fDraw();
    fuzzsupport::fEndFrame();
    root.fReleaseResources();
    // A named layout is looked up among the children.
    KEL::fReadGuiLayout(root, document, document.document_element().name());
    return 0;
}
