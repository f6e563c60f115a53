#pragma once

#include <cstdint>

#include <pugixml.hpp>

#include "engine/windows/G_WINDOW.h"

namespace game {

// The side menu beside the pack and level screens: packs (2), trophies
// (3), options (4), back (5: from the levels to the packs, from the packs
// through the fade to the title; hidden on mobile platforms), shop (6) and
// training (8).
class GG_WINDOW_PACK_MENU : public KEL::G_WINDOW {
public:
    static constexpr int32_t kPACKS = 2;
    static constexpr int32_t kTROPHIES = 3;
    static constexpr int32_t kOPTIONS = 4;
    static constexpr int32_t kBACK = 5;
    static constexpr int32_t kSHOP = 6;
    static constexpr int32_t kTRAINING = 8;

    explicit GG_WINDOW_PACK_MENU(const pugi::xml_node& node) : G_WINDOW(node) {}

    void fOnClick(int32_t widgetId) override;
    void fOnShowStart() override;

    // The fade has covered the screen: back to the title.
    void fBackToTitle();

private:
    // Closes the pack, level, training and trophy screens.
    void fCloseMenuScreens(bool skip);
    void fBack();
    void fShow(const char* name);
};

}  // namespace game
