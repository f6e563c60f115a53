#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <pugixml.hpp>

#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/gui/KF_GUI_READER.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/scene/SceneFixture.h"

namespace guitest {

// Widgets on the recording renderer with picture files of known sizes (see
// SceneFixture), a root, and the engine's input driven the way the window
// drives it: a mouse move runs the move pass, a button down the press pass,
// a button up the release pass; fStep ends a logic step (keys age).
class GuiFixture : public scenetest::SceneFixture {
protected:
    void SetUp() override {
        SceneFixture::SetUp();
        mInput = std::make_unique<KEL::KC_INPUT>();
        fWrite("strip5.png", "200 40");  // five 40 x 40 frames
        fWrite("strip2.png", "120 30");  // two 60 x 30 frames
        fWrite("pic.png", "40 20");
        fWrite("panel.png", "100 60");
        fWrite("knob.png", "20 20");
        fWrite("corner.png", "8 8");
        fWrite("side.png", "8 4");
        fWrite("top.png", "4 8");
        fWrite("mid.png", "4 4");
    }
    void TearDown() override {
        mRoot.reset();
        mInput.reset();
        SceneFixture::TearDown();
    }

    template <class T, class... Args>
    T* fAdd(Args&&... args) {
        return static_cast<T*>(mRoot->fAddChild(std::make_unique<T>(std::forward<Args>(args)...)));
    }

    KEL::KS_MOUSE_RESULT fMove(int32_t x, int32_t y) {
        mInput->fOnMouseMove(x, y);
        return mRoot->fMouseMove();
    }
    KEL::KS_MOUSE_RESULT fPress(int32_t key = 1) {
        mInput->fOnKeyDown(key);
        return mRoot->fMouseDown();
    }
    KEL::KS_MOUSE_RESULT fRelease(int32_t key = 1) {
        mInput->fOnKeyUp(key);
        return mRoot->fMouseUp();
    }
    void fStep() { mInput->fUpdate(); }
    static int32_t fCode(const KEL::KS_MOUSE_RESULT& result) { return result.fHasEvent() ? result.mEvent.mCode : 0; }

    // Reads a layout written as the children of a GUI element into the
    // root and loads it; the document is dropped at once, since nothing
    // read may keep it.
    void fRead(const std::string& children) {
        ASSERT_TRUE(mDoc.load_string(("<GUI>" + children + "</GUI>").c_str()));
        KEL::fReadGuiLayout(*mRoot, mDoc.child("GUI"));
        mDoc.reset();
        mRoot->fReloadResources();
    }
    int32_t fCount() const { return mRoot->fGetRootWidget().fGetChildCount(); }
    template <class T>
    T* fGet(int32_t id) {
        T* widget = dynamic_cast<T*>(mRoot->fFindChild(id));
        EXPECT_NE(widget, nullptr) << "widget " << id;
        return widget;
    }

    std::unique_ptr<KEL::KC_INPUT> mInput;
    std::unique_ptr<KEL::KC_GUI_ROOT> mRoot = std::make_unique<KEL::KC_GUI_ROOT>();
    pugi::xml_document mDoc;
};

}  // namespace guitest
