#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/resources/KC_FONT_DESC.h"
#include "engine/util/KS_VEC2.h"
#include "engine/windows/G_WINDOW.h"

namespace KEL {
class KC_GUI_IMAGE;
class KC_GUI_WLABEL;
class KC_TROPHY;
}  // namespace KEL

namespace game {

// "Trophy_Get": the announcement of a trophy just won: its open picture in
// widget 2, its bonus through label 3 (whose own text is the format, e.g.
// "+%i"), and its title and description drawn with the "settings" fonts
// "fontTitle" and "fontDescription" (each with an optional "shift" from
// the window's centre). Button 1 closes it.
class GG_WINDOW_TROPHY_GET : public KEL::G_WINDOW {
public:
    static constexpr int32_t kCLOSE = 1;
    static constexpr int32_t kPICTURE = 2;
    static constexpr int32_t kBONUS = 3;
    // Characters of the bonus text, terminator included.
    static constexpr uint32_t kBONUS_CAPACITY = 200;

    explicit GG_WINDOW_TROPHY_GET(const pugi::xml_node& node);

    using G_WINDOW::fShow;
    // Fills the window with the trophy; the caller shows it. A null trophy
    // changes nothing.
    void fShow(const KEL::KC_TROPHY* trophy);

    void fOnClick(int32_t widgetId) override;
    void fOnDraw() override;

    const std::wstring& fGetTitle() const { return mTitle; }
    const std::wstring& fGetDescription() const { return mDescription; }
    const std::wstring& fGetBonusFormat() const { return mBonusFormat; }

private:
    struct KS_TEXT_STYLE {
        KEL::KC_FONT_DESC mFont;
        KEL::KS_VEC2 mShift{0.0f, 0.0f};
    };
    static void fReadStyle(KS_TEXT_STYLE& style, const pugi::xml_node& element);

    std::wstring mTitle;
    std::wstring mDescription;
    std::wstring mBonusFormat;
    bool mHasFormat = false;
    KS_TEXT_STYLE mTitleStyle;
    KS_TEXT_STYLE mDescriptionStyle;
    KEL::KC_GUI_WLABEL* mBonus = nullptr;   // owned by the widget tree
    KEL::KC_GUI_IMAGE* mPicture = nullptr;  // owned by the widget tree
};

}  // namespace game
