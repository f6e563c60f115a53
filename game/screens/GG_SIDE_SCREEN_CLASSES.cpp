#include "game/screens/GG_SIDE_SCREEN_CLASSES.h"

#include "game/screens/GG_WINDOW_HELP.h"
#include "game/screens/GG_WINDOW_OPTIONS.h"
#include "game/screens/GG_WINDOW_SHOP.h"
#include "game/screens/GG_WINDOW_TROPHY.h"
#include "game/screens/GG_WINDOW_TROPHY_GET.h"

namespace game {

namespace {

template <class T>
std::unique_ptr<KEL::G_WINDOW> fMake(const pugi::xml_node& window) {
    return std::make_unique<T>(window);
}

struct KS_SIDE_SCREEN {
    const char* mType;
    std::unique_ptr<KEL::G_WINDOW> (*mMake)(const pugi::xml_node&);
};

constexpr KS_SIDE_SCREEN kSCREENS[] = {
    {"GG_WINDOW_OPTIONS", &fMake<GG_WINDOW_OPTIONS>},
    {"GG_WINDOW_SHOP", &fMake<GG_WINDOW_SHOP>},
    {"GG_WINDOW_TROPHY", &fMake<GG_WINDOW_TROPHY>},
    {"GG_WINDOW_TROPHY_GET", &fMake<GG_WINDOW_TROPHY_GET>},
    {"GG_WINDOW_HELP", &fMake<GG_WINDOW_HELP>},
};

}  // namespace

std::unique_ptr<KEL::G_WINDOW> fCreateSideScreen(const std::string& type, const pugi::xml_node& window) {
    for (const KS_SIDE_SCREEN& screen : kSCREENS)
        if (type == screen.mType) return screen.mMake(window);
    return nullptr;
}

}  // namespace game
