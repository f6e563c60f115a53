#include "game/screens/GG_NEW_PLAYER.h"

#include "engine/windows/G_WINDOW_EDITBOX.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/profile/KT_PLAYERS.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_WINDOW_NAMES.h"

namespace game {

static_assert(GG_NEW_PLAYER::kMAX_NAME == KEL::KT_PLAYERS::kMAX_NAME, "a typed name is one a saved name may be");

bool GG_NEW_PLAYER::fStart(KEL::G_WINDOW_MANAGER* manager, const KEL::Closure<void()>& then) {
    if (!manager) return false;
    auto* edit = dynamic_cast<KEL::G_WINDOW_EDITBOX*>(manager->fShowWindow(GG_WINDOW_NAME::kPLAYER_NAME));
    if (!edit) return false;
    mThen = then;
    edit->fSetAnswerHandler(&GG_NEW_PLAYER::fAnswerStub, this);
    edit->fSetCheckHandler(&GG_NEW_PLAYER::fCheckStub, nullptr);
    edit->fSetMaxChars(kMAX_NAME);
    return true;
}

void GG_NEW_PLAYER::fOnAnswer(const std::wstring& name, int32_t answer) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (answer != KEL::G_WINDOW_EDITBOX::kANSWER_OK || !game || name.empty() || name.size() > kMAX_NAME ||
        !fIsFree(name))
        return;
    GG_PLAYER* player = game->fCreatePlayer(name);
    if (!player) return;
    game->fSetCurrentPlayer(player);
    game->fSave();
    const KEL::Closure<void()> then = mThen;
    then();
}

bool GG_NEW_PLAYER::fIsFree(const std::wstring& name) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    KEL::KT_PLAYERS* players = game ? game->fGetPlayers() : nullptr;
    return !players || players->fFind(name) == nullptr;
}

void GG_NEW_PLAYER::fAnswerStub(void* user, const std::wstring& name, int32_t answer) {
    static_cast<GG_NEW_PLAYER*>(user)->fOnAnswer(name, answer);
}

bool GG_NEW_PLAYER::fCheckStub(void*, const std::wstring& name) { return fIsFree(name); }

}  // namespace game
