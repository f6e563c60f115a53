#include "game/screens/GG_WINDOW_UP_PANEL.h"

#include "engine/resources/KC_FONT_LIST.h"
#include "engine/util/KF_SMALL_HELPERS.h"
#include "engine/util/KF_WFORMAT.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"
#include "game/screens/GG_WINDOW_NAMES.h"

namespace game {

GG_WINDOW_UP_PANEL::GG_WINDOW_UP_PANEL(const pugi::xml_node& node) : G_WINDOW(node) {
    const pugi::xml_node settings = node.child("settings");
    mTimeFontName = settings.attribute("font_time").as_string("");
    mNameFontName = settings.attribute("font_name").as_string("");
    mTimePos = fReadPair(settings.attribute("pos_time"));
    mNamePos = fReadPair(settings.attribute("pos_name"));
    if (const pugi::xml_attribute color = settings.attribute("fnt_time_color"))
        mTimeColor = KEL::KS_COLOR::fFromHex(color.value());
    if (const pugi::xml_attribute color = settings.attribute("fnt_name_color"))
        mNameColor = KEL::KS_COLOR::fFromHex(color.value());
}

void GG_WINDOW_UP_PANEL::fOnLoad() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    KEL::KC_FONT_LIST* fonts = game ? game->fGetFonts() : nullptr;
    mTimeFont = fonts ? fonts->fGet(mTimeFontName) : nullptr;
    mNameFont = fonts ? fonts->fGet(mNameFontName) : nullptr;
}

void GG_WINDOW_UP_PANEL::fOnDraw() {
    if (mTimeFont && mTime) {
        const int32_t seconds = KEL::fClampToInt(*mTime);
        constexpr uint32_t kCAPACITY = 32;
        wchar_t text[kCAPACITY];
        KEL::fWFormat(text, kCAPACITY, L"%02i:%02i", seconds / 60, seconds % 60);
        fDrawText(mTimeFont, mTimePos.x, mTimePos.y, mTimeColor.fGetARGB(), kTIME_ANCHOR, text);
    }
    fDrawText(mNameFont, mNamePos.x, mNamePos.y, mNameColor.fGetARGB(), kNAME_ANCHOR, mName);
}

void GG_WINDOW_UP_PANEL::fOnClick(int32_t widgetId) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (widgetId != kPAUSE || !game || !mManager) return;
    game->fPauseLevel();
    mManager->fShowWindow(GG_WINDOW_NAME::kGAME_MENU);
}

void GG_WINDOW_UP_PANEL::fOnActivated() {
    if (GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet()) game->fResumeLevel();
}

}  // namespace game
