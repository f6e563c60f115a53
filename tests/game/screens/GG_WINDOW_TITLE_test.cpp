// The title, its greeting strip and the player list, driven by clicks and
// keys: the first player's road from play and from options, leaving, and
// creating, choosing and deleting players.
#include "ScreensFixture.h"

#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/gui/KC_GUI_LISTBOX.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/windows/G_WINDOW_EDITBOX.h"
#include "game/screens/GG_WINDOW_CONFIRM_EX.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/GG_WINDOW_PLAYERS.h"
#include "game/screens/GG_WINDOW_TITLE.h"
#include "game/screens/GG_WINDOW_TITLE_TOP.h"

using namespace screenstest;
using game::GG_WINDOW_PLAYERS;
using game::GG_WINDOW_TITLE;
using game::GG_WINDOW_TITLE_TOP;
using KEL::G_WINDOW_EDITBOX;
using KEL::KC_GUI_BUTTON5;

namespace {

constexpr uint32_t kBACKSPACE = 8;
constexpr uint32_t kMINUS = 0xBD;
constexpr uint32_t kFULL_STOP = 0xBE;

class TitleTest : public ScreensTest {
protected:
    void fOpenTitle() {
        mGame->fOpenTitle();
        ASSERT_TRUE(fSettle());
    }
    // Types a name into the open name entry and presses OK.
    void fEnterName(const std::string& name) {
        ASSERT_TRUE(fSettle());
        ASSERT_TRUE(fIsOpen(GG_WINDOW_NAME::kPLAYER_NAME));
        fInput().fType(name);
        fClickWidget(GG_WINDOW_NAME::kPLAYER_NAME, G_WINDOW_EDITBOX::kOK);
        ASSERT_TRUE(fSettle());
    }
    std::wstring fCurrentName() {
        game::GG_PLAYER* player = mGame->fGetCurrentPlayer();
        return player ? player->fGetName() : L"<nobody>";
    }
    KEL::KC_GUI_LISTBOX* fList() { return fWindow<GG_WINDOW_PLAYERS>(GG_WINDOW_NAME::kPLAYERS)->fGetList(); }
    int32_t fState(int32_t id) {
        auto* button = dynamic_cast<KC_GUI_BUTTON5*>(
            mManager->fFindWindow(GG_WINDOW_NAME::kPLAYERS)->fGetGui()->fFindChild(id));
        return button ? button->fGetState() : -1;
    }
    // The change-player line of the greeting strip, where it is drawn.
    KEL::KS_VEC2 fChangeLine() {
        auto* top = fWindow<GG_WINDOW_TITLE_TOP>(GG_WINDOW_NAME::kTITLE_TOP);
        const KEL::KS_TRANSFORM3 place = top->fGetTransform().fGetAbsolute();
        // The middle of the drawn "Change player", under the greeting.
        return {place.mPosition.x, place.mPosition.y + 110.0f};
    }
};

}  // namespace

TEST_F(TitleTest, WithoutPlayersPlayAsksANameFirstAndCancellingChangesNothing) {
    fOpenTitle();
    fShot(GG_WINDOW_NAME::kTITLE);
    EXPECT_EQ(fWindow<GG_WINDOW_TITLE_TOP>(GG_WINDOW_NAME::kTITLE_TOP)->fGetGreeting(), L"Hello!");
    fClickWidget(GG_WINDOW_NAME::kTITLE, GG_WINDOW_TITLE::kPLAY);
    ASSERT_TRUE(fSettle());
    ASSERT_TRUE(fIsOpen(GG_WINDOW_NAME::kPLAYER_NAME));
    fClickWidget(GG_WINDOW_NAME::kPLAYER_NAME, G_WINDOW_EDITBOX::kCANCEL);
    ASSERT_TRUE(fSettle());
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kPLAYER_NAME));
    EXPECT_EQ(mGame->mPlayers.fGetCount(), 0u);
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kTITLE));
    EXPECT_TRUE(mGame->fTake().empty()) << "nothing saved, nothing opened";

    fClickWidget(GG_WINDOW_NAME::kTITLE, GG_WINDOW_TITLE::kPLAY);
    ASSERT_TRUE(fSettle());
    fInput().fType("anna");
    fShot(GG_WINDOW_NAME::kPLAYER_NAME);
    fClickWidget(GG_WINDOW_NAME::kPLAYER_NAME, G_WINDOW_EDITBOX::kOK);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(fCurrentName(), L"anna");
    EXPECT_EQ(mGame->fTake(), (std::vector<std::string>{"save", "open packs"})) << "saved, then the fade led on";
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kTITLE));
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kFADE));
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kPACKS));
}

TEST_F(TitleTest, OptionsWithoutPlayerMakesOneThenOpensOptionsAndExitQuitsOnlyOnYes) {
    fOpenTitle();
    fClickWidget(GG_WINDOW_NAME::kTITLE, GG_WINDOW_TITLE::kOPTIONS);
    fEnterName("bo");
    EXPECT_EQ(fCurrentName(), L"bo");
    EXPECT_EQ(mGame->fTake(), (std::vector<std::string>{"save", "open options"}));
    fClickWidget(GG_WINDOW_NAME::kTITLE, GG_WINDOW_TITLE::kOPTIONS);
    EXPECT_EQ(mGame->fTake(), std::vector<std::string>{"open options"}) << "a player exists now";

    fClickWidget(GG_WINDOW_NAME::kTITLE, GG_WINDOW_TITLE::kEXIT);
    ASSERT_TRUE(fSettle());
    fShot(GG_WINDOW_NAME::kEXIT_QUESTION);
    fClickWidget(GG_WINDOW_NAME::kEXIT_QUESTION, KEL::G_WINDOW_CONFIRM::kNO);
    ASSERT_TRUE(fSettle());
    EXPECT_TRUE(mGame->fTake().empty()) << "no keeps the game running";
    EXPECT_EQ(
        mManager->fFindWindow(GG_WINDOW_NAME::kEXIT_QUESTION)->fGetGui()->fFindChild(KEL::G_WINDOW_CONFIRM::kCLOSE),
        nullptr)
        << "no second cross beside the no";
    fClickWidget(GG_WINDOW_NAME::kTITLE, GG_WINDOW_TITLE::kEXIT);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kEXIT_QUESTION, KEL::G_WINDOW_CONFIRM::kYES);
    EXPECT_EQ(mGame->fTake(), std::vector<std::string>{"quit"});
}

TEST_F(TitleTest, TheChangePlayerLineActsOnlyWhileLitUnderThePointer) {
    fMakePlayer(L"Cleo");
    fOpenTitle();
    auto* top = fWindow<GG_WINDOW_TITLE_TOP>(GG_WINDOW_NAME::kTITLE_TOP);
    EXPECT_EQ(top->fGetGreeting(), L"Hello, Cleo!");
    const KEL::KS_VEC2 line = fChangeLine();
    fInput().fMove(fAt(int32_t(line.x), int32_t(line.y)));
    EXPECT_TRUE(top->fIsHighlighted());
    EXPECT_EQ(top->fGetLineColor(), 0xFFFFC93Cu);
    fShot(GG_WINDOW_NAME::kTITLE_TOP);
    // Pressed on the line, released away from it: nothing.
    fInput().fPress();
    fInput().fMove(fAt(int32_t(line.x) + 300, int32_t(line.y) + 200));
    EXPECT_FALSE(top->fIsHighlighted());
    fInput().fRelease();
    ASSERT_TRUE(fSettle());
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kPLAYERS));

    fInput().fClick(fAt(int32_t(line.x), int32_t(line.y)));
    ASSERT_TRUE(fSettle());
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kPLAYERS));
    EXPECT_FALSE(top->fIsHighlighted()) << "the modal list took the focus and the line went dark";
    EXPECT_EQ(top->fGetLineColor(), 0xFFFFFFFFu);
}

// The line lights and answers over the pixels it is drawn in, and not over
// the greeting above it: the drawn line is found as the pixels that change
// colour when it lights.
TEST_F(TitleTest, TheChangePlayerLineLightsWhereItIsDrawnAndNotOverTheGreeting) {
    fMakePlayer(L"Cleo");
    fOpenTitle();
    auto* top = fWindow<GG_WINDOW_TITLE_TOP>(GG_WINDOW_NAME::kTITLE_TOP);
    const KEL::KS_TRANSFORM3 place = top->fGetTransform().fGetAbsolute();
    const int32_t x = int32_t(place.mPosition.x);
    int32_t lit = -1;
    for (int32_t y = int32_t(place.mPosition.y); y < 200 && lit < 0; ++y) {
        fInput().fMove(fAt(x, y));
        if (top->fIsHighlighted()) lit = y;
    }
    ASSERT_GE(lit, 0) << "the line never lit";
    fShot("Title_Top_lit");
    const std::vector<uint8_t> litPixels = fScreen().fPixels();
    fInput().fMove(fAt(x, 700));
    ASSERT_FALSE(top->fIsHighlighted());
    fShot("Title_Top_dark");
    int32_t left = 1024, right = -1, upper = 768, lower = -1;
    for (int32_t py = 0; py < 300; ++py)
        for (int32_t px = 0; px < 1024; ++px)
            if (testsupport::fPixelOf(litPixels, 1024, px, py) != fScreen().fPixel(px, py)) {
                left = std::min(left, px), right = std::max(right, px);
                upper = std::min(upper, py), lower = std::max(lower, py);
            }
    ASSERT_LT(left, right) << "lighting the line changed no pixel";
    const int32_t height = lower - upper, width = right - left;

    // All over the drawn text, its middle and near each end.
    for (const auto& [px, py] :
         {std::pair{(left + right) / 2, (upper + lower) / 2}, std::pair{left + width / 10, upper + height / 4},
          std::pair{right - width / 10, lower - height / 4}}) {
        fInput().fMove(fAt(px, py));
        EXPECT_TRUE(top->fIsHighlighted()) << px << " " << py << " lies on the drawn line";
    }
    // Not over the greeting, nor well clear of the text.
    for (const auto& [px, py] : {std::pair{x, upper - height}, std::pair{x, lower + height},
                                 std::pair{left - width / 4, (upper + lower) / 2}}) {
        fInput().fMove(fAt(px, py));
        EXPECT_FALSE(top->fIsHighlighted()) << px << " " << py << " lies off the line";
    }
    fInput().fClick(fAt(x, upper - height));
    ASSERT_TRUE(fSettle());
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kPLAYERS)) << "a click on the greeting changes nobody";
    fInput().fClick(fAt((left + right) / 2, (upper + lower) / 2));
    ASSERT_TRUE(fSettle());
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kPLAYERS));
}

TEST_F(TitleTest, PlayersAreMadeChosenAndDeletedAndTheCurrentOneNeverDangles) {
    fMakePlayer(L"cleo");
    fMakePlayer(L"Dan");
    fOpenTitle();
    mManager->fShowWindow(GG_WINDOW_NAME::kPLAYERS);
    ASSERT_TRUE(fSettle());
    ASSERT_EQ(fList()->fGetCount(), 2);
    EXPECT_EQ(*fList()->fGetSelected(), L"Dan") << "the current player is selected";
    fShot(GG_WINDOW_NAME::kPLAYERS);

    // A new player: fifteen characters at most, refused characters never
    // typed, a name taken refused.
    fClickWidget(GG_WINDOW_NAME::kPLAYERS, GG_WINDOW_PLAYERS::kNEW);
    ASSERT_TRUE(fSettle());
    fInput().fType("cleo");
    fClickWidget(GG_WINDOW_NAME::kPLAYER_NAME, G_WINDOW_EDITBOX::kOK);
    ASSERT_TRUE(fSettle());
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kPLAYER_NAME)) << "a name taken is refused";
    {
        KEL::KC_GUI_ROOT* gui = mManager->fFindWindow(GG_WINDOW_NAME::kPLAYER_NAME)->fGetGui();
        auto* words = dynamic_cast<KEL::KC_GUI_WLABEL*>(gui->fFindChild(G_WINDOW_EDITBOX::kERROR_TEXT));
        ASSERT_NE(words, nullptr);
        EXPECT_TRUE(words->fIsVisible());
        EXPECT_TRUE(gui->fFindChild(G_WINDOW_EDITBOX::kERROR_MARK)->fIsVisible());
        EXPECT_EQ(words->fGetText(), L"That name is already taken") << "in words beside the red mark";
        fShot("Players_EditBox-taken");
    }
    fClickWidget(GG_WINDOW_NAME::kPLAYER_NAME, G_WINDOW_EDITBOX::kLINEBOX);
    for (int i = 0; i < 4; ++i) fInput().fKey(kBACKSPACE);
    fInput().fType("abc");
    fInput().fKey(kMINUS);
    fInput().fType("def ghi");
    fInput().fKey(kFULL_STOP);
    fInput().fType("jklmnopqrstu");
    EXPECT_EQ(fWindow<G_WINDOW_EDITBOX>(GG_WINDOW_NAME::kPLAYER_NAME)->fGetText(), L"abcdefghijklmno");
    EXPECT_FALSE(mManager->fFindWindow(GG_WINDOW_NAME::kPLAYER_NAME)
                     ->fGetGui()
                     ->fFindChild(G_WINDOW_EDITBOX::kERROR_TEXT)
                     ->fIsVisible());
    fClickWidget(GG_WINDOW_NAME::kPLAYER_NAME, G_WINDOW_EDITBOX::kOK);
    ASSERT_TRUE(fSettle());
    ASSERT_EQ(fList()->fGetCount(), 3);
    EXPECT_EQ(*fList()->fGetSelected(), L"abcdefghijklmno");
    EXPECT_EQ(fCurrentName(), L"Dan") << "a new player is not chosen yet";
    EXPECT_EQ(mGame->fTake(), std::vector<std::string>{"save"});

    // Delete the current player: asked by name, then nobody plays.
    fList()->fSelectText(L"Dan");
    fClickWidget(GG_WINDOW_NAME::kPLAYERS, GG_WINDOW_PLAYERS::kDELETE);
    ASSERT_TRUE(fSettle());
    auto* question = fWindow<game::GG_WINDOW_CONFIRM_EX>(GG_WINDOW_NAME::kPLAYER_DELETE_QUESTION);
    ASSERT_TRUE(question && question->fIsOpen());
    EXPECT_EQ(question->fGetExtraText(), L"Dan");
    EXPECT_NE(question->fGetFont(), nullptr);
    fShot(GG_WINDOW_NAME::kPLAYER_DELETE_QUESTION);
    fClickWidget(GG_WINDOW_NAME::kPLAYER_DELETE_QUESTION, KEL::G_WINDOW_CONFIRM::kYES);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(mGame->fGetCurrentPlayer(), nullptr);
    EXPECT_EQ(mGame->mPlayers.fFind(L"Dan"), nullptr);
    ASSERT_EQ(fList()->fGetCount(), 2);
    EXPECT_EQ(*fList()->fGetSelected(), L"cleo") << "the first row is selected again";

    // Delete the others: the list empties and delete greys.
    for (int i = 0; i < 2; ++i) {
        fClickWidget(GG_WINDOW_NAME::kPLAYERS, GG_WINDOW_PLAYERS::kDELETE);
        ASSERT_TRUE(fSettle());
        fClickWidget(GG_WINDOW_NAME::kPLAYER_DELETE_QUESTION, KEL::G_WINDOW_CONFIRM::kYES);
        ASSERT_TRUE(fSettle());
    }
    EXPECT_EQ(fList()->fGetCount(), 0);
    EXPECT_EQ(fState(GG_WINDOW_PLAYERS::kDELETE), KC_GUI_BUTTON5::kDISABLED);
    EXPECT_EQ(mGame->mPlayers.fGetCount(), 0u);

    // Choose with nobody listed: nobody plays, and the title returns.
    fClickWidget(GG_WINDOW_NAME::kPLAYERS, GG_WINDOW_PLAYERS::kCHOOSE);
    ASSERT_TRUE(fSettle());
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kPLAYERS));
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kTITLE));
    EXPECT_EQ(mGame->fGetCurrentPlayer(), nullptr);
}

TEST_F(TitleTest, AFullListGreysNewUntilAPlayerGoesAndChoosingMakesCurrent) {
    for (const wchar_t* name : {L"A", L"B", L"C", L"D", L"E"}) fMakePlayer(name);
    fOpenTitle();
    mManager->fShowWindow(GG_WINDOW_NAME::kPLAYERS);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(fState(GG_WINDOW_PLAYERS::kNEW), KC_GUI_BUTTON5::kDISABLED) << "the list shows five rows";
    fClickWidget(GG_WINDOW_NAME::kPLAYERS, GG_WINDOW_PLAYERS::kDELETE);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kPLAYER_DELETE_QUESTION, KEL::G_WINDOW_CONFIRM::kYES);
    ASSERT_TRUE(fSettle());
    EXPECT_EQ(fState(GG_WINDOW_PLAYERS::kNEW), KC_GUI_BUTTON5::kNORMAL);

    // A row clicked, then chosen.
    const KEL::KS_VEC2 list = fWhere(GG_WINDOW_NAME::kPLAYERS, GG_WINDOW_PLAYERS::kLIST);
    fList()->fSelectText(L"B");
    fClickWidget(GG_WINDOW_NAME::kPLAYERS, GG_WINDOW_PLAYERS::kCHOOSE);
    ASSERT_TRUE(fSettle());
    static_cast<void>(list);
    EXPECT_EQ(fCurrentName(), L"B");
    EXPECT_TRUE(fIsOpen(GG_WINDOW_NAME::kTITLE));
    EXPECT_EQ(fWindow<GG_WINDOW_TITLE_TOP>(GG_WINDOW_NAME::kTITLE_TOP)->fGetGreeting(), L"Hello, B!");
}

// A name as the player's keyboard types it: accented letters go in, "/",
// "\" and control characters never do, and the name is kept as typed.
TEST_F(TitleTest, NamesTakeTheLettersAPlayerTypes) {
    fMakePlayer(L"Cleo");
    fOpenTitle();
    mManager->fShowWindow(GG_WINDOW_NAME::kPLAYERS);
    ASSERT_TRUE(fSettle());
    fClickWidget(GG_WINDOW_NAME::kPLAYERS, GG_WINDOW_PLAYERS::kNEW);
    ASSERT_TRUE(fSettle());
    fInput().fTypeText(L"Zo\u00EB/\\\t\x7F\x1B\u0085");
    fShot("Players_EditBox-accents");
    EXPECT_EQ(fWindow<G_WINDOW_EDITBOX>(GG_WINDOW_NAME::kPLAYER_NAME)->fGetText(), L"Zo\u00EB");
    fInput().fTypeText(L"\u0141\u0151");
    EXPECT_EQ(fWindow<G_WINDOW_EDITBOX>(GG_WINDOW_NAME::kPLAYER_NAME)->fGetText(), L"Zo\u00EB\u0141\u0151")
        << "Latin Extended-A too";
    auto* ok = dynamic_cast<KC_GUI_BUTTON5*>(
        mManager->fFindWindow(GG_WINDOW_NAME::kPLAYER_NAME)->fGetGui()->fFindChild(G_WINDOW_EDITBOX::kOK));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->fGetState(), KC_GUI_BUTTON5::kNORMAL) << "a letter with no key of its own is checked too";
    fClickWidget(GG_WINDOW_NAME::kPLAYER_NAME, G_WINDOW_EDITBOX::kOK);
    ASSERT_TRUE(fSettle());
    EXPECT_FALSE(fIsOpen(GG_WINDOW_NAME::kPLAYER_NAME));
    EXPECT_EQ(fList()->fGetCount(), 2);
    EXPECT_NE(mGame->mPlayers.fFind(L"Zo\u00EB\u0141\u0151"), nullptr);

    // The same name again is taken, accents and all.
    fClickWidget(GG_WINDOW_NAME::kPLAYERS, GG_WINDOW_PLAYERS::kNEW);
    ASSERT_TRUE(fSettle());
    fInput().fTypeText(L"Zo\u00EB\u0141\u0151");
    EXPECT_TRUE(mManager->fFindWindow(GG_WINDOW_NAME::kPLAYER_NAME)
                    ->fGetGui()
                    ->fFindChild(G_WINDOW_EDITBOX::kERROR_TEXT)
                    ->fIsVisible());
}
