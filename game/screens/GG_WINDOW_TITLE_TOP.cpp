#include "game/screens/GG_WINDOW_TITLE_TOP.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/resources/KC_FONT.h"
#include "engine/util/KF_WFORMAT.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"
#include "game/screens/GG_WINDOW_NAMES.h"

namespace game {

GG_WINDOW_TITLE_TOP::GG_WINDOW_TITLE_TOP(const pugi::xml_node& node) : G_WINDOW(node) {
    const pugi::xml_node settings = node.child("SETTINGS");
    if (!settings) return;
    if (const pugi::xml_attribute color = settings.attribute("text_color_highlight"))
        mHighlightColor = KEL::KS_COLOR::fFromHex(color.value());
    mShift = fReadPair(settings.attribute("shift"));
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    KEL::KC_FONT_LIST* fonts = game ? game->fGetFonts() : nullptr;
    mFontMed.fRead(settings.child("font_med"), fonts);
    mFontBig.fRead(settings.child("font_big"), fonts);
    mNormalColor = mFontMed.mColor;
    mCurrentColor = mNormalColor;
}

void GG_WINDOW_TITLE_TOP::fOnLoad() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (game) mChangeText = game->fGetString("label_change_player");
}

void GG_WINDOW_TITLE_TOP::fOnRefresh() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!game) return;
    if (GG_PLAYER* player = game->fGetCurrentPlayer()) {
        mGreetingFormat = game->fGetString("label_hello_player_with_name");
        mGreetingArgument = player->fGetName();
    } else {
        mGreetingFormat = game->fGetString("label_hello_player");
        mGreetingArgument.clear();
    }
    wchar_t text[kGREETING_CAPACITY];
    KEL::fWFormatTyped(text, kGREETING_CAPACITY, mGreetingFormat.c_str(), mGreetingArgument);
    mGreeting = text;
}

KEL::KS_VEC2 GG_WINDOW_TITLE_TOP::fOrigin() const {
    const KEL::KS_TRANSFORM3 place = mTransform.fGetAbsolute();
    return {place.mPosition.x + mShift.x, place.mPosition.y + mShift.y};
}

float GG_WINDOW_TITLE_TOP::fBigLineHeight() const {
    return mFontBig.mFont ? float(mFontBig.mFont->fGetLineHeight()) : 0.0f;
}

KEL::KS_VEC2 GG_WINDOW_TITLE_TOP::fLinePlace() const {
    const KEL::KS_VEC2 origin = fOrigin();
    return {origin.x, origin.y + fBigLineHeight()};
}

void GG_WINDOW_TITLE_TOP::fOnDraw() {
    const KEL::KS_VEC2 origin = fOrigin();
    fDrawText(mFontBig.mFont, origin.x, origin.y, mFontBig.mColor.fGetARGB(), mFontBig.mAnchor, mGreeting);
    const KEL::KS_VEC2 line = fLinePlace();
    fDrawText(mFontMed.mFont, line.x, line.y, mCurrentColor.fGetARGB(), mFontMed.mAnchor, mChangeText);
}

// The box the line is drawn in: the font places the text around the line's
// point by its anchor, so the hit test asks the font the same way.
bool GG_WINDOW_TITLE_TOP::fLineBox(KEL::KS_VEC2& topLeft, KEL::KS_VEC2& bottomRight) const {
    KEL::KC_FONT* font = mFontMed.mFont;
    if (!font || mChangeText.empty()) return false;
    font->fSetAnchor(mFontMed.mAnchor);
    const KEL::KS_VEC2 line = fLinePlace();
    topLeft = {line.x + float(font->fGetOffsetXW(mChangeText.c_str())),
               line.y + float(font->fGetOffsetYW(mChangeText.c_str()))};
    bottomRight = {topLeft.x + float(font->fMeasureW(mChangeText.c_str())), topLeft.y + float(font->fGetLineHeight())};
    return true;
}

KEL::KS_MOUSE_RESULT GG_WINDOW_TITLE_TOP::fOnMouseMove() {
    const KEL::KS_MOUSE_RESULT result = G_WINDOW::fOnMouseMove();
    KEL::KS_VEC2 topLeft, bottomRight;
    bool inside = false;
    if (KEL::kcINPUT && !mAnimating && fLineBox(topLeft, bottomRight)) {
        const float x = float(KEL::kcINPUT->fGetMousePosition().x), y = float(KEL::kcINPUT->fGetMousePosition().y);
        inside = x > topLeft.x && x < bottomRight.x && y > topLeft.y && y < bottomRight.y;
    }
    mHovered = inside;
    mCurrentColor = inside ? mHighlightColor : mNormalColor;
    return result;
}

KEL::KS_MOUSE_RESULT GG_WINDOW_TITLE_TOP::fOnMouseUp(int32_t button) {
    const KEL::KS_MOUSE_RESULT result = G_WINDOW::fOnMouseUp(button);
    if (result.fTaken() || button != KEL::KC_INPUT::kMOUSE_LEFT || !mHovered) return result;
    fOnClick(kCHANGE_PLAYER);
    return KEL::KS_MOUSE_RESULT::fEvent({kCHANGE_PLAYER, KEL::KS_GUI_EVENT::kCLICK});
}

void GG_WINDOW_TITLE_TOP::fOnClick(int32_t widgetId) {
    if (widgetId != kCHANGE_PLAYER || !mHovered) return;
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!game) return;
    if (game->fGetCurrentPlayer()) fOpenPlayers();
    else mNewPlayer.fStart(mManager, KEL::Closure<void()>::fBind<&GG_WINDOW_TITLE_TOP::fOpenPlayers>(this));
}

void GG_WINDOW_TITLE_TOP::fOpenPlayers() {
    if (mManager) mManager->fShowWindow(GG_WINDOW_NAME::kPLAYERS);
}

void GG_WINDOW_TITLE_TOP::fOnDeactivated() {
    mHovered = false;
    mCurrentColor = mNormalColor;
}

}  // namespace game
