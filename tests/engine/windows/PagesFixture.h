#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/scene/SceneFixture.h"
#include "engine/windows/G_PAGES_ITEM.h"
#include "engine/windows/gPages.h"

namespace pagestest {

// What the page set asked of its items, in order.
struct KS_LOG {
    std::vector<int32_t> mDrawn;         // item numbers
    std::vector<KEL::KS_VEC3> mDrawnAt;  // their absolute positions
    std::vector<int32_t> mAsked;         // items asked about a mouse button
    std::vector<intptr_t> mAnchors;
};

// An item of a fixed size whose number is its "n" attribute; it takes the
// mouse when its "takes" attribute says so.
class KC_TEST_ITEM : public KEL::G_PAGES_ITEM {
public:
    KC_TEST_ITEM(const void* owner, const pugi::xml_node& element, KS_LOG& log)
        : G_PAGES_ITEM(owner),
          mNumber(element.attribute("n").as_int(-1)),
          mTakes(element.attribute("takes").as_bool(false)),
          mWidth(element.attribute("w").as_int(100)),
          mHeight(element.attribute("h").as_int(50)),
          mLog(log) {}

    int32_t fMessage(int32_t message, float a, float b, float c, void* data) override {
        if (message == kMSG_ANCHOR) mLog.mAnchors.push_back(fValueOf(data));
        return G_PAGES_ITEM::fMessage(message, a, b, c, data);
    }
    int32_t mNumber;

protected:
    int32_t fGetWidth() override { return mWidth; }
    int32_t fGetHeight() override { return mHeight; }
    void fReloadResources() override {}
    void fReleaseResources() override {}
    void fDraw() override {
        mLog.mDrawn.push_back(mNumber);
        mLog.mDrawnAt.push_back(mTransform.fGetAbsolute().mPosition);
    }
    int32_t fOnMouseUp(int32_t) override { return fAsked(); }
    int32_t fOnMouseDown(int32_t) override { return fAsked(); }
    int32_t fAsked() {
        mLog.mAsked.push_back(mNumber);
        return mTakes ? KEL::KS_RESULT::kSTOP : 0;
    }

    bool mTakes;
    int32_t mWidth, mHeight;
    KS_LOG& mLog;
};

// Makes test items; elements named "skip" make none.
class KC_TEST_PAGES : public KEL::gPages {
public:
    std::unique_ptr<KEL::KC_BASE> fCreateItem(const pugi::xml_node& element, int32_t index) override {
        mIndices.push_back(index);
        if (std::string(element.name()) == "skip") return nullptr;
        return std::make_unique<KC_TEST_ITEM>(this, element, mLog);
    }
    void fOnItemClicked(KEL::KC_BASE* item) override { mClicked.push_back(static_cast<KC_TEST_ITEM*>(item)->mNumber); }
    void fOnExample(const pugi::xml_node& example) override { mExample = example.attribute("n").as_int(-1); }

    KS_LOG mLog;
    std::vector<int32_t> mIndices;
    std::vector<int32_t> mClicked;
    int32_t mExample = 0;
};

// A page file with `count` items numbered from 0.
inline std::string fPageFile(const std::string& attributes, int count, const std::string& extra = "") {
    std::string text = "<pages " + attributes + ">";
    for (int i = 0; i < count; ++i) text += "<item n=\"" + std::to_string(i) + "\"/>";
    return text + extra + "</pages>";
}

class PagesTest : public scenetest::SceneFixture {
protected:
    // Writes, mounts and loads one page file.
    void fLoad(KC_TEST_PAGES& pages, const std::string& text) {
        fWrite("pages.xml", text);
        fMount();
        pages.fLoad("data pages.xml");
        pages.fReloadResources();
    }
    static void fFrames(KEL::gPages& pages, int count, float dt) {
        KEL::kfFRAME_DELTA = dt;
        for (int i = 0; i < count; ++i) pages.fUpdate();
    }
};

}  // namespace pagestest
