#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/resources/KC_FONT_DESC.h"
#include "engine/util/KS_COLOR.h"
#include "engine/util/KS_VEC2.h"
#include "engine/windows/G_WINDOW.h"
#include "game/screens/GG_NEW_PLAYER.h"

namespace game {

// The greeting strip over the title: "Hello, <name>!" in the big font and
// under it a "Change player" line that lights up under the pointer and,
// clicked while lit, opens the player list (after the name entry when
// nobody plays yet). It reads "SETTINGS": "text_color_highlight", "shift"
// and the font descriptions "font_med" (the line) and "font_big" (the
// greeting). A strip without either font draws and hit-tests only what it
// has; without "font_med" the line never lights.
class GG_WINDOW_TITLE_TOP : public KEL::G_WINDOW {
public:
    static constexpr int32_t kCHANGE_PLAYER = 2;
    static constexpr int32_t kGREETING_CAPACITY = 256;

    explicit GG_WINDOW_TITLE_TOP(const pugi::xml_node& node);

    void fOnClick(int32_t widgetId) override;
    void fOnLoad() override;
    // The greeting follows whoever plays when the strip opens, too.
    void fOnShowStart() override { fOnRefresh(); }
    void fOnRefresh() override;
    void fOnDraw() override;
    void fOnDeactivated() override;
    KEL::KS_MOUSE_RESULT fOnMouseMove() override;
    KEL::KS_MOUSE_RESULT fOnMouseUp(int32_t button) override;

    bool fIsHighlighted() const { return mHovered; }
    uint32_t fGetLineColor() const { return mCurrentColor.fGetARGB(); }
    const std::wstring& fGetGreeting() const { return mGreeting; }
    const std::wstring& fGetChangeText() const { return mChangeText; }

private:
    void fOpenPlayers();
    // Where the text block starts: the window's place plus the shift.
    KEL::KS_VEC2 fOrigin() const;
    float fBigLineHeight() const;
    // The point the line is drawn at, under the greeting.
    KEL::KS_VEC2 fLinePlace() const;
    // The line's drawn box; false without its font or text.
    bool fLineBox(KEL::KS_VEC2& topLeft, KEL::KS_VEC2& bottomRight) const;

    KEL::KC_FONT_DESC mFontMed;
    KEL::KC_FONT_DESC mFontBig;
    KEL::KS_COLOR mHighlightColor{0u};
    KEL::KS_COLOR mNormalColor;
    KEL::KS_COLOR mCurrentColor;
    KEL::KS_VEC2 mShift;
    std::wstring mGreetingFormat;
    std::wstring mGreetingArgument;
    std::wstring mGreeting;
    std::wstring mChangeText;
    // Lit by the pointer; the colours only draw it.
    bool mHovered = false;
    GG_NEW_PLAYER mNewPlayer;
};

}  // namespace game
