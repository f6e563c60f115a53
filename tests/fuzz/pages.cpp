// Fuzzes the page file reader (cells, spacing, turn kind and speed, items)
// through the repository, then turns, clicks and draws the pages.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/resources/KC_REPOSITORY.h"
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
    int32_t fOnMouseUp(int32_t) override { return kTAKEN; }

    int32_t mWidth, mHeight;
};

class KC_FUZZ_PAGES : public KEL::gPages {
public:
    std::unique_ptr<KEL::KC_BASE> fCreateItem(const pugi::xml_node& element, int32_t) override {
        return std::make_unique<KC_FUZZ_ITEM>(this, element);
    }
    void fOnItemClicked(KEL::KC_BASE*) override {}
};

// The file system enters "Resources" below the current folder on first
// use: give it a scratch folder of its own, removed when the process ends.
struct KS_FOLDER {
    std::string mPath;
    KS_FOLDER() {
        char pattern[] = "/tmp/nonogram-fuzz-pages-XXXXXX";
        if (mkdtemp(pattern) && chdir(pattern) == 0) mPath = pattern;
        KEL::KC_FILESYSTEM::fGetInstance();
        std::filesystem::create_directories("data");
    }
    ~KS_FOLDER() {
        std::error_code ec;
        if (!mPath.empty()) std::filesystem::remove_all(mPath, ec);
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const KS_FOLDER folder;
    if (folder.mPath.empty()) return 0;
    fuzzsupport::fScene();
    if (std::FILE* file = std::fopen("data/pages.xml", "wb")) {
        if (size) std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    // A new repository each time: it keeps what it read.
    auto repository = std::make_unique<KEL::KC_REPOSITORY>();
    KEL::kcREPOSITORY = repository.get();
    if (repository->fLoad("data") >= 1) {
        KC_FUZZ_PAGES pages;
        pages.fLoad("data pages.xml");
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
    }
    KEL::kcREPOSITORY = nullptr;
    return 0;
}
