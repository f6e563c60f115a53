#pragma once

#include <cstdint>

#include <pugixml.hpp>

#include "engine/windows/G_WINDOW.h"
#include "game/screens/GG_NEW_PLAYER.h"

namespace game {

// The title screen's three buttons: play, options and exit. Play and
// options need a player; without one the name entry comes first.
class GG_WINDOW_TITLE : public KEL::G_WINDOW {
public:
    static constexpr int32_t kPLAY = 1;
    static constexpr int32_t kOPTIONS = 2;
    static constexpr int32_t kEXIT = 3;

    explicit GG_WINDOW_TITLE(const pugi::xml_node& node) : G_WINDOW(node) {}

    void fOnClick(int32_t widgetId) override;

private:
    // Fades to the pack screens.
    void fPlay();
    void fOnPlayFaded();
    void fOpenOptions();
    void fOnExitAnswer(int32_t answer);

    GG_NEW_PLAYER mNewPlayer;
};

}  // namespace game
