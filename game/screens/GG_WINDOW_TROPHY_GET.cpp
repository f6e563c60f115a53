#include "game/screens/GG_WINDOW_TROPHY_GET.h"

#include "engine/gui/KC_GUI_IMAGE.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/util/KF_WFORMAT.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/progress/KC_TROPHY.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"

namespace game {

GG_WINDOW_TROPHY_GET::GG_WINDOW_TROPHY_GET(const pugi::xml_node& node)
    : G_WINDOW(node),
      mBonus(fFindWidget<KEL::KC_GUI_WLABEL>(*this, kBONUS)),
      mPicture(fFindWidget<KEL::KC_GUI_IMAGE>(*this, kPICTURE)) {
    const pugi::xml_node settings = node.child("settings");
    fReadStyle(mTitleStyle, settings.child("fontTitle"));
    fReadStyle(mDescriptionStyle, settings.child("fontDescription"));
}

void GG_WINDOW_TROPHY_GET::fReadStyle(KS_TEXT_STYLE& style, const pugi::xml_node& element) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    style.mFont.fRead(element, game ? game->fGetFonts() : nullptr);
    style.mShift = fReadPair(element.attribute("shift"));
}

// The label's translated text is the bonus format; it is taken the first
// time only, since afterwards the label holds a bonus.
void GG_WINDOW_TROPHY_GET::fShow(const KEL::KC_TROPHY* trophy) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!trophy || !game) return;
    mTitle = game->fGetString(trophy->fGetName());
    mDescription = game->fGetString(trophy->fGetDesc());
    if (mPicture) mPicture->fSetTexture(trophy->fGetImageOpen());
    if (!mBonus) return;
    if (!mHasFormat) {
        mBonusFormat = mBonus->fGetText();
        mHasFormat = true;
    }
    wchar_t text[kBONUS_CAPACITY] = {};
    KEL::fWFormatTyped(text, kBONUS_CAPACITY, mBonusFormat.c_str(), trophy->fGetBonus());
    mBonus->fSetText(text);
}

void GG_WINDOW_TROPHY_GET::fOnClick(int32_t widgetId) {
    if (widgetId == kCLOSE && mManager) mManager->fHideWindow(mName);
}

// Titles and descriptions are drawn as written: a '%' in them is text.
void GG_WINDOW_TROPHY_GET::fOnDraw() {
    const KEL::KS_TRANSFORM3 at = mTransform.fGetAbsolute();
    fDrawText(mTitleStyle.mFont, at.mPosition.x + mTitleStyle.mShift.x, at.mPosition.y + mTitleStyle.mShift.y, mTitle);
    fDrawText(mDescriptionStyle.mFont, at.mPosition.x + mDescriptionStyle.mShift.x,
              at.mPosition.y + mDescriptionStyle.mShift.y, mDescription);
}

}  // namespace game
