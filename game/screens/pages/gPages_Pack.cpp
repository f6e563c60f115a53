#include "game/screens/pages/gPages_Pack.h"

#include <string>

#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/product/GG_EDITION.h"
#include "game/product/GG_PACK_INFO.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"
#include "game/screens/GG_WINDOW_NAMES.h"
#include "game/screens/pages/gPackItem.h"

namespace game {

using KEL::Closure;

namespace {

void fSetLabel(gPackItem& item, int32_t id, const std::wstring& text) {
    KEL::KC_GUI_ROOT* gui = item.fGetGui();
    auto* label = gui ? dynamic_cast<KEL::KC_GUI_WLABEL*>(gui->fFindChild(id)) : nullptr;
    if (label) label->fSetText(text);
}

}  // namespace

std::unique_ptr<KEL::KC_BASE> gPages_Pack::fCreateItem(const pugi::xml_node& element, int32_t index) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!game || !game->fFindPack(index)) return nullptr;
    return std::make_unique<gPackItem>(this, element, index);
}

gPackItem* gPages_Pack::fGetPackItem(int32_t index) const { return dynamic_cast<gPackItem*>(fGetItem(index)); }

void gPages_Pack::fRefresh() {
    gPages::fRefresh();
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    const GG_PLAYER* player = game ? game->fGetCurrentPlayer() : nullptr;
    if (!player) return;
    bool markedNewest = false;
    gPackItem* previous = nullptr;
    for (int32_t i = 0; i < fGetItemCount(); ++i) {
        gPackItem* item = fGetPackItem(i);
        if (!item) continue;
        fRefreshItem(*item, *player, markedNewest, previous);
        previous = item;
    }
}

// Open packs show their stars; locked ones their name and lock. The card
// before the first locked one is marked as the newest pack.
void gPages_Pack::fRefreshItem(gPackItem& item, const GG_PLAYER& player, bool& markedNewest, gPackItem* previous) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    const int32_t id = item.fGetOrdinal();
    item.fShowWidget(gPackItem::kNEWEST_MARK, false);
    item.fShowWidget(gPackItem::kHIDDEN_MARK, false);
    const bool open = player.fPackHasOpenLevel(id);
    item.fSetOpen(open);
    item.fShowWidget(gPackItem::kOPEN_MARK, open);
    item.fShowWidget(gPackItem::kLOCK, !open);
    // Both texts are written at every refresh: a card keeps no count of the
    // player it was last shown to.
    fSetLabel(item, gPackItem::kSTARS, open ? game->fGetPackStarsText(id) : std::wstring());
    if (open) return;
    fSetLabel(item, gPackItem::kNAME, game->fGetPackName(id));
    // Only an open card is marked: a locked first card marks nothing.
    if (!markedNewest && previous && previous->fIsOpen()) previous->fShowWidget(gPackItem::kNEWEST_MARK, true);
    markedNewest = true;
}

GG_PACK_RECORD* gPages_Pack::fChosenRecord() const {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    GG_PLAYER* player = game ? game->fGetCurrentPlayer() : nullptr;
    return player ? player->fFindPack(mChosenPack) : nullptr;
}

void gPages_Pack::fOnItemClicked(KEL::KC_BASE* base) {
    auto* item = dynamic_cast<gPackItem*>(base);
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!item || !game || !mWindow) return;
    mChosenPack = uint16_t(item->fGetOrdinal());
    KEL::G_WINDOW_MANAGER* manager = mWindow->fGetManager();
    const GG_EDITION& edition = game->fGetEdition();
    if (!edition.mFree) {
        if (item->fIsOpen()) return fOpenPack();
        const GG_PACK_INFO* pack = game->fFindPack(mChosenPack);
        KEL::G_WINDOW_CONFIRM* question = fAsk(manager, GG_WINDOW_NAME::kPACK_BUY,
                                               Closure<void()>::fBind<&gPages_Pack::fOnBuyAnswer>(this));
        if (question && pack) question->fFormatMessage(std::to_wstring(pack->fGetPrice()));
        return;
    }
    GG_PACK_RECORD* record = fChosenRecord();
    if (!record) return;
    if (record->fGetLock()) {
        KEL::G_WINDOW_CONFIRM* question = fAsk(manager, GG_WINDOW_NAME::kPACK_NEED_BUY, Closure<void()>());
        if (!question) return;
        question->fSetAnswerHandler2(Closure<void()>::fBind<&gPages_Pack::fOnStoreAnswer>(this));
        const GG_PACK_INFO* pack = game->fFindPack(mChosenPack);
        if (edition.mPackLogicStars && pack) question->fFormatMessage(std::to_wstring(pack->fGetStars2Pass()));
        return;
    }
    if (!record->fHasOpenLevel()) {
        fAsk(manager, GG_WINDOW_NAME::kPACK_LOCKED, Closure<void()>());
        return;
    }
    fOpenPack();
}

void gPages_Pack::fOpenPack() {
    KEL::G_WINDOW_MANAGER* manager = mWindow ? mWindow->fGetManager() : nullptr;
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!manager || !game) return;
    const bool wasOpen = manager->fIsOpen(GG_WINDOW_NAME::kPACKS);
    manager->fHideWindow(GG_WINDOW_NAME::kPACKS);
    if (wasOpen) game->fOpenLevels(mChosenPack, false);
}

void gPages_Pack::fOnStoreAnswer(int32_t answer) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    GG_PACK_RECORD* record = fChosenRecord();
    if (!game || answer == KEL::G_WINDOW_CONFIRM::kANSWER_CLOSE) return;
    if (answer == KEL::G_WINDOW_CONFIRM::kANSWER_NO) game->fStoreProviderPass();
    else if (record) game->fPurchase(record->fGetInAppKey());
}

// A pack bought for points opens at its first level; without the player's
// record of the pack nothing is taken.
void gPages_Pack::fOnBuyAnswer(int32_t answer) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (answer != KEL::G_WINDOW_CONFIRM::kANSWER_YES || !game) return;
    GG_PLAYER* player = game->fGetCurrentPlayer();
    const GG_PACK_INFO* pack = game->fFindPack(mChosenPack);
    GG_PACK_RECORD* record = fChosenRecord();
    if (!player || !pack || !record) return;
    int32_t& score = player->fGetStatistic().mScore;
    if (pack->fGetPrice() <= score) {
        score -= pack->fGetPrice();
        record->fOpenFirstLevel();
        if (KEL::G_WINDOW_MANAGER* manager = mWindow->fGetManager()) manager->fRefreshAll();
        game->fSave();
    } else if (!game->fGetEdition().mFree) {
        fAsk(mWindow->fGetManager(), GG_WINDOW_NAME::kNO_MONEY, Closure<void()>());
    }
}

}  // namespace game
