#include "engine/gui/KC_GUI_WLABEL.h"

#include "engine/gui/KF_GUI_FONTS.h"
#include "engine/gui/KS_FONT_PLACE.h"
#include "engine/scene/KC_QUAD.h"
#include "engine/scene/KF_SCENE_TEXTURES.h"

namespace KEL {

KC_GUI_WLABEL::KC_GUI_WLABEL(int32_t id) : KC_GUI_WLABEL(id, std::string(), std::string(), std::wstring()) {}

KC_GUI_WLABEL::KC_GUI_WLABEL(int32_t id, const std::string& fontName, const std::string& fontTextureName,
                             const std::wstring& text)
    : KC_GUI_OBJECT(id), mText(text), mFontName(fontName), mTexture(fontTextureName) {
    mType = kTYPE_WLABEL;
}

void KC_GUI_WLABEL::fDraw() {
    if (!mFont || mText.empty()) return;
    KS_FONT_PLACE place(*mFont, mTransform, mAnchor);
    if (place.fReady()) mFont->fDrawW(0.0f, 0.0f, mText.c_str());
}

float KC_GUI_WLABEL::fGetWidth() const { return mFont ? static_cast<float>(mFont->fMeasureW(mText.c_str())) : 0.0f; }
float KC_GUI_WLABEL::fGetHeight() const { return mFont ? static_cast<float>(mFont->fGetLineHeight()) : 0.0f; }

void KC_GUI_WLABEL::fBuildFont(KC_TEXTURE* texture) {
    const uint32_t capacity = static_cast<uint32_t>(mText.size()) + 1;
    mFont = fBuildGuiFont(mFontName, texture, capacity);
    if (!mFont) {
        // A label that cannot draw keeps no texture either.
        mTexture.fRelease();
        return;
    }
    mFont->fSetColor(mColor);
    mFont->fSetLineSpacing(mLineSpace);
    mFont->fSetSpacing(mLetterSpace);
}

void KC_GUI_WLABEL::fReloadResources() {
    KC_TEXTURE* texture = mTexture.fAcquire();
    if (!mFont) fBuildFont(texture);
    else mFont->fSetTexture(texture);
    if (mFont && mFont->fGetQuad()) mFont->fGetQuad()->fSetScale(mScale, mScale, mScale);
}

void KC_GUI_WLABEL::fReleaseResources() {
    if (!mFont || !mTexture.fRelease()) return;
    mFont->fSetTexture(fSceneDefaultTexture());
}

void KC_GUI_WLABEL::fSetColor(uint32_t argb) {
    mColor = argb;
    if (mFont) mFont->fSetColor(argb);
}

void KC_GUI_WLABEL::fSetLetterSpace(int32_t pixels) {
    mLetterSpace = pixels;
    if (mFont) mFont->fSetSpacing(pixels);
}

void KC_GUI_WLABEL::fSetLineSpace(int32_t pixels) {
    mLineSpace = pixels;
    if (mFont) mFont->fSetLineSpacing(pixels);
}

void KC_GUI_WLABEL::fSetScale(float scale) {
    mScale = scale;
    if (mFont && mFont->fGetQuad()) mFont->fGetQuad()->fSetScale(scale, scale, scale);
}

}  // namespace KEL
