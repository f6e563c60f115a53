#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <pugixml.hpp>

#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/gui/KF_GUI_READER.h"
#include "support/ContentScreenTest.h"

namespace guitest {

// A sample layout of the built content on the headless OpenGL screen: read
// into a root that rests at the screen centre, as a window's does, with the
// window messages routed into the root's move, press and release passes.
// Every pass's result is kept, so a test sees what one message raised.
class GuiGlFrame : public testsupport::ContentScreenTest {
protected:
    static constexpr int32_t kCX = 512, kCY = 384;  // layouts are centre-relative

    void TearDown() override {
        if (mRoot) mRoot->fReleaseResources();
        mRoot.reset();
        ContentScreenTest::TearDown();
    }

    // Reads "<group> <file>" of the repository into a new root.
    ::testing::AssertionResult fReadLayout(const char* name) {
        mRoot = std::make_unique<KEL::KC_GUI_ROOT>();
        pugi::xml_document* layout = fRepository().fGetXml(name);
        if (!layout) return ::testing::AssertionFailure() << name << " not read";
        KEL::fReadGuiLayout(*mRoot, layout->child("GUI"));
        fRepository().fReleaseXml(layout);
        return ::testing::AssertionSuccess();
    }
    // The root to the screen centre with its pictures loaded.
    void fPlace() {
        mRoot->fSetPosition(float(kCX), float(kCY), 0.0f);
        mRoot->fReloadResources();
    }
    // Draws the root alone and shoots it.
    ::testing::AssertionResult fShoot(const char* name) {
        ::testing::AssertionResult begun = fScreen().fBeginFrame();
        if (!begun) return begun;
        mRoot->fDraw();
        return fScreen().fShoot(name);
    }

    void fRouteToRoot() {
        fMessages().fRoute([this](int32_t) { mEvents.push_back(mRoot->fMouseMove()); },
                           [this](int32_t) { mEvents.push_back(mRoot->fMouseDown()); },
                           [this](int32_t) { mEvents.push_back(mRoot->fMouseUp()); });
    }
    // One message through the pump; the last pass's result.
    KEL::KS_MOUSE_RESULT fSendMessage(uint32_t message, uint32_t key = 0, int32_t x = 0, int32_t y = 0) {
        mEvents.clear();
        fInput().fSend(message, key, x, y);
        return mEvents.empty() ? KEL::KS_MOUSE_RESULT{} : mEvents.back();
    }

    std::unique_ptr<KEL::KC_GUI_ROOT> mRoot;
    std::vector<KEL::KS_MOUSE_RESULT> mEvents;
};

}  // namespace guitest
