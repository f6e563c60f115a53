#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/scene/KE_ANCHOR.h"
#include "engine/util/KS_COLOR.h"
#include "engine/util/KS_VEC2.h"
#include "engine/windows/G_WINDOW.h"

namespace KEL {
class KC_FONT;
}

namespace game {

// A strip over a level with its clock ("mm:ss") and its name, and a pause
// button (2) that opens "GP_Menu". "settings": "font_time", "font_name"
// (font names), "pos_time", "pos_name" (screen pixels), "fnt_time_color",
// "fnt_name_color" (hexadecimal). No window file names this class.
class GG_WINDOW_UP_PANEL : public KEL::G_WINDOW {
public:
    static constexpr int32_t kPAUSE = 2;
    static constexpr int32_t kTIME_ANCHOR = KEL::kANCHOR_LEFT;
    static constexpr int32_t kNAME_ANCHOR = KEL::kANCHOR_CENTRE;

    explicit GG_WINDOW_UP_PANEL(const pugi::xml_node& node);

    void fOnClick(int32_t widgetId) override;
    void fOnLoad() override;
    void fOnDraw() override;
    void fOnActivated() override;

    // The level's clock in seconds (not owned; null hides it).
    void fSetTime(const float* seconds) { mTime = seconds; }
    void fSetName(const std::wstring& name) { mName = name; }

private:
    std::string mTimeFontName;
    std::string mNameFontName;
    KEL::KC_FONT* mTimeFont = nullptr;  // the game's font list owns both
    KEL::KC_FONT* mNameFont = nullptr;
    KEL::KS_VEC2 mTimePos;
    KEL::KS_VEC2 mNamePos;
    KEL::KS_COLOR mTimeColor;
    KEL::KS_COLOR mNameColor;
    const float* mTime = nullptr;
    std::wstring mName;
};

}  // namespace game
