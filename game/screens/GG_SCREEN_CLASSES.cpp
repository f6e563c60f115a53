#include "game/screens/GG_SCREEN_CLASSES.h"

#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_EDITBOX.h"
#include "engine/windows/G_WINDOW_SIMPLE.h"
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

namespace game {

namespace {

template <class T>
std::unique_ptr<KEL::G_WINDOW> fMake(const pugi::xml_node& window) {
    return std::make_unique<T>(window);
}

constexpr KS_WINDOW_CLASS kCLASSES[] = {
    {"GG_WINDOW_TITLE_TOP", &fMake<GG_WINDOW_TITLE_TOP>},   {"GG_WINDOW_TITLE", &fMake<GG_WINDOW_TITLE>},
    {"GG_WINDOW_OPTIONS", &fMake<GG_WINDOW_OPTIONS>},       {"GG_WINDOW_PACK", &fMake<GG_WINDOW_PACK>},
    {"GG_WINDOW_PACK_MENU", &fMake<GG_WINDOW_PACK_MENU>},   {"GG_WINDOW_PLAYERS", &fMake<GG_WINDOW_PLAYERS>},
    {"G_WINDOW_CONFIRM", &fMake<KEL::G_WINDOW_CONFIRM>},    {"G_WINDOW_EDITBOX", &fMake<KEL::G_WINDOW_EDITBOX>},
    {"GG_WINDOW_LEVEL", &fMake<GG_WINDOW_LEVEL>},           {"GG_WINDOW_GAME_MENU", &fMake<GG_WINDOW_GAME_MENU>},
    {"GG_WINDOW_CONFIRM_EX", &fMake<GG_WINDOW_CONFIRM_EX>}, {"GG_WINDOW_HELP", &fMake<GG_WINDOW_HELP>},
    {"GG_WINDOW_TROPHY", &fMake<GG_WINDOW_TROPHY>},         {"G_WINDOW_SIMPLE", &fMake<KEL::G_WINDOW_SIMPLE>},
    {"GG_WINDOW_FINISH", &fMake<GG_WINDOW_FINISH>},         {"GG_WINDOW_TROPHY_GET", &fMake<GG_WINDOW_TROPHY_GET>},
    {"GG_WINDOW_SUNIME", &fMake<GG_WINDOW_SUNIME>},         {"GG_WINDOW_SHOP", &fMake<GG_WINDOW_SHOP>},
    {"GG_WINDOW_HEALTH", &fMake<GG_WINDOW_HEALTH>},
};

}  // namespace

std::span<const KS_WINDOW_CLASS> fWindowClasses() { return kCLASSES; }

}  // namespace game
