#include "game/screens/GG_WINDOW_CONFIRM_EX.h"

#include "engine/resources/KC_FONT_LIST.h"
#include "engine/scene/KE_ANCHOR.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"

namespace game {

GG_WINDOW_CONFIRM_EX::GG_WINDOW_CONFIRM_EX(const pugi::xml_node& node) : G_WINDOW_CONFIRM(node) {
    const pugi::xml_node settings = node.child("SETTINGS");
    if (!settings) return;
    mFontName = settings.attribute("font_extra_text").as_string("");
    // The line's colour; white, as fonts are drawn, unless the file says.
    if (const pugi::xml_attribute color = settings.attribute("font_extra_color"))
        mColor = KEL::KS_COLOR::fFromHex(color.value()).fGetARGB();
}

void GG_WINDOW_CONFIRM_EX::fOnLoad() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    KEL::KC_FONT_LIST* fonts = game ? game->fGetFonts() : nullptr;
    mFont = fonts ? fonts->fGet(mFontName) : nullptr;
}

void GG_WINDOW_CONFIRM_EX::fOnDraw() {
    if (!mFont || mExtraText.empty()) return;
    const KEL::KS_TRANSFORM3 place = mTransform.fGetAbsolute();
    fDrawText(mFont, place.mPosition.x + mExtraShift.x, place.mPosition.y + mExtraShift.y, mColor, KEL::kANCHOR_CENTRE,
              mExtraText);
}

}  // namespace game
