#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "BoardFixture.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/scene/SceneFixture.h"
#include "game/board/GG_AMBIENT.h"
#include "game/board/GG_PROCESS.h"
#include "game/product/GG_ERROR.h"

using game::GG_AMBIENT;
using game::GG_BOARD_LAYOUT;

namespace {

// 12 columns and 7 rows of 28-pixel cells in blocks of 5 with 3-pixel gaps:
// both axes end in a part block.
const char* const kSETTINGS =
    "elSize=\"28 28\" grid=\"12 7\" block=\"5 5\" shiftBlock=\"-3 -3\" position=\"500 400\" bonuses=\"0\"";

std::string fAmbient() {
    return "<ambient>"
           "<border ul=\"c.png\" up=\"e.png\" ur=\"c.png\" lt=\"e.png\" rt=\"e.png\" dl=\"c.png\" dn=\"e.png\""
           " dr=\"c.png\"/>"
           "<left_ear size=\"150\"><background><FILE>ear.png</FILE></background>"
           "<stick><FILE>stick.png</FILE></stick><stickBlock><FILE>stick.png</FILE></stickBlock></left_ear>"
           "<up_ear><background><FILE>ear.png</FILE></background></up_ear>"
           "<highlight vertical=\"barv.png\" horisontal=\"barh.png\" font=\"clue\" font_color=\"255 46 42 90\""
           " shift=\"2 -3\"/>"
           "<error_panel pos=\"20 30\" grid=\"5 2\" interval=\"4 6\" ping=\"0.5\">"
           "<sprite><FILE>icon.png</FILE><HOT_SPOT>HS_UL</HOT_SPOT>"
           "<ANIMATION loop=\"false\" grid=\"4 1\" frames=\"4\" fps=\"20\"/></sprite>"
           "<sprite_lock><FILE>lock.png</FILE><HOT_SPOT>HS_UL</HOT_SPOT></sprite_lock></error_panel>"
           "<sunime fntName=\"medium\" fntColor=\"FFFFC93C\" fntHotSpot=\"HS_MID\" pos=\"223 57\"/>"
           "</ambient>";
}

class AmbientTest : public scenetest::SceneFixture {
protected:
    void SetUp() override {
        scenetest::SceneFixture::SetUp();
        fWrite("c.png", "8 8");
        fWrite("e.png", "8 8");
        fWrite("ear.png", "64 150");
        fWrite("stick.png", "2 150");
        fWrite("barv.png", "28 64");
        fWrite("barh.png", "64 28");
        fWrite("icon.png", "128 32");
        fWrite("lock.png", "32 32");
        fMount();
        ASSERT_TRUE(
            mLevel.load_string(boardtest::fLevel(kSETTINGS, std::vector<std::string>(7, "#..........#")).c_str()));
        ASSERT_TRUE(mLayout.fLoad(mLevel.document_element().child("settings")));
    }

    // Loads the frame from a text; true when it loaded.
    bool fLoad(GG_AMBIENT& ambient, const std::string& xml) {
        pugi::xml_document doc;
        if (!doc.load_string(xml.c_str())) return false;
        return ambient.fLoad(&mLayout, doc.document_element());
    }

    pugi::xml_document mLevel;
    GG_BOARD_LAYOUT mLayout;
};

// The value of `attribute` of `element` in the frame's text replaced.
std::string fWith(const std::string& element, const std::string& attribute, const std::string& value) {
    pugi::xml_document doc;
    doc.load_string(fAmbient().c_str());
    pugi::xml_node node = doc.document_element().child(element.c_str());
    if (!node.attribute(attribute.c_str())) node.append_attribute(attribute.c_str());
    node.attribute(attribute.c_str()).set_value(value.c_str());
    std::ostringstream out;
    doc.save(out, "", pugi::format_raw);
    return out.str();
}

std::string fWithout(const std::string& element) {
    pugi::xml_document doc;
    doc.load_string(fAmbient().c_str());
    doc.document_element().remove_child(element.c_str());
    std::ostringstream out;
    doc.save(out, "", pugi::format_raw);
    return out.str();
}

}  // namespace

TEST_F(AmbientTest, HostileNumbersAndMissingPartsFailTheLoadWithAClearText) {
    struct Case {
        const char* element;
        const char* attribute;
        const char* value;
    };
    const Case cases[] = {
        {"left_ear", "size", "-5"},
        {"left_ear", "size", "99999999999"},
        {"up_ear", "size", "12abc"},
        {"error_panel", "grid", "0 2"},
        {"error_panel", "grid", "1000000 1000000"},
        {"error_panel", "grid", "3"},
        {"error_panel", "ping", "nan"},
        {"error_panel", "ping", "-1"},
        {"error_panel", "ping", "1e40"},
        {"error_panel", "interval", "1e9 0"},
        {"error_panel", "pos", "1 2 3"},
        {"highlight", "shift", "inf 0"},
        {"sunime", "pos", "nan nan"},
    };
    for (const Case& c : cases) {
        GG_AMBIENT ambient;
        game::GG_ERROR::fClear();
        EXPECT_FALSE(fLoad(ambient, fWith(c.element, c.attribute, c.value))) << c.element << " " << c.value;
        EXPECT_NE(game::GG_ERROR::fText().find(c.attribute), std::string::npos) << game::GG_ERROR::fText();
    }
    for (const char* element : {"border", "left_ear", "up_ear", "highlight", "error_panel", "sunime"}) {
        GG_AMBIENT ambient;
        game::GG_ERROR::fClear();
        EXPECT_FALSE(fLoad(ambient, fWithout(element))) << element;
        EXPECT_NE(game::GG_ERROR::fText().find(element), std::string::npos) << game::GG_ERROR::fText();
    }
    GG_AMBIENT noLock;
    std::string xml = fAmbient();
    xml.replace(xml.find("<sprite_lock>"), xml.find("</sprite_lock>") + 14 - xml.find("<sprite_lock>"), "");
    EXPECT_FALSE(fLoad(noLock, xml)) << "the lock picture is required";
    EXPECT_FALSE(GG_AMBIENT().fLoad(nullptr, pugi::xml_node()));

    GG_AMBIENT good;
    ASSERT_TRUE(fLoad(good, fAmbient())) << game::GG_ERROR::fText();
    EXPECT_EQ(good.fGetUpEar().fGetSize(), 160) << "no size gives the default";
    EXPECT_EQ(good.fGetLeftEar().fGetSize(), 150);
    EXPECT_EQ(good.fGetHighlightColor().fGetARGB(), 0xFF2E2A5Au) << "four decimals read as a colour";
    EXPECT_EQ(good.fGetHighlightShift(), KEL::KS_POINT(2, -3));
}

TEST_F(AmbientTest, StripsMarkEveryLineAndBlockSticksStandInTheGapsCountedFromTheTop) {
    GG_AMBIENT ambient;
    ASSERT_TRUE(fLoad(ambient, fAmbient()));
    ambient.fLoadResources(nullptr);
    const float gap = 3.0f, cell = 28.0f;

    // Upper strip: x from the board's left edge; block lines before columns
    // 0, 5 and 10, and none after the part block of two.
    game::GG_AMBIENT_EAR& up = ambient.fGetUpEar();
    ASSERT_EQ(up.fGetStickCount(), 13);
    bool block = false;
    EXPECT_FLOAT_EQ(up.fGetStickX(0, &block), gap / 2);
    EXPECT_TRUE(block);
    EXPECT_FLOAT_EQ(up.fGetStickX(1, &block), gap + cell);
    EXPECT_FALSE(block);
    const float centre4 = ambient.fGetCellCentre(0, 4).x, centre5 = ambient.fGetCellCentre(0, 5).x;
    EXPECT_FLOAT_EQ(mLayout.mOrigin.x + up.fGetStickX(5, &block), (centre4 + centre5) / 2) << "in the gap";
    EXPECT_TRUE(block);
    EXPECT_FLOAT_EQ(mLayout.mOrigin.x + up.fGetStickX(12, &block), centre5 + 6 * cell + gap + cell / 2);
    EXPECT_FALSE(block) << "12 columns do not end a block";

    // Left strip: turned a quarter from the bottom corner, its lines still
    // counted from the top, so the block stick after row 4 lies in that gap.
    game::GG_AMBIENT_EAR& left = ambient.fGetLeftEar();
    const float bottom = mLayout.mOrigin.y + float(mLayout.mHeight);
    EXPECT_FLOAT_EQ(left.fGetFrame().mPosition.y, bottom);
    EXPECT_FLOAT_EQ(left.fGetFrame().mRotation.z, -1.5707964f);
    const float row4 = ambient.fGetCellCentre(4, 0).y, row5 = ambient.fGetCellCentre(5, 0).y;
    EXPECT_FLOAT_EQ(bottom - left.fGetStickX(5, &block), (row4 + row5) / 2);
    EXPECT_TRUE(block);
    EXPECT_FLOAT_EQ(bottom - left.fGetStickX(0), mLayout.mOrigin.y + gap / 2);
    EXPECT_EQ(left.fGetBackground().fGetWidth(), float(mLayout.mHeight)) << "the strip runs the board's height";
    EXPECT_EQ(left.fGetBackground().fGetHeight(), 150.0f);

    // Background plus 8 sticks for the 7 rows; the upper strip has no sticks.
    EXPECT_EQ(fDrawnTriangles([&] { left.fDraw(); }), 2u * 9u);
    EXPECT_EQ(fDrawnTriangles([&] { up.fDraw(); }), 2u);
    ambient.fReleaseResources();
}

TEST_F(AmbientTest, HighlightFollowsCellsToTheGridEdgesAndLeavesOutsideIt) {
    GG_AMBIENT ambient;
    ASSERT_TRUE(fLoad(ambient, fAmbient()));
    ambient.fLoadResources(nullptr);
    game::GG_PROCESS board;
    pugi::xml_document numbers;
    ASSERT_TRUE(numbers.load_string(boardtest::kNUMBERS));
    ASSERT_TRUE(board.fLoad(mLevel.document_element().child("gElements"), &mLayout, numbers.document_element()));

    // Bars run over board and strip and keep their textures' thickness.
    EXPECT_EQ(ambient.fGetHorizontalBar().fGetWidth(), float(mLayout.mWidth) + 150.0f);
    EXPECT_EQ(ambient.fGetHorizontalBar().fGetHeight(), 28.0f);
    EXPECT_EQ(ambient.fGetVerticalBar().fGetHeight(), float(mLayout.mHeight) + 160.0f);

    auto drawn = [&] { return fDrawnTriangles([&] { ambient.fDrawHighlight(); }); };
    EXPECT_EQ(drawn(), 0u) << "hidden until shown";
    ambient.fShowHighlight(true);
    EXPECT_EQ(drawn(), 0u) << "shown but over no cell";

    const int corners[][2] = {{0, 0}, {0, 11}, {6, 0}, {6, 11}, {4, 5}, {5, 4}};
    for (const auto& rc : corners) {
        ASSERT_TRUE(ambient.fMoveHighlight(rc[0], rc[1]));
        const KEL::KS_VEC2 cell = board.fGetCell(rc[0], rc[1])->fGetPosition();
        EXPECT_FLOAT_EQ(ambient.fGetHorizontalBar().fGetTransform()->mPosition.y, cell.y) << rc[0] << "," << rc[1];
        EXPECT_FLOAT_EQ(ambient.fGetVerticalBar().fGetTransform()->mPosition.x, cell.x) << rc[0] << "," << rc[1];
        EXPECT_EQ(drawn(), 4u);
    }

    const int outside[][2] = {{-1, 0}, {0, -1}, {7, 0}, {0, 12}, {INT_MIN, INT_MAX}};
    for (const auto& rc : outside) {
        ASSERT_TRUE(ambient.fMoveHighlight(3, 3));
        EXPECT_FALSE(ambient.fMoveHighlight(rc[0], rc[1]));
        EXPECT_EQ(ambient.fGetHighlightCell(), KEL::KS_POINT(-1, -1));
        EXPECT_EQ(drawn(), 0u) << rc[0] << "," << rc[1];
    }
    ambient.fMoveHighlight(3, 3);
    ambient.fShowHighlight(false);
    EXPECT_EQ(drawn(), 0u);
    board.fReleaseResources();
    ambient.fReleaseResources();
}

TEST_F(AmbientTest, BorderTilesAndScoreFollowTheLayout) {
    GG_AMBIENT ambient;
    ASSERT_TRUE(fLoad(ambient, fAmbient()));
    ambient.fLoadResources(nullptr);
    EXPECT_EQ(ambient.fGetBorder().fGetWidth(), float(mLayout.mWidth));
    EXPECT_EQ(ambient.fGetBorder().fGetHeight(), float(mLayout.mHeight));
    EXPECT_FLOAT_EQ(ambient.fGetBorder().fGetTransform()->mPosition.x, mLayout.mOrigin.x + mLayout.mWidth / 2.0f);
    // The level's block sprite has no texture here, so no tiles are drawn.
    EXPECT_EQ(fDrawnTriangles([&] { ambient.fDrawTiles(); }), 0u);

    ambient.fAddScore(10);
    ambient.fAddScore(50);
    EXPECT_EQ(ambient.fGetScore(), 60);
    ambient.fAddScore(INT_MAX);
    EXPECT_EQ(ambient.fGetScore(), INT_MAX) << "the counter saturates";
    ambient.fAddError();
    ambient.fReset();
    EXPECT_EQ(ambient.fGetScore(), 0);
    EXPECT_EQ(ambient.fGetErrorPanel().fGetErrors(), 0);
    ambient.fReleaseResources();
}

TEST_F(AmbientTest, ErrorPanelFillsFreePlacesOnePerPingAndLocksTheRest) {
    GG_AMBIENT ambient;
    ASSERT_TRUE(fLoad(ambient, fAmbient()));
    ambient.fLoadResources(nullptr);
    game::GG_ICON_GRID& panel = ambient.fGetErrorPanel();
    ambient.fSetErrorLimit(6);
    EXPECT_EQ(panel.fGetPlaceCount(), 10);
    EXPECT_EQ(panel.fGetLockedCount(), 4) << "the last four of 5 x 2 places";
    EXPECT_FLOAT_EQ(panel.fGetPlace(6).x, 20.0f + 36.0f);
    EXPECT_FLOAT_EQ(panel.fGetPlace(6).y, 30.0f + 38.0f);
    EXPECT_EQ(fDrawnTriangles([&] { ambient.fDrawErrors(); }), 2u * 4u) << "locks only";

    // Three errors in one drag show up one "ping" apart.
    KEL::kfFRAME_DELTA = 0.1f;
    for (int i = 0; i < 3; ++i) ambient.fAddError();
    EXPECT_EQ(panel.fGetQueuedCount(), 3);
    EXPECT_FLOAT_EQ(panel.fGetPendingTime(), 3 * (4.0f / 20.0f + 0.5f));
    std::vector<int> shownAt;
    for (int frame = 1; frame <= 20; ++frame) {
        const int before = panel.fGetShownCount();
        ambient.fUpdate();
        if (panel.fGetShownCount() > before) shownAt.push_back(frame);
    }
    ASSERT_EQ(shownAt.size(), 3u);
    EXPECT_NEAR(shownAt[1] - shownAt[0], 5, 1);
    EXPECT_NEAR(shownAt[2] - shownAt[1], 5, 1);
    EXPECT_GE(shownAt[0], 4) << "the first icon waits its ping too";

    // Up to the limit and beyond: no more than six icons, never over a lock.
    for (int i = 0; i < 5; ++i) ambient.fAddError();
    EXPECT_EQ(panel.fGetErrors(), 8);
    EXPECT_EQ(panel.fGetShownCount() + panel.fGetQueuedCount(), 6);
    for (int frame = 0; frame < 40; ++frame) ambient.fUpdate();
    EXPECT_EQ(panel.fGetShownCount(), 6);
    EXPECT_EQ(panel.fGetPendingTime(), 0.0f);
    EXPECT_EQ(fDrawnTriangles([&] { ambient.fDrawErrors(); }), 2u * 10u);

    // A limit of 0 locks every place and shows no icon; a limit above the
    // places locks none and still shows at most one icon per place.
    ambient.fResetErrors();
    ambient.fSetErrorLimit(0);
    ambient.fAddError();
    EXPECT_EQ(panel.fGetQueuedCount(), 0);
    EXPECT_EQ(panel.fGetLockedCount(), 10);
    ambient.fSetErrorLimit(-3);
    EXPECT_EQ(panel.fGetLimit(), 0);
    ambient.fResetErrors();
    ambient.fSetErrorLimit(25);
    EXPECT_EQ(panel.fGetLockedCount(), 0);
    for (int i = 0; i < 30; ++i) ambient.fAddError();
    EXPECT_EQ(panel.fGetQueuedCount(), 10);
    ambient.fReleaseResources();
}

TEST_F(AmbientTest, AnIconWithoutARateWaitsOnlyItsPing) {
    GG_AMBIENT ambient;
    std::string xml = fAmbient();
    xml.replace(xml.find("fps=\"20\""), 8, "fps=\"0\"");
    ASSERT_TRUE(fLoad(ambient, xml));
    ambient.fSetErrorLimit(6);
    ambient.fAddError();
    ambient.fAddError();
    EXPECT_FLOAT_EQ(ambient.fGetErrorPanel().fGetPendingTime(), 2 * 0.5f);
}
