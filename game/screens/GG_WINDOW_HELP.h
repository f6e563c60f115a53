#pragma once

#include <cstdint>

#include <pugixml.hpp>

#include "game/screens/GG_WINDOW_PAGED.h"

namespace game {

class gPages_Help;

// "Help": the rules as pages of pictures and texts with dots. Buttons 3 and
// 4 turn back and on, 2 closes. The pages take no input.
class GG_WINDOW_HELP : public GG_WINDOW_PAGED {
public:
    static constexpr int32_t kCLOSE = 2;
    static constexpr int32_t kPREVIOUS = 3;
    static constexpr int32_t kNEXT = 4;

    explicit GG_WINDOW_HELP(const pugi::xml_node& node);

    void fOnClick(int32_t widgetId) override;
    gPages_Help* fGetHelpPages() const;
};

}  // namespace game
