// The text entry window driven through the window manager with the
// engine's input: it starts empty with OK greyed each time it is shown,
// refuses characters, checks the text after every release, and answers
// with the text.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "WindowsFixture.h"
#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/gui/KC_GUI_LINEBOX.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/windows/G_WINDOW_EDITBOX.h"
#include "engine/windows/G_WINDOW_MANAGER.h"

using KEL::G_WINDOW_EDITBOX;
using KEL::KC_GUI_BUTTON5;
using KEL::KC_GUI_LINEBOX;

namespace {

constexpr int32_t kBACKSPACE = 8;
constexpr uint32_t kINK = 0xFF112233u, kRED = 0xFFFF0000u;

// A font of every printable ASCII character, 8 wide with an advance of 10.
std::string fFontXml() {
    std::string xml = R"(<font><common lineHeight="20"/><chars>)";
    for (int code = 32; code < 127; ++code)
        xml += "<char id=\"" + std::to_string(code) +
               "\" x=\"0\" y=\"0\" width=\"8\" height=\"16\" xoffset=\"0\" yoffset=\"0\" xadvance=\"10\"/>";
    return xml + "</chars></font>";
}

struct KS_ANSWERS {
    std::vector<std::wstring> mTexts;
    std::vector<int32_t> mAnswers;
    std::wstring mRefused;
    static void fOnAnswer(void* user, const std::wstring& text, int32_t answer) {
        auto* self = static_cast<KS_ANSWERS*>(user);
        self->mTexts.push_back(text);
        self->mAnswers.push_back(answer);
    }
    static bool fCheck(void* user, const std::wstring& text) {
        return text != static_cast<KS_ANSWERS*>(user)->mRefused;
    }
};

class EditBoxTest : public windowstest::WindowsTest {
protected:
    void SetUp() override {
        WindowsTest::SetUp();
        mInput = std::make_unique<KEL::KC_INPUT>();
        fWrite("font.xml", fFontXml());
        fWrite("page.png", "256 256");
        fWrite("box.png", "200 30");
        fWrite("strip5.png", "200 40");
        fWrite("mark.png", "16 16");
        fMount();
        mEdit = static_cast<G_WINDOW_EDITBOX*>(mManager.fAddWindow(std::make_unique<G_WINDOW_EDITBOX>(fNode(
            "<w _name='Edit' _modal='1' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL'>"
            "<SETTINGS text_color='FF112233' text_color_error='0xFFFF0000'/><GUI>"
            "<LINEBOX ID='2' TEXTURE='data box.png' FONT_TEXTURE='data page.png' FONT='data font.xml'/>"
            "<BUTTON5 ID='3' TEXTURE='data strip5.png'><POSITION>-100 100</POSITION></BUTTON5>"
            "<BUTTON5 ID='4' TEXTURE='data strip5.png'><POSITION>100 100</POSITION></BUTTON5>"
            "<IMAGE ID='5' TEXTURE='data mark.png' ENABLE='0'><POSITION>150 0</POSITION></IMAGE>"
            "<WLABEL ID='7' FONT='data font.xml' FONT_TEXTURE='data page.png' TEXT='taken' ENABLE='0' VISIBLE='0'/>"
            "</GUI></w>"))));
        mEdit->fSetAnswerHandler(&KS_ANSWERS::fOnAnswer, &mAnswers);
        mBox = dynamic_cast<KC_GUI_LINEBOX*>(mEdit->fGetGui()->fFindChild(2));
        mOk = dynamic_cast<KC_GUI_BUTTON5*>(mEdit->fGetGui()->fFindChild(3));
        mMark = mEdit->fGetGui()->fFindChild(5);
        mWords = mEdit->fGetGui()->fFindChild(7);
        ASSERT_TRUE(mBox && mOk && mMark && mWords);
    }
    void TearDown() override {
        mManager.fDeleteAll();
        mInput.reset();
        WindowsTest::TearDown();
    }
    void fShow() {
        mManager.fShowWindow("Edit");
        KEL::kfFRAME_DELTA = kDT;
        mManager.fUpdate();
    }
    // A key down and up through the manager, as one logic step.
    void fKey(int32_t key) {
        mInput->fOnKeyDown(key);
        mManager.fOnMouseDown(key);
        mInput->fOnKeyUp(key);
        mManager.fOnMouseUp(key);
        mInput->fUpdate();
    }
    void fType(const std::string& keys) {
        for (char c : keys) fKey(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    // Relative to the screen centre, where the window rests.
    void fClick(int32_t x, int32_t y) {
        mInput->fOnMouseMove(512 + x, 384 + y);
        mManager.fOnMouseMove();
        fKey(1);
    }

    std::unique_ptr<KEL::KC_INPUT> mInput;
    KEL::G_WINDOW_MANAGER mManager;
    G_WINDOW_EDITBOX* mEdit = nullptr;
    KC_GUI_LINEBOX* mBox = nullptr;
    KC_GUI_BUTTON5* mOk = nullptr;
    KEL::KC_GUI_OBJECT* mMark = nullptr;
    KEL::KC_GUI_OBJECT* mWords = nullptr;
    KS_ANSWERS mAnswers;
};

}  // namespace

TEST_F(EditBoxTest, StartsEmptyWithOkGreyedEachTimeItIsShown) {
    EXPECT_EQ(mEdit->fGetTextColor().fGetARGB(), kINK);
    EXPECT_EQ(mEdit->fGetErrorColor().fGetARGB(), kRED);
    EXPECT_EQ(mBox->fGetRefused(), G_WINDOW_EDITBOX::kREFUSED);
    fShow();
    EXPECT_TRUE(mBox->fIsActive()) << "the box has the keyboard when the window gets focus";
    EXPECT_EQ(mOk->fGetState(), KC_GUI_BUTTON5::kDISABLED);
    fType("a b");
    fKey(0x6A);  // the keypad's *
    fKey(0xDC);  // backslash
    fKey(0xBE);  // full stop
    EXPECT_EQ(mEdit->fGetText(), L"ab") << "refused characters are never typed";
    EXPECT_EQ(mOk->fGetState(), KC_GUI_BUTTON5::kNORMAL);
    EXPECT_FALSE(mMark->fIsVisible());

    fClick(-100, 100);
    EXPECT_EQ(mAnswers.mTexts, std::vector<std::wstring>{L"ab"});
    EXPECT_EQ(mAnswers.mAnswers, std::vector<int32_t>{G_WINDOW_EDITBOX::kANSWER_OK});
    mManager.fUpdate();
    EXPECT_FALSE(mManager.fIsOpen("Edit"));

    fShow();
    EXPECT_TRUE(mEdit->fGetText().empty());
    EXPECT_EQ(mOk->fGetState(), KC_GUI_BUTTON5::kDISABLED);
    EXPECT_EQ(mBox->fGetTextColor(), kINK);
    fType("zed");
    fClick(100, 100);
    EXPECT_EQ(mAnswers.mTexts.back(), L"zed");
    EXPECT_EQ(mAnswers.mAnswers.back(), G_WINDOW_EDITBOX::kANSWER_CANCEL) << "cancel";
}

TEST_F(EditBoxTest, OkEnabledByTypingUnderARestingPointerTakesTheClick) {
    fShow();
    mInput->fOnMouseMove(512 - 100, 384 + 100);
    mManager.fOnMouseMove();
    EXPECT_EQ(mOk->fGetState(), KC_GUI_BUTTON5::kDISABLED);
    fType("ab");
    mManager.fUpdate();
    EXPECT_EQ(mOk->fGetState(), KC_GUI_BUTTON5::kHOVER) << "lit without a move";
    fKey(1);
    EXPECT_EQ(mAnswers.mAnswers, std::vector<int32_t>{G_WINDOW_EDITBOX::kANSWER_OK});
}

TEST_F(EditBoxTest, ARefusedTextShowsTheMarkInRedAndOkTakesNothing) {
    mAnswers.mRefused = L"bob";
    mEdit->fSetCheckHandler(&KS_ANSWERS::fCheck, &mAnswers);
    mEdit->fSetMaxChars(4);
    fShow();
    fType("bob");
    EXPECT_TRUE(mMark->fIsVisible());
    EXPECT_TRUE(mWords->fIsVisible()) << "the words saying why come with the mark";
    EXPECT_EQ(mBox->fGetTextColor(), kRED);
    EXPECT_EQ(mOk->fGetState(), KC_GUI_BUTTON5::kDISABLED);
    mEdit->fOnClick(G_WINDOW_EDITBOX::kOK);
    EXPECT_TRUE(mAnswers.mTexts.empty()) << "OK checks again";
    EXPECT_TRUE(mEdit->fIsOpen());

    fKey(kBACKSPACE);
    EXPECT_FALSE(mWords->fIsVisible()) << "and go with it";
    for (int i = 0; i < 2; ++i) fKey(kBACKSPACE);
    EXPECT_FALSE(mMark->fIsVisible()) << "an empty text shows no mark";
    EXPECT_FALSE(mWords->fIsVisible());
    EXPECT_EQ(mOk->fGetState(), KC_GUI_BUTTON5::kDISABLED);
    fType("bobby");
    EXPECT_EQ(mEdit->fGetText(), L"bobb") << "the limit holds";
    EXPECT_FALSE(mMark->fIsVisible());
    EXPECT_EQ(mBox->fGetTextColor(), kINK);
    EXPECT_EQ(mOk->fGetState(), KC_GUI_BUTTON5::kNORMAL);
    mEdit->fOnClick(G_WINDOW_EDITBOX::kOK);
    EXPECT_EQ(mAnswers.mTexts, std::vector<std::wstring>{L"bobb"});
    fShow();
    EXPECT_FALSE(mWords->fIsVisible()) << "a new showing starts clear";
}

TEST_F(EditBoxTest, WidgetsOfAnotherKindCountAsMissing) {
    G_WINDOW_EDITBOX bare(fNode("<w><GUI><IMAGE ID='2' TEXTURE='data mark.png'/><IMAGE ID='3' "
                                "TEXTURE='data mark.png'/></GUI></w>"));
    bare.fSetMaxChars(3);
    EXPECT_TRUE(bare.fGetText().empty());
    bare.fShow(true);
    bare.fOnActivated();
    bare.fOnClick(G_WINDOW_EDITBOX::kOK);
    bare.fOnClick(G_WINDOW_EDITBOX::kCANCEL);
    EXPECT_TRUE(bare.fIsAnimating()) << "cancel still closes it";
}
