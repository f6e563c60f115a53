// Labels, images, panels, nine-piece panels and the box layouts.
#include "GuiFixture.h"

#include <pugixml.hpp>

#include "engine/gui/KC_GUI_HBOX_LAYOUT.h"
#include "engine/gui/KC_GUI_IMAGE.h"
#include "engine/gui/KC_GUI_LABEL.h"
#include "engine/gui/KC_GUI_PANEL.h"
#include "engine/gui/KC_GUI_PANEL9.h"
#include "engine/gui/KC_GUI_VBOX_LAYOUT.h"
#include "engine/render/KC_RENDER.h"

using namespace KEL;
using E = KS_GUI_EVENT;

namespace {

class KC_GUI_PANELS : public guitest::GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        fMount();
    }
    KC_GUI_PANEL9* fNine() {
        KC_GUI_PANEL9::KS_NAMES names = {"corner.png", "top.png",    "corner.png", "side.png",  "mid.png",
                                         "side.png",   "corner.png", "top.png",    "corner.png"};
        return fAdd<KC_GUI_PANEL9>(9, names);
    }
    int32_t fDrawnQuads() {
        EXPECT_EQ(mRender.fBeginFrame(), 1);
        mRoot->fDraw();
        mRender.fFlush();
        const int32_t quads = mRender.fGetRequestCount();
        mRender.fEndFrame();
        return quads;
    }
};

}  // namespace

TEST_F(KC_GUI_PANELS, AnImageReportsPressAndReleaseAndKeepsThemForThePoll) {
    auto* image = fAdd<KC_GUI_IMAGE>(3, "pic.png");
    image->fSetAnchor(0);  // upper left: the picture lies right of and below the position
    image->fSetPosition(100.0f, 100.0f, 0.0f);
    mRoot->fReloadResources();
    mInput->fOnMouseMove(139, 119);
    EXPECT_EQ(fCode(fPress(65)), E::kPRESSED) << "any key down over an image presses it";
    EXPECT_EQ(fCode(mRoot->fPollEvent()), E::kPRESSED);
    EXPECT_EQ(fCode(fRelease(65)), E::kCLICK);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(fCode(mRoot->fPollEvent()), E::kCLICK) << "sticky";
    mInput->fOnMouseMove(99, 99);
    EXPECT_FALSE(fPress().fTaken()) << "above-left of the picture is outside";
    EXPECT_FALSE(mRoot->fPollEvent().fTaken()) << "the next pass cleared it";

    image->fSetTexture("panel.png");
    EXPECT_EQ(image->fGetWidth(), 100.0f);
    EXPECT_EQ(fUses("pic.png"), 0);
    EXPECT_EQ(fUses("panel.png"), 1);
}

TEST_F(KC_GUI_PANELS, AnImageSizedBeforeItsBuildIsBuiltAtThatSize) {
    auto* image = fAdd<KC_GUI_IMAGE>(3, "pic.png");
    image->fSetSize(80, 10);
    mRoot->fReloadResources();
    EXPECT_EQ(image->fGetWidth(), 80.0f);
    mInput->fOnMouseMove(39, 0);
    EXPECT_EQ(fCode(fPress()), E::kPRESSED);
    image->fSetSize(10, 10);  // built: the picture only
    EXPECT_EQ(image->fGetWidth(), 10.0f);
    EXPECT_EQ(fCode(fPress()), E::kPRESSED) << "the hit area keeps its size";
}

TEST_F(KC_GUI_PANELS, APanelIsDraggedOnlyWhenMovable) {
    auto* panel = fAdd<KC_GUI_PANEL>(4, "panel.png");
    panel->fSetPosition(200.0f, 200.0f, 0.0f);
    mRoot->fReloadResources();
    EXPECT_EQ(panel->fGetWidth(), 100.0f);
    EXPECT_EQ(fCode(fMove(210, 205)), E::kENTERED);
    EXPECT_EQ(fCode(fPress()), E::kPRESSED);
    fStep();
    EXPECT_EQ(fCode(fMove(240, 215)), E::kDRAG);
    EXPECT_EQ(panel->fGetTransform().mPosition.x, 230.0f);
    EXPECT_EQ(panel->fGetTransform().mPosition.y, 210.0f);
    EXPECT_EQ(fCode(fRelease()), E::kCLICK);
    fStep();
    EXPECT_FALSE(fMove(260, 215).fTaken()) << "the grab ended";

    panel->fSetMovable(false);
    EXPECT_EQ(fCode(fPress()), E::kPRESSED);
    fStep();
    EXPECT_EQ(fCode(fMove(500, 500)), E::kLEFT) << "never a drag";
    EXPECT_EQ(panel->fGetTransform().mPosition.x, 230.0f);
    EXPECT_FALSE(fRelease().fTaken()) << "released away from the panel";
}

TEST_F(KC_GUI_PANELS, APanelKeepsASizeGivenBeforeItsBuild) {
    auto* panel = fAdd<KC_GUI_PANEL>(4, "panel.png");
    panel->fSetSize(300, 20);
    mRoot->fReloadResources();
    EXPECT_EQ(panel->fGetWidth(), 300.0f);
    EXPECT_EQ(fCode(fMove(-149, 9)), E::kENTERED);
    EXPECT_EQ(fCode(fMove(0, 11)), E::kLEFT);
}

TEST_F(KC_GUI_PANELS, NinePiecesKeepTheirMinimumAndAreHitAroundTheirCentre) {
    KC_GUI_PANEL9* nine = fNine();
    nine->fSetSize(100, 60);  // before the build
    nine->fSetPosition(300.0f, 300.0f, 0.0f);
    mRoot->fReloadResources();
    EXPECT_EQ(nine->fGetMinWidth(), 16);
    EXPECT_EQ(nine->fGetMinHeight(), 8) << "the sides' heights";
    EXPECT_EQ(nine->fGetPiece(4)->fGetWidth(), 84.0f);
    EXPECT_EQ(nine->fGetPiece(4)->fGetHeight(), 44.0f);
    EXPECT_TRUE(nine->fGetPiece(4)->mState.wrapU && nine->fGetPiece(4)->mState.wrapV);
    EXPECT_TRUE(nine->fGetPiece(1)->mState.wrapU && !nine->fGetPiece(1)->mState.wrapV);
    EXPECT_TRUE(nine->fGetPiece(3)->mState.wrapV && !nine->fGetPiece(3)->mState.wrapU);
    EXPECT_FLOAT_EQ(nine->fGetPiece(4)->mVertices[2].u, 21.0f) << "the centre repeats its 4-pixel texture";
    EXPECT_EQ(fDrawnQuads(), 9);

    // Upper-left corner drawn at the frame's upper left: (250, 270).
    KS_VEC2 c0, c1, c2, c3;
    nine->fGetPiece(0)->fGetCorners(c0, c1, c2, c3);
    EXPECT_FLOAT_EQ(c0.x, 250.0f);
    EXPECT_FLOAT_EQ(c0.y, 270.0f);
    for (auto [x, y] : {std::pair{300, 300}, {252, 272}, {348, 272}, {252, 328}, {348, 328}}) {
        EXPECT_EQ(fCode(fMove(x, y)), E::kENTERED) << x << "," << y << " is on the frame";
        EXPECT_EQ(fCode(fMove(0, 0)), E::kLEFT);
    }
    EXPECT_FALSE(fMove(351, 300).fTaken());

    nine->fSetSize(4, 4);
    EXPECT_EQ(nine->fGetWidth(), 16.0f);
    EXPECT_EQ(nine->fGetHeight(), 8.0f);
    EXPECT_EQ(nine->fGetPiece(4)->fGetWidth(), 0.0f);
    EXPECT_EQ(nine->fGetPiece(4)->fGetHeight(), 0.0f) << "never negative, though the corners are taller";
}

TEST_F(KC_GUI_PANELS, ALabelDrawsItsOwnCopyOfTheText) {
    pugi::xml_document font;
    font.load_string(R"(<font><common lineHeight="10"/><chars>
        <char id="65" x="0" y="0" width="8" height="10" xoffset="0" yoffset="0" xadvance="9"/>
        <char id="63" x="8" y="0" width="8" height="10" xoffset="0" yoffset="0" xadvance="9"/></chars></font>)");
    KC_TEXTURE* page = mRepository->fGetTexture("pic.png");
    std::string text = "AAA";
    auto* label = fAdd<KC_GUI_LABEL>(6, font.child("font"), page, text);
    font.reset();
    text = "gone";
    EXPECT_EQ(label->fGetText(), "AAA");
    EXPECT_EQ(label->fGetType(), KC_GUI_OBJECT::kTYPE_LABEL);
    EXPECT_FALSE(fMove(0, 0).fTaken());
    EXPECT_EQ(fDrawnQuads(), 3);
    mRoot->fClear();
    EXPECT_EQ(fUses("pic.png"), 0) << "the label gave the page texture back";
}

TEST_F(KC_GUI_PANELS, ARowLayoutPlacesWhatFitsAndRefusesWhatDoesNot) {
    auto* row = static_cast<KC_GUI_HBOX_LAYOUT*>(
        mRoot->fAddChild(std::make_unique<KC_GUI_HBOX_LAYOUT>(1, 200.0f, 80.0f, 0, true)));
    auto fImage = [](const char* name, int32_t width = 0) {
        auto image = std::make_unique<KC_GUI_IMAGE>(2, name);
        if (width) image->fSetSize(width, 10);
        image->fReloadResources();
        return image;
    };
    EXPECT_FLOAT_EQ(row->fAddChild(fImage("panel.png"), 0.0f, 4)->fGetTransform().mPosition.x, 0.0f);
    KC_GUI_OBJECT* second = row->fAddChild(fImage("pic.png"), 0.0f, 0);
    // Even spacing: gap = (200 - 100 - 40) / 3 = 20.
    EXPECT_FLOAT_EQ(row->fGetChild(0)->fGetTransform().mPosition.x, -30.0f);
    EXPECT_FLOAT_EQ(second->fGetTransform().mPosition.x, 60.0f);
    EXPECT_FLOAT_EQ(second->fGetTransform().mPosition.y, -30.0f) << "anchored to the top";
    EXPECT_EQ(row->fAddChild(fImage("pic.png", 250), 0.0f, 4), nullptr) << "wider than the box";
    auto turned = fImage("panel.png");
    turned->fGetTransform().fSetAngle(1.5707964f);
    EXPECT_EQ(row->fAddChild(std::move(turned), 0.0f, 4), nullptr) << "turned, it is 100 high";
    EXPECT_EQ(row->fGetChildCount(), 2);

    EXPECT_TRUE(row->fRemoveChildAt(0));
    EXPECT_FLOAT_EQ(row->fGetUsedWidth(), 40.0f);
    EXPECT_FLOAT_EQ(second->fGetTransform().mPosition.x, 0.0f);

    // Hidden children take no place; spacing of their own when not even.
    auto* fixed = static_cast<KC_GUI_HBOX_LAYOUT*>(
        mRoot->fAddChild(std::make_unique<KC_GUI_HBOX_LAYOUT>(3, 200.0f, 80.0f, 5, false)));
    fixed->fAddChild(fImage("pic.png"), 5.0f, 4)->fSetVisible(false);
    KC_GUI_OBJECT* shown = fixed->fAddChild(fImage("pic.png"), 10.0f, 4);
    EXPECT_FLOAT_EQ(shown->fGetTransform().mPosition.x, -(-100.0f + 20.0f + 10.0f)) << "from the right";
}

TEST_F(KC_GUI_PANELS, BoxesReportTheirSizeAndAreNestedByIt) {
    auto* column = static_cast<KC_GUI_VBOX_LAYOUT*>(
        mRoot->fAddChild(std::make_unique<KC_GUI_VBOX_LAYOUT>(1, 300.0f, 200.0f, 0, false)));
    EXPECT_FLOAT_EQ(column->fGetWidth(), 300.0f);
    EXPECT_FLOAT_EQ(column->fGetHeight(), 200.0f);

    // Two rows stacked from the top, each taking its own height.
    KC_GUI_OBJECT* upper = column->fAddChild(std::make_unique<KC_GUI_HBOX_LAYOUT>(2, 240.0f, 60.0f, 0, true), 0.0f, 4);
    ASSERT_NE(upper, nullptr);
    KC_GUI_OBJECT* lower = column->fAddChild(std::make_unique<KC_GUI_HBOX_LAYOUT>(3, 100.0f, 40.0f, 0, true), 10.0f, 0);
    ASSERT_NE(lower, nullptr);
    EXPECT_FLOAT_EQ(column->fGetUsedHeight(), 100.0f);
    EXPECT_FLOAT_EQ(upper->fGetTransform().mPosition.y, -100.0f + 30.0f);
    EXPECT_FLOAT_EQ(lower->fGetTransform().mPosition.y, -100.0f + 60.0f + 10.0f + 20.0f);
    EXPECT_FLOAT_EQ(lower->fGetTransform().mPosition.x, -150.0f + 50.0f) << "anchored to the left by its width";

    EXPECT_EQ(column->fAddChild(std::make_unique<KC_GUI_HBOX_LAYOUT>(4, 301.0f, 10.0f, 0, true), 0.0f, 4), nullptr)
        << "a box wider than the column is refused";
    EXPECT_EQ(column->fGetChildCount(), 2);
}
