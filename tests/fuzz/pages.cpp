// Fuzzes the page file reader (cells, spacing, turn kind and speed, items)
// on the parsed document, then turns, clicks and draws the pages.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/windows/G_PAGES_ITEM.h"
#include "engine/windows/gPages.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {
class KC_FUZZ_ITEM : public KEL::G_PAGES_ITEM {
public:
    KC_FUZZ_ITEM(const void* owner, const pugi::xml_node& element)
        : G_PAGES_ITEM(owner), mWidth(element.attribute("w").as_int(100)), mHeight(element.attribute("h").as_int(50)) {}

protected:
    int32_t fGetWidth() override { return mWidth; }
    int32_t fGetHeight() override { return mHeight; }
    void fReloadResources() override {}
    void fReleaseResources() override {}
    void fDraw() override {}
    int32_t fOnMouseUp(int32_t) override { return KEL::KS_RESULT::kSTOP; }

    int32_t mWidth, mHeight;
};

class KC_FUZZ_PAGES : public KEL::gPages {
public:
    std::unique_ptr<KEL::KC_BASE> fCreateItem(const pugi::xml_node& element, int32_t) override {
        return std::make_unique<KC_FUZZ_ITEM>(this, element);
    }
    void fOnItemClicked(KEL::KC_BASE*) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::fScene();
    pugi::xml_document document;
    if (!fuzzsupport::fParse(data, size, document)) return 0;
    KC_FUZZ_PAGES pages;
    pages.fRead(document.document_element(), "pages.xml");
    pages.fLayoutItems();
    pages.fTurnNext();
    for (int i = 0; i < 3; ++i) pages.fUpdate();
    pages.fOnMouseMove();
    pages.fOnMouseDown(1);
    pages.fOnMouseUp(1);
    fuzzsupport::fBeginFrame();
    pages.fDraw();
    fuzzsupport::fEndFrame();
    pages.fTurnPrev();
    pages.fUpdate();
    return 0;
}
