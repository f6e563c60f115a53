#include "game/screens/GG_WINDOW_PLAYERS.h"

#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/gui/KC_GUI_LISTBOX.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_EDITBOX.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/profile/GG_PLAYER.h"
#include "game/profile/KT_PLAYERS.h"
#include "game/screens/GG_NEW_PLAYER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"
#include "game/screens/GG_WINDOW_CONFIRM_EX.h"
#include "game/screens/GG_WINDOW_NAMES.h"

namespace game {

namespace {

KEL::KT_PLAYERS* fPlayers() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    return game ? game->fGetPlayers() : nullptr;
}

void fNameAnswerStub(void* user, const std::wstring& name, int32_t answer) {
    static_cast<GG_WINDOW_PLAYERS*>(user)->fOnNameAnswer(name, answer);
}

bool fNameCheckStub(void*, const std::wstring& name) { return GG_NEW_PLAYER::fIsFree(name); }

}  // namespace

GG_WINDOW_PLAYERS::GG_WINDOW_PLAYERS(const pugi::xml_node& node)
    : G_WINDOW(node),
      mList(fFindWidget<KEL::KC_GUI_LISTBOX>(*this, kLIST)),
      mNew(fFindWidget<KEL::KC_GUI_BUTTON5>(*this, kNEW)),
      mDelete(fFindWidget<KEL::KC_GUI_BUTTON5>(*this, kDELETE)),
      mSpare(fFindWidget<KEL::KC_GUI_BUTTON5>(*this, kSPARE)),
      mMaxRows(fReadMaxRows(node)) {}

const std::wstring* GG_WINDOW_PLAYERS::fSelected() const { return mList ? mList->fGetSelected() : nullptr; }

void GG_WINDOW_PLAYERS::fFill() {
    KEL::KT_PLAYERS* players = fPlayers();
    if (mList && players) {
        mList->fClear();
        for (const std::wstring& name : players->fGetNames()) mList->fAddItemW(name);
        if (mList->fGetCount() > 0) {
            GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
            GG_PLAYER* current = game ? game->fGetCurrentPlayer() : nullptr;
            mList->fSelectText(current ? current->fGetName() : mList->fGetItem(0));
        }
    }
    fUpdateButtons();
}

void GG_WINDOW_PLAYERS::fUpdateButtons() {
    fEnableButton(mDelete, fSelected() != nullptr);
    const bool room = !mList || uint32_t(mList->fGetCount()) < mMaxRows;
    fEnableButton(mNew, room);
}

// The list's row limit as its layout gives it ("MAX_ROW"); none without.
uint32_t GG_WINDOW_PLAYERS::fReadMaxRows(const pugi::xml_node& node) {
    const pugi::xml_node gui = node.child("GUI");
    for (const pugi::xpath_node& found : gui.select_nodes(".//*[@ID]")) {
        const pugi::xml_node widget = found.node();
        if (widget.attribute("ID").as_int(0) != kLIST) continue;
        if (const pugi::xml_attribute rows = widget.attribute("MAX_ROW")) return rows.as_uint(kNO_LIMIT);
    }
    return kNO_LIMIT;
}

void GG_WINDOW_PLAYERS::fOnClick(int32_t widgetId) {
    switch (widgetId) {
        case kNEW: fNew(); break;
        case kDELETE: fDelete(); break;
        case kCHOOSE: fChoose(); break;
        default: break;
    }
}

void GG_WINDOW_PLAYERS::fNew() {
    if (!mManager) return;
    auto* edit = dynamic_cast<KEL::G_WINDOW_EDITBOX*>(mManager->fShowWindow(GG_WINDOW_NAME::kPLAYER_NAME));
    if (!edit) return;
    edit->fSetAnswerHandler(&fNameAnswerStub, this);
    edit->fSetCheckHandler(&fNameCheckStub, nullptr);
    edit->fSetMaxChars(GG_NEW_PLAYER::kMAX_NAME);
}

void GG_WINDOW_PLAYERS::fOnNameAnswer(const std::wstring& name, int32_t answer) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    const bool taken = answer == KEL::G_WINDOW_EDITBOX::kANSWER_OK;
    if (!taken || !game || name.empty() || name.size() > GG_NEW_PLAYER::kMAX_NAME) return;
    if (!GG_NEW_PLAYER::fIsFree(name) || !game->fCreatePlayer(name)) return;
    fFill();
    if (mList) mList->fSelectText(name);
    fUpdateButtons();
    game->fSave();
}

void GG_WINDOW_PLAYERS::fDelete() {
    const std::wstring* selected = fSelected();
    if (!selected) return;
    const std::wstring name = *selected;
    auto* question = dynamic_cast<GG_WINDOW_CONFIRM_EX*>(
        fAsk(mManager, GG_WINDOW_NAME::kPLAYER_DELETE_QUESTION,
             KEL::Closure<void()>::fBind<&GG_WINDOW_PLAYERS::fOnDeleteAnswer>(this)));
    if (question) question->fSetExtraText(name);
}

// The player removed may be the one playing: nobody plays then, at once,
// before anything reads the current player again.
void GG_WINDOW_PLAYERS::fOnDeleteAnswer(int32_t answer) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    KEL::KT_PLAYERS* players = fPlayers();
    const std::wstring* selected = fSelected();
    if (answer != KEL::G_WINDOW_CONFIRM::kANSWER_YES || !game || !players || !selected) return;
    const std::wstring name = *selected;
    GG_PLAYER* current = game->fGetCurrentPlayer();
    const bool wasCurrent = current && current->fGetName() == name;
    if (wasCurrent) game->fSetCurrentPlayer(nullptr);
    if (!players->fRemovePlayer(name)) return;
    fFill();
    game->fSave();
}

void GG_WINDOW_PLAYERS::fChoose() {
    if (mManager) mManager->fHideWindow(fGetName());
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    KEL::KT_PLAYERS* players = fPlayers();
    if (!game) return;
    const std::wstring* selected = fSelected();
    GG_PLAYER* player = selected && players ? players->fFind(*selected) : nullptr;
    game->fSetCurrentPlayer(player);
    game->fSave();
}

void GG_WINDOW_PLAYERS::fOnHidden() {
    if (GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet()) game->fOpenTitle();
}

}  // namespace game
