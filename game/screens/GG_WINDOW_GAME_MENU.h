#pragma once

#include <cstdint>

#include <pugixml.hpp>

#include "engine/windows/G_WINDOW.h"

namespace game {

// The pause menu "GP_Menu" over a running level: resume (1), restart (2,
// after a question; greyed without hearts in an edition with hearts),
// leave for the level list (3, after a question), options (4), shop (5).
// Restarting and leaving cost a heart in an edition with hearts.
class GG_WINDOW_GAME_MENU : public KEL::G_WINDOW {
public:
    static constexpr int32_t kRESUME = 1;
    static constexpr int32_t kRESTART = 2;
    static constexpr int32_t kLEAVE = 3;
    static constexpr int32_t kOPTIONS = 4;
    static constexpr int32_t kSHOP = 5;

    explicit GG_WINDOW_GAME_MENU(const pugi::xml_node& node) : G_WINDOW(node) {}

    void fOnClick(int32_t widgetId) override;
    void fOnShowStart() override;

    void fOnRestartAnswer(int32_t answer);
    void fOnLeaveAnswer(int32_t answer);
    // The fade has covered the screen: the level ends, the levels return.
    void fOnLeaveFaded();

private:
    void fClose();
};

}  // namespace game
