// Every text of every window the game builds, in both editions, measured as
// it is drawn: the game runs over the built content on the recording
// device, each window is shown by the window manager and left to rest, and
// each of its widgets, cards on every page, the trophy pop-up with every
// trophy and the tutorial's panels are drawn one by one. What a font draws
// must lie inside the smallest picture drawn under it (the screen when
// there is none), with the longest player name and large counts in place;
// no text may be the string table's stand-in for a missing key, or a format
// left unfilled.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/render/KC_RENDER.h"
#include "engine/render/KS_VERTEX.h"
#include "engine/resources/KC_FONT.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/util/KF_UTF8.h"
#include "engine/windows/G_PAGES_ITEM.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_EDITBOX.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "engine/windows/gPages.h"
#include "game/app/gGame.h"
#include "game/board/GG_LEVEL_RESULT.h"
#include "game/board/GG_TUTORIAL.h"
#include "game/board/GG_TUTORIAL_STEP.h"
#include "game/profile/GG_LEVEL_RECORD.h"
#include "game/profile/GG_PACK_RECORD.h"
#include "game/profile/GG_PLAYER.h"
#include "game/progress/KC_TROPHIES.h"
#include "game/screens/GG_WINDOW_FINISH.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/GG_WINDOW_PAGED.h"
#include "game/screens/GG_WINDOW_PLAYERS.h"
#include "game/screens/GG_WINDOW_TROPHY_GET.h"
#include "game/screens/pages/gPackItem.h"
#include "game/screens/pages/gPages_Shop_Item.h"
#include "host/IWindow.h"
#include "host/recording/RecordingDevice.h"
#include "support/WholeGame.h"

namespace GG_WINDOW_NAME = game::GG_WINDOW_NAME;

namespace {

// Panels and cards draw a border this wide inside their picture.
constexpr float kBORDER = 3.0f;
const std::string kLONG_NAME(15, 'W');

struct BOX {
    float l = 1e9f, t = 1e9f, r = -1e9f, b = -1e9f;
    void fAdd(float x, float y) { l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y); }
    bool fEmpty() const { return l > r; }
    float fArea() const { return (r - l) * (b - t); }
    bool fHolds(float x, float y) const { return x >= l && x <= r && y >= t && y <= b; }
    bool fHolds(const BOX& o) const { return o.l >= l && o.r <= r && o.t >= t && o.b <= b; }
};

struct TEXT {
    BOX box;
    float x = 0, y = 0;  // where it is anchored
    std::wstring text;
};

// What one drawing put on the screen: a box per font page, a box per picture.
struct DRAWN {
    std::vector<BOX> texts, pictures;
};

class TextFits : public testsupport::WholeGame {
protected:
    TextFits() {
        mPictures = false;
        mPrefix = "textfits";
    }

    DRAWN fDraw(const std::function<void()>& draw) {
        auto* device = dynamic_cast<host::RecordingDevice*>(KEL::kcRENDER->fGetDevice());
        EXPECT_NE(device, nullptr);
        DRAWN drawn;
        if (!device) return drawn;
        KEL::kcRENDER->fFlush();
        device->fClearLog();
        draw();
        KEL::kcRENDER->fFlush();
        // A page waiting for its first draw has its device texture now.
        for (const KEL::KC_FONT* font : mFonts) fNoteFont(font);
        // The batches hold their vertices in screen space already.
        for (const host::RecordingDevice::Draw& d : device->mDraws) {
            BOX box;
            for (size_t at = 0; at + sizeof(KEL::KS_VERTEX) <= d.vertices.size(); at += sizeof(KEL::KS_VERTEX)) {
                KEL::KS_VERTEX v;
                std::memcpy(&v, d.vertices.data() + at, sizeof v);
                box.fAdd(v.x, v.y);
            }
            if (!box.fEmpty()) (mFontPages.count(d.texture) ? drawn.texts : drawn.pictures).push_back(box);
        }
        device->fClearLog();
        return drawn;
    }
    void fNoteFont(const KEL::KC_FONT* font) {
        if (font && font->fGetTexture()) mFontPages.insert(font->fGetTexture()->mTexture.get());
    }

    // Each widget of a tree drawn on its own: a label's text stands at its
    // own place, anything else's texts at their middle.
    void fWalk(KEL::KC_GUI_OBJECT& widget, std::vector<BOX>& pictures, std::vector<TEXT>& texts) {
        if (!widget.fIsVisible()) return;
        auto* label = dynamic_cast<KEL::KC_GUI_WLABEL*>(&widget);
        if (label) fNoteFont(label->fGetFont());
        const DRAWN drawn = fDraw([&] { widget.fDraw(); });
        pictures.insert(pictures.end(), drawn.pictures.begin(), drawn.pictures.end());
        for (const BOX& box : drawn.texts) {
            const KEL::KS_VEC2 at = widget.fGetTransform().fGetAbsolute().fGetPos2();
            texts.push_back({box, label ? at.x : (box.l + box.r) / 2, label ? at.y : (box.t + box.b) / 2,
                             label ? label->fGetText() : L""});
        }
        for (int32_t i = 0; i < widget.fGetChildCount(); ++i) fWalk(*widget.fGetChild(i), pictures, texts);
    }

    void fCheck(const std::string& where, const std::vector<BOX>& pictures, const std::vector<TEXT>& texts) {
        for (const TEXT& t : texts) {
            ++mChecked;
            const std::string text = KEL::fToUtf8(t.text);
            if (text == game::gGame::fGetStrings()->fGet(std::string(1, '\0')) || text.find('%') != std::string::npos)
                mProblems.push_back(where + ": \"" + text + "\" is a key without string or an unfilled format");
            BOX under{0, 0, 1024, 768}, inner = under;
            for (const BOX& p : pictures)
                if (p.fHolds(t.x, t.y) && p.fArea() < under.fArea()) {
                    under = p;
                    inner = {p.l + kBORDER, p.t + kBORDER, p.r - kBORDER, p.b - kBORDER};
                }
            if (inner.fHolds(t.box)) continue;
            std::ostringstream out;
            out << where << ": \"" << text << "\" spans x " << t.box.l << ".." << t.box.r << ", y " << t.box.t << ".."
                << t.box.b << "; its picture holds x " << inner.l << ".." << inner.r << ", y " << inner.t << ".."
                << inner.b;
            mProblems.push_back(out.str());
        }
    }

    void fShowAtRest(const std::string& name) {
        ASSERT_NE(fWindows().fShowWindow(name), nullptr) << name;
        ASSERT_TRUE(fRunUntil([&] { return fShown(name) && fWindows().fFindWindow(name)->fIsAtRest(); })) << name;
    }

    // The window's widgets, then its cards page by page; a card's texts
    // lie on the card or on the window.
    void fCheckWindow(KEL::G_WINDOW& window) {
        std::vector<BOX> pictures;
        std::vector<TEXT> texts;
        if (window.fGetGui()) fWalk(window.fGetGui()->fGetRootWidget(), pictures, texts);
        const DRAWN own = fDraw([&] { window.fOnDraw(); });
        auto* paged = dynamic_cast<game::GG_WINDOW_PAGED*>(&window);
        if (!paged || !paged->fGetPages())
            for (const BOX& box : own.texts) texts.push_back({box, (box.l + box.r) / 2, (box.t + box.b) / 2, L""});
        fCheck(window.fGetName(), pictures, texts);
        if (!paged || !paged->fGetPages()) return;
        KEL::gPages& pages = *paged->fGetPages();
        for (int32_t page = 0; page < pages.fGetPageCount(); ++page) {
            const int32_t end = std::min(pages.fGetItemCount(), (page + 1) * pages.fGetPerPage());
            for (int32_t i = page * pages.fGetPerPage(); i < end; ++i)
                fCheckCard(window.fGetName() + " card " + std::to_string(i), *pages.fGetItem(i), pictures);
            if (page + 1 < pages.fGetPageCount()) {
                paged->fOnClick(2);
                ASSERT_TRUE(fRunUntil([&] { return !pages.fIsTurning(); }));
            }
        }
    }
    void fCheckCard(const std::string& where, KEL::KC_BASE& item, std::vector<BOX> pictures) {
        std::vector<TEXT> texts;
        KEL::KC_GUI_ROOT* gui = nullptr;
        if (auto* pack = dynamic_cast<game::gPackItem*>(&item)) gui = pack->fGetGui();
        if (auto* offer = dynamic_cast<game::gPages_Shop_Item*>(&item)) gui = offer->fGetGui();
        if (gui) {
            fWalk(gui->fGetRootWidget(), pictures, texts);
        } else {
            const DRAWN drawn = fDraw([&] { item.fMessage(KEL::G_PAGES_ITEM::kMSG_DRAW, 0, 0, 0, nullptr); });
            pictures.insert(pictures.end(), drawn.pictures.begin(), drawn.pictures.end());
            for (const BOX& box : drawn.texts) texts.push_back({box, (box.l + box.r) / 2, (box.t + box.b) / 2, L""});
        }
        fCheck(where, pictures, texts);
    }

    void fCheckEdition(const std::string& edition);

    std::vector<const KEL::KC_FONT*> mFonts;
    std::set<host::GTexture*> mFontPages;
    int mChecked = 0;
    std::vector<std::string> mProblems;
};

void TextFits::fCheckEdition(const std::string& edition) {
    SCOPED_TRACE(edition);
    ASSERT_NO_FATAL_FAILURE(fUseEdition(edition));
    ASSERT_NO_FATAL_FAILURE(fStart());
    mFonts.clear();
    mFontPages.clear();
    pugi::xml_document* list = KEL::kcREPOSITORY->fGetXml("data/share/font fonts.xml");
    ASSERT_NE(list, nullptr);
    for (pugi::xml_node font : list->child("fonts").children())
        mFonts.push_back(game::gGame::fGetFonts()->fGet(font.attribute("name").as_string()));
    KEL::kcREPOSITORY->fReleaseXml(list);

    // The longest name the list takes, by the players' own road (a start
    // after the first finds it chosen), with every star and a large score.
    if (KEL::fToUtf8(fPlayer()->fGetName()) != kLONG_NAME) {
        ASSERT_NO_FATAL_FAILURE(fShowAtRest(GG_WINDOW_NAME::kPLAYERS));
        fOpenBy([&] { fClickWidget(GG_WINDOW_NAME::kPLAYERS, game::GG_WINDOW_PLAYERS::kNEW); },
                GG_WINDOW_NAME::kPLAYER_NAME);
        // Shift held: capitals, the widest letters.
        fInput().fSend(host::kMsgKeyDown, 16);
        fInput().fType(kLONG_NAME);
        fInput().fSend(host::kMsgKeyUp, 16);
        fCloseBy([&] { fClickWidget(GG_WINDOW_NAME::kPLAYER_NAME, KEL::G_WINDOW_EDITBOX::kOK); },
                 GG_WINDOW_NAME::kPLAYER_NAME);
        fCloseBy([&] { fClickWidget(GG_WINDOW_NAME::kPLAYERS, game::GG_WINDOW_PLAYERS::kCHOOSE); },
                 GG_WINDOW_NAME::kPLAYERS);
    }
    game::GG_PLAYER& player = *fPlayer();
    ASSERT_EQ(KEL::fToUtf8(player.fGetName()), kLONG_NAME);
    player.fGetStatistic().mScore = 999999;
    for (const auto& pack : player.fGetPacks())
        for (const auto& level : pack->fGetLevels()) level->fSetStars(3);
    fWindows().fRefreshAll();

    // What the game fills in when it opens these.
    auto confirm = [&](const char* name) { return dynamic_cast<KEL::G_WINDOW_CONFIRM*>(fWindows().fFindWindow(name)); };
    confirm(GG_WINDOW_NAME::kPACK_BUY)->fFormatMessage(std::wstring(L"1500"));
    confirm(GG_WINDOW_NAME::kPACK_NEED_BUY)->fFormatMessage(std::wstring(L"144"));
    confirm(GG_WINDOW_NAME::kSECOND_CHANCE_BUY_QUESTION)->fFormatMessage(9999);
    game::GG_LEVEL_RESULT result;
    result.mLevelNumber = 12;
    result.mLevelTime = result.mBestTime = 3599.0f;
    result.mScore = 9999999;
    result.mWon = 1;
    dynamic_cast<game::GG_WINDOW_FINISH*>(fWindows().fFindWindow(GG_WINDOW_NAME::kFINISH))->fShowResult(result);
    auto* trophyGet = dynamic_cast<game::GG_WINDOW_TROPHY_GET*>(fWindows().fFindWindow(GG_WINDOW_NAME::kTROPHY_GET));
    KEL::KC_TROPHIES& trophies = *game::gGame::fGetTrophies();
    trophyGet->fShow(trophies.fGetTrophy(0));

    for (int32_t i = 0; i < fWindows().fGetWindowCount(); ++i) {
        KEL::G_WINDOW& window = *fWindows().fGetWindow(i);
        if (window.fGetName() == GG_WINDOW_NAME::kFADE) continue;
        const bool wasOpen = window.fIsOpen();
        if (!wasOpen) {
            ASSERT_NO_FATAL_FAILURE(fShowAtRest(window.fGetName()));
        }
        fCheckWindow(window);
        if (&window == trophyGet)
            for (uint32_t t = 1; t < trophies.fGetCount(); ++t) {
                trophyGet->fShow(trophies.fGetTrophy(t));
                fCheckWindow(window);
            }
        if (!wasOpen) {
            fWindows().fHideWindow(window.fGetName());
            ASSERT_TRUE(fRunUntil([&] { return !window.fIsOpen(); })) << window.fGetName();
        }
    }

    // The check itself: the exit question's message made far too wide for
    // its panel is caught, once.
    KEL::KC_GUI_WLABEL* message = confirm(GG_WINDOW_NAME::kEXIT_QUESTION)->fGetMessageLabel();
    const std::wstring kept = message->fGetText();
    message->fSetText(std::wstring(40, L'W'));
    const size_t before = mProblems.size();
    ASSERT_NO_FATAL_FAILURE(fShowAtRest(GG_WINDOW_NAME::kEXIT_QUESTION));
    fCheckWindow(*fWindows().fFindWindow(GG_WINDOW_NAME::kEXIT_QUESTION));
    EXPECT_EQ(mProblems.size(), before + 1) << "a text too wide for its panel";
    mProblems.resize(std::min(mProblems.size(), before));
    message->fSetText(kept);
    fWindows().fHideWindow(GG_WINDOW_NAME::kEXIT_QUESTION);
    ASSERT_TRUE(fRunUntil([&] { return !fWindows().fIsOpen(GG_WINDOW_NAME::kEXIT_QUESTION); }));

    // The guide's panels stand on the board, drawn over the screen.
    game::GG_TUTORIAL& tutorial = fGameObject().fGetTutorial();
    tutorial.fLoad();
    int32_t step = 0;
    for (const auto& s : tutorial.fGetSteps()) {
        std::vector<BOX> pictures;
        std::vector<TEXT> texts;
        fWalk(s->fGetGui().fGetRootWidget(), pictures, texts);
        fCheck(edition + " tutorial step " + std::to_string(step++), pictures, texts);
    }
    tutorial.fUnload();
    ASSERT_NO_FATAL_FAILURE(fQuit());
}

}  // namespace

TEST_F(TextFits, EveryTextOfEveryWindowOfEveryEditionLiesInsideItsPanelOrCard) {
    for (const char* edition : {"pc", "pc_inapp"}) ASSERT_NO_FATAL_FAILURE(fCheckEdition(edition));
    EXPECT_GT(mChecked, 300) << "texts measured";
    std::string all;
    for (const std::string& p : mProblems) all += p + "\n";
    EXPECT_TRUE(mProblems.empty()) << all;
}
