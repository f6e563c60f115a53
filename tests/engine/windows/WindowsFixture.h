#pragma once

#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/scene/SceneFixture.h"
#include "engine/windows/G_WINDOW.h"

namespace windowstest {

// A widget that answers preset codes to the passes, so a test can click it.
class KC_PROBE : public KEL::KC_GUI_OBJECT {
public:
    explicit KC_PROBE(int32_t id) : KC_GUI_OBJECT(id) {}
    KEL::KS_MOUSE_RESULT fOnMouseUp() override { return fAnswer(mUpCode); }
    KEL::KS_MOUSE_RESULT fOnMouseDown() override { return fAnswer(mDownCode); }
    KEL::KS_MOUSE_RESULT fOnMouseMove() override {
        ++mMoves;
        return fAnswer(mMoveCode);
    }
    void fReloadResources() override { ++mReloads; }
    void fReleaseResources() override { ++mReleases; }

    int32_t mUpCode = 0, mDownCode = 0, mMoveCode = 0;
    int mMoves = 0, mReloads = 0, mReleases = 0;

private:
    KEL::KS_MOUSE_RESULT fAnswer(int32_t code) {
        mEvent.mCode = code;
        return fReport();
    }
};

// A window that writes its hooks and clicks into a shared log.
class KC_LOG_WINDOW : public KEL::G_WINDOW {
public:
    KC_LOG_WINDOW(const pugi::xml_node& node, std::vector<std::string>& log) : G_WINDOW(node), mLog(log) {}

    void fOnShowStart() override { fNote("showStart"); }
    void fOnShow() override { fNote("show"); }
    void fOnShown() override { fNote("shown"); }
    void fOnHideStart() override { fNote("hideStart"); }
    void fOnHide() override { fNote("hide"); }
    void fOnHidden() override { fNote("hidden"); }
    void fOnDeactivated() override { fNote("deactivated"); }
    void fOnActivated() override { fNote("activated"); }
    void fOnLoad() override { fNote("load"); }
    void fOnUnload() override { fNote("unload"); }
    void fOnSecond() override { fNote("second"); }
    void fOnDraw() override { fNote("draw"); }
    int32_t fOnMessage(int32_t a, int32_t b) override { return a * 100 + b; }
    void fOnClick(int32_t id) override { fNote("click " + std::to_string(id)); }
    int32_t fUpdate() override {
        ++mUpdates;
        return G_WINDOW::fUpdate();
    }

    // Test targets for closures.
    void fCallback(int32_t slot) { fNote("cb " + std::to_string(slot)); }
    void fOnHandler(int32_t id) { fNote("handler " + std::to_string(id)); }

    KC_PROBE* fAddProbe(int32_t id) {
        return static_cast<KC_PROBE*>(fGetGui()->fAddChild(std::make_unique<KC_PROBE>(id)));
    }
    void fNote(const std::string& text) { mLog.push_back(fGetName() + ":" + text); }

    int mUpdates = 0;

private:
    std::vector<std::string>& mLog;
};

// Parsed window elements that outlive the windows made from them (windows
// keep no nodes, but the test may read the document again).
class WindowsTest : public scenetest::SceneFixture {
protected:
    pugi::xml_node fNode(const std::string& text) {
        mDocuments.push_back(std::make_unique<pugi::xml_document>());
        EXPECT_TRUE(mDocuments.back()->load_string(text.c_str()));
        return mDocuments.back()->document_element();
    }
    std::unique_ptr<KC_LOG_WINDOW> fMake(const std::string& attributes, const std::string& children = "") {
        return std::make_unique<KC_LOG_WINDOW>(fNode("<window " + attributes + ">" + children + "</window>"), mLog);
    }
    static void fFrames(KEL::G_WINDOW& window, int count, float dt = kDT) {
        KEL::kfFRAME_DELTA = dt;
        for (int i = 0; i < count; ++i) window.fUpdate();
    }
    // The log since the last call.
    std::vector<std::string> fTake() {
        std::vector<std::string> out;
        out.swap(mLog);
        return out;
    }

    // An exact binary fraction, so that times add up without rounding.
    static constexpr float kDT = 0.125f;
    std::vector<std::string> mLog;
    std::vector<std::unique_ptr<pugi::xml_document>> mDocuments;
};

}  // namespace windowstest
