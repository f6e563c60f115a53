// The window factory: which window files become windows and of which
// class, how their texts are translated, and which sounds their clicks play.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <algorithm>
#include <iterator>
#include <string>
#include <typeinfo>

#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/scene/SceneFixture.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_EDITBOX.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "engine/windows/G_WINDOW_SIMPLE.h"
#include "game/app/GG_WINDOW_FACTORY.h"
#include "game/screens/GG_SCREEN_CLASSES.h"
#include "game/screens/GG_WINDOW_CONFIRM_EX.h"
#include "game/screens/GG_WINDOW_FINISH.h"
#include "game/screens/GG_WINDOW_GAME_MENU.h"
#include "game/screens/GG_WINDOW_HEALTH.h"
#include "game/screens/GG_WINDOW_HELP.h"
#include "game/screens/GG_WINDOW_LEVEL.h"
#include "game/screens/GG_WINDOW_OPTIONS.h"
#include "game/screens/GG_WINDOW_PACK.h"
#include "game/screens/GG_WINDOW_PACK_MENU.h"
#include "game/screens/GG_WINDOW_PLAYERS.h"
#include "game/screens/GG_WINDOW_SHOP.h"
#include "game/screens/GG_WINDOW_SUNIME.h"
#include "game/screens/GG_WINDOW_TITLE.h"
#include "game/screens/GG_WINDOW_TITLE_TOP.h"
#include "game/screens/GG_WINDOW_TROPHY.h"
#include "game/screens/GG_WINDOW_TROPHY_GET.h"

using KEL::KC_GUI_OBJECT;
using KEL::KC_GUI_WLABEL;

namespace {

constexpr const char* kSHEET = "<Workbook><Worksheet><Table>"
                               "<Row><Cell><Data>title</Data></Cell><Cell><Data>Picture Logic</Data></Cell></Row>"
                               "<Row><Cell><Data>Picture Logic</Data></Cell><Cell><Data>twice</Data></Cell></Row>"
                               "<Row><Cell><Data>play</Data></Cell><Cell><Data>100% fun</Data></Cell></Row>"
                               "</Table></Worksheet></Workbook>";

class WindowFactoryTest : public scenetest::SceneFixture {
protected:
    void SetUp() override {
        SceneFixture::SetUp();
        ASSERT_TRUE(mSheet.load_string(kSHEET));
        mStrings.fRead(KEL::KC_STRING_TABLE::fFirstRow(mSheet));
        game::fSetWindowServices(&mStrings, nullptr);
    }
    void TearDown() override {
        game::fSetWindowServices(nullptr, nullptr);
        SceneFixture::TearDown();
    }
    pugi::xml_node fNode(const std::string& xml) {
        mDocuments.emplace_back(std::make_unique<pugi::xml_document>());
        EXPECT_TRUE(mDocuments.back()->load_string(xml.c_str()));
        return mDocuments.back()->document_element();
    }
    static KC_GUI_WLABEL* fLabel(KEL::G_WINDOW& window, int32_t id) {
        return dynamic_cast<KC_GUI_WLABEL*>(window.fGetGui()->fGetRootWidget().fFindChild(id));
    }

    pugi::xml_document mSheet;
    KEL::KC_STRING_TABLE mStrings;
    std::vector<std::unique_ptr<pugi::xml_document>> mDocuments;
};

}  // namespace

namespace {

// Each registered class name and the class its windows must have; a name
// whose own class was forgotten would fall back to the simple window.
struct KS_EXPECTED_CLASS {
    const char* mType;
    const std::type_info& mClass;
};
const KS_EXPECTED_CLASS kCLASSES[] = {
    {"GG_WINDOW_TITLE_TOP", typeid(game::GG_WINDOW_TITLE_TOP)},
    {"GG_WINDOW_TITLE", typeid(game::GG_WINDOW_TITLE)},
    {"GG_WINDOW_OPTIONS", typeid(game::GG_WINDOW_OPTIONS)},
    {"GG_WINDOW_PACK", typeid(game::GG_WINDOW_PACK)},
    {"GG_WINDOW_PACK_MENU", typeid(game::GG_WINDOW_PACK_MENU)},
    {"GG_WINDOW_PLAYERS", typeid(game::GG_WINDOW_PLAYERS)},
    {"G_WINDOW_CONFIRM", typeid(KEL::G_WINDOW_CONFIRM)},
    {"G_WINDOW_EDITBOX", typeid(KEL::G_WINDOW_EDITBOX)},
    {"GG_WINDOW_LEVEL", typeid(game::GG_WINDOW_LEVEL)},
    {"GG_WINDOW_GAME_MENU", typeid(game::GG_WINDOW_GAME_MENU)},
    {"GG_WINDOW_CONFIRM_EX", typeid(game::GG_WINDOW_CONFIRM_EX)},
    {"GG_WINDOW_HELP", typeid(game::GG_WINDOW_HELP)},
    {"GG_WINDOW_TROPHY", typeid(game::GG_WINDOW_TROPHY)},
    {"G_WINDOW_SIMPLE", typeid(KEL::G_WINDOW_SIMPLE)},
    {"GG_WINDOW_FINISH", typeid(game::GG_WINDOW_FINISH)},
    {"GG_WINDOW_TROPHY_GET", typeid(game::GG_WINDOW_TROPHY_GET)},
    {"GG_WINDOW_SUNIME", typeid(game::GG_WINDOW_SUNIME)},
    {"GG_WINDOW_SHOP", typeid(game::GG_WINDOW_SHOP)},
    {"GG_WINDOW_HEALTH", typeid(game::GG_WINDOW_HEALTH)},
};

}  // namespace

TEST_F(WindowFactoryTest, EveryRegisteredClassMakesANamedWindowOfItsOwnClass) {
    ASSERT_EQ(std::size(kCLASSES), game::fWindowClasses().size()) << "a registered class without a row here";
    for (const game::KS_WINDOW_CLASS& entry : game::fWindowClasses()) {
        const char* type = entry.mType;
        const auto row = std::find_if(std::begin(kCLASSES), std::end(kCLASSES),
                                      [type](const KS_EXPECTED_CLASS& c) { return std::string(c.mType) == type; });
        ASSERT_NE(row, std::end(kCLASSES)) << type << " has no row here";
        auto window = game::fCreateWindow(fNode(std::string("<w _type='") + type + "' _name='N'/>"));
        ASSERT_NE(window, nullptr) << type;
        EXPECT_EQ(window->fGetName(), "N") << type;
        const KEL::G_WINDOW& made = *window;
        EXPECT_EQ(typeid(made), row->mClass) << type << " made a " << typeid(made).name();
    }
}

TEST_F(WindowFactoryTest, MissingNameOrTypeOrAnUnknownClassMakesNothing) {
    EXPECT_EQ(game::fCreateWindow(fNode("<w _type='G_WINDOW_SIMPLE'/>")), nullptr);
    EXPECT_EQ(game::fCreateWindow(fNode("<w _name='A'/>")), nullptr);
    EXPECT_EQ(game::fCreateWindow(fNode("<w _type='g_window_simple' _name='A'/>")), nullptr) << "exact case";
    EXPECT_EQ(game::fCreateWindow(fNode("<w _type='GG_WINDOW_TITLE ' _name='A'/>")), nullptr);
}

TEST_F(WindowFactoryTest, NestedLabelsAreTranslatedAndUnknownKeysShowTheFallback) {
    auto window = game::fCreateWindow(fNode("<w _type='G_WINDOW_SIMPLE' _name='A'><GUI>"
                                            "<WLABEL ID='1' FONT='f.xml' FONT_TEXTURE='f.png' TEXT='title'/>"
                                            "<PANEL ID='2' TEXTURE='p.png'><CONTEXT>"
                                            "<WLABEL ID='3' FONT='f.xml' FONT_TEXTURE='f.png' TEXT='play'/>"
                                            "<WLABEL ID='4' FONT='f.xml' FONT_TEXTURE='f.png' TEXT='no_such_key'/>"
                                            "</CONTEXT></PANEL>"
                                            "</GUI></w>"));
    ASSERT_NE(window, nullptr);
    KC_GUI_OBJECT& root = window->fGetGui()->fGetRootWidget();
    ASSERT_NE(fLabel(*window, 1), nullptr);
    EXPECT_EQ(fLabel(*window, 1)->fGetText(), L"Picture Logic");
    KC_GUI_OBJECT* panel = root.fFindChild(2);
    ASSERT_NE(panel, nullptr);
    auto* play = dynamic_cast<KC_GUI_WLABEL*>(panel->fFindChild(3));
    auto* unknown = dynamic_cast<KC_GUI_WLABEL*>(panel->fFindChild(4));
    ASSERT_NE(play, nullptr);
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(play->fGetText(), L"100% fun") << "a translation is taken as it is";
    EXPECT_EQ(unknown->fGetText(), L"etwas");
}

TEST_F(WindowFactoryTest, TranslatingTwiceLooksUpTheTranslatedText) {
    KC_GUI_WLABEL label(1, "", "", L"title");
    game::fLocalizeTree(&label, mStrings);
    EXPECT_EQ(label.fGetText(), L"Picture Logic");
    game::fLocalizeTree(&label, mStrings);
    EXPECT_EQ(label.fGetText(), L"twice");
    game::fLocalizeTree(nullptr, mStrings);
}

TEST_F(WindowFactoryTest, TheManagerBuildsEveryRegisteredClass) {
    KEL::G_WINDOW_MANAGER manager;
    game::fRegisterWindowClasses(manager);
    for (const game::KS_WINDOW_CLASS& entry : game::fWindowClasses())
        EXPECT_TRUE(manager.fHasClass(entry.mType)) << entry.mType;
    EXPECT_NE(manager.fCreateWindow(fNode("<w _type='GG_WINDOW_HELP' _name='Help'/>")), nullptr);
    EXPECT_EQ(manager.fCreateWindow(fNode("<w _type='GG_WINDOW_NOTHING' _name='X'/>")), nullptr);
    EXPECT_NE(manager.fFindWindow("Help"), nullptr);
}
