#pragma once

#include <cstdint>

#include <pugixml.hpp>

#include "engine/windows/G_WINDOW.h"

namespace KEL {
class KC_GUI_WLABEL;
}

namespace game {

// The stars and points counter: label 1 the player's stars over all packs
// (set when it opens), label 2 the points, refreshed every second.
class GG_WINDOW_SUNIME : public KEL::G_WINDOW {
public:
    static constexpr int32_t kSTARS = 1;
    static constexpr int32_t kSCORE = 2;
    static constexpr float kREFRESH = 1.0f;

    explicit GG_WINDOW_SUNIME(const pugi::xml_node& node) : G_WINDOW(node) {}

    void fOnClick(int32_t) override {}
    void fOnShowStart() override;
    void fOnFrame() override;
    void fUpdateScore();

private:
    float mAccumulator = 0.0f;
    KEL::KC_GUI_WLABEL* mScore = nullptr;  // in the widget tree; may be null
};

}  // namespace game
