#include "game/screens/GG_WINDOW_TITLE_TOP.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/resources/KC_FONT.h"
#include "engine/util/KF_WFORMAT.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"

namespace game {

namespace {
constexpr int32_t kLEFT_BUTTON = 1;
}

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
    if (!mFontMed.mFont) return;
    mHalfWidth = float(mFontMed.mFont->fMeasureW(mChangeText.c_str()) / 2);
    mHalfHeight = float(mFontMed.mFont->fGetLineHeight() / 2);
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

void GG_WINDOW_TITLE_TOP::fOnDraw() {
    const KEL::KS_VEC2 origin = fOrigin();
    fDrawText(mFontBig.mFont, origin.x, origin.y, mFontBig.mColor.fGetARGB(), mFontBig.mAnchor, mGreeting);
    fDrawText(mFontMed.mFont, origin.x, origin.y + fBigLineHeight(), mCurrentColor.fGetARGB(), mFontMed.mAnchor,
              mChangeText);
}

// The line's box: its half width either side of the origin, from a little
// above the greeting's middle down past the greeting's height.
KEL::KS_MOUSE_RESULT GG_WINDOW_TITLE_TOP::fOnMouseMove() {
    const KEL::KS_MOUSE_RESULT result = G_WINDOW::fOnMouseMove();
    const KEL::KS_VEC2 origin = fOrigin();
    const float left = origin.x - mHalfWidth, right = origin.x + mHalfWidth;
    const float middle = origin.y + kLINE_DROP * mHalfHeight;
    const float top = middle - mHalfHeight, bottom = middle + mHalfHeight + fBigLineHeight();
    bool inside = false;
    if (KEL::kcINPUT && mFontMed.mFont && !mAnimating) {
        const float x = float(KEL::kcINPUT->fGetMousePosition().x), y = float(KEL::kcINPUT->fGetMousePosition().y);
        inside = x > left && x < right && y > top && y < bottom;
    }
    mHovered = inside;
    mCurrentColor = inside ? mHighlightColor : mNormalColor;
    return result;
}

KEL::KS_MOUSE_RESULT GG_WINDOW_TITLE_TOP::fOnMouseUp(int32_t button) {
    const KEL::KS_MOUSE_RESULT result = G_WINDOW::fOnMouseUp(button);
    if (result.fTaken() || button != kLEFT_BUTTON || !mHovered) return result;
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
    if (mManager) mManager->fShowWindow(kPLAYERS_WINDOW);
}

void GG_WINDOW_TITLE_TOP::fOnDeactivated() {
    mHovered = false;
    mCurrentColor = mNormalColor;
}

}  // namespace game
